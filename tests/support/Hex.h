#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// How the tests write numbers and bytes down.

// A number as the recorded platform calls show it: lower-case hex without
// leading zeros ("c0000000").
std::string Hex(std::uintptr_t value);

// Bytes as the line carries them: upper-case pairs, one space apart ("FE 04 02").
std::string HexBytes(const void* data, std::size_t length);
