// The particle sprites. Every sprite is added to the picture as
// RGB x alpha x particle alpha, so the painters below keep RGB at the full
// colour of the light and shape the sprite in alpha alone; every shape is
// windowed to reach zero alpha a few texels inside the border, so a stretched
// or minified quad never shows its square outline.
#include "sprite_textures.h"

#include <algorithm>
#include <cmath>

#include "model_texture_parts.h"  // SegmentDistance
#include "procedural_noise.h"
#include "texture_paint.h"

namespace content {
namespace {

constexpr int kGlowSize = 64;

// A tree bulb: a small nearly white core inside a wide halo of its colour.
RgbaImage DrawBulbGlow(Rgb colour) {
  RgbaImage image(kGlowSize, kGlowSize);
  const float centre = kGlowSize * 0.5f;
  const Rgb coreTint = Mix(colour, Rgb{1, 1, 1}, 0.8f);
  for (int y = 0; y < kGlowSize; ++y)
    for (int x = 0; x < kGlowSize; ++x) {
      const float r = std::hypot(x + 0.5f - centre, y + 0.5f - centre);
      const float core = std::exp(-(r * r) / (5.5f * 5.5f));
      const float halo = 1.0f / (1.0f + (r * r) / (11.0f * 11.0f));
      // The halo's long tail is cut off smoothly before the border.
      const float window = SmoothStep(29.0f, 14.0f, r);
      const float alpha = Clamp01(core + 0.85f * halo) * window;
      StorePixel(image, x, y, Mix(colour, coreTint, core), alpha);
    }
  return image;
}

// A flame tongue for the streak quads: the image's bottom row is the back of
// the streak (v = 0), the top row its tip.
RgbaImage DrawFlameTongue() {
  constexpr int kWidth = 64, kHeight = 128;
  const Rgb orange = FromHex(0xff6a14), hot = FromHex(0xfff0b4), ember = FromHex(0xff4010);
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const float u = (x + 0.5f) / kWidth;
      const float v = 1.0f - (y + 0.5f) / kHeight;
      const float across = u - 0.5f;
      // The tongue bends more towards its tip, like a flame licking upwards.
      const float sway = 0.07f * TilingNoise(v * 3.0f, 0.5f, 3, 1, 0x5f21u) * v;
      const float halfWidth = 0.03f + 0.33f * std::pow(1.0f - v, 0.7f);
      const float offset = (across - sway) / halfWidth;
      const float profile = std::exp(-1.8f * offset * offset);
      // Tall noise cells give the licks and gaps that make overlapping
      // streaks read as fire rather than as smooth blobs.
      const float licks = TilingFbm(u, v, 5, 3, 3, 0x5f22u);
      const float flicker = Clamp01(0.6f + 1.0f * licks);
      const float fadeIn = SmoothStep(0.02f, 0.2f, v);
      const float taper = SmoothStep(0.99f, 0.55f, v);
      const float sides = SmoothStep(0.48f, 0.3f, std::fabs(across));
      const float heat = profile * flicker * fadeIn * taper * sides;
      Rgb c = Mix(orange, hot, SmoothStep(0.25f, 0.8f, heat) * SmoothStep(0.0f, 0.35f, v));
      c = Mix(c, ember, SmoothStep(0.6f, 0.95f, v) * 0.6f);
      StorePixel(image, x, y, c, Clamp01(1.3f * heat));
    }
  return image;
}

// Signed distance to a teardrop: a circle of radius r1 at the origin joined
// smoothly to one of radius r2 at (0, h).
float UnevenCapsuleDistance(float px, float py, float r1, float r2, float h) {
  px = std::fabs(px);
  const float b = (r1 - r2) / h;
  const float a = std::sqrt(1.0f - b * b);
  const float k = -b * px + a * py;
  if (k < 0.0f) return std::hypot(px, py) - r1;
  if (k > a * h) return std::hypot(px, py - h) - r2;
  return a * px + b * py - r1;
}

// A candle flame, upright as it appears on the camera-facing quad.
RgbaImage DrawCandleFlame() {
  constexpr int kSize = 64;
  constexpr float kBaseHeight = 16.0f, kBaseRadius = 8.0f, kLength = 32.0f;
  const Rgb blue = FromHex(0x5070ff), rim = FromHex(0xff7a1c), body = FromHex(0xffc850),
            core = FromHex(0xfff6dc);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float px = x + 0.5f - kSize * 0.5f;
      const float py = (kSize - (y + 0.5f)) - kBaseHeight;  // up from the base circle's centre
      // Swell the straight sides of the teardrop into the flame's curved flanks.
      const float along = Clamp01(py / kLength);
      const float swell = 1.0f + 0.45f * std::sin(kPi * std::pow(along, 0.8f));
      const float d = UnevenCapsuleDistance(px / swell, py, kBaseRadius, 0.4f, kLength);
      const float inside = SmoothStep(1.2f, -1.5f, d);
      const float inner = SmoothStep(-1.5f, -6.0f, d);
      // The wick's base burns blue; the glow above it is the hottest part.
      const float base = SmoothStep(-2.0f, -7.0f, py) * SmoothStep(-4.5f, 0.0f, d);
      const float hottest = std::exp(-(px * px) / 30.0f - ((py - 8.0f) * (py - 8.0f)) / 120.0f);
      Rgb c = Mix(rim, body, SmoothStep(0.0f, 0.8f, inner));
      c = Mix(c, core, Clamp01(hottest * inner));
      c = Mix(c, blue, base);
      const float r = std::hypot(px, y + 0.5f - kSize * 0.5f);
      const float halo = 0.18f * std::exp(-std::max(d, 0.0f) / 4.0f) * SmoothStep(28.0f, 18.0f, r);
      const float alpha = Clamp01(inside * (0.7f + 0.3f * inner) * (1.0f - 0.45f * base) + halo);
      StorePixel(image, x, y, c, alpha);
    }
  return image;
}

// A puff of steam: round overall, cloudy inside and at its rim.
RgbaImage DrawSteamPuff() {
  constexpr int kSize = 64;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float radius = std::hypot(u - 0.5f, v - 0.5f) * 2.0f;
      const float warp = TilingFbm(u, v, 3, 3, 3, 0x57e1u);
      const float ragged = radius * (1.0f + 0.3f * warp);
      const float cloud = TilingFbm(u, v, 4, 4, 4, 0x57e2u);
      const float shape = SmoothStep(0.85f, 0.1f, ragged) * SmoothStep(0.95f, 0.7f, radius);
      const float alpha = 0.64f * Clamp01(shape * (0.6f + 0.95f * cloud));
      const Rgb c = FromHex(0xe4e8ee) * (0.94f + 0.06f * cloud);
      StorePixel(image, x, y, c, alpha);
    }
  return image;
}

// One frame of the snowflake: six arms with side branches, turned a little
// further each frame, with a glint travelling round the arms.
void DrawSnowflakeFrame(RgbaImage& image, int frame, int frames) {
  constexpr int kFrame = 64;
  constexpr float kArm = 24.0f, kArmHalfWidth = 1.9f, kBranchHalfWidth = 1.4f;
  const float centre = kFrame * 0.5f;
  const float turn = frame * 3.5f * kPi / 180.0f;
  const float glintAngle = turn + frame * kTwoPi / frames + 0.4f;
  const Rgb ice = FromHex(0xe6f0ff);
  // Branches as (position along the arm, length), both in arm lengths.
  const float branches[3][2] = {{0.34f, 0.3f}, {0.6f, 0.22f}, {0.82f, 0.11f}};
  const float spread = 58.0f * kPi / 180.0f;
  for (int y = 0; y < kFrame; ++y)
    for (int x = 0; x < kFrame; ++x) {
      const float px = x + 0.5f - centre, py = y + 0.5f - centre;
      float cover = Clamp01(3.5f + 0.5f - std::hypot(px, py));  // the hub
      for (int arm = 0; arm < 6; ++arm) {
        const float angle = turn + arm * kTwoPi / 6.0f;
        const float dx = std::cos(angle), dy = std::sin(angle);
        cover = std::max(cover, Clamp01(kArmHalfWidth + 0.5f -
                                        SegmentDistance(px, py, 0, 0, kArm * dx, kArm * dy)));
        for (const auto& branch : branches) {
          const float bx = branch[0] * kArm * dx, by = branch[0] * kArm * dy;
          const float length = branch[1] * kArm;
          for (float side : {-1.0f, 1.0f}) {
            const float ex = bx + length * std::cos(angle + side * spread);
            const float ey = by + length * std::sin(angle + side * spread);
            cover = std::max(cover, Clamp01(kBranchHalfWidth + 0.5f - SegmentDistance(px, py, bx, by, ex, ey)));
          }
        }
      }
      const float r = std::hypot(px, py);
      const float facing = std::cos(std::atan2(py, px) - glintAngle);
      const float glint = std::pow(std::max(facing, 0.0f), 4.0f) * SmoothStep(2.0f, 14.0f, r);
      const float brightness = 0.8f + 0.2f * glint;
      // A faint bloom keeps the flake readable when it is only a few pixels big.
      const float bloom = 0.14f * std::exp(-(r * r) / 90.0f) * SmoothStep(29.0f, 20.0f, r);
      const float alpha = Clamp01(cover * brightness + bloom);
      StorePixel(image, frame * kFrame + x, y, Mix(ice, Rgb{1, 1, 1}, glint), alpha);
    }
}

RgbaImage DrawSnowflakeStrip() {
  constexpr int kFrames = 4;
  RgbaImage image(64 * kFrames, 64);
  for (int frame = 0; frame < kFrames; ++frame) DrawSnowflakeFrame(image, frame, kFrames);
  return image;
}

}  // namespace

std::vector<NamedTexture> MakeSpriteTextures() {
  std::vector<NamedTexture> sprites;
  const auto add = [&sprites](const char* name, RgbaImage image) {
    sprites.push_back({name, std::move(image), 32});
  };
  add("fir_redlight.tga", DrawBulbGlow(FromHex(0xff2a18)));
  add("fir_grelight.tga", DrawBulbGlow(FromHex(0x30ff40)));
  add("fir_blulight.tga", DrawBulbGlow(FromHex(0x3a60ff)));
  add("fir_yellight.tga", DrawBulbGlow(FromHex(0xffc840)));
  add("fir_violight.tga", DrawBulbGlow(FromHex(0xb040ff)));
  add("fire2.tga", DrawFlameTongue());
  add("fire.tga", DrawCandleFlame());
  add("tex_prt_steam.tga", DrawSteamPuff());
  add("tex_snowflake.tga", DrawSnowflakeStrip());
  return sprites;
}

}  // namespace content
