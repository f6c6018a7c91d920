#pragma once

#include <cstdint>

struct _EXCEPTION_POINTERS;

namespace runtime {

// The handler of every exception that nothing else on the main thread
// handles: it ends the process with the run-time error box. Exceptions of
// other threads are left to the platform.
long __stdcall OuterExceptionHandler(_EXCEPTION_POINTERS* exception);

// haltStack is a place of the main thread's stack, below the frame of the
// program entry, that the halt may run on once a fault has been taken.
void RegisterOuterExceptionHandler(std::uintptr_t haltStack);
void RemoveOuterExceptionHandler();

} // namespace runtime
