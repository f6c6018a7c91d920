#pragma once

#include <windows.h>

#include <cstdint>

namespace comport {

class ComPort;

// The rate of a BaudRate index; 0 stands for the custom rate.
DWORD BaudRateOf(std::uint8_t index, DWORD customRate);

// The device control block of the port's settings, every member set.
DCB BuildDeviceControl(const ComPort& port);

// The time-out record of the port's Timeouts, each value passed unchanged.
COMMTIMEOUTS BuildTimeouts(const ComPort& port);

} // namespace comport
