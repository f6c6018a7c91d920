#pragma once

#include <windows.h>

#include <string>

namespace comport {
class ComPort;
}

// The other end of a bench line, opened through the platform as the COM port
// that the bench maps to it. Reads poll with a bound.
class FarEnd {
public:
    explicit FarEnd(int number);
    ~FarEnd();
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }

    // Reads until count bytes have arrived or the time is up.
    std::string Read(std::size_t count, DWORD milliseconds);
    // Reads whatever arrives within the time.
    std::string ReadAll(DWORD milliseconds);
    bool Write(const std::string& bytes);

private:
    std::string ReadQueued();

    HANDLE handle = INVALID_HANDLE_VALUE;
};

// The bench maps the far end of COMn as COM(n+16).
inline int FarEndOf(int number)
{
    return number + 16;
}

// Runs the configure action on the port the given number of times while
// another thread keeps a core busy and the far end collects what they send;
// what arrived.
std::string ConfigureUnderLoad(comport::ComPort& port, FarEnd& remote, int actions);
