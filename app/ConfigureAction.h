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

// What to do after a write that did not send all of its bytes: the window
// sends every command whatever the counts say; a caller that reports to its
// user stops there, so that the display never shows "Complete!" after a
// command that did not arrive.
enum class ShortWrite { Continue, Stop };

// Where the commands go, one call a command: an open port, or a record of
// what would be sent. Answers how many of the bytes went out.
struct CommandTarget {
    std::uint32_t (*Write)(void* target, std::string_view bytes);
    void* Target;
};

// Sends the rows, characters per row and module type, then clears the
// display to show "Complete!", each command in one write. A list whose index
// has no byte gets no command, and then the display is not told "Complete!"
// either. Returns the count of bytes the writes reported sent.
std::uint32_t SendConfiguration(CommandTarget target, DisplayChoices& choices,
                                ShortWrite shortWrite);
// The same to an open port.
std::uint32_t SendConfiguration(comport::ComPort& port, DisplayChoices& choices,
                                ShortWrite shortWrite);

// The bytes SendConfiguration sends when every write completes.
inline constexpr std::uint32_t ConfigurationLength = 3 * 3 + 11;

// Opens the chosen port, sends the configuration whatever the counts say,
// and closes the port again. Does nothing while the port is open.
void ConfigureDisplay(comport::ComPort& port, DisplayChoices& choices);

} // namespace app
