#pragma once

#include <windows.h>

namespace toolkit {

class Control;

// One message as the dispatcher and the hooks see it: the layout of MSG. The
// window procedure fills the first four fields and zeroes the rest.
struct MessageRecord {
    HWND Window = nullptr;
    UINT Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    DWORD Time = 0;
    POINT Point{};
};

// A message hook of a Control: returns whether it handled the message, and
// when it did, `result` is what the window procedure answers.
using MessageHook = bool (*)(Control* control, MessageRecord& record, LRESULT& result);

// The toolkit's private messages.
inline constexpr UINT ReleaseMessage = 0xB003;
inline constexpr UINT ReflectedCommand = 0xB005;
// A colour message or WM_DRAWITEM sent back to the child it concerns arrives
// as this base plus the original message number.
inline constexpr UINT ReflectedMessageBase = 0xBC00;
inline constexpr UINT ReflectedDrawItem = ReflectedMessageBase + WM_DRAWITEM;

inline constexpr bool IsColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

inline constexpr bool IsReflectedColorMessage(UINT message)
{
    return message >= ReflectedMessageBase + WM_CTLCOLORMSGBOX &&
           message <= ReflectedMessageBase + WM_CTLCOLORSTATIC;
}

} // namespace toolkit
