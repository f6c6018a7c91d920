// cqconfig: the configure action of ConfigQuarnel from the command line, for
// batch files and service scripts. The same port settings, the same tables
// and the same four writes as the window.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string_view>

#include "app/ConfigureAction.h"
#include "app/DisplayPort.h"
#include "app/DisplayProtocol.h"
#include "cli/Arguments.h"
#include "cli/Console.h"
#include "cli/PortList.h"
#include "comport/ComPort.h"
#include "comport/PortName.h"
#include "runtime/Program.h"
#include "runtime/ProgramEntry.h"

// The C run-time's own splitting of the command line, by the platform's
// rules for quotes and backslashes.
extern "C" int __getmainargs(int* count, char*** arguments, char*** environment, int expand,
                             int* startInfo);

namespace {

using cli::Text;

enum ExitCode : std::int32_t {
    Done = 0,
    UsageError = 1,
    CannotOpen = 2,
    WriteFailed = 3,
    NoPortList = 4,
};

// The usage text, made when the program is compiled: the display types come
// from the window's own table, wrapped before column 77 under the first.
constexpr std::string_view UsageHead =
    "usage: cqconfig [PORT] [--rows N] [--columns N] [--type NAME] [--dry-run]\r\n"
    "       cqconfig --list | --help | --version\r\n"
    "\r\n"
    "Configures a character-LCD display controller on a serial port, as the\r\n"
    "window of ConfigQuarnel does: 9600 bits per second, 8 data bits, no parity,\r\n"
    "one stop bit; then the display shows \"Complete!\".\r\n"
    "\r\n"
    "  PORT           COM1 to COM256 (default COM1)\r\n"
    "  --rows N       2 or 4 (default 2)\r\n"
    "  --columns N    8, 16, 20, 24 or 40 (default 16)\r\n"
    "  --type NAME    the display type (default ";
constexpr std::string_view TypesLead = "): ";
constexpr std::string_view TypesIndent = "                 ";
constexpr std::size_t UsageWidth = 76;
constexpr std::string_view UsageTail =
    "\r\n"
    "  --dry-run      print the bytes that would be sent; open nothing\r\n"
    "  --list         print the COM ports of this machine\r\n"
    "\r\n"
    "Exit codes: 0 done, 1 usage error, 2 the port cannot be opened,\r\n"
    "3 a write did not complete, 4 the machine's ports cannot be listed.";

// Gives the usage text piece by piece to the sink: once to count, once to
// copy.
template <typename Sink>
constexpr void WriteUsage(Sink& sink)
{
    const std::string_view defaultType = app::TypeChoices[app::DefaultTypeIndex].Text;
    sink(UsageHead);
    sink(defaultType);
    sink(TypesLead);
    std::size_t column = UsageHead.size() - UsageHead.rfind('\n') - 1 + defaultType.size() +
                         TypesLead.size();
    const std::size_t count = std::size(app::TypeChoices);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view name = app::TypeChoices[i].Text;
        const bool last = i + 1 == count;
        const std::size_t width = name.size() + (last ? 0 : 1);
        if (i > 0 && column + 1 + width > UsageWidth) {
            sink("\r\n");
            sink(TypesIndent);
            column = TypesIndent.size();
        } else if (i > 0) {
            sink(" ");
            ++column;
        }
        sink(name);
        if (!last)
            sink(",");
        column += width;
    }
    sink(UsageTail);
}

struct UsageCount {
    std::size_t size = 0;
    constexpr void operator()(std::string_view piece) { size += piece.size(); }
};

template <std::size_t Size>
struct UsageChars {
    char bytes[Size] = {};
    std::size_t size = 0;
    constexpr void operator()(std::string_view piece)
    {
        for (const char c : piece)
            bytes[size++] = c;
    }
};

constexpr std::size_t UsageSize = [] {
    UsageCount count;
    WriteUsage(count);
    return count.size;
}();

constexpr UsageChars<UsageSize> UsageText = [] {
    UsageChars<UsageSize> chars;
    WriteUsage(chars);
    return chars;
}();

constexpr std::string_view Usage{UsageText.bytes, UsageSize};

// The request's choices, as the configure action reads them.
class RequestChoices final : public app::DisplayChoices {
public:
    explicit RequestChoices(const cli::Request& request)
        : request(request), port(request.Port)
    {
    }
    std::string_view PortText() override { return port.View(); }
    std::intptr_t RowsIndex() override { return request.Rows; }
    std::intptr_t ColumnsIndex() override { return request.Columns; }
    std::intptr_t TypeIndex() override { return request.Type; }

private:
    const cli::Request& request;
    const comport::PortName port;
};

// "COM3: 4 rows, 20 characters, LK204-25"
void Describe(Text& text, const cli::Request& request)
{
    text << comport::PortName(request.Port).View() << ": "
         << app::RowsChoices[request.Rows].Text << " rows, "
         << app::ColumnsChoices[request.Columns].Text << " characters, "
         << app::TypeChoices[request.Type].Text;
}

std::int32_t DryRun(const cli::Request& request)
{
    RequestChoices choices(request);
    Text hex;
    const auto record = [](void* target, std::string_view bytes) {
        Text& text = *static_cast<Text*>(target);
        for (const char byte : bytes) {
            if (!text.View().empty())
                text << ' ';
            text.Hex(static_cast<std::uint8_t>(byte));
        }
        return static_cast<std::uint32_t>(bytes.size());
    };
    app::SendConfiguration({record, &hex}, choices, app::ShortWrite::Stop);
    cli::PrintLine(hex.View());
    return Done;
}

// Why the platform would not open the port, in its own words.
void AppendOpenFailure(Text& text, DWORD error)
{
    char reason[256];
    DWORD length = 0;
    if (error != ERROR_SUCCESS)
        length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                reason, sizeof reason, nullptr);
    // The platform ends its messages with a full stop and a line end.
    while (length > 0 && (reason[length - 1] == '\r' || reason[length - 1] == '\n' ||
                          reason[length - 1] == ' ' || reason[length - 1] == '.'))
        --length;
    if (length > 0)
        text << std::string_view(reason, length);
    else if (error != ERROR_SUCCESS)
        text << "system error " << static_cast<std::uint32_t>(error);
    else
        text << "the platform gave no reason";
}

std::int32_t Configure(const cli::Request& request)
{
    RequestChoices choices(request);
    comport::ComPort* port = app::CreateDisplayPort();
    port->SetPort(choices.PortText());
    port->Open();
    Text message;
    std::int32_t code = Done;
    if (port->Handle() == INVALID_HANDLE_VALUE) {
        port->Close();
        message << port->Port() << " cannot be opened: ";
        AppendOpenFailure(message, port->OpenError());
        code = CannotOpen;
    } else {
        const std::uint32_t sent =
            app::SendConfiguration(*port, choices, app::ShortWrite::Stop);
        port->Close();
        if (sent == app::ConfigurationLength) {
            Describe(message, request);
            message << ": sent " << sent << " bytes";
        } else {
            message << port->Port() << ": a write did not complete: " << sent << " of "
                    << app::ConfigurationLength << " bytes went out";
            code = WriteFailed;
        }
    }
    toolkit::FreeObject(port);
    if (code == Done)
        cli::PrintLine(message.View());
    else
        cli::PrintError(message.View());
    return code;
}

std::int32_t Run(std::span<const std::string_view> arguments)
{
    const cli::ParseResult parsed = cli::ParseArguments(arguments);
    if (!parsed.Valid) {
        cli::PrintError(parsed.Error.View());
        cli::PrintError("try cqconfig --help");
        return UsageError;
    }
    const cli::Request& request = parsed.Request;
    switch (request.What) {
    case cli::Command::Help:
        cli::PrintLine(Usage);
        return Done;
    case cli::Command::Version:
        cli::PrintLine("cqconfig " CQ_VERSION);
        return Done;
    case cli::Command::List:
        if (cli::PrintPorts())
            return Done;
        cli::PrintError("the platform does not list its devices");
        return NoPortList;
    case cli::Command::DryRun:
        return DryRun(request);
    case cli::Command::Configure:
        break;
    }
    return Configure(request);
}

// The run-time, the serial port and this program have no work to do at
// start or end.
runtime::ModuleTable modules;

} // namespace

void ProgramEntry()
{
    runtime::StartProgram(modules);
    int count = 0;
    char** values = nullptr;
    char** environment = nullptr;
    int startInfo = 0;
    if (__getmainargs(&count, &values, &environment, 0, &startInfo) != 0 || values == nullptr)
        count = 0;
    // The program's own name is not an argument.
    const std::size_t given = count > 1 ? static_cast<std::size_t>(count - 1) : 0;
    const std::unique_ptr<std::string_view[]> arguments(new std::string_view[given + 1]);
    for (std::size_t i = 0; i < given; ++i)
        arguments[i] = std::string_view(values[i + 1]);
    runtime::ProcessExitCode = Run(std::span(arguments.get(), given));
    runtime::HaltProgram();
}
