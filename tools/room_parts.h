// The pieces the room scene is assembled from; each returns its objects in
// the order they are drawn.
#pragma once

#include <vector>

#include "bss_writer.h"
#include "mesh_builder.h"

namespace content {

// A wall's own frame: h to the right and v up as one faces the wall from
// the room, d out of the wall into the room (h x v = d, so quads listed
// counter-clockwise in h, v face the room).
struct WallFrame {
  Vec3 origin, right, up, out;
  Vec3 At(float h, float v, float d) const {
    return {origin.x + right.x * h + up.x * v + out.x * d, origin.y + right.y * h + up.y * v + out.y * d,
            origin.z + right.z * h + up.z * v + out.z * d};
  }
};

WallFrame NorthWall();  // h = x
WallFrame SouthWall();  // h = -x
WallFrame WestWall();   // h = y
WallFrame EastWall();   // h = -y

// A rectangle on a wall at depth d, facing the room; uv 0..1 across it when
// the tiles are its own size.
void WallRect(MeshBuilder& mesh, int material, const WallFrame& wall, float h0, float h1, float v0, float v1,
              float d, float tileU, float tileV);
// Faces around a rectangle's edges from depth d0 to d1, facing away from
// it; edges bits: 1 bottom, 2 right, 4 top, 8 left.
void WallRectEdges(MeshBuilder& mesh, int material, const WallFrame& wall, float h0, float h1, float v0, float v1,
                   float d0, float d1, float tile, unsigned edges = 15);

std::vector<MeshBuilder> BuildRoomShell();  // "room" first, then windows, glass, skirting, beams, door, curtains
std::vector<MeshBuilder> BuildFireplace();  // surround, firebox, hearth, mantel, fireguard, garland, lights
std::vector<MeshBuilder> BuildDecor();      // rug, frames and paintings
std::vector<MeshBuilder> BuildOutdoor();    // sky, moon, ground, firs far to near: no lightmaps

std::vector<BssCamera> BuildCameras();
std::vector<BssInstance> BuildPlacements();
BssLight BuildSceneLight();

}  // namespace content
