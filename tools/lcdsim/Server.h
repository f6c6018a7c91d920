#pragma once

#include <cstddef>
#include <cstdint>

#include "Decoder.h"
#include "Options.h"

namespace lcdsim {

// Where the bytes come from. Read waits a short while for input and answers
// the count read, 0 when the line stayed quiet, or less than 0 on failure.
class Line {
public:
    virtual long Read(std::uint8_t* buffer, std::size_t capacity) = 0;

protected:
    ~Line() = default;
};

class Clock {
public:
    virtual std::uint64_t Milliseconds() = 0;

protected:
    ~Clock() = default;
};

enum class ServeEnd { ByteLimit, Idle, NothingArrived, LineFailed };

// Hands the line's bytes to the decoder until one of the options' ends.
// With none of them set it only ends when the line fails.
ServeEnd Serve(Line& line, Clock& clock, Decoder& decoder, const Options& options);

} // namespace lcdsim
