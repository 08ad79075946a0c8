// The view frustum the scene renderer culls static-model instances against.
// The camera re-extracts it right after loading its view, so the planes are
// in world space.
#pragma once

#include "math/matrix4.h"

namespace math {

// A point p is on the inner side when a*p.x + b*p.y + c*p.z + d > 0.
struct Plane {
  float a = 0.0f;
  float b = 0.0f;
  float c = 0.0f;
  float d = 0.0f;
};

enum FrustumPlane {
  kRightPlane = 0,
  kLeftPlane = 1,
  kBottomPlane = 2,
  kTopPlane = 3,
  kFarPlane = 4,
  kNearPlane = 5,
};

struct Frustum {
  Plane planes[6];  // indexed by FrustumPlane

  // Rebuilds the planes from the current GL projection and modelview
  // matrices. Needs a current GL context.
  void Extract();

  // Rebuilds the planes from the clip matrix projection * modelview, each
  // plane scaled to a unit normal so that plane values are distances.
  void ExtractFrom(const Matrix4& projection, const Matrix4& modelview);

  // False when the sphere lies entirely outside some plane; a sphere that
  // only touches a plane from outside counts as outside.
  bool TestSphere(float x, float y, float z, float radius) const;

  // False when all eight corners of the axis-aligned cube with half-size s lie
  // outside (or on) one plane. Conservative: a cube straddling two planes
  // near a frustum corner may pass although it is not visible.
  bool TestCube(float x, float y, float z, float s) const;
};

// The one frustum of the running program, refreshed whenever the camera
// applies its view.
extern Frustum ViewFrustum;

}  // namespace math
