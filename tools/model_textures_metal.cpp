// Metal, enamel paint and polished wood: the train set's rails, sleepers and
// livery, the clock case and hands, and brass fittings.
#include <cmath>

#include "model_texture_parts.h"
#include "procedural_noise.h"
#include "wood_grain.h"

namespace content {

namespace {

// Streaks that run along u, as left by brushing or drawing the metal.
float Brushed(float u, float v, int across, uint32_t seed) {
  return 0.6f * TilingNoise(u * 2.0f, v * across, 2, across, seed) +
         0.4f * TilingNoise(u * 4.0f, v * across * 3.0f, 4, across * 3, seed + 1u);
}

}  // namespace

RgbaImage DrawRailMetal() {
  constexpr int kSize = 64;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float streak = Brushed(u, v, 16, 0x4a11u);
      const float rust = TilingFbm(u, v, 4, 4, 3, 0x4a12u);
      Rgb c = FromHex(0x7c8088) * (0.92f + 0.12f * streak);
      c = Mix(c, FromHex(0x5a4a40), Clamp01(rust - 0.35f) * 0.6f);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawSleeperWood() {
  constexpr int kWidth = 128, kHeight = 64;
  const WoodLook look{FromHex(0x4a3624), FromHex(0x22170e), 6.0f, 0.8f, 0.35f, 0x51e1u};
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const float u = (x + 0.5f) / kWidth, v = (y + 0.5f) / kHeight;
      Rgb c = WoodColour(look, u, v, 2, 1);
      // Weathering: grey silvering and deep checks along the grain.
      const float weather = TilingFbm(u, v, 4, 2, 3, 0x51e2u);
      const float check = TilingRidges(u, v, 2, 6, 2, 0x51e3u);
      c = Mix(c, FromHex(0x5c564c), Clamp01(0.3f + 0.4f * weather));
      c = c * (0.55f + 0.45f * SmoothStep(0.0f, 0.12f, check));
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawTrainPaint(Rgb paint, uint32_t seed) {
  constexpr int kSize = 256;
  const Rgb gold = FromHex(0xe0b040), goldDark = FromHex(0x8a6418);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float u = px / kSize, v = py / kSize;
      // Deep enamel: a broad gloss band and faint orange-peel.
      const float gloss = std::exp(-std::pow((v - 0.3f) / 0.12f, 2.0f));
      const float peel = TilingNoise(u * 48.0f, v * 48.0f, 48, 48, seed);
      Rgb c = paint * (0.8f + 0.15f * std::sin(v * kPi) + 0.02f * peel);
      c = c + Rgb{1.0f, 0.95f, 0.9f} * (0.22f * gloss);
      // Lining: a double gold line round a panel inset from the edges.
      const float qx = std::fabs(px - 128.0f), qy = std::fabs(py - 128.0f);
      const float box = std::max(qx, qy);
      float line = std::max(Clamp01(1.6f - std::fabs(box - 104.0f)), Clamp01(0.9f - std::fabs(box - 98.0f)));
      // Lining bands across the top and bottom edges.
      line = std::max(line, Clamp01(2.2f - std::fabs(py - 10.0f)));
      line = std::max(line, Clamp01(2.2f - std::fabs(py - 246.0f)));
      c = Mix(c, Mix(goldDark, gold, 0.6f + 0.4f * gloss), line);
      // Rivet rows between the panel and the edges, every 16 texels.
      for (float row : {18.0f, 238.0f}) {
        const float dx = WrappedDelta(px, 8.0f, 16.0f), dy = py - row;
        const float d = std::hypot(dx, dy);
        const float head = Clamp01(2.6f - d);
        if (head > 0.0f) {
          const float light = Clamp01(0.6f - 0.25f * (dx + dy));
          c = Mix(c, Mix(paint * 0.5f, Rgb{1.0f, 0.9f, 0.8f}, light), head);
        }
      }
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawTrainBlack() {
  constexpr int kSize = 128;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float soot = TilingFbm(u, v, 6, 6, 3, 0xb1a1u);
      const float sheen = std::exp(-std::pow((v - 0.35f) / 0.15f, 2.0f));
      Rgb c = FromHex(0x16171a) * (0.9f + 0.2f * soot) + FromHex(0x484c56) * (0.5f * sheen);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawClockWood() {
  constexpr int kSize = 256;
  const WoodLook look{FromHex(0x7a3220), FromHex(0x3a120a), 14.0f, 1.4f, 0.22f, 0xc10du};
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      Rgb c = WoodColour(look, u, v, 1, 1);
      // French polish: a warm, slightly lifted sheen.
      const float sheen = std::exp(-std::pow((v - 0.4f) / 0.25f, 2.0f));
      c = c * (1.0f + 0.12f * sheen) + FromHex(0x2a0e04) * 0.15f;
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawClockHands() {
  constexpr int kSize = 64;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float temper = TilingFbm(u, v, 2, 2, 2, 0xa4d1u);
      const Rgb c = Mix(FromHex(0x0a0c16), FromHex(0x1c2440), Clamp01(0.4f + 0.4f * temper + 0.3f * (1.0f - v)));
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawBrass() {
  constexpr int kSize = 128;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float streak = Brushed(u, v, 32, 0xb7a5u);
      const float tarnish = TilingFbm(u, v, 4, 4, 3, 0xb7a6u);
      const float shine = std::exp(-std::pow((v - 0.45f) / 0.1f, 2.0f)) + 0.4f * std::exp(-std::pow((v - 0.8f) / 0.06f, 2.0f));
      Rgb c = FromHex(0xb88a32) * (0.9f + 0.1f * streak);
      c = Mix(c, FromHex(0x6a4a1c), Clamp01(tarnish - 0.2f) * 0.5f);
      c = Mix(c, FromHex(0xfff0b8), Clamp01(shine * 0.6f));
      StorePixel(image, x, y, c);
    }
  return image;
}

}  // namespace content
