#include "toolkit/graphics/ObjectTally.h"

#include <cstddef>
#include <cstring>

#include "toolkit/text/WideText.h"

namespace toolkit {

namespace {

std::int32_t live[static_cast<int>(ObjectKind::Count)];
ObjectTrace trace = nullptr;

void Count(ObjectKind kind, void* handle, bool made)
{
    if (handle == nullptr)
        return;
    live[static_cast<int>(kind)] += made ? 1 : -1;
    if (trace != nullptr)
        trace(kind, handle, made);
}

} // namespace

std::int32_t LiveObjects(ObjectKind kind)
{
    const int index = static_cast<int>(kind);
    return index >= 0 && index < static_cast<int>(ObjectKind::Count) ? live[index] : 0;
}

void SetObjectTrace(ObjectTrace newTrace)
{
    trace = newTrace;
}

HFONT MakeFont(const LOGFONTA& font)
{
    // The face name is a toolkit text; the rest of the record is the same in
    // both forms.
    LOGFONTW wide{};
    static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName));
    std::memcpy(&wide, &font, offsetof(LOGFONTA, lfFaceName));
    int faceLength = 0;
    while (faceLength < LF_FACESIZE - 1 && font.lfFaceName[faceLength] != 0)
        ++faceLength;
    MultiByteToWideChar(TextCodePage, 0, font.lfFaceName, faceLength, wide.lfFaceName,
                        LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&wide);
    Count(ObjectKind::Font, handle, true);
    return handle;
}

HBRUSH MakeSolidBrush(COLORREF color)
{
    HBRUSH handle = CreateSolidBrush(color);
    Count(ObjectKind::Brush, handle, true);
    return handle;
}

void DropGraphicsObject(HGDIOBJ object)
{
    if (object == nullptr)
        return;
    const DWORD type = GetObjectType(object);
    if (!DeleteObject(object))
        return;
    if (type == OBJ_FONT)
        Count(ObjectKind::Font, object, false);
    else if (type == OBJ_BRUSH)
        Count(ObjectKind::Brush, object, false);
}

HDC TakeWindowDC(HWND window)
{
    HDC dc = GetDC(window);
    Count(ObjectKind::DeviceContext, dc, true);
    return dc;
}

void GiveBackWindowDC(HWND window, HDC dc)
{
    if (dc != nullptr && ReleaseDC(window, dc))
        Count(ObjectKind::DeviceContext, dc, false);
}

HDC MakeMemoryDC()
{
    HDC dc = CreateCompatibleDC(nullptr);
    Count(ObjectKind::DeviceContext, dc, true);
    return dc;
}

void DropMemoryDC(HDC dc)
{
    if (dc != nullptr && DeleteDC(dc))
        Count(ObjectKind::DeviceContext, dc, false);
}

HICON CopyIconImage(HICON icon)
{
    if (icon == nullptr)
        return nullptr;
    auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 0, 0, 0));
    Count(ObjectKind::Icon, copy, true);
    return copy;
}

void DropIcon(HICON icon)
{
    if (icon != nullptr && DestroyIcon(icon))
        Count(ObjectKind::Icon, icon, false);
}

void CountWindowMade(HWND window)
{
    Count(ObjectKind::Window, window, true);
}

void CountWindowGone(HWND window)
{
    Count(ObjectKind::Window, window, false);
}

} // namespace toolkit
