#include <string>

#include "tests/support/ToolkitFixture.h"
#include "toolkit/window/Application.h"
#include "toolkit/graphics/ObjectTally.h"

using namespace toolkit;

namespace {

constexpr UINT_PTR TickTimer = 1;
constexpr UINT AfterQuit = WM_APP + 5;
// A test never waits longer than this many ticks for the loop to end.
constexpr int MaxTicks = 500;

struct LoopScript {
    int ticks = 0;
    int closeAsks = 0;
    int refusals = 0; // how many closes OnClose refuses
    bool postQuitThenMessage = false;
    bool sawAfterQuitWhileTerminated = false;
    bool windowsShownAtFirstTick = false;
    bool openAfterRefusal = false;
    int destroyed = 0;
    Control* child = nullptr;
};

LoopScript script;

bool OnTick(void* form, MessageRecord& record, LRESULT&)
{
    auto* control = static_cast<Control*>(form);
    if (record.Message == AfterQuit) {
        script.sawAfterQuitWhileTerminated = LoopTerminated && LoopRunning;
        return true;
    }
    if (record.Message != WM_TIMER || record.WParam != TickTimer)
        return false;
    ++script.ticks;
    if (script.ticks == 1) {
        script.windowsShownAtFirstTick = IsWindowVisible(control->Handle) &&
                                         IsWindowVisible(script.child->Handle);
        if (script.postQuitThenMessage) {
            PostMessageA(control->Handle, WM_QUIT, 0, 0);
            PostMessageA(control->Handle, AfterQuit, 0, 0);
        } else {
            PostMessageA(control->Handle, WM_CLOSE, 0, 0);
        }
    } else if (script.ticks == 2 && script.refusals > 0) {
        script.openAfterRefusal = IsWindowVisible(control->Handle) && !LoopTerminated;
        script.refusals = 0;
        PostMessageA(control->Handle, WM_CLOSE, 0, 0);
    } else if (script.ticks >= MaxTicks) {
        PostQuitMessage(0);
    }
    return true;
}

void AskClose(void*, Control*, bool& accept)
{
    ++script.closeAsks;
    if (script.refusals > 0)
        accept = false;
}

class Loop : public ToolkitTest {
protected:
    Control* BuildMainForm()
    {
        script = {};
        Control* form = NewForm("Main");
        script.child = NewChild(form);
        AddOwnedObject(form, NewForm("owned record"));
        form->OnDestroy = {[](void*, ToolkitObject*) { ++script.destroyed; }, nullptr};
        form->OnMessage = {OnTick, form};
        form->OnClose = {AskClose, nullptr};
        MainControl = form;
        SetTimer(GetWindowHandle(script.child) ? form->Handle : nullptr, TickTimer, 5, nullptr);
        return form;
    }
};

TEST_F(Loop, ClosingTheMainWindowEndsTheLoopAndFreesItOnce)
{
    const std::int32_t windows = LiveObjects(ObjectKind::Window);
    Control* form = BuildMainForm();
    HWND window = form->Handle;
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    RunApplication(form);

    EXPECT_LT(script.ticks, MaxTicks);
    EXPECT_TRUE(script.windowsShownAtFirstTick);
    EXPECT_EQ(script.closeAsks, 1);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(MainControl, nullptr);
    EXPECT_EQ(script.destroyed, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(LoopTerminated);
    EXPECT_FALSE(LoopRunning);
    EXPECT_EQ(LiveObjects(ObjectKind::Window), windows);
}

TEST_F(Loop, MessagesQueuedAfterQuitAreDispatchedBeforeTheEnd)
{
    Control* form = BuildMainForm();
    script.postQuitThenMessage = true;
    RunApplication(form);
    EXPECT_TRUE(script.sawAfterQuitWhileTerminated);
    EXPECT_EQ(script.destroyed, 1);
    EXPECT_EQ(script.closeAsks, 0); // the loop had ended: no extra close
}

TEST_F(Loop, RefusingTheCloseKeepsTheWindowOpenWhileTheLoopRuns)
{
    Control* form = BuildMainForm();
    script.refusals = 1;
    RunApplication(form);
    EXPECT_TRUE(script.openAfterRefusal);
    EXPECT_EQ(script.closeAsks, 2);
    EXPECT_EQ(script.destroyed, 1);
}

TEST_F(Loop, ARefusalBeforeTheLoopRunsIsIgnoredAndAskedOnce)
{
    Control* form = BuildMainForm();
    script.refusals = 1;
    KillTimer(form->Handle, TickTimer);
    SendMessageA(form->Handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(script.closeAsks, 1);
    EXPECT_FALSE(form->OnClose);
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindow(form->Handle)); // a main window is not destroyed by its close
    MainControl = nullptr;
    FreeObject(form);
}

TEST_F(Loop, EndApplicationWithoutAQuitClosesAndFreesTheMainControl)
{
    Control* form = BuildMainForm();
    KillTimer(form->Handle, TickTimer);
    MainControl = form;
    LoopRunning = true;
    EndApplication(form);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(script.closeAsks, 1);
    EXPECT_EQ(script.destroyed, 1);
}

} // namespace
