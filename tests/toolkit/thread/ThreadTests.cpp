#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "tests/support/Eventually.h"
#include "runtime/Heap.h"
#include "toolkit/thread/Thread.h"

using namespace toolkit;

namespace {

std::uint32_t ReturnValue(void* value, Thread*)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
}

std::uint32_t RaiseFlag(void* flag, Thread*)
{
    static_cast<std::atomic<bool>*>(flag)->store(true);
    return 7;
}

// Runs until killed; touches no heap, so killing it cannot leave a lock held.
std::uint32_t RunForever(void* running, Thread*)
{
    static_cast<std::atomic<bool>*>(running)->store(true);
    for (;;)
        ::Sleep(1);
}

void CountResume(void* count, Thread*)
{
    ++*static_cast<int*>(count);
}

HANDLE DuplicateOf(HANDLE handle)
{
    HANDLE copy = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    return copy;
}

TEST(ThreadObject, CreatingOneMakesTheHeapMultiThreaded)
{
    Thread* thread = CreateThreadObject();
    EXPECT_TRUE(runtime::IsMultiThreaded());
    EXPECT_NE(thread->Handle(), nullptr);
    EXPECT_NE(thread->ThreadId(), 0u);
    EXPECT_TRUE(thread->Suspended());
    EXPECT_FALSE(thread->Terminated());
    FreeObject(thread);
}

TEST(ThreadObject, WaitGivesWhatTheWorkReturned)
{
    Thread* thread = StartThread({ReturnValue, reinterpret_cast<void*>(0xC0DE1234u)});
    EXPECT_FALSE(thread->Suspended());
    EXPECT_EQ(WaitForThread(thread), 0xC0DE1234u);
    EXPECT_EQ(WaitForThread(thread), 0xC0DE1234u);
    FreeObject(thread);
}

TEST(ThreadObject, WaitGivesZeroWithoutWork)
{
    Thread* thread = StartThread({});
    EXPECT_EQ(WaitForThread(thread), 0u);
    FreeObject(thread);
}

TEST(ThreadObject, WithoutAPlatformThreadWaitGivesAllOnesAndResumeFails)
{
    Thread* thread = CreateObject<Thread>();
    ASSERT_EQ(thread->Handle(), nullptr);
    int resumes = 0;
    thread->OnResume = {CountResume, &resumes};
    ResumeThreadObject(thread);
    EXPECT_TRUE(thread->Suspended());
    EXPECT_EQ(resumes, 0);
    EXPECT_EQ(WaitForThread(thread), 0xFFFFFFFFu);
    FreeObject(thread);
    EXPECT_EQ(WaitForThread(nullptr), 0xFFFFFFFFu);
}

TEST(ThreadObject, WorkWaitsForTheFirstResume)
{
    std::atomic<bool> ran{false};
    Thread* thread = CreateThreadObject();
    thread->OnExecute = {RaiseFlag, &ran};
    EXPECT_FALSE(Eventually([&] { return ran.load(); }, 100));
    ResumeThreadObject(thread);
    EXPECT_TRUE(Eventually([&] { return ran.load(); }));
    EXPECT_EQ(WaitForThread(thread), 7u);
    FreeObject(thread);
}

TEST(ThreadObject, ASecondResumeKeepsItRunningAndCallsOnResumeAgain)
{
    std::atomic<bool> running{false};
    int resumes = 0;
    Thread* thread = CreateThreadObject();
    thread->OnExecute = {RunForever, &running};
    thread->OnResume = {CountResume, &resumes};
    ResumeThreadObject(thread);
    ASSERT_TRUE(Eventually([&] { return running.load(); }));
    ResumeThreadObject(thread);
    EXPECT_FALSE(thread->Suspended());
    EXPECT_EQ(resumes, 2);
    DWORD code = 0;
    ASSERT_TRUE(::GetExitCodeThread(thread->Handle(), &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    FreeObject(thread);
}

TEST(ThreadObject, FreeingARunningThreadKillsItBeforeClosingItsHandle)
{
    std::atomic<bool> running{false};
    Thread* thread = StartThread({RunForever, &running});
    ASSERT_TRUE(Eventually([&] { return running.load(); }));
    const HANDLE watcher = DuplicateOf(thread->Handle());
    ASSERT_NE(watcher, nullptr);
    FreeObject(thread);
    EXPECT_EQ(::WaitForSingleObject(watcher, 0), WAIT_OBJECT_0);
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(::GetExitCodeThread(watcher, &code));
    EXPECT_EQ(code, 0u);
    ::CloseHandle(watcher);
}

// Under Wine, killing a thread that has never run brings the process down a
// few times in a thousand; many such frees in a row made that near certain.
TEST(ThreadObject, FreeingThreadsThatNeverStartedEndsThemWithoutRunningTheWork)
{
    std::atomic<bool> ran{false};
    for (int i = 0; i < 1000; ++i) {
        Thread* thread = CreateThreadObject();
        thread->OnExecute = {RaiseFlag, &ran};
        const HANDLE watcher = DuplicateOf(thread->Handle());
        FreeObject(thread);
        DWORD code = STILL_ACTIVE;
        const bool ended = ::WaitForSingleObject(watcher, 5000) == WAIT_OBJECT_0
                           && ::GetExitCodeThread(watcher, &code);
        ::CloseHandle(watcher);
        ASSERT_TRUE(ended);
        ASSERT_EQ(code, 0u);
    }
    EXPECT_FALSE(ran.load());
}

// Its entry reads the object: the thread has ended before the object can go.
TEST(ThreadObject, OneTerminatedBeforeItStartedHasEndedWhenTheObjectIsFreed)
{
    std::atomic<bool> ran{false};
    Thread* thread = CreateThreadObject();
    thread->OnExecute = {RaiseFlag, &ran};
    const HANDLE watcher = DuplicateOf(thread->Handle());
    TerminateThreadObject(thread);
    EXPECT_EQ(::WaitForSingleObject(watcher, 0), WAIT_OBJECT_0) << "still running";
    FreeObject(thread);
    DWORD code = STILL_ACTIVE;
    EXPECT_EQ(::WaitForSingleObject(watcher, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(::GetExitCodeThread(watcher, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(ran.load());
    ::CloseHandle(watcher);
}

TEST(ThreadObject, AFreeDeferredToTheLastReleaseDestroysOnce)
{
    std::atomic<bool> running{false};
    Thread* thread = StartThread({RunForever, &running});
    ASSERT_TRUE(Eventually([&] { return running.load(); }));
    int destroyed = 0;
    thread->OnDestroy = {[](void* count, ToolkitObject*) { ++*static_cast<int*>(count); },
                         &destroyed};
    AddReference(thread);
    FreeObject(thread);
    EXPECT_EQ(destroyed, 0);
    ReleaseReference(thread);
    EXPECT_EQ(destroyed, 1);
}

TEST(ThreadObject, FreeingAThreadWhoseWorkReturnedDoesNotHang)
{
    Thread* thread = StartThread({ReturnValue, reinterpret_cast<void*>(3)});
    const HANDLE handle = thread->Handle();
    const HANDLE watcher = DuplicateOf(handle);
    ASSERT_EQ(::WaitForSingleObject(watcher, 5000), WAIT_OBJECT_0);
    bool destroyed = false;
    thread->OnDestroy = {[](void* flag, ToolkitObject*) { *static_cast<bool*>(flag) = true; },
                         &destroyed};
    FreeObject(thread);
    EXPECT_TRUE(destroyed);
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(handle, &flags)) << "the thread's handle is closed";
    ::CloseHandle(watcher);
}

TEST(ThreadObject, AutoFreeFreesTheObjectWhenTheWorkReturns)
{
    std::atomic<bool> destroyed{false};
    Thread* thread = CreateThreadObject();
    thread->AutoFree = true;
    thread->OnExecute = {ReturnValue, reinterpret_cast<void*>(9)};
    thread->OnDestroy = {[](void* flag, ToolkitObject*) {
                             static_cast<std::atomic<bool>*>(flag)->store(true);
                         },
                         &destroyed};
    const HANDLE watcher = DuplicateOf(thread->Handle());
    ResumeThreadObject(thread);
    EXPECT_TRUE(Eventually([&] { return destroyed.load(); }));
    ASSERT_EQ(::WaitForSingleObject(watcher, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(::GetExitCodeThread(watcher, &code));
    EXPECT_EQ(code, 9u);
    ::CloseHandle(watcher);
}

} // namespace
