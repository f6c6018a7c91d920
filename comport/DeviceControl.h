#pragma once

#include <windows.h>

#include "comport/SettingValues.h"

namespace comport {

class ComPort;

// Bits per second; Custom gives the custom rate.
DWORD BaudRateOf(BaudRate rate, DWORD customRate);

// The device control block of the port's settings, every member set.
DCB BuildDeviceControl(const ComPort& port);

// The time-out record of the port's Timeouts, each value passed unchanged.
COMMTIMEOUTS BuildTimeouts(const ComPort& port);

} // namespace comport
