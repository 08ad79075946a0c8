// Soft things: the teddy's plush and felt, the stocking's knit, the lamp
// shade's pleats and glow, the armchair's velvet tartan and satin ribbon.
#include <cmath>

#include "model_texture_parts.h"
#include "procedural_noise.h"

namespace content {

namespace {

// Knitted snowflake motif, one row per stitch row, 'X' in white yarn.
const char* const kSnowflakeMotif[7] = {
    "X..X..X", ".X.X.X.", "..XXX..", "XXXXXXX", "..XXX..", ".X.X.X.", "X..X..X",
};

// Yarn colour of one stitch of the stocking: cuff, plain red, and the band.
bool StitchIsWhite(int column, int row) {
  if (row < 8) return true;                          // the cuff
  if (row == 10 || row == 20) return (column % 2) == 0;  // dotted borders
  if (row >= 12 && row <= 18) {
    const int c = column % 8;
    return c < 7 && kSnowflakeMotif[row - 12][c] == 'X';
  }
  return false;
}

// One side of a knit V: an ellipse leaning towards the stitch's centre line.
float KnitLobe(float x, float y, float lean) {
  const float c = std::cos(lean), s = std::sin(lean);
  const float rx = x * c - y * s, ry = x * s + y * c;
  const float d = (rx * rx) / (2.3f * 2.3f) + (ry * ry) / (5.0f * 5.0f);
  return d < 1.0f ? std::sqrt(1.0f - d) : 0.0f;
}

}  // namespace

RgbaImage DrawTeddyFur() {
  constexpr int kSize = 256;
  const Rgb root = FromHex(0x5a3614), honey = FromHex(0xa86e32), tip = FromHex(0xe0aa62);
  StrokeCanvas canvas(kSize, kSize, root * 0.8f);
  Pcg32 rng(0x7edd1u);
  // Tufts lie along a slowly turning flow, so the pile reads as brushed plush.
  for (int n = 0; n < 9000; ++n) {
    const float x = rng.Range(0.0f, kSize), y = rng.Range(-6.0f, kSize + 6.0f);
    const float flow = 1.4f + 0.9f * TilingFbm(x / kSize, Fract(y / kSize), 3, 3, 2, 0x7edd2u);
    const float angle = flow + rng.Range(-0.35f, 0.35f);
    const float length = rng.Range(6.0f, 12.0f);
    const float shade = rng.Range(0.8f, 1.15f);
    canvas.Stroke(x, y, x + std::cos(angle) * length, y + std::sin(angle) * length, rng.Range(0.8f, 1.3f),
                  root * shade, Mix(honey, tip, rng.Unit()) * shade, true);
  }
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float clump = TilingFbm((x + 0.5f) / kSize, (y + 0.5f) / kSize, 8, 8, 2, 0x7edd3u);
      StorePixel(image, x, y, canvas.colour[static_cast<size_t>(y) * kSize + x] * (0.92f + 0.12f * clump));
    }
  // The strokes wrap across but are clipped at the top and bottom; blend
  // the edge rows so the pile tiles in v as well.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float t = 0.5f * (1.0f - y / 8.0f);
      const Rgb top = LoadPixel(image, x, y), bottom = LoadPixel(image, x, kSize - 1 - y);
      StorePixel(image, x, y, Mix(top, bottom, t));
      StorePixel(image, x, kSize - 1 - y, Mix(bottom, top, t));
    }
  return image;
}

RgbaImage DrawTeddyFace() {
  constexpr int kSize = 128;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float felt = TilingFbm(u, v, 16, 16, 3, 0xfe17u);
      const float fibre = HashUnit(x, y, 0xfe18u);
      const Rgb c = FromHex(0xd8b48a) * (0.9f + 0.1f * felt + 0.06f * fibre);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawStockingKnit() {
  constexpr int kSize = 256, kStitch = 8, kStitches = kSize / kStitch;
  const Rgb red = FromHex(0xb0141c), white = FromHex(0xf2ede4), gap = FromHex(0x3a0608);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const int column = static_cast<int>(px / kStitch);
      float best = 0.0f;
      Rgb yarn = gap;
      // Each V hangs a little below its row, over the one beneath.
      for (int k = 0; k < 2; ++k) {
        const int row = static_cast<int>(py / kStitch) - k;
        const float cx = column * kStitch + kStitch * 0.5f;
        const float cy = row * kStitch + kStitch * 0.5f + 1.5f;
        const float lx = px - cx, ly = py - cy;
        const float lobe = std::max(KnitLobe(lx + 2.0f, ly, 0.5f), KnitLobe(lx - 2.0f, ly, -0.5f));
        if (lobe > best) {
          best = lobe;
          const Rgb base = StitchIsWhite(column % kStitches, WrapIndex(row, kStitches)) ? white : red;
          const float fuzz = HashUnit(x, y, 0x5c0cu);
          yarn = base * (0.5f + 0.55f * lobe + 0.08f * fuzz);
        }
      }
      const float cover = SmoothStep(0.0f, 0.25f, best);
      StorePixel(image, x, y, Mix(gap, yarn, cover));
    }
  return image;
}

RgbaImage DrawLampShade() {
  constexpr int kSize = 256, kPleats = 32;
  const Rgb cream = FromHex(0xecdcb8), hem = FromHex(0xb8904a);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float pleat = std::cos(Fract(u * kPleats) * kTwoPi);
      const float weave = TilingNoise(u * 128.0f, v * 4.0f, 128, 4, 0x1a5eu) +
                          TilingNoise(u * 4.0f, v * 128.0f, 4, 128, 0x1a5fu);
      Rgb c = cream * (0.86f + 0.12f * pleat + 0.03f * weave);
      // A braided hem at the top and bottom edges.
      if (y < 6 || y >= kSize - 6) c = hem * (0.8f + 0.2f * std::sin(x * 1.4f + y));
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawLampShadeGlow() {
  constexpr int kSize = 256, kPleats = 32;
  const Rgb warm = FromHex(0xffb05a);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      // The bulb sits low in the shade: brightest towards the bottom rows.
      const float height = 0.2f + 0.65f * std::pow(v, 1.6f);
      const float pleat = 0.9f + 0.1f * std::cos(Fract(u * kPleats) * kTwoPi);
      const float hem = (y < 6 || y >= kSize - 6) ? 0.3f : 1.0f;
      StorePixel(image, x, y, warm * (height * pleat * hem));
    }
  return image;
}

RgbaImage DrawArmchairFabric() {
  constexpr int kSize = 256, kSett = 64;
  const Rgb velvet = FromHex(0x1a4628);
  // One repeat of the tartan's sett along either thread direction.
  auto sett = [&](float p) {
    const float q = std::fmod(p, static_cast<float>(kSett));
    Rgb c = velvet;
    if (q < 18.0f) c = FromHex(0x0f2c1a);
    else if (q > 44.0f && q < 58.0f) c = FromHex(0x24583a);
    if (std::fabs(q - 26.0f) < 1.2f) c = FromHex(0x8a1a1a);
    if (std::fabs(q - 36.0f) < 0.8f) c = FromHex(0x9a8030);
    return c;
  };
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      // Twill: warp and weft alternate on a diagonal.
      const bool warpUp = ((x + y) / 2) % 2 == 0;
      const Rgb tartan = Mix(sett(x + 0.5f), sett(y + 0.5f), warpUp ? 0.35f : 0.65f);
      const float crush = TilingFbm(u, v, 6, 6, 3, 0xa4c1u);
      const float pile = HashUnit(x, y, 0xa4c2u);
      const Rgb c = Mix(velvet, tartan, 0.55f) * (0.88f + 0.22f * crush + 0.06f * pile);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawRibbon() {
  constexpr int kSize = 64;
  const Rgb satin = FromHex(0xe4c67c);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      // The sheen runs along the ribbon: it changes only across it.
      const float sheen = std::exp(-std::pow((v - 0.38f) / 0.14f, 2.0f));
      const float edges = SmoothStep(0.0f, 0.08f, v) * SmoothStep(1.0f, 0.92f, v);
      const float threads = 0.04f * std::sin(y * kPi) + 0.02f * TilingNoise(u * 2.0f, v * 32.0f, 2, 32, 0x41b0u);
      Rgb c = satin * (0.62f + 0.2f * edges + threads) + Rgb{1.0f, 0.97f, 0.88f} * (0.35f * sheen);
      if (y < 2 || y >= kSize - 2) c = satin * 0.55f;  // woven selvedges
      StorePixel(image, x, y, c);
    }
  return image;
}

}  // namespace content
