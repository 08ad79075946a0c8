// The five camera paths: smooth curves through hand-placed waypoints, timed
// in keys, each key looking at a target that glides along its own curve.
#include <cmath>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

constexpr int kKeys = 300;
constexpr float kDegreesPerStoredUnit = 28.648735f;

struct Waypoint {
  float key;
  Vec3 position;
  Vec3 target;
};

Vec3 Add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Scale(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }

// Cubic Hermite through the waypoints with tangents from their neighbours,
// measured per key, so the speed carries on smoothly across a waypoint even
// where waypoints are unevenly spaced in time. The ends start and stop at rest.
Vec3 Curve(const std::vector<Waypoint>& points, float key, Vec3 Waypoint::*field) {
  const size_t n = points.size();
  if (key <= points.front().key) return points.front().*field;
  if (key >= points.back().key) return points.back().*field;
  size_t i = 0;
  while (i + 2 < n && key > points[i + 1].key) ++i;
  auto tangent = [&](size_t k) {
    if (k == 0 || k + 1 == n) return Vec3{};
    return Scale(Sub(points[k + 1].*field, points[k - 1].*field), 1.0f / (points[k + 1].key - points[k - 1].key));
  };
  const float h = points[i + 1].key - points[i].key;
  const float s = (key - points[i].key) / h, s2 = s * s, s3 = s2 * s;
  const Vec3 p0 = points[i].*field, p1 = points[i + 1].*field;
  const Vec3 m0 = Scale(tangent(i), h), m1 = Scale(tangent(i + 1), h);
  return Add(Add(Scale(p0, 2 * s3 - 3 * s2 + 1), Scale(m0, s3 - 2 * s2 + s)),
             Add(Scale(p1, -2 * s3 + 3 * s2), Scale(m1, s3 - s2)));
}

BssCamera Path(const std::vector<Waypoint>& points, float verticalDegrees) {
  BssCamera camera;
  for (int k = 0; k < kKeys; ++k) {
    const Vec3 position = Curve(points, static_cast<float>(k), &Waypoint::position);
    const Vec3 target = Curve(points, static_cast<float>(k), &Waypoint::target);
    camera.positions.push_back(position);
    camera.rotations.push_back(CameraKeyRotation(Sub(target, position), {0, 0, 1}));
    camera.fovs.push_back(verticalDegrees / kDegreesPerStoredUnit);
  }
  return camera;
}

// 1: low and slow around the tree corner, the train's ring at its feet.
BssCamera TreeOrbit() {
  std::vector<Waypoint> points;
  const float start = 25, end = -112;  // degrees around the tree, from the fireplace side to the west wall
  const int steps = 5;
  for (int i = 0; i <= steps; ++i) {
    const float f = static_cast<float>(i) / steps;
    const float angle = (start + (end - start) * f) * 3.14159265f / 180;
    const float radius = 218 - 14 * f;
    const Vec3 p{kTreeCentre.x + radius * std::cos(angle), kTreeCentre.y + radius * std::sin(angle), 55 + 30 * f};
    points.push_back({299 * f, p, {kTreeCentre.x, kTreeCentre.y, 95 + 30 * f}});
  }
  return Path(points, 55);
}

// 2: from the middle of the room up to the fire, settling on the stockings
// and the candles on the mantel.
BssCamera FireplaceDolly() {
  return Path({{0, {0, -260, 165}, {0, 380, 115}},
               {110, {14, -40, 152}, {-4, 380, 120}},
               {210, {10, 130, 142}, {0, 365, 126}},
               {265, {2, 178, 138}, {0, 358, 128}},
               {299, {0, 186, 137}, {0, 356, 129}}},
              55);
}

// 3: over the armchair's back towards the windows and the snow beyond.
BssCamera ArmchairToWindow() {
  return Path({{0, {185, -115, 152}, {80, 240, 105}},
               {115, {250, -110, 150}, {470, 10, 150}},
               {220, {360, -132, 150}, {600, -160, 160}},
               {299, {395, -140, 148}, {620, -165, 158}}},
              55);
}

// 4: along the west wall from the door, resting on the clock long enough to
// read it, then on to the painting by the tree.
BssCamera ClockPan() {
  const Vec3 clock = kClockPosition;
  return Path({{0, {-255, -300, 165}, {-500, -250, 130}},
               {70, {-278, -125, 184}, {-500, -60, 190}},
               {105, {-290, -22, 200}, {clock.x, clock.y - 4, clock.z - 2}},
               {160, {-293, -6, 202}, {clock.x, clock.y, clock.z}},
               {215, {-290, 10, 201}, {clock.x, clock.y + 3, clock.z - 1}},
               {299, {-262, 125, 182}, {-500, 150, 160}}},
              55);
}

// 5: high and wide, round the room from the south-east corner.
BssCamera WideSweep() {
  return Path({{0, {420, -320, 255}, {-150, 160, 90}},
               {100, {60, -345, 262}, {-60, 220, 80}},
               {200, {-330, -300, 255}, {100, 220, 90}},
               {299, {-420, 20, 245}, {300, 120, 100}}},
              62);
}

}  // namespace

std::vector<BssCamera> BuildCameras() { return {TreeOrbit(), FireplaceDolly(), ArmchairToWindow(), ClockPan(), WideSweep()}; }

}  // namespace content
