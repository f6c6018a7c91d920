#pragma once

#include <windows.h>

// Polls with a bound: true when the condition came true in time.
template <typename Condition>
bool Eventually(Condition condition, DWORD milliseconds = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(1);
    }
    return true;
}
