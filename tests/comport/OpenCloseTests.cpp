#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/PortFixture.h"

using namespace comport;

namespace {

using Strings = std::vector<std::string>;

const Strings OpenCom1 = {
    "CreateFileA \\\\.\\COM1 c0000000 0 0 3 40000000 0",
    "SetupComm device 1024 1024",
    "SetCommState device",
    "SetCommTimeouts device ffffffff 0 0 100 1000",
    "GetCommModemStatus device",
};

const Strings CloseCalls = {"PurgeComm device 2", "CloseHandle device"};

// Open, close and the line operations alone: with no line events there is
// no event thread, and the calls are the port's own.
class PortWithoutEvents : public PortThroughSeam {
protected:
    void SetUp() override
    {
        PortThroughSeam::SetUp();
        port->Events = LineEvents();
    }
};

using OpenAndClose = PortWithoutEvents;

TEST_F(OpenAndClose, OpenCreatesTheDeviceThenHandsOverQueuesStateAndTimeouts)
{
    port->Open();
    EXPECT_EQ(platform.Calls(), OpenCom1);
    EXPECT_TRUE(port->Connected());
    EXPECT_EQ(port->Handle(), FakeSerialApi::Device);
}

TEST_F(OpenAndClose, TwelveUsesTheSameDevicePath)
{
    port->SetPort("Com12");
    EXPECT_TRUE(platform.Calls().empty());
    port->Open();
    ASSERT_FALSE(platform.Calls().empty());
    EXPECT_EQ(platform.Calls()[0], "CreateFileA \\\\.\\COM12 c0000000 0 0 3 40000000 0");
}

TEST_F(OpenAndClose, OpenTwiceOpensOnceAndCloseTwiceClosesOnce)
{
    port->Open();
    port->Open();
    EXPECT_EQ(platform.CallsNamed("CreateFileA").size(), 1u);
    platform.ClearCalls();
    port->Close();
    port->Close();
    EXPECT_EQ(platform.Calls(), CloseCalls);
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(port->Handle(), INVALID_HANDLE_VALUE);
}

TEST_F(OpenAndClose, CloseKeepsWhatWasWrittenAndPurgesTheReceiveSideOnly)
{
    OpenAndForget();
    port->Close();
    const Strings purges = platform.CallsNamed("PurgeComm");
    ASSERT_EQ(purges.size(), 1u);
    EXPECT_EQ(purges[0], "PurgeComm device " + Hex(PURGE_RXABORT));
}

TEST_F(OpenAndClose, ANewNameWhileOpenClosesAndReopens)
{
    OpenAndForget();
    port->SetPort("com7");
    Strings expected = CloseCalls;
    Strings reopen = OpenCom1;
    reopen[0] = "CreateFileA \\\\.\\COM7 c0000000 0 0 3 40000000 0";
    expected.insert(expected.end(), reopen.begin(), reopen.end());
    EXPECT_EQ(platform.Calls(), expected);
    EXPECT_TRUE(port->Connected());
    EXPECT_EQ(port->Port(), "COM7");

    platform.ClearCalls();
    port->SetPort("7");
    port->SetPort("COM07");
    EXPECT_TRUE(platform.Calls().empty());
}

TEST_F(OpenAndClose, AMissingDeviceStillOpensAndClosesQuietly)
{
    platform.OpenResult = INVALID_HANDLE_VALUE;
    platform.DeviceCallsSucceed = FALSE;
    port->Open();
    EXPECT_TRUE(port->Connected());
    EXPECT_EQ(port->Handle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform.CallsNamed("SetCommState"), Strings{"SetCommState invalid"});
    platform.OverlappedResultSucceeds = FALSE;
    EXPECT_EQ(port->WriteString("\xFE\x04\x02"), 0u);
    platform.ClearCalls();
    port->Close();
    // Nothing to close.
    EXPECT_EQ(platform.Calls(), Strings{"PurgeComm invalid 2"});
    EXPECT_FALSE(port->Connected());
}

TEST_F(OpenAndClose, FreeingAnOpenPortClosesItFirst)
{
    OpenAndForget();
    toolkit::FreeObject(port);
    port = nullptr;
    EXPECT_EQ(platform.Calls(), CloseCalls);
}

using ClosedPort = PortThroughSeam;

TEST_F(ClosedPort, LineOperationsTouchNothing)
{
    auto expectNothingTouched = [this] {
        EXPECT_EQ(port->WriteString("abc"), 0u);
        port->Purge();
        EXPECT_EQ(port->InputQueueCount(), 0u);
        EXPECT_TRUE(port->ModemStatus().Empty());
        port->Close();
        EXPECT_TRUE(platform.Calls().empty());
    };
    expectNothingTouched();

    // Also after a Close.
    port->Events = LineEvents();
    port->Open();
    port->Close();
    platform.ClearCalls();
    expectNothingTouched();
}

using Writing = PortWithoutEvents;

// The calls of one write of the given length: its own request, made and
// released around the write, with what the write waits for between.
Strings WriteRequest(DWORD length, const Strings& waits)
{
    Strings calls = {"CreateEventA 0 1 1 0",
                     "WriteFile device " + std::to_string(length) + " event"};
    calls.insert(calls.end(), waits.begin(), waits.end());
    calls.push_back("CloseHandle event");
    return calls;
}

TEST_F(Writing, EachWriteHasItsOwnRequestAndWaitsForIt)
{
    OpenAndForget();
    EXPECT_EQ(port->WriteString("\xFE\x58" "Complete!"), 11u);
    const Strings waits = {"WaitForSingleObject event ffffffff",
                           "GetOverlappedResult device event 0"};
    EXPECT_EQ(platform.Calls(), WriteRequest(11, waits));
    EXPECT_EQ(platform.OpenEvents(), 0);
}

TEST_F(Writing, TheLengthNotAZeroByteCountsTheBytes)
{
    OpenAndForget();
    const std::string text("\xFE\x00\x41\x00\xFE", 5);
    EXPECT_EQ(port->WriteString(text), 5u);
    EXPECT_EQ(platform.LastWrite(), text);

    EXPECT_EQ(port->WriteString(""), 0u);
    EXPECT_EQ(platform.CallsNamed("WriteFile").back(), "WriteFile device 0 event");

    const std::string large(64 * 1024, '\xFE');
    EXPECT_EQ(port->WriteString(large), 65536u);
    EXPECT_EQ(platform.LastWrite(), large);
    EXPECT_EQ(platform.OpenEvents(), 0);
}

TEST_F(Writing, AFailedResultGivesZero)
{
    OpenAndForget();
    platform.OverlappedResultSucceeds = FALSE;
    EXPECT_EQ(port->WriteString("abc"), 0u);
    EXPECT_EQ(platform.OpenEvents(), 0);
}

TEST_F(Writing, AFailedWaitCancelsAndSettlesTheRequestBeforeReleasingIt)
{
    OpenAndForget();
    platform.WaitResult = WAIT_FAILED;
    EXPECT_EQ(port->WriteString("abc"), 0u);
    const Strings waits = {"WaitForSingleObject event ffffffff", "CancelIo device",
                           "GetOverlappedResult device event 1"};
    EXPECT_EQ(platform.Calls(), WriteRequest(3, waits));
}

TEST_F(Writing, AQueuedWriteIsWaitedForAndAWriteThatFailsAtOnceIsNot)
{
    OpenAndForget();
    platform.WritesAreQueued = true;
    EXPECT_EQ(port->WriteString("abc"), 3u);
    EXPECT_EQ(platform.CallsNamed("WaitForSingleObject").size(), 1u);

    // Its event is left reset: a wait for it would never end.
    platform.ClearCalls();
    platform.DeviceCallsSucceed = FALSE;
    EXPECT_EQ(port->WriteString("abc"), 0u);
    EXPECT_EQ(platform.Calls(), WriteRequest(3, {}));
}

TEST_F(Writing, NoEventMeansNoWrite)
{
    OpenAndForget();
    platform.EventsCannotBeMade = true;
    EXPECT_EQ(port->WriteString("abc"), 0u);
    EXPECT_EQ(platform.Calls(), Strings{"CreateEventA 0 1 1 0"});
}

// What a write has handed to the driver is on the line before the handle
// goes, for no longer than the last write could have taken.
class DrainOnClose : public PortWithoutEvents {
protected:
    // Opens, writes the last command and closes, with the output queue as
    // given; the calls of the close.
    Strings CloseAfterWrite(std::initializer_list<DWORD> outputQueue)
    {
        OpenAndForget();
        port->WriteString("\xFE\x58" "Complete!");
        platform.QueueOutput(outputQueue);
        platform.ClearCalls();
        port->Close();
        return platform.Calls();
    }
};

TEST_F(DrainOnClose, TheQueueEmptiesAndAFifoOfCharactersLeavesBeforeTheHandleCloses)
{
    // At 9600 bits per second, at most twelve bits a character: 11, 3 and
    // 16 characters.
    const Strings expected = {
        "PurgeComm device 2",    "ClearCommError device", "Sleep 14",
        "ClearCommError device", "Sleep 4",               "ClearCommError device",
        "Sleep 20",              "CloseHandle device",
    };
    EXPECT_EQ(CloseAfterWrite({11, 3, 0}), expected);
}

TEST_F(DrainOnClose, AQueueThatNeverEmptiesHoldsTheCloseForTheWriteTimeOutAtMost)
{
    port->Timeouts()->SetWriteTotalConstant(39);
    port->Timeouts()->SetWriteTotalMultiplier(1); // 39 + 11 ms for the last write
    const Strings calls = CloseAfterWrite({5});
    DWORD slept = 0;
    for (const std::string& call : calls)
        if (call.rfind("Sleep ", 0) == 0)
            slept += static_cast<DWORD>(std::stoul(call.substr(6)));
    EXPECT_EQ(slept, 50u);
    EXPECT_EQ(calls.back(), "CloseHandle device");
}

TEST_F(DrainOnClose, ADriverThatDoesNotSayWhatItHoldsIsClosedAtOnce)
{
    platform.DeviceCallsSucceed = FALSE;
    const Strings expected = {"PurgeComm device 2", "ClearCommError device", "CloseHandle device"};
    EXPECT_EQ(CloseAfterWrite({11}), expected);
}

using LineStatus = PortWithoutEvents;

TEST_F(LineStatus, PurgeAbortsBothSides)
{
    OpenAndForget();
    port->Purge();
    EXPECT_EQ(platform.Calls(), Strings{"PurgeComm device 3"});
}

TEST_F(LineStatus, InputQueueCountComesFromTheStatusRecord)
{
    OpenAndForget();
    platform.InputQueue = 37;
    EXPECT_EQ(port->InputQueueCount(), 37u);
    EXPECT_EQ(platform.Calls(), Strings{"ClearCommError device"});
    platform.DeviceCallsSucceed = FALSE;
    EXPECT_EQ(port->InputQueueCount(), 0u);
}

TEST_F(LineStatus, ModemStatusGivesTheLinesThatAreOn)
{
    OpenAndForget();
    platform.ModemStatusWord = MS_CTS_ON | MS_RLSD_ON | 0x0F;
    EXPECT_EQ(port->ModemStatus(), ModemLines().With(ModemLine::Cts).With(ModemLine::Rlsd));
    EXPECT_EQ(platform.Calls(), Strings{"GetCommModemStatus device"});
    platform.DeviceCallsSucceed = FALSE;
    EXPECT_TRUE(port->ModemStatus().Empty());
}

} // namespace
