// Finds, for every texel of every chart, the point of the chart's triangles
// that the texel shows. A texel whose centre lies inside a triangle takes that
// point; a texel a triangle only touches takes the triangle's point nearest the
// texel centre, so texels along chart edges are lit rather than left black.
#pragma once

#include <vector>

#include "lightmap_baker.h"

namespace content {

struct TexelSample {
  int triangle = -1;             // request triangle, -1 where none touches the texel
  float weights[3] = {0, 0, 0};  // barycentric weights of that triangle's corners
  float gap = 0;                 // squared texel distance from the centre to the point
};

// One sample per texel, rows top first as in RgbaImage, for each chart in order.
std::vector<std::vector<TexelSample>> RasteriseCharts(const BakeRequest& request);

}  // namespace content
