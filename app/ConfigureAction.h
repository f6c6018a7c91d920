#pragma once

#include <cstdint>
#include <string_view>

namespace comport {
class ComPort;
}

namespace app {

// What the configure action reads of the window: the chosen port's text and
// the current index of each of the other three lists. Each is read just
// before its command is built.
class DisplayChoices {
public:
    // Stays valid until the next call.
    virtual std::string_view PortText() = 0;
    virtual std::intptr_t RowsIndex() = 0;
    virtual std::intptr_t ColumnsIndex() = 0;
    virtual std::intptr_t TypeIndex() = 0;

protected:
    ~DisplayChoices() = default;
};

// Opens the chosen port, sends the rows, characters per row and module type,
// then clears the display to show "Complete!", and closes the port again.
// Does nothing while the port is open. A list whose index has no byte gets no
// command, and then the display is not told "Complete!" either.
void ConfigureDisplay(comport::ComPort& port, DisplayChoices& choices);

} // namespace app
