#include <gtest/gtest.h>

#include <deque>

#include "RecordingSink.h"
#include "Server.h"

namespace {

// A clock that moves only when the line says it waited.
class FakeClock final : public lcdsim::Clock {
public:
    std::uint64_t Milliseconds() override { return now; }
    std::uint64_t now = 1000;
};

// Hands out scripted reads; an empty one is a quiet poll of 50 ms. When the
// script runs out the line stays quiet, up to a bound that fails the test.
class ScriptedLine final : public lcdsim::Line {
public:
    explicit ScriptedLine(FakeClock& clock) : clock(clock) {}

    long Read(std::uint8_t* buffer, std::size_t capacity) override
    {
        if (++reads > 10000)
            return -1;
        std::vector<std::uint8_t> chunk;
        if (!script.empty()) {
            chunk = script.front();
            script.pop_front();
            if (failAt == reads)
                return -1;
        }
        if (chunk.empty()) {
            clock.now += 50;
            return 0;
        }
        const std::size_t size = std::min(chunk.size(), capacity);
        std::copy(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(size), buffer);
        clock.now += 1;
        return static_cast<long>(size);
    }

    FakeClock& clock;
    std::deque<std::vector<std::uint8_t>> script;
    int reads = 0;
    int failAt = 0;
};

// A decoder served by a scripted line on a clock of its own.
class Serve : public ::testing::Test {
protected:
    lcdsim::ServeEnd Run() { return lcdsim::Serve(line, clock, decoder, options); }

    FakeClock clock;
    ScriptedLine line{clock};
    RecordingSink sink;
    lcdsim::Decoder decoder{sink};
    lcdsim::Options options;
};

} // namespace

TEST_F(Serve, StopsAtTheByteLimitAndShowsTheLastText)
{
    options.byteLimit = 20;
    line.script = {{0xFE, 0x04, 0x02, 0xFE, 0x03, 0x10, 0xFE, 0x05, 0x34, 0xFE, 0x58},
                         Bytes("Complete!"), Bytes("not taken")};
    EXPECT_EQ(Run(), lcdsim::ServeEnd::ByteLimit);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "Complete!       ");
    EXPECT_EQ(line.script.size(), 1u);
}

TEST_F(Serve, TakesNoByteBeyondTheLimitFromAReadThatHoldsMore)
{
    options.byteLimit = 3;
    line.script = {Bytes("abcdef")};
    EXPECT_EQ(Run(), lcdsim::ServeEnd::ByteLimit);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0).substr(0, 4), "abc ");
}

TEST_F(Serve, AQuietReadEndsATextRunBeforeMoreArrives)
{
    options.byteLimit = 4;
    line.script = {Bytes("ab"), {}, Bytes("cd")};
    EXPECT_EQ(Run(), lcdsim::ServeEnd::ByteLimit);
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[0].Bytes(), Bytes("ab"));
    EXPECT_EQ(sink.entries[1].Bytes(), Bytes("cd"));
}

TEST_F(Serve, EndsOnceTheLineHasBeenQuietLongEnoughAfterAByte)
{
    options.idleExit = 500;
    line.script = {{}, {}, {}, Bytes("x"), {}, {}, Bytes("y")};
    EXPECT_EQ(Run(), lcdsim::ServeEnd::Idle);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0).substr(0, 2), "xy");
    // The quiet before the first byte does not count towards the idle end.
    EXPECT_GE(line.reads, 7 + 10);
}

TEST_F(Serve, GivesUpWhenNothingArrivesInTime)
{
    options.wait = 1000;
    options.idleExit = 100;
    EXPECT_EQ(Run(), lcdsim::ServeEnd::NothingArrived);
    EXPECT_EQ(line.reads, 20);
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(Serve, AFailedReadEndsItAndShowsWhatWasPending)
{
    line.script = {{0xFE, 0x05}, Bytes("never")};
    line.failAt = 2;
    EXPECT_EQ(Run(), lcdsim::ServeEnd::LineFailed);
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].step.kind, lcdsim::StepKind::Partial);
}
