#pragma once

namespace toolkit {
class Control;
}

namespace app {

// The button's OnClick: configures the display through the chosen port.
// User data: the MainForm.
void ConfigureClick(void* mainForm, toolkit::Control* sender);

// The port list's OnChange: the port takes the newly chosen name. User data:
// the MainForm.
void PortListChange(void* mainForm, toolkit::Control* sender);

} // namespace app
