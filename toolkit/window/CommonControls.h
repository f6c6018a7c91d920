#pragma once

#include <windows.h>

namespace toolkit {

// The platform calls that find comctl32 and its entries. Tests replace them
// to see where the library is looked for.
struct CommonControlsPlatform {
    HMODULE(WINAPI* GetModuleHandle)(LPCSTR name);
    HMODULE(WINAPI* LoadLibraryEx)(LPCSTR name, HANDLE file, DWORD flags);
    UINT(WINAPI* GetSystemDirectory)(LPSTR buffer, UINT size);
    FARPROC(WINAPI* GetProcAddress)(HMODULE module, LPCSTR name);
};
extern CommonControlsPlatform CommonControlsCalls;

enum class CommonControlsLoad : bool { IfLoaded, FromSystemFolder };

// The entry of comctl32 with the given name, or null. A library not yet
// loaded is loaded only when asked to, and then only from the system folder.
FARPROC CommonControlsEntry(const char* name, CommonControlsLoad load);

} // namespace toolkit
