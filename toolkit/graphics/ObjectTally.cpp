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

// Counts a handle the platform made (0 is not counted) and gives it back.
template <typename Handle>
Handle Made(ObjectKind kind, Handle handle)
{
    Count(kind, handle, true);
    return handle;
}

// Counts a handle gone once the platform has let it go.
void Gone(ObjectKind kind, void* handle, BOOL letGo)
{
    if (letGo)
        Count(kind, handle, false);
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
    return Made(ObjectKind::Font, CreateFontIndirectW(&wide));
}

HBRUSH MakeSolidBrush(COLORREF color)
{
    return Made(ObjectKind::Brush, CreateSolidBrush(color));
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
    return Made(ObjectKind::DeviceContext, GetDC(window));
}

void GiveBackWindowDC(HWND window, HDC dc)
{
    if (dc != nullptr)
        Gone(ObjectKind::DeviceContext, dc, ReleaseDC(window, dc));
}

HDC MakeMemoryDC()
{
    return Made(ObjectKind::DeviceContext, CreateCompatibleDC(nullptr));
}

void DropMemoryDC(HDC dc)
{
    if (dc != nullptr)
        Gone(ObjectKind::DeviceContext, dc, DeleteDC(dc));
}

HICON CopyIconImage(HICON icon)
{
    if (icon == nullptr)
        return nullptr;
    return Made(ObjectKind::Icon, static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 0, 0, 0)));
}

void DropIcon(HICON icon)
{
    if (icon != nullptr)
        Gone(ObjectKind::Icon, icon, DestroyIcon(icon));
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
