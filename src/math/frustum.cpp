#include "math/frustum.h"

#include <cmath>

#include "platform/gl_api.h"

namespace math {

Frustum ViewFrustum;

void Frustum::Extract() {
  Matrix4 projection;
  Matrix4 modelview;
  glGetFloatv(GL_PROJECTION_MATRIX, projection.m);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview.m);
  ExtractFrom(projection, modelview);
}

void Frustum::ExtractFrom(const Matrix4& projection, const Matrix4& modelview) {
  const Matrix4& p = projection;
  const Matrix4& m = modelview;
  Matrix4 clip;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      clip[i * 4 + j] = m[i * 4 + 0] * p[0 * 4 + j] + m[i * 4 + 1] * p[1 * 4 + j] +
                        m[i * 4 + 2] * p[2 * 4 + j] + m[i * 4 + 3] * p[3 * 4 + j];
    }
  }

  // Each plane combines the w row of the clip matrix with the x, y or z row:
  // inside means -w < x, y, z < w after projection.
  struct Combination {
    int row;
    float sign;
  };
  static const Combination combinations[6] = {
      {0, -1.0f},  // right
      {0, +1.0f},  // left
      {1, +1.0f},  // bottom
      {1, -1.0f},  // top
      {2, -1.0f},  // far
      {2, +1.0f},  // near
  };

  for (int n = 0; n < 6; ++n) {
    const int k = combinations[n].row;
    const float sign = combinations[n].sign;
    Plane& plane = planes[n];
    plane.a = clip[3] + sign * clip[k];
    plane.b = clip[7] + sign * clip[4 + k];
    plane.c = clip[11] + sign * clip[8 + k];
    plane.d = clip[15] + sign * clip[12 + k];

    const float length = std::sqrt(plane.a * plane.a + plane.b * plane.b + plane.c * plane.c);
    plane.a /= length;
    plane.b /= length;
    plane.c /= length;
    plane.d /= length;
  }
}

bool Frustum::TestSphere(float x, float y, float z, float radius) const {
  for (const Plane& plane : planes) {
    if (plane.a * x + plane.b * y + plane.c * z + plane.d <= -radius) return false;
  }
  return true;
}

bool Frustum::TestCube(float x, float y, float z, float s) const {
  for (const Plane& plane : planes) {
    bool anyCornerInside = false;
    for (int corner = 0; corner < 8 && !anyCornerInside; ++corner) {
      const float cx = (corner & 1) ? x + s : x - s;
      const float cy = (corner & 2) ? y + s : y - s;
      const float cz = (corner & 4) ? z + s : z - s;
      if (plane.a * cx + plane.b * cy + plane.c * cz + plane.d > 0.0f) anyCornerInside = true;
    }
    if (!anyCornerInside) return false;
  }
  return true;
}

}  // namespace math
