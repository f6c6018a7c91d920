#include <gtest/gtest.h>

#include "Decoder.h"
#include "RecordingSink.h"
#include "tests/support/ConfigureSequence.h"

using lcdsim::Decoder;
using lcdsim::StepKind;

namespace {

const std::vector<std::uint8_t> configureStream = Bytes(ConfigureSequence());

} // namespace

TEST(DecoderCommands, TheConfigureStreamEndsAsCompleteOnATwoBySixteenLK16212)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, configureStream);
    decoder.Quiet();

    ASSERT_EQ(sink.entries.size(), 5u);
    EXPECT_EQ(sink.entries[0].step.kind, StepKind::Rows);
    EXPECT_EQ(sink.entries[0].Bytes(), (std::vector<std::uint8_t>{0xFE, 0x04, 0x02}));
    EXPECT_EQ(sink.entries[1].step.kind, StepKind::Columns);
    EXPECT_EQ(sink.entries[2].step.kind, StepKind::Type);
    EXPECT_EQ(sink.entries[3].step.kind, StepKind::Clear);
    EXPECT_EQ(sink.entries[4].step.kind, StepKind::Text);
    EXPECT_EQ(sink.entries[4].Bytes(), Bytes("Complete!"));

    const lcdsim::Display& display = decoder.GetDisplay();
    EXPECT_EQ(display.Rows(), 2);
    EXPECT_EQ(display.Columns(), 16);
    EXPECT_TRUE(display.HasType());
    EXPECT_EQ(display.TypeCode(), 0x34);
    EXPECT_EQ(Row(display, 0), "Complete!       ");
    EXPECT_EQ(Row(display, 1), std::string(16, ' '));
}

TEST(DecoderCommands, EachStepSeesTheDisplayAsThatStepLeftIt)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0x04, 0x04, 0xFE, 0x03, 0x28, 0xFE, 0x05, 0x73});
    ASSERT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.entries[0].display.Rows(), 4);
    EXPECT_EQ(sink.entries[0].display.Columns(), 16);
    EXPECT_EQ(sink.entries[1].display.Columns(), 40);
    EXPECT_FALSE(sink.entries[1].display.HasType());
    EXPECT_EQ(sink.entries[2].display.TypeCode(), 0x73);
}

TEST(DecoderCommands, ARefusedGeometryIsReportedAndChangesNothing)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0x04, 0x00, 0xFE, 0x03, 0xFF, 0xFE, 0x04, 0xFE});
    ASSERT_EQ(sink.entries.size(), 3u);
    for (const auto& entry : sink.entries)
        EXPECT_FALSE(entry.step.accepted);
    EXPECT_EQ(sink.entries[2].Bytes(), (std::vector<std::uint8_t>{0xFE, 0x04, 0xFE}));
    EXPECT_EQ(decoder.GetDisplay().Rows(), 2);
    EXPECT_EQ(decoder.GetDisplay().Columns(), 16);
}

TEST(DecoderCommands, ClearEmptiesTheScreenAndTextStartsTopLeft)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, Bytes("old text"));
    Feed(decoder, {0xFE, 0x58});
    Feed(decoder, Bytes("new"));
    decoder.Quiet();
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "new             ");
    ASSERT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.entries[0].step.kind, StepKind::Text);
    EXPECT_EQ(sink.entries[1].step.kind, StepKind::Clear);
}

TEST(DecoderCommands, CommandsSplitAcrossReadsAreJoined)
{
    RecordingSink sink;
    Decoder decoder(sink);
    for (std::uint8_t byte : configureStream)
        decoder.Feed(&byte, 1);
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 5u);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "Complete!       ");
}

TEST(DecoderOddInput, AnUnknownCommandEndsAtItsCodeAndWhatFollowsIsText)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0x99, 'h', 'i'});
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[0].step.kind, StepKind::Unknown);
    EXPECT_EQ(sink.entries[0].Bytes(), (std::vector<std::uint8_t>{0xFE, 0x99}));
    EXPECT_EQ(Row(decoder.GetDisplay(), 0).substr(0, 2), "hi");
}

TEST(DecoderOddInput, APartialCommandIsShownOnceOnQuietAndCompletesLater)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0x04});
    decoder.Quiet();
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].step.kind, StepKind::Partial);
    EXPECT_EQ(sink.entries[0].Bytes(), (std::vector<std::uint8_t>{0xFE, 0x04}));

    Feed(decoder, {0x04});
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[1].step.kind, StepKind::Rows);
    EXPECT_EQ(decoder.GetDisplay().Rows(), 4);
}

TEST(DecoderOddInput, ACommandByteWhereACodeIsDueCutsTheCommandShort)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0xFE, 0x04, 0x04});
    ASSERT_EQ(sink.entries.size(), 2u);
    EXPECT_EQ(sink.entries[0].step.kind, StepKind::Partial);
    EXPECT_EQ(sink.entries[0].Bytes(), (std::vector<std::uint8_t>{0xFE}));
    EXPECT_EQ(sink.entries[1].step.kind, StepKind::Rows);
    EXPECT_EQ(decoder.GetDisplay().Rows(), 4);
}

TEST(DecoderOddInput, AnUnknownTypeCodeIsKept)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0x05, 0xFE});
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].step.kind, StepKind::Type);
    EXPECT_EQ(decoder.GetDisplay().TypeCode(), 0xFE);
}

TEST(DecoderText, BytesThatAreNotPrintableTakeNoCellAndAreCounted)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {'a', 0x00, '\r', '\n', 0x7F, 0x80, 0xCA, 'b'});
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].step.skipped, 6u);
    EXPECT_EQ(sink.entries[0].step.size, 8u);
    EXPECT_EQ(Row(decoder.GetDisplay(), 0).substr(0, 3), "ab ");
}

TEST(DecoderText, ALongRunIsShownInBoundedPieces)
{
    RecordingSink sink;
    Decoder decoder(sink);
    const std::string text(lcdsim::MaxStepBytes * 2 + 5, 'x');
    Feed(decoder, Bytes(text));
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.entries[0].step.size, lcdsim::MaxStepBytes);
    EXPECT_EQ(sink.entries[1].step.size, lcdsim::MaxStepBytes);
    EXPECT_EQ(sink.entries[2].step.size, 5u);
}

TEST(DecoderText, TextOverflowingTheScreenWrapsToTheTop)
{
    RecordingSink sink;
    Decoder decoder(sink);
    Feed(decoder, {0xFE, 0x03, 0x08});
    Feed(decoder, Bytes("ABCDEFGHabcdefgh12"));
    decoder.Quiet();
    EXPECT_EQ(Row(decoder.GetDisplay(), 0), "12CDEFGH");
    EXPECT_EQ(Row(decoder.GetDisplay(), 1), "abcdefgh");
}

TEST(DecoderText, QuietWithNothingPendingShowsNothing)
{
    RecordingSink sink;
    Decoder decoder(sink);
    decoder.Quiet();
    Feed(decoder, {0xFE, 0x58});
    decoder.Quiet();
    ASSERT_EQ(sink.entries.size(), 1u);
    decoder.Feed(nullptr, 10);
    EXPECT_EQ(sink.entries.size(), 1u);
}
