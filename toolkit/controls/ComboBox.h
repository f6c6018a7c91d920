#pragma once

#include <cstdint>

namespace toolkit {

class Control;

// CreateComboBox option bits.
enum ComboBoxOption : std::uint16_t {
    ComboDropDownList = 0x001,
    ComboNoAutoScroll = 0x002,
    ComboDisableNoScroll = 0x004,
    ComboLowerCase = 0x008,
    ComboNoIntegralHeight = 0x010,
    ComboOemConvert = 0x020,
    ComboSort = 0x040,
    ComboUpperCase = 0x080,
    ComboOwnerDrawFixed = 0x100,
    ComboOwnerDrawVariable = 0x200,
    ComboSimple = 0x400,
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
