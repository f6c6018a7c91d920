// The program entry: start, the main window and its loop, halt.
#include <windows.h>

#include <commctrl.h>

#include "app/MainForm.h"
#include "runtime/Program.h"
#include "runtime/ProgramEntry.h"
#include "toolkit/control/Application.h"

namespace {

// The platform's common controls are loaded before any window is made: the
// flat button hears that the mouse has left it only through their
// _TrackMouseEvent, which the toolkit looks up in the loaded library.
void LoadCommonControls()
{
    InitCommonControls();
}

// In initialization order. The run-time support, the serial port component,
// the main window and the program itself have no work to do at start or end.
constexpr runtime::Module moduleList[] = {
    {LoadCommonControls, nullptr},
};
runtime::ModuleTable modules(moduleList);

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
