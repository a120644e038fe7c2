#pragma once
// Colours as the settings store them.

#include <cstdint>

namespace luftikon {

// 24-bit colour: 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;

} // namespace luftikon
