#include "toolkit/window/Control.h"

namespace toolkit {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Moves the near edge to `position`, keeping the size on that axis.
void MoveEdge(Control* control, LONG RECT::*nearEdge, LONG RECT::*farEdge, int position)
{
    RECT bounds = GetBounds(control);
    const LONG size = bounds.*farEdge - bounds.*nearEdge;
    bounds.*nearEdge = position;
    bounds.*farEdge = position + size;
    SetBounds(control, bounds);
}

} // namespace

RECT GetBounds(Control* control)
{
    if (control == nullptr)
        return {};
    if (control->Handle == nullptr)
        return control->BoundsRect;
    RECT bounds{};
    GetWindowRect(control->Handle, &bounds);
    if (control->IsChild) {
        if (control->Parent == nullptr || control->Parent->Handle == nullptr)
            return control->BoundsRect;
        POINT origin{0, 0};
        ClientToScreen(control->Parent->Handle, &origin);
        bounds.left -= origin.x;
        bounds.right -= origin.x;
        bounds.top -= origin.y;
        bounds.bottom -= origin.y;
    }
    control->BoundsRect = bounds;
    return bounds;
}

void SetBounds(Control* control, const RECT& bounds)
{
    if (control == nullptr)
        return;
    const RECT current = GetBounds(control);
    if (SameRect(current, bounds))
        return;
    if (bounds.left != current.left)
        control->PositionSet |= LeftSet;
    if (bounds.top != current.top)
        control->PositionSet |= TopSet;
    control->BoundsRect = bounds;
    if (control->Handle != nullptr) {
        SetWindowPos(control->Handle, nullptr, bounds.left, bounds.top, Width(bounds),
                     Height(bounds), SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(control);
    }
}

void SetLeft(Control* control, int left)
{
    MoveEdge(control, &RECT::left, &RECT::right, left);
}

void SetTop(Control* control, int top)
{
    MoveEdge(control, &RECT::top, &RECT::bottom, top);
}

void SetWidth(Control* control, int width)
{
    RECT bounds = GetBounds(control);
    bounds.right = bounds.left + width;
    SetBounds(control, bounds);
}

void SetHeight(Control* control, int height)
{
    RECT bounds = GetBounds(control);
    bounds.bottom = bounds.top + height;
    SetBounds(control, bounds);
}

int GetWidth(Control* control)
{
    return Width(GetBounds(control));
}

int GetHeight(Control* control)
{
    return Height(GetBounds(control));
}

Control* SetControlPosition(Control* control, int left, int top)
{
    SetLeft(control, left);
    SetTop(control, top);
    return control;
}

Control* SetControlSize(Control* control, int width, int height)
{
    if (width > 0)
        SetWidth(control, width);
    if (height > 0)
        SetHeight(control, height);
    return control;
}

// The frame is the platform's to draw, and systems draw it differently: the
// caption of Windows 10 and 11 is taller than the classic one and their
// sizing border has a padding, so a fixed outer size leaves a client area
// that differs from one system to the next.
Control* SetClientSize(Control* control, int width, int height)
{
    if (control == nullptr)
        return nullptr;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, control->Style, FALSE, control->ExStyle);
    return SetControlSize(control, frame.right - frame.left, frame.bottom - frame.top);
}

RECT GetClientBounds(Control* control)
{
    if (control == nullptr)
        return {};
    RECT bounds = control->BoundsRect;
    if (HWND window = GetWindowHandle(control))
        GetClientRect(window, &bounds);
    bounds.left += control->ClientInsets.Left;
    bounds.top += control->ClientInsets.Top;
    bounds.right -= control->ClientInsets.Right;
    bounds.bottom -= control->ClientInsets.Bottom;
    return bounds;
}

// The arithmetic shift rounds toward minus infinity, so a control larger
// than its frame goes as far left and up as it sticks out.
void CenterWindow(Control* control)
{
    if (control == nullptr)
        return;
    RECT frame{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (control->IsChild && control->Parent != nullptr)
        frame = GetClientBounds(control->Parent);
    GetWindowHandle(control);
    SetLeft(control, (frame.right - (frame.left + GetWidth(control))) >> 1);
    SetTop(control, (frame.bottom - (frame.top + GetHeight(control))) >> 1);
}

} // namespace toolkit
