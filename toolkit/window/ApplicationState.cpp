#include "toolkit/window/ApplicationState.h"

namespace toolkit {

Control* MainControl = nullptr;
bool LoopRunning = false;
bool LoopTerminated = false;
Control* ControlBeingCreated = nullptr;
constinit ControlIdCounter NextControlId;

} // namespace toolkit
