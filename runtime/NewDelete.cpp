// Every new and delete of the program goes to the run-time heap, which never
// returns without a block: there is no std::bad_alloc in this program. A
// failure is shown at the place that called new or delete, so none of these
// may be inlined into it.
#include <new>

#include "runtime/Heap.h"

#define CALLER __builtin_return_address(0)

__attribute__((noinline)) void* operator new(std::size_t size)
{
    return runtime::AllocateBlockFor(size, CALLER);
}
__attribute__((noinline)) void* operator new[](std::size_t size)
{
    return runtime::AllocateBlockFor(size, CALLER);
}
__attribute__((noinline)) void operator delete(void* block) noexcept
{
    runtime::ReleaseBlockFor(block, CALLER);
}
__attribute__((noinline)) void operator delete[](void* block) noexcept
{
    runtime::ReleaseBlockFor(block, CALLER);
}
__attribute__((noinline)) void operator delete(void* block, std::size_t) noexcept
{
    runtime::ReleaseBlockFor(block, CALLER);
}
__attribute__((noinline)) void operator delete[](void* block, std::size_t) noexcept
{
    runtime::ReleaseBlockFor(block, CALLER);
}
