#include "Decoder.h"

namespace lcdsim {

namespace {

constexpr std::uint8_t SetRowsCode = 0x04;
constexpr std::uint8_t SetColumnsCode = 0x03;
constexpr std::uint8_t SetTypeCode = 0x05;
constexpr std::uint8_t ClearCode = 0x58;

bool IsPrintable(std::uint8_t byte)
{
    return byte >= 0x20 && byte <= 0x7E;
}

} // namespace

void Decoder::Feed(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr)
        return;
    for (std::size_t i = 0; i < size; ++i)
        FeedByte(data[i]);
}

void Decoder::Quiet()
{
    if (state == State::Text) {
        EndText();
    } else if (!partialShown) {
        partialShown = true;
        Step partial = pending;
        partial.kind = StepKind::Partial;
        sink.StepEnded(partial, display);
    }
}

void Decoder::FeedByte(std::uint8_t byte)
{
    switch (state) {
    case State::Text:
        TakeText(byte);
        break;
    case State::Code:
        TakeCode(byte);
        break;
    case State::Parameter:
        TakeParameter(byte);
        break;
    }
}

void Decoder::TakeText(std::uint8_t byte)
{
    if (byte == CommandByte) {
        EndText();
        StartCommand();
        return;
    }
    pending.kind = StepKind::Text;
    Keep(byte);
    if (IsPrintable(byte))
        display.Put(static_cast<char>(byte));
    else
        ++pending.skipped;
    if (pending.size == MaxStepBytes)
        EndText();
}

void Decoder::TakeCode(std::uint8_t code)
{
    if (code == CommandByte) {
        End(StepKind::Partial);
        StartCommand();
        return;
    }
    Keep(code);
    switch (code) {
    case SetRowsCode:
        pending.kind = StepKind::Rows;
        state = State::Parameter;
        break;
    case SetColumnsCode:
        pending.kind = StepKind::Columns;
        state = State::Parameter;
        break;
    case SetTypeCode:
        pending.kind = StepKind::Type;
        state = State::Parameter;
        break;
    case ClearCode:
        display.Clear();
        End(StepKind::Clear);
        break;
    default:
        End(StepKind::Unknown);
        break;
    }
}

void Decoder::TakeParameter(std::uint8_t parameter)
{
    Keep(parameter);
    switch (pending.kind) {
    case StepKind::Rows:
        End(StepKind::Rows, display.SetRows(parameter));
        break;
    case StepKind::Columns:
        End(StepKind::Columns, display.SetColumns(parameter));
        break;
    default:
        display.SetType(parameter);
        End(StepKind::Type);
        break;
    }
}

void Decoder::StartCommand()
{
    pending = Step{};
    pending.kind = StepKind::Partial;
    Keep(CommandByte);
    state = State::Code;
    partialShown = false;
}

void Decoder::EndText()
{
    if (pending.size > 0)
        End(StepKind::Text);
}

void Decoder::End(StepKind kind, bool accepted)
{
    pending.kind = kind;
    pending.accepted = accepted;
    sink.StepEnded(pending, display);
    pending = Step{};
    state = State::Text;
}

void Decoder::Keep(std::uint8_t byte)
{
    if (pending.size < MaxStepBytes)
        pending.bytes[pending.size++] = byte;
}

} // namespace lcdsim
