#pragma once
// Colours as the settings store them, and the one place their channels are taken apart.

#include <cstdint>

namespace luftikon {

// 24-bit colour: 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;

constexpr std::uint8_t redOf(ColorRef color)
{
    return std::uint8_t(color & 0xFF);
}
constexpr std::uint8_t greenOf(ColorRef color)
{
    return std::uint8_t((color >> 8) & 0xFF);
}
constexpr std::uint8_t blueOf(ColorRef color)
{
    return std::uint8_t((color >> 16) & 0xFF);
}
constexpr ColorRef colorRefOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return ColorRef(red) | ColorRef(green) << 8 | ColorRef(blue) << 16;
}

} // namespace luftikon
