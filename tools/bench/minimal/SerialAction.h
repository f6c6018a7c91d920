#pragma once

#include <windows.h>

namespace minimal {

// Opens the port named like "Com1" at 9600 8N1 without flow control, writes
// the four display commands (FE 04 rows, FE 03 columns, FE 05 type,
// FE 58 "Complete!"), one write each, and closes it again. A port that cannot
// be opened is left quietly, as the utility does.
void ConfigureDisplay(const char* portItem, BYTE rows, BYTE columns, BYTE type);

} // namespace minimal
