#include "ErrorBox.h"

#include "tests/support/Eventually.h"

namespace {

constexpr DWORD PollInterval = 20;

HWND FindBox(DWORD processId, HWND seen)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, "Error"); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, "Error")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && window != seen && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

} // namespace

HWND WaitForErrorBox(const ChildProcess& child, DWORD milliseconds, HWND seen)
{
    HWND found = nullptr;
    bool ended = false;
    PollUntil(
        [&] {
            found = FindBox(child.Id(), seen);
            return found != nullptr || ended;
        },
        milliseconds, [&] { ended = child.Ended(PollInterval); });
    return found;
}

// The box's icon is a static control too, one without text.
std::string BoxText(HWND box)
{
    char text[128] = {};
    for (HWND control = FindWindowExA(box, nullptr, "Static", nullptr); control != nullptr;
         control = FindWindowExA(box, control, "Static", nullptr)) {
        SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
        if (text[0] != '\0')
            return text;
    }
    return {};
}

void PressOk(HWND box)
{
    HWND ok = GetDlgItem(box, IDOK);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}
