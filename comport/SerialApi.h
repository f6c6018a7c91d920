#pragma once

#include <windows.h>

namespace comport {

// The platform functions the serial component calls, named as the platform
// names them. The port goes through this seam so that tests can see exactly
// which calls are made; the default is the real Win32 API.
class SerialApi {
public:
    virtual HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition,
                               DWORD flags, HANDLE templateFile) = 0;
    virtual BOOL CloseHandle(HANDLE object) = 0;
    virtual BOOL SetupComm(HANDLE file, DWORD inputSize, DWORD outputSize) = 0;
    virtual BOOL SetCommState(HANDLE file, LPDCB dcb) = 0;
    virtual BOOL SetCommTimeouts(HANDLE file, LPCOMMTIMEOUTS timeouts) = 0;
    virtual BOOL SetCommMask(HANDLE file, DWORD mask) = 0;
    virtual BOOL WaitCommEvent(HANDLE file, LPDWORD mask, LPOVERLAPPED overlapped) = 0;
    virtual BOOL ClearCommError(HANDLE file, LPDWORD errors, LPCOMSTAT status) = 0;
    virtual BOOL GetCommModemStatus(HANDLE file, LPDWORD status) = 0;
    virtual BOOL PurgeComm(HANDLE file, DWORD flags) = 0;
    virtual BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD length, LPDWORD written,
                           LPOVERLAPPED overlapped) = 0;
    virtual BOOL GetOverlappedResult(HANDLE file, LPOVERLAPPED overlapped, LPDWORD transferred,
                                     BOOL wait) = 0;
    virtual BOOL CancelIo(HANDLE file) = 0;
    virtual DWORD GetLastError() = 0;
    virtual HANDLE CreateEventA(LPSECURITY_ATTRIBUTES security, BOOL manualReset,
                                BOOL initialState, LPCSTR name) = 0;
    virtual BOOL SetEvent(HANDLE event) = 0;
    virtual DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) = 0;
    virtual DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                         DWORD milliseconds) = 0;
    virtual DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll,
                                            DWORD milliseconds, DWORD wakeMask) = 0;
    virtual BOOL PeekMessageW(LPMSG message, HWND window, UINT first, UINT last,
                              UINT remove) = 0;
    virtual void Sleep(DWORD milliseconds) = 0;
    virtual LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~SerialApi() = default;
};

// The real Win32 API.
SerialApi& Win32SerialApi();

} // namespace comport
