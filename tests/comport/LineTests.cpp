#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "FarEnd.h"
#include "comport/ComPort.h"
#include "tests/support/ConfigureSequence.h"
#include "tests/support/PortFixture.h"

using namespace comport;

namespace {

// Bench lines of this program: COM5, COM7 and COM12 (EventLineTests.cpp has
// COM6); COM14 is never mapped.
constexpr int LinePort = 5;
constexpr int CyclePort = 7;
constexpr int HighPort = 12;
constexpr int MissingPort = 14;
constexpr DWORD Patience = 10000;

// The port opened as the utility opens it, but directly, past the port object.
HANDLE OpenDirectly(int number)
{
    return ::CreateFileA(DevicePath(PortName(number)).Text(), GENERIC_READ | GENERIC_WRITE, 0,
                         nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
}

class RealLine : public PortTest {
protected:
    void SetUp() override
    {
        PortTest::SetUp();
        // Line events follow with the event thread; these tests watch the bytes.
        port->Events = LineEvents();
    }

    void Configure(std::string_view name)
    {
        port->SetPort(name);
        RunConfigure(*port);
    }
};

TEST_F(RealLine, ConfigureSequenceArrivesWholeAndInOrder)
{
    FarEnd remote(FarEndOf(LinePort));
    ASSERT_TRUE(remote.IsOpen()) << "bench line COM" << FarEndOf(LinePort) << " is not mapped";
    port->SetPort("Com5");
    port->Open();
    EXPECT_NE(port->Handle(), INVALID_HANDLE_VALUE);
    const std::uint32_t written = WriteConfigureCommands(*port);
    port->Close();
    EXPECT_EQ(written, 20u);
    EXPECT_FALSE(port->Connected());
    const std::string bytes = remote.Read(20, Patience);
    EXPECT_EQ(bytes, ConfigureSequence());
    EXPECT_EQ(remote.ReadAll(100), "");
}

TEST_F(RealLine, TwoDigitPortsUseTheDevicePathToo)
{
    FarEnd remote(FarEndOf(HighPort));
    ASSERT_TRUE(remote.IsOpen());
    Configure("Com12");
    EXPECT_EQ(remote.Read(20, Patience), ConfigureSequence());
}

TEST_F(RealLine, CommandBytesAndZeroBytesArriveWhole)
{
    FarEnd remote(FarEndOf(LinePort));
    ASSERT_TRUE(remote.IsOpen());
    const std::string text("\xFE\x00\x00\xFE\x58\x00Z", 7);
    port->SetPort("COM5");
    port->Open();
    EXPECT_EQ(port->WriteString(text), 7u);
    EXPECT_EQ(port->WriteString(""), 0u);
    port->Close();
    EXPECT_EQ(remote.Read(7, Patience), text);
}

TEST_F(RealLine, SixtyFourKibibytesArriveWhole)
{
    FarEnd remote(FarEndOf(LinePort));
    ASSERT_TRUE(remote.IsOpen());
    std::string text(64 * 1024, '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>(i * 7 + i / 256);
    std::string received;
    std::thread reader([&] { received = remote.Read(text.size(), 30000); });
    port->SetPort("COM5");
    port->Open();
    const std::uint32_t written = port->WriteString(text);
    port->Close();
    reader.join();
    EXPECT_EQ(written, text.size());
    EXPECT_EQ(received.size(), text.size());
    EXPECT_TRUE(received == text);
}

// Closing right after the last write must not lose its tail, also when the
// machine is busy and the line has not carried it yet: with no line event
// watched, and with every one, as the utility runs it, where the event
// thread's way out must not drop what the writes accepted either.
struct Cycles {
    const char* name;
    int port;
    LineEvents events;
};

class ConfigureUnderLoadOnALine : public PortTest, public ::testing::WithParamInterface<Cycles> {};

TEST_P(ConfigureUnderLoadOnALine, ThreeHundredCyclesLoseNothing)
{
    FarEnd remote(FarEndOf(GetParam().port));
    ASSERT_TRUE(remote.IsOpen());
    port->Events = GetParam().events;
    port->SetPort(PortName(GetParam().port).View());
    const std::string received = ConfigureUnderLoad(*port, remote, 300);
    const std::string expected = ConfigureSequence(300);
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected) << "the bytes differ from the sent sequence";
}

INSTANTIATE_TEST_SUITE_P(Bench, ConfigureUnderLoadOnALine,
                         ::testing::Values(Cycles{"NoLineEvent", LinePort, LineEvents()},
                                           Cycles{"EveryLineEvent", CyclePort, AllLineEvents}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RealLine, AMissingPortTakesTheWholeActionQuietly)
{
    const HANDLE probe = OpenDirectly(MissingPort);
    if (probe != INVALID_HANDLE_VALUE)
        ::CloseHandle(probe);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "COM" << MissingPort << " exists in this prefix";

    FarEnd line(FarEndOf(LinePort));
    FarEnd high(FarEndOf(HighPort));
    ASSERT_TRUE(line.IsOpen() && high.IsOpen());
    port->SetPort("Com14");
    port->Open();
    EXPECT_TRUE(port->Connected());
    EXPECT_EQ(port->Handle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteConfigureCommands(*port), 0u);
    port->Close();
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(line.ReadAll(200), "");
    EXPECT_EQ(high.ReadAll(200), "");
}

// A port that another handle holds cannot be opened: the action still runs
// through quietly, and the holder's line gets nothing from it.
TEST_F(RealLine, APortAnotherHandleHoldsTakesTheWholeActionQuietly)
{
    FarEnd line(FarEndOf(LinePort));
    ASSERT_TRUE(line.IsOpen());
    const HANDLE holder = OpenDirectly(LinePort);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    port->SetPort("COM5");
    port->Open();
    EXPECT_TRUE(port->Connected());
    if (port->Handle() != INVALID_HANDLE_VALUE) {
        port->Close();
        ::CloseHandle(holder);
        GTEST_SKIP() << "this platform lets a second handle open a port that another one holds";
    }
    EXPECT_EQ(WriteConfigureCommands(*port), 0u);
    port->Close();
    EXPECT_FALSE(port->Connected());
    ::CloseHandle(holder);
    EXPECT_EQ(line.ReadAll(200), "");
}

} // namespace
