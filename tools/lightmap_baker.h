// Bakes the room's lightmaps: direct light with soft shadows from point and
// directional lights plus ambient occlusion, ray-cast against every triangle
// of the room.
#pragma once

#include <vector>

#include "bss_writer.h"
#include "image.h"

namespace content {

struct Vec2 {
  float u = 0, v = 0;
};

// One triangle of the room. Triangles with chart -1 only cast shadows;
// the others are also lit into the chart (one lightmap picture) they name,
// at their lightmap coordinates. In the picture, v = 0 is the bottom row
// (the last row of the RgbaImage), as the saver's TGA reader uploads it.
struct BakeTriangle {
  Vec3 corners[3];
  Vec2 lightmapUv[3];
  int chart = -1;
  bool castsShadow = true;  // false for glass and other see-through surfaces
};

struct BakeChart {
  int width = 64;
  int height = 64;
};

struct BakeLight {
  Vec3 position;          // point light; for a directional light, unused
  Vec3 direction;         // directional light: the direction the light travels
  bool directional = false;
  Colour colour;          // linear intensity; r, g, b may exceed 1
  float radius = 5;       // size of the emitter, for soft shadow edges
  float range = 600;      // distance at which a point light has faded to about a quarter
};

struct BakeRequest {
  std::vector<BakeTriangle> triangles;
  std::vector<BakeChart> charts;
  std::vector<BakeLight> lights;
  Colour ambient{0.08f, 0.07f, 0.06f, 1};  // sky and bounce light, scaled by occlusion
  float occlusionDistance = 60;            // rays longer than this are unoccluded
  int occlusionRays = 16;
  int shadowRays = 4;
  unsigned seed = 1;
};

// One picture per chart, in chart order, as opaque RGB with alpha 255: the
// factor the saver multiplies the textured surface by (0 black, 255 as the
// texture is). The same request gives the same bytes on every run.
std::vector<RgbaImage> BakeLightmaps(const BakeRequest& request);

}  // namespace content
