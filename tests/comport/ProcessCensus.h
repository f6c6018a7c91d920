#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Counts that can show a leak under Wine, where the process handle count
// always reads 0.

// The values the next handles of the process get. Handles are handed out
// lowest free slot first, so a handle left open takes one of these slots,
// also when others around it have been closed meanwhile.
std::vector<std::uintptr_t> NextHandleValues();

// The threads of this process.
int ThreadCount();
