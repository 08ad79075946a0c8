// The fireplace on the north wall: brick surround and chimney breast, the
// glowing firebox, hearth, mantel shelf, the fireguard before the fire, the
// garland on the mantel and the fairy lights under the beams.
#include <cmath>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

constexpr float kBrickTile = 60;  // eight courses of about 7.5
constexpr float kSurroundDepth = kNorthY - kSurroundFrontY;
constexpr float kBackDepth = kNorthY - kFireboxBackY;

MeshBuilder Surround() {
  MeshBuilder surround("fireplace surround", true);
  const int brick = surround.Material({"brick.tga"});
  const WallFrame north = NorthWall();
  const float w = kSurroundHalfWidth, o = kOpeningHalfWidth, d = kSurroundDepth;
  WallRect(surround, brick, north, -w, -o, 0, kSurroundTopZ, d, kBrickTile, kBrickTile);
  WallRect(surround, brick, north, o, w, 0, kSurroundTopZ, d, kBrickTile, kBrickTile);
  WallRect(surround, brick, north, -o, o, kOpeningTopZ, kSurroundTopZ, d, kBrickTile, kBrickTile);
  WallRectEdges(surround, brick, north, -w, w, 0, kSurroundTopZ, 0, d, kBrickTile, 2 | 8);
  return surround;
}

MeshBuilder ChimneyBreast() {
  MeshBuilder breast("chimney breast", true);
  const int brick = breast.Material({"brick.tga"});
  const WallFrame north = NorthWall();
  constexpr float kHalf = 100, kDepth = 25;
  WallRect(breast, brick, north, -kHalf, kHalf, kMantelTopZ, kCeilingZ, kDepth, kBrickTile, kBrickTile);
  WallRectEdges(breast, brick, north, -kHalf, kHalf, kMantelTopZ, kCeilingZ, 0, kDepth, kBrickTile, 2 | 8);
  return breast;
}

// The soot texture glows along its bottom rows, so v runs up the back and
// the jambs from the fire bed, and the bed itself takes the glowing rows.
MeshBuilder Firebox() {
  MeshBuilder box("firebox", true);
  const int soot = box.Material({"firebox_soot.tga", false, "firebox_soot_i.tga"});
  const WallFrame north = NorthWall();
  const float o = kOpeningHalfWidth, front = kSurroundDepth, back = kBackDepth;
  const float z0 = kOpeningBottomZ, z1 = kOpeningTopZ;
  const float depthU = (front - back) / (2 * o);
  auto quad = [&](Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec2 ua, Vec2 ub, Vec2 uc, Vec2 ud) {
    const Vec3 corners[4] = {a, b, c, d};
    const Vec2 uv[4] = {ua, ub, uc, ud};
    box.Quad(soot, corners, uv);
  };
  quad(north.At(-o, z0, back), north.At(o, z0, back), north.At(o, z1, back), north.At(-o, z1, back), {0, 0}, {1, 0},
       {1, 1}, {0, 1});
  quad(north.At(-o, z0, front), north.At(-o, z0, back), north.At(-o, z1, back), north.At(-o, z1, front), {0, 0},
       {depthU, 0}, {depthU, 1}, {0, 1});
  quad(north.At(o, z0, back), north.At(o, z0, front), north.At(o, z1, front), north.At(o, z1, back), {0, 0},
       {depthU, 0}, {depthU, 1}, {0, 1});
  quad(north.At(-o, z0, front), north.At(o, z0, front), north.At(o, z0, back), north.At(-o, z0, back), {0, 0},
       {1, 0}, {1, 0.12f}, {0, 0.12f});
  quad(north.At(-o, z1, back), north.At(o, z1, back), north.At(o, z1, front), north.At(-o, z1, front), {0, 0.85f},
       {1, 0.85f}, {1, 1}, {0, 1});
  return box;
}

MeshBuilder Hearth() {
  MeshBuilder hearth("hearth", true);
  const int stone = hearth.Material({"hearth_stone.tga"});
  hearth.Box(stone, {-kHearthHalfWidth, kHearthFrontY, 0}, {kHearthHalfWidth, kSurroundFrontY, kHearthTopZ},
             kFaceNegX | kFacePosX | kFaceNegY | kFacePosZ, 80, 80);
  return hearth;
}

MeshBuilder Mantel() {
  MeshBuilder mantel("mantel", true);
  const int wood = mantel.Material({"mantel_wood.tga"});
  mantel.Box(wood, {-kMantelHalfWidth, kMantelFrontY, kMantelZ}, {kMantelHalfWidth, kNorthY, kMantelTopZ},
             kAllFaces & ~kFacePosY, 150, 40, Axis::X);
  return mantel;
}

// Brackets under the shelf's ends, just outside the brick surround.
MeshBuilder MantelCorbels() {
  MeshBuilder corbels("mantel corbels", true);
  const int wood = corbels.Material({"mantel_wood.tga"});
  for (float side : {-1.0f, 1.0f}) {
    const float inner = side * (kSurroundHalfWidth + 3), outer = side * (kSurroundHalfWidth + 15);
    corbels.Box(wood, {std::fmin(inner, outer), kMantelFrontY + 6, kMantelZ - 28},
                {std::fmax(inner, outer), kNorthY, kMantelZ}, kAllFaces & ~(kFacePosY | kFacePosZ), 40, 40, Axis::Z);
  }
  return corbels;
}

// A three-panel screen standing on the hearth. The wings open out far enough
// to face a viewer in the room rather than show their edges, and each
// carries one whole lattice panel, frame and all, as the front's two halves
// do; squeezed at a grazing angle the lattice would blur into a flat slab.
MeshBuilder Fireguard() {
  MeshBuilder guard("fireguard", true);
  const int lattice = guard.Material({"fireguard.tga", true});
  const WallFrame north = NorthWall();
  constexpr float kFront = 100, kBack = 70, kHalf = 62, kWing = 100, kTop = 78;
  const float z0 = kHearthTopZ;
  const float height = kTop - z0;
  const float wing = std::hypot(kWing - kHalf, kFront - kBack);
  guard.TiledQuad(lattice, north.At(-kHalf, z0, kFront), north.At(kHalf, z0, kFront), north.At(kHalf, kTop, kFront),
                  north.At(-kHalf, kTop, kFront), kHalf, height);
  guard.TiledQuad(lattice, north.At(kHalf, z0, kFront), north.At(kWing, z0, kBack), north.At(kWing, kTop, kBack),
                  north.At(kHalf, kTop, kFront), wing, height);
  guard.TiledQuad(lattice, north.At(-kWing, z0, kBack), north.At(-kHalf, z0, kFront), north.At(-kHalf, kTop, kFront),
                  north.At(-kWing, kTop, kBack), wing, height);
  return guard;
}

// A strip hanging in swags between fixing points; u runs along it in world
// units over `tileU`, v across it from 0 at the bottom edge to 1 at the top.
void Swags(MeshBuilder& mesh, int material, const WallFrame& frame, float h0, float h1, float topZ, float sag,
           float height, float depth, int swags, int segmentsPerSwag, float tileU) {
  const int segments = swags * segmentsPerSwag;
  float arc = 0;
  auto top = [&](int i) {
    const float phase = static_cast<float>(i % segmentsPerSwag) / segmentsPerSwag;
    return topZ - sag * std::sin(3.14159265f * phase);
  };
  for (int i = 0; i < segments; ++i) {
    const float ha = h0 + (h1 - h0) * i / segments, hb = h0 + (h1 - h0) * (i + 1) / segments;
    const float ta = top(i), tb = top(i + 1);
    const float length = std::hypot(hb - ha, tb - ta);
    const Vec3 corners[4] = {frame.At(ha, ta - height, depth), frame.At(hb, tb - height, depth),
                             frame.At(hb, tb, depth), frame.At(ha, ta, depth)};
    const Vec2 uv[4] = {{arc / tileU, 0}, {(arc + length) / tileU, 0}, {(arc + length) / tileU, 1}, {arc / tileU, 1}};
    mesh.Quad(material, corners, uv);
    arc += length;
  }
}

MeshBuilder Garland() {
  MeshBuilder garland("garland", true);
  const int fir = garland.Material({"garland.tga", true});
  Swags(garland, fir, NorthWall(), -kMantelHalfWidth - 2, kMantelHalfWidth + 2, kMantelTopZ - 1, 12, 16,
        kNorthY - kMantelFrontY + 1.5f, 3, 4, 64);
  return garland;
}

// Drawn additively at full strength: the bulbs are light, not lit.
MeshBuilder FairyLights() {
  MeshBuilder lights("fairy lights", false);
  const int bulbs = lights.Material({"ad_fairylights.tga", true});
  for (int beam : {1, 2}) {
    const WallFrame under{{0, kBeamCentresY[beam], 0}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    Swags(lights, bulbs, under, kWestX + 30, kEastX - 30, kBeamBottomZ - 1, 9, 9, 0, 8, 3, 36);
  }
  return lights;
}

}  // namespace

std::vector<MeshBuilder> BuildFireplace() {
  return {Surround(), ChimneyBreast(), Hearth(), Mantel(), MantelCorbels(), Firebox(), Fireguard(), Garland(), FairyLights()};
}

}  // namespace content
