#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FarEnd.h"
#include "ProcessCensus.h"
#include "comport/ComPort.h"
#include "comport/EventThread.h"
#include "tests/support/ConfigureSequence.h"
#include "tests/support/Eventually.h"
#include "tests/support/PortFixture.h"

using namespace comport;

namespace {

// Bench lines of this program: COM6 for line events (LineTests.cpp has the
// others); COM14 is never mapped.
constexpr int EventPort = 6;
constexpr char MissingPortName[] = "COM14";

struct RxCalls {
    std::mutex lock;
    std::vector<std::uint32_t> counts;
    std::vector<DWORD> threads;
};

void RecordRxChar(void* calls, ComPort*, std::uint32_t count)
{
    auto* rx = static_cast<RxCalls*>(calls);
    std::lock_guard guard(rx->lock);
    rx->counts.push_back(count);
    rx->threads.push_back(::GetCurrentThreadId());
}

class LineEventsOnAPty : public PortTest {
protected:
    void SetUp() override
    {
        PortTest::SetUp();
        // A pty has no modem lines: a mask that holds one fails at once.
        port->Events = LineEvents().With(LineEvent::RxChar);
    }
};

TEST_F(LineEventsOnAPty, FiveBytesGiveOnRxCharFiveOnTheEventThread)
{
    for (const SyncMethod method : {SyncMethod::Handlers, SyncMethod::Direct}) {
        SCOPED_TRACE(static_cast<int>(method));
        FarEnd remote(FarEndOf(EventPort));
        ASSERT_TRUE(remote.IsOpen());
        RxCalls calls;
        port->SetSyncMethod(method);
        port->OnRxChar = {RecordRxChar, &calls};
        port->SetPort("COM6");
        port->Open();
        ASSERT_TRUE(port->ThreadCreated());
        ASSERT_TRUE(remote.Write("12345"));
        const bool heard = Eventually([&] {
            std::lock_guard guard(calls.lock);
            return !calls.counts.empty() && calls.counts.back() == 5;
        });
        port->Close();
        EXPECT_TRUE(heard);
        std::lock_guard guard(calls.lock);
        for (std::size_t i = 0; i < calls.counts.size(); ++i) {
            EXPECT_GT(calls.counts[i], 0u);
            EXPECT_LE(calls.counts[i], 5u);
            EXPECT_NE(calls.threads[i], ::GetCurrentThreadId());
        }
    }
}

std::vector<WPARAM> messages;

LRESULT CALLBACK RecordLineEvents(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LineEventMessage) {
        messages.push_back(wParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Close on the window's own thread while the event thread is sending to it:
// neither may wait for the other for ever.
TEST_F(LineEventsOnAPty, MessagesReachTheNotifyWindowAndCloseDoesNotDeadlock)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordLineEvents;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LineEventSink";
    ::RegisterClassA(&windowClass);
    const HWND window = ::CreateWindowExA(0, "LineEventSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    messages.clear();

    FarEnd remote(FarEndOf(EventPort));
    ASSERT_TRUE(remote.IsOpen());
    port->SetSyncMethod(SyncMethod::Message);
    port->NotifyWindow = window;
    port->SetPort("COM6");
    port->Open();
    ASSERT_TRUE(remote.Write("12345"));
    // The queue keeps its bytes, so the thread keeps sending.
    const bool arrived = PumpUntil([&] { return messages.size() >= 3; }, 5000);
    port->Close();
    EXPECT_TRUE(arrived);
    EXPECT_FALSE(port->ThreadCreated());
    for (WPARAM wParam : messages)
        EXPECT_EQ(wParam, static_cast<WPARAM>(EV_RXCHAR));
    ::DestroyWindow(window);
}

TEST_F(LineEventsOnAPty, CloseEndsAWaitWithNoEventPending)
{
    FarEnd remote(FarEndOf(EventPort));
    ASSERT_TRUE(remote.IsOpen());
    port->SetPort("COM6");
    for (int i = 0; i < 20; ++i) {
        port->Open();
        ASSERT_TRUE(port->ThreadCreated());
        port->Close();
        ASSERT_FALSE(port->ThreadCreated());
    }
}

TEST(ProcessCensus, SeesAHandleAndAThreadLeftBehind)
{
    const auto next = NextHandleValues();
    EXPECT_EQ(NextHandleValues(), next);
    // A handle left open above one that was closed.
    const HANDLE closed = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE leaked = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ::CloseHandle(closed);
    EXPECT_NE(NextHandleValues(), next);
    ::CloseHandle(leaked);
    EXPECT_EQ(NextHandleValues(), next);

    const int threads = ThreadCount();
    ASSERT_GT(threads, 0);
    std::atomic<bool> stop{false};
    std::thread extra([&] {
        while (!stop)
            ::Sleep(1);
    });
    EXPECT_EQ(ThreadCount(), threads + 1);
    stop = true;
    extra.join();
    EXPECT_TRUE(Eventually([&] { return ThreadCount() == threads; }));
}

class OpenCloseCycles : public PortTest {
protected:
    void ExpectNothingLeftAfter(int cycles)
    {
        // One cycle first, so that lazily made platform objects are there.
        port->Open();
        port->Close();
        const auto next = NextHandleValues();
        const int threads = ThreadCount();
        for (int i = 0; i < cycles; ++i) {
            port->Open();
            ASSERT_TRUE(port->ThreadCreated());
            port->Close();
        }
        EXPECT_TRUE(NextHandleValues() == next) << "a handle was left open";
        EXPECT_TRUE(Eventually([&] { return ThreadCount() == threads; }))
            << ThreadCount() << " threads, " << threads << " before";
    }
};

TEST_F(OpenCloseCycles, AThousandOnAPtyLeaveNoHandleAndNoThread)
{
    port->Events = LineEvents().With(LineEvent::RxChar);
    port->SetPort("COM6");
    ExpectNothingLeftAfter(1000);
}

TEST_F(OpenCloseCycles, AThousandOnAMissingPortLeaveNoHandleAndNoThread)
{
    port->SetPort(MissingPortName);
    ExpectNothingLeftAfter(1000);
}

} // namespace
