// The night beyond the east windows: rows of fir silhouettes on rolling snow
// under a curved sky with the moon. None of it carries a lightmap; its
// textures are already as dark as the night.
#include <cmath>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

constexpr float kSkyRadius = 2150;  // keeps every point within the far plane of every camera
constexpr float kGroundStartX = kEastX + kWallDepth;
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
  constexpr float kTile = 300, kHalfY = 1450;
  // Rows close together near the house, wider towards the sky.
  auto xAt = [](int i) {
    const float f = static_cast<float>(i) / kAcross;
    return kGroundStartX + (kSkyRadius - kGroundStartX) * f * (0.55f + 0.45f * f);
  };
  for (int i = 0; i < kAcross; ++i)
    for (int j = 0; j < kAlong; ++j) {
      const float x0 = xAt(i), x1 = xAt(i + 1);
      const float y0 = -kHalfY + 2 * kHalfY * j / kAlong, y1 = -kHalfY + 2 * kHalfY * (j + 1) / kAlong;
      const Vec3 corners[4] = {{x0, y0, GroundHeight(x0, y0)}, {x1, y0, GroundHeight(x1, y0)},
                               {x1, y1, GroundHeight(x1, y1)}, {x0, y1, GroundHeight(x0, y1)}};
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

// Part of a cylinder around the room, facing inwards, from below the snow
// line to well above the firs; the picture's bright bottom rows make the
// horizon.
MeshBuilder Sky() {
  MeshBuilder sky("night sky", false);
  const int night = sky.Material({"night_sky.tga"});
  constexpr int kSegments = 20;
  constexpr float kHalfAngle = 85 * kPi / 180, kBottom = -250, kTop = 950, kTileU = 1500;
  for (int i = 0; i < kSegments; ++i) {
    const float a0 = -kHalfAngle + 2 * kHalfAngle * i / kSegments, a1 = -kHalfAngle + 2 * kHalfAngle * (i + 1) / kSegments;
    const float x0 = kSkyRadius * std::cos(a0), y0 = kSkyRadius * std::sin(a0);
    const float x1 = kSkyRadius * std::cos(a1), y1 = kSkyRadius * std::sin(a1);
    const float u1 = kSkyRadius * (kHalfAngle - a1) / kTileU, u0 = kSkyRadius * (kHalfAngle - a0) / kTileU;
    const float vBottom = 0, vTop = 1;
    // Seen from inside, the angle falls to the right: a1 on the left.
    const Vec3 corners[4] = {{x1, y1, kBottom}, {x0, y0, kBottom}, {x0, y0, kTop}, {x1, y1, kTop}};
    const Vec2 uv[4] = {{u1, vBottom}, {u0, vBottom}, {u0, vTop}, {u1, vTop}};
    sky.Quad(night, corners, uv);
  }
  return sky;
}

}  // namespace

std::vector<MeshBuilder> BuildOutdoor() {
  return {FirRow("firs near", 900, 280, 0.0f),   FirRow("firs middle", 1250, 360, 0.37f),
          FirRow("firs far", 1600, 440, 0.71f),  FirRow("firs farthest", 1900, 520, 0.19f),
          Ground(),                              Moon(),
          Sky()};
}

}  // namespace content
