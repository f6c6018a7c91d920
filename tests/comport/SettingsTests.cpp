#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/MainWindowLine.h"
#include "tests/support/PortFixture.h"

using namespace comport;

namespace {

using Strings = std::vector<std::string>;

TEST(ComPortDefaults, NewPortIsClosedWithEverySettingAtItsDefault)
{
    ComPort* port = CreateComPort(nullptr);
    EXPECT_FALSE(port->Connected());
    EXPECT_FALSE(port->ThreadCreated());
    EXPECT_EQ(port->Handle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(port->NotifyWindow, nullptr);
    EXPECT_EQ(&port->Platform(), &Win32SerialApi());
    ASSERT_NO_FATAL_FAILURE(ExpectMainWindowSettings(*port));
    EXPECT_EQ(port->Buffer()->Owner, port);
    EXPECT_EQ(port->Parity()->Owner, port);
    EXPECT_EQ(port->Timeouts()->Owner, port);
    EXPECT_EQ(port->FlowControl()->Owner, port);
    toolkit::FreeObject(port);
}

// Every setter, with a value that differs from the default, and the call
// that hands its group over when they run in this order.
struct SetterCase {
    const char* name;
    std::function<void(ComPort*)> set;
    const char* handOver;
};

#define CQ_SETTER(call, value, handOver) \
    SetterCase{#call, [](ComPort* p) { p->call(value); }, handOver}

const char* const State = "SetCommState device";

const SetterCase setterCases[] = {
    CQ_SETTER(SetBaudRate, BaudRate::B115200, State),
    CQ_SETTER(SetCustomBaudRate, 31250, State),
    CQ_SETTER(SetDataBits, DataBits::Seven, State),
    CQ_SETTER(SetStopBits, StopBits::Two, State),
    CQ_SETTER(SetDiscardNull, true, State),
    CQ_SETTER(SetEventChar, '\n', State),
    CQ_SETTER(Parity()->SetMode, ParityMode::Even, State),
    CQ_SETTER(Parity()->SetCheck, true, State),
    CQ_SETTER(Parity()->SetReplace, true, State),
    CQ_SETTER(Parity()->SetReplaceChar, '?', State),
    CQ_SETTER(FlowControl()->SetOutCtsFlow, true, State),
    CQ_SETTER(FlowControl()->SetOutDsrFlow, true, State),
    CQ_SETTER(FlowControl()->SetDtrControl, DtrControl::Handshake, State),
    CQ_SETTER(FlowControl()->SetRtsControl, RtsControl::Toggle, State),
    CQ_SETTER(FlowControl()->SetOutX, true, State),
    CQ_SETTER(FlowControl()->SetInX, true, State),
    CQ_SETTER(FlowControl()->SetDsrSensitivity, true, State),
    CQ_SETTER(FlowControl()->SetTxContinueOnXoff, true, State),
    CQ_SETTER(FlowControl()->SetXonChar, 'A', State),
    CQ_SETTER(FlowControl()->SetXoffChar, 'B', State),
    CQ_SETTER(Timeouts()->SetReadInterval, 5, "SetCommTimeouts device 5 0 0 100 1000"),
    CQ_SETTER(Timeouts()->SetReadTotalMultiplier, 3, "SetCommTimeouts device 5 3 0 100 1000"),
    CQ_SETTER(Timeouts()->SetReadTotalConstant, 40, "SetCommTimeouts device 5 3 28 100 1000"),
    CQ_SETTER(Timeouts()->SetWriteTotalMultiplier, 7, "SetCommTimeouts device 5 3 28 7 1000"),
    CQ_SETTER(Timeouts()->SetWriteTotalConstant, 50, "SetCommTimeouts device 5 3 28 7 50"),
    CQ_SETTER(Buffer()->SetInputSize, 4096, "SetupComm device 4096 1024"),
    CQ_SETTER(Buffer()->SetOutputSize, 2048, "SetupComm device 4096 2048"),
};

#undef CQ_SETTER

using Setters = PortThroughSeam;

TEST_F(Setters, OnAClosedPortOnlyStore)
{
    for (const SetterCase& setter : setterCases) {
        setter.set(port);
        EXPECT_TRUE(platform.Calls().empty()) << setter.name;
    }
    EXPECT_EQ(port->BaudRate(), BaudRate::B115200);
    EXPECT_EQ(port->FlowControl()->RtsControl(), RtsControl::Toggle);
    // The stored values reach the device with the next Open.
    port->Open();
    EXPECT_EQ(platform.LastDeviceControl().BaudRate, 115200u);
    EXPECT_EQ(platform.LastDeviceControl().fRtsControl, static_cast<DWORD>(RTS_CONTROL_TOGGLE));
    EXPECT_EQ(platform.CallsNamed("SetupComm"), Strings{"SetupComm device 4096 2048"});
}

TEST_F(Setters, OnAnOpenPortHandTheirGroupOverAtOnce)
{
    OpenAndForget();
    for (const SetterCase& setter : setterCases) {
        setter.set(port);
        EXPECT_EQ(platform.Calls(), Strings{setter.handOver}) << setter.name;
        platform.ClearCalls();
        // The same value again changes nothing.
        setter.set(port);
        EXPECT_TRUE(platform.Calls().empty()) << setter.name << " repeated";
    }
}

// A value past the last name, as a cast or a damaged byte can give one.
template <typename Setting>
Setting Beyond(Setting last, int by = 1)
{
    return static_cast<Setting>(static_cast<int>(last) + by);
}

TEST_F(Setters, ValuesOutOfRangeAreIgnored)
{
    OpenAndForget();
    port->SetBaudRate(Beyond(HighestBaudRate));
    port->SetDataBits(Beyond(HighestDataBits));
    port->SetStopBits(Beyond(HighestStopBits));
    port->SetSyncMethod(Beyond(HighestSyncMethod));
    port->Parity()->SetMode(Beyond(HighestParityMode));
    port->FlowControl()->SetDtrControl(Beyond(HighestDtrControl));
    port->FlowControl()->SetRtsControl(Beyond(HighestRtsControl));
    port->SetBaudRate(Beyond(HighestBaudRate, 240));
    EXPECT_TRUE(platform.Calls().empty());
    EXPECT_EQ(port->BaudRate(), BaudRate::B9600);
    EXPECT_EQ(port->DataBits(), DataBits::Eight);
    EXPECT_EQ(port->StopBits(), StopBits::One);
    EXPECT_EQ(port->SyncMethod(), SyncMethod::Handlers);
    EXPECT_EQ(port->Parity()->Mode(), ParityMode::None);
    EXPECT_EQ(port->FlowControl()->DtrControl(), DtrControl::Disable);
    EXPECT_EQ(port->FlowControl()->RtsControl(), RtsControl::Disable);
}

TEST_F(Setters, SyncMethodIsStoredOnlyWhileClosed)
{
    port->SetSyncMethod(SyncMethod::Direct);
    EXPECT_EQ(port->SyncMethod(), SyncMethod::Direct);
    OpenAndForget();
    port->SetSyncMethod(SyncMethod::Message);
    EXPECT_EQ(port->SyncMethod(), SyncMethod::Direct);
    EXPECT_TRUE(platform.Calls().empty());
    port->Close();
    port->SetSyncMethod(SyncMethod::Message);
    EXPECT_EQ(port->SyncMethod(), SyncMethod::Message);
}

TEST_F(Setters, BufferSizesRoundOddPositiveValuesDown)
{
    Buffer* buffer = port->Buffer();
    buffer->SetInputSize(7);
    EXPECT_EQ(buffer->InputSize(), 6);
    buffer->SetInputSize(-3);
    EXPECT_EQ(buffer->InputSize(), -3);
    buffer->SetOutputSize(1);
    EXPECT_EQ(buffer->OutputSize(), 0);

    buffer->SetInputSize(1024);
    buffer->SetOutputSize(1024);
    OpenAndForget();
    // Compared as passed: 1025 differs from 1024, is stored as 1024 and
    // still handed over.
    buffer->SetInputSize(1025);
    EXPECT_EQ(buffer->InputSize(), 1024);
    EXPECT_EQ(platform.Calls(), Strings{"SetupComm device 1024 1024"});
}

TEST_F(Setters, ASettingObjectWithoutOwnerReachesNoDevice)
{
    OpenAndForget();
    Timeouts* timeouts = port->Timeouts();
    timeouts->Owner = nullptr;
    timeouts->SetReadInterval(9);
    EXPECT_EQ(timeouts->ReadInterval(), 9);
    EXPECT_TRUE(platform.Calls().empty());
    timeouts->Owner = port;
}

TEST_F(Setters, RejectedSettingsStayStored)
{
    platform.DeviceCallsSucceed = FALSE;
    OpenAndForget();
    port->SetBaudRate(BaudRate::B19200);
    port->Buffer()->SetInputSize(100);
    EXPECT_EQ(port->BaudRate(), BaudRate::B19200);
    EXPECT_EQ(port->Buffer()->InputSize(), 100);
    EXPECT_TRUE(port->Connected());
}

} // namespace
