#pragma once

#include <windows.h>

#include "toolkit/graphics/GdiHandle.h"

namespace toolkit {

class Canvas;
class Control;
class DrawingTool;

// The control's font, made on first use. Its changes reach the window at once.
DrawingTool* GetControlFont(Control* control);
void ControlFontChanged(Control* control, DrawingTool* font);
// Hands the font to the window (when it exists), drops the canvas, and lets
// a control that sizes itself to its text measure again.
void ApplyControlFont(Control* control);

// The OnChange callback of a control's font (user data: the control).
void ControlFontChangedEvent(void* control, DrawingTool* font);

// The solid background brush, shared by every control that keeps the colour
// of the topmost ancestor of the same colour value, which owns it.
HBRUSH GetControlBrush(Control* control);

Canvas* GetControlCanvas(Control* control);
// Lends the canvas the DC it holds, or takes the window's (making the window).
HDC ControlDCProvider(void* control, Canvas* canvas);

} // namespace toolkit
