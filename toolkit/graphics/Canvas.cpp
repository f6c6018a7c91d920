#include "toolkit/graphics/Canvas.h"

#include <utility>

#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

void DeselectOnToolChange(void* canvas, DrawingTool*)
{
    DeselectCanvasTools(static_cast<Canvas*>(canvas));
}

void SelectFont(Canvas* canvas)
{
    if (canvas->FontTool != nullptr) {
        HGDIOBJ font = GetToolHandle(canvas->FontTool);
        canvas->FontTool->OnChange = {DeselectOnToolChange, canvas};
        HDC dc = GetCanvasHandle(canvas);
        SelectObject(dc, font);
        SetTextColor(dc, ResolveColor(canvas->FontTool->Data.Color));
    } else if (canvas->Owner.TextColor != nullptr) {
        SetTextColor(canvas->DC.Get(), ResolveColor(*canvas->Owner.TextColor));
    }
}

} // namespace

Canvas* CreateCanvas(HDC dc)
{
    auto* canvas = CreateObject<Canvas>();
    if (dc != nullptr)
        SetCanvasHandle(canvas, dc);
    return canvas;
}

void Canvas::Destroy()
{
    SetCanvasHandle(this, nullptr);
    FreeObject(std::exchange(FontTool, nullptr));
    ToolkitObject::Destroy();
}

HDC GetCanvasHandle(Canvas* canvas)
{
    if (canvas == nullptr)
        return nullptr;
    if (canvas->DCProvider) {
        // The provider may make the owner's window, which frees this canvas:
        // it goes only once the provider's answer is in place.
        ObjectReference hold(canvas);
        const HDC dc = canvas->DCProvider.Fire(canvas);
        // A DC other than the one attached is the owner window's own.
        SetCanvasHandle(canvas, dc, DeviceContext::Source::Window);
        return dc;
    }
    return canvas->DC.Get();
}

void SetCanvasHandle(Canvas* canvas, HDC dc, DeviceContext::Source from)
{
    if (canvas == nullptr || dc == canvas->DC.Get())
        return;
    if (canvas->DC) {
        DeselectCanvasTools(canvas);
        canvas->DC.Reset();
        canvas->State &= ~CanvasHasDC;
    }
    if (dc != nullptr) {
        if (from == DeviceContext::Source::HandedOver && canvas->DCProvider)
            from = DeviceContext::Source::Lent;
        canvas->State |= CanvasHasDC;
        const HWND window = canvas->Owner.Window != nullptr ? *canvas->Owner.Window : nullptr;
        canvas->DC.Take(dc, from, window);
    }
}

void DeselectCanvasTools(Canvas* canvas)
{
    if (canvas == nullptr || !canvas->DC || (canvas->State & CanvasFontSelected) == 0)
        return;
    SelectObject(canvas->DC.Get(), GetStockObject(SYSTEM_FONT));
    canvas->State &= ~CanvasFontSelected;
}

HDC RequireCanvasState(Canvas* canvas, std::uint8_t flags)
{
    if (canvas == nullptr)
        return nullptr;
    if (flags & CanvasNotifyFirst)
        canvas->OnChange.Fire(canvas);
    flags &= CanvasHasDC | CanvasFontSelected;
    if ((flags & CanvasHasDC) && GetCanvasHandle(canvas) == nullptr)
        return nullptr;
    const std::uint8_t missing = flags & ~canvas->State;
    if (missing == 0)
        return canvas->DC.Get();
    if (missing & CanvasFontSelected)
        SelectFont(canvas);
    canvas->State |= missing;
    return canvas->DC.Get();
}

SIZE TextExtent(Canvas* canvas, std::string_view text)
{
    SIZE size{};
    if (canvas == nullptr)
        return size;
    // Taking the DC may make the owner's window, which gives the owner a new
    // canvas and frees this one: it then measures on a memory DC, and goes
    // only when the measure is done.
    ObjectReference hold(canvas);
    if (RequireCanvasState(canvas, CanvasHasDC | CanvasFontSelected) == nullptr) {
        // No window DC could be had: measure on one compatible with the screen.
        SetCanvasHandle(canvas, MakeMemoryDC(), DeviceContext::Source::Memory);
    }
    const WideText wide(text);
    GetTextExtentPoint32W(RequireCanvasState(canvas, CanvasHasDC | CanvasFontSelected),
                          wide.Text(), wide.Length(), &size);
    SetCanvasHandle(canvas, nullptr);
    return size;
}

TextAreaResult TextArea(Canvas* canvas, std::string_view text)
{
    return {TextExtent(canvas, text), {0, 0}};
}

} // namespace toolkit
