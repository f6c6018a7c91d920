#pragma once

#include <windows.h>

#include "toolkit/control/MessageRecord.h"

namespace toolkit {

// The window procedure of every window class the toolkit registers.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The native class's handling of a message, or the platform default.
LRESULT DefaultHandling(Control* control, MessageRecord& record);

bool IsMainWindow(const Control* control);

// The window property that links a toolkit window to its Control.
inline constexpr const char* SelfProperty = "SELF_";
Control* ControlOfWindow(HWND window);

} // namespace toolkit
