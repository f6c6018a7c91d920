#include <cstring>
#include <utility>

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

HICON ShownIcon(const Control* control)
{
    return control->Icon ? control->Icon.Get() : control->SharedIcon.Get();
}

} // namespace

std::string_view WindowTextOf(const char* caption)
{
    if (caption == nullptr)
        return {};
    const std::size_t length = std::strlen(caption);
    return {caption, length < MaxWindowTextLength ? length : MaxWindowTextLength};
}

void SetCaption(Control* control, const char* text)
{
    if (control == nullptr)
        return;
    control->Caption.Assign(text);
    if (control->Handle != nullptr) {
        const WideText text(WindowTextOf(control->Caption.Get()));
        SetWindowTextW(control->Handle, text.Text());
        Invalidate(control);
    }
    if (control->SizeToTextProcedure != nullptr)
        control->SizeToTextProcedure(control);
}

void SetWindowStyle(Control* control, DWORD style)
{
    if (control == nullptr || control->Style == style)
        return;
    control->Style = style;
    if (control->Handle != nullptr) {
        // SetWindowLong; its pointer-wide form on 64-bit Windows, which the
        // inner windows of a combo box need there anyway.
        SetWindowLongPtrW(control->Handle, GWL_STYLE, static_cast<LONG_PTR>(style));
        SetWindowPos(control->Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        Invalidate(control);
    }
}

void SetVisible(Control* control, bool visible)
{
    if (control == nullptr)
        return;
    if (visible)
        control->Style |= WS_VISIBLE;
    else
        control->Style &= ~WS_VISIBLE;
    control->Visible = visible;
    if (control->Handle != nullptr) {
        ShowWindow(control->Handle, visible ? SW_SHOW : SW_HIDE);
        if (!visible)
            control->ShowPending = false;
    }
}

bool IsVisible(Control* control)
{
    if (control == nullptr)
        return false;
    if (!control->IsChild && control->Handle != nullptr)
        control->Visible = IsWindowVisible(control->Handle) != FALSE;
    return control->Visible;
}

bool IsEnabled(Control* control)
{
    if (control == nullptr)
        return false;
    if (control->Handle != nullptr)
        return IsWindowEnabled(control->Handle) != FALSE;
    return (control->Style & WS_DISABLED) == 0;
}

void Invalidate(Control* control)
{
    if (LoopTerminated || control == nullptr || control->Handle == nullptr)
        return;
    InvalidateRect(control->Handle, nullptr, TRUE);
}

HICON GetIcon(Control* control)
{
    if (control == nullptr)
        return nullptr;
    // The main control borrows the program's icon resource; any other makes
    // a copy of it, which is its own.
    if (ShownIcon(control) == nullptr && MainControl != nullptr) {
        if (control == MainControl)
            control->SharedIcon = BorrowedIcon(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
        else if (HICON mainIcon = GetIcon(MainControl))
            control->Icon.Reset(CopyIconImage(mainIcon));
    }
    const HICON icon = ShownIcon(control);
    return icon == InvalidIcon ? nullptr : icon;
}

// An icon the control owned before goes only once the window no longer shows it.
void SetIcon(Control* control, BorrowedIcon icon)
{
    if (control == nullptr || ShownIcon(control) == icon.Get())
        return;
    const OwnedIcon old = std::move(control->Icon);
    control->SharedIcon = icon;
    const LPARAM sent = icon.Get() == InvalidIcon ? 0 : reinterpret_cast<LPARAM>(icon.Get());
    Perform(control, WM_SETICON, ICON_BIG, sent);
}

void SetIconFromResource(Control* control, HINSTANCE module, const char* name)
{
    // Resource icons are shared by the platform: shown, never destroyed. A
    // missing one leaves the icon unresolved, to be found by GetIcon.
    SetIcon(control, BorrowedIcon(LoadIconA(module, name)));
}

void SetBackgroundColor(Control* control, toolkit::Color color)
{
    if (control == nullptr)
        return;
    if (control->Handle != nullptr && control->Kind.ColorMsg != 0)
        Perform(control, control->Kind.ColorMsg, 0, static_cast<LPARAM>(ResolveColor(color)));
    if (color == control->Color)
        return;
    control->Color = color;
    control->BackgroundBrush.Reset();
    Invalidate(control);
}

void SetFocused(Control* control, bool focused)
{
    if (control == nullptr || !focused)
        return;
    if (control->IsChild) {
        if (Control* form = ParentForm(control))
            form->CurrentControl = control;
        SetFocus(GetWindowHandle(control));
    } else {
        SetForegroundWindow(GetWindowHandle(control));
    }
}

} // namespace toolkit
