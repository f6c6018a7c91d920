#pragma once

#include <cstddef>

namespace runtime {

// The heap under every object of the system. Blocks come zero-filled. A block
// that cannot be had, or one that is refused on its way back, ends the
// process with the run-time error box.
void* AllocateBlock(std::size_t size);
void ReleaseBlock(void* block);

// From the first call on, every allocation and release takes the heap's lock.
// The first thread object of the process calls it before its thread exists.
void EnterMultiThreadedMode();
bool IsMultiThreaded();

} // namespace runtime
