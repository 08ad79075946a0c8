#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace content {

// A 24-bit Windows bitmap, bottom row first, rows padded to four bytes.
std::vector<uint8_t> EncodeBmp(const RgbaImage& image);

}  // namespace content
