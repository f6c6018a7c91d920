#include "ProcessCensus.h"

#include <tlhelp32.h>

std::vector<std::uintptr_t> NextHandleValues()
{
    constexpr int Probes = 64;
    HANDLE probes[Probes];
    std::vector<std::uintptr_t> values;
    for (HANDLE& probe : probes) {
        probe = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        values.push_back(reinterpret_cast<std::uintptr_t>(probe));
    }
    for (HANDLE probe : probes)
        ::CloseHandle(probe);
    return values;
}

int ThreadCount()
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ++count;
    ::CloseHandle(snapshot);
    return count;
}
