#include <vector>

#include "tests/support/ToolkitFixture.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/GdiHandle.h"
#include "toolkit/graphics/ObjectTally.h"

using namespace toolkit;

namespace {

struct Made {
    ObjectKind kind;
    void* handle;
};
std::vector<Made> made;

void Follow(ObjectKind kind, void* handle, bool isMade)
{
    if (isMade)
        made.push_back({kind, handle});
}

BOOL CALLBACK CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ThreadWindows()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// One form as the configurator builds it: fonts on every control, windows
// made, text measured, colour requests answered, then everything freed.
void BuildAndFreeOneForm()
{
    Control* form = CreateForm(nullptr, "Leak");
    SetToolField(GetControlFont(form), FontHeight, 17);
    for (int i = 0; i < 3; ++i) {
        Control* child = CreateChildControl(form, i == 2 ? "BUTTON" : "STATIC",
                                            WS_CHILD | WS_VISIBLE | WS_TABSTOP, nullptr, i == 1);
        if (i == 1)
            SetBackgroundColor(child, ColorWindow);
        SetToolField(GetControlFont(child), FontHeight, 17);
        SetFontName(child->Font, "Arial");
        TextExtent(GetControlCanvas(child), "Complete!");
        HDC dc = GetDC(child->Handle);
        SendMessageA(form->Handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(child->Handle));
        ReleaseDC(child->Handle, dc);
    }
    SetControlSize(form, 198, 171);
    CenterWindow(form);
    form->CreateNativeWindow();
    MainControl = nullptr;
    FreeObject(form);
}

using Leaks = ToolkitTest;

// The toolkit's tally is exact, so one leaked object per form shows at once;
// a few forms over again catch what only builds up, at a tenth of the time
// that a hundred windows take to make under Wine.
constexpr int Forms = 10;

TEST_F(Leaks, FormsWithChildrenAndFontsLeaveNothingBehind)
{
    // The first main form loads the program's icon; other forms copy it.
    Control* main = CreateForm(nullptr, "Main");
    MainControl = main;
    GetWindowHandle(main);

    const int windowsBefore = ThreadWindows();
    std::int32_t before[static_cast<int>(ObjectKind::Count)];
    for (int k = 0; k < static_cast<int>(ObjectKind::Count); ++k)
        before[k] = LiveObjects(static_cast<ObjectKind>(k));
    made.clear();
    SetObjectTrace(Follow);

    for (int i = 0; i < Forms; ++i) {
        MainControl = main;
        BuildAndFreeOneForm();
    }
    SetObjectTrace(nullptr);

    for (int k = 0; k < static_cast<int>(ObjectKind::Count); ++k)
        EXPECT_EQ(LiveObjects(static_cast<ObjectKind>(k)), before[k]) << "object kind " << k;
    EXPECT_EQ(ThreadWindows(), windowsBefore);

    // Ask the platform itself about every object that was made.
    int fonts = 0, brushes = 0, windows = 0, icons = 0;
    for (const Made& object : made) {
        switch (object.kind) {
        case ObjectKind::Font:
        case ObjectKind::Brush:
            (object.kind == ObjectKind::Font ? fonts : brushes) += 1;
            EXPECT_EQ(GetObjectType(static_cast<HGDIOBJ>(object.handle)), 0u);
            break;
        case ObjectKind::Window:
            ++windows;
            EXPECT_FALSE(IsWindow(static_cast<HWND>(object.handle)));
            break;
        case ObjectKind::Icon: {
            ++icons;
            ICONINFO info{};
            EXPECT_FALSE(GetIconInfo(static_cast<HICON>(object.handle), &info));
            break;
        }
        default:
            break;
        }
    }
    EXPECT_GE(fonts, 4 * Forms);
    EXPECT_GE(brushes, 2 * Forms);
    EXPECT_EQ(windows, 4 * Forms);
    EXPECT_EQ(icons, Forms);
    MainControl = nullptr;
    FreeObject(main);
}

// Whatever its holder forgets to let go goes at the holder's end.
TEST_F(Leaks, OwnersLetGoAtTheirEnd)
{
    const std::int32_t fonts = LiveObjects(ObjectKind::Font);
    const std::int32_t dcs = LiveObjects(ObjectKind::DeviceContext);
    {
        GdiObject<HFONT> font;
        font.Take(MakeFont(LOGFONTA{}));
        DeviceContext dc;
        dc.Take(MakeMemoryDC(), DeviceContext::Source::Memory, nullptr);
        EXPECT_EQ(LiveObjects(ObjectKind::Font), fonts + 1);
        EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs + 1);
    }
    EXPECT_EQ(LiveObjects(ObjectKind::Font), fonts);
    EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs);
}

} // namespace
