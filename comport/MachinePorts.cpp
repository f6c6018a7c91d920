#include "comport/MachinePorts.h"

#include <memory>
#include <string_view>

namespace comport {

namespace {

// Enough for the device names of most machines; a busy one has more.
constexpr DWORD FirstListSize = 16 * 1024;
constexpr DWORD LargestListSize = 4 * 1024 * 1024;

} // namespace

void PortSet::Add(int number)
{
    if (number >= LowestPortNumber && number <= HighestPortNumber)
        bits[(number - 1) / 32] |= 1u << ((number - 1) % 32);
}

int PortSet::Count() const
{
    int count = 0;
    for (int number = LowestPortNumber; number <= HighestPortNumber; ++number)
        count += Contains(number) ? 1 : 0;
    return count;
}

int PortSet::Next(int number) const
{
    if (number >= HighestPortNumber)
        return 0;
    for (int next = number < LowestPortNumber ? LowestPortNumber : number + 1;
         next <= HighestPortNumber; ++next)
        if (Contains(next))
            return next;
    return 0;
}

bool ListMachinePorts(PortSet& ports, DeviceListQuery query)
{
    std::unique_ptr<char[]> list;
    DWORD length = 0;
    DWORD room = 0;
    for (DWORD size = FirstListSize; size <= LargestListSize && length == 0; size *= 2) {
        list.reset(new char[size]);
        room = size;
        length = query(nullptr, list.get(), size);
        // Windows says ERROR_MORE_DATA where the list does not fit, Wine
        // ERROR_INSUFFICIENT_BUFFER.
        if (length == 0) {
            const DWORD error = GetLastError();
            if (error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_MORE_DATA)
                return false;
        }
    }
    if (length == 0)
        return false;
    // No list is longer than its buffer: a count that says more is read no
    // further than the buffer.
    if (length > room)
        length = room;

    // The names, each ended by a zero byte, the list by a second one.
    const char* names = list.get();
    for (DWORD start = 0, end = 0; end < length; ++end) {
        if (names[end] != '\0')
            continue;
        ports.Add(PortNumberOf(std::string_view(names + start, end - start)));
        start = end + 1;
    }
    return true;
}

} // namespace comport
