// Where things stand in the room: the shell, the openings, and the ground
// that later models will take, so that geometry, cameras and placed helpers
// agree. Units are centimetres, z up, the floor at z = 0.
#pragma once

#include <vector>

#include "bss_writer.h"

namespace content {
namespace layout {

constexpr float kWestX = -500, kEastX = 500, kSouthY = -400, kNorthY = 400, kCeilingZ = 320;
constexpr float kWallDepth = 20;  // the east wall's thickness at the windows

// The two east windows: centres along y, width, sill and head heights.
constexpr float kWindowCentresY[2] = {-160, 140};
constexpr float kWindowWidth = 110, kSillZ = 90, kWindowHeadZ = 262;
constexpr float kGlassX = kEastX + 12;

// Fireplace on the north wall, centred on x = 0.
constexpr float kSurroundHalfWidth = 120, kSurroundFrontY = 340, kSurroundTopZ = 130;
constexpr float kOpeningHalfWidth = 55, kOpeningBottomZ = 10, kOpeningTopZ = 100;
constexpr float kFireboxBackY = 392;
constexpr float kHearthFrontY = 280, kHearthHalfWidth = 150, kHearthTopZ = 10;
constexpr float kMantelZ = 130, kMantelTopZ = 140, kMantelFrontY = 322, kMantelHalfWidth = 148;

// West wall: the door and the clock.
constexpr float kDoorCentreY = -250, kDoorWidth = 90, kDoorHeight = 205;
constexpr Vec3 kClockPosition{-495, 0, 220};

// Ceiling beams run east-west at these y.
constexpr float kBeamCentresY[3] = {-220, 0, 220};
constexpr float kBeamHalfWidth = 11, kBeamBottomZ = 294;

// The fir tree and its track ring in the north-west corner.
constexpr Vec3 kTreeCentre{-355, 255, 0};
constexpr float kTreeBaseRadius = 90, kTreeHeight = 262, kTrackRadius = 128;

// Furniture that arrives later as models.
constexpr Vec3 kArmchairCentre{120, 40, 0};
constexpr Vec3 kLampPosition{200, 95, 0};
constexpr Vec3 kSideTablePosition{30, -15, 0};
constexpr Vec3 kTeddyByTree{-240, 150, 0};

// Room the cameras keep from the shell.
constexpr float kCameraMargin = 20;

// A vertical prism that a camera must not enter: round (radius) or a box.
struct Footprint {
  const char* what;
  float x, y;
  float radius;        // > 0: a circle
  float halfX, halfY;  // used when radius is 0
  float height;
};

inline std::vector<Footprint> FurnitureFootprints() {
  return {
      {"fir tree", kTreeCentre.x, kTreeCentre.y, kTreeBaseRadius + 15, 0, 0, kTreeHeight + 25},
      {"train track", kTreeCentre.x, kTreeCentre.y, kTrackRadius + 12, 0, 0, 40},
      {"armchair", kArmchairCentre.x, kArmchairCentre.y, 0, 50, 50, 115},
      {"floor lamp", kLampPosition.x, kLampPosition.y, 32, 0, 0, 185},
      {"side table", kSideTablePosition.x, kSideTablePosition.y, 35, 0, 0, 75},
      {"teddy by the tree", kTeddyByTree.x, kTeddyByTree.y, 28, 0, 0, 45},
  };
}

inline bool InsideFootprint(const Footprint& f, Vec3 p) {
  if (p.z >= f.height) return false;
  if (f.radius > 0) return (p.x - f.x) * (p.x - f.x) + (p.y - f.y) * (p.y - f.y) < f.radius * f.radius;
  return p.x > f.x - f.halfX && p.x < f.x + f.halfX && p.y > f.y - f.halfY && p.y < f.y + f.halfY;
}

}  // namespace layout
}  // namespace content
