// Three-component single-precision vector. The model and scene files store
// vectors as three packed little-endian floats, so arrays of Vector3 are read
// straight from file bytes; the layout must stay exactly 12 bytes.
#pragma once

namespace math {

struct Vector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

static_assert(sizeof(Vector3) == 12, "Vector3 must match the 12-byte file layout");

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator-(const Vector3& v) { return {-v.x, -v.y, -v.z}; }
inline Vector3 operator*(const Vector3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vector3 operator*(float s, const Vector3& v) { return v * s; }

// Scales v to unit length and returns the factor applied. Vectors no longer
// than 0.00001 have no usable direction and collapse to zero (factor 0).
float Normalize(Vector3& v);

// Unit-length copy. Unguarded: every caller hands in a direction it knows to
// be non-zero, and the result for a zero vector is undefined (NaN).
Vector3 Normalized(float x, float y, float z);
Vector3 Normalized(const Vector3& v);

float Dot(const Vector3& a, const Vector3& b);
float Distance(const Vector3& a, const Vector3& b);

// constexpr so that they are usable from other files' static initialisers.
inline constexpr Vector3 ZeroVector{0.0f, 0.0f, 0.0f};
inline constexpr Vector3 UnitX{1.0f, 0.0f, 0.0f};
inline constexpr Vector3 UnitY{0.0f, 1.0f, 0.0f};
inline constexpr Vector3 UnitZ{0.0f, 0.0f, 1.0f};
inline constexpr Vector3 NegativeUnitX{-1.0f, 0.0f, 0.0f};
inline constexpr Vector3 NegativeUnitY{0.0f, -1.0f, 0.0f};
inline constexpr Vector3 NegativeUnitZ{0.0f, 0.0f, -1.0f};
inline constexpr Vector3 OneVector{1.0f, 1.0f, 1.0f};

}  // namespace math
