#include "toolkit/window/FormHooks.h"

#include <utility>

#include "runtime/Program.h"
#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/ControlGraphics.h"

namespace toolkit {

namespace {

[[noreturn]] void EndSession(Control* form)
{
    // The hook walk holds a reference on the form; let it go so that freeing
    // the main control below really frees it.
    ReleaseReference(form);
    LoopRunning = false;
    Control* main = std::exchange(MainControl, nullptr);
    LoopTerminated = true;
    FreeObject(main);
    runtime::HaltProgram();
}

bool FocusCurrentControl(Control* form)
{
    Control* current = form->CurrentControl;
    if (current == nullptr)
        return false;
    current->CreateNativeWindow();
    SetFocus(current->Handle);
    if (MainControl != nullptr && MainControl != form)
        MainControl->CurrentControl = form;
    return true;
}

} // namespace

bool FormHook(Control* form, MessageRecord& record, LRESULT&)
{
    switch (record.Message) {
    case WM_ENDSESSION:
        if (record.WParam != 0)
            EndSession(form);
        return false;
    case WM_SETFOCUS:
        return FocusCurrentControl(form);
    default:
        return false;
    }
}

bool BackgroundHook(Control* form, MessageRecord& record, LRESULT&)
{
    if (record.Message != WM_ERASEBKGND)
        return false;
    CreateChildWindows(form);
    if (!form->Transparent) {
        auto dc = reinterpret_cast<HDC>(record.WParam);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ResolveColor(form->Color));
        SetBrushOrgEx(dc, 0, 0, nullptr);
        RECT client{};
        GetClientRect(record.Window, &client);
        FillRect(dc, &client, GetControlBrush(form));
    }
    return false;
}

} // namespace toolkit
