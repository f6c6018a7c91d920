#pragma once

#include <windows.h>

#include "toolkit/window/MessageRecord.h"

namespace toolkit {

// The window procedure of every window class the toolkit registers.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The native class's handling of a message, or the platform default.
LRESULT DefaultHandling(Control* control, MessageRecord& record);

bool IsMainWindow(const Control* control);

// The window property that links a toolkit window to its Control.
inline constexpr const wchar_t* SelfProperty = L"SELF_";
// Sets the property, and the toolkit's copy of it.
void BindWindow(HWND window, Control* control);
// Removes the property, and the copy.
void UnbindWindow(HWND window);
// The window is destroyed, and the platform drops its properties with it.
void ForgetWindow(HWND window);
// The Control that the window's property names, or none.
Control* ControlOfWindow(HWND window);

} // namespace toolkit
