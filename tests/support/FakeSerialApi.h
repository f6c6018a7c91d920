#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

#include "comport/SerialApi.h"
#include "tests/support/Hex.h"

// Stands in for the device: records every call as one line of text and
// answers as configured. Events, waits and messages are the platform's own,
// so that threads behave as they do on a real port.
class FakeSerialApi : public comport::SerialApi {
public:
    static inline const HANDLE Device = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0x4D0));

    // What the device calls answer.
    HANDLE OpenResult = Device;
    BOOL DeviceCallsSucceed = TRUE;
    BOOL OverlappedResultSucceeds = TRUE;
    bool EventsCannotBeMade = false;
    // WriteFile answers ERROR_IO_PENDING; the request completes at once.
    bool WritesAreQueued = false;
    DWORD WaitResult = WAIT_OBJECT_0; // anything else replaces a real wait's result
    DWORD InputQueue = 0;
    DWORD ModemStatusWord = 0;
    // Masks that WaitCommEvent reports, one per call; when none is left the
    // wait stays pending until the mask changes.
    void QueueOccurrences(std::initializer_list<DWORD> masks);
    // Makes WaitCommEvent fail at once, as with a modem-line mask on a pty.
    bool WaitCommEventFails = false;
    // What ClearCommError says the output queue holds, one answer a call;
    // the last answer stays. Empty: nothing.
    void QueueOutput(std::initializer_list<DWORD> counts);

    std::vector<std::string> Calls() const { return Locked(calls); }
    std::vector<std::string> CallsNamed(const std::string& name) const;
    void ClearCalls();
    DCB LastDeviceControl() const { return Locked(lastDcb); }
    COMMTIMEOUTS LastTimeouts() const { return Locked(lastTimeouts); }
    std::string LastWrite() const { return Locked(lastWrite); }
    int WaitCommEventCalls() const { return Locked(waitCommEventCalls); }
    int OpenEvents() const { return static_cast<int>(Locked(events).size()); }

    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override;
    BOOL CloseHandle(HANDLE object) override;
    BOOL SetupComm(HANDLE file, DWORD inputSize, DWORD outputSize) override;
    BOOL SetCommState(HANDLE file, LPDCB dcb) override;
    BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) override;
    BOOL SetCommMask(HANDLE file, DWORD mask) override;
    BOOL WaitCommEvent(HANDLE file, LPDWORD mask, LPOVERLAPPED overlapped) override;
    BOOL ClearCommError(HANDLE file, LPDWORD errors, LPCOMSTAT status) override;
    BOOL GetCommModemStatus(HANDLE file, LPDWORD status) override;
    BOOL PurgeComm(HANDLE file, DWORD flags) override;
    BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD length, LPDWORD written,
                   LPOVERLAPPED overlapped) override;
    BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                             BOOL wait) override;
    BOOL CancelIo(HANDLE file) override;
    DWORD GetLastError() override;
    HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState,
                        LPCSTR name) override;
    BOOL SetEvent(HANDLE event) override;
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override;
    DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                 DWORD milliseconds) override;
    DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                    DWORD milliseconds, DWORD wakeMask) override;
    BOOL PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT remove) override;
    void Sleep(DWORD milliseconds) override;
    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A copy of a member, taken under the lock: the event thread writes them.
    template <typename T>
    T Locked(const T& member) const
    {
        std::lock_guard guard(lock);
        return member;
    }
    void Record(std::string line);
    std::string NameOf(HANDLE handle) const;

    mutable std::mutex lock;
    std::vector<std::string> calls;
    std::vector<HANDLE> events;
    std::deque<DWORD> occurrences;
    std::deque<DWORD> outputQueue;
    DCB lastDcb{};
    COMMTIMEOUTS lastTimeouts{};
    std::string lastWrite;
    DWORD lastError = 0;
    DWORD lastWriteLength = 0;
    int waitCommEventCalls = 0;
    // The wait that stays pending, completed by SetCommMask.
    LPOVERLAPPED pendingWait = nullptr;
    LPDWORD pendingMask = nullptr;
};
