#pragma once

#include <cstdint>

namespace toolkit {

class Control;

// CreateComboBox option bits.
enum ComboBoxOption : std::uint16_t {
    ComboDropDownList = 1 << 0,
    ComboNoAutoScroll = 1 << 1,
    ComboDisableNoScroll = 1 << 2,
    ComboLowerCase = 1 << 3,
    ComboNoIntegralHeight = 1 << 4,
    ComboOemConvert = 1 << 5,
    ComboSort = 1 << 6,
    ComboUpperCase = 1 << 7,
    ComboOwnerDrawFixed = 1 << 8,
    ComboOwnerDrawVariable = 1 << 9,
    ComboSimple = 1 << 10,
};

// The window style that the option bits give.
std::uint32_t ComboBoxStyle(std::uint16_t options);

// A combo box 22 pixels high, with a client edge; its selection changes
// reach OnSelChange (or OnChange) through the queue, once they are final.
Control* CreateComboBox(Control* parent, std::uint16_t options);

// Makes the window tall enough for its list to drop down: room for the
// items, at least one and at most eight, each as high as the control. Any
// control that is not a combo box is left as it is.
void SetDropDownHeight(Control* combo);

} // namespace toolkit
