#include "comport/DeviceControl.h"

#include "comport/ComPort.h"
#include "comport/PortSettings.h"

namespace comport {

namespace {

constexpr DWORD BaudRates[] = {
    0,     110,   300,   600,    1200,   2400,   4800,   9600,
    14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000,
};

constexpr BYTE ByteSizes[] = {5, 6, 7, 8};
constexpr BYTE StopBitsValues[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
// Two-bit fields of the DCB.
constexpr BYTE DtrControls[] = {DTR_CONTROL_DISABLE, DTR_CONTROL_ENABLE, DTR_CONTROL_HANDSHAKE};
constexpr BYTE RtsControls[] = {RTS_CONTROL_DISABLE, RTS_CONTROL_ENABLE, RTS_CONTROL_HANDSHAKE,
                                RTS_CONTROL_TOGGLE};

// A setting's platform value: its index into the table.
template <typename T, std::size_t N, typename Setting>
T Lookup(const T (&table)[N], Setting setting)
{
    const auto index = static_cast<std::size_t>(setting);
    // The setters keep every index in range; the first entry guards the rest.
    return index < N ? table[index] : table[0];
}

} // namespace

DWORD BaudRateOf(BaudRate rate, DWORD customRate)
{
    return rate == BaudRate::Custom ? customRate : Lookup(BaudRates, rate);
}

DCB BuildDeviceControl(const ComPort& port)
{
    const Parity& parity = *port.Parity();
    const FlowControl& flow = *port.FlowControl();
    const bool replaceErrors = parity.Check() && parity.Replace();

    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = BaudRateOf(port.BaudRate(), port.CustomBaudRate());
    dcb.fBinary = 1;                   // the platform supports no other mode
    dcb.fParity = parity.Check();
    dcb.fOutxCtsFlow = flow.OutCtsFlow();
    dcb.fOutxDsrFlow = flow.OutDsrFlow();
    dcb.fDtrControl = Lookup(DtrControls, flow.DtrControl());
    dcb.fDsrSensitivity = flow.DsrSensitivity();
    dcb.fTXContinueOnXoff = flow.TxContinueOnXoff();
    dcb.fOutX = flow.OutX();
    dcb.fInX = flow.InX();
    dcb.fErrorChar = replaceErrors;    // replacing needs parity checking
    dcb.fNull = port.DiscardNull();
    dcb.fRtsControl = Lookup(RtsControls, flow.RtsControl());
    dcb.fAbortOnError = 0;             // a line error never stops reads and writes
    // Flow control asks for a pause at three quarters full and resumes at a
    // quarter full of the input queue.
    dcb.XonLim = static_cast<WORD>(port.Buffer()->InputSize() / 4);
    dcb.XoffLim = static_cast<WORD>(port.Buffer()->InputSize() / 4);
    dcb.ByteSize = Lookup(ByteSizes, port.DataBits());
    dcb.Parity = static_cast<BYTE>(parity.Mode()); // the platform's own numbers
    dcb.StopBits = Lookup(StopBitsValues, port.StopBits());
    dcb.XonChar = flow.XonChar();
    dcb.XoffChar = flow.XoffChar();
    dcb.ErrorChar = replaceErrors ? parity.ReplaceChar() : 0;
    dcb.EvtChar = port.EventChar();
    return dcb;
}

COMMTIMEOUTS BuildTimeouts(const ComPort& port)
{
    const Timeouts& timeouts = *port.Timeouts();
    COMMTIMEOUTS record{};
    record.ReadIntervalTimeout = static_cast<DWORD>(timeouts.ReadInterval());
    record.ReadTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.ReadTotalMultiplier());
    record.ReadTotalTimeoutConstant = static_cast<DWORD>(timeouts.ReadTotalConstant());
    record.WriteTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.WriteTotalMultiplier());
    record.WriteTotalTimeoutConstant = static_cast<DWORD>(timeouts.WriteTotalConstant());
    return record;
}

} // namespace comport
