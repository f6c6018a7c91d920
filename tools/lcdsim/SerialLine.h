#pragma once

#include <windows.h>

#include "Server.h"

namespace lcdsim {

// Milliseconds a read waits for the first byte before it calls the line quiet.
inline constexpr DWORD QuietPoll = 50;

// One COM port, opened for plain blocking reads at 9600 8N1.
class SerialLine final : public Line {
public:
    SerialLine() = default;
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;
    ~SerialLine();

    // Answers 0 on success, or the platform's error code.
    DWORD Open(unsigned port);
    long Read(std::uint8_t* buffer, std::size_t capacity) override;

private:
    HANDLE handle = INVALID_HANDLE_VALUE;
};

} // namespace lcdsim
