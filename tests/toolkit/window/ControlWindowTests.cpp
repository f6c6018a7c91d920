#include <cstring>
#include <string>

#include "tests/support/ToolkitFixture.h"
#include "toolkit/window/Dispatch.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/graphics/ObjectTally.h"

using namespace toolkit;

namespace {

// Read before any test makes a control.
const std::uint16_t idAtStart = NextControlId;

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

int positionChanges = 0;
bool CountPositionChanges(Control*, MessageRecord& record, LRESULT&)
{
    if (record.Message == WM_WINDOWPOSCHANGING)
        ++positionChanges;
    return false;
}

using ClassDerivation = FormTest;

TEST_F(ClassDerivation, FormClassHasDoubleClicksOnlyAndTheToolkitProcedure)
{
    ASSERT_NE(GetWindowHandle(form), nullptr);
    WNDCLASSW info{};
    ASSERT_TRUE(GetClassInfoW(Module(), L"obj_Form", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.lpfnWndProc, WindowProcedure);
    EXPECT_EQ(info.hCursor, LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    EXPECT_EQ(form->Cursor, info.hCursor);
    EXPECT_EQ(form->NativeClassProc, nullptr);
    EXPECT_EQ(GetPropA(form->Handle, "SELF_"), form);
}

TEST_F(ClassDerivation, ButtonClassIsRegisteredOnceWithThePlatformButtonData)
{
    WNDCLASSW native{};
    ASSERT_TRUE(GetClassInfoW(nullptr, L"BUTTON", &native));
    Control* first = NewChild(form, "BUTTON");
    Control* second = NewChild(form, "BUTTON");
    ASSERT_NE(GetWindowHandle(first), nullptr);
    ASSERT_NE(GetWindowHandle(second), nullptr);

    WNDCLASSW derived{};
    ASSERT_TRUE(GetClassInfoW(Module(), L"obj_BUTTON", &derived));
    EXPECT_EQ(derived.lpfnWndProc, WindowProcedure);
    EXPECT_EQ(derived.style, native.style & 0xFFFFBF1Fu);
    EXPECT_EQ(derived.hCursor, native.hCursor);
    EXPECT_EQ(first->NativeClassProc, native.lpfnWndProc);
    EXPECT_EQ(GetClassLongPtrA(first->Handle, GCW_ATOM),
              GetClassLongPtrA(second->Handle, GCW_ATOM));
    for (Control* control : {form, first, second})
        EXPECT_EQ(GetPropA(control->Handle, "SELF_"), control);
}

// More windows than the toolkit keeps at hand: each still finds its own
// Control, and a destroyed window finds none.
TEST_F(ClassDerivation, EveryWindowFindsItsControlUntilItIsDestroyed)
{
    Control* children[40];
    HWND handles[40];
    for (int i = 0; i < 40; ++i) {
        children[i] = NewChild(form, "BUTTON");
        handles[i] = GetWindowHandle(children[i]);
        ASSERT_NE(handles[i], nullptr);
    }
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(ControlOfWindow(handles[i]), children[i]) << i;
        EXPECT_EQ(GetPropA(handles[i], "SELF_"), children[i]) << i;
    }
    FreeObject(form);
    form = nullptr;
    for (HWND handle : handles)
        EXPECT_EQ(ControlOfWindow(handle), nullptr);
}

TEST_F(ClassDerivation, LongClassNamesAreCutTo63Characters)
{
    static const std::string longName(200, 'Q');
    Control* child = NewChild(form, longName.c_str());
    ASSERT_NE(GetWindowHandle(child), nullptr);
    char name[256] = {};
    GetClassNameA(child->Handle, name, sizeof(name));
    EXPECT_EQ(std::string(name), "obj_" + std::string(59, 'Q'));
}

using LazyWindows = FormTest;

TEST_F(LazyWindows, ChildWindowRequestMakesTheFormFirstBothHidden)
{
    Control* label = NewChild(form, "STATIC");
    Control* button = NewChild(form, "BUTTON");
    EXPECT_EQ(form->Handle, nullptr);

    ASSERT_NE(GetWindowHandle(label), nullptr);
    ASSERT_NE(form->Handle, nullptr);
    EXPECT_EQ(GetParent(label->Handle), form->Handle);
    EXPECT_FALSE(IsWindowVisible(form->Handle));
    EXPECT_FALSE(IsWindowVisible(label->Handle));
    EXPECT_TRUE(form->ShowPending);
    EXPECT_TRUE(label->ShowPending);

    // What the application loop does first: show what waits to be shown.
    ASSERT_TRUE(form->CreateNativeWindow());
    EXPECT_TRUE(IsWindowVisible(form->Handle));
    EXPECT_TRUE(IsWindowVisible(label->Handle));
    ASSERT_NE(button->Handle, nullptr);
    EXPECT_TRUE(IsWindowVisible(button->Handle));
    EXPECT_FALSE(form->ShowPending);
    EXPECT_FALSE(label->ShowPending);
}

TEST_F(LazyWindows, AControlHiddenBeforeItsWindowStaysHidden)
{
    Control* hidden = NewChild(form);
    SetVisible(hidden, false);
    ASSERT_NE(GetWindowHandle(hidden), nullptr);
    ASSERT_TRUE(form->CreateNativeWindow());
    EXPECT_FALSE(IsWindowVisible(hidden->Handle));
}

TEST_F(LazyWindows, ChildIdsCountFrom0x8000AcrossForms)
{
    EXPECT_EQ(idAtStart, 0x8000);
    Control* other = NewForm();
    Control* a = NewChild(form);
    Control* b = NewChild(other);
    Control* c = NewChild(form);
    EXPECT_EQ(b->ControlId, a->ControlId + 1);
    EXPECT_EQ(c->ControlId, a->ControlId + 2);
    EXPECT_EQ(form->ControlId, 0);
    ASSERT_NE(GetWindowHandle(c), nullptr);
    EXPECT_EQ(GetDlgCtrlID(c->Handle), c->ControlId);
    FreeObject(other);
}

TEST_F(LazyWindows, ChildrenTakeTheirParentsLookAndADefaultBox)
{
    form->Margin = 5;
    form->TextColor = 0x123456;
    Control* edged = CreateChildControl(form, "STATIC", WS_CHILD | WS_BORDER, nullptr, true);
    EXPECT_EQ(edged->BoundsRect.left, 5);
    EXPECT_EQ(edged->BoundsRect.top, 5);
    EXPECT_EQ(edged->BoundsRect.right, 69);
    EXPECT_EQ(edged->BoundsRect.bottom, 69);
    EXPECT_EQ(edged->TextColor, 0x123456u);
    EXPECT_EQ(edged->Style & WS_BORDER, 0u);
    EXPECT_NE(edged->ExStyle & WS_EX_CLIENTEDGE, 0u);
    EXPECT_FALSE(edged->Visible);
    Control* tab = NewChild(form, "BUTTON", nullptr, WS_CHILD | WS_TABSTOP);
    EXPECT_TRUE(tab->TabStop);
    EXPECT_EQ(form->CurrentControl, tab);
    EXPECT_EQ(tab->TabOrder, 2);
}

using Bounds = FormTest;

TEST_F(Bounds, SetControlSizeChangesOnlyPositiveSides)
{
    Control* child = NewChild(form);
    SetControlSize(child, 100, 0);
    EXPECT_EQ(GetWidth(child), 100);
    EXPECT_EQ(GetHeight(child), 64);
    const RECT before = GetBounds(child);
    SetControlSize(child, 0, 0);
    const RECT after = GetBounds(child);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Bounds, SetBoundsWithTheCurrentRectangleDoesNothing)
{
    Control* child = NewChild(form);
    ASSERT_NE(GetWindowHandle(child), nullptr);
    AttachHook(child, CountPositionChanges);
    positionChanges = 0;
    const std::uint8_t positionSet = child->PositionSet;
    SetBounds(child, GetBounds(child));
    EXPECT_EQ(positionChanges, 0);
    EXPECT_EQ(child->PositionSet, positionSet);

    RECT moved = GetBounds(child);
    OffsetRect(&moved, 0, 7);
    SetBounds(child, moved);
    EXPECT_GT(positionChanges, 0);
    EXPECT_EQ(child->PositionSet, TopSet);
    EXPECT_EQ(GetBounds(child).top, moved.top);
}

TEST_F(Bounds, UnplacedFormsAndZeroSizesUseTheDefault)
{
    form->BoundsRect = {50, 60, 0, 0}; // stored, never set: position and size default
    ASSERT_NE(GetWindowHandle(form), nullptr);
    RECT r{};
    GetWindowRect(form->Handle, &r);
    EXPECT_FALSE(r.left == 50 && r.top == 60);
    EXPECT_GT(r.right - r.left, 0);
    EXPECT_GT(r.bottom - r.top, 0);

    Control* placed = NewForm();
    SetControlSize(placed, 220, 130);
    SetControlPosition(placed, 31, 47);
    EXPECT_EQ(placed->PositionSet, LeftSet | TopSet);
    ASSERT_NE(GetWindowHandle(placed), nullptr);
    GetWindowRect(placed->Handle, &r);
    EXPECT_EQ(r.left, 31);
    EXPECT_EQ(r.top, 47);
    EXPECT_EQ(r.right - r.left, 220);
    FreeObject(placed);
}

// A zero width or a zero height is left to the platform: the window gets the
// size the platform gives CW_USEDEFAULT there, as a plain window made with it
// beside the form shows, not a frame squeezed to its smallest.
TEST_F(Bounds, AZeroWidthOrAZeroHeightAloneGetsThePlatformsDefault)
{
    const struct {
        int width, height;
    } sizes[] = {{0, 130}, {220, 0}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        Control* sized = NewForm();
        SetBounds(sized, {50, 60, 50 + size.width, 60 + size.height});
        ASSERT_NE(GetWindowHandle(sized), nullptr);
        RECT made{};
        GetWindowRect(sized->Handle, &made);

        HWND plain = CreateWindowExA(sized->ExStyle, "STATIC", "", sized->Style & ~WS_VISIBLE, 50,
                                     60, size.width == 0 ? CW_USEDEFAULT : size.width,
                                     size.height == 0 ? CW_USEDEFAULT : size.height, nullptr,
                                     nullptr, Module(), nullptr);
        ASSERT_NE(plain, nullptr);
        RECT expected{};
        GetWindowRect(plain, &expected);
        DestroyWindow(plain);
        EXPECT_EQ(made.right - made.left, expected.right - expected.left);
        EXPECT_EQ(made.bottom - made.top, expected.bottom - expected.top);
        FreeObject(sized);
    }
}

TEST_F(Bounds, CenterWindowPutsA198By171FormAt413And298)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    SetControlSize(form, 198, 171);
    CenterWindow(form);
    ASSERT_NE(form->Handle, nullptr);
    RECT r{};
    GetWindowRect(form->Handle, &r);
    EXPECT_EQ(r.left, 413);
    EXPECT_EQ(r.top, 298);
    EXPECT_EQ(r.right - r.left, 198);
}

TEST_F(Bounds, ChildBoundsAreInTheParentsClientCoordinates)
{
    SetControlSize(form, 300, 200);
    Control* child = NewChild(form);
    SetControlPosition(child, 12, 34);
    ASSERT_NE(GetWindowHandle(child), nullptr);
    const RECT bounds = GetBounds(child);
    EXPECT_EQ(bounds.left, 12);
    EXPECT_EQ(bounds.top, 34);
}

using Properties = FormTest;

TEST_F(Properties, CaptionsOfAnyLengthReachTheWindow)
{
    const std::string huge(100000, 'z');
    Control* titled = NewForm(huge.c_str());
    ASSERT_NE(GetWindowHandle(titled), nullptr);
    EXPECT_EQ(std::strlen(titled->Caption.Get()), 100000u);
    // The platform's limit for a window text; the control keeps the whole text.
    EXPECT_EQ(GetWindowTextLengthA(titled->Handle), 32766);
    SetCaption(titled, std::string(40000, 'y').c_str());
    EXPECT_EQ(GetWindowTextLengthA(titled->Handle), 32766);
    SetCaption(titled, nullptr);
    EXPECT_EQ(titled->Caption.Get(), nullptr);
    EXPECT_EQ(GetWindowTextLengthA(titled->Handle), 0);
    SetCaption(titled, "\xCA\xEE\xED\xF4\xE8\xE3");
    char text[16] = {};
    GetWindowTextA(titled->Handle, text, sizeof(text));
    EXPECT_STREQ(text, "\xCA\xEE\xED\xF4\xE8\xE3");
    // The control's own text handed back: copied before the old copy goes.
    SetCaption(titled, titled->Caption.Get());
    EXPECT_STREQ(titled->Caption.Get(), "\xCA\xEE\xED\xF4\xE8\xE3");
    FreeObject(titled);
}

TEST_F(Properties, StyleAndVisibilityReachTheWindow)
{
    SetWindowStyle(form, form->Style & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    ASSERT_NE(GetWindowHandle(form), nullptr);
    EXPECT_EQ(GetWindowLongA(form->Handle, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    SetVisible(form, true);
    EXPECT_TRUE(IsVisible(form));
    ShowWindow(form->Handle, SW_HIDE);
    EXPECT_FALSE(IsVisible(form)); // a form asks its window
    EXPECT_TRUE(IsEnabled(form));
}

TEST_F(Properties, MissingIconResourceSendsNothingAndMainIconIsTheFallback)
{
    MainControl = form;
    SetIconFromResource(form, Module(), "APP");
    EXPECT_EQ(form->Icon.Get(), nullptr);
    EXPECT_EQ(form->SharedIcon.Get(), nullptr);
    EXPECT_EQ(form->Handle, nullptr); // nothing was sent, so no window was needed
    ASSERT_NE(GetWindowHandle(form), nullptr);
    HICON mainIcon = LoadIconA(Module(), "MAINICON");
    ASSERT_NE(mainIcon, nullptr);
    EXPECT_EQ(SendMessageA(form->Handle, WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(mainIcon));

    const std::int32_t icons = LiveObjects(ObjectKind::Icon);
    Control* other = NewForm();
    ASSERT_NE(GetWindowHandle(other), nullptr);
    EXPECT_NE(SendMessageA(other->Handle, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(LiveObjects(ObjectKind::Icon), icons + 1); // a copy of the main icon
    FreeObject(other);
    EXPECT_EQ(LiveObjects(ObjectKind::Icon), icons);
    MainControl = nullptr;
    FreeObject(form);
    form = nullptr;
    ICONINFO info{};
    ASSERT_NE(GetIconInfo(mainIcon, &info), 0) << "the shared icon is still there";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// A missing resource leaves nothing marked shared: the copy of the main icon
// that a later GetIcon makes belongs to the control and goes with it.
TEST_F(Properties, AfterAMissingIconResourceTheCopyOfTheMainIconIsStillDestroyed)
{
    MainControl = form;
    ASSERT_NE(GetIcon(form), nullptr);
    const std::int32_t icons = LiveObjects(ObjectKind::Icon);
    Control* other = NewForm();
    SetIconFromResource(other, Module(), "APP");
    ASSERT_NE(GetWindowHandle(other), nullptr);
    EXPECT_EQ(LiveObjects(ObjectKind::Icon), icons + 1);
    FreeObject(other);
    EXPECT_EQ(LiveObjects(ObjectKind::Icon), icons);
}

HWND formWindow = nullptr;
std::string destroyJournal;

void NoteDestroy(void* text, ToolkitObject*)
{
    destroyJournal += static_cast<const char*>(text);
    destroyJournal += IsWindow(formWindow) ? "+" : "-";
}

TEST_F(Properties, DestroyFreesOwnedObjectsThenChildrenLastFirstThenTheWindow)
{
    destroyJournal.clear();
    Control* first = NewChild(form);
    Control* second = NewChild(form);
    ASSERT_NE(GetWindowHandle(second), nullptr);
    formWindow = form->Handle;
    Control* owned = NewForm(); // any object will do
    AddOwnedObject(form, owned);
    owned->OnDestroy = {NoteDestroy, const_cast<char*>("O")};
    first->OnDestroy = {NoteDestroy, const_cast<char*>("1")};
    second->OnDestroy = {NoteDestroy, const_cast<char*>("2")};
    form->OnDestroy = {NoteDestroy, const_cast<char*>("F")};
    FreeObject(form);
    form = nullptr;
    EXPECT_EQ(destroyJournal, "F+O+2+1+");
    EXPECT_FALSE(IsWindow(formWindow));
}

} // namespace
