#include "runtime/ErrorMessage.h"

#include <cstring>

namespace runtime {

namespace {
constexpr char Template[] = "Runtime error     at 00000000";
constexpr char WideAddressTail[] = "00000000";
constexpr std::size_t NumberEnd = 16;
constexpr char HexDigits[] = "0123456789ABCDEF";
}

ErrorMessage FormatErrorMessage(std::uint8_t number, std::uintptr_t address)
{
    static_assert(sizeof(Template) - 1 + sizeof(WideAddressTail) <= sizeof(ErrorMessage::Text));
    ErrorMessage message{};
    std::memcpy(message.Text, Template, sizeof(Template));

    // A byte has at most three decimal digits: places 14..16.
    std::size_t position = NumberEnd;
    do {
        message.Text[position--] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);

    std::size_t addressEnd = sizeof(Template) - 2;
    if ((static_cast<std::uint64_t>(address) >> 32) != 0) {
        std::memcpy(message.Text + addressEnd + 1, WideAddressTail, sizeof(WideAddressTail));
        addressEnd += sizeof(WideAddressTail) - 1;
    }
    for (position = addressEnd; address != 0; --position) {
        message.Text[position] = HexDigits[address & 0xF];
        address >>= 4;
    }
    return message;
}

} // namespace runtime
