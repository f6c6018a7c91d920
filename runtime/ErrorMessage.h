#pragma once

#include <cstdint>

namespace runtime {

// The text of the run-time error box: "Runtime error NNN at XXXXXXXX". An
// address that needs more than eight hexadecimal digits (64-bit code) is
// shown with all sixteen, so that it can always be found again.
struct ErrorMessage {
    char Text[38];
};

ErrorMessage FormatErrorMessage(std::uint8_t number, std::uintptr_t address);

} // namespace runtime
