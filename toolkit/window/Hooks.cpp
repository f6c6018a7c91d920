#include "toolkit/window/Hooks.h"

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"
#include "toolkit/window/Dispatch.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/object/PointerList.h"

namespace toolkit {

namespace {

PointerList::Value HookValue(MessageHook hook)
{
    return reinterpret_cast<PointerList::Value>(hook);
}

void FireClick(Control* control)
{
    if (control->FocusGuard > 0)
        return; // a click caused by the toolkit's own focus change
    control->OnClick.Fire(control);
}

// The first matching code wins, in the order of the kind's table.
bool FireNotification(Control* control, WORD code)
{
    const ControlKind& kind = control->Kind;
    if (code == kind.ClickCode)
        FireClick(control);
    else if (code == kind.EnterCode)
        control->OnEnter.Fire(control);
    else if (code == kind.LeaveCode)
        control->OnLeave.Fire(control);
    else if (code == kind.ChangeCode)
        control->OnChange.Fire(control);
    else if (code == kind.SelChangeCode)
        (control->OnSelChange ? control->OnSelChange : control->OnChange).Fire(control);
    else
        return false;
    return true;
}

} // namespace

void AttachHook(Control* control, MessageHook hook)
{
    if (control == nullptr || hook == nullptr)
        return;
    if (control->Hooks == nullptr)
        control->Hooks = CreateList();
    if (control->Hooks->IndexOf(HookValue(hook)) < 0)
        control->Hooks->Add(HookValue(hook));
}

bool RunHooks(Control* control, MessageRecord& record, LRESULT& result)
{
    if (control == nullptr || control->DestructionBegun() || control->Hooks == nullptr ||
        control->Hooks->Count() == 0 || LoopTerminated)
        return false;
    DestroyWatch watch(control);
    AddReference(control);
    bool handled = false;
    for (std::int32_t i = control->Hooks->Count() - 1; i >= 0 && !handled; --i) {
        auto hook = reinterpret_cast<MessageHook>(control->Hooks->Get(i));
        handled = hook != nullptr && hook(control, record, result);
    }
    ReleaseReference(control);
    return handled || watch.Destroyed();
}

bool ChildControlHook(Control* control, MessageRecord& record, LRESULT& result)
{
    if (IsReflectedColorMessage(record.Message)) {
        auto dc = reinterpret_cast<HDC>(record.WParam);
        SetTextColor(dc, ResolveColor(control->TextColor));
        if (control->Transparent) {
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, ResolveColor(control->Color));
            result = reinterpret_cast<LRESULT>(GetControlBrush(control));
        }
        return true;
    }
    if (record.Message == ReflectedCommand) {
        if (!FireNotification(control, HIWORD(record.WParam)))
            return false;
        result = DefaultHandling(control, record);
        return true;
    }
    if (record.Message == WM_SETFOCUS) {
        result = 0;
        Control* form = ParentForm(control);
        if (form == nullptr)
            return true;
        form->CurrentControl = control;
        return false;
    }
    return false;
}

bool DrawItemReflectHook(Control*, MessageRecord& record, LRESULT& result)
{
    if (record.Message != WM_DRAWITEM || record.LParam == 0)
        return false;
    HWND item = reinterpret_cast<const DRAWITEMSTRUCT*>(record.LParam)->hwndItem;
    Control* target = ControlOfWindow(item);
    if (target == nullptr)
        return false;
    Perform(target, ReflectedDrawItem, record.WParam, record.LParam);
    result = 0;
    return true;
}

} // namespace toolkit
