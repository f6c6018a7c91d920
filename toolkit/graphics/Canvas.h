#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/object/EventSlot.h"
#include "toolkit/object/ToolkitObject.h"

namespace toolkit {

class DrawingTool;

// Canvas State bits and RequireCanvasState flags.
enum CanvasState : std::uint8_t {
    CanvasHasDC = 0x01,
    CanvasFontSelected = 0x08,
    CanvasNotifyFirst = 0x10, // RequireCanvasState only
};

// What a canvas needs of the Control whose canvas it is: the text colour it
// draws with when it has no font of its own, and the window whose DC the
// DCProvider gives, which takes it back. None for a free canvas.
struct CanvasOwner {
    const toolkit::Color* TextColor;
    const HWND* Window;
};

// Binds a font to a device context and measures text. A control's canvas
// holds a device context only while it works.
// Made by CreateObject: members without an initializer start at zero.
class Canvas : public ToolkitObject {
public:
    CanvasOwner Owner;
    // The device context in use, with the way it is let go.
    DeviceContext DC;
    DrawingTool* FontTool;
    std::uint8_t State;
    EventSlot<void(Canvas* canvas)> OnChange;
    EventSlot<HDC(Canvas* canvas)> DCProvider;

protected:
    void Destroy() override;
};

Canvas* CreateCanvas(HDC dc);
HDC RequireCanvasState(Canvas* canvas, std::uint8_t flags);
// Attaches dc (none = detach) from the given source, letting the previous one
// go first. A DC handed over to a canvas with a DCProvider is only lent; a
// window's goes back to the owner's window.
void SetCanvasHandle(Canvas* canvas, HDC dc, DeviceContext::Source from);
// A canvas with a DCProvider only borrows a DC handed in here (a drawing
// routine lends it the item's DC); one without takes it over and deletes it.
inline void SetCanvasHandle(Canvas* canvas, HDC dc)
{
    SetCanvasHandle(canvas, dc, DeviceContext::Source::HandedOver);
}
HDC GetCanvasHandle(Canvas* canvas);
void DeselectCanvasTools(Canvas* canvas);
void MoveTo(Canvas* canvas, int x, int y);
SIZE TextExtent(Canvas* canvas, std::string_view text);

struct TextAreaResult {
    SIZE Size;
    POINT Origin;
};
TextAreaResult TextArea(Canvas* canvas, std::string_view text);

} // namespace toolkit
