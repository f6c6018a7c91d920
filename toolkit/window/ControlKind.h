#pragma once

#include <cstdint>

namespace toolkit {

class Control;

// The command table of a kind of standard control, copied whole into each
// Control of that kind. An entry of 0 means the kind does not support it.
// The notification codes are compared in declaration order, first match wins.
// Only the entries that some kind of this toolkit fills are here: a table
// for other kinds would have more (a second routine, further message slots).
struct ControlKind {
    void (*ClearItems)(Control* control) = nullptr;

    std::uint16_t ClickCode = 0;
    std::uint16_t EnterCode = 0;
    std::uint16_t LeaveCode = 0;
    std::uint16_t ChangeCode = 0;
    std::uint16_t SelChangeCode = 0;
    std::uint16_t CountMsg = 0;
    std::uint16_t ItemLengthMsg = 0;
    std::uint16_t ItemTextMsg = 0;
    std::uint16_t GetItemDataMsg = 0;
    std::uint16_t SetItemDataMsg = 0;
    std::uint16_t AddItemMsg = 0;
    std::uint16_t DeleteItemMsg = 0;
    std::uint16_t InsertItemMsg = 0;
    std::uint16_t FindExactMsg = 0;
    std::uint16_t FindMsg = 0;
    std::uint16_t GetCurrentMsg = 0;
    std::uint16_t SetCurrentMsg = 0;
    std::uint16_t SizeMarginX = 0;
    std::uint16_t SizeMarginY = 0;
    // Sent by SetBackgroundColor with the new resolved colour.
    std::uint16_t ColorMsg = 0;
};

} // namespace toolkit
