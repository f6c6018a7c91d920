// The canvas's drawing position, apart from the rest of the canvas: a program
// that only measures text then imports no line-drawing call.
#include "toolkit/graphics/Canvas.h"

namespace toolkit {

void MoveTo(Canvas* canvas, int x, int y)
{
    if (canvas == nullptr)
        return;
    MoveToEx(RequireCanvasState(canvas, CanvasHasDC), x, y, nullptr);
}

} // namespace toolkit
