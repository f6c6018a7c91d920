// The command line of cqconfig: every form it accepts, and every error with
// the exit code the program gives for it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "comport/PortName.h"

namespace {

using cli::Command;

constexpr int UsageError = 1;

struct Accepted {
    std::vector<std::string_view> Arguments;
    Command What;
    int Port, Rows, Columns, Type;
};

TEST(CommandLine, EveryAcceptedFormGivesItsRequest)
{
    const Accepted table[] = {
        {{}, Command::Configure, 1, 0, 1, 10},
        {{"COM3"}, Command::Configure, 3, 0, 1, 10},
        {{"com3"}, Command::Configure, 3, 0, 1, 10},
        {{"Com12"}, Command::Configure, 12, 0, 1, 10},
        {{"cOM16"}, Command::Configure, 16, 0, 1, 10},
        {{"COM200"}, Command::Configure, 200, 0, 1, 10},
        {{"--rows", "4"}, Command::Configure, 1, 1, 1, 10},
        {{"--rows=4"}, Command::Configure, 1, 1, 1, 10},
        {{"--columns", "40"}, Command::Configure, 1, 0, 4, 10},
        {{"--columns=8"}, Command::Configure, 1, 0, 0, 10},
        {{"--type", "LCD0821"}, Command::Configure, 1, 0, 1, 0},
        {{"--type=lk404-25"}, Command::Configure, 1, 0, 1, 14},
        {{"--type", "Lk204-25pC"}, Command::Configure, 1, 0, 1, 11},
        {{"--type", "LK204-25", "COM3", "--columns", "20", "--rows", "4"},
         Command::Configure, 3, 1, 2, 6},
        {{"--dry-run"}, Command::DryRun, 1, 0, 1, 10},
        {{"COM2", "--dry-run", "--rows=4"}, Command::DryRun, 2, 1, 1, 10},
        {{"--list"}, Command::List, 1, 0, 1, 10},
        {{"--help"}, Command::Help, 1, 0, 1, 10},
        {{"--version"}, Command::Version, 1, 0, 1, 10},
    };
    for (const Accepted& row : table) {
        const cli::ParseResult result = cli::ParseArguments(row.Arguments);
        std::string line;
        for (const std::string_view argument : row.Arguments)
            line.append(argument).append(" ");
        ASSERT_TRUE(result.Valid) << line << "-> " << result.Error.View();
        EXPECT_EQ(result.Request.What, row.What) << line;
        EXPECT_EQ(result.Request.Port, row.Port) << line;
        EXPECT_EQ(result.Request.Rows, row.Rows) << line;
        EXPECT_EQ(result.Request.Columns, row.Columns) << line;
        EXPECT_EQ(result.Request.Type, row.Type) << line;
    }
}

// One table for both readers of a port name: the component makes a port of
// any name (COM1 of an unusable one), cqconfig takes only a port's own name.
TEST(PortNames, TheComponentNormalisesWhatCqconfigRefuses)
{
    const struct {
        std::string_view Name;
        std::string_view Normalised;
        int Taken;
    } table[] = {
        {"COM17", "COM17", 17}, {"COM23", "COM23", 23}, {"com256", "COM256", 256},
        {"COM257", "COM1", 0},  {"COM0", "COM1", 0},    {"COM-3", "COM1", 0},
        {"LPT1", "COM1", 0},    {"COM03", "COM3", 0},
    };
    for (const auto& row : table) {
        EXPECT_EQ(comport::NormalisePortName(row.Name).View(), row.Normalised) << row.Name;
        const cli::ParseResult parsed = cli::ParseArguments(std::vector{row.Name});
        EXPECT_EQ(parsed.Valid ? parsed.Request.Port : 0, row.Taken) << row.Name;
    }
}

struct Refused {
    std::vector<std::string> Arguments;
    // Each must stand in the message: the bad value and what is allowed.
    std::vector<std::string_view> Says;
};

TEST(CommandLine, EveryUsageErrorIsExitCodeOneAndNamesTheValueAndWhatIsAllowed)
{
    const std::string huge(10000, 'C');
    const Refused table[] = {
        {{"COM0"}, {"\"COM0\"", "COM1 to COM256"}},
        {{"COM257"}, {"\"COM257\"", "COM1 to COM256"}},
        {{"LPT1"}, {"\"LPT1\"", "COM1 to COM256"}},
        {{"COM3x"}, {"\"COM3x\"", "COM1 to COM256"}},
        {{"COM03"}, {"\"COM03\"", "COM1 to COM256"}},
        {{"COM"}, {"\"COM\"", "COM1 to COM256"}},
        {{""}, {"\"\"", "COM1 to COM256"}},
        {{"--rows", "3"}, {"--rows \"3\"", "2, 4"}},
        {{"--rows="}, {"--rows \"\"", "2, 4"}},
        {{"--columns", "16x"}, {"\"16x\"", "8, 16, 20, 24, 40"}},
        {{"--type", "LK999"}, {"\"LK999\"", "LCD0821", "LK404-25"}},
        {{"--speed", "9600"}, {"unknown option \"--speed\"", "--rows"}},
        {{"-"}, {"unknown option \"-\""}},
        {{"--rows", "2", "--rows", "4"}, {"--rows is given twice"}},
        {{"--dry-run", "--dry-run"}, {"--dry-run is given twice"}},
        {{"--rows"}, {"--rows needs a value", "2, 4"}},
        {{"--type"}, {"--type needs a value", "LK162-12"}},
        {{"COM1", "COM2"}, {"second port \"COM2\"", "COM1 to COM256"}},
        {{"--dry-run=yes"}, {"--dry-run takes no value"}},
        {{"--list", "COM3"}, {"--list stands alone"}},
        {{"--help", "--version"}, {"--help and --version"}},
        {{huge}, {"\"CCCC", "...", "COM1 to COM256"}},
        {{"COM\xE9\x01\"\\"}, {"\"COM\\xE9\\x01\\x22\\x5C\"", "COM1 to COM256"}},
        {{"--type", std::string("LK\0" "162-12", 9)}, {"\"LK\\x00162-12\"", "LK162-12"}},
    };
    for (const Refused& row : table) {
        const std::vector<std::string_view> arguments(row.Arguments.begin(), row.Arguments.end());
        const cli::ParseResult result = cli::ParseArguments(arguments);
        const int exitCode = result.Valid ? 0 : UsageError;
        const std::string message(result.Error.View());
        EXPECT_EQ(exitCode, UsageError) << row.Arguments[0];
        for (const std::string_view says : row.Says)
            EXPECT_NE(message.find(says), std::string::npos) << message << " lacks " << says;
        // A message shows a value in part at most, whatever its length.
        EXPECT_LT(message.size(), 400u) << message;
    }
}

} // namespace
