#pragma once

#include <windows.h>

#include <utility>

namespace toolkit {

// Owns one platform handle and closes it when it goes: at Reset, or with its
// owner. What "none" is belongs to the kind of handle, not to each owner:
// CreateEventA and CreateThread give 0, CreateFileA gives
// INVALID_HANDLE_VALUE. Traits names the kind:
//   using Handle = ...;             the platform's handle type
//   static Handle Empty();          the value that owns nothing
//   void Close(Handle) [const];     static, or using the traits' own state
// Traits that carry state (the API that made the handle) are kept beside
// the handle; empty traits cost nothing.
template <typename Traits>
class UniqueHandle : private Traits {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle value, Traits traits = {}) : Traits(traits), value(value) {}
    ~UniqueHandle()
    {
        if (value != Traits::Empty())
            this->Close(value);
    }

    UniqueHandle(UniqueHandle&& other) noexcept : Traits(other), value(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            static_cast<Traits&>(*this) = other;
            value = other.Release();
        }
        return *this;
    }

    Handle Get() const { return value; }
    explicit operator bool() const { return value != Traits::Empty(); }

    // Closes what is owned, if anything, and takes the given handle instead.
    void Reset(Handle next = Traits::Empty())
    {
        const Handle old = std::exchange(value, next);
        if (old != Traits::Empty())
            this->Close(old);
    }
    Handle Release() { return std::exchange(value, Traits::Empty()); }

private:
    Handle value = Traits::Empty();
};

// A kernel object the platform gives as 0 when it cannot make it (a thread).
struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

} // namespace toolkit
