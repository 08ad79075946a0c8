// Joinery: the panelled door, the painted window frame and sill, and the
// gilded picture-frame moulding.
#include <vector>

#include "procedural_noise.h"
#include "room_texture_parts.h"
#include "texture_paint.h"
#include "wood_grain.h"

namespace content {

namespace {

struct PanelBox {
  int left, top, right, bottom;  // inclusive left/top, exclusive right/bottom
};

// Light from the upper left on a recessed panel: the bevels below the top
// rail and beside the left stile face away from it, the others face it.
float BevelShade(int fromLeft, int fromTop, int fromRight, int fromBottom) {
  const int nearest = std::min({fromLeft, fromTop, fromRight, fromBottom});
  if (nearest == fromTop) return 0.7f;
  if (nearest == fromLeft) return 0.84f;
  if (nearest == fromRight) return 1.1f;
  return 1.16f;
}

}  // namespace

RgbaImage DrawDoorWood() {
  constexpr int kWidth = 256;
  constexpr int kHeight = 512;
  constexpr int kStile = 34;
  constexpr int kBevel = 14;
  const int columns[2][2] = {{kStile, 120}, {136, kWidth - kStile}};
  const int rows[3][2] = {{34, 130}, {150, 330}, {358, 466}};
  std::vector<PanelBox> panels;
  for (const auto& r : rows)
    for (const auto& c : columns) panels.push_back({c[0], r[0], c[1], r[1]});

  WoodLook stileLook{FromHex(0xb67f47), FromHex(0x7a4823), 5.0f, 1.6f, 0.12f, 0xd001u};
  WoodLook railLook = stileLook;
  railLook.seed = 0xd002u;
  WoodLook panelLook = stileLook;
  panelLook.ringsAcross = 14.0f;
  panelLook.warp = 2.4f;
  panelLook.seed = 0xd003u;

  RgbaImage image(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const float u = static_cast<float>(x) / kWidth;
      const float v = static_cast<float>(y) / kHeight;
      const PanelBox* inside = nullptr;
      for (const PanelBox& p : panels)
        if (x >= p.left && x < p.right && y >= p.top && y < p.bottom) inside = &p;

      Rgb c;
      if (inside) {
        // Panels are glued up from boards standing upright: grain along v.
        c = WoodColour(panelLook, v, u, 1, 2);
        const int fl = x - inside->left, ft = y - inside->top;
        const int fr = inside->right - 1 - x, fb = inside->bottom - 1 - y;
        const int nearest = std::min({fl, ft, fr, fb});
        if (nearest < 2) {
          c = c * 0.45f;  // the shadowed quirk where the panel meets the frame
        } else if (nearest < kBevel) {
          c = c * BevelShade(fl, ft, fr, fb);
        } else if (nearest < kBevel + 2) {
          c = c * 0.9f;  // the crease at the foot of the bevel
        }
      } else {
        const bool stile = x < kStile || x >= kWidth - kStile;
        const bool muntin = !stile && x >= 120 && x < 136 &&
                            ((y >= 34 && y < 130) || (y >= 150 && y < 330) || (y >= 358 && y < 466));
        if (stile || muntin) {
          c = WoodColour(stileLook, v, u * 4.0f, 1, 4);
        } else {
          c = WoodColour(railLook, u, v * 8.0f, 1, 8);
        }
        // Hairline joints where rails butt into stiles and muntins.
        const bool railJoint = !stile && !muntin &&
                               (x == kStile || x == kWidth - kStile - 1 || x == 120 || x == 135);
        const bool stileJoint = (x == kStile - 1 || x == kWidth - kStile) && !inside;
        if (railJoint || stileJoint) c = c * 0.7f;
      }
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

namespace {

// Brushed paint on wood: streaks along u, a faint ghost of the grain beneath.
void PaintBrushedWhite(RgbaImage& image, Rgb base, uint32_t seed) {
  const int w = image.width, h = image.height;
  const int cellsY = h / 4;
  WoodLook under{Rgb{1, 1, 1}, Rgb{0.8f, 0.8f, 0.8f}, 3.0f, 1.5f, 0.05f, seed + 5u};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const float u = static_cast<float>(x) / w;
      const float v = static_cast<float>(y) / h;
      const float streak = TilingNoise(u * 3.0f, v * cellsY, 3, cellsY, seed);
      const float bristle = TilingNoise(u * 8.0f, v * cellsY * 3.0f, 8, cellsY * 3, seed + 1u);
      const float patch = TilingFbm(u, v, 3, 3, 3, seed + 2u);
      const float grain = Luminance(WoodColour(under, u, v, 2, 2));
      float shade = 1.0f + 0.03f * streak + 0.02f * bristle + 0.02f * patch;
      shade *= 0.96f + 0.04f * grain;
      StorePixel(image, x, y, base * shade);
    }
  }
}

}  // namespace

RgbaImage DrawWindowFrame() {
  RgbaImage image(256, 256);
  PaintBrushedWhite(image, FromHex(0xebe3d1), 0x71d0u);
  return image;
}

RgbaImage DrawSillWood() {
  RgbaImage image(256, 128);
  PaintBrushedWhite(image, FromHex(0xefe8da), 0x5111u);
  return image;
}

namespace {

float Dome(float dx, float dy) {
  const float r2 = dx * dx + dy * dy;
  return r2 < 1.0f ? std::sqrt(1.0f - r2) : 0.0f;
}

// The moulding's relief in pixels at (x, y): bands across v, ornaments that
// repeat along u every 16 or 32 pixels so the strip tiles.
float FrameHeight(int x, int y) {
  const float t = static_cast<float>(y) / 256.0f;
  const float fx = static_cast<float>(x);
  if (t < 0.08f) return 3.0f + 5.0f * std::sin(kPi * t / 0.08f);               // outer lip
  if (t < 0.2f) return 3.0f + 2.5f * (1.0f - std::sin(kPi * (t - 0.08f) / 0.12f));  // cove
  if (t < 0.34f) {                                                          // bead and reel
    const float tt = (t - 0.2f) / 0.14f;
    const float bx = Fract(fx / 16.0f);
    const float bead = Dome((bx - 0.38f) / 0.3f, (tt - 0.5f) / 0.42f);
    const float reel = Dome((bx - 0.84f) / 0.1f, (tt - 0.5f) / 0.3f);
    return 2.0f + 4.0f * std::max(bead, reel);
  }
  if (t < 0.38f) return 2.0f;
  if (t < 0.62f) {                                                          // egg and dart
    const float tt = (t - 0.38f) / 0.24f;
    const float ex = Fract(fx / 32.0f);
    const float egg = Dome((ex - 0.5f) / 0.34f, (tt - 0.5f) / 0.44f);
    const float rim = std::max(0.0f, 1.0f - std::fabs(Dome((ex - 0.5f) / 0.42f, (tt - 0.5f) / 0.52f) - 0.25f) * 6.0f);
    const float dartX = std::fabs(ex < 0.5f ? ex : ex - 1.0f);
    const float dart = std::max(0.0f, 1.0f - dartX / 0.035f) * SmoothStep(0.95f, 0.2f, tt);
    return 1.5f + 5.0f * egg + 1.2f * rim + 3.0f * dart;
  }
  if (t < 0.8f) {                                                           // reeds
    const float tt = (t - 0.62f) / 0.18f;
    return 2.5f + 1.4f * std::fabs(std::sin(kPi * tt * 5.0f));
  }
  const float tt = (t - 0.8f) / 0.2f;                                        // sight edge
  return 4.0f * std::sin(kPi * std::min(1.0f, tt * 1.4f)) + 1.0f - tt;
}

}  // namespace

RgbaImage DrawFrameGold() {
  constexpr int kSize = 256;
  std::vector<float> height(kSize * kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) height[y * kSize + x] = FrameHeight(x, y);

  const Rgb bole = FromHex(0x5a2e14);     // red clay under the leaf, seen in hollows
  const Rgb goldDeep = FromHex(0x8a6320);
  const Rgb goldLight = FromHex(0xf4dc8c);
  const float light[3] = {-0.35f, -0.55f, 0.76f};  // from the upper left, in front
  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float hx = height[y * kSize + WrapIndex(x + 1, kSize)] - height[y * kSize + WrapIndex(x - 1, kSize)];
      const int y0 = std::max(0, y - 1), y1 = std::min(kSize - 1, y + 1);
      const float hy = (height[y1 * kSize + x] - height[y0 * kSize + x]) * 2.0f / (y1 - y0);
      float n[3] = {-hx * 0.5f, -hy * 0.5f, 1.0f};
      const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      const float diffuse = std::max(0.0f, (n[0] * light[0] + n[1] * light[1] + n[2] * light[2]) / len);
      const float specular = std::pow(diffuse, 24.0f);
      const float u = static_cast<float>(x) / kSize;
      const float v = static_cast<float>(y) / kSize;
      const float wear = TilingFbm(u, v, 8, 8, 3, 0x901du);
      const float hollow = SmoothStep(3.0f, 0.5f, height[y * kSize + x]);
      Rgb c = Mix(goldDeep, goldLight, Clamp01(diffuse * 0.9f - 0.15f));
      c = c + goldLight * (0.6f * specular);
      c = Mix(c, bole, 0.35f * hollow * (0.5f + 0.5f * wear));
      c = c * (0.95f + 0.06f * wear);
      StorePixel(image, x, y, c);
    }
  }
  return image;
}

}  // namespace content
