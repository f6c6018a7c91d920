#pragma once

#include <cstddef>
#include <string_view>

namespace comport {

// A normalised port name, "COM1" to "COM16".
class PortName {
public:
    PortName() : PortName(1) {}
    explicit PortName(int number);

    std::string_view View() const { return {text, length}; }
    int Number() const { return number; }

    // The text follows from the number.
    friend bool operator==(const PortName& a, const PortName& b) { return a.number == b.number; }

private:
    char text[8] = {};
    std::size_t length = 0;
    int number = 1;
};

// Any bytes of any length give a name: an optional "COM" prefix (any case),
// then a decimal number read as the platform's 32-bit integer reader reads it;
// a number outside 1..16 gives COM1.
PortName NormalisePortName(std::string_view name);

} // namespace comport
