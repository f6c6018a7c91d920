#include "toolkit/controls/ControlText.h"

#include <cstring>
#include <utility>

#include "toolkit/window/Control.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

ControlText::ControlText(std::string_view source) : text(new char[source.size() + 1]),
                                                    length(source.size())
{
    std::memcpy(text, source.data(), source.size());
    text[length] = 0;
}

ControlText::~ControlText()
{
    delete[] text;
}

ControlText::ControlText(ControlText&& other) noexcept
    : text(std::exchange(other.text, nullptr)), length(std::exchange(other.length, 0))
{
}

ControlText& ControlText::operator=(ControlText&& other) noexcept
{
    if (this != &other) {
        delete[] std::exchange(text, std::exchange(other.text, nullptr));
        length = std::exchange(other.length, 0);
    }
    return *this;
}

ControlText GetControlText(Control* control)
{
    if (control == nullptr)
        return {};
    if (control->Handle == nullptr)
        return ControlText(control->Caption.Get() != nullptr ? control->Caption.Get() : "");
    const int length = GetWindowTextLengthW(control->Handle);
    if (length <= 0)
        return ControlText(std::string_view{});
    // The count given to GetWindowTextW includes the terminating zero, so the
    // buffer is one longer than the text, or its last character is lost.
    const auto room = static_cast<std::size_t>(length) + 1;
    wchar_t* wide = new wchar_t[room];
    const int copied = GetWindowTextW(control->Handle, wide, length + 1);
    ControlText result;
    result.text = new char[room];
    result.length = copied > 0 && copied <= length ? ToTextBytes(wide, copied, result.text, room - 1)
                                                   : 0;
    result.text[result.length] = 0;
    delete[] wide;
    return result;
}

} // namespace toolkit
