#include "math/vector3.h"

#include <cmath>

namespace math {

float Normalize(Vector3& v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  const float factor = length > 0.00001f ? 1.0f / length : 0.0f;
  v.x *= factor;
  v.y *= factor;
  v.z *= factor;
  return factor;
}

Vector3 Normalized(float x, float y, float z) {
  const float factor = 1.0f / std::sqrt(x * x + y * y + z * z);
  return {x * factor, y * factor, z * factor};
}

Vector3 Normalized(const Vector3& v) { return Normalized(v.x, v.y, v.z); }

float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float Distance(const Vector3& a, const Vector3& b) {
  const float dx = a.x - b.x;
  const float dy = a.y - b.y;
  const float dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace math
