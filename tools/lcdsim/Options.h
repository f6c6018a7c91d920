#pragma once

#include <cstdint>

namespace lcdsim {

// The highest port number the platform gives a COM port.
inline constexpr unsigned MaxPort = 255;

struct Options {
    bool hex = false;
    bool help = false;
    std::uint32_t byteLimit = 0; // 0: no limit
    std::uint32_t idleExit = 0;  // ms of quiet after the first byte; 0: never
    std::uint32_t wait = 0;      // ms to wait for the first byte; 0: for ever
    unsigned port = 0;           // the n of COMn
};

// Reads the command line (argv[0] is the program). On a mistake it answers
// false and points error at a one-line reason.
bool ParseOptions(int argc, const char* const* argv, Options& options, const char*& error);

const char* HelpText();

} // namespace lcdsim
