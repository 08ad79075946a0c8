#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Writes 8-bit RGBA pixels, top row first, as a PNG file.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
              std::string& error);

// Reads the current read buffer of the GL context, top row first.
std::vector<uint8_t> ReadFramebuffer(int width, int height);

}  // namespace platform
