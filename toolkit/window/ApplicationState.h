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

inline constexpr std::uint16_t FirstControlId = 0x8000;

// The identifier of the next child window, from FirstControlId on, 16 bits
// wide. It is kept as the count taken so far, so that its start is zero and
// the program needs no initialised data for it.
class ControlIdCounter {
public:
    operator std::uint16_t() const { return At(taken); }
    // Takes the identifier.
    std::uint16_t operator++(int) { return At(taken++); }

private:
    static std::uint16_t At(std::uint16_t count)
    {
        return static_cast<std::uint16_t>(FirstControlId + count);
    }

    std::uint16_t taken = 0;
};

// Every child control takes one.
extern ControlIdCounter NextControlId;

} // namespace toolkit
