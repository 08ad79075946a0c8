// The two small oil paintings on the west wall: a winter landscape at dusk and
// a candle-lit still life. Each scene is a function of picture coordinates;
// a shared brush pass smears and streaks it so it reads as paint.
#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"

namespace content {

namespace {

using Scene = Rgb (*)(float x, float y);  // x right, y down, both 0..1

// Samples the scene at jittered positions (dabs of paint dragged off their
// place), adds directional bristle streaks and the canvas weave.
RgbaImage PaintScene(Scene scene, int size, uint32_t seed) {
  RgbaImage image(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float u = (x + 0.5f) / size;
      const float v = (y + 0.5f) / size;
      const float jx = TilingFbm(u, v, 24, 24, 2, seed) * 2.2f / size;
      const float jy = TilingFbm(u, v, 24, 24, 2, seed + 1u) * 2.2f / size;
      const float angle = 0.5f + 0.8f * TilingFbm(u, v, 2, 2, 1, seed + 2u);
      const float ca = std::cos(angle), sa = std::sin(angle);
      const float along = (u * ca + v * sa) * 24.0f;
      const float across = (-u * sa + v * ca) * 160.0f;
      const float bristle = TilingNoise(along, across, 1024, 1024, seed + 3u);
      Rgb c = scene(u + jx, v + jy);
      const float weave = std::sin(x * kPi * 0.66f) * std::sin(y * kPi * 0.66f);
      c = c * (1.0f + 0.045f * bristle + 0.025f * weave);
      // Old varnish: a warm, faintly darker edge.
      const float ex = u - 0.5f, ey = v - 0.5f;
      const float vignette = 1.0f - 0.35f * (ex * ex + ey * ey) * 2.0f;
      c = c * Rgb{vignette, vignette * 0.98f, vignette * 0.93f};
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

float Hill(float x, float base, float a1, float f1, float p1, float a2, float f2, float p2) {
  return base + a1 * std::sin(kTwoPi * f1 * x + p1) + a2 * std::sin(kTwoPi * f2 * x + p2);
}

// A fir's coverage at (x, y) for a tree with its foot at (fx, fy).
bool InFir(float x, float y, float fx, float fy, float height, float width) {
  const float h = (fy - y) / height;
  if (h < 0.0f || h > 1.0f) return false;
  if (h < 0.08f) return std::fabs(x - fx) < width * 0.08f;
  const float tier = Fract((h - 0.08f) * 5.0f);
  const float half = width * (1.0f - h) * (0.65f + 0.35f * (1.0f - tier));
  return std::fabs(x - fx) < half;
}

Rgb WinterScene(float x, float y) {
  const Rgb zenith = FromHex(0x1c2048), dusk = FromHex(0x6a5078), glow = FromHex(0xf0a070);
  Rgb c = y < 0.32f ? Mix(zenith, dusk, SmoothStep(0.0f, 0.32f, y)) : Mix(dusk, glow, SmoothStep(0.32f, 0.56f, y));
  // A first few stars in the high sky.
  if (y < 0.25f && HashUnit(static_cast<int>(x * 256.0f), static_cast<int>(y * 256.0f), 0x7e01u) > 0.996f)
    c = Mix(c, FromHex(0xfff4d0), 0.7f);

  const float far = Hill(x, 0.53f, 0.025f, 1.7f, 1.0f, 0.012f, 5.0f, 0.3f);
  if (y > far) {
    c = Mix(FromHex(0x8a8cb0), FromHex(0x6a7098), SmoothStep(far, far + 0.15f, y));
    for (int i = 0; i < 14; ++i) {
      const float fx = 0.03f + i * 0.073f + 0.02f * HashUnit(i, 0, 0x7e02u);
      if (InFir(x, y, fx, Hill(fx, 0.53f, 0.025f, 1.7f, 1.0f, 0.012f, 5.0f, 0.3f) + 0.02f,
                0.05f + 0.03f * HashUnit(i, 1, 0x7e03u), 0.018f))
        c = FromHex(0x3a3e5a);
    }
  }
  const float middle = Hill(x, 0.64f, 0.045f, 1.1f, 2.2f, 0.015f, 3.3f, 0.9f);
  if (y > middle) {
    const float depth = SmoothStep(middle, middle + 0.2f, y);
    c = Mix(FromHex(0xe8dde0), FromHex(0x9aa4c8), depth);
  }
  // The cottage sits on the middle hill with its window lit.
  const float houseX = 0.63f, ground = Hill(houseX, 0.64f, 0.045f, 1.1f, 2.2f, 0.015f, 3.3f, 0.9f) + 0.015f;
  const float wallTop = ground - 0.09f;
  const float dx = x - houseX;
  const bool wall = std::fabs(dx) < 0.075f && y > wallTop && y < ground;
  const float roofRise = 0.07f * (1.0f - std::fabs(dx) / 0.095f);
  const bool roof = std::fabs(dx) < 0.095f && y < wallTop + 0.008f && y > wallTop - roofRise;
  const bool chimney = dx > 0.03f && dx < 0.05f && y > wallTop - 0.085f && y < wallTop - 0.03f;
  if (wall) c = FromHex(0x4a3428);
  if (roof || chimney) c = (y < wallTop - roofRise + 0.02f || chimney) ? FromHex(0xe8e4ee) : FromHex(0xc8c8dc);
  const float wx = x - (houseX - 0.03f), wy = y - (wallTop + 0.04f);
  const float windowDistance = std::max(std::fabs(wx), std::fabs(wy));
  if (wall && windowDistance < 0.018f)
    c = (std::fabs(wx) < 0.002f || std::fabs(wy) < 0.002f) ? FromHex(0x5a3a20) : FromHex(0xffd070);
  if (wall && std::fabs(x - (houseX + 0.035f)) < 0.014f && y > ground - 0.05f) c = FromHex(0x2a1c14);
  const float halo = std::exp(-std::hypot(wx, wy * 1.2f) / 0.04f);
  c = c + FromHex(0xff9a40) * (0.35f * halo * (wall && windowDistance < 0.018f ? 0.0f : 1.0f));

  const float near = Hill(x, 0.8f, 0.04f, 0.8f, 4.0f, 0.01f, 4.0f, 1.0f);
  if (y > near) {
    const float depth = SmoothStep(near, 1.0f, y);
    c = Mix(FromHex(0xf4eef0), FromHex(0xb0bcdc), depth * 0.7f + 0.2f * std::sin(kTwoPi * (x * 2.0f + y)) * 0.5f);
  }
  const float firs[4][3] = {{0.14f, 0.4f, 0.09f}, {0.25f, 0.28f, 0.065f}, {0.88f, 0.34f, 0.08f}, {0.05f, 0.22f, 0.05f}};
  for (const auto& f : firs) {
    const float foot = Hill(f[0], 0.8f, 0.04f, 0.8f, 4.0f, 0.01f, 4.0f, 1.0f) + 0.03f;
    if (InFir(x, y, f[0], foot, f[1], f[2])) {
      const float h = (foot - y) / f[1];
      const float tier = Fract((h - 0.08f) * 5.0f);
      // Snow lies on each tier's upper face.
      c = tier > 0.72f && h > 0.08f ? FromHex(0xdce0ee) : Mix(FromHex(0x16322a), FromHex(0x24463a), tier);
    }
  }
  return c;
}

Rgb StillLifeScene(float x, float y) {
  const float flameX = 0.36f, flameY = 0.27f;
  const float toFlame = std::hypot(x - flameX, (y - flameY) * 0.9f);
  const float warmth = std::exp(-toFlame / 0.28f);
  Rgb c = Mix(FromHex(0x1a140c), FromHex(0x6a4a22), warmth);

  // The table top and its front edge.
  if (y > 0.72f) {
    c = Mix(FromHex(0x2a180c), FromHex(0x7a4a24), std::exp(-std::hypot(x - flameX, y - 0.72f) / 0.3f));
    if (y < 0.735f) c = c * 1.35f;
    if (y > 0.9f) c = c * 0.6f;
  }
  // Apples: lit from the flame's side, with a soft shadow on the table.
  const float apples[3][3] = {{0.62f, 0.68f, 0.085f}, {0.78f, 0.7f, 0.075f}, {0.55f, 0.78f, 0.08f}};
  for (const auto& a : apples) {
    const float sx = x - (a[0] + 0.05f), sy = (y - (a[1] + a[2] * 0.95f)) * 4.0f;
    if (y > 0.72f && sx * sx + sy * sy < a[2] * a[2] * 1.6f) c = c * 0.55f;
  }
  for (const auto& a : apples) {
    const float ox = (x - a[0]) / a[2], oy = (y - a[1]) / a[2];
    const float d2 = ox * ox + oy * oy;
    if (d2 >= 1.0f) continue;
    const float nz = std::sqrt(1.0f - d2);
    float lx = flameX - a[0], ly = flameY - a[1];
    const float ll = std::hypot(lx, ly) * 1.5f;
    lx /= ll;
    ly /= ll;
    const float lz = std::sqrt(std::max(0.0f, 1.0f - lx * lx - ly * ly));
    const float lit = std::max(0.0f, ox * lx + oy * ly + nz * lz);
    const float blush = SmoothStep(0.2f, -0.8f, ox + oy);
    Rgb skin = Mix(FromHex(0x8a1a10), FromHex(0xc86a20), 0.35f * blush * (1.0f - lit));
    c = skin * (0.2f + 0.95f * lit) + FromHex(0xfff0c0) * (0.8f * std::pow(lit, 30.0f));
    if (std::fabs(ox + 0.05f) < 0.05f && oy < -0.8f) c = FromHex(0x2a1a0c);
  }
  // The candle: a cream column in a brass stick, brightest near the flame.
  const float cx = (x - flameX) / 0.045f;
  if (std::fabs(cx) < 1.0f && y > 0.33f && y < 0.7f) {
    const float round = std::sqrt(1.0f - cx * cx);
    c = FromHex(0xeadcbc) * (0.45f + 0.45f * round + 0.35f * std::exp(-(y - 0.33f) / 0.08f));
    if (y < 0.345f) c = c * 1.1f;
  }
  const float holder = std::hypot((x - flameX) / 0.1f, (y - 0.71f) / 0.025f);
  if (holder < 1.0f) c = Mix(FromHex(0x8a6424), FromHex(0xf0cc70), std::pow(1.0f - holder, 0.7f));
  if (std::fabs(x - flameX) < 0.004f && y > 0.3f && y < 0.335f) c = FromHex(0x1a1008);
  // The flame: a teardrop, white at its heart, fading to orange.
  const float fy = (y - flameY) / 0.055f;
  const float fw = 0.022f * (fy > 0.0f ? std::sqrt(std::max(0.0f, 1.0f - fy * fy)) : std::max(0.0f, 1.0f + fy * 0.6f));
  const float inside = fw > 0.0f ? 1.0f - std::fabs(x - flameX) / fw : -1.0f;
  if (inside > 0.0f && fy > -1.6f && fy < 1.0f)
    c = Mix(FromHex(0xff9a30), FromHex(0xfff8e0), SmoothStep(0.0f, 0.6f, inside) * SmoothStep(-1.5f, 0.2f, fy));
  c = c + FromHex(0xffb050) * (0.25f * std::exp(-toFlame / 0.06f));
  return c;
}

}  // namespace

RgbaImage DrawWinterPainting() { return PaintScene(WinterScene, 256, 0x9a11u); }

RgbaImage DrawStillLifePainting() { return PaintScene(StillLifeScene, 256, 0x9a22u); }

}  // namespace content
