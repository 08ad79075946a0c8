// The fir and what hangs on it: needles, bark, baubles, the star, candy,
// tinsel and the light chain, plus the reflection map of the shiny things.
#include <cmath>
#include <vector>

#include "model_texture_parts.h"
#include "procedural_noise.h"

namespace content {

namespace {

float Gauss(float d2, float radius) { return std::exp(-d2 / (radius * radius)); }

}  // namespace

RgbaImage DrawFirNeedles() {
  constexpr int kSize = 256;
  const Rgb shadow = FromHex(0x0c2412);
  StrokeCanvas canvas(kSize, kSize, shadow);
  const Rgb greens[] = {FromHex(0x1a4522), FromHex(0x255c2c), FromHex(0x356f34), FromHex(0x4a8240)};
  Pcg32 rng(0xf1e7u);
  // Needles hang off the branch towards the bottom rows; the deeper the
  // row, the fewer start there, so the tier's edge frays into loose tips.
  for (int n = 0; n < 3400; ++n) {
    const float y0 = -12.0f + 230.0f * std::pow(rng.Unit(), 0.8f);
    const float x0 = rng.Range(0.0f, kSize);
    const float angle = kPi * 0.5f + rng.Range(-0.75f, 0.75f);
    const float length = rng.Range(11.0f, 22.0f);
    const Rgb base = greens[rng.Next() % 4] * rng.Range(0.8f, 1.1f);
    const Rgb tip = Mix(base, FromHex(0x8ab860), rng.Range(0.15f, 0.45f));
    canvas.Stroke(x0, y0, x0 + std::cos(angle) * length, y0 + std::sin(angle) * length, rng.Range(0.9f, 1.4f),
                  base * 0.7f, tip, true);
  }
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const size_t i = static_cast<size_t>(y) * kSize + x;
      // Where the branch is dense the needles close up into a solid mass.
      const float edge = 120.0f + 26.0f * TilingFbm(x / 256.0f, 0.5f, 8, 2, 3, 0xf1e8u);
      const bool solid = y < edge || canvas.cover[i] > 0.5f;
      const float depth = 0.85f + 0.15f * TilingFbm(x / 256.0f, y / 256.0f, 8, 8, 2, 0xf1e9u);
      StorePixel(image, x, y, canvas.colour[i] * depth, solid ? 1.0f : 0.0f);
    }
  BleedVisibleColour(image, true);
  return image;
}

RgbaImage DrawFirTrunk() {
  constexpr int kSize = 128;
  const Rgb bark = FromHex(0x5e412a), crevice = FromHex(0x1e130b), light = FromHex(0x8a6a4a);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      // Fissures run up the trunk between scaly plates.
      const float fissure = TilingRidges(u, v, 8, 3, 3, 0xb4a1u);
      const float plate = TilingFbm(u, v, 6, 12, 3, 0xb4a2u);
      const float grain = TilingNoise(u * 64.0f, v * 16.0f, 64, 16, 0xb4a3u);
      Rgb c = Mix(bark, light, Clamp01(0.3f + 0.4f * plate));
      c = Mix(crevice, c, SmoothStep(0.03f, 0.22f, fissure));
      c = c * (0.92f + 0.1f * grain);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawBaubles() {
  constexpr int kSize = 256, kBand = 64;
  const Rgb bands[4] = {FromHex(0x9a0c18), FromHex(0xc8952a), FromHex(0x1a3898), FromHex(0xb4b8c2)};
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    const int band = y / kBand;
    // The band spans a sphere pole to pole; latitude shades it like a ball.
    const float vb = ((y % kBand) + 0.5f) / kBand;
    const float latitude = (vb - 0.5f) * kPi;
    const float rim = std::pow(std::cos(latitude), 0.7f);
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize;
      const float du = WrappedDelta(u, 0.3f, 1.0f), dv = vb - 0.33f;
      const float spot = Gauss(du * du * 9.0f + dv * dv, 0.09f);
      const float glow = Gauss(du * du * 4.0f + dv * dv, 0.3f);
      const float bounce = Gauss(WrappedDelta(u, 0.8f, 1.0f) * WrappedDelta(u, 0.8f, 1.0f) * 4.0f +
                                     (vb - 0.75f) * (vb - 0.75f), 0.18f);
      const float grain = TilingNoise(u * 32.0f, vb * 8.0f, 32, 8, 0xba01u + band);
      Rgb c = bands[band] * (0.25f + 0.75f * rim) * (1.0f + 0.35f * glow + 0.03f * grain);
      c = c + FromHex(0xffcf8a) * (0.25f * bounce * rim);
      c = Mix(c, Rgb{1.0f, 0.97f, 0.9f}, Clamp01(spot * 1.1f));
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawEnvSphere() {
  constexpr int kSize = 128;
  const Rgb room = FromHex(0x1e120a), amber = FromHex(0xffa04a), window = FromHex(0xdde6ff);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float nx = (x + 0.5f) / 64.0f - 1.0f, ny = (y + 0.5f) / 64.0f - 1.0f;
      const float r2 = nx * nx + ny * ny;
      const float swirl = TilingFbm((x + 0.5f) / kSize, (y + 0.5f) / kSize, 4, 4, 3, 0xe501u);
      Rgb c = room * (0.8f + 0.3f * swirl);
      // The fire below, lamps and candle glints around, the window up-left.
      c = c + amber * (0.55f * Gauss((nx - 0.1f) * (nx - 0.1f) + (ny - 0.75f) * (ny - 0.75f), 0.45f));
      c = c + amber * (0.45f * Gauss((nx - 0.5f) * (nx - 0.5f) + (ny + 0.1f) * (ny + 0.1f), 0.18f));
      c = c + amber * (0.3f * Gauss((nx + 0.6f) * (nx + 0.6f) + (ny - 0.3f) * (ny - 0.3f), 0.12f));
      const float wx = std::fabs(nx + 0.35f), wy = std::fabs(ny + 0.42f);
      float pane = SmoothStep(0.2f, 0.16f, wx) * SmoothStep(0.26f, 0.21f, wy);
      pane *= 1.0f - 0.7f * SmoothStep(0.025f, 0.01f, wx) - 0.7f * SmoothStep(0.025f, 0.01f, wy) * (wx < 0.2f);
      c = Mix(c, window, Clamp01(pane) * 0.9f);
      // The rim of a sphere map looks behind the object: darker, softer.
      c = c * (1.0f - 0.45f * SmoothStep(0.6f, 1.0f, r2));
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawStarGold() {
  constexpr int kSize = 128;
  const Rgb gold = FromHex(0xd8a02a), deep = FromHex(0x8a5a12), bright = FromHex(0xfff4c0);
  RgbaImage image(kSize, kSize);
  Pcg32 rng(0x57a1u);
  float sparkles[16][3];
  for (auto& s : sparkles) {
    s[0] = rng.Range(0.0f, kSize);
    s[1] = rng.Range(0.0f, kSize);
    s[2] = rng.Range(0.5f, 1.0f);
  }
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float hammer = TilingFbm(u, v, 8, 8, 3, 0x57a2u);
      Rgb c = Mix(deep, gold, Clamp01(0.65f + 0.5f * hammer));
      float glint = 0.0f;
      for (const auto& s : sparkles) {
        const float dx = std::fabs(WrappedDelta(x + 0.5f, s[0], kSize));
        const float dy = std::fabs(WrappedDelta(y + 0.5f, s[1], kSize));
        const float core = std::exp(-(dx * dx + dy * dy) / 3.0f);
        const float rays = std::exp(-dx * 0.35f) * std::exp(-dy * dy) + std::exp(-dy * 0.35f) * std::exp(-dx * dx);
        glint += s[2] * (core + 0.6f * rays);
      }
      c = Mix(c, bright, Clamp01(glint));
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawLollipop() {
  constexpr int kSize = 128, kSamples = 4;
  const Rgb red = FromHex(0xc8141e), white = FromHex(0xf6efe6);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      float redShare = 0.0f;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const float px = x + (sx + 0.5f) / kSamples, py = y + (sy + 0.5f) / kSamples;
          // Three stripe pairs along the diagonal: a whole number per tile.
          if (Fract((px + py) / kSize * 3.0f) < 0.5f) redShare += 1.0f;
        }
      redShare /= kSamples * kSamples;
      const float sugar = TilingNoise(x / 8.0f, y / 8.0f, 16, 16, 0x1011u);
      Rgb c = Mix(white, red, redShare) * (0.95f + 0.05f * sugar);
      StorePixel(image, x, y, c);
    }
  return image;
}

RgbaImage DrawTinsel() {
  constexpr int kWidth = 256, kHeight = 64;
  StrokeCanvas canvas(kWidth, kHeight, FromHex(0xb07a18));
  Pcg32 rng(0x7153u);
  const Rgb shades[] = {FromHex(0x8a5a10), FromHex(0xc8901e), FromHex(0xe8b83a), FromHex(0xfff0a0)};
  for (int n = 0; n < 1300; ++n) {
    const float x0 = rng.Range(0.0f, kWidth);
    const float y0 = 32.0f + 2.0f * std::sin(x0 / kWidth * kTwoPi * 8.0f) + rng.Range(-1.5f, 1.5f);
    const float angle = rng.Range(0.0f, kTwoPi);
    const float length = rng.Range(8.0f, 27.0f);
    const Rgb root = shades[rng.Next() % 4];
    const Rgb tip = shades[rng.Next() % 4];
    canvas.Stroke(x0, y0, x0 + std::cos(angle) * length, y0 + std::sin(angle) * length, rng.Range(0.7f, 1.0f),
                  root, tip, true);
  }
  for (int x = 0; x < kWidth; ++x)  // the twisted cord the strands hang from
    for (int k = 0; k < 2; ++k) {
      const float y = 32.0f + 2.0f * std::sin((x / static_cast<float>(kWidth) * 8.0f + 0.5f * k) * kTwoPi);
      canvas.Stroke(x, y, x + 1.0f, y, 1.8f, FromHex(0xa06a14), FromHex(0xd8a030), true);
    }
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const size_t i = static_cast<size_t>(y) * kWidth + x;
      StorePixel(image, x, y, canvas.colour[i], canvas.cover[i] > 0.5f ? 1.0f : 0.0f);
    }
  BleedVisibleColour(image, true);
  return image;
}

RgbaImage DrawLightChain() {
  constexpr int kWidth = 256, kHeight = 64, kSpacing = 32;
  const Rgb wire = FromHex(0x1c3a1e);
  const Rgb bulbs[4] = {FromHex(0xfff2c8), FromHex(0xe42c2c), FromHex(0x34c848), FromHex(0xffc236)};
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      float cover = 0.0f;
      Rgb c = wire;
      // Two strands twisted round each other.
      for (int k = 0; k < 2; ++k) {
        const float phase = px / 16.0f * kTwoPi + kPi * k;
        const float strand = std::fabs(py - (32.0f + 1.6f * std::sin(phase)));
        const float s = Clamp01(1.6f - strand);
        if (s > cover) {
          cover = s;
          c = wire * (0.8f + 0.5f * std::cos(phase) * 0.5f + 0.3f * (1.0f - strand));
        }
      }
      const int index = static_cast<int>(px / kSpacing);
      const float cx = index * kSpacing + kSpacing * 0.5f;
      const float dx = px - cx;
      // Socket under the wire, then a teardrop bulb.
      if (std::fabs(dx) < 3.0f && py > 32.0f && py < 39.0f) {
        cover = 1.0f;
        c = wire * (1.1f - 0.1f * std::fabs(dx));
      }
      const float by = (py - 46.0f) / 8.0f;
      const float halfWidth = 4.6f * std::sqrt(std::max(0.0f, 1.0f - by * by)) * (1.0f - 0.25f * by);
      if (by > -1.0f && by < 1.0f && std::fabs(dx) < halfWidth + 0.5f) {
        const float edge = Clamp01(halfWidth + 0.5f - std::fabs(dx));
        const Rgb glass = bulbs[index % 4];
        const float hx = dx + 1.5f, hy = py - 43.0f;
        const Rgb lit = Mix(glass * (0.8f + 0.2f * (1.0f - std::fabs(dx) / 5.0f)), Rgb{1, 1, 0.95f},
                            Clamp01(std::exp(-(hx * hx + hy * hy) / 3.0f)));
        c = Mix(c, lit, edge);
        cover = std::max(cover, edge);
      }
      StorePixel(image, x, y, c, cover > 0.5f ? 1.0f : 0.0f);
    }
  // Clear texels take the wire's (or a bulb's) colour beside them.
  BleedVisibleColour(image, true);
  return image;
}

}  // namespace content
