#pragma once

#include <windows.h>

// The one poll loop of the tests: asks until the answer is yes or the time is
// up, pausing between asks; true when the condition came true in time.
template <typename Condition, typename Pause>
bool PollUntil(Condition condition, DWORD milliseconds, Pause pause)
{
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return false;
        pause();
    }
    return true;
}

// Polls with a bound: true when the condition came true in time.
template <typename Condition>
bool Eventually(Condition condition, DWORD milliseconds = 5000)
{
    return PollUntil(condition, milliseconds, [] { ::Sleep(1); });
}

// Dispatches what is queued for this thread now.
inline void DispatchQueued()
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// Dispatches this thread's messages until the condition holds or the bound
// runs out; between polls it waits for the next message.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD milliseconds = 10000)
{
    return PollUntil(
        [&] {
            DispatchQueued();
            return condition();
        },
        milliseconds, [] { ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT); });
}
