#include "Options.h"

namespace lcdsim {

namespace {

bool Equal(const char* a, const char* b)
{
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Digits only, no sign, at most the given value.
bool ParseNumber(const char* text, std::uint32_t highest, std::uint32_t& value)
{
    if (text == nullptr || *text == '\0')
        return false;
    std::uint64_t result = 0;
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9')
            return false;
        result = result * 10 + static_cast<std::uint64_t>(*text - '0');
        if (result > highest)
            return false;
    }
    value = static_cast<std::uint32_t>(result);
    return true;
}

bool ParsePort(const char* text, unsigned& port)
{
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(text[0]) != 'C' || upper(text[1]) != 'O' || upper(text[2]) != 'M')
        return false;
    std::uint32_t number = 0;
    if (!ParseNumber(text + 3, MaxPort, number) || number == 0)
        return false;
    port = number;
    return true;
}

constexpr std::uint32_t MaxMilliseconds = 24u * 60 * 60 * 1000;
constexpr std::uint32_t MaxBytes = 0x7FFFFFFF;

} // namespace

bool ParseOptions(int argc, const char* const* argv, Options& options, const char*& error)
{
    options = Options{};
    error = nullptr;
    bool havePort = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument == nullptr)
            continue;
        const bool takesValue = Equal(argument, "--bytes") || Equal(argument, "--idle-exit")
                             || Equal(argument, "--wait");
        if (takesValue && i + 1 >= argc) {
            error = "an option needs a value";
            return false;
        }
        if (Equal(argument, "--help") || Equal(argument, "-h") || Equal(argument, "/?")) {
            options.help = true;
        } else if (Equal(argument, "--hex")) {
            options.hex = true;
        } else if (Equal(argument, "--bytes")) {
            if (!ParseNumber(argv[++i], MaxBytes, options.byteLimit) || options.byteLimit == 0) {
                error = "--bytes needs a count from 1";
                return false;
            }
        } else if (Equal(argument, "--idle-exit")) {
            if (!ParseNumber(argv[++i], MaxMilliseconds, options.idleExit) || options.idleExit == 0) {
                error = "--idle-exit needs milliseconds from 1";
                return false;
            }
        } else if (Equal(argument, "--wait")) {
            if (!ParseNumber(argv[++i], MaxMilliseconds, options.wait) || options.wait == 0) {
                error = "--wait needs milliseconds from 1";
                return false;
            }
        } else if (!havePort && ParsePort(argument, options.port)) {
            havePort = true;
        } else {
            error = havePort ? "unexpected argument" : "expected a port COM1 to COM255";
            return false;
        }
    }
    if (!havePort && !options.help) {
        error = "no port given";
        return false;
    }
    return true;
}

const char* HelpText()
{
    return "lcdsim: a simulated character-LCD display controller on a serial port.\n"
           "\n"
           "usage: lcdsim [--hex] [--bytes N] [--idle-exit MS] [--wait MS] COMn\n"
           "\n"
           "Opens COMn at 9600 bits per second, 8 data bits, no parity, one stop bit,\n"
           "and decodes what arrives. After each command, and when a run of text ends\n"
           "(the line is quiet for 50 ms), it prints what happened and the display\n"
           "as a framed picture of its rows and columns with the module type.\n"
           "\n"
           "  --hex           also print the raw bytes of each step\n"
           "  --bytes N       end after N bytes have arrived\n"
           "  --idle-exit MS  end once the line has been quiet for MS ms after a byte\n"
           "  --wait MS       end if no byte at all arrives within MS ms (exit code 3)\n"
           "  --help          this text\n"
           "\n"
           "Commands: FE 04 r rows, FE 03 w characters per row, FE 05 t module type,\n"
           "FE 58 clear. Other bytes are text, written at the cursor.\n"
           "\n"
           "The display starts as 2 x 16 with no type, blank, the cursor top left.\n"
           "  - Rows 1 to 4 and 1 to 40 characters per row are taken; another value\n"
           "    (0, 255, ...) is shown as ignored and changes nothing. A new\n"
           "    geometry clears the screen.\n"
           "  - Any type code is kept; one of no known module shows as unknown.\n"
           "  - The cursor moves on after each character: from the end of a row to\n"
           "    the start of the next, from the last cell back to the first.\n"
           "  - Bytes outside 20..7E in text take no cell; they are counted as\n"
           "    skipped.\n"
           "  - An unknown command FE xx is shown and ends at xx; the bytes after it\n"
           "    are read afresh.\n"
           "  - A command still waiting for bytes when the line goes quiet is shown\n"
           "    as partial, and completes if they come. FE where a command code is\n"
           "    due ends the partial command and starts a new one.\n"
           "\n"
           "Exit codes: 0 ended by --bytes or --idle-exit, 1 the port cannot be\n"
           "opened, 2 a wrong command line, 3 nothing arrived within --wait,\n"
           "4 reading the port failed.\n";
}

} // namespace lcdsim
