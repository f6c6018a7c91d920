#pragma once

#include <cstdint>

namespace runtime {

// The one failure report a user sees, "Runtime error NNN at XXXXXXXX". A
// window program shows it in a box and waits for the user to close it. A
// console program writes it as a line on standard error and goes on at once:
// it runs in batch files and services, where nobody is there to close a box.
// A program has one of the two, chosen when it is linked (cq_program_entry):
// the box by default, the line for a console program.

// Called at start: a console program keeps the platform's own crash and
// critical-error windows away too.
void PrepareFailureReport();
void ReportFailure(std::uint8_t number, std::uintptr_t address);

} // namespace runtime
