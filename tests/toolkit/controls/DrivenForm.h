#pragma once

#include <string>

#include "tests/support/ToolkitFixture.h"
#include "tests/toolkit/controls/UserInput.h"
#include "toolkit/graphics/DrawingTool.h"
#include "toolkit/window/ControlGraphics.h"

// A form run as the application's main control while real input drives it;
// the test dispatches the messages itself.
class DrivenFormTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        if (!userinput::Available())
            GTEST_SKIP() << "xdotool is not installed";
        Build();
        ASSERT_NO_FATAL_FAILURE(Run());
        Shown();
    }
    // Makes the form and its controls, before the form is shown.
    virtual void Build() = 0;
    // What the tests need once the form is on the screen.
    virtual void Shown() {}
    void TearDown() override
    {
        if (form != nullptr) {
            userinput::Xdotool("mouseup 1");
            userinput::Drain();
            toolkit::LoopRunning = false;
            toolkit::MainControl = nullptr;
            toolkit::FreeObject(form);
        }
        ToolkitTest::TearDown();
    }

    // The form of the input tests: at the given bounds, in Arial 17 as the
    // configurator's window.
    void MakeForm(const char* caption, const RECT& bounds)
    {
        form = NewForm(caption);
        toolkit::SetBounds(form, bounds);
        toolkit::DrawingTool* font = toolkit::GetControlFont(form);
        toolkit::SetFontName(font, "Arial");
        toolkit::SetToolField(font, toolkit::FontHeight, 17);
    }

    // Shows the form in front, as the running loop's main control.
    void Run()
    {
        toolkit::MainControl = form;
        toolkit::LoopRunning = true;
        form->CreateNativeWindow();
        SetForegroundWindow(form->Handle);
        ASSERT_TRUE(userinput::PumpUntil([&] { return IsWindowVisible(form->Handle) != FALSE; }));
    }

    bool PointAt(POINT target)
    {
        userinput::Xdotool("mousemove " + At(target));
        return userinput::PumpUntil([&] {
            POINT now{};
            GetCursorPos(&now);
            return now.x == target.x && now.y == target.y;
        });
    }

    static std::string At(POINT point)
    {
        return std::to_string(point.x) + " " + std::to_string(point.y);
    }

    toolkit::Control* form = nullptr;
};
