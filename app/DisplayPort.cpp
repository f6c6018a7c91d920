#include "app/DisplayPort.h"

#include "comport/ComPort.h"
#include "comport/PortSettings.h"

namespace app {

comport::ComPort* CreateDisplayPort()
{
    comport::ComPort* port = comport::CreateComPort(nullptr);
    port->SetBaudRate(7); // 9600 bits per second
    port->SetPort("COM1");
    port->SetDiscardNull(false);
    port->SetCustomBaudRate(9600);
    port->SetStopBits(0); // one stop bit
    port->SetDataBits(3); // eight data bits
    port->SetEventChar(0);
    port->SetSyncMethod(0); // line events stay on the port's own thread
    port->Events = comport::LineEvents(comport::LineEvents::AllBits);
    comport::Parity* parity = port->Parity();
    parity->SetMode(0); // none
    parity->SetCheck(false);
    parity->SetReplace(false);
    parity->SetReplaceChar(0);
    comport::Buffer* buffer = port->Buffer();
    buffer->SetInputSize(1024);
    buffer->SetOutputSize(1024);
    comport::FlowControl* flow = port->FlowControl();
    flow->SetDtrControl(0);
    flow->SetRtsControl(0);
    flow->SetDsrSensitivity(false);
    flow->SetOutCtsFlow(false);
    flow->SetOutDsrFlow(false);
    flow->SetTxContinueOnXoff(false);
    flow->SetXoffChar(19);
    flow->SetXonChar(17);
    flow->SetInX(false);
    flow->SetOutX(false);
    comport::Timeouts* timeouts = port->Timeouts();
    timeouts->SetReadInterval(-1); // a read returns at once with what has come
    timeouts->SetReadTotalConstant(0);
    timeouts->SetReadTotalMultiplier(0);
    timeouts->SetWriteTotalConstant(1000); // a write may take 1000 ms + 100 ms a byte
    timeouts->SetWriteTotalMultiplier(100);
    return port;
}

} // namespace app
