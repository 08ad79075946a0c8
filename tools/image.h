// A plain RGBA picture that the generator draws into and the writers encode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace content {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // RGBA, top row first

  RgbaImage() = default;
  RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}
  uint8_t* At(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
  const uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

// A picture of one opaque colour (tests use them as measurable stand-ins).
RgbaImage FilledImage(int width, int height, uint8_t r, uint8_t g, uint8_t b);

// Blends a colour over one pixel with the given coverage (0..1); ignores
// pixels outside the picture.
void BlendPixel(RgbaImage& image, int x, int y, Colour colour, float coverage);

}  // namespace content
