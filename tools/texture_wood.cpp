// Boards: the oak floor, the ceiling beams, the walnut mantel and the skirting.
#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"
#include "wood_grain.h"

namespace content {

RgbaImage DrawFloorOak() {
  constexpr int kSize = 512;
  constexpr int kRows = 4;                     // planks across the texture
  constexpr int kRowHeight = kSize / kRows;
  constexpr int kPlankLength = kSize;          // one butt joint per row and tile
  constexpr int kStagger[kRows] = {0, 328, 136, 440};
  const Rgb gap = FromHex(0x24160c);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    const int row = y / kRowHeight;
    const int inRow = y - row * kRowHeight;
    for (int x = 0; x < kSize; ++x) {
      const int shifted = WrapIndex(x - kStagger[row], kSize);
      const int plank = shifted / kPlankLength;
      const int inPlank = shifted - plank * kPlankLength;
      const uint32_t plankSeed = HashCell(row, plank, 0xf100u);
      WoodLook look;
      const float tint = 0.9f + 0.2f * HashUnit(row, plank, 0xf101u);
      const float warmth = HashUnit(row, plank, 0xf102u) - 0.5f;
      look.light = Rgb{0.72f + 0.05f * warmth, 0.49f, 0.26f - 0.04f * warmth} * tint;
      look.dark = Rgb{0.47f, 0.29f, 0.14f} * tint;
      look.ringsAcross = 7.0f + 6.0f * HashUnit(row, plank, 0xf103u);
      look.warp = 1.5f + 2.0f * HashUnit(row, plank, 0xf104u);
      look.fibreContrast = 0.14f;
      look.seed = plankSeed;
      const float along = static_cast<float>(inPlank) / kPlankLength;
      const float across = static_cast<float>(inRow) / kRowHeight;
      Rgb c = WoodColour(look, along, across, 2, 1);
      // Eased edges catch less light; the gaps themselves are nearly black.
      const int edge = std::min({inRow, kRowHeight - 1 - inRow, inPlank, kPlankLength - 1 - inPlank});
      if (inRow < 2 || inPlank < 2) {
        c = gap;
      } else if (edge < 5) {
        c = c * (0.8f + 0.04f * static_cast<float>(edge));
      }
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawBeamWood() {
  constexpr int kSize = 256;
  WoodLook look{FromHex(0x6e4a2c), FromHex(0x3a2314), 18.0f, 1.2f, 0.3f, 0xbea0u};
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      Rgb c = WoodColour(look, u, v, 1, 2);
      // Old hand-hewn beams: shallow adze scallops along the length.
      const float scallop = TilingNoise(u * 6.0f, v * 2.0f, 6, 2, 0xbea1u);
      c = c * (0.95f + 0.07f * scallop);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawMantelWood() {
  constexpr int kSize = 256;
  WoodLook look{FromHex(0x7c5234), FromHex(0x3e2516), 16.0f, 1.3f, 0.2f, 0x3a17u};
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      Rgb c = WoodColour(look, u, v, 1, 2);
      // French polish: a soft, warm lift that varies slowly over the board.
      const float sheen = 0.5f + 0.5f * TilingFbm(u, v, 1, 2, 2, 0x3a18u);
      c = Mix(c, c * Rgb{1.25f, 1.15f, 1.0f}, 0.35f * sheen);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

namespace {

// Light falling from above onto the skirting's moulded profile, row by row:
// a flat top, a rounded bead, a groove, a cove, then the plain face.
float SkirtingShade(int row) {
  if (row < 3) return 1.3f;
  if (row < 13) {
    const float t = static_cast<float>(row - 3) / 10.0f;
    return 0.75f + 0.6f * std::cos(kPi * (t - 0.2f));
  }
  if (row < 16) return 0.4f;
  if (row < 25) {
    const float t = static_cast<float>(row - 16) / 9.0f;
    return 0.6f + 0.6f * t;
  }
  if (row < 27) return 1.25f;
  if (row < 29) return 0.75f;
  if (row >= 61) return 0.62f;
  return 0.96f;
}

}  // namespace

RgbaImage DrawSkirting() {
  constexpr int kWidth = 256;
  constexpr int kHeight = 64;
  WoodLook look{FromHex(0x6a4427), FromHex(0x3a2314), 7.0f, 0.5f, 0.16f, 0x5c17u};
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    const float shade = SkirtingShade(y);
    for (int x = 0; x < kWidth; ++x) {
      const float u = static_cast<float>(x) / kWidth;
      const float v = static_cast<float>(y) / kHeight;
      Rgb c = WoodColour(look, u, v, 2, 1) * shade;
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

}  // namespace content
