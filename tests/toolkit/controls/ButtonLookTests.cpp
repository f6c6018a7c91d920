#include <string>
#include <vector>

#include "tests/toolkit/controls/DrivenForm.h"
#include "toolkit/window/KeyButton.h"
#include "toolkit/controls/Button.h"
#include "toolkit/graphics/Color.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"

using namespace toolkit;
using userinput::PumpUntil;
using userinput::Xdotool;

namespace {

// The button's client area as it is on the screen, read back after a redraw.
class Picture {
public:
    explicit Picture(HWND window)
    {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC windowDC = GetDC(window);
        HDC memory = CreateCompatibleDC(windowDC);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* quads = static_cast<const RGBQUAD*>(bits);
        for (int i = 0; bits != nullptr && i < width * height; ++i)
            pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, windowDC);
    }

    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height || pixels.empty())
            return CLR_INVALID;
        return pixels[static_cast<std::size_t>(y * width + x)];
    }
    COLORREF TopLeft(int inset) const { return At(inset, inset); }
    COLORREF BottomRight(int inset) const { return At(width - 1 - inset, height - 1 - inset); }

    // The box of the caption's pixels, inside the three-pixel border.
    RECT Ink(COLORREF ink) const
    {
        RECT box{width, height, -1, -1};
        for (int y = 3; y < height - 3; ++y)
            for (int x = 3; x < width - 3; ++x)
                if (At(x, y) == ink) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }

    int width = 0;
    int height = 0;

private:
    std::vector<COLORREF> pixels;
};

// The system colours of a raised or sunk edge: the outer and the inner line of
// the top-left sides, then of the bottom-right ones.
struct Edges {
    int OuterTopLeft, InnerTopLeft, OuterBottomRight, InnerBottomRight;
};

void ExpectEdges(const Picture& picture, const Edges& edges)
{
    EXPECT_EQ(picture.TopLeft(0), GetSysColor(edges.OuterTopLeft));
    EXPECT_EQ(picture.TopLeft(1), GetSysColor(edges.InnerTopLeft));
    EXPECT_EQ(picture.BottomRight(0), GetSysColor(edges.OuterBottomRight));
    EXPECT_EQ(picture.BottomRight(1), GetSysColor(edges.InnerBottomRight));
}

int clicks = 0;

class ButtonLook : public DrivenFormTest {
protected:
    void Build() override
    {
        clicks = 0;
        MakeForm("Button look", {200, 150, 460, 330});
        // As the configurator's button: flat, never focused, shifted when pressed.
        button = CreateButton(form, "\xCA\xEE\xED\xF4\xE8\xE3\xF3\xF0\xE8\xF0\xEE\xE2\xE0\xF2\xFC",
                              0, GlyphLeft, nullptr, 0);
        SetControlPosition(button, 8, 60);
        SetControlSize(button, 177, 26);
        MakeNonFocusable(button);
        SetFlatLook(button, true);
        button->PressedShiftX = 1;
        button->PressedShiftY = 1;
        button->OnClick = {[](void*, Control*) { ++clicks; }, nullptr};
        LoadLibraryA("comctl32.dll");
    }

    Button* button = nullptr;
};

TEST_F(ButtonLook, FlatButtonShowsNoEdgeARaisedEdgeAndASunkenShiftedOne)
{
    const COLORREF face = ResolveColor(button->Color);
    const COLORREF ink = ResolveColor(button->TextColor);

    ASSERT_TRUE(PointAt(userinput::ScreenPoint(form->Handle, 230, 20)));
    userinput::Drain();
    ASSERT_FALSE(button->MouseInside);
    const Picture normal(button->Handle);
    userinput::Screenshot("button-1-normal");
    ASSERT_EQ(normal.width, 177);
    for (int inset = 0; inset < 2; ++inset) {
        EXPECT_EQ(normal.TopLeft(inset), face) << inset;
        EXPECT_EQ(normal.BottomRight(inset), face) << inset;
    }

    const POINT centre = userinput::ScreenPoint(button->Handle, 88, 13);
    ASSERT_TRUE(PointAt(centre));
    ASSERT_TRUE(PumpUntil([&] { return button->MouseInside; }));
    const Picture hot(button->Handle);
    userinput::Screenshot("button-2-hot");
    ExpectEdges(hot, {COLOR_3DLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW});
    EXPECT_NE(hot.TopLeft(1), face);

    Xdotool("mousedown 1");
    ASSERT_TRUE(PumpUntil([&] { return (Perform(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }));
    const Picture pressed(button->Handle);
    userinput::Screenshot("button-3-pressed");
    ExpectEdges(pressed, {COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DLIGHT});

    const RECT up = hot.Ink(ink);
    const RECT down = pressed.Ink(ink);
    ASSERT_GE(up.right, up.left) << "no caption drawn";
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
    EXPECT_EQ(down.right, up.right + 1);
    EXPECT_EQ(down.bottom, up.bottom + 1);
    // The caption stays where it is when the mouse comes and goes.
    const RECT still = normal.Ink(ink);
    EXPECT_EQ(still.left, up.left);
    EXPECT_EQ(still.top, up.top);

    Xdotool("mouseup 1");
    ASSERT_TRUE(PumpUntil([&] { return clicks > 0; }));
    EXPECT_EQ(clicks, 1);
}

} // namespace
