#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "comport/LineEvents.h"
#include "comport/ModemLines.h"
#include "comport/PortName.h"
#include "comport/SerialApi.h"
#include "comport/SerialHandle.h"
#include "comport/SettingValues.h"
#include "toolkit/object/ToolkitObject.h"

// The printer API's SetPort macro would rename the setter below.
#ifdef SetPort
#undef SetPort
#endif

namespace comport {

class Buffer;
class Parity;
class Timeouts;
class FlowControl;
class EventThread;

// One serial device of the platform, opened for overlapped input and output.
// Settings may change at any time: while closed a setter only stores, while
// open it hands its group to the device at once. No operation reports a
// platform failure; a port that cannot be opened behaves as an open port
// whose calls all fail quietly.
// Made by CreateObject: members without an initializer start at zero.
class ComPort : public toolkit::ToolkitObject {
public:
    // Read by the owner; written by the owner directly, taking effect at the
    // next Open.
    LineEvents Events = AllLineEvents;
    // Receives the line-event messages when SyncMethod is Message.
    HWND NotifyWindow;

    // Line events, called on the event thread when SyncMethod is Handlers or
    // Direct.
    toolkit::EventSlot<void(ComPort* sender, std::uint32_t count)> OnRxChar;
    toolkit::EventSlot<void(ComPort* sender)> OnTxEmpty;
    toolkit::EventSlot<void(ComPort* sender)> OnBreak;
    toolkit::EventSlot<void(ComPort* sender)> OnRing;
    // Also called on the owner's thread at the end of Open with the line's
    // state, and at the start of Close with false.
    toolkit::EventSlot<void(ComPort* sender, bool on)> OnCtsChange;
    toolkit::EventSlot<void(ComPort* sender, bool on)> OnDsrChange;
    toolkit::EventSlot<void(ComPort* sender, bool on)> OnRlsdChange;
    toolkit::EventSlot<void(ComPort* sender)> OnRxFlag;
    // The port's own lifecycle, on the owner's thread.
    toolkit::EventSlot<void(ComPort* sender)> OnAfterOpen;
    toolkit::EventSlot<void(ComPort* sender)> OnAfterClose;
    toolkit::EventSlot<void(ComPort* sender)> OnBeforeOpen;
    toolkit::EventSlot<void(ComPort* sender)> OnBeforeClose;
    toolkit::EventSlot<void(ComPort* sender)> OnRx80Full;

    bool Connected() const { return connected; }
    HANDLE Handle() const { return device.Get(); }
    // Why the last Open found no device: the platform's error number, 0 when
    // it opened one. Open itself goes on as if it had (see above).
    DWORD OpenError() const { return openError; }
    bool ThreadCreated() const { return eventThread != nullptr; }
    comport::EventThread* EventThread() const { return eventThread; }

    comport::BaudRate BaudRate() const { return baudRate; }
    std::uint32_t CustomBaudRate() const { return customBaudRate; }
    std::string_view Port() const { return port.View(); }
    comport::StopBits StopBits() const { return stopBits; }
    comport::DataBits DataBits() const { return dataBits; }
    bool DiscardNull() const { return discardNull; }
    char EventChar() const { return eventChar; }
    comport::SyncMethod SyncMethod() const { return syncMethod; }

    comport::Buffer* Buffer() const { return buffer; }
    comport::Parity* Parity() const { return parity; }
    comport::Timeouts* Timeouts() const { return timeouts; }
    comport::FlowControl* FlowControl() const { return flowControl; }

    // A name that differs after normalising reopens an open port under it.
    void SetPort(std::string_view name);
    // Values outside their range are ignored: the stored value stays.
    void SetBaudRate(comport::BaudRate rate);
    void SetCustomBaudRate(std::uint32_t value);
    void SetDataBits(comport::DataBits bits);
    void SetStopBits(comport::StopBits bits);
    void SetDiscardNull(bool on);
    void SetEventChar(char character);
    // Stored only while the port is closed.
    void SetSyncMethod(comport::SyncMethod method);

    void Open();
    void Close();
    // Returns when the write has completed, with the count of bytes written
    // (0 on a closed port or when the request cannot be followed).
    std::uint32_t WriteString(std::string_view text);
    void Purge();
    std::uint32_t InputQueueCount();
    ModemLines ModemStatus();

    // Each hands its group to the device, and touches nothing while closed.
    void ApplyDeviceControl();
    void ApplyTimeouts();
    void ApplyQueueSizes();

    SerialApi& Platform() const { return *platform; }
    // Every later platform call of this port goes to the given API.
    void UsePlatform(SerialApi& api) { platform = &api; }

protected:
    friend ComPort* CreateComPort(toolkit::ToolkitObject* owner);

    void Destroy() override;
    virtual void CreateHandle();
    virtual void CloseHandle();
    virtual void ApplySettings();

private:
    template <typename T>
    void ChangeDeviceControl(T& field, T value);

    void StartEventThread();
    void StopEventThread();
    void DrainOutput();
    DWORD LineTime(DWORD characters) const;
    void NotifyAfterOpen();
    void NotifyBeforeClose();

    comport::EventThread* eventThread;
    SerialDevice device;
    DWORD openError;
    bool connected;
    // The bytes of the last write since Open, and whether there was one:
    // Close waits for them to leave the line.
    bool written;
    DWORD lastWriteLength;
    comport::BaudRate baudRate = comport::BaudRate::B9600;
    std::uint32_t customBaudRate = 9600;
    PortName port;
    comport::StopBits stopBits;
    comport::DataBits dataBits = comport::DataBits::Eight;
    bool discardNull;
    char eventChar;
    comport::Buffer* buffer;
    comport::Parity* parity;
    comport::Timeouts* timeouts;
    comport::FlowControl* flowControl;
    comport::SyncMethod syncMethod;
    SerialApi* platform = &Win32SerialApi();
};

// A closed port with every setting at its default; the owner argument is
// not used (an owner that is to free the port adds it with AddOwnedObject).
ComPort* CreateComPort(toolkit::ToolkitObject* owner);

} // namespace comport
