// The rug before the fire and the two framed paintings.
#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

MeshBuilder Rug() {
  MeshBuilder rug("rug", true);
  const int weave = rug.Material({"rug.tga"});
  constexpr float x0 = -110, x1 = 110, y0 = 95, y1 = 270, kPile = 0.8f;
  const Vec3 top[4] = {{x0, y0, kPile}, {x1, y0, kPile}, {x1, y1, kPile}, {x0, y1, kPile}};
  const Vec2 uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  rug.Quad(weave, top, uv);
  rug.Box(weave, {x0, y0, 0}, {x1, y1, kPile}, kFaceNegX | kFacePosX | kFaceNegY | kFacePosY, 220, 220);
  return rug;
}

struct Picture {
  const char* frameName;
  const char* paintingName;
  const char* texture;
  WallFrame wall;
  float h0, h1, v0, v1;  // the picture itself
};

constexpr float kMoulding = 8, kFrameDepth = 4, kMouldingTileU = 24;

// Four mitred mouldings around the picture, u along each, v from the
// outer edge (0) to the inner (1), and the frame's outer sides.
MeshBuilder Frame(const Picture& p) {
  MeshBuilder frame(p.frameName, true);
  const int gold = frame.Material({"frame_gold.tga"});
  const WallFrame& w = p.wall;
  const float oh0 = p.h0 - kMoulding, oh1 = p.h1 + kMoulding, ov0 = p.v0 - kMoulding, ov1 = p.v1 + kMoulding;
  const float outer[4][2] = {{oh0, ov0}, {oh1, ov0}, {oh1, ov1}, {oh0, ov1}};
  const float inner[4][2] = {{p.h0, p.v0}, {p.h1, p.v0}, {p.h1, p.v1}, {p.h0, p.v1}};
  for (int k = 0; k < 4; ++k) {
    const int n = (k + 1) % 4;
    const Vec3 corners[4] = {w.At(outer[k][0], outer[k][1], kFrameDepth), w.At(outer[n][0], outer[n][1], kFrameDepth),
                             w.At(inner[n][0], inner[n][1], kFrameDepth), w.At(inner[k][0], inner[k][1], kFrameDepth)};
    const float length = (k % 2 == 0 ? oh1 - oh0 : ov1 - ov0) / kMouldingTileU;
    const float in = kMoulding / kMouldingTileU;
    const Vec2 uv[4] = {{0, 0}, {length, 0}, {length - in, 1}, {in, 1}};
    frame.Quad(gold, corners, uv);
  }
  WallRectEdges(frame, gold, w, oh0, oh1, ov0, ov1, 0, kFrameDepth, kMouldingTileU);
  return frame;
}

MeshBuilder Painting(const Picture& p) {
  MeshBuilder painting(p.paintingName, true);
  const int canvas = painting.Material({p.texture});
  const Vec3 corners[4] = {p.wall.At(p.h0, p.v0, 1.5f), p.wall.At(p.h1, p.v0, 1.5f), p.wall.At(p.h1, p.v1, 1.5f),
                           p.wall.At(p.h0, p.v1, 1.5f)};
  const Vec2 uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  painting.Quad(canvas, corners, uv);
  return painting;
}

}  // namespace

std::vector<MeshBuilder> BuildDecor() {
  // West wall: between the clock and the tree; south wall: across from the
  // fire, where the armchair's sitter would not see it but the cameras do.
  const Picture pictures[] = {
      {"picture frame west", "painting west", "painting_winter.tga", WestWall(), 95, 175, 135, 195},
      {"picture frame south", "painting south", "painting_still.tga", SouthWall(), -195, -105, 125, 195},
  };
  std::vector<MeshBuilder> decor{Rug()};
  for (const Picture& p : pictures) {
    decor.push_back(Frame(p));
    decor.push_back(Painting(p));
  }
  return decor;
}

}  // namespace content
