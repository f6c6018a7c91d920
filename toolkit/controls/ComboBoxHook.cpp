#include "toolkit/controls/ComboBoxControl.h"

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Dispatch.h"

namespace toolkit {

namespace {

// None for any other kind, whatever hooks or windows it has been given.
ComboBoxControl* AsComboBox(Control* control)
{
    return control != nullptr ? control->AsComboBox() : nullptr;
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR;
}

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, PreviousProcProperty));
    if (previous == nullptr)
        return 0;
    const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
    // The platform frees a window's properties with it; this keeps a handle
    // that a new window may reuse from carrying a stale procedure.
    if (message == WM_NCDESTROY)
        RemovePropW(window, PreviousProcProperty);
    return result;
}

bool OwnerClaims(Control* form, MessageRecord& record, LRESULT& result)
{
    if (MainControl != nullptr && MainControl->OnMessage &&
        MainControl->OnMessage.Fire(record, result))
        return true;
    return form != nullptr && form != MainControl && form->OnMessage &&
           form->OnMessage.Fire(record, result);
}

// Returns whether the key was consumed, with `result` the answer.
bool HandleInnerKey(ComboBoxControl* combo, MessageRecord& record, LRESULT& result)
{
    result = 0;
    if (record.WParam == VK_TAB && record.Message != WM_KEYDOWN)
        return true;
    const bool closeKey = record.WParam == VK_ESCAPE || record.WParam == VK_RETURN;
    if (record.Message == WM_CHAR && closeKey &&
        SendMessageW(combo->Handle, CB_GETDROPPEDSTATE, 0, 0) != 0) {
        SendMessageW(combo->Handle, CB_SHOWDROPDOWN, FALSE, 0);
        if (record.WParam == VK_ESCAPE)
            SendMessageW(combo->Handle, CB_SETCURSEL, static_cast<WPARAM>(combo->DropDownIndex), 0);
        return true;
    }
    return false;
}

} // namespace

void ComboBoxControl::Destroy()
{
    if (Handle != nullptr && !DestructionBegun())
        RemoveInnerWindowProperties(Handle);
    Control::Destroy();
}

bool ComboBoxHook(Control* control, MessageRecord& record, LRESULT& result)
{
    ComboBoxControl* combo = AsComboBox(control);
    if (combo == nullptr)
        return false;
    if (IsColorMessage(record.Message) && record.Window == combo->Handle) {
        result = Perform(combo, record.Message + ReflectedMessageBase, record.WParam, record.LParam);
        return true;
    }
    if (record.Message != ReflectedCommand)
        return false;
    switch (HIWORD(record.WParam)) {
    case CBN_SELCHANGE:
        PostMessageW(combo->Handle, ReflectedCommand, MAKEWPARAM(0, DeferredSelChangeCode), 0);
        break;
    case CBN_DROPDOWN:
        combo->DroppedDown = true;
        combo->DropDownIndex = static_cast<int>(Perform(combo, combo->Kind.GetCurrentMsg, 0, 0));
        if (combo->DropDownHeightProcedure != nullptr)
            combo->DropDownHeightProcedure(combo);
        break;
    case CBN_CLOSEUP:
        combo->DroppedDown = false;
        combo->OnCloseUp.Fire(combo);
        break;
    default:
        break;
    }
    return false;
}

void SubclassInnerWindows(Control* combo)
{
    if (combo == nullptr || combo->Handle == nullptr)
        return;
    for (HWND inner = GetWindow(combo->Handle, GW_CHILD); inner != nullptr;
         inner = GetWindow(inner, GW_HWNDNEXT)) {
        auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(inner, GWLP_WNDPROC));
        if (own == InnerWindowProcedure)
            continue;
        SetWindowLongPtrW(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InnerWindowProcedure));
        SetPropW(inner, PreviousProcProperty, reinterpret_cast<HANDLE>(own));
    }
}

void RemoveInnerWindowProperties(HWND window)
{
    for (HWND inner = GetWindow(window, GW_CHILD); inner != nullptr;
         inner = GetWindow(inner, GW_HWNDNEXT)) {
        HANDLE previous = GetPropW(inner, PreviousProcProperty);
        if (previous == nullptr)
            continue;
        // Without its own procedure back, the inner window would answer 0 to
        // its destruction and keep its data.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(inner, GWLP_WNDPROC)) ==
            InnerWindowProcedure)
            SetWindowLongPtrW(inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(inner, PreviousProcProperty);
    }
}

LRESULT CALLBACK InnerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* combo = AsComboBox(ControlOfWindow(GetParent(window)));
    if (combo == nullptr) {
        // A combo box that is going away: its inner window still gets its own
        // handling, or its destruction would be lost.
        if (GetPropW(window, PreviousProcProperty) != nullptr)
            return PassOn(window, message, wParam, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    MessageRecord record{combo->Handle, message, wParam, lParam};
    Control* form = ParentForm(combo);
    LRESULT result = 0;
    if (OwnerClaims(form, record, result))
        return result;
    if (IsKeyMessage(message) && HandleInnerKey(combo, record, result))
        return result;
    if (message == WM_SETFOCUS && form != nullptr)
        form->CurrentControl = combo;
    return PassOn(window, message, record.WParam, record.LParam);
}

} // namespace toolkit
