#pragma once

#include <cstddef>
#include <cstdint>

#include "Display.h"

namespace lcdsim {

// Every command starts with this byte.
inline constexpr std::uint8_t CommandByte = 0xFE;

// A run of text is shown in pieces of at most this many bytes.
inline constexpr std::size_t MaxStepBytes = 64;

enum class StepKind {
    Rows,    // FE 04 r
    Columns, // FE 03 w
    Type,    // FE 05 t
    Clear,   // FE 58
    Text,    // bytes outside commands; the printable ones reach the screen
    Unknown, // FE and a code the controller does not know
    Partial, // a command that has not (yet) got all its bytes
};

// One decoded piece of the input, with the bytes it was made of.
struct Step {
    StepKind kind = StepKind::Text;
    bool accepted = true;     // false: a geometry no display can have
    std::size_t skipped = 0;  // text: bytes that are not printable
    std::size_t size = 0;
    std::uint8_t bytes[MaxStepBytes] = {};
};

// Told of each step as it ends, with the display as the step left it.
class StepSink {
public:
    virtual void StepEnded(const Step& step, const Display& display) = 0;

protected:
    ~StepSink() = default;
};

// Turns the bytes of the line into display changes. Any byte sequence is
// taken: an unknown command ends at its code byte and what follows is read
// afresh; a command byte where a command's code is due cuts the command short
// and starts a new one. Parameters are taken as they are, 0xFE included.
class Decoder {
public:
    explicit Decoder(StepSink& sink) : sink(sink) {}

    void Feed(const std::uint8_t* data, std::size_t size);

    // The line has gone quiet: a run of text ends here, and a command still
    // waiting for bytes is shown once (it completes if they come later).
    void Quiet();

    const Display& GetDisplay() const { return display; }

private:
    enum class State { Text, Code, Parameter };

    void FeedByte(std::uint8_t byte);
    void TakeText(std::uint8_t byte);
    void TakeCode(std::uint8_t code);
    void TakeParameter(std::uint8_t parameter);
    void StartCommand();
    void EndText();
    void End(StepKind kind, bool accepted = true);
    void Keep(std::uint8_t byte);

    StepSink& sink;
    Display display;
    State state = State::Text;
    Step pending;
    bool partialShown = false;
};

} // namespace lcdsim
