#include "TextBuffer.h"

namespace lcdsim {

void TextBuffer::Append(const char* more)
{
    if (more == nullptr)
        return;
    while (*more != '\0')
        Append(*more++);
}

void TextBuffer::Append(char character)
{
    // The last place is kept for the terminating zero.
    if (size + 1 >= Capacity)
        return;
    text[size++] = character;
    text[size] = '\0';
}

void TextBuffer::AppendNumber(unsigned value)
{
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && count < 10);
    while (count > 0)
        Append(digits[--count]);
}

void TextBuffer::AppendHex(std::uint8_t byte)
{
    constexpr char hexDigits[] = "0123456789ABCDEF";
    Append(hexDigits[byte >> 4]);
    Append(hexDigits[byte & 0x0F]);
}

void TextBuffer::Reset()
{
    size = 0;
    text[0] = '\0';
}

} // namespace lcdsim
