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

const SetterCase setterCases[] = {
    {"SetBaudRate", [](ComPort* p) { p->SetBaudRate(BaudRate::B115200); }, "SetCommState device"},
    {"SetCustomBaudRate", [](ComPort* p) { p->SetCustomBaudRate(31250); }, "SetCommState device"},
    {"SetDataBits", [](ComPort* p) { p->SetDataBits(DataBits::Seven); }, "SetCommState device"},
    {"SetStopBits", [](ComPort* p) { p->SetStopBits(StopBits::Two); }, "SetCommState device"},
    {"SetDiscardNull", [](ComPort* p) { p->SetDiscardNull(true); }, "SetCommState device"},
    {"SetEventChar", [](ComPort* p) { p->SetEventChar('\n'); }, "SetCommState device"},
    {"Parity.SetMode", [](ComPort* p) { p->Parity()->SetMode(ParityMode::Even); },
     "SetCommState device"},
    {"Parity.SetCheck", [](ComPort* p) { p->Parity()->SetCheck(true); }, "SetCommState device"},
    {"Parity.SetReplace", [](ComPort* p) { p->Parity()->SetReplace(true); }, "SetCommState device"},
    {"Parity.SetReplaceChar", [](ComPort* p) { p->Parity()->SetReplaceChar('?'); },
     "SetCommState device"},
    {"Flow.SetOutCtsFlow", [](ComPort* p) { p->FlowControl()->SetOutCtsFlow(true); },
     "SetCommState device"},
    {"Flow.SetOutDsrFlow", [](ComPort* p) { p->FlowControl()->SetOutDsrFlow(true); },
     "SetCommState device"},
    {"Flow.SetDtrControl",
     [](ComPort* p) { p->FlowControl()->SetDtrControl(DtrControl::Handshake); },
     "SetCommState device"},
    {"Flow.SetRtsControl", [](ComPort* p) { p->FlowControl()->SetRtsControl(RtsControl::Toggle); },
     "SetCommState device"},
    {"Flow.SetOutX", [](ComPort* p) { p->FlowControl()->SetOutX(true); }, "SetCommState device"},
    {"Flow.SetInX", [](ComPort* p) { p->FlowControl()->SetInX(true); }, "SetCommState device"},
    {"Flow.SetDsrSensitivity", [](ComPort* p) { p->FlowControl()->SetDsrSensitivity(true); },
     "SetCommState device"},
    {"Flow.SetTxContinueOnXoff", [](ComPort* p) { p->FlowControl()->SetTxContinueOnXoff(true); },
     "SetCommState device"},
    {"Flow.SetXonChar", [](ComPort* p) { p->FlowControl()->SetXonChar('A'); },
     "SetCommState device"},
    {"Flow.SetXoffChar", [](ComPort* p) { p->FlowControl()->SetXoffChar('B'); },
     "SetCommState device"},
    {"Timeouts.SetReadInterval", [](ComPort* p) { p->Timeouts()->SetReadInterval(5); },
     "SetCommTimeouts device 5 0 0 100 1000"},
    {"Timeouts.SetReadTotalMultiplier", [](ComPort* p) { p->Timeouts()->SetReadTotalMultiplier(3); },
     "SetCommTimeouts device 5 3 0 100 1000"},
    {"Timeouts.SetReadTotalConstant", [](ComPort* p) { p->Timeouts()->SetReadTotalConstant(40); },
     "SetCommTimeouts device 5 3 28 100 1000"},
    {"Timeouts.SetWriteTotalMultiplier",
     [](ComPort* p) { p->Timeouts()->SetWriteTotalMultiplier(7); },
     "SetCommTimeouts device 5 3 28 7 1000"},
    {"Timeouts.SetWriteTotalConstant", [](ComPort* p) { p->Timeouts()->SetWriteTotalConstant(50); },
     "SetCommTimeouts device 5 3 28 7 50"},
    {"Buffer.SetInputSize", [](ComPort* p) { p->Buffer()->SetInputSize(4096); },
     "SetupComm device 4096 1024"},
    {"Buffer.SetOutputSize", [](ComPort* p) { p->Buffer()->SetOutputSize(2048); },
     "SetupComm device 4096 2048"},
};

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
