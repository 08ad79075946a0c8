// Wrapping papers for the presents: red with white stars, green with gold
// dots, blue with silver snowflakes and gold with red stripes. Every motif
// sits on a lattice that divides the texture, so each paper tiles.
#include <cmath>

#include "model_texture_parts.h"
#include "procedural_noise.h"

namespace content {

namespace {

constexpr int kSize = 256;

// The offset from a texel to the nearest motif centre on a staggered
// lattice (every other row shifted by half a cell), wrapping at the edges.
struct Nearest {
  float dx = 0, dy = 0;
  int id = 0;
};

Nearest NearestMotif(float px, float py, float cell, float rowHeight) {
  Nearest best;
  float bestD = 1e9f;
  const int rows = static_cast<int>(kSize / rowHeight);
  const int row0 = static_cast<int>(std::floor(py / rowHeight));
  for (int r = row0 - 1; r <= row0 + 1; ++r) {
    const float cy = r * rowHeight + rowHeight * 0.5f;
    const float shift = (WrapIndex(r, rows) % 2) ? cell * 0.5f : 0.0f;
    const int c0 = static_cast<int>(std::floor((px - shift) / cell));
    for (int c = c0 - 1; c <= c0 + 1; ++c) {
      const float cx = c * cell + cell * 0.5f + shift;
      const float dx = WrappedDelta(px, cx, kSize), dy = WrappedDelta(py, cy, kSize);
      const float d = dx * dx + dy * dy;
      if (d < bestD) {
        bestD = d;
        best = {dx, dy, WrapIndex(r, rows) * 64 + WrapIndex(c, static_cast<int>(kSize / cell))};
      }
    }
  }
  return best;
}

// Fibres and a faint print mottle, so the paper is not a flat colour.
float PaperTone(int x, int y, uint32_t seed) {
  return 0.95f + 0.04f * TilingFbm((x + 0.5f) / kSize, (y + 0.5f) / kSize, 8, 8, 2, seed) +
         0.02f * HashUnit(x, y, seed + 1u);
}

// Fraction of a texel inside a shape, from 4 x 4 samples.
template <typename Inside>
float Coverage(int x, int y, Inside inside) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx)
      if (inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
  return hits / 16.0f;
}

bool InsideStar(float dx, float dy, float radius, float turn) {
  const float r = std::hypot(dx, dy);
  if (r > radius) return false;
  // A five-pointed star: the boundary radius swings between the tips and
  // the notches, straight-edged between them.
  const float sector = kTwoPi / 5.0f;
  float a = std::atan2(dx, -dy) + turn;
  a = std::fabs(a - sector * std::round(a / sector));
  const float inner = radius * 0.42f;
  // Edge from the tip (angle 0, radius) to the notch (half a sector, inner).
  const float tipX = 0.0f, tipY = radius;
  const float notchX = inner * std::sin(sector * 0.5f), notchY = inner * std::cos(sector * 0.5f);
  const float qx = r * std::sin(a), qy = r * std::cos(a);
  const float cross = (notchX - tipX) * (qy - tipY) - (notchY - tipY) * (qx - tipX);
  return cross <= 0.0f;
}

}  // namespace

RgbaImage DrawPresentRed() {
  const Rgb paper = FromHex(0xa8121c), star = FromHex(0xf6f0e6);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float cover = Coverage(x, y, [](float px, float py) {
        const Nearest n = NearestMotif(px, py, 64.0f, 32.0f);
        const bool small = n.id % 3 == 1;
        return InsideStar(n.dx, n.dy, small ? 8.0f : 13.0f, (HashInt(n.id) % 100) * 0.01f);
      });
      StorePixel(image, x, y, Mix(paper, star, cover) * PaperTone(x, y, 0x9e01u));
    }
  return image;
}

RgbaImage DrawPresentGreen() {
  const Rgb paper = FromHex(0x135a2c), gold = FromHex(0xe0b240), shine = FromHex(0xfff0b0);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Nearest n = NearestMotif(x + 0.5f, y + 0.5f, 32.0f, 16.0f);
      const float d = std::hypot(n.dx, n.dy);
      const float cover = Clamp01(5.5f - d);
      const Rgb dot = Mix(gold, shine, Clamp01(1.0f - std::hypot(n.dx + 1.8f, n.dy + 1.8f) / 3.0f));
      StorePixel(image, x, y, Mix(paper, dot, cover) * PaperTone(x, y, 0x9e02u));
    }
  return image;
}

RgbaImage DrawPresentBlue() {
  const Rgb paper = FromHex(0x183a8a), silver = FromHex(0xdfe4ec);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Nearest n = NearestMotif(x + 0.5f, y + 0.5f, 64.0f, 32.0f);
      const float radius = n.id % 2 ? 11.0f : 15.0f;
      // Fold the texel into one twelfth of the flake: six arms, mirrored.
      const float r = std::hypot(n.dx, n.dy);
      const float sector = kTwoPi / 6.0f;
      float a = std::atan2(n.dx, -n.dy);
      a = std::fabs(a - sector * std::round(a / sector));
      const float qx = r * std::sin(a), qy = r * std::cos(a);
      float d = SegmentDistance(qx, qy, 0, 0, 0, radius);
      for (float along : {0.45f, 0.72f}) {
        const float bx = radius * (0.55f - along * 0.3f);
        d = std::min(d, SegmentDistance(qx, qy, 0, radius * along, bx * 0.5f, radius * along + bx * 0.87f));
      }
      d = std::min(d, std::fabs(r - radius * 0.18f));
      const float cover = Clamp01(1.3f - d);
      StorePixel(image, x, y, Mix(paper, silver, cover) * PaperTone(x, y, 0x9e03u));
    }
  return image;
}

RgbaImage DrawPresentGold() {
  const Rgb gold = FromHex(0xd6a53a), red = FromHex(0xa8141c), cream = FromHex(0xfff2cc);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      // Four stripe repeats along the diagonal per tile, each a broad red
      // band with a fine cream pinstripe beside it.
      const float redShare = Coverage(x, y, [](float px, float py) {
        return Fract((px + py) / kSize * 4.0f) < 0.28f;
      });
      const float pinShare = Coverage(x, y, [](float px, float py) {
        const float s = Fract((px + py) / kSize * 4.0f);
        return s > 0.36f && s < 0.39f;
      });
      Rgb c = Mix(gold, red, redShare);
      c = Mix(c, cream, pinShare);
      const float foil = TilingNoise((x + 0.5f) / 8.0f, (y + 0.5f) / 8.0f, 32, 32, 0x9e04u);
      StorePixel(image, x, y, c * (PaperTone(x, y, 0x9e05u) + 0.05f * foil));
    }
  return image;
}

}  // namespace content
