// Paper and cloth: the festive wallpaper, the oriental rug and the velvet
// curtains.
#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"

namespace content {

namespace {

// Signed distance to an n-pointed star of outer radius r; m (2..n) sets how
// deep the points are cut. Negative inside.
float StarDistance(float px, float py, float r, int n, float m) {
  const float an = kPi / static_cast<float>(n);
  const float en = kPi / m;
  const float acsX = std::cos(an), acsY = std::sin(an);
  const float ecsX = std::cos(en), ecsY = std::sin(en);
  float bn = std::fmod(std::atan2(px, py) + kTwoPi * 2.0f, 2.0f * an) - an;
  const float len = std::sqrt(px * px + py * py);
  float qx = len * std::cos(bn) - r * acsX;
  float qy = len * std::fabs(std::sin(bn)) - r * acsY;
  const float t = std::clamp(-(qx * ecsX + qy * ecsY), 0.0f, r * acsY / ecsY);
  qx += ecsX * t;
  qy += ecsY * t;
  const float d = std::sqrt(qx * qx + qy * qy);
  return qx < 0.0f ? -d : d;
}

// Coverage of a shape from its signed distance, with a one-pixel soft edge.
float Cover(float distance) { return Clamp01(0.5f - distance); }

}  // namespace

RgbaImage DrawWallpaper() {
  constexpr int kSize = 512;
  constexpr float kCell = 128.0f;      // lattice repeat across
  constexpr float kRepeat = 256.0f;    // lattice repeat down
  constexpr float kSwing = 0.42f;      // how far the ogee curves bow
  const Rgb ground = FromHex(0x8e2027);
  const Rgb gold = FromHex(0xd2ab58);
  const Rgb cream = FromHex(0xeadbb4);
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      const float cx = (x + 0.5f) / kCell;
      const float cy = (y + 0.5f) / kRepeat;
      const float bow = kSwing * std::sin(kTwoPi * cy);
      const float slope = kSwing * kTwoPi * std::cos(kTwoPi * cy) * kCell / kRepeat;
      const float sA = cx - bow, sB = cx + bow;
      const float norm = kCell / std::sqrt(1.0f + slope * slope);
      const float dA = std::fabs(sA - std::round(sA)) * norm;
      const float dB = std::fabs(sB - std::round(sB)) * norm;
      const bool ogee = std::floor(sA) != std::floor(sB);

      // Damask ground: the ogee cells carry a faint woven sheen.
      Rgb c = ground;
      if (ogee) c = c * (1.05f + 0.025f * std::sin(kTwoPi * x / 4.0f));

      // Motifs sit at cell centres: a star in each ogee, a small cross of
      // dots between them, a bead where the curves cross.
      const float ox = cx - std::floor(cx), oy = cy * 2.0f - std::floor(cy * 2.0f);
      float mx, my;
      if (ogee) {
        mx = (ox - (ox > 0.5f ? 1.0f : 0.0f)) * kCell;
        my = (oy - 0.5f) * kRepeat * 0.5f;
      } else {
        mx = (ox - 0.5f) * kCell;
        my = (oy - (oy > 0.5f ? 1.0f : 0.0f)) * kRepeat * 0.5f;
      }
      if (ogee) {
        const float star = StarDistance(mx, -my, 21.0f, 8, 3.2f);
        c = Mix(c, gold, Cover(star));
        c = Mix(c, cream, Cover(StarDistance(mx, -my, 9.0f, 8, 3.0f)));
      } else {
        const float small = StarDistance(mx, -my, 10.0f, 4, 2.4f);
        c = Mix(c, gold, Cover(small));
        for (int i = 0; i < 4; ++i) {
          const float ax = (i == 0 ? 1.f : i == 1 ? -1.f : 0.f) * 18.0f;
          const float ay = (i == 2 ? 1.f : i == 3 ? -1.f : 0.f) * 26.0f;
          const float d = std::sqrt((mx - ax) * (mx - ax) + (my - ay) * (my - ay)) - 3.0f;
          c = Mix(c, cream, Cover(d));
        }
      }
      const float line = std::min(dA, dB) - 1.4f;
      c = Mix(c, gold, Cover(line) * 0.9f);
      // Beads where the curves cross.
      const float bx = (cx - std::round(cx)) * kCell;
      const float by = (cy * 2.0f - std::round(cy * 2.0f)) * kRepeat * 0.5f;
      c = Mix(c, cream, Cover(std::sqrt(bx * bx + by * by) - 4.5f));

      // Age: uneven fading and yellowing, fine paper grain, slightly
      // patchy printing of the metallic ink.
      const float fade = TilingFbm(u, v, 3, 3, 3, 0x3a11u);
      const float grain = TilingNoise(u * 170.0f, v * 170.0f, 170, 170, 0x3a12u);
      const float fibre = TilingNoise(u * 16.0f, v * 256.0f, 16, 256, 0x3a13u);
      c = c * (0.97f + 0.05f * fade + 0.025f * grain + 0.015f * fibre);
      c = Mix(c, FromHex(0xb89860), 0.05f + 0.04f * fade);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

namespace {

struct RugPalette {
  Rgb field = FromHex(0x8e1c1c);
  Rgb darkRed = FromHex(0x5a1212);
  Rgb green = FromHex(0x1f4c36);
  Rgb gold = FromHex(0xc99a3c);
  Rgb cream = FromHex(0xe2d2aa);
  Rgb navy = FromHex(0x1e2c4c);
};

// The medallion's lobed lozenge distance: part diamond, part circle, with
// eight soft lobes. Grows like a radius in pixels.
float LobedDistance(float x, float y) {
  const float q = std::sqrt(x * x + y * y);
  const float lobes = 1.0f + 0.08f * std::cos(8.0f * std::atan2(y, x));
  return (0.55f * (std::fabs(x) + std::fabs(y)) * 0.8f + 0.45f * q) / lobes;
}

Rgb RugMedallion(const RugPalette& p, float x, float y, Rgb field) {
  const float md = LobedDistance(x, y);
  const float angle = std::atan2(y, x);
  if (StarDistance(x, y, 20.0f, 8, 3.0f) < 0.0f) return p.gold;
  if (md < 24.0f) return p.cream;
  if (md < 42.0f) return (std::cos(16.0f * angle) > 0.6f) ? p.cream : p.navy;
  if (md < 46.0f) return p.gold;
  if (md < 82.0f) {
    const float petal = std::cos(8.0f * angle) * 0.5f + 0.5f;
    const float band = (md - 46.0f) / 36.0f;
    return std::fabs(band - 0.5f) < 0.3f * petal ? p.gold : p.darkRed;
  }
  if (md < 87.0f) return p.cream;
  if (md < 92.0f) return p.gold;
  if (md < 118.0f) {
    const float spot = std::cos(24.0f * angle);
    return (spot > 0.7f && std::fabs(md - 105.0f) < 5.0f) ? p.field : p.green;
  }
  if (md < 123.0f) return p.gold;
  return field;
}

Rgb RugDesign(const RugPalette& p, int px, int py) {
  const int size = 512;
  const int e = std::min({px, py, size - 1 - px, size - 1 - py});
  if (e < 6) return p.darkRed;
  if (e < 9) return p.gold;
  if (e < 46) {
    const bool horizontalEdge = std::min(py, size - 1 - py) <= std::min(px, size - 1 - px);
    const float s = static_cast<float>(horizontalEdge ? px : py) - 255.5f;
    const float t = static_cast<float>(e) - 27.5f;
    const float m = (Fract(s / 40.0f + 0.5f) - 0.5f) * 40.0f;
    const float diamond = std::fabs(m) + std::fabs(t);
    if (diamond < 4.0f) return p.cream;
    if (diamond < 10.0f) return p.field;
    if (diamond < 14.0f) return p.gold;
    // A thin vine joins the diamonds along the border.
    if (std::fabs(t - 6.0f * std::sin(kTwoPi * s / 40.0f)) < 1.5f) return p.cream;
    return p.green;
  }
  if (e < 50) return p.gold;
  if (e < 60) {
    const int along = std::min(py, size - 1 - py) <= std::min(px, size - 1 - px) ? px : py;
    const float d = std::hypot(static_cast<float>(along % 10) - 4.5f, static_cast<float>(e) - 54.5f);
    return d < 2.3f ? p.cream : p.darkRed;
  }
  if (e < 64) return p.green;

  // The field: a quiet lattice of small diamonds, corner spandrels, and the
  // medallion with a pendant above and below.
  Rgb field = p.field;
  const float lx = std::fabs(Fract((px - 255.5f) / 32.0f) - 0.5f) * 32.0f;
  const float ly = std::fabs(Fract((py - 255.5f) / 32.0f) - 0.5f) * 32.0f;
  if (lx + ly < 5.0f) field = (lx + ly < 2.0f) ? p.gold : p.darkRed;
  const float cx = std::min(px - 64.0f, 447.0f - px);
  const float cy = std::min(py - 64.0f, 447.0f - py);
  const float corner = LobedDistance(cx, cy);
  if (corner < 86.0f) {
    if (corner < 40.0f) field = (corner < 20.0f) ? p.gold : p.darkRed;
    else if (corner < 46.0f) field = p.cream;
    else if (corner < 80.0f) field = (std::fabs(corner - 63.0f) < 3.0f) ? p.gold : p.green;
    else field = p.gold;
  }
  const float x = px - 255.5f, y = py - 255.5f;
  const float pendant = std::fabs(x) + std::fabs(std::fabs(y) - 150.0f) * 0.8f;
  if (pendant < 22.0f) field = pendant < 9.0f ? p.cream : pendant < 13.0f ? p.navy : p.gold;
  return RugMedallion(p, x, y, field);
}

}  // namespace

RgbaImage DrawRug() {
  constexpr int kSize = 512;
  const RugPalette palette;
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      // Each knot is two by two pixels of one colour; the design is sampled
      // at the knot's centre so its edges step like a real pile rug.
      const int kx = x / 2, ky = y / 2;
      Rgb c = RugDesign(palette, kx * 2 + 1, ky * 2 + 1);
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      // Abrash: wool dyed in batches leaves faint bands across the rug.
      const float abrash = TilingNoise(u * 2.0f, v * 24.0f, 2, 24, 0x7a01u);
      const float knot = HashUnit(kx, ky, 0x7a02u);
      const float wear = TilingFbm(u, v, 4, 4, 4, 0x7a03u);
      // Within a knot, the tuft's top faces the light, its flank does not.
      const float tuft = ((x & 1) == 0 && (y & 1) == 0) ? 1.06f : ((x & 1) && (y & 1)) ? 0.9f : 0.98f;
      const float weft = (y % 4 == 3) ? 0.95f : 1.0f;
      c = c * (tuft * weft * (0.94f + 0.1f * knot) * (1.0f + 0.05f * abrash) * (1.0f + 0.06f * wear));
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

RgbaImage DrawCurtainFabric() {
  constexpr int kSize = 256;
  const Rgb velvet = FromHex(0x8a1a26);
  const int frequencies[4] = {3, 5, 7, 12};
  const float amplitudes[4] = {1.0f, 0.55f, 0.35f, 0.15f};
  const float phases[4] = {0.3f, 1.7f, 4.1f, 2.6f};
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    const float v = static_cast<float>(y) / kSize;
    for (int x = 0; x < kSize; ++x) {
      const float u = static_cast<float>(x) / kSize;
      // The folds hang straight but drift a little as they fall.
      float slope = 0.0f;
      for (int i = 0; i < 4; ++i) {
        const float phase = phases[i] + 0.35f * std::sin(kTwoPi * v + i);
        slope += amplitudes[i] * frequencies[i] * std::cos(kTwoPi * frequencies[i] * u + phase);
      }
      slope *= 0.12f;
      const float nx = -slope / std::sqrt(1.0f + slope * slope);
      const float nz = 1.0f / std::sqrt(1.0f + slope * slope);
      const float diffuse = std::max(0.0f, 0.45f * nx + 0.89f * nz);
      // Velvet brightens where the cloth turns away: the pile catches light
      // edge-on.
      const float sheen = std::pow(1.0f - nz, 1.2f);
      const float pile = TilingNoise(u * 128.0f, v * 128.0f, 128, 128, 0xc071u);
      const float crush = TilingFbm(u, v, 4, 6, 3, 0xc072u);
      Rgb c = velvet * (0.45f + 0.6f * diffuse) + Rgb{0.5f, 0.16f, 0.2f} * (0.7f * sheen);
      c = c * (1.0f + 0.04f * pile + 0.06f * crush);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

}  // namespace content
