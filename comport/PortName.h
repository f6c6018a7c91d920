#pragma once

#include <cstddef>
#include <string_view>

namespace comport {

// The numbers a port name may carry: the platform offers COM1 to COM256.
inline constexpr int LowestPortNumber = 1;
inline constexpr int HighestPortNumber = 256;

// A port's name, "COM" and its number, 1 to 256; the name alone says which
// device is meant, so no number is ever replaced by another one in range.
class PortName {
public:
    // How the letters are written: as the platform names its devices, or as
    // a list shows them to the user ("Com3"). Either names the same port.
    enum class Spelling { Device, Title };

    PortName() : PortName(LowestPortNumber) {}
    // A number outside 1..256 gives COM1.
    explicit PortName(int number, Spelling spelling = Spelling::Device);

    std::string_view View() const { return {text, length}; }
    // The same, zero-terminated.
    const char* Text() const { return text; }
    int Number() const { return number; }

    friend bool operator==(const PortName& a, const PortName& b) { return a.number == b.number; }

private:
    char text[8] = {};
    std::size_t length = 0;
    int number = LowestPortNumber;
};

// The platform's prefix for device paths: with it every port opens, COM10
// and up too, where the bare name would open only COM1 to COM9.
inline constexpr char DevicePathPrefix[] = "\\\\.\\";

// The path that opens the named port's device, zero-terminated.
class DevicePath {
public:
    explicit DevicePath(const PortName& name);

    const char* Text() const { return text; }

private:
    // The prefix without its terminator, "COM256" and a zero.
    char text[sizeof(DevicePathPrefix) - 1 + 7] = {};
};

// Any bytes of any length give a name: an optional "COM" prefix (any case),
// then a decimal number read as the platform's 32-bit integer reader reads it;
// a number outside 1..256 gives COM1.
PortName NormalisePortName(std::string_view name);

// The number of a name written exactly as a port's: "COM" in any case, then
// 1 to 256 without a leading zero and nothing after it; 0 for any other name.
int PortNumberOf(std::string_view name);

} // namespace comport
