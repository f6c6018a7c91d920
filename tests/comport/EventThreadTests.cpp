#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "tests/support/PortFixture.h"
#include "comport/EventThread.h"
#include "tests/support/Eventually.h"

using namespace comport;

namespace {

using Strings = std::vector<std::string>;

// Collects what the port's handlers hear, and on which thread.
struct Journal {
    std::mutex lock;
    Strings entries;
    std::vector<DWORD> threads;

    void Add(const std::string& entry)
    {
        std::lock_guard guard(lock);
        entries.push_back(entry);
        threads.push_back(::GetCurrentThreadId());
    }
    Strings Entries()
    {
        std::lock_guard guard(lock);
        return entries;
    }
};

template <const char* Name>
void Plain(void* journal, ComPort*)
{
    static_cast<Journal*>(journal)->Add(Name);
}

template <const char* Name>
void WithFlag(void* journal, ComPort*, bool on)
{
    static_cast<Journal*>(journal)->Add(std::string(Name) + (on ? " on" : " off"));
}

void RxChar(void* journal, ComPort*, std::uint32_t count)
{
    static_cast<Journal*>(journal)->Add("RxChar " + std::to_string(count));
}

constexpr char TxEmpty[] = "TxEmpty", Break[] = "Break", Ring[] = "Ring", RxFlag[] = "RxFlag",
               Rx80Full[] = "Rx80Full", Cts[] = "Cts", Dsr[] = "Dsr", Rlsd[] = "Rlsd",
               BeforeOpen[] = "BeforeOpen", AfterOpen[] = "AfterOpen",
               BeforeClose[] = "BeforeClose", AfterClose[] = "AfterClose";

class LineEventsThroughSeam : public PortThroughSeam {
protected:
    void ListenToEverything()
    {
        port->OnRxChar = {RxChar, &journal};
        port->OnTxEmpty = {Plain<TxEmpty>, &journal};
        port->OnBreak = {Plain<Break>, &journal};
        port->OnRing = {Plain<Ring>, &journal};
        port->OnCtsChange = {WithFlag<Cts>, &journal};
        port->OnDsrChange = {WithFlag<Dsr>, &journal};
        port->OnRlsdChange = {WithFlag<Rlsd>, &journal};
        port->OnRxFlag = {Plain<RxFlag>, &journal};
        port->OnRx80Full = {Plain<Rx80Full>, &journal};
        port->OnBeforeOpen = {Plain<BeforeOpen>, &journal};
        port->OnAfterOpen = {Plain<AfterOpen>, &journal};
        port->OnBeforeClose = {Plain<BeforeClose>, &journal};
        port->OnAfterClose = {Plain<AfterClose>, &journal};
    }

    // What the event thread heard, in order.
    Strings HeardOnTheEventThread()
    {
        std::lock_guard guard(journal.lock);
        Strings heard;
        for (std::size_t i = 0; i < journal.entries.size(); ++i)
            if (journal.threads[i] != ::GetCurrentThreadId())
                heard.push_back(journal.entries[i]);
        return heard;
    }

    Journal journal;
};

constexpr DWORD EveryEvent = EV_RXCHAR | EV_TXEMPTY | EV_RXFLAG | EV_RING | EV_BREAK | EV_CTS |
                             EV_DSR | EV_ERR | EV_RLSD | EV_RX80FULL;

TEST_F(LineEventsThroughSeam, NoEventsMeansNoThreadAndNoMask)
{
    port->Events = LineEvents();
    port->Open();
    EXPECT_FALSE(port->ThreadCreated());
    EXPECT_EQ(port->EventThread(), nullptr);
    port->Close();
    EXPECT_TRUE(platform.CallsNamed("SetCommMask").empty());
    EXPECT_TRUE(platform.CallsNamed("WaitCommEvent").empty());
}

TEST_F(LineEventsThroughSeam, TheMaskIsArmedBeforeTheFirstWaitAndTheThreadEndsBeforeTheHandle)
{
    port->Open();
    EXPECT_TRUE(port->ThreadCreated());
    ASSERT_TRUE(Eventually([&] { return platform.WaitCommEventCalls() > 0; }));
    port->Close();
    EXPECT_FALSE(port->ThreadCreated());

    const Strings calls = platform.Calls();
    auto at = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    EXPECT_LT(at("SetCommMask device 5ff"), at("WaitCommEvent device"));
    EXPECT_LT(at("SetEvent event"), at("SetCommMask device 0"));
    EXPECT_LT(at("SetCommMask device 0"), at("PurgeComm device 8"));
    EXPECT_LT(at("PurgeComm device 8"), at("CloseHandle device"));
    EXPECT_EQ(calls.back(), "CloseHandle device");
    // What a write accepted is never thrown away.
    for (const std::string& purge : platform.CallsNamed("PurgeComm"))
        EXPECT_TRUE(purge == "PurgeComm device 2" || purge == "PurgeComm device 8") << purge;
    EXPECT_EQ(platform.OpenEvents(), 0);
}

TEST_F(LineEventsThroughSeam, HandlersHearEveryEventOfAWaitInOrderOnTheEventThread)
{
    for (const SyncMethod method : {SyncMethod::Handlers, SyncMethod::Direct}) {
        SCOPED_TRACE(static_cast<int>(method));
        journal.entries.clear();
        journal.threads.clear();
        ListenToEverything();
        port->SetSyncMethod(method);
        platform.InputQueue = 5;
        platform.ModemStatusWord = MS_CTS_ON | MS_RLSD_ON;
        platform.QueueOccurrences({EveryEvent});
        port->Open();
        const Strings expected = {"RxChar 5", "TxEmpty", "Break",  "Ring",    "Cts on", "Dsr off",
                                  "RxFlag",   "Rlsd on", "Rx80Full"};
        EXPECT_TRUE(Eventually([&] { return HeardOnTheEventThread().size() >= expected.size(); }));
        port->Close();
        EXPECT_EQ(HeardOnTheEventThread(), expected);
    }
}

TEST_F(LineEventsThroughSeam, MessagesCarryEachEventsMaskBitOnePerEventInOrder)
{
    port->SetSyncMethod(SyncMethod::Message);
    platform.InputQueue = 5;
    platform.QueueOccurrences({EveryEvent, EV_RLSD, EV_RING});
    port->Open();
    ASSERT_TRUE(Eventually([&] { return platform.CallsNamed("SendMessageW").size() >= 12; }));
    port->Close();
    const Strings expected = {
        "SendMessageW 401 1 0",  "SendMessageW 401 4 0",   "SendMessageW 401 40 0",
        "SendMessageW 401 100 0", "SendMessageW 401 8 0",  "SendMessageW 401 10 0",
        "SendMessageW 401 2 0",  "SendMessageW 401 20 0",  "SendMessageW 401 80 0",
        "SendMessageW 401 400 0", "SendMessageW 401 20 0", "SendMessageW 401 100 0",
    };
    EXPECT_EQ(platform.CallsNamed("SendMessageW"), expected);
    // Messages only: no handler reads the device.
    EXPECT_TRUE(platform.CallsNamed("ClearCommError").empty());
}

TEST_F(LineEventsThroughSeam, RxCharWithAnEmptyQueueCallsNothing)
{
    port->OnRxChar = {RxChar, &journal};
    platform.InputQueue = 0;
    platform.QueueOccurrences({EV_RXCHAR, EV_RXCHAR});
    port->Open();
    ASSERT_TRUE(Eventually([&] { return platform.CallsNamed("ClearCommError").size() >= 2; }));
    port->Close();
    EXPECT_TRUE(journal.Entries().empty());
}

TEST_F(LineEventsThroughSeam, AFailedResultDispatchesNothingAndTheLoopWaitsAgain)
{
    port->OnRxChar = {RxChar, &journal};
    platform.InputQueue = 5;
    platform.OverlappedResultSucceeds = FALSE;
    platform.QueueOccurrences({EV_RXCHAR, EV_RXCHAR});
    port->Open();
    ASSERT_TRUE(Eventually([&] { return platform.WaitCommEventCalls() >= 3; }));
    port->Close();
    EXPECT_TRUE(journal.Entries().empty());
}

TEST_F(LineEventsThroughSeam, LifecycleReportsTheLinesOnOpenAndOffOnClose)
{
    ListenToEverything();
    port->Events = LineEvents();
    platform.ModemStatusWord = MS_CTS_ON | MS_DSR_ON | MS_RLSD_ON;
    port->Open();
    port->Close();
    const Strings expected = {"BeforeOpen", "AfterOpen",   "Cts on",  "Dsr on",   "Rlsd on",
                              "BeforeClose", "Cts off",    "Dsr off", "Rlsd off", "AfterClose"};
    EXPECT_EQ(journal.Entries(), expected);
    for (DWORD thread : journal.threads)
        EXPECT_EQ(thread, ::GetCurrentThreadId());
}

TEST_F(LineEventsThroughSeam, LinesAreReportedWithoutAnAfterOpenHandler)
{
    port->OnCtsChange = {WithFlag<Cts>, &journal};
    port->OnDsrChange = {WithFlag<Dsr>, &journal};
    port->OnRlsdChange = {WithFlag<Rlsd>, &journal};
    port->Events = LineEvents();
    platform.ModemStatusWord = MS_DSR_ON;
    port->Open();
    EXPECT_EQ(journal.Entries(), (Strings{"Cts off", "Dsr on", "Rlsd off"}));
    port->Close();
}

TEST_F(LineEventsThroughSeam, ClosedTwiceNotifiesOnce)
{
    ListenToEverything();
    port->Events = LineEvents();
    port->Open();
    port->Close();
    const Strings heard = journal.Entries();
    platform.ClearCalls();
    port->Close();
    EXPECT_EQ(journal.Entries(), heard);
    EXPECT_TRUE(platform.Calls().empty());
}

// A wait that fails at once never completes: the thread must not retry it
// at full speed but wait for its stop event alone.
TEST_F(LineEventsThroughSeam, AWaitThatFailsAtOnceIsNotRetried)
{
    platform.WaitCommEventFails = true;
    port->Open();
    ASSERT_TRUE(Eventually([&] {
        return !platform.CallsNamed("WaitForSingleObject event ffffffff").empty();
    }));
    ::Sleep(50);
    EXPECT_EQ(platform.WaitCommEventCalls(), 1);
    port->Close();
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(platform.OpenEvents(), 0);
}

// Every way a device can refuse to open (absent, held by another handle, no
// rights) leaves the invalid handle: Open, writes and Close go through quietly.
TEST_F(LineEventsThroughSeam, APortThatCannotBeOpenedStillRunsTheWholeAction)
{
    ListenToEverything();
    platform.OpenResult = INVALID_HANDLE_VALUE;
    platform.DeviceCallsSucceed = FALSE;
    platform.OverlappedResultSucceeds = FALSE;
    port->Open();
    EXPECT_TRUE(port->Connected());
    EXPECT_TRUE(port->ThreadCreated());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(port->WriteString("\xFE\x58"), 0u);
    port->Close();
    EXPECT_FALSE(port->Connected());
    EXPECT_FALSE(port->ThreadCreated());
    EXPECT_LE(platform.WaitCommEventCalls(), 1);
    EXPECT_TRUE(platform.CallsNamed("CloseHandle invalid").empty());
    EXPECT_EQ(journal.Entries().back(), "AfterClose");
    EXPECT_EQ(platform.OpenEvents(), 0);
}

TEST_F(LineEventsThroughSeam, SyncMethodStaysWhileOpen)
{
    port->Open();
    port->SetSyncMethod(SyncMethod::Message);
    EXPECT_EQ(port->SyncMethod(), SyncMethod::Handlers);
    port->Close();
}

} // namespace
