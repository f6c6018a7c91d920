#pragma once

namespace toolkit {

class Control;

// A one-line static text that reports clicks (OnClick), 22 pixels high.
Control* CreateLabel(Control* parent, const char* text);

} // namespace toolkit
