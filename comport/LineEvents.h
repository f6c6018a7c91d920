#pragma once

#include <windows.h>

#include <cstdint>

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
class LineEvents {
public:
    constexpr LineEvents() = default;
    constexpr explicit LineEvents(std::uint16_t word) : word(word & AllBits) {}

    constexpr std::uint16_t Word() const { return word; }
    constexpr bool Empty() const { return word == 0; }
    constexpr bool Contains(LineEvent event) const { return (word & Bit(event)) != 0; }
    constexpr LineEvents With(LineEvent event) const { return LineEvents(word | Bit(event)); }

    friend constexpr bool operator==(LineEvents, LineEvents) = default;

    static constexpr std::uint16_t AllBits = 0x03FF;

private:
    static constexpr std::uint16_t Bit(LineEvent event)
    {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(event));
    }

    std::uint16_t word = 0;
};

inline constexpr LineEvents AllLineEvents{LineEvents::AllBits};

// The platform's event-mask bit of one event.
DWORD PlatformMaskBit(LineEvent event);

// For SetCommMask: the OR of the mask bits of the members present.
DWORD ToPlatformMask(LineEvents events);

// For what WaitCommEvent reports: bits of no member are ignored.
LineEvents FromPlatformMask(DWORD mask);

} // namespace comport
