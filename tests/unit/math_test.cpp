#include <gtest/gtest.h>

#include <cmath>

#include "egl_test_context.h"
#include "math/frustum.h"
#include "math/matrix4.h"
#include "math/quaternion.h"
#include "math/vector3.h"
#include "platform/gl_api.h"

using namespace math;

namespace {

const float kPi = 3.14159265f;

Quaternion AxisAngle(Vector3 axis, float radians) {
  axis = Normalized(axis);
  const float s = std::sin(radians / 2);
  return {axis.x * s, axis.y * s, axis.z * s, std::cos(radians / 2)};
}

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectNear(const Quaternion& actual, const Quaternion& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
  EXPECT_NEAR(actual.w, expected.w, tolerance);
}

void ExpectNear(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-5f) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

// A matrix with no zero, one or symmetric element, so that any swapped index shows.
Matrix4 General(float seed) {
  Matrix4 m;
  for (int i = 0; i < 16; ++i) m[i] = std::sin(seed + 1.7f * i) + (i % 5 == 0 ? 3.0f : 0.0f);
  return m;
}

float Value(const Plane& p, const Vector3& v) { return p.a * v.x + p.b * v.y + p.c * v.z + p.d; }

}  // namespace

TEST(VectorTest, NormalizeCollapsesTinyVectorsAndReturnsFactor) {
  Vector3 zero{0, 0, 0};
  EXPECT_EQ(Normalize(zero), 0.0f);
  ExpectNear(zero, ZeroVector, 0.0f);

  Vector3 tiny{0.000009f, 0.0f, 0.0f};
  EXPECT_EQ(Normalize(tiny), 0.0f);
  ExpectNear(tiny, ZeroVector, 0.0f);

  Vector3 small{0.0f, 0.00002f, 0.0f};
  EXPECT_NEAR(Normalize(small), 50000.0f, 1.0f);
  ExpectNear(small, UnitY);

  Vector3 v{3, 0, -4};
  EXPECT_FLOAT_EQ(Normalize(v), 0.2f);
  ExpectNear(v, {0.6f, 0.0f, -0.8f});
}

TEST(VectorTest, NormalizedCopyAndDistance) {
  ExpectNear(Normalized(0, 3, 4), {0.0f, 0.6f, 0.8f});
  EXPECT_FLOAT_EQ(Distance({1, 2, 3}, {4, 6, 3}), 5.0f);
}

TEST(QuaternionTest, NormalizeLeavesZeroAlone) {
  Quaternion zero{0, 0, 0, 0};
  Normalize(zero);
  ExpectNear(zero, {0, 0, 0, 0}, 0.0f);

  Quaternion q{0, 2, 0, 2};
  Normalize(q);
  ExpectNear(q, {0, 0.70710678f, 0, 0.70710678f});
}

TEST(QuaternionTest, ProductOrderAndRotation) {
  const Quaternion i{1, 0, 0, 0}, j{0, 1, 0, 0};
  ExpectNear(i * j, {0, 0, 1, 0});
  ExpectNear(j * i, {0, 0, -1, 0});

  ExpectNear(Rotate(AxisAngle(UnitZ, kPi / 2), UnitX), UnitY);

  // The product applies its right-hand factor first.
  const Quaternion a = AxisAngle({1, 2, 3}, 0.7f), b = AxisAngle({-2, 0, 1}, 1.9f);
  const Vector3 v{0.3f, -1.2f, 2.5f};
  ExpectNear(Rotate(a * b, v), Rotate(a, Rotate(b, v)));
}

TEST(QuaternionTest, SlerpTakesShortWayAndBlendsLinearlyWhenClose) {
  const Quaternion q = AxisAngle({1, -1, 2}, 1.2f);
  const Quaternion minusQ{-q.x, -q.y, -q.z, -q.w};
  for (float t : {0.0f, 0.25f, 0.5f, 1.0f}) ExpectNear(Slerp(q, minusQ, t), q);

  const Quaternion nearby{0.001f, 0.0f, 0.0f, std::sqrt(1.0f - 0.000001f)};
  const float t = 0.3f;
  const Quaternion blended = Slerp(IdentityQuaternion, nearby, t);
  ExpectNear(blended, {t * nearby.x, 0.0f, 0.0f, (1 - t) + t * nearby.w}, 1e-7f);

  ExpectNear(Slerp(IdentityQuaternion, AxisAngle(UnitZ, kPi / 2), 0.5f), AxisAngle(UnitZ, kPi / 4));
  ExpectNear(Slerp(IdentityQuaternion, AxisAngle(UnitZ, 2.0f), 0.25f), AxisAngle(UnitZ, 0.5f));
}

TEST(QuaternionTest, ToRotationMatrixWritesOnlyRotationElements) {
  Matrix4 m;
  for (float& e : m.m) e = 7.0f;
  ToRotationMatrix(AxisAngle({1, 2, 3}, 0.8f), m);
  for (int i : {3, 7, 11, 12, 13, 14, 15}) EXPECT_EQ(m[i], 7.0f) << "element " << i;
}

TEST(QuaternionTest, MatrixRotatesRowVectorsLikeRotate) {
  const Quaternion q = AxisAngle({1, 2, 3}, 0.8f);
  Matrix4 m = IdentityMatrix4;
  ToRotationMatrix(q, m);
  const float p[3] = {0.5f, -2.0f, 1.5f};
  float rotated[3];
  for (int c = 0; c < 3; ++c) rotated[c] = p[0] * m[c * 4 + 0] + p[1] * m[c * 4 + 1] + p[2] * m[c * 4 + 2];
  ExpectNear({rotated[0], rotated[1], rotated[2]}, Rotate(q, {p[0], p[1], p[2]}));
}

TEST(QuaternionTest, MatrixRoundTripInBothBranches) {
  // The first has a positive trace; the others each make a different
  // diagonal element the largest, or have a trace below zero.
  const Quaternion rotations[] = {
      AxisAngle({1, 2, 3}, 1.0f),  AxisAngle(UnitX, kPi),          AxisAngle(UnitY, kPi),
      AxisAngle(UnitZ, kPi),       AxisAngle({1, 2, 3}, 2.6f),     AxisAngle({-3, 1, 0.5f}, 2.9f),
  };
  for (const Quaternion& q : rotations) {
    Matrix4 original = IdentityMatrix4;
    ToRotationMatrix(q, original);
    Matrix4 back = IdentityMatrix4;
    ToRotationMatrix(FromRotationMatrix(original), back);
    ExpectNear(back, original);
  }
}

TEST(MatrixTest, ProductOrderAndAliasing) {
  Matrix4 translate = IdentityMatrix4, scale = IdentityMatrix4;
  translate[12] = 1, translate[13] = 2, translate[14] = 3;
  scale[0] = scale[5] = scale[10] = 2;
  // translate * scale scales first; the other order scales the translation too.
  const Matrix4 ts = translate * scale, st = scale * translate;
  EXPECT_EQ(ts[0], 2.0f);
  EXPECT_EQ(ts[12], 1.0f);
  EXPECT_EQ(ts[14], 3.0f);
  EXPECT_EQ(st[12], 2.0f);
  EXPECT_EQ(st[14], 6.0f);

  const Matrix4 a = General(0.1f), b = General(2.3f), expected = a * b;
  Matrix4 intoA = a, intoB = b;
  Multiply(intoA, b, intoA);
  Multiply(a, intoB, intoB);
  ExpectNear(intoA, expected, 0.0f);
  ExpectNear(intoB, expected, 0.0f);
}

TEST(MatrixTest, TransposeAndInverse) {
  const Matrix4 m = General(0.7f);
  Matrix4 t = m;
  Transpose(t);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(t[c * 4 + r], m[r * 4 + c]);

  ExpectNear(m * Inverse(m), IdentityMatrix4, 1e-4f);
  ExpectNear(Inverse(m) * m, IdentityMatrix4, 1e-4f);
}

TEST(MatrixTest, TextureBiasMapsClipCubeToUnitCube) {
  const Matrix4& bias = TextureBiasMatrix4;
  for (float v : {-1.0f, 1.0f})
    for (int r = 0; r < 4; ++r)
      EXPECT_FLOAT_EQ(bias[r] * v + bias[4 + r] * v + bias[8 + r] * v + bias[12 + r], r < 3 ? (v + 1) / 2 : 1.0f);
}

TEST(FrustumTest, TouchingFromOutsideCountsAsOutside) {
  Frustum f;
  for (Plane& p : f.planes) p = {0, 0, 1, 1000};  // far from everything tested
  f.planes[kLeftPlane] = {1, 0, 0, 0};           // inside is x > 0

  EXPECT_FALSE(f.TestSphere(-1.0f, 0, 0, 1.0f));
  EXPECT_TRUE(f.TestSphere(-0.99f, 0, 0, 1.0f));
  EXPECT_FALSE(f.TestSphere(0, 0, 0, 0.0f));

  // The nearest corners of this cube lie exactly on the plane.
  EXPECT_FALSE(f.TestCube(-1.0f, 5, 5, 1.0f));
  EXPECT_TRUE(f.TestCube(-0.99f, 5, 5, 1.0f));
  EXPECT_TRUE(f.TestCube(3.0f, -5, 5, 1.0f));
}

TEST(FrustumTest, ExtractsPlanesOfGluPerspectiveView) {
  EglTestContext context;
  ASSERT_TRUE(context.ok()) << context.error();

  const Vector3 eye{100, 200, 50}, forward{0.6f, 0.8f, 0}, right{0.8f, -0.6f, 0}, up = UnitZ;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 4.0 / 3.0, 1.0, 3000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, eye.x + 300, eye.y + 400, eye.z, up.x, up.y, up.z);
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  Frustum f;
  f.Extract();

  for (const Plane& p : f.planes) EXPECT_NEAR(p.a * p.a + p.b * p.b + p.c * p.c, 1.0f, 1e-5f);
  ExpectNear({f.planes[kNearPlane].a, f.planes[kNearPlane].b, f.planes[kNearPlane].c}, forward);
  // The far plane comes from the difference of two rows that agree to about
  // four digits, so single precision leaves it visibly rounded.
  ExpectNear({f.planes[kFarPlane].a, f.planes[kFarPlane].b, f.planes[kFarPlane].c}, -forward, 1e-4f);
  EXPECT_NEAR(Value(f.planes[kNearPlane], eye), -1.0f, 1e-3f);
  EXPECT_NEAR(Value(f.planes[kFarPlane], eye), 3000.0f, 1.0f);

  auto inside = [&](const Vector3& p) { return f.TestSphere(p.x, p.y, p.z, 0.0f); };
  EXPECT_TRUE(inside(eye + forward * 1.5f));
  EXPECT_TRUE(inside(eye + forward * 2990.0f));
  EXPECT_FALSE(inside(eye + forward * 0.5f));
  EXPECT_FALSE(inside(eye - forward * 0.5f));
  EXPECT_FALSE(inside(eye + forward * 3010.0f));

  // At depth 100 the view is 100 tan(22.5 deg) = 41.4 high and 4/3 that wide
  // on each side of the axis.
  const Vector3 centre = eye + forward * 100.0f;
  EXPECT_TRUE(inside(centre + right * 50.0f));
  EXPECT_TRUE(inside(centre + up * 38.0f));
  EXPECT_LT(Value(f.planes[kRightPlane], centre + right * 60.0f), 0.0f);
  EXPECT_LT(Value(f.planes[kLeftPlane], centre - right * 60.0f), 0.0f);
  EXPECT_LT(Value(f.planes[kTopPlane], centre + up * 45.0f), 0.0f);
  EXPECT_LT(Value(f.planes[kBottomPlane], centre - up * 45.0f), 0.0f);
  EXPECT_GT(Value(f.planes[kLeftPlane], centre + right * 60.0f), 0.0f);
  EXPECT_FALSE(inside(centre + right * 60.0f));
  EXPECT_FALSE(inside(centre - up * 45.0f));
}
