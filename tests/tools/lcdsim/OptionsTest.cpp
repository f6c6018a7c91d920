#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Options.h"

namespace {

struct Parsed {
    bool ok;
    lcdsim::Options options;
    std::string error;
};

Parsed Parse(const std::vector<const char*>& arguments)
{
    std::vector<const char*> argv{"lcdsim"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    Parsed parsed{};
    const char* error = nullptr;
    parsed.ok = lcdsim::ParseOptions(static_cast<int>(argv.size()), argv.data(), parsed.options, error);
    parsed.error = error != nullptr ? error : "";
    return parsed;
}

} // namespace

// A command line that serves a port, and what it asks for.
struct Serving {
    const char* name;
    std::vector<const char*> arguments;
    unsigned port;
    bool hex;
    unsigned byteLimit;
    unsigned idleExit;
    unsigned wait;
};

class ServingOptions : public ::testing::TestWithParam<Serving> {};

TEST_P(ServingOptions, AreReadAsGiven)
{
    const Serving& want = GetParam();
    const Parsed parsed = Parse(want.arguments);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.options.port, want.port);
    EXPECT_EQ(parsed.options.hex, want.hex);
    EXPECT_EQ(parsed.options.byteLimit, want.byteLimit);
    EXPECT_EQ(parsed.options.idleExit, want.idleExit);
    EXPECT_EQ(parsed.options.wait, want.wait);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ServingOptions,
    ::testing::Values(
        Serving{"APortAloneServesForEverWithoutHex", {"COM17"}, 17, false, 0, 0, 0},
        Serving{"ReadsEveryOptionInAnyOrder",
                {"--idle-exit", "500", "com3", "--hex", "--bytes", "20", "--wait", "9000"},
                3, true, 20, 500, 9000},
        Serving{"TakesTheHighestPortAndTheLargestCounts",
                {"COM255", "--bytes", "2147483647", "--wait", "86400000"},
                255, false, 2147483647, 0, 86400000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Options, HelpNeedsNoPort)
{
    const Parsed parsed = Parse({"--help"});
    ASSERT_TRUE(parsed.ok);
    EXPECT_TRUE(parsed.options.help);
    EXPECT_NE(std::string(lcdsim::HelpText()).find("usage: lcdsim"), std::string::npos);
}

TEST(Options, RefusesWrongCommandLinesWithAReason)
{
    const std::vector<std::initializer_list<const char*>> wrong = {
        {},
        {"COM0"},
        {"COM256"},
        {"COM"},
        {"COM1x"},
        {"LPT1"},
        {"COM1", "COM2"},
        {"COM1", "--bytes"},
        {"COM1", "--bytes", "0"},
        {"COM1", "--bytes", "-5"},
        {"COM1", "--bytes", "99999999999999999999"},
        {"COM1", "--idle-exit", "1e3"},
        {"COM1", "--wait", ""},
        {"COM1", "--colour"},
    };
    for (const auto& arguments : wrong) {
        const Parsed parsed = Parse(arguments);
        EXPECT_FALSE(parsed.ok) << arguments.size();
        EXPECT_FALSE(parsed.error.empty());
    }
}
