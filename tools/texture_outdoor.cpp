// The view through the windows: the pane itself, moonlit snow, the fir line,
// the night sky and the moon.
#include <vector>

#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"

namespace content {

RgbaImage DrawGlass() {
  constexpr int kSize = 128;
  // A dark blue-grey so the night outside stays dark through it; the gleam
  // is only a little lighter than the pane.
  const Rgb tint = FromHex(0x3c4c62);
  const Rgb gleam = FromHex(0x8494aa);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      // Reflections of the room fall as soft diagonal streaks; measured
      // along the diagonal they repeat with the tile.
      const float d = Fract(u + v);
      const float wide = SmoothStep(0.14f, 0.0f, std::fabs(d - 0.3f));
      const float narrow = SmoothStep(0.04f, 0.0f, std::fabs(d - 0.46f));
      const float faint = SmoothStep(0.06f, 0.0f, std::fabs(d - 0.8f)) * 0.5f;
      const float streak = std::max({wide * 0.5f, narrow * 0.7f, faint});
      const float ripple = TilingFbm(u, v, 4, 4, 2, 0x61a5u);
      const Rgb c = Mix(tint, gleam, 0.6f * streak) * (1.0f + 0.03f * ripple);
      const float alpha = (33.0f + 14.0f * streak + 3.0f * ripple) / 255.0f;
      StorePixel(image, x, y, c, alpha);
    }
  }
  return image;
}

RgbaImage DrawSnowGround() {
  constexpr int kSize = 512;
  // Unlit snow under the moon: the texture is all the light it gets.
  const Rgb snow = FromHex(0x4f6088);
  const Rgb shadow = FromHex(0x212d54);
  RgbaImage image(kSize, kSize);
  std::vector<float> drift(kSize * kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x)
      drift[y * kSize + x] = TilingFbm(static_cast<float>(x) / kSize, static_cast<float>(y) / kSize,
                                       2, 2, 5, 0x5a01u, 0.4f);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      // Moonlight rakes low across the drifts from one side.
      const float slopeX = drift[y * kSize + WrapIndex(x + 2, kSize)] - drift[y * kSize + WrapIndex(x - 2, kSize)];
      const float slopeY = drift[WrapIndex(y + 2, kSize) * kSize + x] - drift[WrapIndex(y - 2, kSize) * kSize + x];
      const float lit = Clamp01(0.66f + 16.0f * (0.8f * slopeX + 0.4f * slopeY));
      const float crust = TilingNoise(u * 96.0f, v * 96.0f, 96, 96, 0x5a02u);
      Rgb c = Mix(shadow, snow, lit) * (1.0f + 0.03f * crust);
      // Sparkle: single ice crystals catching the moon.
      const float glint = HashUnit(x, y, 0x5a03u);
      if (glint > 0.9965f) c = Mix(c, FromHex(0xdce6ff), 0.5f + 0.4f * lit);
      else if (glint > 0.99f) c = c * 1.2f;
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

namespace {

struct FirTree {
  float x;       // trunk position, pixels
  float height;  // pixels above the ground line
  float width;   // half-width at the base of the crown
  int tiers;
  uint32_t seed;
};

// Whether a tree's crown or trunk covers (x, y): y counts up from the ground
// line. The crown is a stack of drooping tiers with ragged needle edges.
bool FirCovers(const FirTree& t, float dx, float up) {
  if (up < 0.0f || up > t.height) return false;
  if (up < t.height * 0.08f) return std::fabs(dx) < t.width * 0.09f + 1.5f;
  const float h = (up - t.height * 0.08f) / (t.height * 0.92f);  // 0 at crown foot, 1 at tip
  const float tier = Fract(h * t.tiers);
  const float taper = (1.0f - h) * (0.6f + 0.4f * (1.0f - tier));
  const float ragged = 0.16f * HashUnit(static_cast<int>(up), static_cast<int>(std::fabs(dx) * 0.5f), t.seed);
  float halfWidth = t.width * taper * (0.9f + ragged);
  // The branch tips droop: the edge of each tier bends down at its rim.
  halfWidth *= 1.0f - 0.25f * tier * tier;
  return std::fabs(dx) < halfWidth + 0.6f;
}

}  // namespace

RgbaImage DrawFirSilhouette() {
  constexpr int kWidth = 512;
  constexpr int kHeight = 256;
  constexpr int kGround = 236;  // rows from here down are the ground the firs stand on
  std::vector<FirTree> trees;
  Pcg32 rng(0xf1f5u);
  float x = 0.0f;
  while (x < kWidth - 30.0f) {
    FirTree t;
    t.x = x + rng.Range(0.0f, 12.0f);
    t.height = rng.Range(90.0f, 225.0f);
    t.width = t.height * rng.Range(0.2f, 0.3f);
    t.tiers = 5 + static_cast<int>(rng.Unit() * 4.0f);
    t.seed = rng.Next();
    trees.push_back(t);
    x += rng.Range(26.0f, 58.0f);
  }
  // Deep blue-black needles; the snow on them only catches a little moonlight.
  const Rgb body = FromHex(0x050912);
  const Rgb dusted = FromHex(0x34405e);
  const Rgb groundSnow = FromHex(0x2a3660);
  RgbaImage image(kWidth, kHeight);
  std::vector<uint8_t> cover(kWidth * kHeight, 0);
  for (int y = 0; y < kHeight; ++y) {
    const float ground = static_cast<float>(kGround);
    for (int px = 0; px < kWidth; ++px) {
      bool covered = y >= kGround;
      // The ground line rolls gently, twice per tile.
      const float rise = ground - 3.0f * std::sin(kTwoPi * 2.0f * px / kWidth) - static_cast<float>(y);
      for (const FirTree& t : trees) {
        if (covered) break;
        covered = FirCovers(t, WrappedDelta(static_cast<float>(px), t.x, kWidth), rise);
      }
      if (rise < 0.0f) covered = true;
      cover[y * kWidth + px] = covered ? 1 : 0;
    }
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int px = 0; px < kWidth; ++px) {
      if (!cover[y * kWidth + px]) {
        StorePixel(image, px, y, body, 0.0f);
        continue;
      }
      // Snow settles on what faces the sky: pixels with open air a little
      // above them are lighter.
      int open = 0;
      for (int k = 1; k <= 3 && y - k >= 0; ++k)
        for (int side = -1; side <= 1; ++side)
          open += cover[(y - k) * kWidth + WrapIndex(px + side * k, kWidth)] ? 0 : 1;
      const float u = static_cast<float>(px) / kWidth;
      const float v = static_cast<float>(y) / kHeight;
      const float flecks = TilingNoise(u * 128.0f, v * 64.0f, 128, 64, 0xf1f6u);
      // Only the outermost needles carry snow, and thinly.
      const float dust = Clamp01((static_cast<float>(open) - 2.0f) / 5.0f) * (0.4f + 0.5f * flecks);
      Rgb c = Mix(body, dusted, dust);
      if (y >= kGround - 4) c = Mix(c, groundSnow, 0.75f + 0.2f * flecks);  // the snowy ground
      StorePixel(image, px, y, c, 1.0f);
    }
  }
  return image;
}

RgbaImage DrawNightSky() {
  constexpr int kSize = 512;
  constexpr int kStarCell = 12;
  const Rgb zenith = FromHex(0x050a22);
  const Rgb middle = FromHex(0x142250);
  const Rgb horizon = FromHex(0x5a6682);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    const float v = static_cast<float>(y) / (kSize - 1);
    const Rgb sky = v < 0.6f ? Mix(zenith, middle, SmoothStep(0.0f, 0.6f, v))
                             : Mix(middle, horizon, SmoothStep(0.6f, 1.0f, v) * SmoothStep(0.6f, 1.0f, v) * 0.5f +
                                                        0.5f * SmoothStep(0.6f, 1.0f, v));
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      // A faint veil of high mist, thicker towards the horizon.
      const float mist = TilingFbm(u, v, 4, 4, 4, 0x5c01u);
      Rgb c = sky * (1.0f + (0.05f + 0.1f * v) * mist);
      StorePixel(image, x, y, c);
    }
  }
  // Stars: at most one per cell, placed inside it so none crosses the tile's
  // seam, rarer and dimmer where the mist lies.
  const int cells = (kSize + kStarCell - 1) / kStarCell;
  for (int cy = 0; cy < cells; ++cy) {
    for (int cx = 0; cx < kSize / kStarCell; ++cx) {
      const float chance = HashUnit(cx, cy, 0x5c02u);
      const int sy = cy * kStarCell + 1 + static_cast<int>(HashUnit(cx, cy, 0x5c03u) * (kStarCell - 2));
      if (sy >= kSize - 1) continue;
      const float v = static_cast<float>(sy) / kSize;
      if (chance > 0.42f * (1.0f - SmoothStep(0.55f, 0.92f, v))) continue;
      const int sx = cx * kStarCell + 1 + static_cast<int>(HashUnit(cx, cy, 0x5c04u) * (kStarCell - 2));
      float bright = HashUnit(cx, cy, 0x5c05u);
      bright = 0.25f + 0.75f * bright * bright * bright;
      const float hue = HashUnit(cx, cy, 0x5c06u);
      const Rgb tone = hue < 0.3f ? FromHex(0xfff0d8) : hue < 0.6f ? FromHex(0xdce8ff) : FromHex(0xffffff);
      auto add = [&](int px, int py, float amount) {
        const Rgb old = LoadPixel(image, WrapIndex(px, kSize), py);
        StorePixel(image, WrapIndex(px, kSize), py, Mix(old, tone, Clamp01(amount)));
      };
      add(sx, sy, bright);
      if (bright > 0.55f) {
        const float halo = (bright - 0.45f) * 0.7f;
        add(sx + 1, sy, halo);
        add(sx - 1, sy, halo);
        add(sx, sy + 1, halo);
        add(sx, sy - 1, halo);
      }
    }
  }
  return image;
}

RgbaImage DrawMoon() {
  constexpr int kSize = 128;
  constexpr float kRadius = 34.0f;
  constexpr float kHaloEnd = 63.0f;
  const Rgb face = FromHex(0xfbf4de);
  const Rgb maria = FromHex(0xb8b4a6);
  const Rgb glow = FromHex(0xd8e0ee);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float dx = x + 0.5f - kSize * 0.5f;
      const float dy = y + 0.5f - kSize * 0.5f;
      const float r = std::sqrt(dx * dx + dy * dy);
      const float disc = Clamp01(kRadius + 0.5f - r);
      // The glow falls off softly and reaches nothing before the edge.
      const float fall = Clamp01((kHaloEnd - r) / (kHaloEnd - kRadius));
      const float halo = 0.55f * fall * fall * fall;
      const float u = (dx / kRadius) * 0.5f + 0.5f;
      const float v = (dy / kRadius) * 0.5f + 0.5f;
      const float seas = TilingFbm(u * 0.5f, v * 0.5f, 4, 4, 4, 0x3001u);
      const float dark = SmoothStep(0.05f, 0.3f, seas) * 0.4f;
      const float limb = std::sqrt(std::max(0.0f, 1.0f - (r / kRadius) * (r / kRadius)));
      Rgb surface = Mix(face, maria, dark) * (0.86f + 0.14f * limb);
      const Rgb c = Mix(glow, surface, disc);
      const float alpha = std::max(disc, halo);
      StorePixel(image, x, y, alpha > 0.002f ? c : glow, alpha > 0.002f ? alpha : 0.0f);
    }
  }
  return image;
}

}  // namespace content
