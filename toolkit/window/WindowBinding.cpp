#include "toolkit/window/Dispatch.h"

namespace toolkit {

// The "SELF_" property is the binding that the platform and other programs
// see. Every message asks which Control a window belongs to, and reading a
// named window property is a trip to the window manager each time (an atom
// lookup first), so the toolkit keeps a copy of the bindings it makes. Only
// when more windows are bound than the copy has room for does it ask the
// platform again.
namespace {

struct Binding {
    HWND Window;
    Control* Target;
};

constexpr int BindingRoom = 32;
Binding bindings[BindingRoom];
bool overflowed; // some binding lives in the window property alone

Binding* Find(HWND window)
{
    for (Binding& binding : bindings)
        if (binding.Window == window)
            return &binding;
    return nullptr;
}

} // namespace

void BindWindow(HWND window, Control* control)
{
    SetPropW(window, SelfProperty, control);
    Binding* binding = Find(window);
    if (binding == nullptr)
        binding = Find(nullptr);
    if (binding != nullptr)
        *binding = {window, control};
    else
        overflowed = true;
}

void UnbindWindow(HWND window)
{
    RemovePropW(window, SelfProperty);
    ForgetWindow(window);
}

void ForgetWindow(HWND window)
{
    if (window == nullptr)
        return;
    if (Binding* binding = Find(window))
        *binding = {};
}

Control* ControlOfWindow(HWND window)
{
    if (window == nullptr)
        return nullptr;
    if (const Binding* binding = Find(window))
        return binding->Target;
    return overflowed ? static_cast<Control*>(GetPropW(window, SelfProperty)) : nullptr;
}

} // namespace toolkit
