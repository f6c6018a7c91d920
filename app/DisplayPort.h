#pragma once

namespace comport {
class ComPort;
}

namespace app {

// A closed port on COM1 with the display controller's line settings: 9600
// bits per second, 8 data bits, no parity, one stop bit, no flow control,
// 1024-byte queues, writes that may take 1000 ms plus 100 ms a byte, and all
// ten line events watched. The caller owns it.
comport::ComPort* CreateDisplayPort();

} // namespace app
