#include "toolkit/window/Application.h"

#include <windows.h>

#include <utility>

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"

namespace toolkit {

void RunApplication(Control*& mainControl)
{
    LoopRunning = true;
    MainControl = mainControl;
    // Makes the windows still missing and shows those that wait for it.
    if (MainControl != nullptr)
        MainControl->CreateNativeWindow();
    while (!LoopTerminated && MainControl != nullptr) {
        WaitMessage();
        ProcessPendingMessages(MainControl);
    }
    EndApplication(mainControl);
}

bool ProcessOneMessage(Control*)
{
    MSG message{};
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        LoopTerminated = true;
    } else {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return LOWORD(message.message) != 0;
}

// Goes on after WM_QUIT: whatever is still queued is dispatched first.
void ProcessPendingMessages(Control* control)
{
    while (ProcessOneMessage(control)) {
    }
}

void EndApplication(Control*& mainControl)
{
    const bool wasTerminated = LoopTerminated;
    LoopTerminated = true;
    LoopRunning = false;
    Control* main = std::exchange(MainControl, nullptr);
    if (main == nullptr)
        return;
    AddReference(main);
    if (!wasTerminated) {
        ProcessPendingMessages(main);
        Perform(main, WM_CLOSE, 0, 0);
    }
    mainControl = nullptr;
    FreeObject(main);
    ReleaseReference(main);
}

} // namespace toolkit
