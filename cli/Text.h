#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cli {

// The first count bytes of a text, or all of it, and the bytes after the
// first count, or none. (The standard's substr would bring the C++
// library's exceptions into the program for a case these never reach.)
constexpr std::string_view Head(std::string_view text, std::size_t count)
{
    return {text.data(), count < text.size() ? count : text.size()};
}
constexpr std::string_view After(std::string_view text, std::size_t count)
{
    return count < text.size() ? std::string_view(text.data() + count, text.size() - count)
                               : std::string_view();
}

// A line of text built piece by piece in a block of its own; what does not
// fit is cut, never written past the block.
class Text {
public:
    Text& operator<<(std::string_view piece)
    {
        for (const char c : piece) {
            if (length == sizeof bytes)
                break;
            bytes[length++] = c;
        }
        return *this;
    }
    Text& operator<<(char c) { return *this << std::string_view(&c, 1); }
    Text& operator<<(std::uint32_t number);

    // A value the user gave, in quotes, as it can be shown on any console:
    // printable ASCII as it is, every other byte as \xHH, and a long value cut
    // with "..." after its first characters.
    Text& Quoted(std::string_view value);
    // A byte as two upper-case hex digits.
    Text& Hex(std::uint8_t byte);

    std::string_view View() const { return {bytes, length}; }
    void Clear() { length = 0; }

private:
    char bytes[1024];
    std::size_t length = 0;
};

} // namespace cli
