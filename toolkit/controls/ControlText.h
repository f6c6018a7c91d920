#pragma once

#include <cstddef>
#include <string_view>

namespace toolkit {

class Control;

// A control's text as a zero-terminated byte string of its own.
class ControlText {
public:
    ControlText() = default;
    explicit ControlText(std::string_view text);
    ~ControlText();
    ControlText(ControlText&& other) noexcept;
    ControlText& operator=(ControlText&& other) noexcept;
    ControlText(const ControlText&) = delete;
    ControlText& operator=(const ControlText&) = delete;

    const char* Text() const { return text != nullptr ? text : ""; }
    std::size_t Length() const { return length; }
    std::string_view View() const { return {Text(), length}; }

private:
    friend ControlText GetControlText(Control* control);
    char* text = nullptr;
    std::size_t length = 0;
};

// The window text when the window exists, else the stored caption. For a
// drop-down list the window text is the selected item's, "" without one.
ControlText GetControlText(Control* control);

} // namespace toolkit
