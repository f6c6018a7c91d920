#include <algorithm>
#include <cstring>
#include <string>

#include "tests/support/Eventually.h"
#include "tests/support/ToolkitFixture.h"
#include "toolkit/controls/ComboBoxControl.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/ListOperations.h"
#include "toolkit/controls/SizeToText.h"
#include "toolkit/graphics/Canvas.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/object/PointerList.h"

using namespace toolkit;

namespace {

constexpr DWORD ClipStyles = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// "COM порт" in Windows-1251.
constexpr const char* PortCaption = "COM \xEF\xEE\xF0\xF2";

// A window made before the loop runs waits hidden to be shown: its style is
// compared as it will be shown.
DWORD WindowStyle(Control* control)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(GetWindowHandle(control), GWL_STYLE));
    return control->ShowPending ? style | WS_VISIBLE : style;
}

// Read as another program reads it, in the system's code page (1251 here).
std::string Item(Control* combo, int index)
{
    char text[256] = {};
    HWND window = GetWindowHandle(combo);
    const LRESULT length = SendMessageA(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0 || length >= static_cast<LRESULT>(sizeof(text)))
        return "<none>";
    SendMessageA(window, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void Count(void* count, Control*) { ++*static_cast<int*>(count); }

class Controls : public FormTest {
protected:
    Control* NewList(std::initializer_list<const char*> items)
    {
        Control* combo = CreateComboBox(form, ComboDropDownList | ComboNoIntegralHeight);
        int index = 0;
        for (const char* item : items)
            SetItemText(combo, index++, item);
        return combo;
    }

    int changes = 0;
};

TEST_F(Controls, LabelHasItsStyleAndIsSizedOnePixelBeyondItsText)
{
    DrawingTool* font = GetControlFont(form);
    SetFontName(font, "Arial");
    SetToolField(font, FontHeight, 17);
    Control* label = CreateLabel(form, PortCaption);
    EXPECT_EQ(GetHeight(label), 22);
    SetControlPosition(label, 5, 7);
    SetSizeToText(label, true);

    EXPECT_EQ(WindowStyle(label) & ~ClipStyles, 0x5000018Cu);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT measuring = CreateFontIndirectA(&label->Font->Data.Font);
    HGDIOBJ old = SelectObject(dc, measuring);
    SIZE text{};
    GetTextExtentPoint32A(dc, PortCaption, 8, &text);
    SelectObject(dc, old);
    DeleteObject(measuring);
    DeleteDC(dc);

    ASSERT_GT(text.cx, 0);
    EXPECT_EQ(GetWidth(label), text.cx + 1);
    EXPECT_EQ(GetHeight(label), text.cy + 1);
    EXPECT_EQ(GetBounds(label).left, 5);
    EXPECT_EQ(GetBounds(label).top, 7);

    // A new caption sizes it again; an empty one leaves the margins.
    SetCaption(label, "");
    EXPECT_EQ(GetWidth(label), 1);
    EXPECT_EQ(GetHeight(label), 1);
}

// Measuring makes the window, and making it gives the label its font and a
// new canvas: the canvas being measured on goes only once the measure is done.
TEST_F(Controls, SizingBeforeTheWindowExistsMeasuresOnALiveCanvas)
{
    SetFontName(GetControlFont(form), "Arial");
    Control* label = CreateLabel(form, PortCaption);
    Canvas* canvas = GetControlCanvas(label);
    ASSERT_EQ(label->Handle, nullptr);
    // Destroyed at once, the canvas went before the label had a new one.
    bool labelHadANewCanvas = false;
    static struct {
        Control* label;
        bool* seen;
    } watch;
    watch = {label, &labelHadANewCanvas};
    canvas->OnDestroy = {[](void* data, ToolkitObject*) {
                             auto* seen = static_cast<decltype(watch)*>(data);
                             *seen->seen = seen->label->Canvas != nullptr;
                         },
                         &watch};
    SetSizeToText(label, true);
    ASSERT_NE(label->Handle, nullptr);
    EXPECT_NE(label->Canvas, canvas);
    EXPECT_TRUE(labelHadANewCanvas) << "freed while it was being measured on";
    EXPECT_GT(GetWidth(label), 1);
}

TEST_F(Controls, ComboBoxStyleFollowsTheOptionBits)
{
    EXPECT_EQ(ComboBoxStyle(ComboDropDownList | ComboNoIntegralHeight), 0x50210643u);
    // No list bit: a drop-down with an edit field; bit 1 drops the auto scroll.
    EXPECT_EQ(ComboBoxStyle(0), 0x50210242u);
    EXPECT_EQ(ComboBoxStyle(ComboNoAutoScroll | ComboSort), 0x50210302u);
    EXPECT_EQ(ComboBoxStyle(ComboSimple | ComboNoAutoScroll), 0x50210201u);

    Control* combo = CreateComboBox(form, ComboDropDownList | ComboNoIntegralHeight);
    EXPECT_EQ(combo->Style & ~ClipStyles, 0x50210643u);
    EXPECT_EQ(GetHeight(combo), 22);
    EXPECT_EQ(GetWidth(combo), 100);
    // The platform's combo box draws its edge itself and drops the extended
    // style from its window.
    EXPECT_NE(combo->ExStyle & WS_EX_CLIENTEDGE, 0u);
    // The scroll bar style goes on to the list window.
    EXPECT_EQ(WindowStyle(combo) & ~ClipStyles, 0x50210643u & ~WS_VSCROLL);
    EXPECT_EQ(GetWidth(combo), 100);
    EXPECT_NE(GetClassLongPtrA(combo->Handle, GCL_STYLE) & CS_DBLCLKS, 0u);
}

TEST_F(Controls, SetItemTextAppendsReplacesAndAddsNothingBeyondTheCount)
{
    Control* combo = NewList({"Com1", "Com2", "Com3"});
    ASSERT_EQ(GetItemCount(combo), 3);
    EXPECT_EQ(Item(combo, 0), "Com1");
    EXPECT_EQ(Item(combo, 2), "Com3");

    SetItemText(combo, 1, "second");
    EXPECT_EQ(GetItemCount(combo), 3);
    EXPECT_EQ(Item(combo, 1), "second");
    EXPECT_EQ(Item(combo, 2), "Com3");

    SetItemText(combo, 5, "far");
    SetItemText(combo, 4, "far");
    SetItemText(combo, -1, "negative");
    EXPECT_EQ(GetItemCount(combo), 3);

    SetItemText(combo, 3, "Com4");
    EXPECT_EQ(GetItemCount(combo), 4);
    EXPECT_EQ(Item(combo, 3), "Com4");
}

TEST_F(Controls, SettingTheIndexFromCodeSelectsAndFiresNothing)
{
    Control* combo = NewList({"2", "4"});
    combo->OnChange = {Count, &changes};
    EXPECT_EQ(GetCurrentIndex(combo), -1);
    EXPECT_STREQ(GetControlText(combo).Text(), "");

    SetCurrentIndex(combo, 1);
    DispatchQueued();
    EXPECT_EQ(GetCurrentIndex(combo), 1);
    EXPECT_STREQ(GetControlText(combo).Text(), "4");
    EXPECT_EQ(changes, 0);
}

TEST_F(Controls, ControlTextKeepsItsLastCharacter)
{
    Control* label = CreateLabel(form, "abc");
    EXPECT_STREQ(GetControlText(label).Text(), "abc"); // no window yet: the caption
    ASSERT_NE(GetWindowHandle(label), nullptr);
    EXPECT_STREQ(GetControlText(label).Text(), "abc");
    EXPECT_EQ(GetControlText(label).Length(), 3u);
    SetCaption(label, "x");
    EXPECT_STREQ(GetControlText(label).Text(), "x");

    Control* combo = NewList({"Com16"});
    SetCurrentIndex(combo, 0);
    EXPECT_EQ(GetControlText(combo).View(), "Com16");
    EXPECT_EQ(GetControlText(nullptr).Length(), 0u);
}

// The height the drop-down routine gives the window is the one the list
// drops to: the platform keeps the list's part of it, below the selection
// field, as the dropped rectangle.
int DroppedHeight(Control* combo)
{
    SetDropDownHeight(combo);
    RECT dropped{};
    Perform(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    RECT field{};
    GetWindowRect(combo->Handle, &field);
    return (dropped.bottom - dropped.top) + (field.bottom - field.top);
}

TEST_F(Controls, DropDownHeightCountsOneToEightItems)
{
    Control* none = NewList({});
    Control* two = NewList({"2", "4"});
    Control* eight = NewList({"1", "2", "3", "4", "5", "6", "7", "8"});
    Control* sixteen = NewList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                "13", "14", "15", "16"});
    const int height = 22;
    EXPECT_EQ(DroppedHeight(none), 2 * height + 2);
    EXPECT_EQ(DroppedHeight(two), 3 * height + 2);
    EXPECT_EQ(DroppedHeight(eight), 9 * height + 2);
    EXPECT_EQ(DroppedHeight(sixteen), 9 * height + 2);
    EXPECT_TRUE(IsWindowVisible(sixteen->Handle) || !IsWindowVisible(form->Handle));

    // Anything but a combo box is left as it is.
    Control* label = CreateLabel(form, "x");
    const RECT before = GetBounds(label);
    GetWindowHandle(label);
    SetDropDownHeight(label);
    const RECT after = GetBounds(label);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Controls, DropDownNotificationKeepsTheIndexAndSizesTheList)
{
    Control* combo = NewList({"a", "b", "c"});
    SetCurrentIndex(combo, 2);
    auto* state = static_cast<ComboBoxControl*>(combo);
    int dropDowns = 0;
    state->OnDropDown = {Count, &dropDowns};
    int closeUps = 0;
    state->OnCloseUp = {Count, &closeUps};

    SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(combo->ControlId, CBN_DROPDOWN),
                 reinterpret_cast<LPARAM>(combo->Handle));
    EXPECT_TRUE(state->DroppedDown);
    EXPECT_EQ(state->DropDownIndex, 2);
    EXPECT_EQ(dropDowns, 1);
    SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(combo->ControlId, CBN_CLOSEUP),
                 reinterpret_cast<LPARAM>(combo->Handle));
    EXPECT_FALSE(state->DroppedDown);
    EXPECT_EQ(closeUps, 1);
}

TEST_F(Controls, SelectionChangeFiresOnlyWhenTheDeferredCodeArrives)
{
    Control* combo = NewList({"a", "b"});
    combo->OnChange = {Count, &changes};
    SetCurrentIndex(combo, 1);
    SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(combo->ControlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle));
    EXPECT_EQ(changes, 0);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, combo->Handle, ReflectedCommand, ReflectedCommand,
                             PM_REMOVE));
    EXPECT_EQ(HIWORD(message.wParam), DeferredSelChangeCode);
    DispatchMessageA(&message);
    EXPECT_EQ(changes, 1);

    // OnSelChange, when set, takes the place of OnChange.
    int selChanges = 0;
    combo->OnSelChange = {Count, &selChanges};
    PostMessageA(combo->Handle, ReflectedCommand, MAKEWPARAM(0, DeferredSelChangeCode), 0);
    DispatchQueued();
    EXPECT_EQ(selChanges, 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(Controls, InnerWindowsAreSubclassedAndGivenBackTheirProcedure)
{
    Control* editable = CreateComboBox(form, 0);
    ASSERT_NE(GetWindowHandle(editable), nullptr);
    HWND edit = GetWindow(editable->Handle, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    HANDLE previous = GetPropW(edit, PreviousProcProperty);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(InnerWindowProcedure));

    // Typing in the edit field reaches the combo's form as the combo's.
    SetFocus(edit);
    EXPECT_EQ(form->CurrentControl, editable);
    SendMessageA(edit, WM_CHAR, 'z', 0);
    EXPECT_EQ(GetControlText(editable).View(), "z");

    RemoveInnerWindowProperties(editable->Handle);
    EXPECT_EQ(GetPropW(edit, PreviousProcProperty), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(previous));

    // A drop-down list has no inner window to subclass.
    Control* list = NewList({"a"});
    EXPECT_EQ(GetWindow(list->Handle, GW_CHILD), nullptr);
}

TEST_F(Controls, ButtonIsAnOwnerDrawnPushButtonSizedByItsMargins)
{
    Button* button = CreateButton(form, "Go", 0, GlyphLeft, nullptr, 0);
    EXPECT_TRUE(button->IsPushButton);
    EXPECT_EQ(button->TextAlign, TextAlignCentre);
    EXPECT_EQ(WindowStyle(button) & ~ClipStyles, 0x5001000Bu);
    EXPECT_EQ(GetHeight(button), 22);
    SetSizeToText(button, true);
    HDC dc = GetDC(button->Handle);
    SIZE text{};
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(button->Handle,
                                                                          WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, "Go", 2, &text);
    SelectObject(dc, old);
    ReleaseDC(button->Handle, dc);
    EXPECT_EQ(GetWidth(button), text.cx + 8);
    EXPECT_EQ(GetHeight(button), text.cy + 8);
}

TEST_F(Controls, AGlyphBitmapSizesTheButtonByItsFrames)
{
    // Four frames of 16 x 16 side by side.
    HBITMAP strip = CreateBitmap(64, 16, 1, 1, nullptr);
    Button* left = CreateButton(form, "Go", 0, GlyphLeft, strip, 4);
    EXPECT_EQ(left->GlyphWidth, 16);
    EXPECT_EQ(left->GlyphHeight, 16);
    EXPECT_EQ(left->Kind.SizeMarginX, 8 + 16 + 4);
    EXPECT_EQ(left->Kind.SizeMarginY, 0);
    EXPECT_EQ(GetWidth(left), 64 + 16 + 4);
    EXPECT_EQ(GetHeight(left), 16 + 4);

    // A count of 0 means square frames.
    Button* top = CreateButton(form, "Go", 0, GlyphTop, strip, 0);
    EXPECT_EQ(top->GlyphCount, 4);
    EXPECT_EQ(top->Kind.SizeMarginY, 8 + 16 + 4);
    EXPECT_EQ(GetHeight(top), 22 + 16 + 4);

    // No caption: as wide as a frame; no border: no spacing.
    Button* bare = CreateButton(form, "", ButtonNoBorder, GlyphLeft, strip, 4);
    EXPECT_EQ(GetWidth(bare), 16);
    EXPECT_EQ(bare->Kind.SizeMarginX, 0);
    EXPECT_EQ(GetHeight(bare), 16);

    // A handle that is no bitmap leaves the button as it is.
    Button* broken = CreateButton(form, "Go", 0, GlyphLeft, reinterpret_cast<HANDLE>(0x1234), 2);
    EXPECT_EQ(GetWidth(broken), 64);
    EXPECT_EQ(broken->Kind.SizeMarginX, 8);
    FreeObject(form);
    form = nullptr;
    DeleteObject(strip);
}

TEST_F(Controls, DrawStatesAreDecidedInOrder)
{
    Button* button = CreateButton(form, "Go", 0, GlyphLeft, nullptr, 0);
    EXPECT_EQ(DecideDrawState(button, 0), ButtonDrawState::Normal);
    EXPECT_EQ(DecideDrawState(button, ODS_SELECTED), ButtonDrawState::Pressed);
    EXPECT_EQ(DecideDrawState(button, ODS_SELECTED | ODS_DISABLED), ButtonDrawState::Disabled);
    EXPECT_EQ(DecideDrawState(button, ODS_SELECTED | ODS_FOCUS), ButtonDrawState::Pressed);
    EXPECT_EQ(DecideDrawState(button, ODS_FOCUS), ButtonDrawState::Focused);
    button->MouseInside = true;
    EXPECT_EQ(DecideDrawState(button, ODS_FOCUS), ButtonDrawState::Hot);
    EXPECT_EQ(DecideDrawState(button, ODS_SELECTED), ButtonDrawState::Pressed);
    button->ButtonOptions = ButtonCheckStyle;
    button->MouseInside = false;
    EXPECT_EQ(DecideDrawState(button, ODS_SELECTED), ButtonDrawState::Normal);
    button->Checked = true;
    EXPECT_EQ(DecideDrawState(button, 0), ButtonDrawState::Pressed);
}

// Neither a button nor a combo box, with a canary where those kinds keep
// the fields of their own.
struct Canaried : Control {
    unsigned char Canary[sizeof(Button) + sizeof(ComboBoxControl)];
    void Fill(unsigned char value) { std::memset(Canary, value, sizeof(Canary)); }
    bool Holds(unsigned char value) const
    {
        return std::all_of(std::begin(Canary), std::end(Canary),
                           [value](unsigned char byte) { return byte == value; });
    }
};

TEST_F(Controls, TheHooksOfAKindLeaveAnyOtherKindAlone)
{
    auto* other = CreateChildControl<Canaried>(form, "STATIC", WS_CHILD | WS_VISIBLE, nullptr,
                                               false);
    ASSERT_NE(GetWindowHandle(other), nullptr);

    // A list dropping down: a combo box would note it and its current item.
    other->Fill(0);
    AttachHook(other, ComboBoxHook);
    Perform(other, ReflectedCommand, MAKEWPARAM(0, CBN_DROPDOWN), 0);
    EXPECT_TRUE(other->Holds(0)) << "the combo box hook wrote past a plain control";

    // A space key: a check-style button would toggle its state. The hook is
    // the button's own, the last one it was given.
    Button* button = CreateButton(form, "Go", 0, GlyphLeft, nullptr, 0);
    const auto buttonHook =
        reinterpret_cast<MessageHook>(button->Hooks->Get(button->Hooks->Count() - 1));
    ASSERT_NE(buttonHook, ChildControlHook);
    other->Fill(ButtonCheckStyle);
    AttachHook(other, buttonHook);
    Perform(other, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(other->Holds(ButtonCheckStyle)) << "the button hook wrote past a plain control";
}

// A handler that changes the button's font frees the control's canvas; the
// canvas it draws on stays usable until the drawing is done with it.
TEST_F(Controls, AnOwnerDrawingThatChangesTheFontDrawsOnALiveCanvas)
{
    Button* button = CreateButton(form, "ab", 0, GlyphLeft, nullptr, 0);
    ASSERT_NE(GetWindowHandle(button), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button->Handle;
    item.hDC = dc;
    item.rcItem = {0, 0, 40, 20};
    button->OnDrawButton = {[](void*, Control* sender, ButtonDrawState) {
                                Canvas* canvas = GetControlCanvas(sender);
                                SetToolField(GetControlFont(sender), FontHeight, 30);
                                MoveTo(canvas, 3, 4);
                                return true;
                            },
                            nullptr};
    const std::int32_t dcs = LiveObjects(ObjectKind::DeviceContext);
    DrawButton(button, item);
    EXPECT_EQ(button->Canvas, nullptr) << "the font change dropped the canvas";
    POINT pen{};
    GetCurrentPositionEx(dc, &pen);
    EXPECT_EQ(pen.x, 3);
    EXPECT_EQ(pen.y, 4);
    EXPECT_EQ(LiveObjects(ObjectKind::DeviceContext), dcs);
    DeleteDC(dc);
}

TEST_F(Controls, ALabelReportsItsClicks)
{
    int clicks = 0;
    Control* label = CreateLabel(form, "Port");
    label->OnClick = {Count, &clicks};
    SendMessageA(GetWindowHandle(form), WM_COMMAND, MAKEWPARAM(label->ControlId, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetWindowHandle(label)));
    EXPECT_EQ(clicks, 1);
    // A double click of a label is no click.
    SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(label->ControlId, STN_DBLCLK),
                 reinterpret_cast<LPARAM>(label->Handle));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, ACheckStyleButtonTogglesOnEachPress)
{
    Button* button = CreateButton(form, "Check", ButtonCheckStyle, GlyphLeft, nullptr, 0);
    button->OnChange = {Count, &changes};
    Perform(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button->Checked);
    Perform(button, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(button->Checked);
    Perform(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(button->Checked);
    EXPECT_EQ(changes, 2);

    // A plain button keeps no check state.
    Button* plain = CreateButton(form, "Plain", 0, GlyphLeft, nullptr, 0);
    plain->OnChange = {Count, &changes};
    Perform(plain, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(plain->Checked);
    EXPECT_EQ(changes, 2);
}

TEST_F(Controls, OwnerDrawingCanTakeOverAndTheCaptionFollowsItsAlignment)
{
    Button* button = CreateButton(form, "ab", 0, GlyphLeft, nullptr, 0);
    SetControlSize(button, 120, 30);
    GetWindowHandle(button);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(120, 30, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button->Handle;
    item.hDC = dc;
    item.rcItem = {0, 0, 120, 30};
    auto leftmostInk = [&] {
        PatBlt(dc, 0, 0, 120, 30, WHITENESS);
        DrawButton(button, item);
        for (int x = 3; x < 117; ++x)
            for (int y = 3; y < 27; ++y)
                if (GetPixel(dc, x, y) == ResolveColor(button->TextColor))
                    return x;
        return -1;
    };
    const int centred = leftmostInk();
    button->TextAlign = TextAlignLeft;
    const int left = leftmostInk();
    button->TextAlign = TextAlignRight;
    const int right = leftmostInk();
    EXPECT_GE(left, 3);
    EXPECT_LT(left, centred);
    EXPECT_LT(centred, right);

    int drawn = 0;
    button->OnDrawButton = {[](void* count, Control*, ButtonDrawState) {
                                ++*static_cast<int*>(count);
                                return true;
                            },
                            &drawn};
    PatBlt(dc, 0, 0, 120, 30, WHITENESS);
    DrawButton(button, item);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(GetPixel(dc, 60, 15), RGB(255, 255, 255)); // nothing else drawn
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
