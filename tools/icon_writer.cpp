#include "icon_writer.h"

#include "little_endian.h"

#include <algorithm>
#include <cmath>

namespace content {
namespace {

std::vector<uint8_t> EncodeDib(const RgbaImage& image) {
  std::vector<uint8_t> dib;
  PutU32(dib, 40);
  PutU32(dib, image.width);
  PutU32(dib, image.height * 2);  // colour image and mask stacked
  PutU16(dib, 1);
  PutU16(dib, 32);
  for (int i = 0; i < 6; ++i) PutU32(dib, 0);
  for (int y = image.height - 1; y >= 0; --y) {  // bottom row first
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.pixels[(y * image.width + x) * 4];
      dib.push_back(p[2]);
      dib.push_back(p[1]);
      dib.push_back(p[0]);
      dib.push_back(p[3]);
    }
  }
  const int maskRowBytes = ((image.width + 31) / 32) * 4;
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskRowBytes, 0);
    for (int x = 0; x < image.width; ++x)
      if (image.pixels[(y * image.width + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
    dib.insert(dib.end(), row.begin(), row.end());
  }
  return dib;
}

void Blend(RgbaImage& image, int x, int y, Colour c) { BlendPixel(image, x, y, c, 1.0f); }

}  // namespace

std::vector<uint8_t> EncodeIcon(const std::vector<RgbaImage>& images) {
  std::vector<uint8_t> out;
  PutU16(out, 0);
  PutU16(out, 1);  // icon
  PutU16(out, static_cast<uint32_t>(images.size()));
  std::vector<std::vector<uint8_t>> dibs;
  for (const RgbaImage& image : images) dibs.push_back(EncodeDib(image));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<uint8_t>(images[i].width >= 256 ? 0 : images[i].width));
    out.push_back(static_cast<uint8_t>(images[i].height >= 256 ? 0 : images[i].height));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, static_cast<uint32_t>(dibs[i].size()));
    PutU32(out, offset);
    offset += static_cast<uint32_t>(dibs[i].size());
  }
  for (const auto& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

RgbaImage DrawAppIcon(int size) {
  RgbaImage image(size, size);
  const float s = static_cast<float>(size);
  // Sampled four times per pixel so the edges come out smooth.
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float tile = 0, tree = 0, trunk = 0, star = 0;
      for (int sy = 0; sy < 2; ++sy) {
        for (int sx = 0; sx < 2; ++sx) {
          const float u = (x + 0.25f + 0.5f * sx) / s;  // 0..1 left to right
          const float v = (y + 0.25f + 0.5f * sy) / s;  // 0..1 top to bottom
          const float cx = std::fabs(u - 0.5f) - 0.38f, cy = std::fabs(v - 0.5f) - 0.38f;
          const float corner = std::sqrt(std::max(cx, 0.0f) * std::max(cx, 0.0f) +
                                         std::max(cy, 0.0f) * std::max(cy, 0.0f));
          if (corner < 0.1f) tile += 0.25f;
          // Three stacked triangles make the tree.
          for (int tier = 0; tier < 3; ++tier) {
            const float top = 0.16f + tier * 0.17f, bottom = top + 0.3f;
            if (v >= top && v <= bottom) {
              const float half = 0.08f + (v - top) / (bottom - top) * (0.17f + tier * 0.05f);
              if (std::fabs(u - 0.5f) <= half) {
                tree += 0.25f;
                break;
              }
            }
          }
          if (v > 0.76f && v < 0.88f && std::fabs(u - 0.5f) < 0.06f) trunk += 0.25f;
          const float du = u - 0.5f, dv = v - 0.14f;
          const float r = std::sqrt(du * du + dv * dv);
          const float angle = std::atan2(dv, du);
          if (r < 0.05f + 0.045f * std::cos(5.0f * angle)) star += 0.25f;
        }
      }
      Blend(image, x, y, {0.05f, 0.08f, 0.22f, tile});
      Blend(image, x, y, {0.06f, 0.42f, 0.16f, std::min(tree, tile)});
      Blend(image, x, y, {0.45f, 0.26f, 0.1f, std::min(trunk, tile)});
      Blend(image, x, y, {1.0f, 0.85f, 0.3f, std::min(star, tile)});
    }
  }
  // A few lights on the branches.
  const float lights[][5] = {{0.44f, 0.33f, 1, 0.2f, 0.2f}, {0.58f, 0.47f, 1, 0.9f, 0.3f},
                             {0.38f, 0.6f, 0.3f, 0.6f, 1},  {0.62f, 0.66f, 1, 0.3f, 0.8f},
                             {0.5f, 0.52f, 1, 1, 1}};
  for (const auto& l : lights) {
    const int lx = static_cast<int>(l[0] * s), ly = static_cast<int>(l[1] * s);
    Blend(image, lx, ly, {l[2], l[3], l[4], 1.0f});
    if (size >= 32) Blend(image, lx + 1, ly, {l[2], l[3], l[4], 0.6f});
  }
  return image;
}

}  // namespace content
