// A DLL that someone has put beside the exe, named as a system DLL that is
// not a known DLL (comctl32.dll, uxtheme.dll). Loaded into a process, it
// leaves the file "<its name>.loaded" beside itself.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    constexpr char suffix[] = ".loaded";
    char path[MAX_PATH + sizeof(suffix)];
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    for (DWORD i = 0; i < sizeof(suffix); ++i)
        path[length + i] = suffix[i];
    HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE)
        CloseHandle(mark);
    return TRUE;
}

// The entries an exe that imports comctl32 asks for, working as the real
// ones do, so that a program that takes this copy shows no other sign of it.
extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}
extern "C" __declspec(dllexport) BOOL WINAPI _TrackMouseEvent(TRACKMOUSEEVENT* request)
{
    return TrackMouseEvent(request);
}
