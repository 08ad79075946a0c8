// The room's shell: floor, walls with the two east window openings, ceiling,
// the windows themselves, skirting, beams, the door and the curtains.
#include <cmath>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

WallFrame NorthWall() { return {{0, kNorthY, 0}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}}; }
WallFrame SouthWall() { return {{0, kSouthY, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 1, 0}}; }
WallFrame WestWall() { return {{kWestX, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}}; }
WallFrame EastWall() { return {{kEastX, 0, 0}, {0, -1, 0}, {0, 0, 1}, {-1, 0, 0}}; }

void WallRect(MeshBuilder& mesh, int material, const WallFrame& wall, float h0, float h1, float v0, float v1,
              float d, float tileU, float tileV) {
  // Offsets keep a tiled texture continuous across the pieces of one wall.
  mesh.TiledQuad(material, wall.At(h0, v0, d), wall.At(h1, v0, d), wall.At(h1, v1, d), wall.At(h0, v1, d), tileU,
                 tileV, {h0 / tileU, v0 / tileV});
}

void WallRectEdges(MeshBuilder& mesh, int material, const WallFrame& wall, float h0, float h1, float v0, float v1,
                   float d0, float d1, float tile, unsigned edges) {
  const float hs[4] = {h0, h1, h1, h0}, vs[4] = {v0, v0, v1, v1};
  for (int k = 0; k < 4; ++k) {
    if (!(edges & (1u << k))) continue;
    const int n = (k + 1) % 4;
    mesh.TiledQuad(material, wall.At(hs[k], vs[k], d0), wall.At(hs[n], vs[n], d0), wall.At(hs[n], vs[n], d1),
                   wall.At(hs[k], vs[k], d1), tile, tile);
  }
}

namespace {

constexpr float kWallpaperTile = 200, kPlasterTile = 150;

MeshBuilder Room() {
  MeshBuilder room("room", true);
  const int floor = room.Material({"floor_oak.tga"});
  const int paper = room.Material({"wallpaper.tga"});
  const int plaster = room.Material({"plaster_ceiling.tga"});
  // Planks run east-west, about 20 wide and 80 long.
  room.Rect(floor, Axis::Z, true, 0, kWestX, kEastX, kSouthY, kNorthY, 160, 80);
  room.Rect(plaster, Axis::Z, false, kCeilingZ, kWestX, kEastX, kSouthY, kNorthY, kPlasterTile, kPlasterTile);
  WallRect(room, paper, NorthWall(), kWestX, kEastX, 0, kCeilingZ, 0, kWallpaperTile, kWallpaperTile);
  WallRect(room, paper, SouthWall(), -kEastX, -kWestX, 0, kCeilingZ, 0, kWallpaperTile, kWallpaperTile);
  WallRect(room, paper, WestWall(), kSouthY, kNorthY, 0, kCeilingZ, 0, kWallpaperTile, kWallpaperTile);

  // The east wall in pieces around the openings (h = -y on this wall).
  const WallFrame east = EastWall();
  WallRect(room, paper, east, -kNorthY, -kSouthY, 0, kSillZ, 0, kWallpaperTile, kWallpaperTile);
  WallRect(room, paper, east, -kNorthY, -kSouthY, kWindowHeadZ, kCeilingZ, 0, kWallpaperTile, kWallpaperTile);
  float h = -kNorthY;
  for (int w = 1; w >= 0; --w) {
    const float left = -kWindowCentresY[w] - kWindowWidth / 2;
    WallRect(room, paper, east, h, left, kSillZ, kWindowHeadZ, 0, kWallpaperTile, kWallpaperTile);
    h = left + kWindowWidth;
  }
  WallRect(room, paper, east, h, -kSouthY, kSillZ, kWindowHeadZ, 0, kWallpaperTile, kWallpaperTile);

  // Plastered reveals through the wall's depth, facing into each opening.
  for (float centre : kWindowCentresY) {
    const float y0 = centre - kWindowWidth / 2, y1 = centre + kWindowWidth / 2;
    room.Rect(plaster, Axis::Y, true, y0, kEastX, kEastX + kWallDepth, kSillZ, kWindowHeadZ, kPlasterTile,
              kPlasterTile);
    room.Rect(plaster, Axis::Y, false, y1, kEastX, kEastX + kWallDepth, kSillZ, kWindowHeadZ, kPlasterTile,
              kPlasterTile);
    room.Rect(plaster, Axis::Z, false, kWindowHeadZ, kEastX, kEastX + kWallDepth, y0, y1, kPlasterTile, kPlasterTile);
  }
  return room;
}

// Frame members sit in the middle of the reveal; a mullion and a transom
// divide each window into four panes.
constexpr float kFrameBack = kGlassX + 4, kFrameFront = kGlassX - 4, kMember = 6, kTransomZ = 205;

MeshBuilder WindowFrames() {
  MeshBuilder frames("window frames", true);
  const int wood = frames.Material({"window_frame.tga"});
  const unsigned roomSide = kAllFaces & ~kFacePosX;
  for (float c : kWindowCentresY) {
    const float y0 = c - kWindowWidth / 2, y1 = c + kWindowWidth / 2;
    frames.Box(wood, {kFrameFront, y0, kSillZ}, {kFrameBack, y0 + kMember, kWindowHeadZ}, roomSide & ~kFaceNegY, 60,
               60, Axis::Z);
    frames.Box(wood, {kFrameFront, y1 - kMember, kSillZ}, {kFrameBack, y1, kWindowHeadZ}, roomSide & ~kFacePosY, 60,
               60, Axis::Z);
    frames.Box(wood, {kFrameFront, y0 + kMember, kSillZ}, {kFrameBack, y1 - kMember, kSillZ + kMember},
               kFaceNegX | kFacePosZ, 60, 60, Axis::Y);
    frames.Box(wood, {kFrameFront, y0 + kMember, kWindowHeadZ - kMember}, {kFrameBack, y1 - kMember, kWindowHeadZ},
               kFaceNegX | kFaceNegZ, 60, 60, Axis::Y);
    frames.Box(wood, {kFrameFront, c - 2.5f, kSillZ + kMember}, {kFrameBack, c + 2.5f, kWindowHeadZ - kMember},
               roomSide & ~(kFaceNegZ | kFacePosZ), 60, 60, Axis::Z);
    frames.Box(wood, {kFrameFront, y0 + kMember, kTransomZ - 2.5f}, {kFrameBack, y1 - kMember, kTransomZ + 2.5f},
               roomSide & ~(kFaceNegY | kFacePosY), 60, 60, Axis::Y);
  }
  return frames;
}

MeshBuilder WindowSills() {
  MeshBuilder sills("window sills", true);
  const int wood = sills.Material({"sill_wood.tga"});
  for (float c : kWindowCentresY)
    sills.Box(wood, {kEastX - 24, c - kWindowWidth / 2 - 12, kSillZ - 5}, {kFrameFront, c + kWindowWidth / 2 + 12, kSillZ},
              kAllFaces & ~kFacePosX, 60, 30, Axis::Y);
  return sills;
}

// Each pane maps the glass picture once; the panes face the room.
MeshBuilder Glass() {
  MeshBuilder glass("glass", false);
  const int pane = glass.Material({"glass.tga"});
  const WallFrame east = EastWall();
  const float d = kEastX - kGlassX;  // negative: beyond the wall's inner face
  for (float c : kWindowCentresY) {
    const float hs[3] = {-c - kWindowWidth / 2 + kMember, -c, -c + kWindowWidth / 2 - kMember};
    const float vs[3] = {kSillZ + kMember, kTransomZ, kWindowHeadZ - kMember};
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) {
        const Vec3 corners[4] = {east.At(hs[i], vs[j], d), east.At(hs[i + 1], vs[j], d),
                                 east.At(hs[i + 1], vs[j + 1], d), east.At(hs[i], vs[j + 1], d)};
        const Vec2 uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        glass.Quad(pane, corners, uv);
      }
  }
  return glass;
}

// Boards along every wall, broken by the door and the fireplace surround.
MeshBuilder Skirting() {
  MeshBuilder skirting("skirting", true);
  const int board = skirting.Material({"skirting.tga"});
  constexpr float kHeight = 14, kDepth = 2.5f, kTileU = 56;
  struct Run {
    WallFrame wall;
    float h0, h1;
  };
  const float doorLow = kDoorCentreY - kDoorWidth / 2 - 8, doorHigh = kDoorCentreY + kDoorWidth / 2 + 8;
  const Run runs[] = {
      {NorthWall(), kWestX, -kSurroundHalfWidth}, {NorthWall(), kSurroundHalfWidth, kEastX},
      {SouthWall(), -kEastX, -kWestX},           {WestWall(), kSouthY, doorLow},
      {WestWall(), doorHigh, kNorthY},           {EastWall(), -kNorthY, -kSouthY},
  };
  for (const Run& run : runs) {
    WallRect(skirting, board, run.wall, run.h0, run.h1, 0, kHeight, kDepth, kTileU, kHeight);
    const Vec3 a = run.wall.At(run.h0, kHeight, 0), b = run.wall.At(run.h1, kHeight, 0);
    const Vec3 c = run.wall.At(run.h1, kHeight, kDepth), d = run.wall.At(run.h0, kHeight, kDepth);
    skirting.TiledQuad(board, d, c, b, a, kTileU, kHeight);
    // Ends where a run stops short of a corner.
    auto atCorner = [](float h) { return std::fabs(std::fabs(h) - kEastX) < 1 || std::fabs(std::fabs(h) - kNorthY) < 1; };
    const bool openLow = !atCorner(run.h0), openHigh = !atCorner(run.h1);
    if (openLow)
      skirting.TiledQuad(board, run.wall.At(run.h0, 0, 0), run.wall.At(run.h0, 0, kDepth),
                         run.wall.At(run.h0, kHeight, kDepth), run.wall.At(run.h0, kHeight, 0), kHeight, kHeight);
    if (openHigh)
      skirting.TiledQuad(board, run.wall.At(run.h1, 0, kDepth), run.wall.At(run.h1, 0, 0),
                         run.wall.At(run.h1, kHeight, 0), run.wall.At(run.h1, kHeight, kDepth), kHeight, kHeight);
  }
  return skirting;
}

MeshBuilder CeilingBeams() {
  MeshBuilder beams("ceiling beams", true);
  const int wood = beams.Material({"beam_wood.tga"});
  for (float y : kBeamCentresY)
    beams.Box(wood, {kWestX, y - kBeamHalfWidth, kBeamBottomZ}, {kEastX, y + kBeamHalfWidth, kCeilingZ},
              kFaceNegY | kFacePosY | kFaceNegZ, 120, 30, Axis::X);
  return beams;
}

MeshBuilder Door() {
  MeshBuilder door("door", true);
  const int face = door.Material({"door_wood.tga"});
  const WallFrame west = WestWall();
  const float h0 = kDoorCentreY - kDoorWidth / 2, h1 = kDoorCentreY + kDoorWidth / 2;
  const Vec3 corners[4] = {west.At(h0, 0, 2), west.At(h1, 0, 2), west.At(h1, kDoorHeight, 2),
                           west.At(h0, kDoorHeight, 2)};
  const Vec2 uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  door.Quad(face, corners, uv);
  return door;
}

MeshBuilder DoorCasing() {
  MeshBuilder casing("door casing", true);
  const int wood = casing.Material({"window_frame.tga"});
  const float y0 = kDoorCentreY - kDoorWidth / 2, y1 = kDoorCentreY + kDoorWidth / 2;
  constexpr float kWidth = 9, kProud = 5;
  const unsigned show = kAllFaces & ~(kFaceNegX | kFaceNegZ);
  casing.Box(wood, {kWestX, y0 - kWidth, 0}, {kWestX + kProud, y0, kDoorHeight + kWidth}, show, 60, 60, Axis::Z);
  casing.Box(wood, {kWestX, y1, 0}, {kWestX + kProud, y1 + kWidth, kDoorHeight + kWidth}, show, 60, 60, Axis::Z);
  casing.Box(wood, {kWestX, y0, kDoorHeight}, {kWestX + kProud, y1, kDoorHeight + kWidth}, kFacePosX | kFacePosZ | kFaceNegZ,
             60, 60, Axis::Y);
  // The door's reveal inside the casing.
  casing.Rect(wood, Axis::Z, false, kDoorHeight, kWestX, kWestX + 2, y0, y1, 60, 60);
  return casing;
}

// Curtains drawn aside: each panel hangs in folds beside an opening, a rod
// above both.
MeshBuilder Curtains() {
  MeshBuilder curtains("curtains", true);
  const int cloth = curtains.Material({"curtain_fabric.tga"});
  const int rod = curtains.Material({"mantel_wood.tga"});
  constexpr float kTop = 284, kBottom = 3, kPanel = 46, kFoldDepth = 7, kBack = kEastX - 23;  // in front of the sills
  constexpr int kFolds = 6;
  for (float c : kWindowCentresY) {
    for (int side = 0; side < 2; ++side) {
      // Panels overlap the opening's edge by a few centimetres.
      const float inner = side == 0 ? c - kWindowWidth / 2 + 6 : c + kWindowWidth / 2 - 6;
      const float outer = side == 0 ? inner - kPanel : inner + kPanel;
      float arc = 0;
      for (int i = 0; i < kFolds; ++i) {
        // Walk from high y to low y so each strip faces the room.
        const float f0 = static_cast<float>(i) / kFolds, f1 = static_cast<float>(i + 1) / kFolds;
        const float hi = side == 0 ? inner : outer, lo = side == 0 ? outer : inner;
        const float ya = hi + (lo - hi) * f0, yb = hi + (lo - hi) * f1;
        const float xa = kBack - (i % 2 == 0 ? 0 : kFoldDepth), xb = kBack - (i % 2 == 0 ? kFoldDepth : 0);
        const float width = std::hypot(yb - ya, xb - xa);
        curtains.TiledQuad(cloth, {xa, ya, kBottom}, {xb, yb, kBottom}, {xb, yb, kTop}, {xa, ya, kTop}, 50, 120,
                           {arc / 50, kBottom / 120});
        arc += width;
      }
    }
    curtains.Box(rod, {kBack - 6, c - kWindowWidth / 2 - 60, kTop + 2}, {kBack - 2, c + kWindowWidth / 2 + 60, kTop + 6},
                 kAllFaces & ~kFacePosX, 80, 20, Axis::Y);
  }
  return curtains;
}

// A plain cove where the walls meet the ceiling, softening the corner line.
MeshBuilder Cornice() {
  MeshBuilder cornice("cornice", true);
  const int moulding = cornice.Material({"skirting.tga"});
  constexpr float kDrop = 15, kReach = 15;
  const float slant = std::hypot(kDrop, kReach);
  const struct {
    WallFrame wall;
    float h0, h1;
  } walls[] = {{NorthWall(), kWestX, kEastX}, {SouthWall(), -kEastX, -kWestX},
               {WestWall(), kSouthY, kNorthY}, {EastWall(), -kNorthY, -kSouthY}};
  for (const auto& w : walls)
    cornice.TiledQuad(moulding, w.wall.At(w.h0, kCeilingZ - kDrop, 0), w.wall.At(w.h1, kCeilingZ - kDrop, 0),
                      w.wall.At(w.h1, kCeilingZ, kReach), w.wall.At(w.h0, kCeilingZ, kReach), 4 * slant, slant);
  return cornice;
}

}  // namespace

std::vector<MeshBuilder> BuildRoomShell() {
  return {Room(),  WindowFrames(), WindowSills(), Skirting(), Cornice(), CeilingBeams(),
          Door(),  DoorCasing(),   Curtains(),    Glass()};
}

}  // namespace content
