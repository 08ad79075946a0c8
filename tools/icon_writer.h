// Writes Windows icon files (.ico) with 32-bit images.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace content {

// One icon file holding each image at its own size.
std::vector<uint8_t> EncodeIcon(const std::vector<RgbaImage>& images);

// The program's icon: a lit fir tree with a star on a night-blue tile.
RgbaImage DrawAppIcon(int size);

}  // namespace content
