// Turns a chart's baked light into the 8-bit picture the saver multiplies its
// textures by: fills texels no surface showed from their neighbours, so
// bilinear filtering and mipmaps do not pull black in at chart edges, and
// rolls bright light off smoothly instead of clipping it.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

namespace content {

struct BakedChart {
  int width = 0;
  int height = 0;
  std::vector<Colour> light;     // linear light per texel, rows top first
  std::vector<uint8_t> covered;  // 1 where a surface's light was baked into the texel
};

// Linear light to the saver's 0..1 factor: unchanged up to a knee, then
// easing towards 1 so that 1.0 lands near 0.9.
float RollOff(float light);

// Spreads covered texels into their uncovered neighbours, a ring per pass;
// whatever stays uncovered gets the mean of the covered light, or `fallback`
// where the chart has none. Marks every texel covered.
void FillUncovered(BakedChart& chart, int passes, Colour fallback);

// Opaque picture of the rolled-off light.
RgbaImage ToPicture(const BakedChart& chart);

}  // namespace content
