// Masonry and plaster: the fireplace bricks, the hearth slabs, the firebox's
// sooty firebrick with its glow, and the ceiling plaster.
#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"

namespace content {

namespace {

// Where a pixel falls in a running-bond wall that tiles across `size`.
struct BondCell {
  int course;
  int brick;      // index along the course, wrapped to the tile
  float inset;    // pixels from the nearest brick edge; negative in the mortar
  int localX, localY;
};

BondCell LocateBrick(int x, int y, int size, int brickWidth, int courseHeight, float mortar,
                     float ragged, uint32_t seed) {
  BondCell cell;
  cell.course = y / courseHeight;
  const int shifted = WrapIndex(x + (cell.course % 2) * (brickWidth / 2), size);
  cell.brick = shifted / brickWidth;
  cell.localX = shifted - cell.brick * brickWidth;
  cell.localY = y - cell.course * courseHeight;
  const int edge = std::min({cell.localX, brickWidth - 1 - cell.localX, cell.localY,
                             courseHeight - 1 - cell.localY});
  const float u = static_cast<float>(x) / size;
  const float v = static_cast<float>(y) / size;
  const float chip = TilingFbm(u, v, 32, 32, 2, seed) * ragged;
  cell.inset = static_cast<float>(edge) + 0.5f - mortar * 0.5f + chip;
  return cell;
}

}  // namespace

RgbaImage DrawBrick() {
  constexpr int kSize = 512;
  const Rgb palette[6] = {FromHex(0x9c4a32), FromHex(0x8a3b29), FromHex(0xa85a3c),
                          FromHex(0x7c3a2c), FromHex(0x93503a), FromHex(0x6e3226)};
  const Rgb mortar = FromHex(0xbab09e);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      const BondCell cell = LocateBrick(x, y, kSize, 128, 64, 8.0f, 2.0f, 0xb41cu);
      const float soot = Clamp01(0.5f + 0.8f * TilingFbm(u, v, 2, 2, 3, 0xb41du));
      Rgb c;
      if (cell.inset < 0.0f) {
        const float grit = TilingNoise(u * 128.0f, v * 128.0f, 128, 128, 0xb41eu);
        c = mortar * (0.92f + 0.06f * grit);
        // Mortar is struck back from the face, so it sits in the bricks' shadow.
        c = c * (0.8f + 0.2f * SmoothStep(-0.5f, -3.0f, cell.inset));
      } else {
        const uint32_t id = HashCell(cell.course, cell.brick, 0xb41fu);
        Rgb base = palette[id % 6];
        base = base * (0.9f + 0.2f * HashUnit(cell.course, cell.brick, 0xb420u));
        const float mottle = TilingFbm(u, v, 16, 16, 3, 0xb421u);
        const float pits = HashUnit(x, y, 0xb422u);
        const float sand = TilingNoise(u * 160.0f, v * 160.0f, 160, 160, 0xb423u);
        c = base * (1.0f + 0.12f * mottle + 0.05f * sand);
        if (pits < 0.04f) c = c * 0.78f;
        // Some bricks were fired hotter at one end and came out darker there.
        if ((id >> 8) % 4 == 0) {
          const float end = static_cast<float>(cell.localX) / 127.0f;
          c = c * (1.0f - 0.3f * SmoothStep(0.5f, 1.0f, ((id >> 12) & 1) ? end : 1.0f - end));
        }
        // Rounded arrises: the top edge catches light, the bottom falls away.
        if (cell.inset < 3.0f) {
          const float k = 1.0f - cell.inset / 3.0f;
          c = c * (cell.localY < 32 ? 1.0f + 0.1f * k : 1.0f - 0.2f * k);
        }
      }
      c = c * (1.0f - 0.32f * soot * soot);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawHearthStone() {
  constexpr int kSize = 256;
  const int joints[2][2] = {{0, 148}, {72, 200}};
  const Rgb stone = FromHex(0xaa9e89);
  const Rgb joint = FromHex(0x6e665a);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    const int row = y / 128;
    const int inRow = y - row * 128;
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      const int a = joints[row][0], b = joints[row][1];
      const int slab = (x >= a && x < b) ? 0 : 1;
      const int fromA = WrapIndex(x - a, kSize), fromB = WrapIndex(x - b, kSize);
      const int toA = WrapIndex(a - 1 - x, kSize), toB = WrapIndex(b - 1 - x, kSize);
      const int edge = std::min({fromA, fromB, toA, toB, inRow, 127 - inRow});
      const float wobble = 1.2f * TilingNoise(u * 32.0f, v * 32.0f, 32, 32, 0x4e01u);
      const float inset = static_cast<float>(edge) - 2.0f + wobble;
      Rgb c;
      if (inset < 0.0f) {
        c = joint * (0.9f + 0.1f * HashUnit(x, y, 0x4e02u));
      } else {
        const float tint = HashUnit(row, slab, 0x4e03u) - 0.5f;
        Rgb base = stone * (0.92f + 0.16f * HashUnit(row, slab, 0x4e04u));
        base = base + Rgb{0.03f, 0.015f, -0.01f} * tint;
        const float mottle = TilingFbm(u, v, 4, 4, 5, 0x4e05u + slab + row * 2);
        const float vein = TilingRidges(u, v, 3, 3, 3, 0x4e06u);
        const float speck = HashUnit(x, y, 0x4e07u);
        c = base * (1.0f + 0.1f * mottle);
        c = c * (1.0f - 0.12f * SmoothStep(0.06f, 0.0f, vein));
        if (speck < 0.05f) c = c * 0.85f;
        if (speck > 0.97f) c = c * 1.1f;
        if (inset < 3.0f) c = c * (0.88f + 0.04f * inset);  // worn arris
      }
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

namespace {

constexpr int kFireboxSize = 256;

BondCell LocateFirebrick(int x, int y) {
  return LocateBrick(x, y, kFireboxSize, 64, 32, 4.0f, 1.0f, 0xf1e0u);
}

}  // namespace

RgbaImage DrawFireboxSoot() {
  const Rgb brick = FromHex(0x2e2420);
  const Rgb clay = FromHex(0x5a4030);
  const Rgb mortar = FromHex(0x3a3430);
  RgbaImage image(kFireboxSize, kFireboxSize);
  for (int y = 0; y < kFireboxSize; ++y) {
    for (int x = 0; x < kFireboxSize; ++x) {
      const float u = static_cast<float>(x) / kFireboxSize;
      const float v = static_cast<float>(y) / kFireboxSize;
      const BondCell cell = LocateFirebrick(x, y);
      const float soot = Clamp01(0.55f + 0.9f * TilingFbm(u, v, 3, 3, 4, 0xf1e1u));
      Rgb c;
      if (cell.inset < 0.0f) {
        c = mortar;
      } else {
        // Less soot where the brick was scrubbed by the flames: a hint of
        // the buff clay beneath.
        const float clean = HashUnit(cell.course, cell.brick, 0xf1e2u);
        c = Mix(brick, clay, 0.35f * clean * (1.0f - soot));
        c = c * (0.9f + 0.15f * TilingNoise(u * 64.0f, v * 64.0f, 64, 64, 0xf1e3u));
      }
      c = c * (1.0f - 0.6f * soot);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawFireboxGlow() {
  const Rgb ember = FromHex(0xff6a1a);
  const Rgb hot = FromHex(0xffb050);
  RgbaImage image(kFireboxSize, kFireboxSize);
  for (int y = 0; y < kFireboxSize; ++y) {
    const float v = static_cast<float>(y) / (kFireboxSize - 1);
    // The fire sits on the hearth: the glow climbs from the bottom rows.
    const float rise = SmoothStep(0.45f, 1.0f, v);
    const float wash = std::pow(v, 6.0f);
    for (int x = 0; x < kFireboxSize; ++x) {
      const float u = static_cast<float>(x) / kFireboxSize;
      const BondCell cell = LocateFirebrick(x, y);
      const float crease = TilingRidges(u, v, 5, 5, 3, 0xf1e4u);
      const float crack = SmoothStep(0.05f, 0.0f, crease);
      const float flicker = 0.6f + 0.4f * TilingNoise(u * 8.0f, v * 8.0f, 8, 8, 0xf1e5u);
      const float joint = cell.inset < 0.0f ? 0.35f : 0.0f;
      const float glow = rise * rise * (crack * flicker + joint);
      Rgb c = ember * (glow * 1.1f) + Mix(ember, hot, wash) * (0.9f * wash);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawPlasterCeiling() {
  constexpr int kSize = 256;
  const Rgb cream = FromHex(0xe9ddc4);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      // Trowel sweeps: warped noise cut into overlapping plateaus whose
      // edges leave faint ridges.
      const float wu = u + 0.08f * TilingFbm(u, v, 3, 3, 2, 0x91a1u);
      const float wv = v + 0.08f * TilingFbm(u, v, 3, 3, 2, 0x91a2u);
      const float sweep = TilingFbm(wu, wv, 4, 4, 3, 0x91a3u);
      const float layer = Fract(sweep * 2.5f + 10.0f);
      const float ridge = SmoothStep(0.86f, 1.0f, layer);
      const float grain = TilingNoise(u * 96.0f, v * 96.0f, 96, 96, 0x91a4u);
      const float shade = 1.0f + 0.04f * sweep - 0.01f * layer + 0.012f * ridge + 0.02f * grain;
      StorePixel(image, x, y, cream * shade);
    }
  }
  return image;
}

}  // namespace content
