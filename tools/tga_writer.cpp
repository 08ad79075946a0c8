#include "tga_writer.h"

namespace content {

std::vector<uint8_t> EncodeTga(const RgbaImage& image, int bitsPerPixel) {
  const bool alpha = bitsPerPixel == 32;
  std::vector<uint8_t> out(18, 0);
  out[2] = 2;  // uncompressed true colour
  out[12] = image.width & 0xFF;
  out[13] = (image.width >> 8) & 0xFF;
  out[14] = image.height & 0xFF;
  out[15] = (image.height >> 8) & 0xFF;
  out[16] = static_cast<uint8_t>(alpha ? 32 : 24);
  out[17] = alpha ? 8 : 0;  // alpha bits; origin at the lower left
  out.reserve(out.size() + static_cast<size_t>(image.width) * image.height * (alpha ? 4 : 3));
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
      if (alpha) out.push_back(p[3]);
    }
  }
  return out;
}

}  // namespace content
