#include "toolkit/thread/Thread.h"

#include "runtime/Heap.h"

namespace toolkit {

DWORD WINAPI ThreadEntry(void* parameter)
{
    auto* thread = static_cast<Thread*>(parameter);
    // Ended before it ever started: the work never runs.
    if (thread->terminated)
        return 0;
    return thread->Execute();
}

Thread* CreateThreadObject()
{
    // From here on the heap is shared between threads.
    runtime::EnterMultiThreadedMode();
    Thread* thread = CreateObject<Thread>();
    thread->suspended = true;
    thread->handle.Reset(::CreateThread(nullptr, 0, ThreadEntry, thread, CREATE_SUSPENDED,
                                        &thread->threadId));
    return thread;
}

Thread* StartThread(EventSlot<std::uint32_t(Thread* thread)> onExecute)
{
    Thread* thread = CreateThreadObject();
    thread->OnExecute = onExecute;
    ResumeThreadObject(thread);
    return thread;
}

std::uint32_t Thread::Execute()
{
    const std::uint32_t result = OnExecute.Fire(this);
    if (AutoFree) {
        terminated = true;
        FreeObject(this);
    }
    return result;
}

void ResumeThreadObject(Thread* thread)
{
    if (thread == nullptr)
        return;
    thread->suspended = false;
    // The previous suspend count: 1 means it runs now, 0 that it ran already;
    // more, or a failure, leaves it suspended.
    const DWORD previous =
        thread->handle ? ::ResumeThread(thread->Handle()) : static_cast<DWORD>(-1);
    if (previous > 1) {
        thread->suspended = true;
        return;
    }
    thread->OnResume.Fire(thread);
}

void TerminateThreadObject(Thread* thread)
{
    if (thread == nullptr)
        return;
    thread->terminated = true;
    if (!thread->handle)
        return;
    // Killing a thread that has never run can bring the whole process down
    // under Wine; one that never started is let run to its end instead,
    // which comes at once with exit code 0, as a kill would give. Its entry
    // still reads the object: it is waited for, so that the object may go.
    if (thread->suspended && ::ResumeThread(thread->Handle()) == 1)
        ::WaitForSingleObject(thread->Handle(), INFINITE);
    else
        ::TerminateThread(thread->Handle(), 0);
}

std::uint32_t WaitForThread(Thread* thread)
{
    if (thread == nullptr)
        return 0xFFFFFFFF;
    ObjectReference hold(thread);
    DWORD code = 0xFFFFFFFF;
    if (thread->Handle() != nullptr) {
        ::WaitForSingleObject(thread->Handle(), INFINITE);
        ::GetExitCodeThread(thread->Handle(), &code);
    }
    return code;
}

void Thread::Destroy()
{
    // Also for a thread whose work has returned: the platform then finds it
    // ended and the wait returns at once.
    if (!terminated) {
        TerminateThreadObject(this);
        WaitForThread(this);
    }
    ToolkitObject::Destroy(); // the handle goes with the object
}

} // namespace toolkit
