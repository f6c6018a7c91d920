#include "toolkit/window/ControlGraphics.h"

#include <utility>

#include "toolkit/window/Control.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/ObjectTally.h"

namespace toolkit {

DrawingTool* GetControlFont(Control* control)
{
    if (control == nullptr)
        return nullptr;
    if (control->Font == nullptr) {
        DrawingTool* font = CreateFontTool();
        font->Data.Color = control->TextColor;
        font->OnChange = {ControlFontChangedEvent, control};
        control->Font = font;
    }
    return control->Font;
}

void ControlFontChangedEvent(void* control, DrawingTool* font)
{
    ControlFontChanged(static_cast<Control*>(control), font);
}

void ControlFontChanged(Control* control, DrawingTool* font)
{
    if (control == nullptr || font == nullptr)
        return;
    control->TextColor = font->Data.Color;
    ApplyControlFont(control);
    Invalidate(control);
}

void ApplyControlFont(Control* control)
{
    if (control == nullptr || control->Font == nullptr)
        return;
    if (control->Handle != nullptr) {
        control->TextColor = control->Font->Data.Color;
        Perform(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetToolHandle(control->Font)), 0xFFFF);
    }
    FreeObject(std::exchange(control->Canvas, nullptr));
    if (control->SizeToTextProcedure != nullptr)
        control->SizeToTextProcedure(control);
}

HBRUSH GetControlBrush(Control* control)
{
    if (control == nullptr)
        return nullptr;
    while (control->Parent != nullptr && control->Parent->Color == control->Color)
        control = control->Parent;
    const COLORREF color = ResolveColor(control->Color);
    if (control->BackgroundBrush && color != control->BackgroundBrushColor)
        control->BackgroundBrush.Reset();
    if (!control->BackgroundBrush) {
        control->BackgroundBrushColor = color;
        control->BackgroundBrush.Take(MakeSolidBrush(color));
    }
    return control->BackgroundBrush.Get();
}

Canvas* GetControlCanvas(Control* control)
{
    if (control == nullptr)
        return nullptr;
    if (control->Canvas != nullptr)
        return control->Canvas;
    Canvas* canvas = CreateCanvas(nullptr);
    control->Canvas = canvas;
    canvas->Owner = {&control->TextColor, &control->Handle};
    canvas->DCProvider = {ControlDCProvider, control};
    if (control->Font != nullptr)
        canvas->FontTool = AssignTool(canvas->FontTool, control->Font);
    return canvas;
}

HDC ControlDCProvider(void* control, Canvas* canvas)
{
    if (canvas->DC)
        return canvas->DC.Get();
    HWND window = GetWindowHandle(static_cast<Control*>(control));
    if (window == nullptr)
        return nullptr; // GetDC(0) would be the screen's
    // Making the window gave the control its font and a fresh canvas, and
    // freed this one: kept alive by GetCanvasHandle, it takes no DC to leak.
    if (canvas->FreePending())
        return nullptr;
    return TakeWindowDC(window);
}

} // namespace toolkit
