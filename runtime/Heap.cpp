#include "runtime/Heap.h"

#include <windows.h>

namespace runtime {

namespace {
bool multiThreaded = false;
}

void* AllocateBlock(std::size_t size)
{
    void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size == 0 ? 1 : size);
    if (block == nullptr)
        ExitProcess(203);
    return block;
}

void ReleaseBlock(void* block)
{
    if (block != nullptr && !HeapFree(GetProcessHeap(), 0, block))
        ExitProcess(204);
}

void EnterMultiThreadedMode()
{
    multiThreaded = true;
}

bool IsMultiThreaded()
{
    return multiThreaded;
}

} // namespace runtime
