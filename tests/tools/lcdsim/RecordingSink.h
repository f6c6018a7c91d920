#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Decoder.h"

// Keeps every step the decoder ends, with the display as it was then.
class RecordingSink final : public lcdsim::StepSink {
public:
    struct Entry {
        lcdsim::Step step;
        lcdsim::Display display;

        std::vector<std::uint8_t> Bytes() const { return {step.bytes, step.bytes + step.size}; }
    };

    void StepEnded(const lcdsim::Step& step, const lcdsim::Display& display) override
    {
        entries.push_back({step, display});
    }

    std::vector<Entry> entries;
};

inline std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

inline void Feed(lcdsim::Decoder& decoder, const std::vector<std::uint8_t>& bytes)
{
    decoder.Feed(bytes.data(), bytes.size());
}

// The text of one row of the screen, trailing blanks kept.
inline std::string Row(const lcdsim::Display& display, int row)
{
    std::string text;
    for (int column = 0; column < display.Columns(); ++column)
        text += display.At(row, column);
    return text;
}
