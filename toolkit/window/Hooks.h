#pragma once

#include "toolkit/window/MessageRecord.h"

namespace toolkit {

// Attaches a message hook to the control, once; hooks attached later run
// first, and the first that handles a message ends its dispatch. Hooks are
// not run once the application loop has terminated.
void AttachHook(Control* control, MessageHook hook);

// Runs the control's hooks, holding a reference on it for the walk: a
// control freed by a hook is destroyed after the walk, and the message then
// counts as handled.
bool RunHooks(Control* control, MessageRecord& record, LRESULT& result);

// Turns reflected notifications of a child control into its events and
// answers its colour messages; attached to every child control.
bool ChildControlHook(Control* control, MessageRecord& record, LRESULT& result);

// Sends WM_DRAWITEM back to the toolkit control that is to draw the item;
// owner-drawn kinds attach it to their parent.
bool DrawItemReflectHook(Control* parent, MessageRecord& record, LRESULT& result);

} // namespace toolkit
