#include "toolkit/window/KeyButton.h"

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/Hooks.h"

namespace toolkit {

namespace {

// A parent chain is never longer than the number of controls.
constexpr int MaxDepth = 4096;

bool RefuseFocusHook(Control*, MessageRecord& record, LRESULT& result)
{
    if (record.Message != WM_SETFOCUS)
        return false;
    result = 0;
    return true;
}

// Seen, or waiting to be shown, together with every ancestor up to the form.
bool ShownUpToForm(Control* control, Control* form)
{
    for (int depth = 0; control != nullptr && depth < MaxDepth; ++depth) {
        if (control == form)
            return IsVisible(form);
        if (!control->Visible && !control->ShowPending)
            return false;
        control = control->Parent;
    }
    return false;
}

bool Usable(Control* button, Control* form)
{
    return button != nullptr && ShownUpToForm(button, form) && IsEnabled(button);
}

Control* KeyTarget(Control* form, WPARAM key)
{
    if (key == VK_ESCAPE)
        return Usable(form->CancelButton, form) ? form->CancelButton : nullptr;
    Control* target = form->DefaultButton;
    if (!Usable(target, form))
        return nullptr;
    // While another push button has the focus, Enter is that button's.
    Control* current = form->CurrentControl;
    if (current == nullptr || current == target ||
        (!current->IsCancelButton && !current->IsPushButton))
        return target;
    return nullptr;
}

// Only a plain push button type carries the default bit: in any other
// button type (an owner-drawn one among them) the bit is part of the type.
void SetDefaultPushStyle(Control* button, bool on)
{
    const DWORD type = button->Style & BS_TYPEMASK;
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)
        return;
    const DWORD style = (button->Style & ~BS_TYPEMASK) | (on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    SetWindowStyle(button, style);
}

} // namespace

Control* MakeNonFocusable(Control* control)
{
    if (control == nullptr)
        return nullptr;
    AttachHook(control, RefuseFocusHook);
    control->TabStop = false;
    SetWindowStyle(control, control->Style & ~WS_TABSTOP);
    Control* form = ParentForm(control);
    if (form != nullptr && form->CurrentControl == control)
        form->CurrentControl = nullptr;
    return control;
}

void AssignKeyButton(Control* button, WPARAM key, bool on)
{
    if (button == nullptr || (key != VK_RETURN && key != VK_ESCAPE))
        return;
    if (key == VK_RETURN) {
        button->IsDefaultButton = on;
        button->IsCancelButton = false;
    } else {
        button->IsCancelButton = on;
        button->IsDefaultButton = false;
    }
    Control* form = ParentForm(button);
    if (MainControl == nullptr || form == nullptr)
        return;
    if (on) {
        if (MainControl->OnMessage.callback != KeyButtonHook)
            MainControl->SavedOnMessage = MainControl->OnMessage;
        MainControl->OnMessage = {KeyButtonHook, MainControl};
    } else {
        MainControl->OnMessage = MainControl->SavedOnMessage;
        MainControl->SavedOnMessage = {};
    }
    if (key == VK_RETURN) {
        form->DefaultButton = on ? button : nullptr;
        SetDefaultPushStyle(button, on);
    } else {
        form->CancelButton = on ? button : nullptr;
    }
}

bool KeyButtonHook(void* mainControl, MessageRecord& record, LRESULT& result)
{
    auto* main = static_cast<Control*>(mainControl);
    if (main == nullptr)
        return false;
    if (main->SavedOnMessage && main->SavedOnMessage.Fire(record, result))
        return true;
    if (LoopTerminated)
        return false;
    Control* form = main->IsForm ? main : main->CurrentControl;
    if (form == nullptr)
        return false;
    if (record.Message != WM_KEYDOWN && record.Message != WM_KEYUP)
        return false;
    if (record.WParam != VK_RETURN && record.WParam != VK_ESCAPE)
        return false;
    Control* target = KeyTarget(form, record.WParam);
    if (target == nullptr)
        return false;
    if (record.Message == WM_KEYDOWN)
        SetFocused(target, true);
    // The platform button presses on Space down and clicks on Space up.
    Perform(target, record.Message, VK_SPACE, record.LParam);
    record.WParam = 0;
    result = 0;
    return true;
}

} // namespace toolkit
