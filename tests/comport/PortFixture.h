#pragma once

#include <gtest/gtest.h>

#include "FakeSerialApi.h"
#include "comport/ComPort.h"
#include "comport/PortSettings.h"
#include "tests/toolkit/thread/Eventually.h"

// A port whose platform calls go to a recording fake.
class PortThroughSeam : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = comport::CreateComPort(nullptr);
        port->UsePlatform(platform);
    }
    void TearDown() override { toolkit::FreeObject(port); }

    // The event thread that Open starts makes its first calls whenever it is
    // scheduled: they are let in before the record is cleared, so that none
    // of them lands among the calls the test looks at next.
    void OpenAndForget()
    {
        port->Open();
        if (port->ThreadCreated()) {
            EXPECT_TRUE(Eventually([this] { return EventThreadWaits(); }, 30000))
                << "the event thread never came to its wait";
        }
        platform.ClearCalls();
    }

    bool EventThreadWaits() const
    {
        return !platform.CallsNamed("WaitForMultipleObjects").empty() ||
               !platform.CallsNamed("WaitForSingleObject").empty();
    }

    FakeSerialApi platform;
    comport::ComPort* port = nullptr;
};
