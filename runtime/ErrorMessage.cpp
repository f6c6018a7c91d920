#include "runtime/ErrorMessage.h"

#include <cstring>

namespace runtime {

namespace {
constexpr char Template[] = "Runtime error     at 00000000";
constexpr std::size_t NumberEnd = 16;
constexpr std::size_t WideAddressDigits = 8;

char HexDigit(std::uintptr_t value)
{
    const auto digit = static_cast<char>(value & 0xF);
    return static_cast<char>(digit < 10 ? '0' + digit : 'A' + (digit - 10));
}
}

ErrorMessage FormatErrorMessage(std::uint8_t number, std::uintptr_t address)
{
    static_assert(sizeof(Template) + WideAddressDigits <= sizeof(ErrorMessage::Text));
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
        std::memset(message.Text + addressEnd + 1, '0', WideAddressDigits);
        addressEnd += WideAddressDigits;
    }
    for (position = addressEnd; address != 0; --position) {
        message.Text[position] = HexDigit(address);
        address >>= 4;
    }
    return message;
}

} // namespace runtime
