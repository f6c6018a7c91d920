#pragma once

#include <cstdint>

namespace runtime {

// The run-time error numbers of the failures that do not come from the
// processor or the platform.
inline constexpr std::uint8_t OutOfMemoryError = 203;
inline constexpr std::uint8_t InvalidPointerError = 204;

// The run-time error number of an exception code: 200..218, or 255 for a
// code the run-time has no number for.
std::uint8_t ExceptionToErrorNumber(std::uint32_t code);

} // namespace runtime
