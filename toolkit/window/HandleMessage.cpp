#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/Dispatch.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/object/PointerList.h"

namespace toolkit {

namespace {

class FocusGuardScope {
public:
    explicit FocusGuardScope(Control* control) : control(control) { ++control->FocusGuard; }
    ~FocusGuardScope() { --control->FocusGuard; }
    FocusGuardScope(const FocusGuardScope&) = delete;
    FocusGuardScope& operator=(const FocusGuardScope&) = delete;

private:
    Control* control;
};

bool IsKeyboardMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= 0x108;
}

LRESULT HandleClose(Control* control, MessageRecord& record)
{
    if (control->OnClose) {
        bool accept = true;
        control->OnClose.Fire(control, accept);
        if (!accept && LoopRunning)
            return 0;
        control->OnClose = {}; // asked at most once before a close goes through
    }
    if (IsMainWindow(control) || control == MainControl) {
        if (MainControl != nullptr && MainControl != control)
            Perform(MainControl, WM_CLOSE, 0, 0);
        PostQuitMessage(0);
        return 0; // the window goes when its Control is freed
    }
    return DefaultHandling(control, record);
}

// The platform destroyed the window behind the toolkit's back, or the
// Control's own destruction did. The native class always sees the message:
// its controls free their own data there.
LRESULT HandleNcDestroy(Control* control, MessageRecord& record)
{
    UnbindWindow(record.Window);
    if (control->DestructionBegun() || control->Handle != record.Window || control == MainControl)
        return DefaultHandling(control, record);
    control->WindowGone = true;
    const LRESULT result = DefaultHandling(control, record);
    control->Handle = nullptr;
    if (!IsMainWindow(control) && MainControl != nullptr && control->Parent == MainControl)
        FreeObject(control);
    return result;
}

LRESULT HandleShowWindow(Control* control, MessageRecord& record)
{
    if (record.LParam == SW_PARENTCLOSING) {
        if (IsIconic(record.Window))
            control->SavedShowCommand = SW_SHOWMINNOACTIVE;
        else if (IsZoomed(record.Window))
            control->SavedShowCommand = SW_SHOWMAXIMIZED;
        else
            control->SavedShowCommand = SW_SHOWNOACTIVATE;
        return DefaultHandling(control, record);
    }
    if (record.LParam == SW_PARENTOPENING) {
        if (control->SavedShowCommand != 0) {
            ShowWindow(record.Window, control->SavedShowCommand);
            control->SavedShowCommand = 0;
        }
        return 0;
    }
    return DefaultHandling(control, record);
}

LRESULT HandleSysCommand(Control* control, MessageRecord& record)
{
    if ((record.WParam & 0xFFF0) == SC_MINIMIZE && IsMainWindow(control) &&
        MainControl != nullptr && MainControl != control) {
        PostMessageW(MainControl->Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return 0;
    }
    return DefaultHandling(control, record);
}

LRESULT HandleSetFocus(Control* control, MessageRecord& record)
{
    if (!IsEnabled(control) || !control->TabStop)
        return 0; // the native class never sees it
    {
        FocusGuardScope guard(control);
        SetFocus(record.Window);
    }
    FocusGuardScope guard(control);
    return DefaultHandling(control, record);
}

LRESULT HandleSetCursor(Control* control, MessageRecord& record)
{
    if (GetCapture() == nullptr && LOWORD(record.LParam) == HTCLIENT) {
        SetCursor(control->Cursor);
        return TRUE;
    }
    return DefaultHandling(control, record);
}

// Colour requests go back to the toolkit child that asked; a window of any
// other class gets the platform's answer and never one of our private messages.
LRESULT HandleColorMessage(Control* control, MessageRecord& record)
{
    auto child = reinterpret_cast<HWND>(record.LParam);
    if (ControlOfWindow(child) == nullptr)
        return DefaultHandling(control, record);
    return SendMessageW(child, record.Message + ReflectedMessageBase, record.WParam, record.LParam);
}

LRESULT HandleCommand(Control* control, MessageRecord& record)
{
    auto child = reinterpret_cast<HWND>(record.LParam);
    if (ControlOfWindow(child) == nullptr)
        return DefaultHandling(control, record);
    return SendMessageW(child, ReflectedCommand, record.WParam, record.LParam);
}

LRESULT HandleKeyboard(Control* control, MessageRecord& record)
{
    if (GetFocus() != record.Window)
        return 0;
    // No keyboard navigation between controls: Tab types nothing.
    if (record.Message == WM_CHAR && record.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0) {
        record.WParam = 0;
        return 0;
    }
    return DefaultHandling(control, record);
}

} // namespace

// Consulted in a fixed order: the main control's OnMessage (for the others,
// while the loop runs), the control's own OnMessage, its hooks, and then the
// handling by message number; the first to claim a message ends it.
LRESULT Control::HandleMessage(MessageRecord& record)
{
    LRESULT result = 0;
    if (LoopRunning && MainControl != nullptr && MainControl != this && MainControl->OnMessage &&
        MainControl->OnMessage.Fire(record, result))
        return result;
    if (OnMessage && OnMessage.Fire(record, result))
        return result;
    if (Hooks != nullptr && Hooks->Count() > 0 && RunHooks(this, record, result))
        return result;

    switch (record.Message) {
    case WM_CLOSE:
        return HandleClose(this, record);
    case WM_NCDESTROY:
        return HandleNcDestroy(this, record);
    case ReleaseMessage:
        if (!DestructionBegun()) {
            WindowGone = WindowGone || !IsWindow(Handle);
            FreeObject(this);
        }
        return 0;
    case WM_SIZE:
        result = DefaultHandling(this, record);
        SizeState = static_cast<std::uint8_t>(record.WParam);
        return result;
    case WM_SHOWWINDOW:
        return HandleShowWindow(this, record);
    case WM_SYSCOMMAND:
        return HandleSysCommand(this, record);
    case WM_SETFOCUS:
        return HandleSetFocus(this, record);
    case WM_SETCURSOR:
        return HandleSetCursor(this, record);
    case WM_COMMAND:
        return HandleCommand(this, record);
    default:
        break;
    }
    if (IsColorMessage(record.Message))
        return HandleColorMessage(this, record);
    if (IsKeyboardMessage(record.Message))
        return HandleKeyboard(this, record);
    return DefaultHandling(this, record);
}

} // namespace toolkit
