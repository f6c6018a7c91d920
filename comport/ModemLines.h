#pragma once

#include <windows.h>

#include <cstdint>

#include "comport/EnumSet.h"

namespace comport {

enum class ModemLine : std::uint8_t { Cts, Dsr, Ring, Rlsd };

// The four modem input lines that are on.
using ModemLines = EnumSet<ModemLine, std::uint8_t, 0x0F>;

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
