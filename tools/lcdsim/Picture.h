#pragma once

#include "Decoder.h"
#include "Display.h"
#include "TextBuffer.h"

namespace lcdsim {

// What a step did, in one line: "rows 2", "type LK162-12 (0x34)", ...
void DescribeStep(const Step& step, TextBuffer& out);

// The display as a framed picture of its rows and columns, under a line
// with the module type and the geometry.
void DrawDisplay(const Display& display, TextBuffer& out);

// One step as the simulator prints it: the description, with --hex the raw
// bytes, then the picture.
void DrawStep(const Step& step, const Display& display, bool hex, TextBuffer& out);

} // namespace lcdsim
