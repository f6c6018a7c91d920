#include "runtime/Heap.h"

#include <cstdint>

#include <windows.h>

#include "runtime/ErrorNumbers.h"
#include "runtime/Program.h"

// The heap is the program's own, not serialised by the platform: as long as
// the process has one thread nothing needs a lock, and from the first thread
// object on the heap's own lock is taken around every call.

namespace runtime {

namespace {

HANDLE heap = nullptr;
bool multiThreaded = false;
CRITICAL_SECTION heapLock;

std::uintptr_t AddressOf(const void* caller)
{
    return reinterpret_cast<std::uintptr_t>(caller);
}

class HeapLock {
public:
    HeapLock() : locked(multiThreaded)
    {
        if (locked)
            EnterCriticalSection(&heapLock);
    }
    ~HeapLock()
    {
        if (locked)
            LeaveCriticalSection(&heapLock);
    }
    HeapLock(const HeapLock&) = delete;
    HeapLock& operator=(const HeapLock&) = delete;

private:
    const bool locked;
};

// Made on first use: static constructors may allocate before the program
// starts, and they run on the one thread there is.
HANDLE ProgramHeap()
{
    if (heap == nullptr)
        heap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    return heap;
}

} // namespace

void* AllocateBlockFor(std::size_t size, const void* caller)
{
    void* block = nullptr;
    {
        HeapLock lock;
        if (HANDLE programHeap = ProgramHeap())
            block = HeapAlloc(programHeap, HEAP_ZERO_MEMORY, size == 0 ? 1 : size);
    }
    if (block == nullptr)
        RaiseRuntimeError(OutOfMemoryError, AddressOf(caller));
    return block;
}

void ReleaseBlockFor(void* block, const void* caller)
{
    if (block == nullptr)
        return;
    bool released = false;
    {
        HeapLock lock;
        released = heap != nullptr && HeapFree(heap, 0, block);
    }
    if (!released)
        RaiseRuntimeError(InvalidPointerError, AddressOf(caller));
}

__attribute__((noinline)) void* AllocateBlock(std::size_t size)
{
    return AllocateBlockFor(size, __builtin_return_address(0));
}

__attribute__((noinline)) void ReleaseBlock(void* block)
{
    ReleaseBlockFor(block, __builtin_return_address(0));
}

void EnterMultiThreadedMode()
{
    if (multiThreaded)
        return;
    InitializeCriticalSection(&heapLock);
    multiThreaded = true;
}

bool IsMultiThreaded()
{
    return multiThreaded;
}

} // namespace runtime
