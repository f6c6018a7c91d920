#pragma once

#include "toolkit/window/MessageRecord.h"

namespace toolkit {

// Attached to every form: the end of the user's logon session ends the
// process at once, and a form that gets the focus hands it to the control
// that had it last.
bool FormHook(Control* form, MessageRecord& record, LRESULT& result);

// Attached to every form: paints the client area in the form's colour.
bool BackgroundHook(Control* form, MessageRecord& record, LRESULT& result);

} // namespace toolkit
