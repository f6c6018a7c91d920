#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "toolkit/window/ApplicationState.h"
#include "toolkit/window/Control.h"

// Every test starts with an empty queue and a loop that has never run: the
// loop's state is process-wide, and one test's quit must not end the next.
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLoop(); }
    void TearDown() override { ResetLoop(); }

    static void ResetLoop()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        toolkit::LoopTerminated = false;
        toolkit::LoopRunning = false;
        toolkit::MainControl = nullptr;
    }

    static toolkit::Control* NewForm(const char* caption = "Form")
    {
        return toolkit::CreateForm(nullptr, caption);
    }

    static toolkit::Control* NewChild(toolkit::Control* parent, const char* className = "STATIC",
                                      const toolkit::ControlKind* kind = nullptr,
                                      DWORD style = WS_CHILD | WS_VISIBLE)
    {
        return toolkit::CreateChildControl(parent, className, style, kind, false);
    }
};

// A test with one form, made before the test and freed after it; a test that
// frees it earlier sets it to null. The main control lets go of it first.
class FormTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = NewForm();
    }
    void TearDown() override
    {
        toolkit::MainControl = nullptr;
        toolkit::FreeObject(form);
        ToolkitTest::TearDown();
    }

    toolkit::Control* form = nullptr;
};
