#pragma once

#include <windows.h>

#include <cstdint>

namespace toolkit {

// The one place where the toolkit makes and drops its scarce platform objects.
// Every font, brush, device context and icon copy passes through here, and the
// window procedure reports every window of a toolkit class as it is made and
// destroyed, so that what is still alive can be counted (the platform's own
// counters are not available everywhere).
enum class ObjectKind : std::uint8_t { Font, Brush, DeviceContext, Icon, Window, Count };

std::int32_t LiveObjects(ObjectKind kind);

// Called for every object counted here; for tests that follow the handles.
using ObjectTrace = void (*)(ObjectKind kind, void* handle, bool made);
void SetObjectTrace(ObjectTrace trace);

HFONT MakeFont(const LOGFONTA& font);
HBRUSH MakeSolidBrush(COLORREF color);
// Deletes a font or brush made above; 0 is ignored.
void DropGraphicsObject(HGDIOBJ object);

HDC TakeWindowDC(HWND window);
void GiveBackWindowDC(HWND window, HDC dc);
HDC MakeMemoryDC();
void DropMemoryDC(HDC dc);

HICON CopyIconImage(HICON icon);
void DropIcon(HICON icon);

void CountWindowMade(HWND window);
void CountWindowGone(HWND window);

} // namespace toolkit
