// JPEG images from memory through libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "assets/decoded_image.h"

namespace assets {

// Decodes to 3-channel RGB, top row first as the decoder delivers it.
// When libjpeg rejects the data (empty or cut-off header, not a JPEG,
// unsupported colour space) the result is empty and error holds libjpeg's
// own message. Recoverable damage such as a scan cut short still gives a
// full-size picture; libjpeg's warnings about it go to the log.
std::optional<DecodedImage> DecodeJpeg(const uint8_t* data, size_t size, std::string& error);

}  // namespace assets
