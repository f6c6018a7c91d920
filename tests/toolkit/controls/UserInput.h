#pragma once

#include <windows.h>

#include <string>

#include "tests/support/Eventually.h"

// Real input for tests under Wine: xdotool and ImageMagick's import run as
// Linux programs on the prefix's display. Wine starts them but cannot wait
// for them, so a test polls for what the input does.
namespace userinput {

bool Available();
// Starts xdotool with the arguments; true when it could be started.
bool Xdotool(const std::string& arguments);
// Dispatches messages until the condition holds or the bound runs out.
using ::PumpUntil;
// Dispatches what is queued now, and what that queues in turn.
void Drain();
// The screen point of a client point of the window.
POINT ScreenPoint(HWND window, int x, int y);
// Where the screen is saved when CQ_SCREENSHOTS names a folder; nothing
// otherwise. Returns whether a picture was written.
bool Screenshot(const char* name);

} // namespace userinput
