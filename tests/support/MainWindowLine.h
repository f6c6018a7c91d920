#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "comport/ComPort.h"
#include "comport/PortSettings.h"

// The main window's port settings, which are every setting's default too:
// COM1 at 9600 bits per second, 8 data bits, no parity, one stop bit, no flow
// control, every line event, handlers for them.
inline void ExpectMainWindowSettings(const comport::ComPort& port)
{
    using namespace comport;
    EXPECT_EQ(port.Port(), "COM1");
    EXPECT_EQ(port.BaudRate(), BaudRate::B9600);
    EXPECT_EQ(port.CustomBaudRate(), 9600u);
    EXPECT_EQ(port.DataBits(), DataBits::Eight);
    EXPECT_EQ(port.StopBits(), StopBits::One);
    EXPECT_FALSE(port.DiscardNull());
    EXPECT_EQ(port.EventChar(), 0);
    EXPECT_EQ(port.Events.Word(), 0x03FF);
    EXPECT_EQ(port.SyncMethod(), SyncMethod::Handlers);

    ASSERT_NE(port.Buffer(), nullptr);
    EXPECT_EQ(port.Buffer()->InputSize(), 1024);
    EXPECT_EQ(port.Buffer()->OutputSize(), 1024);

    ASSERT_NE(port.Parity(), nullptr);
    EXPECT_EQ(port.Parity()->Mode(), ParityMode::None);
    EXPECT_FALSE(port.Parity()->Check());
    EXPECT_FALSE(port.Parity()->Replace());
    EXPECT_EQ(port.Parity()->ReplaceChar(), 0);

    ASSERT_NE(port.Timeouts(), nullptr);
    EXPECT_EQ(port.Timeouts()->ReadInterval(), -1);
    EXPECT_EQ(port.Timeouts()->ReadTotalMultiplier(), 0);
    EXPECT_EQ(port.Timeouts()->ReadTotalConstant(), 0);
    EXPECT_EQ(port.Timeouts()->WriteTotalMultiplier(), 100);
    EXPECT_EQ(port.Timeouts()->WriteTotalConstant(), 1000);

    const FlowControl* flow = port.FlowControl();
    ASSERT_NE(flow, nullptr);
    EXPECT_FALSE(flow->OutCtsFlow());
    EXPECT_FALSE(flow->OutDsrFlow());
    EXPECT_FALSE(flow->OutX());
    EXPECT_FALSE(flow->InX());
    EXPECT_FALSE(flow->DsrSensitivity());
    EXPECT_FALSE(flow->TxContinueOnXoff());
    EXPECT_EQ(flow->DtrControl(), DtrControl::Disable);
    EXPECT_EQ(flow->RtsControl(), RtsControl::Disable);
    EXPECT_EQ(flow->XonChar(), 17);
    EXPECT_EQ(flow->XoffChar(), 19);
}

// The device control block of the main window's settings, member by member,
// so that one given the wrong value (XON and XOFF swapped, say) cannot hide
// behind the ones that are right: 9600 bits per second, 8 data bits, no
// parity, one stop bit, no flow control, fBinary the only flag set.
inline void ExpectMainWindowDeviceControl(const DCB& dcb)
{
    EXPECT_EQ(dcb.DCBlength, sizeof(DCB));
    EXPECT_EQ(dcb.DCBlength, 28u);
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.fBinary, 1u);
    EXPECT_EQ(dcb.fParity, 0u);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 0u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_DISABLE));
    EXPECT_EQ(dcb.fDsrSensitivity, 0u);
    EXPECT_EQ(dcb.fTXContinueOnXoff, 0u);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.fErrorChar, 0u);
    EXPECT_EQ(dcb.fNull, 0u);
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_DISABLE));
    EXPECT_EQ(dcb.fAbortOnError, 0u);
    EXPECT_EQ(dcb.fDummy2, 0u);
    EXPECT_EQ(dcb.wReserved, 0);
    EXPECT_EQ(dcb.XonLim, 256); // a quarter of the 1024-byte input queue
    EXPECT_EQ(dcb.XoffLim, 256);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.XonChar, 0x11);
    EXPECT_EQ(dcb.XoffChar, 0x13);
    EXPECT_EQ(dcb.ErrorChar, 0);
    EXPECT_EQ(dcb.EofChar, 0);
    EXPECT_EQ(dcb.EvtChar, 0);
    EXPECT_EQ(dcb.wReserved1, 0);
}
