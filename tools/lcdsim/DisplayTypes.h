#pragma once

#include <cstdint>

namespace lcdsim {

// The name of a display module type by the code the controller receives for
// it, or nullptr for a code that names no module.
const char* TypeName(std::uint8_t code);

} // namespace lcdsim
