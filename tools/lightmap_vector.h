// The few vector operations the lightmap baker needs on the generator's Vec3.
#pragma once

#include <cmath>

#include "bss_writer.h"

namespace content {

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalized(Vec3 a) {
  float length = Length(a);
  return length > 0 ? a * (1 / length) : Vec3{0, 0, 0};
}

// The front side is the one the corners wind counter-clockwise around.
inline Vec3 FaceNormal(const Vec3 corners[3]) {
  return Normalized(Cross(corners[1] - corners[0], corners[2] - corners[0]));
}

}  // namespace content
