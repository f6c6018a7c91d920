#pragma once

#include <cstdint>

namespace toolkit {

class Control;

// The list operations of a control kind that has items (the combo box): each
// sends the message its kind's table names.
std::int32_t GetItemCount(Control* control);
// Replaces the item at `index`, or appends it when `index` is the count; an
// index beyond the count adds nothing.
void SetItemText(Control* control, std::int32_t index, const char* text);
// -1 when no item is selected.
std::int32_t GetCurrentIndex(Control* control);
// Selects from code: no change event follows.
void SetCurrentIndex(Control* control, std::int32_t index);

} // namespace toolkit
