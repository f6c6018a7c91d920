#include "SerialAction.h"

#include <cstddef>

#include "comport/PortName.h"

namespace minimal {

namespace {

constexpr char ClearAndShowComplete[] = "\xFE\x58"
                                        "Complete!";

// "\\.\COM1" from "Com1"; false for a name that does not fit.
bool DevicePath(const char* item, char (&path)[16])
{
    std::size_t length = 0;
    for (const char c : comport::DevicePathPrefix)
        if (c != '\0')
            path[length++] = c;
    for (; *item != '\0'; ++item) {
        if (length + 1 >= sizeof path)
            return false;
        const char c = *item;
        path[length++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    path[length] = '\0';
    return true;
}

void Write(HANDLE port, const char* bytes, DWORD count)
{
    DWORD written = 0;
    WriteFile(port, bytes, count, &written, nullptr);
}

void SendSetting(HANDLE port, char code, BYTE value)
{
    const char command[] = {'\xFE', code, static_cast<char>(value)};
    Write(port, command, sizeof command);
}

} // namespace

void ConfigureDisplay(const char* portItem, BYTE rows, BYTE columns, BYTE type)
{
    char path[16];
    if (!DevicePath(portItem, path))
        return;
    // Plain blocking writes: the simplest program that does the job.
    HANDLE port = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return;
    SetupComm(port, 1024, 1024);

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = CBR_9600;
    dcb.fBinary = 1;                         // the platform supports no other mode
    dcb.fDtrControl = DTR_CONTROL_DISABLE;   // no modem lines are used
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.XonLim = 256;                        // a quarter of the 1024-byte queue
    dcb.XoffLim = 256;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    SetCommState(port, &dcb);

    // Reads return at once; a write may take 1000 ms plus 100 ms a byte.
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 100, 1000};
    SetCommTimeouts(port, &timeouts);

    SendSetting(port, '\x04', rows);
    SendSetting(port, '\x03', columns);
    SendSetting(port, '\x05', type);
    Write(port, ClearAndShowComplete, sizeof ClearAndShowComplete - 1);
    CloseHandle(port);
}

} // namespace minimal
