// The room's shadow-casting triangles in one Embree scene, for the baker's
// shadow and occlusion rays. Queries may run from several threads at once.
//
// Rays pass through the back of a surface when they meet it within
// kThroughBackDistance of their origin: a sample point that sits a hair behind
// a neighbouring wall or floor (where surfaces meet) then sees the room it
// belongs to instead of the underside of its neighbour.
#pragma once

#include <embree3/rtcore.h>

#include <vector>

#include "lightmap_baker.h"

namespace content {

constexpr float kThroughBackDistance = 0.5f;

struct RayHit {
  bool found = false;
  float distance = 0;
  bool backFace = false;  // the ray met the side the surface's normal points away from
};

class RayScene {
 public:
  explicit RayScene(const std::vector<BakeTriangle>& triangles);
  ~RayScene();
  RayScene(const RayScene&) = delete;
  RayScene& operator=(const RayScene&) = delete;

  // Whether nothing blocks the way from origin along the unit direction for
  // the given distance.
  bool Clear(Vec3 origin, Vec3 direction, float distance) const;
  // The first surface along the unit direction within maxDistance.
  RayHit Nearest(Vec3 origin, Vec3 direction, float maxDistance) const;

 private:
  RTCDevice device_ = nullptr;
  RTCScene scene_ = nullptr;
  std::vector<Vec3> normals_;  // per Embree primitive
};

}  // namespace content
