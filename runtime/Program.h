#pragma once

#include <cstdint>

#include "runtime/ModuleTable.h"

namespace runtime {

// The exit code the process ends with.
extern std::int32_t ProcessExitCode;
// Where a pending failure arose; 0 when there is none. A failure pending at
// halt is reported to the user before the process ends.
extern std::uintptr_t FailureAddress;
// The program's module handle, taken by StartProgram.
extern void* MainInstance;

// Called first by the program entry (runtime/ProgramEntry.h), which the
// toolchain's start-up code does not precede: registers the outer exception
// handler for the calling (main) thread, runs the static constructors and
// initializes the modules in table order. The table must live until the
// process ends.
void StartProgram(ModuleTable& modules);

// Reports a pending failure, finalizes the modules and ends the process with
// ProcessExitCode.
[[noreturn]] void HaltProgram();

// Ends the process with the run-time error report (the box; a line on
// standard error in a console program): number (200..255) becomes the exit
// code, address the one shown.
[[noreturn]] void RaiseRuntimeError(std::uint8_t number, std::uintptr_t address);

} // namespace runtime
