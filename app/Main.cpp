// The program entry: start, the main window and its loop, halt.
#include <windows.h>

#include "app/MainForm.h"
#include "runtime/Program.h"
#include "runtime/ProgramEntry.h"
#include "toolkit/window/Application.h"

namespace {

// Every library loaded after start comes from the system folder only, never
// from the exe's own folder or the current one: a portable exe runs from
// folders that others write to. The call is looked up, as systems before
// KB2533623 lack it (they keep their search order).
void RestrictLibrarySearch()
{
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories != nullptr)
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// In initialization order. The run-time support, the serial port component,
// the main window and the program itself have no work to do at start or end.
constexpr runtime::Module moduleList[] = {
    {RestrictLibrarySearch, nullptr},
};
// Filled at entry: a table set up before would be the program's only
// initialised data.
runtime::ModuleTable modules;

app::MainForm* mainForm = nullptr;

} // namespace

void ProgramEntry()
{
    modules = runtime::ModuleTable(moduleList);
    runtime::StartProgram(modules);
    app::BuildMainForm(mainForm, nullptr);
    // Ends when the window is closed, with the form and all it owns freed.
    toolkit::RunApplication(mainForm->Form);
    runtime::ProcessExitCode = 0;
    runtime::HaltProgram();
}
