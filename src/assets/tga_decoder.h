// Truevision TGA images from a byte range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "assets/decoded_image.h"

namespace assets {

// Type 10 is read as run-length encoded true colour and every other type as
// uncompressed true colour, at 16, 24 or 32 bits per pixel; 16 bits give
// 3 channels, 24 and 32 bits give depth / 8. The origin flag is not
// consulted. Fails on any other depth and on data that ends before the
// header's width x height pixels; never reads past the range.
std::optional<DecodedImage> DecodeTga(const uint8_t* data, size_t size);

}  // namespace assets
