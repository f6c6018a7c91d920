#include "cli/PortList.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "cli/Console.h"
#include "cli/Text.h"

namespace cli {

namespace {

// The device list holds a few hundred names on a busy machine.
constexpr DWORD FirstListSize = 64 * 1024;
constexpr DWORD LargestListSize = 4 * 1024 * 1024;
constexpr std::size_t MostPorts = 256;

// The number of a name "COMn"; 0 for every other device.
std::uint32_t ComNumber(std::string_view name)
{
    if (name.size() < 4 || name.size() > 7 || Head(name, 3) != "COM" || name[3] == '0')
        return 0;
    std::uint32_t number = 0;
    for (const char c : After(name, 3)) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return number;
}

// Keeps the numbers in order as they come in, each once.
void Insert(std::uint32_t (&numbers)[MostPorts], std::size_t& count, std::uint32_t number)
{
    std::size_t at = count;
    while (at > 0 && numbers[at - 1] > number)
        --at;
    if (at > 0 && numbers[at - 1] == number)
        return;
    for (std::size_t i = count; i > at; --i)
        numbers[i] = numbers[i - 1];
    numbers[at] = number;
    ++count;
}

} // namespace

bool PrintPorts()
{
    std::unique_ptr<char[]> list;
    DWORD length = 0;
    for (DWORD size = FirstListSize; size <= LargestListSize && length == 0; size *= 2) {
        list.reset(new char[size]);
        length = QueryDosDeviceA(nullptr, list.get(), size);
        if (length == 0 && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return false;
    }
    if (length == 0)
        return false;

    // The names, each ended by a zero byte, the list by a second one.
    std::uint32_t numbers[MostPorts];
    std::size_t count = 0;
    const std::string_view names(list.get(), length);
    for (std::size_t start = 0; start < names.size() && count < MostPorts;) {
        std::size_t end = names.find('\0', start);
        if (end == std::string_view::npos)
            end = names.size();
        const std::uint32_t number = ComNumber(Head(After(names, start), end - start));
        if (number != 0)
            Insert(numbers, count, number);
        start = end + 1;
    }
    for (std::size_t i = 0; i < count; ++i) {
        Text name;
        name << "COM" << numbers[i];
        PrintLine(name.View());
    }
    return true;
}

} // namespace cli
