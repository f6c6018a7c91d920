#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/object/ToolkitObject.h"
#include "toolkit/object/UniqueHandle.h"

namespace toolkit {

// One platform thread, created suspended and started by an explicit resume.
// Freeing a Thread whose work still runs kills the platform thread.
// Made by CreateObject: members without an initializer start at zero.
class Thread : public ToolkitObject {
public:
    // The thread's work, called on the new thread; its result becomes the
    // thread's exit code.
    EventSlot<std::uint32_t(Thread* thread)> OnExecute;
    // Called on the owner's thread after a resume that started the thread.
    EventSlot<void(Thread* thread)> OnResume;
    // Execute frees the object when the work returns.
    bool AutoFree;

    bool Suspended() const { return suspended; }
    bool Terminated() const { return terminated; }
    // 0 when the platform thread could not be made.
    HANDLE Handle() const { return handle.Get(); }
    DWORD ThreadId() const { return threadId; }

protected:
    void Destroy() override;
    virtual std::uint32_t Execute();

private:
    friend Thread* CreateThreadObject();
    friend void ResumeThreadObject(Thread* thread);
    friend void TerminateThreadObject(Thread* thread);
    friend DWORD WINAPI ThreadEntry(void* parameter);

    bool suspended = true;
    bool terminated;
    UniqueKernelHandle handle;
    DWORD threadId;
};

// A new object whose platform thread waits, suspended, for its first resume.
Thread* CreateThreadObject();
// CreateThreadObject, then the work, then the resume: the thread runs.
Thread* StartThread(EventSlot<std::uint32_t(Thread* thread)> onExecute);
void ResumeThreadObject(Thread* thread);
void TerminateThreadObject(Thread* thread);
// Blocks until the platform thread has ended; its exit code, or 0xFFFFFFFF
// for an object without a platform thread.
std::uint32_t WaitForThread(Thread* thread);

} // namespace toolkit
