#include "comport/ComPort.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "comport/DeviceControl.h"
#include "comport/EventThread.h"
#include "comport/OverlappedRequest.h"
#include "comport/PortSettings.h"

namespace comport {

namespace {

// A UART sends from a FIFO of this many characters once the driver's queue
// is empty.
constexpr DWORD FifoCharacters = 16;

} // namespace

// Runs once: the constructors of the port and its setting groups are built
// into it rather than kept as functions of their own.
[[gnu::flatten]] ComPort* CreateComPort(toolkit::ToolkitObject* /*owner*/)
{
    ComPort* port = toolkit::CreateObject<ComPort>();
    port->parity = toolkit::CreateObject<comport::Parity>();
    port->parity->Owner = port;
    port->flowControl = toolkit::CreateObject<comport::FlowControl>();
    port->flowControl->Owner = port;
    port->timeouts = toolkit::CreateObject<comport::Timeouts>();
    port->timeouts->Owner = port;
    port->buffer = toolkit::CreateObject<comport::Buffer>();
    port->buffer->Owner = port;
    return port;
}

void ComPort::Destroy()
{
    Close();
    toolkit::FreeObject(std::exchange(buffer, nullptr));
    toolkit::FreeObject(std::exchange(flowControl, nullptr));
    toolkit::FreeObject(std::exchange(timeouts, nullptr));
    toolkit::FreeObject(std::exchange(parity, nullptr));
    ToolkitObject::Destroy();
}

void ComPort::SetPort(std::string_view name)
{
    const PortName normalised = NormalisePortName(name);
    if (normalised == port)
        return;
    port = normalised;
    if (connected) {
        Close();
        Open();
    }
}

template <typename T>
void ComPort::ChangeDeviceControl(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    ApplyDeviceControl();
}

void ComPort::SetBaudRate(comport::BaudRate rate)
{
    if (rate <= HighestBaudRate)
        ChangeDeviceControl(baudRate, rate);
}

void ComPort::SetCustomBaudRate(std::uint32_t value) { ChangeDeviceControl(customBaudRate, value); }

void ComPort::SetDataBits(comport::DataBits bits)
{
    if (bits <= HighestDataBits)
        ChangeDeviceControl(dataBits, bits);
}

void ComPort::SetStopBits(comport::StopBits bits)
{
    if (bits <= HighestStopBits)
        ChangeDeviceControl(stopBits, bits);
}

void ComPort::SetDiscardNull(bool on) { ChangeDeviceControl(discardNull, on); }

void ComPort::SetEventChar(char character) { ChangeDeviceControl(eventChar, character); }

void ComPort::SetSyncMethod(comport::SyncMethod method)
{
    // The event thread reads it while the port is open.
    if (connected || method > HighestSyncMethod)
        return;
    syncMethod = method;
}

void ComPort::Open()
{
    if (connected)
        return;
    OnBeforeOpen.Fire(this);
    written = false;
    CreateHandle();
    connected = true;
    ApplySettings();
    StartEventThread();
    NotifyAfterOpen();
}

void ComPort::Close()
{
    if (!connected)
        return;
    NotifyBeforeClose();
    // Only the receive side: aborting the transmit side would throw away the
    // tail of what WriteString has already accepted.
    platform->PurgeComm(Handle(), PURGE_RXABORT);
    StopEventThread();
    DrainOutput();
    CloseHandle();
    connected = false;
    OnAfterClose.Fire(this);
}

void ComPort::CreateHandle()
{
    const DevicePath path(port);
    device = SerialDevice(platform->CreateFileA(path.Text(), GENERIC_READ | GENERIC_WRITE, 0,
                                                nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                                                nullptr),
                          {platform});
    openError = device ? ERROR_SUCCESS : platform->GetLastError();
}

void ComPort::CloseHandle()
{
    // A closed port keeps no stale handle for later calls to reach.
    device.Reset();
}

void ComPort::ApplySettings()
{
    ApplyQueueSizes();
    ApplyDeviceControl();
    ApplyTimeouts();
}

void ComPort::ApplyDeviceControl()
{
    if (!connected)
        return;
    DCB dcb = BuildDeviceControl(*this);
    platform->SetCommState(Handle(), &dcb);
}

void ComPort::ApplyTimeouts()
{
    if (!connected)
        return;
    COMMTIMEOUTS record = BuildTimeouts(*this);
    platform->SetCommTimeouts(Handle(), &record);
}

void ComPort::ApplyQueueSizes()
{
    if (!connected)
        return;
    platform->SetupComm(Handle(), static_cast<DWORD>(buffer->InputSize()),
                        static_cast<DWORD>(buffer->OutputSize()));
}

std::uint32_t ComPort::WriteString(std::string_view text)
{
    if (!connected)
        return 0;
    OverlappedRequest request(*platform);
    if (!request.Made())
        return 0;

    constexpr std::size_t MostBytes = std::numeric_limits<DWORD>::max();
    const auto length = static_cast<DWORD>(text.size() < MostBytes ? text.size() : MostBytes);
    written = true;
    lastWriteLength = length;
    DWORD count = 0;
    // A write that fails at once is never queued, and some drivers leave its
    // event reset: waiting for it then would never end.
    if (!platform->WriteFile(Handle(), text.data(), length, &count, request.Record())
        && platform->GetLastError() != ERROR_IO_PENDING)
        return 0;
    count = 0;
    if (platform->WaitForSingleObject(request.Event(), INFINITE) != WAIT_OBJECT_0) {
        // The record must not be released while the driver may still use it.
        platform->CancelIo(Handle());
        platform->GetOverlappedResult(Handle(), request.Record(), &count, TRUE);
        return 0;
    }
    if (!platform->GetOverlappedResult(Handle(), request.Record(), &count, FALSE))
        return 0;
    return count;
}

void ComPort::Purge()
{
    if (connected)
        platform->PurgeComm(Handle(), PURGE_TXABORT | PURGE_RXABORT);
}

std::uint32_t ComPort::InputQueueCount()
{
    if (!connected)
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (!platform->ClearCommError(Handle(), &errors, &status))
        return 0;
    return status.cbInQue;
}

ModemLines ComPort::ModemStatus()
{
    if (!connected)
        return {};
    DWORD status = 0;
    if (!platform->GetCommModemStatus(Handle(), &status))
        return {};
    return FromModemStatus(status);
}

// A completed write means that the driver has the bytes, not that the line
// has carried them: a USB adapter closed right after a write loses what it
// still holds. So the port stays open until the driver's queue is empty and
// a UART's FIFO has had the time to send its last characters; but no longer
// than the last write could have taken, so that a stuck line holds the
// caller no longer than a write could.
void ComPort::DrainOutput()
{
    if (!written || !device)
        return;
    const std::uint64_t timeout =
        static_cast<std::uint32_t>(timeouts->WriteTotalConstant()) +
        std::uint64_t{static_cast<std::uint32_t>(timeouts->WriteTotalMultiplier())} *
            lastWriteLength;
    DWORD left = timeout < MAXDWORD ? static_cast<DWORD>(timeout) : MAXDWORD;
    DWORD errors = 0;
    COMSTAT status{};
    // Until the queue is empty, then once more for the FIFO; a driver that
    // does not say what it holds is closed at once.
    while (left > 0 && platform->ClearCommError(Handle(), &errors, &status)) {
        const bool empty = status.cbOutQue == 0;
        const DWORD pause =
            std::min(std::max<DWORD>(LineTime(empty ? FifoCharacters : status.cbOutQue), 1), left);
        platform->Sleep(pause);
        left -= pause;
        if (empty)
            return;
    }
}

// How long the line takes at most to carry so many characters at the port's
// rate, in whole milliseconds, rounded up: the longest character has 12
// bits (a start bit, 8 data bits, a parity bit and 2 stop bits).
DWORD ComPort::LineTime(DWORD characters) const
{
    constexpr DWORD LongestCharacter = 12;
    const DWORD rate = BaudRateOf(baudRate, customBaudRate);
    if (rate == 0)
        return 0;
    // In 32 bits, as the queue of any driver is well below 64 KiB.
    const DWORD bits = (characters < 0x10000 ? characters : 0x10000) * LongestCharacter * 1000;
    return bits / rate + (bits % rate != 0 ? 1 : 0);
}

inline void ComPort::StartEventThread()
{
    if (!Events.Empty())
        eventThread = CreateEventThread(this);
}

// Before the handle is closed, so that the thread never works on it.
inline void ComPort::StopEventThread()
{
    toolkit::FreeObject(std::exchange(eventThread, nullptr));
}

inline void ComPort::NotifyAfterOpen()
{
    OnAfterOpen.Fire(this);
    const ModemLines lines = ModemStatus();
    OnCtsChange.Fire(this, lines.Contains(ModemLine::Cts));
    OnDsrChange.Fire(this, lines.Contains(ModemLine::Dsr));
    OnRlsdChange.Fire(this, lines.Contains(ModemLine::Rlsd));
}

inline void ComPort::NotifyBeforeClose()
{
    OnBeforeClose.Fire(this);
    OnCtsChange.Fire(this, false);
    OnDsrChange.Fire(this, false);
    OnRlsdChange.Fire(this, false);
}

} // namespace comport
