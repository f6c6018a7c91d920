#pragma once

#include <windows.h>

#include <cstdint>

namespace toolkit {

// A colour value: bit 31 clear is a COLORREF (0x00BBGGRR); bit 31 set names
// a system colour by the platform index in its low byte.
using Color = std::uint32_t;

inline constexpr Color SystemColor(int index)
{
    return 0x80000000u | static_cast<std::uint32_t>(index & 0xFF);
}

inline constexpr Color ColorWindow = SystemColor(COLOR_WINDOW);
inline constexpr Color ColorWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr Color ColorButtonFace = SystemColor(COLOR_BTNFACE);

COLORREF ResolveColor(Color color);

} // namespace toolkit
