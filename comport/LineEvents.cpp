#include "comport/LineEvents.h"

namespace comport {

namespace {

// All within the low 16 bits.
constexpr WORD MaskBits[LineEventCount] = {
    EV_RXCHAR, EV_TXEMPTY, EV_RXFLAG, EV_RING, EV_BREAK,
    EV_CTS,    EV_DSR,     EV_ERR,    EV_RLSD, EV_RX80FULL,
};

} // namespace

DWORD PlatformMaskBit(LineEvent event)
{
    const auto index = static_cast<unsigned>(event);
    return index < LineEventCount ? MaskBits[index] : 0;
}

DWORD ToPlatformMask(LineEvents events)
{
    DWORD mask = 0;
    for (int n = 0; n < LineEventCount; ++n)
        if (events.Contains(static_cast<LineEvent>(n)))
            mask |= MaskBits[n];
    return mask;
}

LineEvents FromPlatformMask(DWORD mask)
{
    LineEvents events;
    for (int n = 0; n < LineEventCount; ++n)
        if ((mask & MaskBits[n]) != 0)
            events = events.With(static_cast<LineEvent>(n));
    return events;
}

} // namespace comport
