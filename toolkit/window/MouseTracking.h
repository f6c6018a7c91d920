#pragma once

#include <windows.h>

#include "toolkit/window/MessageRecord.h"

namespace toolkit {

// The platform call of mouse tracking that tells the cursor position. Tests
// replace it to put the cursor at an exact point. (comctl32, where
// "_TrackMouseEvent" is found, has its own: CommonControlsCalls.)
struct MouseTrackingPlatform {
    BOOL(WINAPI* GetCursorPos)(POINT* point);
};
extern MouseTrackingPlatform MouseTrackingCalls;

// Asks comctl32's "_TrackMouseEvent" for the request, loading the library
// from the system folder the first time; 0 when there is no such entry.
BOOL TrackMouseLeave(TRACKMOUSEEVENT& request);

// Keeps MouseInside and fires OnMouseEnter and OnMouseLeave; never claims
// a message.
bool MouseTrackingHook(Control* control, MessageRecord& record, LRESULT& result);

} // namespace toolkit
