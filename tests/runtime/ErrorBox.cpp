#include "ErrorBox.h"

#include "tests/support/Eventually.h"

namespace {

constexpr DWORD PollInterval = 20;

struct BoxSearch {
    DWORD processId;
    HWND seen;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[16] = {};
    if (owner == search->processId && window != search->seen && IsWindowVisible(window) &&
        GetWindowTextA(window, caption, sizeof(caption)) > 0 && std::string(caption) == "Error") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindText(HWND control, LPARAM parameter)
{
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    char text[128] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    if (text[0] == '\0')
        return TRUE;
    *reinterpret_cast<std::string*>(parameter) = text;
    return FALSE;
}

} // namespace

HWND WaitForErrorBox(const ChildProcess& child, DWORD milliseconds, HWND seen)
{
    BoxSearch search{child.Id(), seen, nullptr};
    bool ended = false;
    PollUntil(
        [&] {
            EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || ended;
        },
        milliseconds, [&] { ended = child.Ended(PollInterval); });
    return search.found;
}

std::string BoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, &FindText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void PressOk(HWND box)
{
    HWND ok = GetDlgItem(box, IDOK);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}
