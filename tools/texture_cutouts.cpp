// Cut-outs and lights: the fireguard lattice, the fir garland and the fairy
// light strip. The cut-outs keep alpha strictly 0 or 255 for alpha testing.
#include <vector>

#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"

namespace content {

namespace {

// The nearest metal stroke so far: distance to its centreline against its
// half-width, so the winner can be shaded as a round bar.
struct Stroke {
  float centre = 1e9f;
  float halfWidth = 1.0f;
  void Offer(float distance, float half) {
    if (distance - half < centre - halfWidth) {
      centre = distance;
      halfWidth = half;
    }
  }
  bool Covers() const { return centre < halfWidth; }
};

float BoxOutline(float x, float y, float halfX, float halfY) {
  const float qx = std::fabs(x) - halfX, qy = std::fabs(y) - halfY;
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return std::fabs(outside + std::min(std::max(qx, qy), 0.0f));
}

}  // namespace

RgbaImage DrawFireguard() {
  constexpr int kSize = 256;
  constexpr float kTopRail = 62.0f;
  constexpr float kLowRail = 200.0f;
  const Rgb bronzeDark = FromHex(0x22170c);
  const Rgb bronze = FromHex(0x5e4220);
  const Rgb shine = FromHex(0xd8b070);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      Stroke s;
      s.Offer(BoxOutline(px - 128.0f, py - 128.0f, 121.0f, 121.0f), 6.0f);
      s.Offer(std::fabs(py - kTopRail), 3.5f);
      s.Offer(std::fabs(py - kLowRail), 3.5f);
      for (int k = -3; k <= 3; ++k) {
        const float bar = 128.0f + 32.0f * k;
        s.Offer(std::fabs(px - bar), 2.8f);
        if (k == 3) continue;
        const float mid = bar + 16.0f;
        // Arches between the bars under the top rail, rings and scrolls below.
        if (py < kTopRail) s.Offer(std::fabs(std::hypot(px - mid, py - kTopRail) - 16.0f), 2.4f);
        if (py < kTopRail - 16.0f)
          s.Offer(std::fabs(std::hypot(px - mid, py - (kTopRail - 30.0f)) - 6.0f), 2.0f);
        s.Offer(std::fabs(std::hypot(px - mid, py - 112.0f) - 12.0f), 2.3f);
        s.Offer(std::fabs(std::hypot(px - mid, py - 158.0f) - 12.0f), 2.3f);
        s.Offer(std::hypot(px - mid, py - 135.0f), 3.2f);  // the knot between the rings
        s.Offer(std::fabs(std::hypot(px - mid, py - 228.0f) - 8.0f), 2.2f);
      }
      if (!s.Covers()) {
        StorePixel(image, x, y, bronzeDark, 0.0f);
        continue;
      }
      const float t = s.centre / s.halfWidth;
      const float round = std::sqrt(std::max(0.0f, 1.0f - t * t));
      const float pitting = HashUnit(x, y, 0xf9a1u);
      const float patina = TilingFbm(static_cast<float>(x) / kSize, static_cast<float>(y) / kSize, 6, 6, 3, 0xf9a2u);
      Rgb c = Mix(bronzeDark, bronze, round * (0.85f + 0.2f * patina));
      c = c + shine * (0.7f * std::pow(round, 10.0f));
      if (pitting < 0.08f) c = c * 0.8f;
      StorePixel(image, x, y, c, 1.0f);
    }
  }
  return image;
}

namespace {

void StampSphere(RgbaImage& image, float cx, float cy, float radius, Rgb colour, Rgb highlight) {
  const int r = static_cast<int>(std::ceil(radius));
  for (int dy = -r; dy <= r; ++dy) {
    for (int dx = -r; dx <= r; ++dx) {
      const int x = static_cast<int>(std::floor(cx)) + dx;
      const int y = static_cast<int>(std::floor(cy)) + dy;
      if (y < 0 || y >= image.height) continue;
      const float ox = (x + 0.5f - cx) / radius, oy = (y + 0.5f - cy) / radius;
      const float d2 = ox * ox + oy * oy;
      if (d2 > 1.0f) continue;
      const float nz = std::sqrt(1.0f - d2);
      const float lit = std::max(0.0f, -0.4f * ox - 0.5f * oy + 0.77f * nz);
      Rgb c = colour * (0.35f + 0.75f * lit) + highlight * std::pow(lit, 12.0f);
      StorePixel(image, WrapIndex(x, image.width), y, c, 1.0f);
    }
  }
}

}  // namespace

RgbaImage DrawGarland() {
  constexpr int kWidth = 256;
  constexpr int kHeight = 64;
  const Rgb greens[4] = {FromHex(0x17381c), FromHex(0x22502a), FromHex(0x2e6234), FromHex(0x3c7440)};
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) StorePixel(image, x, y, greens[0], 0.0f);

  Pcg32 rng(0x6a71u);
  auto spine = [](float x) { return 30.0f + 3.0f * std::sin(kTwoPi * x / kWidth); };
  // Back twigs first and darker, front twigs over them and brighter, so the
  // strip has depth.
  for (int layer = 0; layer < 3; ++layer) {
    const int twigs = 44;
    for (int i = 0; i < twigs; ++i) {
      const float tx = (i + rng.Unit()) * kWidth / twigs;
      const float ty = spine(tx) + rng.Range(-11.0f, 11.0f);
      const float twigAngle = rng.Range(-0.6f, 0.6f) + (rng.Unit() < 0.5f ? 0.0f : kPi);
      for (int n = 0; n < 34; ++n) {
        const float along = rng.Range(-9.0f, 9.0f);
        const float bx = tx + along * std::cos(twigAngle);
        const float by = ty + along * std::sin(twigAngle);
        const float angle = rng.Range(0.0f, kTwoPi);
        const float length = rng.Range(6.0f, 14.0f);
        const Rgb base = greens[std::min(3, layer + static_cast<int>(rng.Unit() * 2.0f))];
        const float ca = std::cos(angle), sa = std::sin(angle);
        for (float s = 0.0f; s <= length; s += 0.5f) {
          const int x = static_cast<int>(std::floor(bx + ca * s));
          const int y = static_cast<int>(std::floor(by + sa * s));
          if (y < 0 || y >= kHeight) continue;
          const Rgb c = base * (0.75f + 0.45f * s / length);
          StorePixel(image, WrapIndex(x, kWidth), y, c, 1.0f);
        }
      }
    }
  }
  // Gold beads on swags, four to the tile.
  for (int i = 0; i < 12; ++i) {
    const float x = (i + 0.5f) * kWidth / 12.0f;
    const float y = 34.0f + 9.0f * std::fabs(std::sin(kPi * x / 64.0f));
    StampSphere(image, x, y, 2.6f, FromHex(0xd8a83c), FromHex(0xfff2c0));
  }
  // Clusters of red berries among the needles.
  for (int i = 0; i < 7; ++i) {
    const float cx = (i + 0.3f + 0.4f * rng.Unit()) * kWidth / 7.0f;
    const float cy = spine(cx) + rng.Range(-6.0f, 4.0f);
    for (int b = 0; b < 3; ++b) {
      const float a = kTwoPi * b / 3.0f + rng.Unit();
      StampSphere(image, cx + 3.4f * std::cos(a), cy + 3.4f * std::sin(a), 3.0f, FromHex(0xc0141c),
                  FromHex(0xffd0c8));
    }
  }
  return image;
}

RgbaImage DrawFairyLights() {
  constexpr int kWidth = 256;
  constexpr int kHeight = 64;
  constexpr int kBulbs = 8;
  const Rgb colours[kBulbs] = {FromHex(0xffd9a0), FromHex(0xff3a2a), FromHex(0xffd9a0), FromHex(0x40ff60),
                               FromHex(0xffe2b0), FromHex(0xffb830), FromHex(0xffd9a0), FromHex(0xff3a2a)};
  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      Rgb sum;
      float energy = 0.0f;
      for (int b = 0; b < kBulbs; ++b) {
        const float bx = (b + 0.5f) * kWidth / kBulbs;
        // The wire sags between hooks; the bulbs hang on it.
        const float by = 28.0f + 6.0f * std::fabs(std::sin(kPi * bx / 128.0f));
        const float dx = WrappedDelta(x + 0.5f, bx, kWidth);
        const float dy = y + 0.5f - by;
        const float r = std::sqrt(dx * dx + dy * dy);
        const float core = std::exp(-r * r / (2.0f * 2.6f * 2.6f));
        const float halo = 0.6f * std::exp(-r / 6.0f) * SmoothStep(16.0f, 7.0f, r);
        const float glow = core + halo;
        // Cores burn white-hot; the colour shows in the halo.
        const Rgb tone = Mix(colours[b], Rgb{1.0f, 0.97f, 0.9f}, Clamp01(core * 1.2f));
        sum = sum + tone * glow;
        energy += glow;
      }
      const float alpha = Clamp01(energy);
      if (alpha < 1.0f / 255.0f) {
        StorePixel(image, x, y, Rgb{}, 0.0f);
        continue;
      }
      // The colour fades with the alpha so that filtering between texels
      // never drags a bright colour out into the dark.
      StorePixel(image, x, y, sum * (Clamp01(energy * 1.5f) / energy), alpha);
    }
  }
  return image;
}

}  // namespace content
