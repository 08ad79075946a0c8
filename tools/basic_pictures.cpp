#include "basic_pictures.h"

#include <algorithm>
#include <cmath>

namespace content {
namespace {

float Smooth(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// Small, fixed pseudo-random sequence: the same picture on every run.
uint32_t NextRandom(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

void Glow(RgbaImage& image, float cx, float cy, float radius, Colour colour) {
  const int x0 = static_cast<int>(cx - radius * 3), x1 = static_cast<int>(cx + radius * 3);
  const int y0 = static_cast<int>(cy - radius * 3), y1 = static_cast<int>(cy + radius * 3);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
      BlendPixel(image, x, y, colour, std::exp(-d * d));
    }
}

bool InsideStar(float u, float v, float cx, float cy, float radius) {
  // Ten corners alternating between the outer and the inner radius, one point up.
  float px[10], py[10];
  for (int k = 0; k < 10; ++k) {
    const float r = (k % 2 == 0) ? radius : radius * 0.42f;
    const float angle = -1.5707963f + k * 0.62831853f;
    px[k] = cx + r * std::cos(angle);
    py[k] = cy + r * std::sin(angle);
  }
  bool inside = false;
  for (int a = 0, b = 9; a < 10; b = a++)
    if ((py[a] > v) != (py[b] > v) && u < (px[b] - px[a]) * (v - py[a]) / (py[b] - py[a]) + px[a])
      inside = !inside;
  return inside;
}

// Coverage of the pixel centred at (u, v), sampled 4 x 4 for smooth edges.
float StarShape(float u, float v, float cx, float cy, float radius) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx)
      if (InsideStar(u - 0.375f + sx * 0.25f, v - 0.375f + sy * 0.25f, cx, cy, radius)) ++hits;
  return hits / 16.0f;
}

}  // namespace

RgbaImage DrawDefaultTexture(int size) {
  RgbaImage image(size, size);
  const int cell = std::max(1, size / 8);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool light = ((x / cell) + (y / cell)) % 2 == 0;
      uint8_t* p = image.At(x, y);
      p[0] = light ? 168 : 120;
      p[1] = light ? 160 : 112;
      p[2] = light ? 150 : 104;
      p[3] = 255;
    }
  return image;
}

RgbaImage DrawLoadingPicture(int size) {
  RgbaImage image(size, size);
  const float s = static_cast<float>(size);
  // Warm wall darkening towards the corners, the floor a little darker.
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float u = x / s, v = y / s;
      const float vignette = 1.0f - 0.6f * std::hypot(u - 0.5f, v - 0.55f);
      const bool floor = v > 0.74f;
      uint8_t* p = image.At(x, y);
      const float base = floor ? 0.55f : 0.8f;
      p[0] = static_cast<uint8_t>(std::clamp(110.0f * base * vignette, 0.0f, 255.0f));
      p[1] = static_cast<uint8_t>(std::clamp(58.0f * base * vignette, 0.0f, 255.0f));
      p[2] = static_cast<uint8_t>(std::clamp(34.0f * base * vignette, 0.0f, 255.0f));
      p[3] = 255;
    }
  // A window with a night sky and snow on the right.
  const int wx0 = size * 66 / 100, wx1 = size * 90 / 100, wy0 = size * 20 / 100, wy1 = size * 56 / 100;
  uint32_t seed = 12345;
  for (int y = wy0; y < wy1; ++y)
    for (int x = wx0; x < wx1; ++x) {
      const float t = static_cast<float>(y - wy0) / (wy1 - wy0);
      const bool frame = std::abs(x - (wx0 + wx1) / 2) < 3 || std::abs(y - (wy0 + wy1) / 2) < 3 ||
                         x < wx0 + 5 || x >= wx1 - 5 || y < wy0 + 5 || y >= wy1 - 5;
      const Colour sky = frame ? Colour{0.35f, 0.2f, 0.1f, 1} : Colour{0.05f + 0.1f * t, 0.08f + 0.15f * t, 0.25f + 0.3f * t, 1};
      BlendPixel(image, x, y, sky, 1.0f);
    }
  for (int flake = 0; flake < 60; ++flake) {
    const float fx = wx0 + 8 + NextRandom(seed) % (wx1 - wx0 - 16);
    const float fy = wy0 + 8 + NextRandom(seed) % (wy1 - wy0 - 16);
    Glow(image, fx, fy, 1.0f, {0.95f, 0.97f, 1.0f, 0.9f});
  }
  // The fire's glow low on the left wall.
  Glow(image, s * 0.2f, s * 0.7f, s * 0.09f, {1.0f, 0.55f, 0.15f, 0.8f});
  Glow(image, s * 0.2f, s * 0.7f, s * 0.03f, {1.0f, 0.85f, 0.4f, 1.0f});
  // The fir tree in the middle, tiers of dark green with coloured lights.
  const float cx = s * 0.45f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float u = x + 0.5f, v = y + 0.5f;
      float cover = 0.0f;
      for (int tier = 0; tier < 4; ++tier) {
        const float top = s * (0.18f + tier * 0.12f), bottom = top + s * 0.2f;
        if (v < top || v > bottom) continue;
        const float half = s * (0.03f + (v - top) / (bottom - top) * (0.08f + tier * 0.035f));
        cover = std::max(cover, 1.0f - Smooth(half - 1.0f, half + 1.0f, std::fabs(u - cx)));
      }
      const float trunk = (v > s * 0.74f && v < s * 0.8f && std::fabs(u - cx) < s * 0.02f) ? 1.0f : 0.0f;
      BlendPixel(image, x, y, {0.04f, 0.2f, 0.08f, 1}, cover);
      BlendPixel(image, x, y, {0.25f, 0.13f, 0.06f, 1}, trunk);
      BlendPixel(image, x, y, {1.0f, 0.85f, 0.3f, 1}, StarShape(u, v, cx, s * 0.16f, s * 0.035f));
    }
  const Colour lights[] = {{1, 0.2f, 0.2f, 1}, {0.3f, 1, 0.4f, 1}, {0.3f, 0.5f, 1, 1},
                           {1, 0.9f, 0.3f, 1}, {0.8f, 0.4f, 1, 1}};
  for (int i = 0; i < 40; ++i) {
    const float t = (NextRandom(seed) % 1000) / 1000.0f;
    const float v = s * (0.24f + 0.48f * t);
    const float spread = s * (0.03f + 0.17f * t);
    const float u = cx + ((NextRandom(seed) % 2000) / 1000.0f - 1.0f) * spread * 0.8f;
    Glow(image, u, v, 2.2f, lights[i % 5]);
  }
  return image;
}

RgbaImage DrawCornerLogo(int width, int height) {
  RgbaImage image(width, height);
  const float h = static_cast<float>(height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const float u = x + 0.5f, v = y + 0.5f;
      // A soft dark plate so the mark reads over any picture.
      const float plate = 1.0f - Smooth(h * 0.34f, h * 0.42f, std::hypot((u - width * 0.5f) * 0.5f, v - h * 0.5f));
      BlendPixel(image, x, y, {0.03f, 0.03f, 0.08f, 0.55f}, plate);
      BlendPixel(image, x, y, {1.0f, 0.82f, 0.3f, 1}, StarShape(u, v, width * 0.5f, h * 0.45f, h * 0.22f));
    }
  const Colour lights[] = {{1, 0.25f, 0.2f, 1}, {0.3f, 1, 0.4f, 1}, {0.3f, 0.5f, 1, 1}, {1, 0.9f, 0.3f, 1}};
  for (int i = 0; i < 9; ++i) {
    const float u = width * (0.22f + 0.07f * i);
    const float v = h * (0.8f - 0.08f * std::sin(i * 0.8f));
    Glow(image, u, v, 2.5f, lights[i % 4]);
  }
  return image;
}

RgbaImage DrawRoomPicture(int width, int height) {
  const int side = std::max(width, height);
  const RgbaImage square = DrawLoadingPicture(side);
  RgbaImage image(width, height);
  // Cut more from the floor than from the top so the star stays in view.
  const int left = (side - width) / 2, top = (side - height) / 4;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t* from = square.At(x + left, y + top);
      std::copy(from, from + 4, image.At(x, y));
    }
  return image;
}

RgbaImage DrawTransparentPixel() { return RgbaImage(1, 1); }

}  // namespace content
