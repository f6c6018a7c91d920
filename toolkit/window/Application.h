#pragma once

namespace toolkit {

class Control;

// Runs the application loop on the Control in `mainControl` until the main
// window is closed, then frees that Control and clears the variable.
void RunApplication(Control*& mainControl);
void EndApplication(Control*& mainControl);
bool ProcessOneMessage(Control* control);
void ProcessPendingMessages(Control* control);

} // namespace toolkit
