#include "app/DisplayPort.h"

#include "comport/ComPort.h"

namespace app {

// Every setting the line needs is the port's own default: 9600 bits per
// second, eight data bits, no parity, one stop bit, no flow control, all line
// events watched on the port's own thread, 1024-byte queues, and a write
// that may take 1000 ms + 100 ms a byte while a read returns at once.
comport::ComPort* CreateDisplayPort()
{
    return comport::CreateComPort(nullptr);
}

} // namespace app
