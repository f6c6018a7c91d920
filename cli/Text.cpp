#include "cli/Text.h"

namespace cli {

namespace {

constexpr char Digits[] = "0123456789ABCDEF";
// Enough of a value to recognise it in a message.
constexpr std::size_t MostShown = 40;

} // namespace

Text& Text::operator<<(std::uint32_t number)
{
    char digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = Digits[number % 10];
        number /= 10;
    } while (number != 0);
    while (count > 0)
        *this << digits[--count];
    return *this;
}

Text& Text::Hex(std::uint8_t byte)
{
    return *this << Digits[byte >> 4] << Digits[byte & 0x0F];
}

Text& Text::Quoted(std::string_view value)
{
    *this << '"';
    const std::string_view shown = Head(value, MostShown);
    for (const char c : shown) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\')
            *this << c;
        else
            (*this << "\\x").Hex(byte);
    }
    *this << '"';
    if (shown.size() < value.size())
        *this << "...";
    return *this;
}

} // namespace cli
