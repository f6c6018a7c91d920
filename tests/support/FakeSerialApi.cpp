#include "tests/support/FakeSerialApi.h"

#include <algorithm>

void FakeSerialApi::Record(std::string line)
{
    std::lock_guard guard(lock);
    calls.push_back(std::move(line));
}

std::string FakeSerialApi::NameOf(HANDLE handle) const
{
    if (handle == Device)
        return "device";
    if (handle == INVALID_HANDLE_VALUE)
        return "invalid";
    std::lock_guard guard(lock);
    if (std::find(events.begin(), events.end(), handle) != events.end())
        return "event";
    return "unknown";
}

std::vector<std::string> FakeSerialApi::CallsNamed(const std::string& name) const
{
    std::vector<std::string> found;
    for (const std::string& call : Calls())
        if (call == name || call.rfind(name + " ", 0) == 0)
            found.push_back(call);
    return found;
}

void FakeSerialApi::ClearCalls()
{
    std::lock_guard guard(lock);
    calls.clear();
}

void FakeSerialApi::QueueOccurrences(std::initializer_list<DWORD> masks)
{
    std::lock_guard guard(lock);
    occurrences.insert(occurrences.end(), masks);
}

void FakeSerialApi::QueueOutput(std::initializer_list<DWORD> counts)
{
    std::lock_guard guard(lock);
    outputQueue.assign(counts);
}

HANDLE FakeSerialApi::CreateFileA(LPCSTR name, DWORD access, DWORD shareMode,
                                  LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                  HANDLE templateFile)
{
    Record("CreateFileA " + std::string(name) + " " + Hex(access) + " " + Hex(shareMode) + " " +
           (security ? "security" : "0") + " " + Hex(disposition) + " " + Hex(flags) + " " +
           (templateFile ? "template" : "0"));
    return OpenResult;
}

BOOL FakeSerialApi::CloseHandle(HANDLE object)
{
    const std::string name = NameOf(object);
    Record("CloseHandle " + name);
    if (name == "event") {
        std::lock_guard guard(lock);
        events.erase(std::find(events.begin(), events.end(), object));
        return ::CloseHandle(object);
    }
    return object == Device ? DeviceCallsSucceed : FALSE;
}

BOOL FakeSerialApi::SetupComm(HANDLE file, DWORD inputSize, DWORD outputSize)
{
    Record("SetupComm " + NameOf(file) + " " + std::to_string(inputSize) + " " +
           std::to_string(outputSize));
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::SetCommState(HANDLE file, LPDCB dcb)
{
    Record("SetCommState " + NameOf(file));
    std::lock_guard guard(lock);
    lastDcb = *dcb;
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts)
{
    Record("SetCommTimeouts " + NameOf(file) + " " + Hex(timeouts->ReadIntervalTimeout) + " " +
           Hex(timeouts->ReadTotalTimeoutMultiplier) + " " +
           Hex(timeouts->ReadTotalTimeoutConstant) + " " +
           std::to_string(timeouts->WriteTotalTimeoutMultiplier) + " " +
           std::to_string(timeouts->WriteTotalTimeoutConstant));
    std::lock_guard guard(lock);
    lastTimeouts = *timeouts;
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::SetCommMask(HANDLE file, DWORD mask)
{
    Record("SetCommMask " + NameOf(file) + " " + Hex(mask));
    // As on the platform, a new mask ends a pending wait with an empty mask.
    std::lock_guard guard(lock);
    if (pendingWait != nullptr) {
        *pendingMask = 0;
        ::SetEvent(pendingWait->hEvent);
        pendingWait = nullptr;
        pendingMask = nullptr;
    }
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::WaitCommEvent(HANDLE file, LPDWORD mask, LPOVERLAPPED overlapped)
{
    Record("WaitCommEvent " + NameOf(file));
    std::lock_guard guard(lock);
    ++waitCommEventCalls;
    if (WaitCommEventFails || file != Device) {
        lastError = ERROR_NOT_SUPPORTED;
        return FALSE;
    }
    if (!occurrences.empty()) {
        *mask = occurrences.front();
        occurrences.pop_front();
        ::SetEvent(overlapped->hEvent);
        return TRUE;
    }
    ::ResetEvent(overlapped->hEvent);
    pendingWait = overlapped;
    pendingMask = mask;
    lastError = ERROR_IO_PENDING;
    return FALSE;
}

BOOL FakeSerialApi::ClearCommError(HANDLE file, LPDWORD errors, LPCOMSTAT status)
{
    Record("ClearCommError " + NameOf(file));
    *errors = 0;
    *status = COMSTAT{};
    status->cbInQue = InputQueue;
    std::lock_guard guard(lock);
    if (!outputQueue.empty()) {
        status->cbOutQue = outputQueue.front();
        if (outputQueue.size() > 1)
            outputQueue.pop_front();
    }
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::GetCommModemStatus(HANDLE file, LPDWORD status)
{
    Record("GetCommModemStatus " + NameOf(file));
    *status = ModemStatusWord;
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::PurgeComm(HANDLE file, DWORD flags)
{
    Record("PurgeComm " + NameOf(file) + " " + Hex(flags));
    return DeviceCallsSucceed;
}

BOOL FakeSerialApi::WriteFile(HANDLE file, LPCVOID buffer, DWORD length, LPDWORD written,
                              LPOVERLAPPED overlapped)
{
    Record("WriteFile " + NameOf(file) + " " + std::to_string(length) + " " +
           NameOf(overlapped->hEvent));
    std::lock_guard guard(lock);
    lastWrite.assign(static_cast<const char*>(buffer), length);
    lastWriteLength = length;
    if (!DeviceCallsSucceed) {
        // As Wine does: the request's event is reset even though the write
        // is never queued.
        ::ResetEvent(overlapped->hEvent);
        lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (WritesAreQueued) {
        lastError = ERROR_IO_PENDING;
        return FALSE;
    }
    if (written != nullptr)
        *written = length;
    return TRUE;
}

BOOL FakeSerialApi::GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                                        BOOL wait)
{
    Record("GetOverlappedResult " + NameOf(file) + " " + NameOf(overlapped->hEvent) + " " +
           std::to_string(wait));
    if (!OverlappedResultSucceeds)
        return FALSE;
    std::lock_guard guard(lock);
    *transferred = lastWriteLength;
    return TRUE;
}

BOOL FakeSerialApi::CancelIo(HANDLE file)
{
    Record("CancelIo " + NameOf(file));
    return DeviceCallsSucceed;
}

DWORD FakeSerialApi::GetLastError()
{
    std::lock_guard guard(lock);
    return lastError;
}

HANDLE FakeSerialApi::CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset,
                                   BOOL initialState, LPCSTR name)
{
    Record(std::string("CreateEventA ") + (security ? "security" : "0") + " " +
           std::to_string(manualReset) + " " + std::to_string(initialState) + " " +
           (name ? name : "0"));
    if (EventsCannotBeMade)
        return nullptr;
    HANDLE event = ::CreateEventA(security, manualReset, initialState, name);
    std::lock_guard guard(lock);
    events.push_back(event);
    return event;
}

BOOL FakeSerialApi::SetEvent(HANDLE event)
{
    Record("SetEvent " + NameOf(event));
    return ::SetEvent(event);
}

DWORD FakeSerialApi::WaitForSingleObject(HANDLE object, DWORD milliseconds)
{
    Record("WaitForSingleObject " + NameOf(object) + " " + Hex(milliseconds));
    const DWORD result = ::WaitForSingleObject(object, milliseconds);
    return WaitResult == WAIT_OBJECT_0 ? result : WaitResult;
}

DWORD FakeSerialApi::WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                            DWORD milliseconds)
{
    Record("WaitForMultipleObjects " + std::to_string(count) + " " + std::to_string(waitAll) + " " +
           Hex(milliseconds));
    return ::WaitForMultipleObjects(count, objects, waitAll, milliseconds);
}

DWORD FakeSerialApi::MsgWaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                               DWORD milliseconds, DWORD wakeMask)
{
    Record("MsgWaitForMultipleObjects " + std::to_string(count) + " " + Hex(wakeMask));
    return ::MsgWaitForMultipleObjects(count, objects, waitAll, milliseconds, wakeMask);
}

BOOL FakeSerialApi::PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT remove)
{
    return ::PeekMessageW(message, window, first, last, remove);
}

void FakeSerialApi::Sleep(DWORD milliseconds)
{
    Record("Sleep " + std::to_string(milliseconds));
    ::Sleep(milliseconds);
}

LRESULT FakeSerialApi::SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Record("SendMessageW " + Hex(message) + " " + Hex(wParam) + " " + Hex(lParam));
    return ::SendMessageW(window, message, wParam, lParam);
}
