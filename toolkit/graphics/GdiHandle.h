#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/graphics/ObjectTally.h"
#include "toolkit/object/UniqueHandle.h"

namespace toolkit {

// A font or brush made through ObjectTally, deleted with its holder.
template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static H Empty() { return nullptr; }
    static void Close(H object) { DropGraphicsObject(object); }
};
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<HGDIOBJ>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;

// A device context and where it came from, which says how it is let go
// (WIL's unique_hdc_window and unique_hdc): a window's goes back to the
// window, one made for measuring or handed over is deleted, one only lent
// stays with the lender. The traits travel with the handle.
struct DeviceContextTraits {
    enum class Source : std::uint8_t { Lent, HandedOver, Window, Memory };

    using Handle = HDC;
    Source From = Source::Lent;
    HWND Window = nullptr;
    static HDC Empty() { return nullptr; }
    void Close(HDC dc) const;
};
using DeviceContext = UniqueHandle<DeviceContextTraits>;

// GetDC of the window (TakeWindowDC); ReleaseDC to it.
inline DeviceContext WindowDC(HWND window, HDC dc)
{
    return DeviceContext(dc, {DeviceContextTraits::Source::Window, window});
}

// A memory DC compatible with the screen; DeleteDC.
inline DeviceContext MemoryDC()
{
    return DeviceContext(MakeMemoryDC(), {DeviceContextTraits::Source::Memory});
}

// A DC made elsewhere and handed over with its ownership; DeleteDC.
inline DeviceContext HandedOverDC(HDC dc)
{
    return DeviceContext(dc, {DeviceContextTraits::Source::HandedOver});
}

// A DC only lent: nothing lets it go here.
inline DeviceContext BorrowedDC(HDC dc)
{
    return DeviceContext(dc);
}

} // namespace toolkit
