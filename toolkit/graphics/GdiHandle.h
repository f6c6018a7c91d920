#pragma once

#include <windows.h>

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

// A device context and the way it is let go, which depends on where it came
// from (WIL's unique_hdc_window and unique_hdc): a window's goes back to the
// window, one made or handed over is deleted, one only lent stays with the
// lender. The traits travel with the handle.
struct DeviceContextTraits {
    using Handle = HDC;
    void (*LetGo)(HWND window, HDC dc) = nullptr;
    HWND Window = nullptr;
    static HDC Empty() { return nullptr; }
    void Close(HDC dc) const
    {
        if (LetGo != nullptr)
            LetGo(Window, dc);
    }
};
using DeviceContext = UniqueHandle<DeviceContextTraits>;

// GetDC of the window; ReleaseDC to it.
inline DeviceContext WindowDC(HWND window)
{
    return DeviceContext(TakeWindowDC(window), {GiveBackWindowDC, window});
}

// A memory DC compatible with the screen; DeleteDC.
inline DeviceContext MemoryDC()
{
    return DeviceContext(MakeMemoryDC(), {[](HWND, HDC dc) { DropMemoryDC(dc); }});
}

// A DC made elsewhere and handed over with its ownership; DeleteDC.
inline DeviceContext HandedOverDC(HDC dc)
{
    return DeviceContext(dc, {[](HWND, HDC handed) { DeleteDC(handed); }});
}

// A DC only lent: nothing lets it go here.
inline DeviceContext BorrowedDC(HDC dc)
{
    return DeviceContext(dc);
}

} // namespace toolkit
