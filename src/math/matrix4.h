// 4x4 and 3x3 single-precision matrices in OpenGL's column-major layout: the
// element in row r, column c sits at index c * 4 + r, translation at 12, 13,
// 14. The array goes to glLoadMatrixf / glMultMatrixf and comes back from
// glGetFloatv without any reordering.
#pragma once

namespace math {

struct Matrix4 {
  float m[16] = {};

  float& operator[](int i) { return m[i]; }
  const float& operator[](int i) const { return m[i]; }
};

static_assert(sizeof(Matrix4) == 16 * sizeof(float), "Matrix4 is handed to GL as a float[16]");

// Only ever copied and compared with the identity; no arithmetic needed.
struct Matrix3 {
  float m[9] = {};

  float& operator[](int i) { return m[i]; }
  const float& operator[](int i) const { return m[i]; }
};

// result = a * b in the column-major sense. The product is built in a
// temporary first, so result may alias a or b (callers accumulate in place).
void Multiply(const Matrix4& a, const Matrix4& b, Matrix4& result);
Matrix4 operator*(const Matrix4& a, const Matrix4& b);

void Transpose(Matrix4& matrix);

// Inverse by the adjugate. A singular matrix is not detected; the program
// only inverts rigid transforms.
Matrix4 Inverse(const Matrix4& matrix);

float Determinant2(float a, float b, float c, float d);
// Expanded down the first column: a(ei - fh) - d(bi - ch) + g(bf - ce).
float Determinant3(float a, float b, float c, float d, float e, float f, float g, float h, float i);

inline constexpr Matrix4 IdentityMatrix4{{1.0f, 0.0f, 0.0f, 0.0f,  //
                                          0.0f, 1.0f, 0.0f, 0.0f,  //
                                          0.0f, 0.0f, 1.0f, 0.0f,  //
                                          0.0f, 0.0f, 0.0f, 1.0f}};
inline constexpr Matrix4 ZeroMatrix4{};
// Maps clip-space [-1, 1] to texture-space [0, 1] on x, y and z.
inline constexpr Matrix4 TextureBiasMatrix4{{0.5f, 0.0f, 0.0f, 0.0f,  //
                                             0.0f, 0.5f, 0.0f, 0.0f,  //
                                             0.0f, 0.0f, 0.5f, 0.0f,  //
                                             0.5f, 0.5f, 0.5f, 1.0f}};
inline constexpr Matrix3 IdentityMatrix3{{1.0f, 0.0f, 0.0f,  //
                                          0.0f, 1.0f, 0.0f,  //
                                          0.0f, 0.0f, 1.0f}};

}  // namespace math
