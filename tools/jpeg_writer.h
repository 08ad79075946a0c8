#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace content {

// A baseline JPEG of the picture's colour (alpha is ignored), top row first.
std::vector<uint8_t> EncodeJpeg(const RgbaImage& image, int quality);

}  // namespace content
