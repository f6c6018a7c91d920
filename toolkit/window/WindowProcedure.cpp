#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/Dispatch.h"
#include "toolkit/graphics/ObjectTally.h"

namespace toolkit {

// The first message of a window that CreateNativeWindow is making binds the
// window to its Control, before CreateWindowExA has returned the handle.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageRecord record{window, message, wParam, lParam};

    if (message == WM_NCCREATE)
        CountWindowMade(window);
    else if (message == WM_NCDESTROY)
        CountWindowGone(window);

    Control* target = ControlOfWindow(window);
    if (ControlBeingCreated != nullptr && window != nullptr && target == nullptr) {
        target = ControlBeingCreated;
        ControlBeingCreated = nullptr;
        target->Handle = window;
        BindWindow(window, target);
    }
    if (target == nullptr)
        target = MainControl;
    if (target == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = target->HandleMessage(record);
    // The toolkit's own WM_NCDESTROY handling unbinds the window; a hook that
    // handles the message first leaves the binding, and a later window with
    // the same handle must not find this Control.
    if (message == WM_NCDESTROY)
        ForgetWindow(window);
    return result;
}

LRESULT DefaultHandling(Control* control, MessageRecord& record)
{
    if (control != nullptr && control->NativeClassProc != nullptr)
        return CallWindowProcW(control->NativeClassProc, control->Handle, record.Message,
                               record.WParam, record.LParam);
    return DefWindowProcW(record.Window, record.Message, record.WParam, record.LParam);
}

bool IsMainWindow(const Control* control)
{
    if (control == nullptr || control->IsChild)
        return false;
    if (control->Parent == nullptr)
        return true;
    if (control->Parent->Parent == nullptr)
        return ChildAt(control->Parent, 0) == control;
    return false;
}

} // namespace toolkit
