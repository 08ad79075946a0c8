// Pixels of one decoded image, kept only until they are uploaded.
#pragma once

#include <cstdint>
#include <vector>

namespace assets {

struct DecodedImage {
  int channels = 0;  // bytes per pixel: 3 for R, G, B or 4 for R, G, B, A
  int width = 0;
  int height = 0;
  // width x height x channels bytes, rows in the order the file stores them
  // (no vertical flip), so a bottom-up file gives the bottom row first.
  std::vector<uint8_t> pixels;
};

}  // namespace assets
