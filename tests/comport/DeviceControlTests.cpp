#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "comport/DeviceControl.h"
#include "tests/support/MainWindowLine.h"
#include "tests/support/PortFixture.h"

using namespace comport;

namespace {

using DeviceControl = PortThroughSeam;

TEST_F(DeviceControl, MainWindowSettingsGiveFBinaryAndNothingElse)
{
    // The main window's own settings, each equal to the default.
    port->SetBaudRate(BaudRate::B9600);
    port->SetDataBits(DataBits::Eight);
    port->SetStopBits(StopBits::One);
    port->Parity()->SetMode(ParityMode::None);
    port->FlowControl()->SetXonChar(17);
    port->FlowControl()->SetXoffChar(19);
    port->Open();
    ExpectMainWindowDeviceControl(platform.LastDeviceControl());
}

// Each value of an index setting and the member of the block it becomes.
struct Mapping {
    const char* name;
    std::function<void(ComPort*)> set;
    DWORD (*member)(const DCB&);
    DWORD expected;
};

DWORD RateOf(const DCB& dcb) { return dcb.BaudRate; }
DWORD ByteSizeOf(const DCB& dcb) { return dcb.ByteSize; }
DWORD StopBitsOf(const DCB& dcb) { return dcb.StopBits; }
DWORD ParityOf(const DCB& dcb) { return dcb.Parity; }
DWORD DtrOf(const DCB& dcb) { return dcb.fDtrControl; }
DWORD RtsOf(const DCB& dcb) { return dcb.fRtsControl; }

class EveryValue : public PortThroughSeam, public ::testing::WithParamInterface<Mapping> {};

TEST_P(EveryValue, MapsToItsPlatformValue)
{
    GetParam().set(port);
    EXPECT_EQ(GetParam().member(BuildDeviceControl(*port)), GetParam().expected);
}

#define CQ_SETTING(call, value, member, expected) \
    Mapping{#value, [](ComPort* p) { p->call(value); }, member, expected}

INSTANTIATE_TEST_SUITE_P(
    DeviceControl, EveryValue,
    ::testing::Values(
        CQ_SETTING(SetBaudRate, BaudRate::B110, RateOf, 110),
        CQ_SETTING(SetBaudRate, BaudRate::B300, RateOf, 300),
        CQ_SETTING(SetBaudRate, BaudRate::B600, RateOf, 600),
        CQ_SETTING(SetBaudRate, BaudRate::B1200, RateOf, 1200),
        CQ_SETTING(SetBaudRate, BaudRate::B2400, RateOf, 2400),
        CQ_SETTING(SetBaudRate, BaudRate::B4800, RateOf, 4800),
        CQ_SETTING(SetBaudRate, BaudRate::B9600, RateOf, 9600),
        CQ_SETTING(SetBaudRate, BaudRate::B14400, RateOf, 14400),
        CQ_SETTING(SetBaudRate, BaudRate::B19200, RateOf, 19200),
        CQ_SETTING(SetBaudRate, BaudRate::B38400, RateOf, 38400),
        CQ_SETTING(SetBaudRate, BaudRate::B56000, RateOf, 56000),
        CQ_SETTING(SetBaudRate, BaudRate::B57600, RateOf, 57600),
        CQ_SETTING(SetBaudRate, BaudRate::B115200, RateOf, 115200),
        CQ_SETTING(SetBaudRate, BaudRate::B128000, RateOf, 128000),
        CQ_SETTING(SetBaudRate, BaudRate::B256000, RateOf, 256000),
        CQ_SETTING(SetDataBits, DataBits::Five, ByteSizeOf, 5),
        CQ_SETTING(SetDataBits, DataBits::Six, ByteSizeOf, 6),
        CQ_SETTING(SetDataBits, DataBits::Seven, ByteSizeOf, 7),
        CQ_SETTING(SetDataBits, DataBits::Eight, ByteSizeOf, 8),
        CQ_SETTING(SetStopBits, StopBits::One, StopBitsOf, ONESTOPBIT),
        CQ_SETTING(SetStopBits, StopBits::OneAndHalf, StopBitsOf, ONE5STOPBITS),
        CQ_SETTING(SetStopBits, StopBits::Two, StopBitsOf, TWOSTOPBITS),
        CQ_SETTING(Parity()->SetMode, ParityMode::None, ParityOf, NOPARITY),
        CQ_SETTING(Parity()->SetMode, ParityMode::Odd, ParityOf, ODDPARITY),
        CQ_SETTING(Parity()->SetMode, ParityMode::Even, ParityOf, EVENPARITY),
        CQ_SETTING(Parity()->SetMode, ParityMode::Mark, ParityOf, MARKPARITY),
        CQ_SETTING(Parity()->SetMode, ParityMode::Space, ParityOf, SPACEPARITY),
        CQ_SETTING(FlowControl()->SetDtrControl, DtrControl::Disable, DtrOf, DTR_CONTROL_DISABLE),
        CQ_SETTING(FlowControl()->SetDtrControl, DtrControl::Enable, DtrOf, DTR_CONTROL_ENABLE),
        CQ_SETTING(FlowControl()->SetDtrControl, DtrControl::Handshake, DtrOf,
                   DTR_CONTROL_HANDSHAKE),
        CQ_SETTING(FlowControl()->SetRtsControl, RtsControl::Disable, RtsOf, RTS_CONTROL_DISABLE),
        CQ_SETTING(FlowControl()->SetRtsControl, RtsControl::Enable, RtsOf, RTS_CONTROL_ENABLE),
        CQ_SETTING(FlowControl()->SetRtsControl, RtsControl::Handshake, RtsOf,
                   RTS_CONTROL_HANDSHAKE),
        CQ_SETTING(FlowControl()->SetRtsControl, RtsControl::Toggle, RtsOf, RTS_CONTROL_TOGGLE)),
    [](const auto& info) {
        std::string name = info.param.name;
        name.replace(name.find("::"), 2, "");
        return name;
    });

#undef CQ_SETTING

TEST_F(DeviceControl, CustomRatePassesUnchanged)
{
    port->SetCustomBaudRate(31250);
    port->SetBaudRate(BaudRate::Custom);
    EXPECT_EQ(BuildDeviceControl(*port).BaudRate, 31250u);
    port->SetCustomBaudRate(0xFFFFFFFF);
    EXPECT_EQ(BuildDeviceControl(*port).BaudRate, 0xFFFFFFFFu);
    // Only Custom uses it.
    port->SetBaudRate(BaudRate::B110);
    EXPECT_EQ(BuildDeviceControl(*port).BaudRate, 110u);
}

TEST_F(DeviceControl, ErrorReplacementNeedsParityChecking)
{
    auto expectChecking = [this](DWORD check, DWORD replace, char replacement) {
        const DCB dcb = BuildDeviceControl(*port);
        EXPECT_EQ(dcb.fParity, check);
        EXPECT_EQ(dcb.fErrorChar, replace);
        EXPECT_EQ(dcb.ErrorChar, replacement);
    };
    Parity* parity = port->Parity();
    parity->SetReplace(true);
    parity->SetReplaceChar('?');
    expectChecking(0, 0, 0);
    parity->SetCheck(true);
    expectChecking(1, 1, '?');
    parity->SetReplace(false);
    expectChecking(1, 0, 0);
}

TEST_F(DeviceControl, EachFlagLandsInItsOwnBitField)
{
    FlowControl* flow = port->FlowControl();
    flow->SetOutCtsFlow(true);
    flow->SetOutDsrFlow(true);
    flow->SetOutX(true);
    flow->SetInX(true);
    flow->SetDsrSensitivity(true);
    flow->SetTxContinueOnXoff(true);
    flow->SetXonChar('A');
    flow->SetXoffChar('B');
    port->SetDiscardNull(true);
    port->SetEventChar('\r');
    DCB dcb = BuildDeviceControl(*port);
    EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 1u);
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 1u);
    EXPECT_EQ(dcb.fDsrSensitivity, 1u);
    EXPECT_EQ(dcb.fTXContinueOnXoff, 1u);
    EXPECT_EQ(dcb.fNull, 1u);
    EXPECT_EQ(dcb.fParity, 0u);
    EXPECT_EQ(dcb.fAbortOnError, 0u);
    EXPECT_EQ(dcb.fDtrControl, 0u);
    EXPECT_EQ(dcb.fRtsControl, 0u);
    EXPECT_EQ(dcb.XonChar, 'A');
    EXPECT_EQ(dcb.XoffChar, 'B');
    EXPECT_EQ(dcb.EvtChar, '\r');

    flow->SetOutCtsFlow(false);
    dcb = BuildDeviceControl(*port);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 1u);
}

TEST_F(DeviceControl, FlowLimitsAreAQuarterOfTheInputQueue)
{
    port->Buffer()->SetInputSize(1022);
    EXPECT_EQ(BuildDeviceControl(*port).XonLim, 255);
    EXPECT_EQ(BuildDeviceControl(*port).XoffLim, 255);
    port->Buffer()->SetInputSize(-8);
    EXPECT_EQ(BuildDeviceControl(*port).XonLim, static_cast<WORD>(-2));
    port->Buffer()->SetInputSize(0x7FFFFFFE);
    EXPECT_EQ(BuildDeviceControl(*port).XoffLim, 0xFFFF);
}

TEST_F(DeviceControl, TimeoutsPassEachValueUnchanged)
{
    port->Timeouts()->SetReadTotalConstant(-1);
    port->Timeouts()->SetWriteTotalMultiplier(-2);
    const COMMTIMEOUTS record = BuildTimeouts(*port);
    EXPECT_EQ(record.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(record.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(record.ReadTotalTimeoutConstant, MAXDWORD);
    EXPECT_EQ(record.WriteTotalTimeoutMultiplier, 0xFFFFFFFEu);
    EXPECT_EQ(record.WriteTotalTimeoutConstant, 1000u);
}

} // namespace
