#include "comport/PortName.h"

#include <cstdint>

namespace comport {

namespace {

constexpr std::size_t PrefixLength = 3;

// "COM" in any letter case: setting bit 5 makes an ASCII letter small, and
// no other byte that way "com". Inline: a function of its own costs more.
[[gnu::always_inline]] inline bool StartsWithCom(std::string_view name)
{
    return name.size() >= PrefixLength && (name[0] | 0x20) == 'c' && (name[1] | 0x20) == 'o' &&
           (name[2] | 0x20) == 'm';
}

bool InRange(std::int32_t number)
{
    return number >= LowestPortNumber && number <= HighestPortNumber;
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

PortName::PortName(int number, Spelling spelling)
{
    if (!InRange(number))
        number = LowestPortNumber;
    this->number = number;
    // A title has the two small letters of "Com".
    const char small = spelling == Spelling::Title ? 0x20 : 0;
    text[0] = 'C';
    text[1] = static_cast<char>('O' | small);
    text[2] = static_cast<char>('M' | small);
    length = PrefixLength + (number >= 100 ? 3 : number >= 10 ? 2 : 1);
    for (std::size_t at = length; at > PrefixLength; number /= 10)
        text[--at] = static_cast<char>('0' + number % 10);
}

DevicePath::DevicePath(const PortName& name)
{
    std::size_t length = 0;
    for (const char c : std::string_view(DevicePathPrefix))
        text[length++] = c;
    for (const char c : name.View())
        text[length++] = c;
}

PortName NormalisePortName(std::string_view name)
{
    if (StartsWithCom(name))
        name.remove_prefix(PrefixLength);
    const std::int32_t number = ReadInteger(name);
    return PortName(InRange(number) ? static_cast<int>(number) : LowestPortNumber);
}

int PortNumberOf(std::string_view name)
{
    // "COM" and at most three digits, the first not a zero.
    if (!StartsWithCom(name) || name.size() == PrefixLength || name.size() > PrefixLength + 3 ||
        name[PrefixLength] == '0')
        return 0;
    int number = 0;
    for (std::size_t at = PrefixLength; at < name.size(); ++at) {
        if (name[at] < '0' || name[at] > '9')
            return 0;
        number = number * 10 + (name[at] - '0');
    }
    return InRange(number) ? number : 0;
}

} // namespace comport
