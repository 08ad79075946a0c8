// Windows BMP (DIB) images from a byte range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "assets/decoded_image.h"

namespace assets {

// Reads a BITMAPFILEHEADER and a BITMAPINFOHEADER (or a later, longer
// version of it) with uncompressed pixels: 1, 4 and 8 bits through the
// palette, 24 bits, and 16 or 32 bits plain or with bit-field masks. The
// result is always 3-channel RGB with the rows bottom-up, the order of an
// ordinary DIB; a top-down file (negative height) is turned into that order.
// Anything else, or pixels running past the range, fails with a reason.
std::optional<DecodedImage> DecodeBmp(const uint8_t* data, size_t size, std::string& error);

}  // namespace assets
