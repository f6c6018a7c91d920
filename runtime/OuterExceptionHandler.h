#pragma once

#include <cstdint>

struct _EXCEPTION_POINTERS;

namespace runtime {

// The handler of every exception that nothing else on the main thread
// handles, and of the processor's faults in the program's own code before
// anything else sees them: it ends the process with the run-time error box.
// Exceptions of other threads are left to the platform.
long __stdcall OuterExceptionHandler(_EXCEPTION_POINTERS* exception);

// Called by StartProgram, which the program entry calls first, with the place
// of its return address: the halt after a fault runs from there, with the
// chain of registered frame handlers taken back to what it is now.
void RegisterOuterExceptionHandler(std::uintptr_t entryCallReturn);
void RemoveOuterExceptionHandler();

} // namespace runtime
