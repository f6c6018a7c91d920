// Random byte streams, some of them rich in command bytes: the decoder and
// the picture must stay within their bounds and lose no byte.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "Decoder.h"
#include "Picture.h"
#include "RecordingSink.h"

namespace {

std::vector<std::uint8_t> RandomStream(std::mt19937& random, std::size_t size)
{
    // Bytes drawn so that command bytes and known codes come up often.
    const std::uint8_t favourites[] = {0xFE, 0xFE, 0x04, 0x03, 0x05, 0x58, 0x00, 0xFF, 0x28, 'A'};
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof favourites - 1);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes)
        byte = coin(random) != 0 ? favourites[pick(random)] : static_cast<std::uint8_t>(anyByte(random));
    return bytes;
}

void ExpectSound(const lcdsim::Display& display)
{
    ASSERT_GE(display.Rows(), 1);
    ASSERT_LE(display.Rows(), lcdsim::MaxRows);
    ASSERT_GE(display.Columns(), 1);
    ASSERT_LE(display.Columns(), lcdsim::MaxColumns);
    ASSERT_GE(display.CursorRow(), 0);
    ASSERT_LT(display.CursorRow(), display.Rows());
    ASSERT_GE(display.CursorColumn(), 0);
    ASSERT_LT(display.CursorColumn(), display.Columns());
}

// The framed picture has rows + 2 frame lines of columns + 2 characters.
void ExpectFramed(const lcdsim::Step& step, const lcdsim::Display& display)
{
    lcdsim::TextBuffer out;
    lcdsim::DrawStep(step, display, true, out);
    ASSERT_LT(out.Size(), lcdsim::TextBuffer::Capacity - 1);
    std::istringstream lines(out.Text());
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line))
        all.push_back(line);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(display.Rows()) + 5);
    for (std::size_t i = 3; i < all.size(); ++i)
        ASSERT_EQ(all[i].size(), static_cast<std::size_t>(display.Columns()) + 2) << all[i];
}

} // namespace

TEST(DecoderFuzz, EveryByteEndsUpInExactlyOneStep)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        RecordingSink sink;
        lcdsim::Decoder decoder(sink);
        const auto stream = RandomStream(random, 1 + round * 7);
        std::size_t offset = 0;
        std::uniform_int_distribution<std::size_t> chunk(1, 40);
        while (offset < stream.size()) {
            const std::size_t size = std::min(chunk(random), stream.size() - offset);
            decoder.Feed(stream.data() + offset, size);
            offset += size;
        }
        decoder.Quiet();

        std::vector<std::uint8_t> joined;
        for (const auto& entry : sink.entries) {
            ASSERT_GT(entry.step.size, 0u);
            ASSERT_LE(entry.step.size, lcdsim::MaxStepBytes);
            joined.insert(joined.end(), entry.step.bytes, entry.step.bytes + entry.step.size);
        }
        ASSERT_EQ(joined, stream) << "round " << round;
    }
}

TEST(DecoderFuzz, DisplayAndPictureStayInBoundsWithQuietAnywhere)
{
    std::mt19937 random(61);
    std::uniform_int_distribution<int> tenth(0, 9);
    for (int round = 0; round < 200; ++round) {
        RecordingSink sink;
        lcdsim::Decoder decoder(sink);
        for (std::uint8_t byte : RandomStream(random, 400)) {
            decoder.Feed(&byte, 1);
            if (tenth(random) == 0)
                decoder.Quiet();
            ASSERT_NO_FATAL_FAILURE(ExpectSound(decoder.GetDisplay()));
        }
        decoder.Quiet();
        for (const auto& entry : sink.entries)
            ASSERT_NO_FATAL_FAILURE(ExpectFramed(entry.step, entry.display));
    }
}
