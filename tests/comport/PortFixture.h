#pragma once

#include <gtest/gtest.h>

#include "FakeSerialApi.h"
#include "comport/ComPort.h"
#include "comport/PortSettings.h"

// A port whose platform calls go to a recording fake.
class PortThroughSeam : public ::testing::Test {
protected:
    void SetUp() override
    {
        port = comport::CreateComPort(nullptr);
        port->UsePlatform(platform);
    }
    void TearDown() override { toolkit::FreeObject(port); }

    void OpenAndForget()
    {
        port->Open();
        platform.ClearCalls();
    }

    FakeSerialApi platform;
    comport::ComPort* port = nullptr;
};
