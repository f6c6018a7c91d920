#include "runtime/FailureReport.h"

#include <windows.h>

#include "runtime/ErrorMessage.h"

namespace runtime {

// A console program's report: a line on standard error, and no window.

namespace {

// In one write, so that the line stays whole among others on the same handle.
void WriteErrorLine(const ErrorMessage& message)
{
    const HANDLE standardError = GetStdHandle(STD_ERROR_HANDLE);
    if (standardError == nullptr || standardError == INVALID_HANDLE_VALUE)
        return;
    char line[sizeof(message.Text) + 2];
    std::size_t length = 0;
    for (; length < sizeof(message.Text) && message.Text[length] != '\0'; ++length)
        line[length] = message.Text[length];
    line[length++] = '\r';
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(standardError, line, static_cast<DWORD>(length), &written, nullptr);
}

} // namespace

void PrepareFailureReport()
{
    // A fault on another thread, left to the platform, then ends the process
    // at once instead of waiting in a window; a drive that is not ready fails
    // the call that asked for it. The mode is added to the one inherited.
    constexpr UINT QuietErrors = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX;
    SetErrorMode(SetErrorMode(QuietErrors) | QuietErrors);
}

void ReportFailure(std::uint8_t number, std::uintptr_t address)
{
    WriteErrorLine(FormatErrorMessage(number, address));
}

} // namespace runtime
