#pragma once

#include <cstring>
#include <utility>

namespace toolkit {

// A private zero-terminated copy of a text, or none; freed with its holder.
class OwnedText {
public:
    OwnedText() = default;
    OwnedText(const OwnedText&) = delete;
    OwnedText& operator=(const OwnedText&) = delete;
    [[gnu::always_inline]] ~OwnedText() { delete[] text; }

    const char* Get() const { return text; }

    // Holds a copy of source (none = no copy) instead of the one held, which
    // goes only after the copy is made: source may be the text held.
    void Assign(const char* source)
    {
        char* copy = nullptr;
        if (source != nullptr) {
            const std::size_t size = std::strlen(source) + 1;
            copy = static_cast<char*>(std::memcpy(new char[size], source, size));
        }
        delete[] std::exchange(text, copy);
    }
    void Reset() { delete[] std::exchange(text, nullptr); }

private:
    char* text = nullptr;
};

} // namespace toolkit
