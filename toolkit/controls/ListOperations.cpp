#include "toolkit/controls/ListOperations.h"

#include "toolkit/window/Control.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

// A kind without the message has no such operation.
LRESULT PerformKind(Control* control, std::uint16_t message, WPARAM wParam, LPARAM lParam)
{
    if (control == nullptr || message == 0)
        return 0;
    return Perform(control, message, wParam, lParam);
}

} // namespace

std::int32_t GetItemCount(Control* control)
{
    if (control == nullptr)
        return 0;
    return static_cast<std::int32_t>(PerformKind(control, control->Kind.CountMsg, 0, 0));
}

void SetItemText(Control* control, std::int32_t index, const char* text)
{
    // A negative index would make the platform append.
    if (control == nullptr || index < 0)
        return;
    // Deleting an index with no item fails, which is what appending wants.
    PerformKind(control, control->Kind.DeleteItemMsg, static_cast<WPARAM>(index), 0);
    const WideText item(text != nullptr ? text : "");
    PerformKind(control, control->Kind.InsertItemMsg, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(item.Text()));
}

std::int32_t GetCurrentIndex(Control* control)
{
    if (control == nullptr || control->Kind.GetCurrentMsg == 0)
        return -1;
    return static_cast<std::int32_t>(PerformKind(control, control->Kind.GetCurrentMsg, 0, 0));
}

void SetCurrentIndex(Control* control, std::int32_t index)
{
    if (control == nullptr)
        return;
    PerformKind(control, control->Kind.SetCurrentMsg, static_cast<WPARAM>(index), 0);
}

} // namespace toolkit
