#include "comport/SerialApi.h"

namespace comport {

namespace {

class Win32Serial final : public SerialApi {
public:
    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templateFile) override
    {
        return ::CreateFileA(name, access, shareMode, security, disposition, flags, templateFile);
    }
    BOOL CloseHandle(HANDLE object) override { return ::CloseHandle(object); }
    BOOL SetupComm(HANDLE file, DWORD inputSize, DWORD outputSize) override
    {
        return ::SetupComm(file, inputSize, outputSize);
    }
    BOOL SetCommState(HANDLE file, LPDCB dcb) override { return ::SetCommState(file, dcb); }
    BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) override
    {
        return ::SetCommTimeouts(file, timeouts);
    }
    BOOL SetCommMask(HANDLE file, DWORD mask) override { return ::SetCommMask(file, mask); }
    BOOL WaitCommEvent(HANDLE file, LPDWORD mask, LPOVERLAPPED overlapped) override
    {
        return ::WaitCommEvent(file, mask, overlapped);
    }
    BOOL ClearCommError(HANDLE file, LPDWORD errors, LPCOMSTAT status) override
    {
        return ::ClearCommError(file, errors, status);
    }
    BOOL GetCommModemStatus(HANDLE file, LPDWORD status) override
    {
        return ::GetCommModemStatus(file, status);
    }
    BOOL PurgeComm(HANDLE file, DWORD flags) override { return ::PurgeComm(file, flags); }
    BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD length, LPDWORD written,
                   LPOVERLAPPED overlapped) override
    {
        return ::WriteFile(file, buffer, length, written, overlapped);
    }
    BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                             BOOL wait) override
    {
        return ::GetOverlappedResult(file, overlapped, transferred, wait);
    }
    BOOL CancelIo(HANDLE file) override { return ::CancelIo(file); }
    DWORD GetLastError() override { return ::GetLastError(); }
    HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState,
                        LPCSTR name) override
    {
        return ::CreateEventA(security, manualReset, initialState, name);
    }
    BOOL SetEvent(HANDLE event) override { return ::SetEvent(event); }
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override
    {
        return ::WaitForSingleObject(object, milliseconds);
    }
    DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                 DWORD milliseconds) override
    {
        return ::WaitForMultipleObjects(count, objects, waitAll, milliseconds);
    }
    DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                    DWORD milliseconds, DWORD wakeMask) override
    {
        return ::MsgWaitForMultipleObjects(count, objects, waitAll, milliseconds, wakeMask);
    }
    BOOL PeekMessageW(LPMSG message, HWND window, UINT first, UINT last, UINT remove) override
    {
        return ::PeekMessageW(message, window, first, last, remove);
    }
    void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
    LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return ::SendMessageW(window, message, wParam, lParam);
    }
};

// No state, so read-only like the table of its calls: a program of its own
// then needs no initialised data.
constexpr Win32Serial win32Serial;

} // namespace

SerialApi& Win32SerialApi()
{
    // Its calls change nothing in the object.
    return const_cast<Win32Serial&>(win32Serial);
}

} // namespace comport
