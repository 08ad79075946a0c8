#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image.h"

namespace content {

// An uncompressed true-colour TGA with the origin at the lower left: the
// bottom row is stored first. 24 bits drop the alpha channel.
std::vector<uint8_t> EncodeTga(const RgbaImage& image, int bitsPerPixel);

}  // namespace content
