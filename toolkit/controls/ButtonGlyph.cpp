// The frame size of a button's glyph, and the room it takes: apart from the
// rest of the button, so that a program whose buttons have none holds none of it.
#include "toolkit/controls/Button.h"

#include "toolkit/window/CommonControls.h"

namespace toolkit {

namespace {

constexpr int GlyphSpacing = 4;

// The image list's frame size. comctl32 is only asked when it is already
// loaded, as it must be for an image list to exist.
bool ImageListFrame(HANDLE list, int& width, int& height)
{
    using IconSize = BOOL(WINAPI*)(HANDLE, int*, int*);
    auto getSize = reinterpret_cast<IconSize>(reinterpret_cast<void*>(
        CommonControlsEntry("ImageList_GetIconSize", CommonControlsLoad::IfLoaded)));
    return getSize != nullptr && getSize(list, &width, &height);
}

bool BitmapFrame(Button* button)
{
    BITMAP bitmap{};
    if (GetObjectA(button->Glyph, sizeof(bitmap), &bitmap) == 0)
        return false;
    if (button->GlyphCount == 0 && bitmap.bmHeight > 0)
        button->GlyphCount = bitmap.bmWidth / bitmap.bmHeight; // square frames
    button->GlyphWidth = bitmap.bmWidth;
    button->GlyphHeight = bitmap.bmHeight;
    if (button->GlyphCount > 1)
        button->GlyphWidth = bitmap.bmWidth / button->GlyphCount;
    return true;
}

} // namespace

void SizeForGlyph(Button* button, int glyphCount, bool hasCaption)
{
    button->GlyphCount = glyphCount;
    if (button->ButtonOptions & ButtonGlyphIsImageList) {
        if (!ImageListFrame(button->Glyph, button->GlyphWidth, button->GlyphHeight))
            return;
    } else if (!BitmapFrame(button)) {
        return;
    }
    RECT& bounds = button->BoundsRect;
    std::uint16_t& marginX = button->Kind.SizeMarginX;
    std::uint16_t& marginY = button->Kind.SizeMarginY;
    const int layout = button->GlyphLayout;
    const bool sideBySide = layout == GlyphLeft || layout == GlyphRight;
    const bool stacked = layout == GlyphTop || layout == GlyphBottom;
    if (button->GlyphWidth > 0) {
        if (!hasCaption || layout == GlyphCentre) {
            bounds.right = bounds.left + button->GlyphWidth;
            marginX = 0;
        } else if (sideBySide) {
            bounds.right += button->GlyphWidth;
            marginX = static_cast<std::uint16_t>(marginX + button->GlyphWidth);
        }
    }
    if (button->GlyphHeight > 0) {
        if (stacked) {
            bounds.bottom += button->GlyphHeight;
            marginY = static_cast<std::uint16_t>(marginY + button->GlyphHeight);
        } else {
            bounds.bottom = bounds.top + button->GlyphHeight;
            marginY = 0;
        }
    }
    if (button->ButtonOptions & ButtonNoBorder)
        return;
    if (button->GlyphWidth != 0) {
        bounds.right += GlyphSpacing;
        if (marginX != 0)
            marginX = static_cast<std::uint16_t>(marginX + GlyphSpacing);
    }
    if (button->GlyphHeight > 0) {
        bounds.bottom += GlyphSpacing;
        if (marginY != 0)
            marginY = static_cast<std::uint16_t>(marginY + GlyphSpacing);
    }
}

} // namespace toolkit
