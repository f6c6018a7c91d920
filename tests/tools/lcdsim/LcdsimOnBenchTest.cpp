// The real lcdsim.exe on a bench line: this test writes to COM9, the program
// reads the far end, COM25, and its printed pictures are checked.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "comport/ComPort.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ConfigureSequence.h"
#include "tests/support/Eventually.h"

using ::testing::EndsWith;
using ::testing::HasSubstr;

namespace {

constexpr DWORD Deadline = 30000;

// Paths come from the environment as the build wrote them; under Wine a Linux
// path is reached through drive Z:.
std::string FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr)
        return {};
    std::string path(value);
    if (!path.empty() && path[0] == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    return path;
}

struct Outcome {
    DWORD exitCode = STILL_ACTIVE;
    std::string output;
};

// Runs lcdsim with the given arguments, its output into a pipe. While the
// program runs, `whenReady` is called once the output holds `readyText`.
Outcome RunLcdsim(const std::string& arguments, const char* readyText = nullptr,
                  const std::function<void()>& whenReady = {})
{
    Outcome run;
    const std::string exe = FromEnvironment("LCDSIM_EXE");
    if (exe.empty()) {
        ADD_FAILURE() << "LCDSIM_EXE is not set";
        return run;
    }
    ChildProcess lcdsim(exe, arguments);
    if (!lcdsim.Started()) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << lcdsim.StartError() << ")";
        return run;
    }

    bool ready = readyText == nullptr;
    const bool ended = PollUntil(
        [&] {
            run.output += lcdsim.TakeOutput();
            if (!ready && run.output.find(readyText) != std::string::npos) {
                ready = true;
                whenReady();
            }
            return lcdsim.Ended();
        },
        Deadline, [] { Sleep(10); });
    if (!ended)
        ADD_FAILURE() << "lcdsim did not end in time; it printed:\n" << run.output;
    // What the program wrote just before it ended may still be in the pipe.
    run.output += lcdsim.TakeOutput();
    run.exitCode = lcdsim.WaitForExit(0);
    EXPECT_TRUE(ready) << "lcdsim never printed \"" << readyText << "\":\n" << run.output;
    return run;
}

// Writes to the near end as the utility does: its port object, 9600 8N1,
// one write.
void WriteToCom9(const std::string& bytes)
{
    // Only a line the bench has mapped is ever written to.
    const std::string bench = FromEnvironment("LCDSIM_BENCH");
    ASSERT_FALSE(bench.empty()) << "LCDSIM_BENCH is not set";
    std::ifstream mapped(bench + "\\mapped");
    bool served = false;
    for (std::string name; std::getline(mapped, name);)
        served = served || name == "com9";
    ASSERT_TRUE(served) << "the bench does not serve COM9";
    // Wine's device manager may give COM9 to a serial port of the machine
    // (it names those \Device\SerialN); a bench link has no such name.
    char device[256];
    ASSERT_EQ(QueryDosDeviceA("COM9", device, sizeof device), 0u) << "COM9 is " << device;

    comport::ComPort* port = comport::CreateComPort(nullptr);
    port->SetPort("COM9");
    port->Events = comport::LineEvents();
    port->Open();
    EXPECT_EQ(port->OpenError(), 0u);
    EXPECT_EQ(port->WriteString(bytes), bytes.size());
    toolkit::FreeObject(port);
}

const char* const Banner = "lcdsim: COM25 at 9600 8N1\n";

} // namespace

TEST(LcdsimOnBench, TheConfigureBytesShowCompleteOnATwoBySixteenLK16212)
{
    const Outcome run = RunLcdsim("--hex --idle-exit 500 --wait 20000 COM25", Banner,
                              [] { WriteToCom9(ConfigureSequence()); });
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    const std::string last = "== text \"Complete!\"\n"
                             "   bytes 43 6F 6D 70 6C 65 74 65 21\n"
                             "LK162-12 (0x34), 2 x 16\n"
                             "+----------------+\n"
                             "|Complete!       |\n"
                             "|                |\n"
                             "+----------------+\n";
    EXPECT_THAT(run.output, EndsWith(last));
    EXPECT_THAT(run.output, HasSubstr("== rows 2\n   bytes FE 04 02\n"));
    EXPECT_THAT(run.output, HasSubstr("== type LK162-12 (0x34)\n"));
}

TEST(LcdsimOnBench, StopsAtTheByteLimitEvenWhenMoreArrives)
{
    const Outcome run = RunLcdsim("--bytes 5 --wait 20000 COM25", Banner,
                              [] { WriteToCom9(std::string("\xFE\x58" "abcdefgh", 10)); });
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("|abc             |\n"));
}

TEST(LcdsimOnBench, GivesUpWithCodeThreeWhenNothingArrives)
{
    const Outcome run = RunLcdsim("--wait 300 COM25");
    EXPECT_EQ(run.exitCode, 3u) << run.output;
}

TEST(LcdsimOnBench, APortThatDoesNotExistEndsWithCodeOne)
{
    const Outcome run = RunLcdsim("COM200");
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("cannot open COM200"));
}

TEST(LcdsimOnBench, AWrongCommandLineEndsWithCodeTwoAndHelpWithZero)
{
    EXPECT_EQ(RunLcdsim("--bytes 0 COM25").exitCode, 2u);
    const Outcome help = RunLcdsim("--help");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_THAT(help.output, HasSubstr("usage: lcdsim"));
}
