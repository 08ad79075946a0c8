// Rotation quaternion, stored x, y, z, w as the model and scene files store
// it (16 bytes, w last).
#pragma once

#include "math/matrix4.h"
#include "math/vector3.h"

namespace math {

struct Quaternion {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;
};

static_assert(sizeof(Quaternion) == 16, "Quaternion must match the 16-byte file layout");

Quaternion Conjugate(const Quaternion& q);

// Divides by the four-component length; a zero quaternion is left as it is.
void Normalize(Quaternion& q);

// Hamilton product, a first: applying the result rotates by b, then by a.
Quaternion Multiply(const Quaternion& a, const Quaternion& b);
inline Quaternion operator*(const Quaternion& a, const Quaternion& b) { return Multiply(a, b); }

// v rotated by q, as q * (v, 1) * conjugate(q). The 1 only contributes to the
// real part, which is dropped.
Vector3 Rotate(const Quaternion& q, const Vector3& v);

// Spherical blend that always takes the short way round. The result is not
// renormalised; near-identical inputs fall back to a linear blend.
Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t);

// Writes only the nine rotation elements (0-2, 4-6, 8-10); the fourth row and
// column of matrix are the caller's and stay as they were. The layout is the
// row-vector one used by the bone transforms: p * matrix rotates p by q.
void ToRotationMatrix(const Quaternion& q, Matrix4& matrix);

// Inverse of ToRotationMatrix for a pure rotation in the upper 3x3.
Quaternion FromRotationMatrix(const Matrix4& matrix);

inline constexpr Quaternion IdentityQuaternion{0.0f, 0.0f, 0.0f, 1.0f};
// A second identity under its own name, for code that resets a rotation
// rather than composes one; both hold the same value.
inline constexpr Quaternion NoRotation{0.0f, 0.0f, 0.0f, 1.0f};

}  // namespace math
