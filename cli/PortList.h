#pragma once

namespace cli {

// Prints the COM ports the machine has, one name a line, in number order
// (COM2 before COM10). False when the platform cannot list its devices.
bool PrintPorts();

} // namespace cli
