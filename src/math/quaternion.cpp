#include "math/quaternion.h"

#include <cmath>

namespace math {

Quaternion Conjugate(const Quaternion& q) { return {-q.x, -q.y, -q.z, q.w}; }

void Normalize(Quaternion& q) {
  const float length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  if (length > 0.0f) {
    q.x /= length;
    q.y /= length;
    q.z /= length;
    q.w /= length;
  }
}

Quaternion Multiply(const Quaternion& a, const Quaternion& b) {
  return {
      a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
      a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
      a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
      a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
  };
}

Vector3 Rotate(const Quaternion& q, const Vector3& v) {
  const Quaternion rotated = Multiply(Multiply(q, Quaternion{v.x, v.y, v.z, 1.0f}), Conjugate(q));
  return {rotated.x, rotated.y, rotated.z};
}

Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t) {
  Quaternion to = b;
  float cosine = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  if (cosine < 0.0f) {
    to = {-b.x, -b.y, -b.z, -b.w};
    cosine = -cosine;
  }

  float weightA;
  float weightB;
  if (1.0f - cosine > 0.000001f) {
    const float angle = std::acos(cosine);
    const float sine = std::sin(angle);
    weightA = std::sin((1.0f - t) * angle) / sine;
    weightB = std::sin(t * angle) / sine;
  } else {
    // sin(angle) is too close to zero to divide by.
    weightA = 1.0f - t;
    weightB = t;
  }

  return {
      weightA * a.x + weightB * to.x,
      weightA * a.y + weightB * to.y,
      weightA * a.z + weightB * to.z,
      weightA * a.w + weightB * to.w,
  };
}

void ToRotationMatrix(const Quaternion& q, Matrix4& matrix) {
  const float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  const float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  const float xw = q.x * q.w, yw = q.y * q.w, zw = q.z * q.w;

  matrix[0] = 1.0f - 2.0f * yy - 2.0f * zz;
  matrix[5] = 1.0f - 2.0f * xx - 2.0f * zz;
  matrix[10] = 1.0f - 2.0f * xx - 2.0f * yy;
  matrix[1] = 2.0f * (xy - zw);
  matrix[4] = 2.0f * (xy + zw);
  matrix[2] = 2.0f * (xz + yw);
  matrix[8] = 2.0f * (xz - yw);
  matrix[6] = 2.0f * (yz - xw);
  matrix[9] = 2.0f * (yz + xw);
}

Quaternion FromRotationMatrix(const Matrix4& matrix) {
  Quaternion q;
  const float trace = matrix[0] + matrix[5] + matrix[10];
  if (trace > 0.0f) {
    float s = std::sqrt(trace + 1.0f);
    q.w = s * 0.5f;
    s = 0.5f / s;
    q.x = (matrix[9] - matrix[6]) * s;
    q.y = (matrix[2] - matrix[8]) * s;
    q.z = (matrix[4] - matrix[1]) * s;
    return q;
  }

  // With w small, start from the largest diagonal element so that the square
  // root and the division below stay well away from zero.
  static const int next[3] = {1, 2, 0};
  int i = 0;
  if (matrix[5] > matrix[0]) i = 1;
  if (matrix[10] > matrix[i * 5]) i = 2;
  const int j = next[i];
  const int k = next[j];

  float xyz[3];
  float s = std::sqrt(matrix[i * 5] - (matrix[j * 5] + matrix[k * 5]) + 1.0f);
  xyz[i] = s * 0.5f;
  s = 0.5f / s;
  q.w = (matrix[k * 4 + j] - matrix[j * 4 + k]) * s;
  xyz[j] = (matrix[j * 4 + i] + matrix[i * 4 + j]) * s;
  xyz[k] = (matrix[k * 4 + i] + matrix[i * 4 + k]) * s;
  q.x = xyz[0];
  q.y = xyz[1];
  q.z = xyz[2];
  return q;
}

}  // namespace math
