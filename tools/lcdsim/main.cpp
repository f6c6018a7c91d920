// lcdsim: a simulated display controller on a COM port. See HelpText().
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "Decoder.h"
#include "Options.h"
#include "Picture.h"
#include "SerialLine.h"
#include "Server.h"
#include "TextBuffer.h"

namespace {

void Print(const char* text)
{
    std::fputs(text, stdout);
    // Whoever reads a pipe or a file waits for each picture as it comes.
    std::fflush(stdout);
}

class ConsoleSink final : public lcdsim::StepSink {
public:
    explicit ConsoleSink(bool hex) : hex(hex) {}

    void StepEnded(const lcdsim::Step& step, const lcdsim::Display& display) override
    {
        out.Reset();
        lcdsim::DrawStep(step, display, hex, out);
        Print(out.Text());
    }

private:
    bool hex;
    lcdsim::TextBuffer out;
};

class TickClock final : public lcdsim::Clock {
public:
    std::uint64_t Milliseconds() override { return GetTickCount64(); }
};

} // namespace

int main(int argc, char** argv)
{
    // Plain line ends, so that a file or pipe reads the same on every system.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);

    lcdsim::Options options;
    const char* error = nullptr;
    if (!lcdsim::ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "lcdsim: %s (try --help)\n", error);
        return 2;
    }
    if (options.help) {
        Print(lcdsim::HelpText());
        return 0;
    }

    lcdsim::SerialLine line;
    if (const DWORD failure = line.Open(options.port); failure != 0) {
        std::fprintf(stderr, "lcdsim: cannot open COM%u (error %lu)\n", options.port,
                     static_cast<unsigned long>(failure));
        return 1;
    }

    ConsoleSink sink(options.hex);
    lcdsim::Decoder decoder(sink);
    lcdsim::TextBuffer out;
    out.Append("lcdsim: COM");
    out.AppendNumber(options.port);
    out.Append(" at 9600 8N1\n");
    lcdsim::DrawDisplay(decoder.GetDisplay(), out);
    Print(out.Text());

    TickClock clock;
    switch (lcdsim::Serve(line, clock, decoder, options)) {
    case lcdsim::ServeEnd::ByteLimit:
    case lcdsim::ServeEnd::Idle:
        return 0;
    case lcdsim::ServeEnd::NothingArrived:
        std::fputs("lcdsim: nothing arrived\n", stderr);
        return 3;
    case lcdsim::ServeEnd::LineFailed:
        break;
    }
    std::fputs("lcdsim: reading the port failed\n", stderr);
    return 4;
}
