#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/Eventually.h"
#include "tests/support/ToolkitFixture.h"
#include "toolkit/window/CommonControls.h"
#include "toolkit/window/FormHooks.h"
#include "toolkit/window/Hooks.h"
#include "toolkit/window/KeyButton.h"
#include "toolkit/window/MouseTracking.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/graphics/Color.h"

using namespace toolkit;

namespace {

class Hooks : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        SetBounds(form, {100, 100, 400, 300});
        combo = CreateComboBox(form, ComboDropDownList | ComboNoIntegralHeight);
        button = CreateButton(form, "Go", 0, GlyphLeft, nullptr, 0);
        SetControlPosition(button, 10, 60);
        form->CreateNativeWindow();
    }
    Control* combo = nullptr;
    Button* button = nullptr;
    // Counted by a hook that stays on the form until TearDown frees it: it
    // must outlive the test's body.
    int seen = 0;
};

TEST_F(Hooks, AFormThatGetsTheFocusHandsItToItsCurrentControl)
{
    ASSERT_EQ(form->CurrentControl, combo); // the first tab stop
    SetFocus(nullptr);
    MessageRecord record{form->Handle, WM_SETFOCUS, 0, 0};
    LRESULT result = 0;
    EXPECT_TRUE(FormHook(form, record, result));
    EXPECT_EQ(GetFocus(), combo->Handle);

    // Of an owned form, the main control remembers the form.
    Control* other = NewForm("other");
    MainControl = other;
    EXPECT_TRUE(FormHook(form, record, result));
    EXPECT_EQ(other->CurrentControl, form);
    MainControl = nullptr;
    FreeObject(other);

    form->CurrentControl = nullptr;
    EXPECT_FALSE(FormHook(form, record, result));
}

TEST_F(Hooks, TheBackgroundIsFilledWithTheFormColour)
{
    SetBackgroundColor(form, RGB(10, 200, 30));
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(400, 300, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(form->Handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(form->Handle, &client);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(10, 200, 30));
    EXPECT_EQ(GetPixel(dc, client.right - 1, client.bottom - 1), RGB(10, 200, 30));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 200, 30));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(Hooks, ANonFocusableControlLeavesTheTabOrderAndRefusesTheFocus)
{
    Control* first = NewForm("first");
    Button* only = CreateButton(first, "Only", 0, GlyphLeft, nullptr, 0);
    ASSERT_EQ(first->CurrentControl, only);
    EXPECT_EQ(MakeNonFocusable(only), only);
    EXPECT_EQ(first->CurrentControl, nullptr);
    EXPECT_FALSE(only->TabStop);
    EXPECT_EQ(only->Style & WS_TABSTOP, 0u);
    FreeObject(first);

    MakeNonFocusable(button);
    EXPECT_EQ(GetWindowLongPtrA(button->Handle, GWL_STYLE) & WS_TABSTOP, 0);
    SetFocus(combo->Handle);
    SendMessageA(button->Handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(combo->Handle), 0);
    EXPECT_EQ(SendMessageA(button->Handle, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
    EXPECT_EQ(form->CurrentControl, combo);
}

bool Claim(void* count, MessageRecord& record, LRESULT&)
{
    ++*static_cast<int*>(count);
    return record.Message == WM_APP;
}

TEST_F(Hooks, AssigningTheEnterButtonInstallsTheKeyHookOnceAndRemovesIt)
{
    // Without a main control only the role is taken.
    AssignKeyButton(button, VK_RETURN, true);
    EXPECT_TRUE(button->IsDefaultButton);
    EXPECT_EQ(form->DefaultButton, nullptr);
    EXPECT_FALSE(form->OnMessage);

    form->OnMessage = {Claim, &seen};
    MainControl = form;
    AssignKeyButton(button, VK_RETURN, true);
    AssignKeyButton(button, VK_RETURN, true);
    EXPECT_EQ(form->OnMessage.callback, KeyButtonHook);
    EXPECT_EQ(form->OnMessage.userData, form);
    EXPECT_EQ(form->SavedOnMessage.callback, Claim);
    EXPECT_EQ(form->DefaultButton, button);
    // The owner-drawn type already holds the default bit and stays as it is.
    EXPECT_EQ(button->Style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));

    // The saved handler still sees every message first.
    MessageRecord record{form->Handle, WM_APP, 0, 0};
    LRESULT result = 0;
    EXPECT_TRUE(form->OnMessage.Fire(record, result));
    EXPECT_EQ(seen, 1);

    AssignKeyButton(button, VK_ESCAPE, true);
    EXPECT_EQ(form->CancelButton, button);
    EXPECT_TRUE(button->IsCancelButton);
    EXPECT_FALSE(button->IsDefaultButton);

    AssignKeyButton(button, VK_RETURN, false);
    EXPECT_EQ(form->OnMessage.callback, Claim);
    EXPECT_FALSE(form->SavedOnMessage);
    EXPECT_EQ(form->DefaultButton, nullptr);
    EXPECT_EQ(button->Style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(Hooks, EnterIsLeftAloneWithoutAUsableDefaultButton)
{
    MainControl = form;
    AssignKeyButton(button, VK_RETURN, true);
    MessageRecord enter{combo->Handle, WM_KEYDOWN, VK_RETURN, 0};
    MessageRecord escape{combo->Handle, WM_KEYDOWN, VK_ESCAPE, 0};
    LRESULT result = 0;
    EXPECT_FALSE(KeyButtonHook(form, escape, result)); // no cancel button

    // Another push button with the focus keeps Enter for itself.
    Button* other = CreateButton(form, "Other", 0, GlyphLeft, nullptr, 0);
    form->CurrentControl = other;
    EXPECT_FALSE(KeyButtonHook(form, enter, result));
    form->CurrentControl = combo;

    SetVisible(button, false);
    EXPECT_FALSE(KeyButtonHook(form, enter, result));
    SetVisible(button, true);
    EnableWindow(button->Handle, FALSE);
    EXPECT_FALSE(KeyButtonHook(form, enter, result));
    EnableWindow(button->Handle, TRUE);

    LoopTerminated = true;
    EXPECT_FALSE(KeyButtonHook(form, enter, result));
    LoopTerminated = false;

    MessageRecord other_key{combo->Handle, WM_KEYDOWN, 'A', 0};
    EXPECT_FALSE(KeyButtonHook(form, other_key, result));
    EXPECT_TRUE(KeyButtonHook(form, enter, result));
    EXPECT_EQ(enter.WParam, 0u);
    EXPECT_EQ(form->CurrentControl, button);
    // Release the native button's press again.
    MessageRecord up{button->Handle, WM_KEYUP, VK_RETURN, 0};
    EXPECT_TRUE(KeyButtonHook(form, up, result));
}

// Enter as the platform delivers it while the loop runs: each key message is
// posted to the window that has the focus at that moment, then translated and
// dispatched. The key-down moves the focus to the button, so the key-up is
// the button's own.
TEST_F(Hooks, EnterTypedInTheFocusedComboBoxClicksTheEnterButtonOnce)
{
    int clicks = 0;
    button->OnClick = {[](void* count, Control*) { ++*static_cast<int*>(count); }, &clicks};
    MakeNonFocusable(button);
    MainControl = form;
    LoopRunning = true;
    AssignKeyButton(button, VK_RETURN, true);
    SetFocused(combo, true);
    ASSERT_EQ(GetFocus(), combo->Handle);

    const auto typeEnter = [](UINT message, LPARAM flags) {
        PostMessageA(GetFocus(), message, VK_RETURN, flags | 0x001C0001); // scan code 0x1C, once
        DispatchQueued();
    };
    typeEnter(WM_KEYDOWN, 0);
    typeEnter(WM_KEYUP, static_cast<LPARAM>(0xC0000000u)); // was down, is going up
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), button->Handle);
    EXPECT_EQ(form->CurrentControl, button);
}

struct LookupCount {
    int modules = 0;
    int entries = 0;
    // The name and flags of each library load, in order.
    std::vector<std::pair<std::string, DWORD>> loads;
};
LookupCount lookups;

HMODULE WINAPI CountModule(LPCSTR name)
{
    ++lookups.modules;
    return GetModuleHandleA(name);
}

HMODULE WINAPI NotLoaded(LPCSTR)
{
    ++lookups.modules;
    return nullptr;
}

FARPROC WINAPI CountEntry(HMODULE module, LPCSTR name)
{
    ++lookups.entries;
    return GetProcAddress(module, name);
}

HMODULE WINAPI RecordLoad(LPCSTR name, HANDLE file, DWORD flags)
{
    lookups.loads.emplace_back(name, flags);
    return LoadLibraryExA(name, file, flags);
}

// A system folder without comctl32.
HMODULE WINAPI NoComctl32(LPCSTR name, HANDLE, DWORD flags)
{
    lookups.loads.emplace_back(name, flags);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// A system before KB2533623, which knows no search flags.
HMODULE WINAPI NoSearchFlags(LPCSTR name, HANDLE file, DWORD flags)
{
    if (flags & LOAD_LIBRARY_SEARCH_SYSTEM32) {
        lookups.loads.emplace_back(name, flags);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return RecordLoad(name, file, flags);
}

// A system folder whose path has the length systemFolderLength.
UINT systemFolderLength = 0;
UINT WINAPI LongSystemFolder(LPSTR buffer, UINT size)
{
    if (systemFolderLength >= size)
        return systemFolderLength + 1;
    for (UINT i = 0; i < systemFolderLength; ++i)
        buffer[i] = 'x';
    buffer[systemFolderLength] = '\0';
    return systemFolderLength;
}

class TrackMouse : public Hooks {
protected:
    void SetUp() override
    {
        Hooks::SetUp();
        lookups = {};
        saved = MouseTrackingCalls;
        savedLibrary = CommonControlsCalls;
        CommonControlsCalls = {CountModule, RecordLoad, GetSystemDirectoryA, CountEntry};
    }
    void TearDown() override
    {
        MouseTrackingCalls = saved;
        CommonControlsCalls = savedLibrary;
        Hooks::TearDown();
    }
    TRACKMOUSEEVENT Request()
    {
        TRACKMOUSEEVENT request{};
        request.cbSize = sizeof(request);
        request.dwFlags = TME_LEAVE;
        request.hwndTrack = button->Handle;
        return request;
    }
    MouseTrackingPlatform saved{};
    CommonControlsPlatform savedLibrary{};
};

// Runs first of the tracking tests: nothing before it loads comctl32.
TEST_F(TrackMouse, WithoutComctl32TheRequestIsRefusedAndTheLibraryNotLoaded)
{
    if (GetModuleHandleA("comctl32.dll") != nullptr)
        GTEST_SKIP() << "comctl32 is loaded into every process here";
    CommonControlsCalls.LoadLibraryEx = NoComctl32;
    TRACKMOUSEEVENT request = Request();
    EXPECT_EQ(TrackMouseLeave(request), FALSE);
    EXPECT_EQ(TrackMouseLeave(request), FALSE);
    EXPECT_EQ(lookups.modules, 2);
    EXPECT_EQ(lookups.entries, 0);
    EXPECT_EQ(GetModuleHandleA("comctl32.dll"), nullptr);
}

// comctl32 is no known DLL: by its name alone it would be taken from the
// exe's folder first. The first request loads it from the system folder:
// by the search flag, or where the platform refuses that flag, by the full
// path, with its own needs looked for beside it. The image list's size
// query never loads it.
TEST_F(TrackMouse, TheFirstRequestLoadsComctl32FromTheSystemFolderOnly)
{
    using Load = std::pair<std::string, DWORD>;
    CommonControlsCalls.GetModuleHandle = NotLoaded;
    EXPECT_EQ(CommonControlsEntry("ImageList_GetIconSize", CommonControlsLoad::IfLoaded), nullptr);
    EXPECT_TRUE(lookups.loads.empty());

    TRACKMOUSEEVENT request = Request();
    EXPECT_NE(TrackMouseLeave(request), FALSE);
    EXPECT_EQ(lookups.loads, (std::vector<Load>{{"comctl32.dll", LOAD_LIBRARY_SEARCH_SYSTEM32}}));

    lookups.loads.clear();
    CommonControlsCalls.LoadLibraryEx = NoSearchFlags;
    EXPECT_NE(TrackMouseLeave(request), FALSE);
    char folder[MAX_PATH];
    ASSERT_NE(GetSystemDirectoryA(folder, MAX_PATH), 0u);
    EXPECT_EQ(lookups.loads, (std::vector<Load>{{"comctl32.dll", LOAD_LIBRARY_SEARCH_SYSTEM32},
                                                {std::string(folder) + "\\comctl32.dll",
                                                 LOAD_WITH_ALTERED_SEARCH_PATH}}));

    // Any other failure: there is none in the system folder, and no other
    // place is tried.
    lookups.loads.clear();
    CommonControlsCalls.LoadLibraryEx = NoComctl32;
    EXPECT_EQ(TrackMouseLeave(request), FALSE);
    EXPECT_EQ(lookups.loads.size(), 1u);
}

TEST_F(TrackMouse, ASystemFolderPathWithNoRoomForTheNameLoadsNothing)
{
    CommonControlsCalls.GetModuleHandle = NotLoaded;
    CommonControlsCalls.LoadLibraryEx = NoSearchFlags;
    CommonControlsCalls.GetSystemDirectory = LongSystemFolder;
    TRACKMOUSEEVENT request = Request();
    // The longest that fits: the path with the name fills MAX_PATH exactly.
    constexpr UINT longest = MAX_PATH - 1 - 13;
    for (UINT length : {longest + 1, UINT{MAX_PATH}, UINT{1000}, UINT{0}}) {
        systemFolderLength = length;
        lookups.loads.clear();
        EXPECT_EQ(TrackMouseLeave(request), FALSE) << length;
        EXPECT_EQ(lookups.loads.size(), 1u) << length; // the refused flag only
    }
    systemFolderLength = longest;
    lookups.loads.clear();
    TrackMouseLeave(request);
    ASSERT_EQ(lookups.loads.size(), 2u);
    EXPECT_EQ(lookups.loads[1].first.size(), MAX_PATH - 1u);
    EXPECT_EQ(lookups.loads[1].first.substr(longest), "\\comctl32.dll");
}

TEST_F(TrackMouse, TheEntryIsLookedUpAtEachCall)
{
    HMODULE library = LoadLibraryA("comctl32.dll");
    ASSERT_NE(library, nullptr);
    TRACKMOUSEEVENT request = Request();
    EXPECT_NE(TrackMouseLeave(request), FALSE);
    request.dwFlags = TME_LEAVE | TME_CANCEL;
    EXPECT_NE(TrackMouseLeave(request), FALSE);
    EXPECT_EQ(lookups.modules, 2);
    EXPECT_EQ(lookups.entries, 2);
}

int enters = 0;
int leaves = 0;
POINT cursor{};

BOOL WINAPI FakeCursor(POINT* point)
{
    *point = cursor;
    return TRUE;
}

TEST_F(TrackMouse, APointOnTheRightOrBottomEdgeCountsAsInside)
{
    enters = leaves = 0;
    button->OnMouseEnter = {[](void*, Control*) { ++enters; }, nullptr};
    button->OnMouseLeave = {[](void*, Control*) { ++leaves; }, nullptr};
    SetFlatLook(button, true);
    RECT client{};
    GetClientRect(button->Handle, &client);
    POINT corner{client.right, client.bottom};
    ClientToScreen(button->Handle, &corner);
    MouseTrackingCalls.GetCursorPos = FakeCursor;
    cursor = corner;
    SendMessageA(button->Handle, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(button->MouseInside);
    SendMessageA(button->Handle, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(enters, 1);

    cursor = {corner.x, corner.y + 1};
    SendMessageA(button->Handle, WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(button->MouseInside);
    EXPECT_EQ(leaves, 1);
    // A leave notification after the leave changes nothing.
    SendMessageA(button->Handle, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(leaves, 1);

    // The test routine, when set, decides instead of the cursor.
    button->OnTestMouseOver = {[](void*, Control*) { return true; }, nullptr};
    SendMessageA(button->Handle, WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(enters, 2);
    SendMessageA(button->Handle, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->MouseInside);
    EXPECT_EQ(leaves, 2);
}

void NoteFreed(void*, ToolkitObject*)
{
    std::fputs("main control freed\n", stderr);
    std::fflush(stderr);
}

[[noreturn]] void EndSessionDuringTheLoop()
{
    Control* main = CreateForm(nullptr, "Main");
    main->OnDestroy = {NoteFreed, nullptr};
    MainControl = main;
    LoopRunning = true;
    main->CreateNativeWindow();
    PostMessageA(main->Handle, WM_ENDSESSION, FALSE, 0);
    PostMessageA(main->Handle, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    std::fputs("the loop returned\n", stderr);
    ExitProcess(3);
}

TEST(EndSession, EndingTheLogonSessionFreesTheMainControlAndExitsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(EndSessionDuringTheLoop(), ::testing::ExitedWithCode(0), "main control freed");
}

} // namespace
