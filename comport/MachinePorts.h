#pragma once

#include <windows.h>

#include <cstdint>

#include "comport/PortName.h"

namespace comport {

// A set of port numbers, 1 to 256, walked in number order.
class PortSet {
public:
    void Add(int number);
    [[gnu::always_inline]] bool Contains(int number) const
    {
        return number >= LowestPortNumber && number <= HighestPortNumber &&
               (bits[(number - 1) / 32] & (1u << ((number - 1) % 32))) != 0;
    }
    int Count() const;
    // The first number of the set above `number`; 0 when there is none.
    // Walk it from 0.
    int Next(int number) const;

private:
    static constexpr int Words = (HighestPortNumber + 31) / 32;
    std::uint32_t bits[Words] = {};
};

// The platform's list of device names, as QueryDosDeviceA gives it with no
// name; a test puts a list of its own in its place.
using DeviceListQuery = DWORD(WINAPI*)(LPCSTR name, LPSTR list, DWORD size);

// The COM ports the machine has: every "COMn" among the platform's device
// names, read in one query. False when the platform does not list them.
bool ListMachinePorts(PortSet& ports, DeviceListQuery query = ::QueryDosDeviceA);

} // namespace comport
