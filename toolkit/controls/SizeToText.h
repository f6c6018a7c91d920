#pragma once

namespace toolkit {

class Control;

// Sizes the control to its caption plus its kind's margins; runs after every
// caption or font change while switched on.
void SizeToText(Control* control);

// Switches the sizing on (and sizes at once) or off.
Control* SetSizeToText(Control* control, bool on);

} // namespace toolkit
