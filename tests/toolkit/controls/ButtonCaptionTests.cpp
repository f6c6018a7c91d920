#include "tests/support/ToolkitFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/graphics/Color.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"

using namespace toolkit;

namespace {

// The item's DC belongs to whoever drew before the button and draws after it:
// the caption changes its text colour, font, background mode and colour only
// while it is drawn.
TEST_F(FormTest, DrawingTheCaptionLeavesTheItemDCAsItFoundIt)
{
    Button* button = CreateButton(form, "Go", 0, GlyphLeft, nullptr, 0);
    SetControlSize(button, 80, 24);
    SetFontName(GetControlFont(button), "Arial");
    button->TextColor = RGB(200, 10, 10);
    button->Color = RGB(10, 10, 200);
    ASSERT_NE(GetWindowHandle(button), nullptr);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(80, 24, 1, 32, nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ ownFont = GetStockObject(ANSI_FIXED_FONT);
    SelectObject(dc, ownFont);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button->Handle;
    item.hDC = dc;
    item.rcItem = {0, 0, 80, 24};
    const auto expectAsFound = [&](int backMode) {
        EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
        EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
        EXPECT_EQ(GetBkMode(dc), backMode);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont);
    };

    // Opaque on the button's colour, then transparent.
    SetBkMode(dc, TRANSPARENT);
    DrawButton(button, item);
    expectAsFound(TRANSPARENT);
    button->Transparent = true;
    SetBkMode(dc, OPAQUE);
    DrawButton(button, item);
    expectAsFound(OPAQUE);

    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
