#pragma once

#include <cstddef>
#include <cstdint>

namespace lcdsim {

// Text built in a fixed array. What does not fit is dropped; the text is
// always terminated.
class TextBuffer {
public:
    static constexpr std::size_t Capacity = 4096;

    void Append(const char* text);
    void Append(char character);
    void AppendNumber(unsigned value);
    void AppendHex(std::uint8_t byte);
    void Reset();

    const char* Text() const { return text; }
    std::size_t Size() const { return size; }

private:
    char text[Capacity] = {};
    std::size_t size = 0;
};

} // namespace lcdsim
