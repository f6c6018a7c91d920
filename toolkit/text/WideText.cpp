#include "toolkit/text/WideText.h"

#include <climits>

namespace toolkit {

WideText::WideText(std::string_view bytes)
{
    // A single-byte code page: one UTF-16 unit a byte.
    const int count = bytes.size() < static_cast<std::size_t>(INT_MAX - 1)
                          ? static_cast<int>(bytes.size())
                          : INT_MAX - 1;
    if (count > ShortLength) {
        own = new wchar_t[static_cast<std::size_t>(count) + 1];
        text = own;
    }
    if (count > 0)
        length = MultiByteToWideChar(TextCodePage, 0, bytes.data(), count, text, count);
    text[length] = 0;
}

WideText::~WideText()
{
    delete[] own;
}

std::size_t ToTextBytes(const wchar_t* wide, int length, char* bytes, std::size_t room)
{
    if (wide == nullptr || length <= 0 || bytes == nullptr || room == 0)
        return 0;
    const int most = room < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(room) : INT_MAX;
    const int count =
        WideCharToMultiByte(TextCodePage, 0, wide, length < most ? length : most, bytes, most,
                            nullptr, nullptr);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

} // namespace toolkit
