#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace app {

// The display controller's commands: the command byte, a command code, then
// the parameter bytes.
inline constexpr char CommandByte = '\xFE';
inline constexpr char SetRowsCode = '\x04';
inline constexpr char SetColumnsCode = '\x03';
inline constexpr char SetTypeCode = '\x05';
inline constexpr char ClearDisplayCode = '\x58';

// Clear the display, then show the confirmation text, as one string: the text
// follows the command directly, with no terminator or length byte.
inline constexpr std::string_view ClearAndShowComplete{"\xFE\x58"
                                                       "Complete!"};

// One item of a choice list: the text the user sees and the byte the
// controller is sent for it. The byte is taken by the item's position in its
// list, never parsed from the text.
struct Choice {
    const char* Text;
    std::uint8_t Byte;
};

// In list order.
inline constexpr Choice RowsChoices[] = {{"2", 0x02}, {"4", 0x04}};

inline constexpr Choice ColumnsChoices[] = {
    {"8", 0x08}, {"16", 0x10}, {"20", 0x14}, {"24", 0x18}, {"40", 0x28},
};

// The module codes are the controller's own and do not run in steps.
inline constexpr Choice TypeChoices[] = {
    {"LCD0821", 0x01},  {"LCD2021", 0x02},  {"LCD2041", 0x05},    {"LCD4021", 0x06},
    {"LCD4041", 0x07},  {"LK202-25", 0x08}, {"LK204-25", 0x09},   {"LK404-55", 0x0A},
    {"LK404-AT", 0x31}, {"LK402-12", 0x33}, {"LK162-12", 0x34},   {"LK204-25PC", 0x35},
    {"LK082-12", 0x48}, {"LK402-25", 0x4B}, {"LK404-25", 0x73},
};

// What every start offers until the user chooses: a 2 x 16 display of type
// LK162-12 on COM1. Indexes into the lists above.
inline constexpr int DefaultRowsIndex = 0; // "2"
inline constexpr int DefaultColumnsIndex = 1; // "16"
inline constexpr int DefaultTypeIndex = 10; // "LK162-12"
inline constexpr int DefaultPortNumber = 1;
inline constexpr int PortCount = 16;

// The byte of the item at a list's current index; none for an index outside
// the list (a list with no selection answers -1).
std::optional<std::uint8_t> ChoiceByte(std::span<const Choice> choices, std::intptr_t index);

// A three-byte setting command: command byte, code, parameter.
class SettingCommand {
public:
    SettingCommand(char code, std::uint8_t parameter)
        : bytes{CommandByte, code, static_cast<char>(parameter)}
    {
    }
    std::string_view Bytes() const { return {bytes, sizeof bytes}; }

private:
    char bytes[3];
};

} // namespace app
