#pragma once

#include <gtest/gtest.h>

#include "comport/ComPort.h"
#include "comport/PortSettings.h"
#include "tests/support/Eventually.h"
#include "tests/support/FakeSerialApi.h"

// A port of its own for every test, freed after it.
class PortTest : public ::testing::Test {
protected:
    void SetUp() override { port = comport::CreateComPort(nullptr); }
    void TearDown() override { toolkit::FreeObject(port); }

    comport::ComPort* port = nullptr;
};

// The same port with its platform calls going to a recording fake: the
// FakeSerialApi itself or one built on it.
template <typename Platform = FakeSerialApi>
class PortOnFake : public PortTest {
protected:
    void SetUp() override
    {
        PortTest::SetUp();
        port->UsePlatform(platform);
    }

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

    Platform platform;
};

using PortThroughSeam = PortOnFake<>;
