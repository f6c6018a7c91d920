#include <gtest/gtest.h>

#include "tests/support/PortFixture.h"
#include "comport/DeviceControl.h"

using namespace comport;

namespace {

using DeviceControl = PortThroughSeam;

TEST_F(DeviceControl, MainWindowSettingsGiveFBinaryAndNothingElse)
{
    // The main window's own settings, each equal to the default.
    port->SetBaudRate(7);
    port->SetDataBits(3);
    port->SetStopBits(0);
    port->Parity()->SetMode(0);
    port->FlowControl()->SetXonChar(17);
    port->FlowControl()->SetXoffChar(19);
    port->Open();

    const DCB dcb = platform.LastDeviceControl();
    EXPECT_EQ(dcb.DCBlength, 28u);
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.fBinary, 1u);
    EXPECT_EQ(dcb.fParity, 0u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 0u);
    EXPECT_EQ(dcb.fDtrControl, 0u);
    EXPECT_EQ(dcb.fDsrSensitivity, 0u);
    EXPECT_EQ(dcb.fTXContinueOnXoff, 0u);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.fErrorChar, 0u);
    EXPECT_EQ(dcb.fNull, 0u);
    EXPECT_EQ(dcb.fRtsControl, 0u);
    EXPECT_EQ(dcb.fAbortOnError, 0u);
    EXPECT_EQ(dcb.fDummy2, 0u);
    EXPECT_EQ(dcb.wReserved, 0);
    EXPECT_EQ(dcb.XonLim, 256);
    EXPECT_EQ(dcb.XoffLim, 256);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, 0);
    EXPECT_EQ(dcb.StopBits, 0);
    EXPECT_EQ(dcb.XonChar, 17);
    EXPECT_EQ(dcb.XoffChar, 19);
    EXPECT_EQ(dcb.ErrorChar, 0);
    EXPECT_EQ(dcb.EofChar, 0);
    EXPECT_EQ(dcb.EvtChar, 0);
    EXPECT_EQ(dcb.wReserved1, 0);
}

TEST_F(DeviceControl, EveryIndexMapsToItsPlatformValue)
{
    const DWORD rates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                           19200, 38400, 56000, 57600, 115200, 128000, 256000};
    for (std::uint8_t index = 1; index <= 15; ++index) {
        port->SetBaudRate(index);
        EXPECT_EQ(BuildDeviceControl(*port).BaudRate, rates[index - 1]) << int(index);
    }
    for (std::uint8_t index = 0; index <= 3; ++index) {
        port->SetDataBits(index);
        EXPECT_EQ(BuildDeviceControl(*port).ByteSize, 5 + index);
    }
    const BYTE stopBits[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
    for (std::uint8_t index = 0; index <= 2; ++index) {
        port->SetStopBits(index);
        EXPECT_EQ(BuildDeviceControl(*port).StopBits, stopBits[index]);
    }
    for (std::uint8_t mode = 0; mode <= 4; ++mode) {
        port->Parity()->SetMode(mode);
        EXPECT_EQ(BuildDeviceControl(*port).Parity, mode);
    }
    const DWORD dtr[] = {DTR_CONTROL_DISABLE, DTR_CONTROL_ENABLE, DTR_CONTROL_HANDSHAKE};
    for (std::uint8_t index = 0; index <= 2; ++index) {
        port->FlowControl()->SetDtrControl(index);
        EXPECT_EQ(BuildDeviceControl(*port).fDtrControl, dtr[index]);
    }
    const DWORD rts[] = {RTS_CONTROL_DISABLE, RTS_CONTROL_ENABLE, RTS_CONTROL_HANDSHAKE,
                         RTS_CONTROL_TOGGLE};
    for (std::uint8_t index = 0; index <= 3; ++index) {
        port->FlowControl()->SetRtsControl(index);
        EXPECT_EQ(BuildDeviceControl(*port).fRtsControl, rts[index]);
    }
}

TEST_F(DeviceControl, CustomRatePassesUnchanged)
{
    port->SetCustomBaudRate(31250);
    port->SetBaudRate(0);
    EXPECT_EQ(BuildDeviceControl(*port).BaudRate, 31250u);
    port->SetCustomBaudRate(0xFFFFFFFF);
    EXPECT_EQ(BuildDeviceControl(*port).BaudRate, 0xFFFFFFFFu);
    // Only index 0 uses it.
    port->SetBaudRate(1);
    EXPECT_EQ(BuildDeviceControl(*port).BaudRate, 110u);
}

TEST_F(DeviceControl, ErrorReplacementNeedsParityChecking)
{
    Parity* parity = port->Parity();
    parity->SetReplace(true);
    parity->SetReplaceChar('?');
    DCB dcb = BuildDeviceControl(*port);
    EXPECT_EQ(dcb.fParity, 0u);
    EXPECT_EQ(dcb.fErrorChar, 0u);
    EXPECT_EQ(dcb.ErrorChar, 0);

    parity->SetCheck(true);
    dcb = BuildDeviceControl(*port);
    EXPECT_EQ(dcb.fParity, 1u);
    EXPECT_EQ(dcb.fErrorChar, 1u);
    EXPECT_EQ(dcb.ErrorChar, '?');

    parity->SetReplace(false);
    dcb = BuildDeviceControl(*port);
    EXPECT_EQ(dcb.fParity, 1u);
    EXPECT_EQ(dcb.fErrorChar, 0u);
    EXPECT_EQ(dcb.ErrorChar, 0);
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
