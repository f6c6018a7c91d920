#pragma once

namespace toolkit {

// An event: a callback and the user data it is called with. Firing calls
// callback(user data, sender, further arguments of the event); an empty slot
// is not called, and firing it gives the result type's zero value. Like the
// pointers it holds, a slot is empty when value-initialised ({}) or as a
// member of an object made by CreateObject, which needs no code for it; one
// default-initialised anywhere else holds nothing defined.
template <typename Signature>
class EventSlot;

template <typename Result, typename... Args>
class EventSlot<Result(Args...)> {
public:
    using Callback = Result (*)(void* userData, Args... args);

    constexpr EventSlot() = default;
    constexpr EventSlot(Callback callback, void* userData = nullptr)
        : callback(callback), userData(userData) {}

    explicit operator bool() const { return callback != nullptr; }

    Result Fire(Args... args) const
    {
        if (callback == nullptr)
            return Result();
        return callback(userData, args...);
    }

    Callback callback;
    void* userData;
};

} // namespace toolkit
