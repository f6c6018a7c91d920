#pragma once

#include <gtest/gtest.h>

#include "comport/ComPort.h"
#include "comport/PortSettings.h"
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

    void OpenAndForget()
    {
        port->Open();
        platform.ClearCalls();
    }

    Platform platform;
};

using PortThroughSeam = PortOnFake<>;
