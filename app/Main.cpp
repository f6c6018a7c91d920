// The program entry: start, the main window and its loop, halt.
#include "app/MainForm.h"
#include "runtime/Program.h"
#include "runtime/ProgramEntry.h"
#include "toolkit/control/Application.h"

namespace {

// In initialization order: the run-time support, the toolkit, the serial port
// component, the main window, the program itself. None of them has work to do
// at start or end yet.
runtime::ModuleTable modules;

app::MainForm* mainForm = nullptr;

} // namespace

void ProgramEntry()
{
    runtime::StartProgram(modules);
    app::BuildMainForm(mainForm, nullptr);
    // Ends when the window is closed, with the form and all it owns freed.
    toolkit::RunApplication(mainForm->Form);
    runtime::ProcessExitCode = 0;
    runtime::HaltProgram();
}
