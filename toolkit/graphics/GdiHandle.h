#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

#include "toolkit/graphics/ObjectTally.h"

namespace toolkit {

// A font or brush made through ObjectTally, held by a toolkit object whose
// Destroy deletes it (Reset) at the point in its order where that belongs;
// its end finds nothing left, so it adds nothing to the object's own.
template <typename H>
class GdiObjectField {
public:
    GdiObjectField() = default;
    GdiObjectField(const GdiObjectField&) = delete;
    GdiObjectField& operator=(const GdiObjectField&) = delete;

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

// The same, deleted at its holder's end as well.
template <typename H>
class GdiObject : public GdiObjectField<H> {
public:
    GdiObject() = default;
    GdiObject(GdiObjectField<H>&& other) noexcept { this->Take(other.Release()); }
    [[gnu::always_inline]] ~GdiObject() { this->Reset(); }
};

// A device context and where it came from, which says how it is let go
// (WIL's unique_hdc_window and unique_hdc): a window's goes back to the
// window, one made for measuring or handed over is deleted, one only lent
// stays with the lender. Reset is the one place that lets it go; the canvas
// that holds it calls it whenever it detaches its DC, and in its Destroy.
class DeviceContext {
public:
    enum class Source : std::uint8_t { Lent, HandedOver, Window, Memory };

    DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

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
