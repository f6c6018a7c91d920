#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/window/Control.h"

namespace toolkit {

class ControlText;

// ButtonOptions bits.
enum ButtonOption : std::uint8_t {
    ButtonGlyphIsImageList = 0x01,
    ButtonNoBorder = 0x02, // no focus frame, no edge, no glyph spacing
    ButtonNoCaption = 0x04,
    ButtonCheckStyle = 0x08, // each press toggles Checked
};

// Where the glyph sits: left of the caption, above, right, below, or centred.
enum GlyphPlace : std::uint8_t { GlyphLeft, GlyphTop, GlyphRight, GlyphBottom, GlyphCentre };

// How a button is drawn, in the order the state is decided.
enum class ButtonDrawState : std::uint8_t { Normal, Pressed, Disabled, Focused, Hot };

enum ButtonTextAlign : std::uint8_t { TextAlignLeft, TextAlignRight, TextAlignCentre };

using CaptionFilterProcedure = void (*)(Control* button, ControlText& caption);
using AfterTextProcedure = void (*)(Control* button, HDC dc, const RECT& captionRect);

// A push button that the toolkit draws itself.
// Made by CreateObject: members without an initializer start at zero.
class Button : public Control {
public:
    std::uint8_t ButtonOptions;
    std::uint8_t GlyphLayout = GlyphLeft;
    HANDLE Glyph;
    int GlyphCount;
    int GlyphWidth;
    int GlyphHeight;
    bool Checked;
    bool FlatLook;
    int RepeatInterval; // ms; above 0 a held button clicks again and again
    int PressedShiftX;
    int PressedShiftY;
    std::uint8_t TextAlign = TextAlignCentre;
    // Custom drawing, with the control's canvas on the item's DC: true when
    // it has drawn everything.
    EventSlot<bool(Control* sender, ButtonDrawState state)> OnDrawButton;
    CaptionFilterProcedure CaptionFilter;
    AfterTextProcedure AfterText;

    Button* AsButton() override { return this; }
};

// The steps of CreateButton: the button up to its glyph, the glyph's frame
// size, and the rest.
Button* CreateButtonControl(Control* parent, std::uint8_t options, std::uint8_t layout,
                            HANDLE glyph);
void SizeForGlyph(Button* button, int glyphCount, bool hasCaption);
Button* FinishButton(Button* button, Control* parent, const char* caption);

// Inline, so that a program whose buttons have no glyph holds none of the
// glyph's measuring.
[[gnu::always_inline]] inline Button* CreateButton(Control* parent, const char* caption,
                                                std::uint8_t options, std::uint8_t layout,
                                                HANDLE glyph, int glyphCount)
{
    Button* button = CreateButtonControl(parent, options, layout, glyph);
    if (glyph != nullptr)
        SizeForGlyph(button, glyphCount, caption != nullptr && caption[0] != 0);
    return FinishButton(button, parent, caption);
}

// With the flat look the edge shows only while the mouse is over the button,
// or while it is pressed or focused.
void SetFlatLook(Button* button, bool on);

// Draws the item that WM_DRAWITEM describes (reflected to the button).
void DrawButton(Button* button, const DRAWITEMSTRUCT& item);
ButtonDrawState DecideDrawState(const Button* button, UINT itemState);

} // namespace toolkit
