#pragma once

#include <windows.h>

#include <string>

#include "tests/support/ChildProcess.h"

// The run-time error box of a child process ("Error"): found, read and closed.

// The box, or null when none appears within the wait or the process ends first.
// A box already seen (closed but maybe not gone yet) is passed over.
HWND WaitForErrorBox(const ChildProcess& child, DWORD milliseconds, HWND seen = nullptr);
std::string BoxText(HWND box);
void PressOk(HWND box);
