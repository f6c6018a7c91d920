#pragma once

#include "toolkit/object/ToolkitObject.h"

namespace comport {
class ComPort;
}
namespace toolkit {
class Control;
}

namespace app {

// The application's record: the window, the port it configures and the
// window's nine children. The Form owns the record and the ComPort; the
// children belong to the Form as their parent. The record frees nothing.
// Made by CreateObject: members without an initializer start at zero.
class MainForm : public toolkit::ToolkitObject {
public:
    toolkit::Control* Form;
    comport::ComPort* ComPort;
    toolkit::Control* PortList;
    toolkit::Control* ConfigureButton;
    toolkit::Control* PortLabel;
    toolkit::Control* RowsLabel;
    toolkit::Control* ColumnsLabel;
    toolkit::Control* RowsList;
    toolkit::Control* ColumnsList;
    toolkit::Control* TypeLabel;
    toolkit::Control* TypeList;
};

// Builds the window "Config Quarnel" with its defaults (Com1, 2 rows, 16
// characters, LK162-12) and its closed port, wires the configure action, and
// makes the Form the application's main control. The window is shown by the
// application loop.
void BuildMainForm(MainForm*& mainForm, toolkit::Control* parent);

} // namespace app
