#include "math/matrix4.h"

#include <utility>

namespace math {

void Multiply(const Matrix4& a, const Matrix4& b, Matrix4& result) {
  Matrix4 product;
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
      product[c * 4 + r] = sum;
    }
  }
  result = product;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 result;
  Multiply(a, b, result);
  return result;
}

void Transpose(Matrix4& matrix) {
  std::swap(matrix[1], matrix[4]);
  std::swap(matrix[2], matrix[8]);
  std::swap(matrix[3], matrix[12]);
  std::swap(matrix[6], matrix[9]);
  std::swap(matrix[7], matrix[13]);
  std::swap(matrix[11], matrix[14]);
}

float Determinant2(float a, float b, float c, float d) { return a * d - b * c; }

float Determinant3(float a, float b, float c, float d, float e, float f, float g, float h, float i) {
  return a * Determinant2(e, f, h, i) - d * Determinant2(b, c, h, i) + g * Determinant2(b, c, e, f);
}

namespace {

// Element in row r, column c.
float At(const Matrix4& matrix, int r, int c) { return matrix[c * 4 + r]; }

// Signed minor of (row, column): the 3x3 determinant left after striking out
// that row and column.
float Cofactor(const Matrix4& matrix, int row, int column) {
  int rows[3];
  int columns[3];
  for (int i = 0, n = 0; i < 4; ++i)
    if (i != row) rows[n++] = i;
  for (int i = 0, n = 0; i < 4; ++i)
    if (i != column) columns[n++] = i;

  const float minor = Determinant3(
      At(matrix, rows[0], columns[0]), At(matrix, rows[0], columns[1]), At(matrix, rows[0], columns[2]),
      At(matrix, rows[1], columns[0]), At(matrix, rows[1], columns[1]), At(matrix, rows[1], columns[2]),
      At(matrix, rows[2], columns[0]), At(matrix, rows[2], columns[1]), At(matrix, rows[2], columns[2]));
  return ((row + column) % 2 == 0) ? minor : -minor;
}

}  // namespace

Matrix4 Inverse(const Matrix4& matrix) {
  Matrix4 adjugate;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) adjugate[c * 4 + r] = Cofactor(matrix, c, r);

  // Row 0 of the source against its cofactors, which the adjugate holds in
  // its column 0 (indices 0..3).
  float determinant = 0.0f;
  for (int c = 0; c < 4; ++c) determinant += At(matrix, 0, c) * adjugate[c];

  const float scale = 1.0f / determinant;
  for (float& element : adjugate.m) element *= scale;
  return adjugate;
}

}  // namespace math
