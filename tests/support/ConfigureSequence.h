#pragma once

#include <cstdint>
#include <string>

namespace comport {
class ComPort;
}

// The four commands of a configure action for a 2 x 16 display of type 0x34:
// rows, characters per row, type, then clear and "Complete!".
inline const std::string ConfigureCommands[] = {
    std::string("\xFE\x04\x02", 3),
    std::string("\xFE\x03\x10", 3),
    std::string("\xFE\x05\x34", 3),
    std::string("\xFE\x58" "Complete!", 11),
};

// The four commands one after the other, as the line carries them, for one
// configure action or for several in a row.
inline std::string ConfigureSequence(int actions = 1)
{
    std::string all;
    for (int i = 0; i < actions; ++i)
        for (const std::string& command : ConfigureCommands)
            all += command;
    return all;
}

// Writes the four commands through the port; the bytes its writes accepted.
std::uint32_t WriteConfigureCommands(comport::ComPort& port);

// The configure action as the utility runs it on the port's line: open, the
// four commands, close.
void RunConfigure(comport::ComPort& port);
