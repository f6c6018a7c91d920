#include <gtest/gtest.h>

#include "comport/LineEvents.h"
#include "comport/ModemLines.h"

using namespace comport;

namespace {

TEST(LineEvents, EachMemberMapsToItsOwnMaskBit)
{
    const DWORD expected[] = {EV_RXCHAR, EV_TXEMPTY, EV_RXFLAG, EV_RING, EV_BREAK,
                              EV_CTS,    EV_DSR,     EV_ERR,    EV_RLSD, EV_RX80FULL};
    for (int n = 0; n < LineEventCount; ++n) {
        const auto event = static_cast<LineEvent>(n);
        const LineEvents single = LineEvents().With(event);
        EXPECT_EQ(single.Word(), 1u << n);
        EXPECT_EQ(ToPlatformMask(single), expected[n]) << "member " << n;
        EXPECT_EQ(FromPlatformMask(expected[n]), single) << "member " << n;
    }
}

TEST(LineEvents, FullSetIsAllTenBits)
{
    EXPECT_EQ(AllLineEvents.Word(), 0x03FF);
    EXPECT_EQ(ToPlatformMask(AllLineEvents), 0x05FFu);
    EXPECT_EQ(FromPlatformMask(0xFFFFFFFF), AllLineEvents);
    EXPECT_EQ(LineEvents(0xFFFF), AllLineEvents);
}

TEST(LineEvents, MaskBitsOfNoMemberAreIgnored)
{
    // EV_PERR, EV_EVENT1, EV_EVENT2 and anything above.
    EXPECT_TRUE(FromPlatformMask(0x0200 | 0x0800 | 0x1000 | 0x80000000).Empty());
    EXPECT_EQ(FromPlatformMask(EV_RXCHAR | EV_TXEMPTY | 0x0200),
              LineEvents().With(LineEvent::RxChar).With(LineEvent::TxEmpty));
    EXPECT_EQ(ToPlatformMask(LineEvents()), 0u);
}

TEST(ModemLines, EachStatusBitGivesItsLine)
{
    EXPECT_TRUE(FromModemStatus(0).Empty());
    EXPECT_EQ(FromModemStatus(MS_CTS_ON), ModemLines().With(ModemLine::Cts));
    EXPECT_EQ(FromModemStatus(MS_DSR_ON), ModemLines().With(ModemLine::Dsr));
    EXPECT_EQ(FromModemStatus(MS_RING_ON), ModemLines().With(ModemLine::Ring));
    EXPECT_EQ(FromModemStatus(MS_RLSD_ON), ModemLines().With(ModemLine::Rlsd));
    const ModemLines all = FromModemStatus(0xFFFFFFFF);
    EXPECT_TRUE(all.Contains(ModemLine::Cts) && all.Contains(ModemLine::Dsr) &&
                all.Contains(ModemLine::Ring) && all.Contains(ModemLine::Rlsd));
    EXPECT_TRUE(FromModemStatus(0x0F | 0xFF00).Empty());
}

} // namespace
