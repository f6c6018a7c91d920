#include "cli/Console.h"

#include <windows.h>

namespace cli {

namespace {

void Write(DWORD stream, std::string_view text)
{
    const HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    // A pipe may take less than it is given.
    while (!text.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written == 0)
            return;
        text.remove_prefix(written);
    }
}

} // namespace

void PrintLine(std::string_view line)
{
    Write(STD_OUTPUT_HANDLE, line);
    Write(STD_OUTPUT_HANDLE, "\r\n");
}

void PrintError(std::string_view message)
{
    Write(STD_ERROR_HANDLE, "cqconfig: ");
    Write(STD_ERROR_HANDLE, message);
    Write(STD_ERROR_HANDLE, "\r\n");
}

} // namespace cli
