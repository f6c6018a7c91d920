#pragma once

#include "tests/support/ToolkitFixture.h"

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
