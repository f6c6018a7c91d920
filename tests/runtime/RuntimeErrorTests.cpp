// Small programs that start and halt through the run-time support, run in the
// same Wine prefix: the box they show, their output and their exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ErrorBox.h"

namespace {

constexpr DWORD BoxWait = 30000;
constexpr DWORD ExitWait = 30000;

std::string Program()
{
    return ProgramDirectory() + "runtime_faulting_program.exe";
}

// The "fault XXXX" line that the program writes before its fault.
std::uintptr_t ReportedFault(const std::string& output)
{
    const auto at = output.find("fault ");
    if (at == std::string::npos)
        return 0;
    return static_cast<std::uintptr_t>(std::strtoull(output.c_str() + at + 6, nullptr, 16));
}

std::string ExpectedText(int number, std::uintptr_t address)
{
    char text[48];
    const unsigned long long wide = address;
    std::snprintf(text, sizeof(text), (wide >> 32) != 0 ? "Runtime error %d at %016llX" : "Runtime error %d at %08llX",
                  number, wide);
    return text;
}

struct Outcome {
    bool boxShown = false;
    std::string text;
    std::string outputBeforeOk;
    std::string outputAfterOk;
    std::string errors;
    DWORD exitCode = STILL_ACTIVE;
};

Outcome RunProgram(const std::string& mode, const std::string& program = Program())
{
    Outcome outcome;
    ChildProcess child(program, mode, ChildProcess::Errors::Apart);
    EXPECT_TRUE(child.Started()) << program;
    if (!child.Started())
        return outcome;
    if (HWND box = WaitForErrorBox(child, BoxWait)) {
        outcome.boxShown = true;
        outcome.text = BoxText(box);
        outcome.outputBeforeOk = child.TakeOutput();
        PressOk(box);
    }
    outcome.exitCode = child.WaitForExit(ExitWait);
    outcome.outputAfterOk = child.TakeOutput();
    outcome.errors = child.TakeErrors();
    return outcome;
}

// A fault that the platform's own code causes on purpose, and handles, is
// none of the program's.
TEST(NormalEnd, NoBoxExitCodeZeroAndModulesFinalizedInReverseOnce)
{
    for (const char* mode : {"normal", "fault-handled-by-system"}) {
        SCOPED_TRACE(mode);
        const Outcome outcome = RunProgram(mode);
        EXPECT_FALSE(outcome.boxShown) << outcome.text;
        EXPECT_EQ(outcome.exitCode, 0u);
        EXPECT_EQ(outcome.outputAfterOk,
                  "init A\ninit B\ninit C\nrunning\nended\nfini C\nfini B\nfini A\n");
    }
}

const char* const AllFinalized = "fini C\nfini B\nfini A\n";

void ExpectReport(const Outcome& outcome, int number)
{
    EXPECT_TRUE(outcome.boxShown);
    EXPECT_EQ(outcome.text.rfind("Runtime error " + std::to_string(number) + " at ", 0), 0u) << outcome.text;
    EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(number));
}

// Where the box says a failure was: the place the program wrote down before
// its fault, address zero, or wherever the platform took it.
enum class Place { TheFault, Zero, Anywhere };

struct Failure {
    const char* name;
    const char* mode;
    int number;
    Place place;
};

using FaultOnMainThread = ::testing::TestWithParam<Failure>;

TEST_P(FaultOnMainThread, ShowsItsNumberBeforeFinalizingThenFinalizes)
{
    const auto& [name, mode, number, place] = GetParam();
    const Outcome outcome = RunProgram(mode);
    ExpectReport(outcome, number);
    if (place == Place::TheFault) {
        const std::uintptr_t fault = ReportedFault(outcome.outputBeforeOk);
        ASSERT_NE(fault, 0u) << outcome.outputBeforeOk;
        EXPECT_EQ(outcome.text, ExpectedText(number, fault));
    }
    if (place == Place::Zero) {
        EXPECT_EQ(outcome.text, ExpectedText(number, 0));
    }
    EXPECT_EQ(outcome.outputBeforeOk.find("fini"), std::string::npos) << outcome.outputBeforeOk;
    EXPECT_EQ(outcome.outputAfterOk, AllFinalized);
}

// The click is also made where a frame handler around it would swallow the
// fault, as 64-bit Windows may where a window procedure that the kernel called
// returns.
INSTANTIATE_TEST_SUITE_P(
    Failures, FaultOnMainThread,
    ::testing::Values(
        Failure{"AccessViolationAtTheFaultingInstruction", "access-violation", 216,
                Place::TheFault},
        Failure{"InAWindowProcedure", "window-procedure-fault", 216, Place::TheFault},
        Failure{"InAButtonsOnClick", "click-fault", 216, Place::TheFault},
        Failure{"InAButtonsOnClickBehindASwallowingHandler",
                "click-fault-behind-swallowing-handler", 216, Place::TheFault},
        Failure{"CallThroughANullPointerAtAddressZero", "null-call", 216, Place::Zero},
        Failure{"HeapExhaustionJustAfterTheAllocationCall", "out-of-memory", 203, Place::TheFault},
        Failure{"Divide", "divide", 200, Place::Anywhere},
        Failure{"StackOverflow", "stack-overflow", 202, Place::Anywhere},
        Failure{"Raise", "raise", 255, Place::Anywhere},
        Failure{"ReleaseInvalid", "release-invalid", 204, Place::Anywhere}),
    [](const auto& info) { return std::string(info.param.name); });

// Nobody may be there to close a box: the report is a line on standard error.
TEST(ConsoleProgram, ReportsAFaultOnStandardErrorAndOpensNoBox)
{
    const Outcome outcome =
        RunProgram("access-violation", ProgramDirectory() + "runtime_faulting_console.exe");
    EXPECT_FALSE(outcome.boxShown) << outcome.text;
    EXPECT_EQ(outcome.exitCode, 216u);
    const std::string output = outcome.outputBeforeOk + outcome.outputAfterOk;
    const std::uintptr_t place = ReportedFault(output);
    ASSERT_NE(place, 0u) << output;
    EXPECT_EQ(outcome.errors, ExpectedText(216, place) + "\r\n");
    EXPECT_NE(output.find(AllFinalized), std::string::npos) << output;
}

TEST(ModuleOrder, AModuleWhoseInitializationFailedIsStillFinalized)
{
    const Outcome outcome = RunProgram("initialize-fault");
    ExpectReport(outcome, 216);
    EXPECT_EQ(outcome.outputBeforeOk, "init A\ninit B\n");
    EXPECT_EQ(outcome.outputAfterOk, "fini B\nfini A\n");
}

TEST(ModuleOrder, AFaultingFinalizationIsReportedAndNothingIsFinalizedTwice)
{
    const Outcome outcome = RunProgram("finalize-fault");
    ExpectReport(outcome, 216);
    EXPECT_EQ(outcome.outputBeforeOk, "init A\ninit B\ninit C\nrunning\nended\nfini C\nfini B\n");
    EXPECT_EQ(outcome.outputAfterOk, "fini A\n");
}

// Wine's debugger shows no crash dialog while this lives: a fault that the
// platform handles then ends the process without waiting for anyone.
class QuietPlatformCrashes {
public:
    QuietPlatformCrashes()
    {
        DWORD size = sizeof(previous);
        hadPrevious = RegGetValueA(HKEY_CURRENT_USER, Key, Value, RRF_RT_REG_DWORD, nullptr,
                                   &previous, &size) == ERROR_SUCCESS;
        Set(0);
    }
    ~QuietPlatformCrashes()
    {
        if (hadPrevious)
            Set(previous);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, Key, Value);
    }
    QuietPlatformCrashes(const QuietPlatformCrashes&) = delete;
    QuietPlatformCrashes& operator=(const QuietPlatformCrashes&) = delete;

private:
    static constexpr const char* Key = "Software\\Wine\\WineDbg";
    static constexpr const char* Value = "ShowCrashDialog";

    static void Set(DWORD show)
    {
        RegSetKeyValueA(HKEY_CURRENT_USER, Key, Value, REG_DWORD, &show, sizeof(show));
    }

    DWORD previous = 0;
    bool hadPrevious = false;
};

// A stack overflow is taken before any frame is asked, so the frames it
// abandons stay registered, those of the message the platform was sending
// (WM_CREATE) among them. A fault in the halt after it still gets a box of its
// own, and the rest of the finalization runs.
TEST(ModuleOrder, AFinalizationFaultingAfterAnOverflowInWMCreateGetsASecondBox)
{
    QuietPlatformCrashes quiet;
    ChildProcess child(Program(), "overflow-in-create-then-finalize-fault");
    ASSERT_TRUE(child.Started());
    HWND first = WaitForErrorBox(child, BoxWait);
    ASSERT_NE(first, nullptr) << "no box for the stack overflow";
    const std::uintptr_t place = ReportedFault(child.TakeOutput());
    ASSERT_NE(place, 0u);
    EXPECT_EQ(BoxText(first).rfind("Runtime error 202 at ", 0), 0u) << BoxText(first);
    PressOk(first);

    HWND second = WaitForErrorBox(child, BoxWait, first);
    const std::string finalized = child.TakeOutput();
    ASSERT_NE(second, nullptr) << "no box for the faulting finalization; the process "
                               << (child.Ended() ? "ended with " + std::to_string(child.WaitForExit(0))
                                                 : std::string("still runs"))
                               << " after: " << finalized;
    EXPECT_EQ(BoxText(second), ExpectedText(216, place));
    EXPECT_EQ(finalized, "fini C\nfini B\n");
    PressOk(second);
    EXPECT_EQ(child.WaitForExit(ExitWait), 216u);
    EXPECT_EQ(child.TakeOutput(), "fini A\n");
}

TEST(FaultOnOtherThread, IsLeftToThePlatformWithoutTheBox)
{
    QuietPlatformCrashes quiet;
    ChildProcess child(Program(), "thread-fault");
    ASSERT_TRUE(child.Started());
    HWND box = WaitForErrorBox(child, ExitWait);
    EXPECT_EQ(box, nullptr) << BoxText(box);
    if (box != nullptr)
        PressOk(box);
    const DWORD exitCode = child.WaitForExit(ExitWait);
    const std::string output = child.TakeOutput();
    EXPECT_NE(output.find("thread started"), std::string::npos) << output;
    EXPECT_EQ(output.find("fini"), std::string::npos) << output;
    EXPECT_NE(exitCode, STILL_ACTIVE);
    EXPECT_NE(exitCode, 216u);
    EXPECT_NE(exitCode, 0u);
    std::printf("a fault on another thread ended the process with 0x%lX\n", exitCode);
}

} // namespace
