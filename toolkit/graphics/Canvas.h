#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "toolkit/object/EventSlot.h"
#include "toolkit/object/ToolkitObject.h"

namespace toolkit {

class Control;
class DrawingTool;

// Canvas State bits and RequireCanvasState flags.
enum CanvasState : std::uint8_t {
    CanvasHasDC = 0x01,
    CanvasFontSelected = 0x08,
    CanvasNotifyFirst = 0x10, // RequireCanvasState only
};

// Binds a font to a device context and measures text. A control's canvas
// holds a device context only while it works.
// Made by CreateObject: members without an initializer start at zero.
class Canvas : public ToolkitObject {
public:
    Control* Owner;
    HDC DC;
    DrawingTool* FontTool;
    std::uint8_t State;
    EventSlot<void(Canvas* canvas)> OnChange;
    EventSlot<HDC(Canvas* canvas)> DCProvider;

    // Where DC came from, and so how it is let go: a window's DC goes back to
    // the window, a memory DC made for measuring is deleted, and a DC handed in
    // by a drawing routine stays with that routine.
    enum class DCSource : std::uint8_t { HandedIn, Window, Memory };
    DCSource Source = DCSource::HandedIn;

protected:
    void Destroy() override;
};

Canvas* CreateCanvas(HDC dc);
HDC RequireCanvasState(Canvas* canvas, std::uint8_t flags);
void SetCanvasHandle(Canvas* canvas, HDC dc);
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
