#include "SerialLine.h"

#include "TextBuffer.h"
#include "comport/PortName.h"

namespace lcdsim {

SerialLine::~SerialLine()
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
}

DWORD SerialLine::Open(unsigned port)
{
    // The component's prefix alone: its port names would cost this program
    // a block of its own.
    TextBuffer path;
    path.Append(comport::DevicePathPrefix);
    path.Append("COM");
    path.AppendNumber(port);
    handle = CreateFileA(path.Text(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();

    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    GetCommState(handle, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    // A simulated display never holds the sender back.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    // Every byte counts, 0x00 and bytes with line errors too.
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(handle, &dcb))
        return GetLastError();

    // Return at once with what is there, or after QuietPoll with nothing.
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = QuietPoll;
    if (!SetCommTimeouts(handle, &timeouts))
        return GetLastError();
    return 0;
}

long SerialLine::Read(std::uint8_t* buffer, std::size_t capacity)
{
    if (handle == INVALID_HANDLE_VALUE || buffer == nullptr)
        return -1;
    const DWORD wanted = capacity > 0x10000 ? 0x10000 : static_cast<DWORD>(capacity);
    DWORD count = 0;
    if (!ReadFile(handle, buffer, wanted, &count, nullptr))
        return -1;
    return static_cast<long>(count);
}

} // namespace lcdsim
