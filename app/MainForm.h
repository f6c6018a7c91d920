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
class MainForm : public toolkit::ToolkitObject {
public:
    toolkit::Control* Form = nullptr;
    comport::ComPort* ComPort = nullptr;
    toolkit::Control* PortList = nullptr;
    toolkit::Control* ConfigureButton = nullptr;
    toolkit::Control* PortLabel = nullptr;
    toolkit::Control* RowsLabel = nullptr;
    toolkit::Control* ColumnsLabel = nullptr;
    toolkit::Control* RowsList = nullptr;
    toolkit::Control* ColumnsList = nullptr;
    toolkit::Control* TypeLabel = nullptr;
    toolkit::Control* TypeList = nullptr;
};

// Builds the window "Config Quarnel" with its defaults (Com1, 2 rows, 16
// characters, LK162-12) and its closed port, wires the configure action, and
// makes the Form the application's main control. The window is shown by the
// application loop.
void BuildMainForm(MainForm*& mainForm, toolkit::Control* parent);

} // namespace app
