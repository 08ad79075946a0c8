// The festive living room as one scene file: geometry, cameras, placed
// helpers and the scene light, with the lightmap bake it needs.
#pragma once

#include <string>
#include <vector>

#include "bss_writer.h"
#include "lightmap_baker.h"

namespace content {

struct RoomScene {
  BssScene scene;
  BakeRequest bake;                        // one chart per lightmapped object
  std::vector<std::string> lightmapNames;  // file names, in chart order
  std::vector<int> chartOfObject;          // per scene object: its chart, or -1
};

RoomScene BuildRoomScene();

// The lights the lightmaps are baked with: fire, tree glow, floor lamp,
// candles and the moon.
std::vector<BakeLight> RoomBakeLights();

}  // namespace content
