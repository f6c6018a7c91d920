#pragma once

#include <windows.h>

#include <cstdint>

#include "comport/EnumSet.h"

namespace comport {

// The ten line events a port can watch, in the order of their bits.
enum class LineEvent : std::uint8_t {
    RxChar,
    TxEmpty,
    RxFlag,
    Ring,
    Break,
    Cts,
    Dsr,
    Error,
    Rlsd,
    Rx80Full,
};

inline constexpr int LineEventCount = 10;

// A set of line events: bit n of the word is member n.
using LineEvents = EnumSet<LineEvent, std::uint16_t, 0x03FF>;

inline constexpr LineEvents AllLineEvents{LineEvents::AllBits};

// The platform's event-mask bit of one event.
DWORD PlatformMaskBit(LineEvent event);

// For SetCommMask: the OR of the mask bits of the members present.
DWORD ToPlatformMask(LineEvents events);

// For what WaitCommEvent reports: bits of no member are ignored.
LineEvents FromPlatformMask(DWORD mask);

} // namespace comport
