// The painters behind MakeModelTextures, grouped by the file that draws them,
// and the few drawing helpers they share. Each painter returns a finished
// picture at its final size.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "image.h"
#include "texture_paint.h"

namespace content {

// The tree and its decorations (model_textures_tree.cpp).
RgbaImage DrawFirNeedles();
RgbaImage DrawFirTrunk();
RgbaImage DrawBaubles();
RgbaImage DrawEnvSphere();
RgbaImage DrawStarGold();
RgbaImage DrawLollipop();
RgbaImage DrawTinsel();
RgbaImage DrawLightChain();

// Metal, paint and polished wood (model_textures_metal.cpp).
RgbaImage DrawRailMetal();
RgbaImage DrawSleeperWood();
RgbaImage DrawTrainPaint(Rgb paint, uint32_t seed);
RgbaImage DrawTrainBlack();
RgbaImage DrawClockWood();
RgbaImage DrawClockHands();
RgbaImage DrawBrass();

// The clock dial and its stroke numerals (model_textures_clock.cpp).
RgbaImage DrawClockFace();

// Cloth, fur and paper (model_textures_cloth.cpp).
RgbaImage DrawTeddyFur();
RgbaImage DrawTeddyFace();
RgbaImage DrawStockingKnit();
RgbaImage DrawLampShade();
RgbaImage DrawLampShadeGlow();
RgbaImage DrawArmchairFabric();
RgbaImage DrawRibbon();

// Wrapping papers (model_textures_paper.cpp).
RgbaImage DrawPresentRed();
RgbaImage DrawPresentGreen();
RgbaImage DrawPresentBlue();
RgbaImage DrawPresentGold();

// Wax, logs and flames (model_textures_fire.cpp).
RgbaImage DrawCandleWax();
RgbaImage DrawCandleWaxGlow();
RgbaImage DrawFirewood();
RgbaImage DrawFirewoodEmbers();
RgbaImage DrawFireFlames();

// Shared helpers (model_textures.cpp).

// A picture under construction from thin antialiased strokes: colour laid
// over colour by coverage, and the strongest coverage seen per texel.
struct StrokeCanvas {
  int width, height;
  std::vector<Rgb> colour;
  std::vector<float> cover;
  StrokeCanvas(int w, int h, Rgb base)
      : width(w), height(h), colour(static_cast<size_t>(w) * h, base), cover(static_cast<size_t>(w) * h, 0.0f) {}

  // A tapered stroke from a to b; the colour runs from rootColour to tipColour.
  void Stroke(float ax, float ay, float bx, float by, float halfWidth, Rgb rootColour, Rgb tipColour,
              bool wrapX) {
    const int x0 = static_cast<int>(std::floor(std::min(ax, bx) - halfWidth - 1));
    const int x1 = static_cast<int>(std::ceil(std::max(ax, bx) + halfWidth + 1));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min(ay, by) - halfWidth - 1)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(std::max(ay, by) + halfWidth + 1)));
    const float dx = bx - ax, dy = by - ay;
    const float lengthSq = std::max(1e-6f, dx * dx + dy * dy);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        if (!wrapX && (x < 0 || x >= width)) continue;
        const float px = x + 0.5f, py = y + 0.5f;
        const float t = Clamp01(((px - ax) * dx + (py - ay) * dy) / lengthSq);
        const float d = std::hypot(px - (ax + t * dx), py - (ay + t * dy));
        const float half = halfWidth * (1.0f - 0.6f * t * t);
        const float c = Clamp01(half + 0.5f - d);
        if (c <= 0.0f) continue;
        const size_t i = static_cast<size_t>(y) * width + WrapIndex(x, width);
        colour[i] = Mix(colour[i], Mix(rootColour, tipColour, t), c);
        cover[i] = std::max(cover[i], c);
      }
  }
};

// Distance from point p to the segment a-b.
float SegmentDistance(float px, float py, float ax, float ay, float bx, float by);

// Gives every fully transparent texel the colour of the nearest visible one,
// so mipmaps of a cut-out never blend towards a stray background colour.
// wrapX: the texture tiles across, so the search wraps at the side edges.
void BleedVisibleColour(RgbaImage& image, bool wrapX);

}  // namespace content
