#include <gtest/gtest.h>

#include "Decoder.h"
#include "RecordingSink.h"
#include "tests/support/ConfigureSequence.h"

using lcdsim::StepKind;

namespace {

using ByteList = std::vector<std::uint8_t>;
using KindList = std::vector<StepKind>;

const ByteList configureStream = Bytes(ConfigureSequence());

// A decoder whose sink keeps every step it ends.
class Decoding : public ::testing::Test {
protected:
    KindList Kinds() const
    {
        KindList kinds;
        for (const auto& entry : sink.entries)
            kinds.push_back(entry.step.kind);
        return kinds;
    }

    RecordingSink sink;
    lcdsim::Decoder decoder{sink};
};

using DecoderCommands = Decoding;
using DecoderOddInput = Decoding;
using DecoderText = Decoding;

} // namespace

TEST_F(DecoderCommands, TheConfigureStreamEndsAsCompleteOnATwoBySixteenLK16212)
{
    Feed(decoder, configureStream);
    decoder.Quiet();

    ASSERT_EQ(Kinds(), (KindList{StepKind::Rows, StepKind::Columns, StepKind::Type,
                                 StepKind::Clear, StepKind::Text}));
    EXPECT_EQ(sink.entries[0].Bytes(), (ByteList{0xFE, 0x04, 0x02}));
    EXPECT_EQ(sink.entries[4].Bytes(), Bytes("Complete!"));

    const lcdsim::Display& display = decoder.GetDisplay();
    EXPECT_EQ(display.Rows(), 2);
    EXPECT_EQ(display.Columns(), 16);
    EXPECT_TRUE(display.HasType());
    EXPECT_EQ(display.TypeCode(), 0x34);
    EXPECT_EQ(Row(display, 0), "Complete!       ");
    EXPECT_EQ(Row(display, 1), std::string(16, ' '));
}

TEST_F(DecoderCommands, EachStepSeesTheDisplayAsThatStepLeftIt)
{
    Feed(decoder, {0xFE, 0x04, 0x04, 0xFE, 0x03, 0x28, 0xFE, 0x05, 0x73});
    ASSERT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.entries[0].display.Rows(), 4);
    EXPECT_EQ(sink.entries[0].display.Columns(), 16);
    EXPECT_EQ(sink.entries[1].display.Columns(), 40);
    EXPECT_FALSE(sink.entries[1].display.HasType());
    EXPECT_EQ(sink.entries[2].display.TypeCode(), 0x73);
}

TEST_F(DecoderCommands, ARefusedGeometryIsReportedAndChangesNothing)
{
    Feed(decoder, {0xFE, 0x04, 0x00, 0xFE, 0x03, 0xFF, 0xFE, 0x04, 0xFE});
    ASSERT_EQ(sink.entries.size(), 3u);
    for (const auto& entry : sink.entries)
        EXPECT_FALSE(entry.step.accepted);
    EXPECT_EQ(sink.entries[2].Bytes(), (ByteList{0xFE, 0x04, 0xFE}));
    EXPECT_EQ(decoder.GetDisplay().Rows(), 2);
    EXPECT_EQ(decoder.GetDisplay().Columns(), 16);
}

TEST_F(DecoderCommands, ClearEmptiesTheScreenAndTextStartsTopLeft)
{
    Feed(decoder, Bytes("old text"));
    Feed(decoder, {0xFE, 0x58});
    Feed(decoder, Bytes("new"));
    decoder.Quiet();
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "new             ");
    EXPECT_EQ(Kinds(), (KindList{StepKind::Text, StepKind::Clear, StepKind::Text}));
}

TEST_F(DecoderCommands, CommandsSplitAcrossReadsAreJoined)
{
    for (std::uint8_t byte : configureStream)
        decoder.Feed(&byte, 1);
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 5u);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "Complete!       ");
}

TEST_F(DecoderOddInput, AnUnknownCommandEndsAtItsCodeAndWhatFollowsIsText)
{
    Feed(decoder, {0xFE, 0x99, 'h', 'i'});
    decoder.Quiet();
    ASSERT_EQ(Kinds(), (KindList{StepKind::Unknown, StepKind::Text}));
    EXPECT_EQ(sink.entries[0].Bytes(), (ByteList{0xFE, 0x99}));
    EXPECT_EQ(Row(decoder.GetDisplay(), 0).substr(0, 2), "hi");
}

TEST_F(DecoderOddInput, APartialCommandIsShownOnceOnQuietAndCompletesLater)
{
    Feed(decoder, {0xFE, 0x04});
    decoder.Quiet();
    decoder.Quiet();
    ASSERT_EQ(Kinds(), KindList{StepKind::Partial});
    EXPECT_EQ(sink.entries[0].Bytes(), (ByteList{0xFE, 0x04}));

    Feed(decoder, {0x04});
    EXPECT_EQ(Kinds(), (KindList{StepKind::Partial, StepKind::Rows}));
    EXPECT_EQ(decoder.GetDisplay().Rows(), 4);
}

TEST_F(DecoderOddInput, ACommandByteWhereACodeIsDueCutsTheCommandShort)
{
    Feed(decoder, {0xFE, 0xFE, 0x04, 0x04});
    ASSERT_EQ(Kinds(), (KindList{StepKind::Partial, StepKind::Rows}));
    EXPECT_EQ(sink.entries[0].Bytes(), ByteList{0xFE});
    EXPECT_EQ(decoder.GetDisplay().Rows(), 4);
}

TEST_F(DecoderOddInput, AnUnknownTypeCodeIsKept)
{
    Feed(decoder, {0xFE, 0x05, 0xFE});
    EXPECT_EQ(Kinds(), KindList{StepKind::Type});
    EXPECT_EQ(decoder.GetDisplay().TypeCode(), 0xFE);
}

TEST_F(DecoderText, BytesThatAreNotPrintableTakeNoCellAndAreCounted)
{
    Feed(decoder, {'a', 0x00, '\r', '\n', 0x7F, 0x80, 0xCA, 'b'});
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].step.skipped, 6u);
    EXPECT_EQ(sink.entries[0].step.size, 8u);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0).substr(0, 3), "ab ");
}

TEST_F(DecoderText, ALongRunIsShownInBoundedPieces)
{
    Feed(decoder, Bytes(std::string(lcdsim::MaxStepBytes * 2 + 5, 'x')));
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.entries[0].step.size, lcdsim::MaxStepBytes);
    EXPECT_EQ(sink.entries[1].step.size, lcdsim::MaxStepBytes);
    EXPECT_EQ(sink.entries[2].step.size, 5u);
}

TEST_F(DecoderText, TextOverflowingTheScreenWrapsToTheTop)
{
    Feed(decoder, {0xFE, 0x03, 0x08});
    Feed(decoder, Bytes("ABCDEFGHabcdefgh12"));
    decoder.Quiet();
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "12CDEFGH");
    EXPECT_EQ(Row(decoder.GetDisplay(), 1), "abcdefgh");
}

TEST_F(DecoderText, QuietWithNothingPendingShowsNothing)
{
    decoder.Quiet();
    Feed(decoder, {0xFE, 0x58});
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 1u);
    decoder.Feed(nullptr, 10);
    EXPECT_EQ(sink.entries.size(), 1u);
}
