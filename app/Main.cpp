// The program entry: start, the main window and its loop, halt.
#include "runtime/Program.h"
#include "runtime/ProgramEntry.h"

namespace {

// In initialization order: the run-time support, the toolkit, the serial port
// component, the main window, the program itself. None of them has work to do
// at start or end yet.
runtime::ModuleTable modules;

} // namespace

void ProgramEntry()
{
    runtime::StartProgram(modules);
    // The builder of the main window and the application loop go here.
    runtime::ProcessExitCode = 0;
    runtime::HaltProgram();
}
