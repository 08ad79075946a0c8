// Wax, logs and flames: the candles and their glow, the firewood and its
// embers, and the flame tongues of the animated fire.
#include <cmath>

#include "model_texture_parts.h"
#include "procedural_noise.h"

namespace content {

RgbaImage DrawCandleWax() {
  constexpr int kSize = 128;
  const Rgb ivory = FromHex(0xefe4c8), drip = FromHex(0xf8f0dc);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      // Runs of melted wax from the rim: each eight-texel strip has its own length.
      const int strip = x / 8;
      const float length = 0.15f + 0.5f * HashUnit(strip, 0, 0xca1du);
      const float across = std::fabs((x % 8) + 0.5f - 4.0f) / 4.0f;
      const float run = (v < length && across < 0.7f * (1.0f - v / length * 0.5f)) ? 1.0f : 0.0f;
      const float cloud = TilingFbm(u, v, 4, 4, 3, 0xca1eu);
      Rgb c = ivory * (0.94f + 0.06f * cloud);
      c = Mix(c, drip, 0.3f * run);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawCandleWaxGlow() {
  constexpr int kSize = 128;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      // The flame lights the wax from inside just under the rim.
      const float glow = std::exp(-(y + 0.5f) / 14.0f);
      const Rgb c = Mix(FromHex(0xc84a10), FromHex(0xffd070), glow) * glow;
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawFirewood() {
  constexpr int kSize = 256, kBarkWidth = 192;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const bool birch = y < kSize / 2;
      Rgb c;
      if (x < kBarkWidth) {
        const float bu = (x + 0.5f) / kBarkWidth;
        if (birch) {
          // Papery white bark with dark horizontal lenticels along the log.
          const float mark = TilingRidges(bu, v * 2.0f, 3, 12, 2, 0xf1a1u);
          const float blotch = TilingFbm(bu, v, 4, 4, 3, 0xf1a2u);
          c = FromHex(0xd8d2c4) * (0.88f + 0.1f * blotch);
          c = Mix(FromHex(0x2a2420), c, SmoothStep(0.02f, 0.12f, mark));
        } else {
          // Oak: deep furrows running along the log.
          const float furrow = TilingRidges(bu, v * 2.0f, 2, 10, 3, 0xf1a3u);
          c = Mix(FromHex(0x1e140c), FromHex(0x6a4e36), SmoothStep(0.02f, 0.3f, furrow));
        }
      } else {
        // The sawn ends: pale wood with growth rings round the pith.
        const float cx = kBarkWidth + 32.0f, cy = birch ? 64.0f : 192.0f;
        const float r = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
        const float wobble = TilingNoise(u * 16.0f, v * 16.0f, 16, 16, 0xf1a4u);
        const float ring = Fract(r / 4.5f + 0.3f * wobble);
        c = birch ? FromHex(0xe6d4ae) : FromHex(0xc89a62);
        c = c * (0.85f + 0.15f * SmoothStep(0.7f, 0.95f, ring));
        c = Mix(c, FromHex(0x3a2a1c), SmoothStep(27.0f, 31.0f, r));  // the bark rim
      }
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawFirewoodEmbers() {
  constexpr int kSize = 256;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      // Lattice noises over whole cells tile in v, so the scrolling glow never seams.
      const float crack = TilingRidges(u, v, 4, 6, 3, 0xe3b1u);
      const float heat = 0.5f + 0.5f * TilingFbm(u, v, 3, 4, 2, 0xe3b2u);
      const float glow = SmoothStep(0.16f, 0.0f, crack) * (0.4f + 0.6f * heat);
      const Rgb c = Mix(FromHex(0x801000), FromHex(0xffa030), glow * heat) * glow;
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawFireFlames() {
  constexpr int kSize = 256, kTongues = 11;
  RgbaImage image(kSize, kSize);
  // Tongue bases and heights in v; every tongue wraps in v so the sheet
  // scrolls forever without a seam.
  float base[kTongues], height[kTongues], centre[kTongues], width[kTongues];
  Pcg32 rng(0xf12eu);
  for (int i = 0; i < kTongues; ++i) {
    centre[i] = 0.18f + 0.64f * (i + rng.Unit()) / kTongues;
    base[i] = rng.Unit();
    height[i] = rng.Range(0.55f, 0.9f);
    width[i] = rng.Range(0.06f, 0.11f);
  }
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize;
      const float v = 1.0f - (y + 0.5f) / kSize;  // v = 0 is the bottom row
      float heat = 0.0f;
      for (int i = 0; i < kTongues; ++i) {
        const float t = Fract(v - base[i]) / height[i];  // 0 at the base, 1 at the tip
        if (t >= 1.0f) continue;
        const float sway = 0.035f * TilingNoise(i * 3.0f + 0.5f, v * 4.0f, 64, 4, 0xf12fu) * (0.3f + t);
        const float half = width[i] * std::pow(1.0f - t, 0.8f) * (0.6f + 1.6f * std::min(t * 6.0f, 1.0f)) * 0.6f;
        const float d = std::fabs(u - centre[i] - sway) / std::max(half, 1e-4f);
        if (d >= 1.0f) continue;
        heat += (1.0f - d * d) * (1.0f - t) * 1.1f;
      }
      const float flicker = 0.85f + 0.3f * TilingFbm(u, v, 8, 4, 2, 0xf130u);
      heat = Clamp01(heat * flicker);
      // Fade to black towards the sides of the sheet, so no edge shows.
      heat *= SmoothStep(0.0f, 0.12f, u) * SmoothStep(1.0f, 0.88f, u);
      Rgb c = Mix(FromHex(0x000000), FromHex(0xb02004), SmoothStep(0.0f, 0.3f, heat));
      c = Mix(c, FromHex(0xff8a1c), SmoothStep(0.25f, 0.6f, heat));
      c = Mix(c, FromHex(0xfff2b0), SmoothStep(0.6f, 0.95f, heat));
      StorePixel(image, x, y, c, SmoothStep(0.02f, 0.5f, heat));
    }
  return image;
}

}  // namespace content
