#include "tests/support/ToolkitFixture.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/ObjectTally.h"

using namespace toolkit;

namespace {

using Brushes = FormTest;

TEST_F(Brushes, ControlsOfOneColourShareTheOutermostBrush)
{
    EXPECT_EQ(ResolveColor(ColorButtonFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ResolveColor(0x00123456), 0x00123456u);

    Control* panel = NewChild(form);
    Control* inner = NewChild(panel);
    HBRUSH shared = GetControlBrush(inner);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(form->BackgroundBrush.Get(), shared);
    EXPECT_EQ(panel->BackgroundBrush.Get(), nullptr);
    EXPECT_EQ(inner->BackgroundBrush.Get(), nullptr);
    EXPECT_EQ(GetControlBrush(panel), shared);

    SetBackgroundColor(inner, ColorWindow);
    HBRUSH own = GetControlBrush(inner);
    EXPECT_NE(own, shared);
    EXPECT_EQ(inner->BackgroundBrush.Get(), own);
    LOGBRUSH seen{};
    GetObjectA(own, sizeof(seen), &seen);
    EXPECT_EQ(seen.lbColor, GetSysColor(COLOR_WINDOW));

    const std::int32_t brushes = LiveObjects(ObjectKind::Brush);
    SetBackgroundColor(inner, RGB(9, 8, 7));
    EXPECT_EQ(LiveObjects(ObjectKind::Brush), brushes - 1) << "a colour change drops the brush";
    FreeObject(form);
    form = nullptr;
    EXPECT_EQ(GetObjectType(shared), 0u);
}

using Canvases = FormTest;

TEST_F(Canvases, TextExtentMakesTheWindowAndGivesItsDCBack)
{
    Control* label = NewChild(form);
    SetToolField(GetControlFont(label), FontHeight, 17);
    SetFontName(label->Font, "Arial");
    const std::int32_t dcs = LiveObjects(ObjectKind::DeviceContext);

    Canvas* canvas = GetControlCanvas(label);
    EXPECT_EQ(GetControlCanvas(label), canvas);
    ASSERT_NE(canvas->FontTool, nullptr);
    EXPECT_NE(canvas->FontTool, label->Font);
    EXPECT_EQ(label->Handle, nullptr);

    const SIZE one = TextExtent(canvas, "W");
    EXPECT_NE(label->Handle, nullptr);
    EXPECT_EQ(form->Handle != nullptr, true);
    // The window took the label's font, and with it a new canvas.
    canvas = GetControlCanvas(label);
    const SIZE three = TextExtent(canvas, "WWW");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(three.cx, 3 * one.cx);
    EXPECT_GE(one.cy, 15);
    EXPECT_LE(one.cy, 25);
    EXPECT_EQ(canvas->DC.Get(), nullptr);
    EXPECT_EQ(canvas->State, 0);
    EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs);

    const SIZE none = TextExtent(canvas, "");
    EXPECT_EQ(none.cx, 0);

    SetToolField(label->Font, FontHeight, 40); // a font change drops the canvas
    EXPECT_EQ(label->Canvas, nullptr);
    EXPECT_GT(TextExtent(GetControlCanvas(label), "W").cy, one.cy);
}

// Asked for its DC before the window exists, a control's canvas has the
// window made, which gives the label a fresh canvas and frees this one.
TEST_F(Canvases, ACanvasFreedWhileItsWindowIsMadeTakesNoDC)
{
    Control* label = NewChild(form);
    SetToolField(GetControlFont(label), FontHeight, 17);
    const std::int32_t dcs = LiveObjects(ObjectKind::DeviceContext);
    Canvas* canvas = GetControlCanvas(label);
    bool freed = false;
    canvas->OnDestroy = {[](void* seen, ToolkitObject*) { *static_cast<bool*>(seen) = true; },
                         &freed};
    MoveTo(canvas, 3, 4);
    EXPECT_NE(label->Handle, nullptr);
    EXPECT_TRUE(freed);
    EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs) << "a DC went to a freed canvas";
    FreeObject(form);
    form = nullptr;
    EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs);
}

TEST_F(Canvases, WithoutAWindowTheScreenMeasures)
{
    Control* orphan = NewChild(nullptr); // a child with no parent has no window
    const std::int32_t dcs = LiveObjects(ObjectKind::DeviceContext);
    Canvas* canvas = GetControlCanvas(orphan);
    const SIZE size = TextExtent(canvas, "Hello");
    EXPECT_EQ(orphan->Handle, nullptr);
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs);
    FreeObject(orphan);
}

TEST_F(Canvases, ADCHandedInIsLeftToItsOwner)
{
    Control* label = NewChild(form);
    ASSERT_NE(GetWindowHandle(label), nullptr);
    HDC paint = GetDC(label->Handle);
    Canvas* canvas = GetControlCanvas(label);
    SetCanvasHandle(canvas, paint);
    MoveTo(canvas, 5, 6);
    POINT position{};
    GetCurrentPositionEx(paint, &position);
    EXPECT_EQ(position.x, 5);
    SetCanvasHandle(canvas, nullptr);
    EXPECT_NE(GetObjectType(paint), 0u);
    EXPECT_EQ(ReleaseDC(label->Handle, paint), 1);
}

} // namespace
