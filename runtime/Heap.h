#pragma once

#include <cstddef>

namespace runtime {

// The heap under every object of the system. Blocks come zero-filled. A block
// that cannot be had, or one that is refused on its way back, ends the
// process with the run-time error box (203, 204), showing the address just
// after the call that asked for it.
void* AllocateBlock(std::size_t size);
void ReleaseBlock(void* block);

// The same, for allocation routines of their own (new, delete): the failure
// is shown at caller, the return address of their caller's call.
void* AllocateBlockFor(std::size_t size, const void* caller);
void ReleaseBlockFor(void* block, const void* caller);

// From the first call on, every allocation and release takes the heap's lock.
// The first thread object of the process calls it before its thread exists.
void EnterMultiThreadedMode();
bool IsMultiThreaded();

} // namespace runtime
