#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

namespace toolkit {

// Every text the toolkit is given or gives back is Windows-1251 (Cyrillic)
// bytes: the program's texts are Russian. The platform takes them through
// its Unicode functions, converted with this code page by name: the system's
// own ANSI code page differs from one machine to the next, and would turn
// them into other letters (Latin ones under 1252, double-byte pairs under 932).
inline constexpr UINT TextCodePage = 1251;

// A toolkit text as the Unicode functions take it: UTF-16, zero-terminated.
// Short texts (every text of this program) need no block of their own.
class WideText {
public:
    explicit WideText(std::string_view text);
    ~WideText();
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    const wchar_t* Text() const { return text; }
    int Length() const { return length; }

private:
    static constexpr int ShortLength = 63;

    wchar_t shortText[ShortLength + 1];
    wchar_t* text = shortText;
    wchar_t* own = nullptr;
    int length = 0;
};

// UTF-16 back to toolkit bytes: at most `room` bytes are written, a letter
// that Windows-1251 has not becomes "?". Returns the count written. Each
// UTF-16 unit gives one byte, so `room` = the unit count is always enough.
std::size_t ToTextBytes(const wchar_t* wide, int length, char* bytes, std::size_t room);

} // namespace toolkit
