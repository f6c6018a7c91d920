#pragma once

#include <cstdint>

namespace toolkit {

class Control;

// The state of the one application loop of the process, on the main thread.
extern Control* MainControl;
extern bool LoopRunning;
extern bool LoopTerminated;
// The Control whose window CreateWindowExA is making: the window procedure
// binds the window to it at the first message.
extern Control* ControlBeingCreated;
// The identifier of the next child window; every child control takes one.
extern std::uint16_t NextControlId;

inline constexpr std::uint16_t FirstControlId = 0x8000;

} // namespace toolkit
