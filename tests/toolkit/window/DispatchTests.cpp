#include <cstring>
#include <string>

#include "tests/support/ToolkitFixture.h"
#include "toolkit/window/Dispatch.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/window/ControlGraphics.h"

using namespace toolkit;

namespace {

constexpr UINT Probe = WM_APP + 17;
std::string journal;

bool NoteMainOnMessage(void*, MessageRecord& record, LRESULT&)
{
    if (record.Message == Probe)
        journal += "main ";
    return false;
}

bool NoteOwnOnMessage(void* claim, MessageRecord& record, LRESULT& result)
{
    if (record.Message != Probe)
        return false;
    journal += "own ";
    result = 7;
    return claim != nullptr;
}

bool NoteFirstHook(Control*, MessageRecord& record, LRESULT&)
{
    if (record.Message == Probe)
        journal += "first ";
    return false;
}

bool NoteSecondHook(Control*, MessageRecord& record, LRESULT&)
{
    if (record.Message == Probe)
        journal += "second ";
    return false;
}

class Dispatch : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        journal.clear();
        child = NewChild(form);
        ASSERT_NE(GetWindowHandle(child), nullptr);
    }

    Control* child = nullptr;
};

TEST_F(Dispatch, StepsRunInTheirFixedOrder)
{
    MainControl = form;
    form->OnMessage = {NoteMainOnMessage, nullptr};
    child->OnMessage = {NoteOwnOnMessage, nullptr};
    AttachHook(child, NoteFirstHook);
    AttachHook(child, NoteSecondHook);
    AttachHook(child, NoteSecondHook); // once only

    LoopRunning = true;
    SendMessageA(child->Handle, Probe, 0, 0);
    EXPECT_EQ(journal, "main own second first ");

    journal.clear();
    LoopRunning = false; // before the loop, the main control is not asked for others
    SendMessageA(child->Handle, Probe, 0, 0);
    EXPECT_EQ(journal, "own second first ");

    journal.clear();
    child->OnMessage = {NoteOwnOnMessage, child};
    EXPECT_EQ(SendMessageA(child->Handle, Probe, 0, 0), 7);
    EXPECT_EQ(journal, "own ");

    journal.clear();
    LoopTerminated = true; // no hook runs once the loop has ended
    child->OnMessage = {};
    SendMessageA(child->Handle, Probe, 0, 0);
    EXPECT_EQ(journal, "");
}

int freeingHookSawDestroyed = -1;
int destroyCount = 0;

bool FreeingHook(Control* control, MessageRecord& record, LRESULT&)
{
    if (record.Message == Probe)
        FreeObject(control);
    return false;
}

bool LaterHook(Control*, MessageRecord& record, LRESULT&)
{
    if (record.Message == Probe)
        freeingHookSawDestroyed = destroyCount;
    return false;
}

TEST_F(Dispatch, AControlFreedInItsOwnHookIsDestroyedAfterTheWalk)
{
    Control* victim = NewChild(form);
    ASSERT_NE(GetWindowHandle(victim), nullptr);
    HWND window = victim->Handle;
    destroyCount = 0;
    victim->OnDestroy = {[](void*, ToolkitObject*) { ++destroyCount; }, nullptr};
    AttachHook(victim, LaterHook);   // runs second
    AttachHook(victim, FreeingHook); // runs first
    EXPECT_EQ(SendMessageA(window, Probe, 0, 0), 0);
    EXPECT_EQ(freeingHookSawDestroyed, 0);
    EXPECT_EQ(destroyCount, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ChildCount(form), 1);
}

MessageRecord seen{};

bool CopyRecord(Control*, MessageRecord& record, LRESULT&)
{
    if (record.Message == Probe)
        seen = record;
    return false;
}

// Leaves a pattern where the next call's stack frame will be.
[[gnu::noinline]] void ScribbleOnTheStack()
{
    volatile unsigned char junk[16384];
    for (unsigned i = 0; i < sizeof(junk); ++i)
        junk[i] = 0xA5;
}

TEST_F(Dispatch, TheMessageRecordHasNoUnsetFields)
{
    AttachHook(child, CopyRecord);
    seen = {};
    seen.Time = 0x5A5A5A5A;
    seen.Point = {0x5A5A, 0x5A5A};
    ScribbleOnTheStack();
    SendMessageA(child->Handle, Probe, 3, 4);
    EXPECT_EQ(seen.Window, child->Handle);
    EXPECT_EQ(seen.WParam, 3u);
    EXPECT_EQ(seen.LParam, 4);
    EXPECT_EQ(seen.Time, 0u);
    EXPECT_EQ(seen.Point.x, 0);
    EXPECT_EQ(seen.Point.y, 0);
}

int nativeKeyCalls = 0;
WNDPROC nativeProcedure = nullptr;
LRESULT CALLBACK CountNativeKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST)
        ++nativeKeyCalls;
    return CallWindowProcA(nativeProcedure, window, message, wParam, lParam);
}

TEST_F(Dispatch, KeyboardMessagesForAWindowWithoutTheFocusAreDropped)
{
    nativeKeyCalls = 0;
    nativeProcedure = child->NativeClassProc;
    child->NativeClassProc = CountNativeKeys;
    ASSERT_NE(GetFocus(), child->Handle);
    EXPECT_EQ(SendMessageA(child->Handle, WM_KEYDOWN, 'A', 0), 0);
    EXPECT_EQ(SendMessageA(child->Handle, WM_CHAR, 'A', 0), 0);
    EXPECT_EQ(nativeKeyCalls, 0);
    child->NativeClassProc = nativeProcedure;
}

// Reflection.

const ControlKind buttonKind = [] {
    ControlKind kind;
    kind.ClickCode = BN_CLICKED;
    return kind;
}();

const ControlKind listKind = [] {
    ControlKind kind;
    kind.ClickCode = 100;
    kind.EnterCode = 101;
    kind.LeaveCode = 102;
    kind.ChangeCode = 103;
    kind.SelChangeCode = 15;
    return kind;
}();

struct EventCounts {
    int click = 0, change = 0, selChange = 0, enter = 0, leave = 0;
};

void Count(void* counter, Control*)
{
    ++*static_cast<int*>(counter);
}

void Wire(Control* control, EventCounts& counts, bool withSelChange)
{
    control->OnClick = {Count, &counts.click};
    control->OnChange = {Count, &counts.change};
    control->OnEnter = {Count, &counts.enter};
    control->OnLeave = {Count, &counts.leave};
    if (withSelChange)
        control->OnSelChange = {Count, &counts.selChange};
}

LRESULT Notify(Control* parent, Control* control, WORD code)
{
    return SendMessageA(parent->Handle, WM_COMMAND, MAKEWPARAM(control->ControlId, code),
                        reinterpret_cast<LPARAM>(control->Handle));
}

using Reflection = Dispatch;

TEST_F(Reflection, ButtonClickFiresOnClickOnceAndNotUnderTheFocusGuard)
{
    Control* button = NewChild(form, "BUTTON", &buttonKind);
    ASSERT_NE(GetWindowHandle(button), nullptr);
    EventCounts counts;
    Wire(button, counts, false);

    Notify(form, button, BN_CLICKED);
    EXPECT_EQ(counts.click, 1);
    EXPECT_EQ(counts.change, 0); // code 0 is the click, first match wins

    button->FocusGuard = 1;
    Notify(form, button, BN_CLICKED);
    EXPECT_EQ(counts.click, 1);
    button->FocusGuard = 0;

    SendMessageA(button->Handle, BM_CLICK, 0, 0); // the platform button's own notification
    EXPECT_EQ(counts.click, 2);
}

TEST_F(Reflection, NotificationCodesBecomeTheirEvents)
{
    Control* list = NewChild(form, "STATIC", &listKind, WS_CHILD);
    ASSERT_NE(GetWindowHandle(list), nullptr);
    EventCounts counts;
    Wire(list, counts, false);
    Notify(form, list, 15);
    EXPECT_EQ(counts.change, 1); // no OnSelChange: OnChange stands in
    Wire(list, counts, true);
    Notify(form, list, 15);
    EXPECT_EQ(counts.selChange, 1);
    EXPECT_EQ(counts.change, 1);
    Notify(form, list, 100);
    Notify(form, list, 101);
    Notify(form, list, 102);
    Notify(form, list, 103);
    Notify(form, list, 55); // no match
    EXPECT_EQ(counts.click, 1);
    EXPECT_EQ(counts.enter, 1);
    EXPECT_EQ(counts.leave, 1);
    EXPECT_EQ(counts.change, 2);
    EXPECT_EQ(counts.selChange, 1);
}

// A window of a foreign class that records what it is sent.
UINT foreignMessages[8];
int foreignCount = 0;

LRESULT CALLBACK ForeignProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP && foreignCount < 8)
        foreignMessages[foreignCount++] = message;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeForeignChild(HWND parent)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ForeignProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ForeignTestClass";
    RegisterClassA(&windowClass);
    foreignCount = 0;
    return CreateWindowExA(0, "ForeignTestClass", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST_F(Reflection, ColourRequestsAreAnsweredByTheChildWithTheSharedBrush)
{
    child->TextColor = RGB(1, 2, 3);
    HDC dc = GetDC(child->Handle);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        form->Handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(child->Handle)));
    EXPECT_EQ(brush, GetControlBrush(child));
    EXPECT_EQ(brush, form->BackgroundBrush.Get()); // same colour: the form's
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(dc), ResolveColor(child->Color));

    HWND foreign = MakeForeignChild(form->Handle);
    ASSERT_NE(foreign, nullptr);
    SendMessageA(form->Handle, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(foreign));
    SendMessageA(form->Handle, WM_COMMAND, MAKEWPARAM(1, 0), reinterpret_cast<LPARAM>(foreign));
    EXPECT_EQ(foreignCount, 0) << "a foreign window never gets the private messages";
    ReleaseDC(child->Handle, dc);
    DestroyWindow(foreign);
}

int drawn = 0;
bool NoteDrawItem(Control*, MessageRecord& record, LRESULT& result)
{
    if (record.Message != ReflectedDrawItem)
        return false;
    ++drawn;
    result = 1;
    return true;
}

TEST_F(Reflection, DrawItemGoesBackToTheItemsControl)
{
    AttachHook(form, DrawItemReflectHook);
    AttachHook(child, NoteDrawItem);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = child->Handle;
    drawn = 0;
    EXPECT_EQ(SendMessageA(form->Handle, WM_DRAWITEM, child->ControlId,
                           reinterpret_cast<LPARAM>(&item)),
              0);
    EXPECT_EQ(drawn, 1);
}

TEST_F(Reflection, SetFocusMakesTheChildTheFormsCurrentControl)
{
    Control* button = NewChild(form, "BUTTON", &buttonKind);
    ASSERT_NE(GetWindowHandle(button), nullptr);
    form->CurrentControl = nullptr;
    SendMessageA(button->Handle, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(form->CurrentControl, button);
}

} // namespace
