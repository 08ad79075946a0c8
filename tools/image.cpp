#include "image.h"

#include <algorithm>
#include <cmath>

namespace content {

void BlendPixel(RgbaImage& image, int x, int y, Colour c, float coverage) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
  uint8_t* p = image.At(x, y);
  const float inv = 1.0f - a;
  auto mix = [&](float value, uint8_t old) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f * a + old * inv));
  };
  p[0] = mix(c.r, p[0]);
  p[1] = mix(c.g, p[1]);
  p[2] = mix(c.b, p[2]);
  p[3] = static_cast<uint8_t>(std::lround(std::min(255.0f, 255.0f * a + p[3] * inv)));
}

RgbaImage FilledImage(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  RgbaImage image(width, height);
  for (size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    image.pixels[i] = r;
    image.pixels[i + 1] = g;
    image.pixels[i + 2] = b;
    image.pixels[i + 3] = 255;
  }
  return image;
}

}  // namespace content
