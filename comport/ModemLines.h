#pragma once

#include <windows.h>

#include <cstdint>

namespace comport {

enum class ModemLine : std::uint8_t { Cts, Dsr, Ring, Rlsd };

// The four modem input lines that are on.
class ModemLines {
public:
    constexpr ModemLines() = default;

    constexpr bool Contains(ModemLine line) const { return (bits & Bit(line)) != 0; }
    constexpr ModemLines With(ModemLine line) const
    {
        ModemLines lines;
        lines.bits = static_cast<std::uint8_t>(bits | Bit(line));
        return lines;
    }
    constexpr bool Empty() const { return bits == 0; }

    friend constexpr bool operator==(ModemLines, ModemLines) = default;

private:
    static constexpr std::uint8_t Bit(ModemLine line)
    {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(line));
    }

    std::uint8_t bits = 0;
};

// From GetCommModemStatus's word; bits of no line are ignored.
constexpr ModemLines FromModemStatus(DWORD status)
{
    ModemLines lines;
    if (status & MS_CTS_ON)
        lines = lines.With(ModemLine::Cts);
    if (status & MS_DSR_ON)
        lines = lines.With(ModemLine::Dsr);
    if (status & MS_RING_ON)
        lines = lines.With(ModemLine::Ring);
    if (status & MS_RLSD_ON)
        lines = lines.With(ModemLine::Rlsd);
    return lines;
}

} // namespace comport
