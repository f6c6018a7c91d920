#pragma once

#include <windows.h>

#include "toolkit/control/MessageRecord.h"

namespace toolkit {

// The platform calls of mouse tracking: the two that find "_TrackMouseEvent"
// and the cursor position. Tests replace them to see each lookup and to put
// the cursor at an exact point.
struct MouseTrackingPlatform {
    HMODULE(WINAPI* GetModuleHandle)(LPCSTR name);
    FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
    BOOL(WINAPI* GetCursorPos)(POINT* point);
};
extern MouseTrackingPlatform MouseTrackingCalls;

// Asks comctl32's "_TrackMouseEvent" for the request when that library is
// already loaded (it is never loaded here); 0 otherwise.
BOOL TrackMouseLeave(TRACKMOUSEEVENT& request);

// Keeps MouseInside and fires OnMouseEnter and OnMouseLeave; never claims
// a message.
bool MouseTrackingHook(Control* control, MessageRecord& record, LRESULT& result);

} // namespace toolkit
