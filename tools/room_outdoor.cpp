// The night beyond the east windows: rows of fir silhouettes on rolling snow
// under a curved sky with the moon. None of it carries a lightmap; its
// textures are already as dark as the night.
#include <cmath>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

// The sky is a dome around the room's middle: every point of it stays within
// the far plane (3000) from anywhere a camera may stand, and it closes over
// the top so that no view up through a pane runs past it.
constexpr Vec3 kDomeCentre{0, 0, 160};
constexpr float kDomeRadius = 2200;
constexpr float kSkyRadius = 2150;  // how far the ground and the fir rows reach from the room
constexpr float kGroundStartX = kEastX + kWallDepth;
constexpr float kGroundHalfY = 1450;
constexpr float kPi = 3.14159265f;

// The snow rises into gentle swells further out; near the house it lies
// flat, a little below the floor.
float GroundHeight(float x, float y) {
  const float out = std::fmin(1.0f, std::fmax(0.0f, (x - kGroundStartX) / 1600));
  const float swell = 0.6f * std::sin(x / 310 + 1.3f) * std::cos(y / 420) + 0.4f * std::sin(y / 260 + x / 500);
  return -18 + (8 + 55 * out) * swell;
}

// How far a row at distance x may reach sideways and stay inside the sky.
float RowHalfWidth(float x) { return std::sqrt(kSkyRadius * kSkyRadius - x * x) - 60; }

MeshBuilder FirRow(const char* name, float x, float height, float uOffset) {
  MeshBuilder row(name, false);
  const int firs = row.Material({"fir_silhouette.tga"});
  const float half = std::fmin(RowHalfWidth(x), 350 + 0.55f * x);
  const int segments = 8;
  const float tileU = 2 * height;  // the picture is twice as wide as tall
  // Seen from the room, y falls to the right: walk from +y to -y.
  for (int i = 0; i < segments; ++i) {
    const float ya = half - 2 * half * i / segments, yb = half - 2 * half * (i + 1) / segments;
    const float ba = GroundHeight(x, ya) - 25, bb = GroundHeight(x, yb) - 25;
    const Vec3 corners[4] = {{x, ya, ba}, {x, yb, bb}, {x, yb, bb + height}, {x, ya, ba + height}};
    const float ua = uOffset + (half - ya) / tileU, ub = uOffset + (half - yb) / tileU;
    const Vec2 uv[4] = {{ua, 0}, {ub, 0}, {ub, 1}, {ua, 1}};
    row.Quad(firs, corners, uv);
  }
  return row;
}

MeshBuilder Ground() {
  MeshBuilder ground("snow ground", false);
  const int snow = ground.Material({"snow_ground.tga"});
  constexpr int kAcross = 14, kAlong = 14;
  constexpr float kTile = 300;
  // Rows close together near the house, wider towards the sky.
  auto xAt = [](int i) {
    const float f = static_cast<float>(i) / kAcross;
    return kGroundStartX + (kSkyRadius - kGroundStartX) * f * (0.55f + 0.45f * f);
  };
  // Each row narrows to stay inside a circle a little wider than the fir
  // rows' reach, so the far corners stay under the dome and within the far
  // plane while the last row keeps some width.
  constexpr float kEdge = kSkyRadius + 30;
  auto point = [](float x, int j) {
    const float half = std::fmin(kGroundHalfY, std::sqrt(kEdge * kEdge - x * x));
    const float y = -half + 2 * half * j / kAlong;
    return Vec3{x, y, GroundHeight(x, y)};
  };
  for (int i = 0; i < kAcross; ++i)
    for (int j = 0; j < kAlong; ++j) {
      const float x0 = xAt(i), x1 = xAt(i + 1);
      const Vec3 corners[4] = {point(x0, j), point(x1, j), point(x1, j + 1), point(x0, j + 1)};
      Vec2 uv[4];
      for (int c = 0; c < 4; ++c) uv[c] = {corners[c].x / kTile, corners[c].y / kTile};
      ground.Quad(snow, corners, uv);
    }
  return ground;
}

// A vertical disc picture turned to face the room's centre.
MeshBuilder Moon() {
  MeshBuilder moon("moon", false);
  const int disc = moon.Material({"moon.tga"});
  const Vec3 centre{2050, -320, 600};
  constexpr float kHalf = 110;
  const float length = std::hypot(centre.x, centre.y);
  const Vec3 right{centre.y / length, -centre.x / length, 0};  // to the viewer's right, seen from the room
  const Vec3 corners[4] = {
      {centre.x - right.x * kHalf, centre.y - right.y * kHalf, centre.z - kHalf},
      {centre.x + right.x * kHalf, centre.y + right.y * kHalf, centre.z - kHalf},
      {centre.x + right.x * kHalf, centre.y + right.y * kHalf, centre.z + kHalf},
      {centre.x - right.x * kHalf, centre.y - right.y * kHalf, centre.z + kHalf},
  };
  const Vec2 uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  moon.Quad(disc, corners, uv);
  return moon;
}

// Where on the picture's height a direction this far above the horizon
// falls: the bright bottom rows hug the horizon, the dark top rows fill the
// rest of the dome up to the zenith.
float SkyV(float elevation) {
  constexpr float kHorizonV = 0.3f, kLowest = -15 * kPi / 180;
  if (elevation < 0) return kHorizonV * (1 - elevation / kLowest);
  return kHorizonV + (1 - kHorizonV) * std::sqrt(elevation / (kPi / 2));
}

// The eastern half of a dome around the room, facing inwards, from below
// the snow line nearly up to the zenith.
MeshBuilder Sky() {
  MeshBuilder sky("night sky", false);
  const int night = sky.Material({"night_sky.tga"});
  constexpr int kAround = 24, kUp = 12;
  // The top ring stops short of the zenith, which no view through the panes
  // comes near, so that no quad folds into a point.
  constexpr float kHalfAngle = 100 * kPi / 180, kLowest = -15 * kPi / 180, kHighest = 86 * kPi / 180;
  constexpr float kTileU = 1500;
  auto point = [](float azimuth, float elevation) {
    const float flat = kDomeRadius * std::cos(elevation);
    return Vec3{kDomeCentre.x + flat * std::cos(azimuth), kDomeCentre.y + flat * std::sin(azimuth),
                kDomeCentre.z + kDomeRadius * std::sin(elevation)};
  };
  // Rings closer together near the horizon, where the picture changes most.
  auto elevationAt = [](int j) {
    const float f = static_cast<float>(j) / kUp;
    return kLowest + (kHighest - kLowest) * f * (0.55f + 0.45f * f);
  };
  for (int j = 0; j < kUp; ++j) {
    const float e0 = elevationAt(j), e1 = elevationAt(j + 1);
    const float v0 = SkyV(e0), v1 = SkyV(e1);
    for (int i = 0; i < kAround; ++i) {
      const float a0 = -kHalfAngle + 2 * kHalfAngle * i / kAround;
      const float a1 = -kHalfAngle + 2 * kHalfAngle * (i + 1) / kAround;
      const float u0 = kDomeRadius * (kHalfAngle - a0) / kTileU, u1 = kDomeRadius * (kHalfAngle - a1) / kTileU;
      // Seen from inside, the azimuth falls to the right: a1 on the left.
      const Vec3 corners[4] = {point(a1, e0), point(a0, e0), point(a0, e1), point(a1, e1)};
      const Vec2 uv[4] = {{u1, v0}, {u0, v0}, {u0, v1}, {u1, v1}};
      sky.Quad(night, corners, uv);
    }
  }
  return sky;
}

}  // namespace

std::vector<MeshBuilder> BuildOutdoor() {
  // Back to front: the soft edges of the moon's halo and of the firs blend
  // over what is already drawn behind them, and their depth must not keep
  // the sky out.
  return {Sky(),
          Moon(),
          Ground(),
          FirRow("firs farthest", 1900, 520, 0.19f),
          FirRow("firs far", 1600, 440, 0.71f),
          FirRow("firs middle", 1250, 360, 0.37f),
          FirRow("firs near", 900, 280, 0.0f)};
}

}  // namespace content
