#include "toolkit/window/CommonControls.h"

#include <cstddef>

namespace toolkit {

CommonControlsPlatform CommonControlsCalls{::GetModuleHandleA, ::LoadLibraryExA,
                                           ::GetSystemDirectoryA, ::GetProcAddress};

namespace {

// The name, and the same behind a folder.
constexpr char LibraryInFolder[] = "\\comctl32.dll";
constexpr const char* LibraryName = LibraryInFolder + 1;

// comctl32 is not one of the platform's known DLLs: asked for by its name
// alone, it would be taken from the exe's own folder first, where anyone may
// have put a file of that name.
HMODULE LoadFromSystemFolder()
{
    HMODULE module =
        CommonControlsCalls.LoadLibraryEx(LibraryName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A system without the search flags (before KB2533623) refuses the flag
    // itself; any other failure means the system folder has no comctl32.
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    char path[MAX_PATH];
    const UINT length = CommonControlsCalls.GetSystemDirectory(path, MAX_PATH);
    if (length == 0 || length > sizeof(path) - sizeof(LibraryInFolder))
        return nullptr;
    for (std::size_t i = 0; i < sizeof(LibraryInFolder); ++i)
        path[length + i] = LibraryInFolder[i];
    // The libraries comctl32 needs are then looked for in its own folder
    // first, not in the exe's.
    return CommonControlsCalls.LoadLibraryEx(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

FARPROC CommonControlsEntry(const char* name, CommonControlsLoad load)
{
    HMODULE module = CommonControlsCalls.GetModuleHandle(LibraryName);
    if (module == nullptr && load == CommonControlsLoad::FromSystemFolder)
        module = LoadFromSystemFolder();
    return module != nullptr ? CommonControlsCalls.GetProcAddress(module, name) : nullptr;
}

} // namespace toolkit
