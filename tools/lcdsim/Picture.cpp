#include "Picture.h"

#include "DisplayTypes.h"

namespace lcdsim {

namespace {

void AppendSize(const char* name, const Step& step, TextBuffer& out)
{
    out.Append(name);
    // The parameter is the third byte of a complete command.
    if (step.size >= 3)
        out.AppendNumber(step.bytes[2]);
    if (!step.accepted)
        out.Append(": no display has that, ignored");
}

void AppendText(const Step& step, TextBuffer& out)
{
    out.Append("text \"");
    for (std::size_t i = 0; i < step.size; ++i) {
        const std::uint8_t byte = step.bytes[i];
        if (byte >= 0x20 && byte <= 0x7E)
            out.Append(static_cast<char>(byte));
    }
    out.Append('"');
    if (step.skipped > 0) {
        out.Append(", ");
        out.AppendNumber(static_cast<unsigned>(step.skipped));
        out.Append(step.skipped == 1 ? " byte not printable, skipped" : " bytes not printable, skipped");
    }
}

void AppendBytes(const Step& step, TextBuffer& out)
{
    for (std::size_t i = 0; i < step.size; ++i) {
        if (i > 0)
            out.Append(' ');
        out.AppendHex(step.bytes[i]);
    }
}

void AppendRule(int columns, TextBuffer& out)
{
    out.Append('+');
    for (int column = 0; column < columns; ++column)
        out.Append('-');
    out.Append("+\n");
}

} // namespace

void DescribeStep(const Step& step, TextBuffer& out)
{
    switch (step.kind) {
    case StepKind::Rows:
        AppendSize("rows ", step, out);
        break;
    case StepKind::Columns:
        AppendSize("columns ", step, out);
        break;
    case StepKind::Type: {
        const std::uint8_t code = step.size >= 3 ? step.bytes[2] : 0;
        const char* name = TypeName(code);
        out.Append("type ");
        out.Append(name != nullptr ? name : "unknown");
        out.Append(" (0x");
        out.AppendHex(code);
        out.Append(')');
        break;
    }
    case StepKind::Clear:
        out.Append("clear");
        break;
    case StepKind::Text:
        AppendText(step, out);
        break;
    case StepKind::Unknown:
        out.Append("unknown command ");
        AppendBytes(step, out);
        out.Append(", ignored");
        break;
    case StepKind::Partial:
        out.Append("partial command ");
        AppendBytes(step, out);
        break;
    }
}

void DrawDisplay(const Display& display, TextBuffer& out)
{
    if (!display.HasType()) {
        out.Append("type not set");
    } else {
        const char* name = TypeName(display.TypeCode());
        out.Append(name != nullptr ? name : "unknown type");
        out.Append(" (0x");
        out.AppendHex(display.TypeCode());
        out.Append(')');
    }
    out.Append(", ");
    out.AppendNumber(static_cast<unsigned>(display.Rows()));
    out.Append(" x ");
    out.AppendNumber(static_cast<unsigned>(display.Columns()));
    out.Append('\n');

    AppendRule(display.Columns(), out);
    for (int row = 0; row < display.Rows(); ++row) {
        out.Append('|');
        for (int column = 0; column < display.Columns(); ++column)
            out.Append(display.At(row, column));
        out.Append("|\n");
    }
    AppendRule(display.Columns(), out);
}

void DrawStep(const Step& step, const Display& display, bool hex, TextBuffer& out)
{
    out.Append("== ");
    DescribeStep(step, out);
    out.Append('\n');
    if (hex) {
        out.Append("   bytes ");
        AppendBytes(step, out);
        out.Append('\n');
    }
    DrawDisplay(display, out);
}

} // namespace lcdsim
