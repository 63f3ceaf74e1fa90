#pragma once
// The program's one colour type: red, green and blue in the low three bytes, 0x00BBGGRR, as the
// settings store colours and the drawing context takes them.

#include <cstdint>

using ColorRef = std::uint32_t;

constexpr ColorRef RGB(int r, int g, int b)
{
    return static_cast<ColorRef>(r & 0xFF) | static_cast<ColorRef>(g & 0xFF) << 8 | static_cast<ColorRef>(b & 0xFF) << 16;
}
