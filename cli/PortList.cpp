#include "cli/PortList.h"

#include "cli/Console.h"
#include "comport/MachinePorts.h"

namespace cli {

bool PrintPorts()
{
    comport::PortSet ports;
    if (!comport::ListMachinePorts(ports))
        return false;
    for (int number = ports.Next(0); number != 0; number = ports.Next(number))
        PrintLine(comport::PortName(number).View());
    return true;
}

} // namespace cli
