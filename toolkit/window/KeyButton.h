#pragma once

#include <windows.h>

#include "toolkit/window/MessageRecord.h"

namespace toolkit {

// Keeps the control from ever taking the focus, and out of the tab order.
Control* MakeNonFocusable(Control* control);

// Makes the button its form's Enter (key VK_RETURN) or Escape (VK_ESCAPE)
// button, or, with `on` false, takes that role away again.
void AssignKeyButton(Control* button, WPARAM key, bool on);

// The main control's OnMessage while a key button is assigned (user data:
// the main control): Enter and Escape press the form's button.
bool KeyButtonHook(void* mainControl, MessageRecord& record, LRESULT& result);

} // namespace toolkit
