#include <string>

#include "tests/toolkit/controls/DrivenForm.h"
#include "toolkit/controls/ComboBoxControl.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/window/KeyButton.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/ListOperations.h"
#include "toolkit/window/ControlGraphics.h"
#include "toolkit/graphics/DrawingTool.h"

using namespace toolkit;
using userinput::PumpUntil;
using userinput::Xdotool;

namespace {

// What the handlers and hooks saw.
struct Seen {
    int changes = 0;
    std::string textInHandler;
    int clicks = 0;
    std::string buttonKeys;
    int comboEscapes = 0;
    bool focusFrameDrawn = false;
    int enters = 0;
    int leaves = 0;
    bool timerAfterRelease = false;
    std::string heldButton; // what a held button saw, for a failure to tell
};
Seen seen;

void NoteChange(void*, Control* combo)
{
    ++seen.changes;
    seen.textInHandler = std::string(GetControlText(combo).View());
}

void NoteClick(void*, Control*) { ++seen.clicks; }

bool NoteSpace(Control*, MessageRecord& record, LRESULT&)
{
    if ((record.Message == WM_KEYDOWN || record.Message == WM_KEYUP) && record.WParam == VK_SPACE)
        seen.buttonKeys += record.Message == WM_KEYDOWN ? "down " : "up ";
    return false;
}

bool NoteEscape(Control*, MessageRecord& record, LRESULT&)
{
    if (record.Message == WM_KEYUP && record.WParam == VK_ESCAPE)
        ++seen.comboEscapes;
    return false;
}

bool NoteDrawState(void*, Control*, ButtonDrawState state)
{
    if (state == ButtonDrawState::Focused)
        seen.focusFrameDrawn = true;
    return false; // the button draws itself as usual
}

// Attached after the button's own handler, so it runs first.
bool NoteTimerAfterRelease(Control* button, MessageRecord& record, LRESULT&)
{
    const bool pushed = (Perform(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (record.Message == WM_TIMER && !pushed)
        seen.timerAfterRelease = true;
    const char* note = record.Message == WM_LBUTTONDOWN ? "down "
                       : record.Message == WM_TIMER     ? (pushed ? "timer " : "timer-released ")
                       : record.Message == WM_KILLFOCUS ? "focus-lost "
                       : record.Message == WM_CAPTURECHANGED ? "capture-lost "
                                                             : nullptr;
    if (note != nullptr && seen.heldButton.size() < 200)
        seen.heldButton += note;
    return false;
}

class Input : public DrivenFormTest {
protected:
    void Build() override
    {
        seen = {};
        MakeForm("Input", {200, 150, 560, 420});
        combo = CreateComboBox(form, ComboDropDownList | ComboNoIntegralHeight);
        SetControlPosition(combo, 20, 20);
        SetControlSize(combo, 120, 0);
        for (int i = 0; i < 4; ++i)
            SetItemText(combo, i, ("Com" + std::to_string(i + 1)).c_str());
        SetCurrentIndex(combo, 0);
        combo->OnChange = {NoteChange, nullptr};
        button = CreateButton(form, "Configure", 0, GlyphLeft, nullptr, 0);
        SetControlPosition(button, 20, 150);
        SetControlSize(button, 177, 26);
        button->OnClick = {NoteClick, nullptr};
        AttachHook(button, NoteSpace);
        AttachHook(combo, NoteEscape);
    }
    void Shown() override { Park(); }

    // The pointer over the form, away from every control.
    void Park() { PointAt(userinput::ScreenPoint(form->Handle, 300, 230)); }
    POINT Centre(Control* control)
    {
        RECT client{};
        GetClientRect(control->Handle, &client);
        return userinput::ScreenPoint(control->Handle, client.right / 2, client.bottom / 2);
    }
    // Waits until the condition holds, then dispatches what followed.
    template <typename Condition>
    static bool Settled(Condition condition)
    {
        const bool met = PumpUntil(condition);
        userinput::Drain();
        return met;
    }
    // The key typed into the focused combo box. Keys go to the window under
    // the pointer: it points at the form first.
    template <typename Condition>
    bool TypeInCombo(const char* key, Condition condition)
    {
        SetFocused(combo, true);
        const POINT point = userinput::ScreenPoint(form->Handle, 300, 230);
        Xdotool("mousemove " + At(point) + " key " + key);
        return Settled(condition);
    }
    // How many clicks the key made, what the button saw of it, and which
    // control has the focus after it.
    void ExpectKeyEnded(int clicks, const char* buttonKeys, Control* focused)
    {
        EXPECT_EQ(seen.clicks, clicks);
        EXPECT_EQ(seen.buttonKeys, buttonKeys);
        EXPECT_EQ(GetFocus(), focused->Handle);
        EXPECT_EQ(form->CurrentControl, focused);
    }

    Control* combo = nullptr;
    Button* button = nullptr;
};

TEST_F(Input, ChoosingAnItemWithTheMouseFiresOnChangeOnceWithTheNewText)
{
    Xdotool("mousemove " + At(Centre(combo)) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return Perform(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
    EXPECT_TRUE(static_cast<ComboBoxControl*>(combo)->DroppedDown);
    EXPECT_EQ(seen.changes, 0);

    RECT list{};
    Perform(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    const int row = static_cast<int>(Perform(combo, CB_GETITEMHEIGHT, 0, 0));
    RECT field{};
    GetWindowRect(combo->Handle, &field);
    // The list hangs below the selection field; the third item is chosen.
    const POINT third{list.left + 20, field.bottom + 1 + row * 2 + row / 2};
    Xdotool("mousemove " + At(third) + " click 1");
    ASSERT_TRUE(Settled([&] {
        return seen.changes > 0 && Perform(combo, CB_GETDROPPEDSTATE, 0, 0) == 0;
    }));
    EXPECT_EQ(seen.changes, 1);
    EXPECT_EQ(seen.textInHandler, "Com3");
    EXPECT_EQ(GetCurrentIndex(combo), 2);
    EXPECT_FALSE(static_cast<ComboBoxControl*>(combo)->DroppedDown);
}

TEST_F(Input, ChoosingAnItemWithTheKeyboardFiresOnChangeOnceWithTheNewText)
{
    ASSERT_TRUE(TypeInCombo("Down", [] { return seen.changes > 0; }));
    EXPECT_EQ(seen.changes, 1);
    EXPECT_EQ(seen.textInHandler, "Com2");
    EXPECT_EQ(GetCurrentIndex(combo), 1);
}

TEST_F(Input, EnterInAComboBoxClicksTheDefaultButtonOnce)
{
    MakeNonFocusable(button);
    AssignKeyButton(button, VK_RETURN, true);
    ASSERT_TRUE(TypeInCombo("Return", [] { return seen.clicks > 0; }));
    ExpectKeyEnded(1, "down up ", button);
    EXPECT_EQ(seen.changes, 0);
}

TEST_F(Input, EscapeWithoutACancelButtonDoesNothing)
{
    AssignKeyButton(button, VK_RETURN, true);
    ASSERT_TRUE(TypeInCombo("Escape", [] { return seen.comboEscapes > 0; }));
    ExpectKeyEnded(0, "", combo);
}

TEST_F(Input, ANonFocusableButtonTakesNoFocusWhenClicked)
{
    MakeNonFocusable(button);
    button->OnDrawButton = {NoteDrawState, nullptr};
    SetFocused(combo, true);
    Xdotool("mousemove " + At(Centre(button)) + " click 1");
    ASSERT_TRUE(Settled([&] { return seen.clicks > 0; }));
    EXPECT_EQ(seen.clicks, 1);
    EXPECT_EQ(Perform(button, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
    EXPECT_FALSE(seen.focusFrameDrawn);
    EXPECT_EQ(form->CurrentControl, combo);
    EXPECT_EQ(GetWindowLongPtrA(button->Handle, GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(Input, ADoubleClickIsTwoPresses)
{
    Xdotool("mousemove " + At(Centre(button)) + " click --repeat 2 --delay 80 1");
    ASSERT_TRUE(Settled([&] { return seen.clicks >= 2; }));
    EXPECT_EQ(seen.clicks, 2);
}

TEST_F(Input, EnteringAndLeavingFireOnceEach)
{
    // The leave notification comes through comctl32, which the program loads.
    ASSERT_NE(LoadLibraryA("comctl32.dll"), nullptr);
    SetFlatLook(button, true);
    button->OnMouseEnter = {[](void*, Control*) { ++seen.enters; }, nullptr};
    button->OnMouseLeave = {[](void*, Control*) { ++seen.leaves; }, nullptr};
    const POINT centre = Centre(button);
    Xdotool("mousemove " + At(centre) + " mousemove_relative 5 2 mousemove_relative 5 2");
    ASSERT_TRUE(Settled([&] {
        POINT now{};
        GetCursorPos(&now);
        return seen.enters > 0 && now.x == centre.x + 10;
    }));
    EXPECT_TRUE(button->MouseInside);
    Park();
    ASSERT_TRUE(Settled([&] { return seen.leaves > 0; }));
    EXPECT_EQ(seen.enters, 1);
    EXPECT_EQ(seen.leaves, 1);
    EXPECT_FALSE(button->MouseInside);
}

TEST_F(Input, AHeldRepeatingButtonClicksUntilItIsReleased)
{
    MakeNonFocusable(button);
    button->RepeatInterval = 30;
    AttachHook(button, NoteTimerAfterRelease);
    Xdotool("mousemove " + At(Centre(button)) + " mousedown 1");
    ASSERT_TRUE(PumpUntil([&] { return seen.clicks >= 3; }))
        << "the button saw: " << seen.heldButton;
    EXPECT_NE(Perform(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    Xdotool("mouseup 1");
    ASSERT_TRUE(Settled([&] { return seen.timerAfterRelease; }));
    const int clicks = seen.clicks;
    // The timer is gone: there is nothing left to kill.
    EXPECT_FALSE(KillTimer(button->Handle, 1));
    userinput::Drain();
    EXPECT_EQ(seen.clicks, clicks);
}

} // namespace
