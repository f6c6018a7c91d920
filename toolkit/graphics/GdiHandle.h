#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

#include "toolkit/graphics/ObjectTally.h"

namespace toolkit {

// A font or brush made through ObjectTally, deleted when its holder lets it
// go (Reset) or ends (WIL's unique_hfont and unique_hbrush). A toolkit object
// calls Reset in its Destroy, at the point in its order where that belongs,
// so its end finds nothing left.
template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    GdiObject(GdiObject&& other) noexcept : handle(other.Release()) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    [[gnu::always_inline]] ~GdiObject()
    {
        if (handle != nullptr)
            Reset();
    }

    H Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

    // Deletes the object held, if any (DropGraphicsObject ignores 0).
    void Reset() { DropGraphicsObject(Release()); }
    // Holds made from now on; the one held before has been let go.
    void Take(H made) { handle = made; }
    H Release() { return std::exchange(handle, nullptr); }

private:
    H handle = nullptr;
};

// A device context and where it came from, which says how it is let go
// (WIL's unique_hdc_window and unique_hdc): a window's goes back to the
// window, one made for measuring or handed over is deleted, one only lent
// stays with the lender. Reset lets it go, at the latest at the holder's end;
// the canvas that holds it calls it whenever it detaches its DC, and in its
// Destroy.
class DeviceContext {
public:
    enum class Source : std::uint8_t { Lent, HandedOver, Window, Memory };

    DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    [[gnu::always_inline]] ~DeviceContext()
    {
        if (dc != nullptr)
            Reset();
    }

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

    // Lets the one held go, if any, the way its source says.
    void Reset();
    // Holds dc from now on; the one held before has been let go. A window's
    // DC names the window that takes it back.
    void Take(HDC next, Source from, HWND owner)
    {
        dc = next;
        source = from;
        window = owner;
    }

private:
    HDC dc = nullptr;
    HWND window = nullptr;
    Source source = Source::Lent;
};

} // namespace toolkit
