#include "toolkit/window/Control.h"

#include <cstring>
#include <utility>

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/FormHooks.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/object/PointerList.h"

namespace toolkit {

namespace {

constexpr int DefaultChildSize = 64;

DestroyWatch* watches = nullptr;

// Copies the parent's font or brush tool so that the child's copy uses the
// parent's handle while the two are equal.
DrawingTool* InheritTool(DrawingTool* parentTool, Control* child,
                         void (*changed)(void*, DrawingTool*))
{
    if (parentTool == nullptr)
        return nullptr;
    DrawingTool* copy = AssignTool(nullptr, parentTool);
    copy->SetParentTool(parentTool);
    copy->OnChange = {changed, child};
    return copy;
}

void CreateControl(Control* control, Control* parent, const char* className, bool edge)
{
    control->InitUnderParent(parent);
    control->ClassName = className;
    if (parent == nullptr)
        return;
    control->Look3D = parent->Look3D;
    control->Edge3D = parent->Look3D && edge;
    control->TextColor = parent->TextColor;
    if (parent->Font != nullptr) {
        control->Font = InheritTool(parent->Font, control, ControlFontChangedEvent);
        ControlFontChanged(control, control->Font);
    }
    control->Color = parent->Color;
    control->Margin = parent->Margin;
    control->BoundsRect = {parent->Margin, parent->Margin + parent->ClientInsets.Top,
                           parent->Margin + DefaultChildSize, parent->Margin + DefaultChildSize};
}

} // namespace

DestroyWatch::DestroyWatch(Control* control) : control(control), next(watches)
{
    watches = this;
}

DestroyWatch::~DestroyWatch()
{
    for (DestroyWatch** link = &watches; *link != nullptr; link = &(*link)->next) {
        if (*link == this) {
            *link = next;
            break;
        }
    }
}

Control::~Control() = default;

void Control::Init()
{
    Children = CreateList();
    Hooks = CreateList();
}

void Control::InitUnderParent(Control* parent)
{
    if (parent != nullptr)
        Color = parent->Color;
    SetParent(this, parent);
    Cursor = ArrowCursor();
}

HCURSOR ArrowCursor()
{
    static HCURSOR arrow;
    if (arrow == nullptr)
        arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    return arrow;
}

void SetUpForm(Control* form, Control* parent, const char* caption)
{
    if (form == nullptr)
        return;
    CreateControl(form, parent, "Form", true);
    form->ClassStyle |= CS_DBLCLKS;
    // The hooks every form carries are attached here, the end-of-session and
    // focus hook first, then the background hook, so that the latter runs first.
    AttachHook(form, FormHook);
    AttachHook(form, BackgroundHook);
    SetCaption(form, caption);
    form->IsForm = true;
}

void SetUpChildControl(Control* control, Control* parent, const char* className, DWORD style,
                       const ControlKind* kind, bool edge)
{
    if (control == nullptr)
        return;
    CreateControl(control, parent, className, edge);
    control->IsChild = true;
    if (kind != nullptr)
        control->Kind = *kind;

    style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (control->Edge3D) {
        style &= ~WS_BORDER;
        control->ExStyle |= WS_EX_CLIENTEDGE;
    }
    control->Style = style;
    control->Visible = (style & WS_VISIBLE) != 0;

    Control* form = nullptr;
    if (parent != nullptr) {
        control->Cursor = parent->Cursor;
        form = ParentForm(parent);
        if (form != nullptr)
            control->TabOrder = ++form->TabOrder;
    }
    if (style & WS_TABSTOP) {
        control->TabStop = true;
        if (form != nullptr && form->CurrentControl == nullptr)
            form->CurrentControl = control;
    }
    control->ControlId = NextControlId++;
    AttachHook(control, ChildControlHook);
}

void SetParent(Control* control, Control* parent)
{
    if (control == nullptr || control->Parent == parent || control == parent)
        return;
    if (control->Parent != nullptr)
        control->Parent->Children->Remove(reinterpret_cast<PointerList::Value>(control));
    control->Parent = parent;
    if (parent != nullptr)
        parent->Children->Add(reinterpret_cast<PointerList::Value>(control));
}

Control* ParentForm(Control* control)
{
    // Bounded: a parent chain is never longer than the number of controls,
    // and SetParent cannot close a cycle of length one.
    for (int depth = 0; control != nullptr && depth < 4096; ++depth) {
        if (!control->IsChild)
            return control;
        control = control->Parent;
    }
    return nullptr;
}

std::int32_t ChildCount(const Control* control)
{
    return control != nullptr && control->Children != nullptr ? control->Children->Count() : 0;
}

Control* ChildAt(const Control* control, std::int32_t index)
{
    if (control == nullptr || control->Children == nullptr)
        return nullptr;
    return reinterpret_cast<Control*>(control->Children->Get(index));
}

void DestroyChildren(Control* control)
{
    if (control == nullptr || control->Children == nullptr)
        return;
    while (control->Children->Count() > 0) {
        Control* child = ChildAt(control, control->Children->Count() - 1);
        FreeObject(child);
        // A child still referenced elsewhere is destroyed later, and then no
        // longer belongs to this control.
        if (ChildAt(control, control->Children->Count() - 1) == child) {
            control->Children->Delete(control->Children->Count() - 1);
            child->Parent = nullptr;
        }
    }
    control->Children->Clear();
}

void Control::Destroy()
{
    if (destructionBegun)
        return; // a nested free while the destruction runs
    destructionBegun = true;

    Control* form = ParentForm(this);
    if (form != nullptr && form != this && form->CurrentControl == this)
        form->CurrentControl = nullptr;
    if (Handle != nullptr)
        ShowWindow(Handle, SW_HIDE);
    Finalise();
    DestroyChildren(this);

    Destroyed = true;
    FreeObject(std::exchange(Font, nullptr));
    FreeObject(std::exchange(Canvas, nullptr));

    if (HWND window = Handle) {
        if (IsWindow(window)) {
            // The window lets go of the icon before the control destroys it.
            SendMessageW(window, WM_SETICON, ICON_BIG, 0);
            Icon.Reset();
            if (!WindowGone)
                DestroyWindow(window);
        }
        Handle = nullptr;
    }
    Caption.Reset();

    if (Parent != nullptr) {
        if (Parent->CurrentControl == this)
            Parent->CurrentControl = nullptr;
        if (Parent->Children != nullptr)
            Parent->Children->Remove(reinterpret_cast<PointerList::Value>(this));
        Parent = nullptr;
    }
    BackgroundBrush.Reset();
    FreeObject(std::exchange(Hooks, nullptr));
    FreeObject(std::exchange(Children, nullptr));

    for (DestroyWatch* watch = watches; watch != nullptr; watch = watch->next)
        if (watch->control == this)
            watch->destroyed = true;
    ToolkitObject::Destroy();
}

} // namespace toolkit
