#include <gtest/gtest.h>

#include <string>

#include "Decoder.h"
#include "Picture.h"
#include "RecordingSink.h"
#include "tests/support/ConfigureSequence.h"

namespace {

std::vector<std::string> Drawn(const std::vector<std::uint8_t>& input, bool hex)
{
    RecordingSink sink;
    lcdsim::Decoder decoder(sink);
    Feed(decoder, input);
    decoder.Quiet();
    std::vector<std::string> pictures;
    for (const auto& entry : sink.entries) {
        lcdsim::TextBuffer out;
        lcdsim::DrawStep(entry.step, entry.display, hex, out);
        pictures.emplace_back(out.Text());
    }
    return pictures;
}

std::string Described(const std::vector<std::uint8_t>& input)
{
    RecordingSink sink;
    lcdsim::Decoder decoder(sink);
    Feed(decoder, input);
    decoder.Quiet();
    std::string all;
    for (const auto& entry : sink.entries) {
        lcdsim::TextBuffer out;
        lcdsim::DescribeStep(entry.step, out);
        all += out.Text();
        all += '\n';
    }
    return all;
}

} // namespace

TEST(Picture, TheConfigureStreamEndsInAFramedCompleteWithTheTypeName)
{
    const auto pictures = Drawn(Bytes(ConfigureSequence()), false);
    ASSERT_EQ(pictures.size(), 5u);
    EXPECT_EQ(pictures.back(), "== text \"Complete!\"\n"
                               "LK162-12 (0x34), 2 x 16\n"
                               "+----------------+\n"
                               "|Complete!       |\n"
                               "|                |\n"
                               "+----------------+\n");
    EXPECT_EQ(pictures[0].substr(0, pictures[0].find('\n', 3) + 1), "== rows 2\n");
}

TEST(Picture, HexAddsTheRawBytesOfTheStep)
{
    const auto pictures = Drawn({0xFE, 0x04, 0x04}, true);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0], "== rows 4\n"
                           "   bytes FE 04 04\n"
                           "type not set, 4 x 16\n"
                           "+----------------+\n"
                           "|                |\n"
                           "|                |\n"
                           "|                |\n"
                           "|                |\n"
                           "+----------------+\n");
}

TEST(Picture, DescribesOddInputPlainly)
{
    EXPECT_EQ(Described({0xFE, 0x04, 0x00}), "rows 0: no display has that, ignored\n");
    EXPECT_EQ(Described({0xFE, 0x03, 0xFF}), "columns 255: no display has that, ignored\n");
    EXPECT_EQ(Described({0xFE, 0x05, 0x77}), "type unknown (0x77)\n");
    EXPECT_EQ(Described({0xFE, 0x42}), "unknown command FE 42, ignored\n");
    EXPECT_EQ(Described({0xFE, 0x05}), "partial command FE 05\n");
    EXPECT_EQ(Described({'o', 'k', '\n'}), "text \"ok\", 1 byte not printable, skipped\n");
    EXPECT_EQ(Described({0x01, 0x02}), "text \"\", 2 bytes not printable, skipped\n");
}

TEST(Picture, AnUnknownTypeKeptByTheDisplayIsNamedSo)
{
    const auto pictures = Drawn({0xFE, 0x05, 0x00}, false);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_NE(pictures[0].find("\nunknown type (0x00), 2 x 16\n"), std::string::npos) << pictures[0];
}

TEST(TextBuffer, DropsWhatDoesNotFitAndStaysTerminated)
{
    lcdsim::TextBuffer out;
    for (std::size_t i = 0; i < lcdsim::TextBuffer::Capacity + 10; ++i)
        out.Append('z');
    EXPECT_EQ(out.Size(), lcdsim::TextBuffer::Capacity - 1);
    EXPECT_EQ(std::string(out.Text()).size(), out.Size());
    out.Reset();
    out.AppendNumber(0);
    out.Append(' ');
    out.AppendNumber(4294967295u);
    out.Append(' ');
    out.AppendHex(0xA5);
    out.Append(static_cast<const char*>(nullptr));
    EXPECT_STREQ(out.Text(), "0 4294967295 A5");
}
