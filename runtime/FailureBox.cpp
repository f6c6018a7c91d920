#include "runtime/FailureReport.h"

#include <windows.h>

#include "runtime/ErrorMessage.h"

namespace runtime {

// A window program's report: a box, which waits for the user.

void PrepareFailureReport()
{
}

void ReportFailure(std::uint8_t number, std::uintptr_t address)
{
    const ErrorMessage message = FormatErrorMessage(number, address);
    MessageBoxA(nullptr, message.Text, "Error", MB_OK);
}

} // namespace runtime
