#include "toolkit/window/MouseTracking.h"

#include "toolkit/window/CommonControls.h"
#include "toolkit/window/Control.h"

namespace toolkit {

MouseTrackingPlatform MouseTrackingCalls{::GetCursorPos};

namespace {

constexpr UINT LastMouseMessage = 0x20A;

bool CursorInside(Control* control)
{
    if (control->OnTestMouseOver)
        return control->OnTestMouseOver.Fire(control);
    POINT point{};
    MouseTrackingCalls.GetCursorPos(&point);
    // Into client coordinates: less the client origin on the screen (as the
    // control's bounds find it, one platform function fewer).
    POINT origin{};
    ClientToScreen(control->Handle, &origin);
    point.x -= origin.x;
    point.y -= origin.y;
    const RECT bounds = GetClientBounds(control);
    // Edges included on all four sides.
    return point.x >= bounds.left && point.x <= bounds.right && point.y >= bounds.top &&
           point.y <= bounds.bottom;
}

void RequestLeave(Control* control, DWORD flags)
{
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request);
    request.dwFlags = flags;
    request.hwndTrack = control->Handle;
    TrackMouseLeave(request);
}

} // namespace

// comctl32 is loaded only when the mouse first enters a flat button, not at
// start: most runs never need it.
BOOL TrackMouseLeave(TRACKMOUSEEVENT& request)
{
    using TrackProcedure = BOOL(WINAPI*)(TRACKMOUSEEVENT*);
    auto track = reinterpret_cast<TrackProcedure>(reinterpret_cast<void*>(
        CommonControlsEntry("_TrackMouseEvent", CommonControlsLoad::FromSystemFolder)));
    return track != nullptr ? track(&request) : FALSE;
}

bool MouseTrackingHook(Control* control, MessageRecord& record, LRESULT&)
{
    if (record.Message >= WM_MOUSEFIRST && record.Message <= LastMouseMessage) {
        const bool inside = CursorInside(control);
        if (inside == control->MouseInside)
            return false;
        Invalidate(control);
        if (inside) {
            control->MouseInside = true;
            control->OnMouseEnter.Fire(control);
            RequestLeave(control, TME_LEAVE);
        } else {
            control->MouseInside = false;
            RequestLeave(control, TME_LEAVE | TME_CANCEL);
            control->OnMouseLeave.Fire(control);
        }
        Invalidate(control);
    } else if (record.Message == WM_MOUSELEAVE && control->MouseInside) {
        control->MouseInside = false;
        control->OnMouseLeave.Fire(control);
        Invalidate(control);
    }
    return false;
}

} // namespace toolkit
