#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

bool IsEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

void ShrinkByOne(RECT& r)
{
    ++r.left;
    ++r.top;
    --r.right;
    --r.bottom;
}

// Takes the glyph's side off the caption rectangle. Glyph frames themselves
// are not drawn: no button of this program has one.
void LeaveRoomForGlyph(const Button* button, RECT& caption)
{
    if (button->Glyph == nullptr || button->GlyphWidth <= 0 || button->GlyphHeight <= 0)
        return;
    switch (button->GlyphLayout) {
    case GlyphLeft:
        caption.left += button->GlyphWidth;
        break;
    case GlyphTop:
        caption.top += button->GlyphHeight;
        break;
    case GlyphRight:
        caption.right -= button->GlyphWidth;
        break;
    case GlyphBottom:
        caption.bottom -= button->GlyphHeight;
        break;
    default:
        break;
    }
}

// Puts back what drawing the caption changed in the item's DC: the text
// colour, the font, the background mode and colour.
class DCStateScope {
public:
    explicit DCStateScope(HDC dc) : dc(dc), saved(SaveDC(dc)) {}
    ~DCStateScope() { RestoreDC(dc, saved); }
    DCStateScope(const DCStateScope&) = delete;
    DCStateScope& operator=(const DCStateScope&) = delete;

private:
    HDC dc;
    int saved;
};

void DrawCaption(Button* button, HDC dc, const RECT& rect, bool pressed)
{
    ControlText text = GetControlText(button);
    if (button->CaptionFilter != nullptr)
        button->CaptionFilter(button, text);
    DCStateScope scope(dc);
    UINT options = ETO_CLIPPED;
    if (button->Transparent || button->GlyphLayout == GlyphCentre) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkColor(dc, ResolveColor(button->Color));
        options |= ETO_OPAQUE;
    }
    if (button->Font != nullptr)
        SelectObject(dc, GetToolHandle(button->Font));
    SetTextColor(dc, ResolveColor(button->TextColor));

    const WideText wide(text.View());
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.Text(), wide.Length(), &extent);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int top = rect.top + (height - extent.cy) / 2;
    int left = rect.right - extent.cx;
    if (button->TextAlign == TextAlignLeft)
        left = rect.left;
    else if (button->TextAlign == TextAlignCentre)
        left = rect.left + (width - extent.cx) / 2;
    if (pressed) {
        left += button->PressedShiftX;
        top += button->PressedShiftY;
    }
    if (top < 0)
        top = 0;
    if (left < rect.left)
        left = rect.left;
    ExtTextOutW(dc, left, top, options, &rect, wide.Text(), static_cast<UINT>(wide.Length()),
                nullptr);
    if (button->AfterText != nullptr)
        button->AfterText(button, dc, rect);
}

bool DrawnByOwner(Button* button, HDC dc, ButtonDrawState state)
{
    if (!button->OnDrawButton)
        return false;
    Canvas* canvas = GetControlCanvas(button);
    // A handler that changes the font frees the control's canvas: the one it
    // draws on goes only once the item's DC has been taken out of it.
    ObjectReference hold(canvas);
    SetCanvasHandle(canvas, dc);
    const bool done = button->OnDrawButton.Fire(button, state);
    SetCanvasHandle(canvas, nullptr);
    return done;
}

} // namespace

ButtonDrawState DecideDrawState(const Button* button, UINT itemState)
{
    const bool checkStyle = (button->ButtonOptions & ButtonCheckStyle) != 0;
    ButtonDrawState state = ButtonDrawState::Normal;
    if (checkStyle ? button->Checked : (itemState & ODS_SELECTED) != 0)
        state = ButtonDrawState::Pressed;
    if (itemState & ODS_DISABLED)
        state = ButtonDrawState::Disabled;
    if (state == ButtonDrawState::Normal && (itemState & ODS_FOCUS))
        state = ButtonDrawState::Focused;
    if ((state == ButtonDrawState::Normal || state == ButtonDrawState::Focused) &&
        button->MouseInside)
        state = ButtonDrawState::Hot;
    return state;
}

void DrawButton(Button* button, const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    if (button == nullptr || dc == nullptr)
        return;
    if (DrawnByOwner(button, dc, DecideDrawState(button, item.itemState)))
        return;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    RECT rect = item.rcItem;
    if ((button->ButtonOptions & ButtonNoBorder) == 0) {
        if (focused) {
            FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            ShrinkByOne(rect);
        }
        if (!button->FlatLook || button->MouseInside || focused) {
            DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
            ShrinkByOne(rect);
        }
    }
    LeaveRoomForGlyph(button, rect);
    if ((button->ButtonOptions & ButtonNoCaption) == 0 && !IsEmpty(rect))
        DrawCaption(button, dc, rect, pressed);
}

} // namespace toolkit
