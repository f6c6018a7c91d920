// Every new and delete of the program goes to the run-time heap, which never
// returns without a block: there is no std::bad_alloc in this program.
#include <new>

#include "runtime/Heap.h"

void* operator new(std::size_t size) { return runtime::AllocateBlock(size); }
void* operator new[](std::size_t size) { return runtime::AllocateBlock(size); }
void operator delete(void* block) noexcept { runtime::ReleaseBlock(block); }
void operator delete[](void* block) noexcept { runtime::ReleaseBlock(block); }
void operator delete(void* block, std::size_t) noexcept { runtime::ReleaseBlock(block); }
void operator delete[](void* block, std::size_t) noexcept { runtime::ReleaseBlock(block); }
