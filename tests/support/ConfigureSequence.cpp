#include "tests/support/ConfigureSequence.h"

#include "comport/ComPort.h"

std::uint32_t WriteConfigureCommands(comport::ComPort& port)
{
    std::uint32_t written = 0;
    for (const std::string& command : ConfigureCommands)
        written += port.WriteString(command);
    return written;
}

void RunConfigure(comport::ComPort& port)
{
    port.Open();
    WriteConfigureCommands(port);
    port.Close();
}
