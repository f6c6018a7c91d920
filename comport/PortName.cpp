#include "comport/PortName.h"

#include <cstdint>

namespace comport {

namespace {

constexpr int LowestPort = 1;
constexpr int HighestPort = 16;

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithCom(std::string_view name)
{
    return name.size() >= 3 && UpperAscii(name[0]) == 'C' && UpperAscii(name[1]) == 'O' &&
           UpperAscii(name[2]) == 'M';
}

// Digits accumulate in 32 bits and wrap around on overflow; no text fails.
std::int32_t ReadInteger(std::string_view text)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    std::uint32_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10u + static_cast<std::uint32_t>(text[at] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

} // namespace

PortName::PortName(int number)
{
    if (number < LowestPort || number > HighestPort)
        number = LowestPort;
    this->number = number;
    text[0] = 'C';
    text[1] = 'O';
    text[2] = 'M';
    length = 3;
    if (number >= 10)
        text[length++] = static_cast<char>('0' + number / 10);
    text[length++] = static_cast<char>('0' + number % 10);
}

PortName NormalisePortName(std::string_view name)
{
    if (StartsWithCom(name))
        name.remove_prefix(3);
    const std::int32_t number = ReadInteger(name);
    return PortName(number < LowestPort || number > HighestPort ? LowestPort
                                                                : static_cast<int>(number));
}

} // namespace comport
