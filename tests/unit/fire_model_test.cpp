// The animated fire: its skeleton, its single-bone skinning, a seamless
// gentle loop, and files whose sizes match the layout the saver reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "room_models.h"

namespace {

using content::BoneTransform;
using content::Vec3;

// Row-vector affine matrices: rows are the X, Y, Z axes and the origin.
struct Affine {
  std::array<Vec3, 4> rows;
};

Affine FromBone(const BoneTransform& b) { return {{b.xAxis, b.yAxis, b.zAxis, b.origin}}; }

Vec3 Apply(const Vec3& p, const Affine& m, bool point = true) {
  const float w = point ? 1.0f : 0.0f;
  return {p.x * m.rows[0].x + p.y * m.rows[1].x + p.z * m.rows[2].x + w * m.rows[3].x,
          p.x * m.rows[0].y + p.y * m.rows[1].y + p.z * m.rows[2].y + w * m.rows[3].y,
          p.x * m.rows[0].z + p.y * m.rows[1].z + p.z * m.rows[2].z + w * m.rows[3].z};
}

// local then parent: a * b in the row-vector convention.
Affine Compose(const Affine& local, const Affine& parent) {
  Affine out;
  for (int i = 0; i < 3; ++i) out.rows[i] = Apply(local.rows[i], parent, false);
  out.rows[3] = Apply(local.rows[3], parent, true);
  return out;
}

float Distance(const Vec3& a, const Vec3& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

float AxisAngleDegrees(const BoneTransform& b) {
  const float trace = b.xAxis.x + b.yAxis.y + b.zAxis.z;
  return std::acos(std::clamp((trace - 1.0f) * 0.5f, -1.0f, 1.0f)) * 180.0f / 3.14159265f;
}

class FireModelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { fire_ = new content::AnimatedModelFiles(content::MakeFireplaceFire()); }
  static void TearDownTestSuite() {
    delete fire_;
    fire_ = nullptr;
  }
  // Where the skinned vertex lands at one frame: its bone's rest world pose
  // undone (the rest axes are identity, so only the origin), then the
  // frame's world pose applied.
  static Vec3 Skinned(size_t vertex, int frame) {
    const content::BsaMesh& mesh = fire_->mesh;
    const int bone = static_cast<int>(mesh.boneIndices[vertex].x);
    Affine world[3], rest[3];
    for (int b = 0; b < 3; ++b) {
      const int parent = b == 0 ? -1 : 0;
      const Affine local = FromBone(fire_->animation.tracks[b].frames[frame]);
      const Affine restLocal = FromBone(mesh.bones[b].rest);
      world[b] = parent < 0 ? local : Compose(local, world[parent]);
      rest[b] = parent < 0 ? restLocal : Compose(restLocal, rest[parent]);
    }
    const Vec3& p = mesh.positions[vertex];
    const Vec3 o = rest[bone].rows[3];
    return Apply({p.x - o.x, p.y - o.y, p.z - o.z}, world[bone]);
  }
  static content::AnimatedModelFiles* fire_;
};

content::AnimatedModelFiles* FireModelTest::fire_ = nullptr;

TEST_F(FireModelTest, HasTheRootAndTwoChildBonesAtTheBase) {
  const auto& bones = fire_->mesh.bones;
  ASSERT_EQ(bones.size(), 3u);
  EXPECT_EQ(bones[0].name, "Bone03");
  EXPECT_EQ(bones[0].parentName, "Scene Root");
  EXPECT_EQ(bones[1].name, "Bone01");
  EXPECT_EQ(bones[1].parentName, "Bone03");
  EXPECT_EQ(bones[2].name, "Bone02");
  EXPECT_EQ(bones[2].parentName, "Bone03");
  for (const auto& bone : bones) EXPECT_LT(std::fabs(bone.rest.origin.z), 5.0f) << bone.name;
  EXPECT_EQ(fire_->mesh.texture, "fire_flames.tga");
  EXPECT_EQ(fire_->mesh.scrollU, 0.0f);
  EXPECT_EQ(fire_->mesh.scrollV, 0.5f);
}

TEST_F(FireModelTest, EveryVertexFollowsExactlyOneBoneAndAllBonesAreUsed) {
  const auto& mesh = fire_->mesh;
  ASSERT_EQ(mesh.weights.size(), mesh.positions.size());
  ASSERT_EQ(mesh.boneIndices.size(), mesh.positions.size());
  int used[3] = {0, 0, 0};
  for (size_t i = 0; i < mesh.positions.size(); ++i) {
    EXPECT_EQ(mesh.weights[i].x, 1.0f);
    EXPECT_EQ(mesh.weights[i].y, 0.0f);
    EXPECT_EQ(mesh.weights[i].z, 0.0f);
    const float b = mesh.boneIndices[i].x;
    ASSERT_TRUE(b == 0.0f || b == 1.0f || b == 2.0f) << i;
    EXPECT_EQ(mesh.boneIndices[i].y, 0.0f);
    EXPECT_EQ(mesh.boneIndices[i].z, 0.0f);
    ++used[static_cast<int>(b)];
  }
  for (int count : used) EXPECT_GT(count, 0);
}

TEST_F(FireModelTest, FlameSheetsFillTheFireboxWithinTheBudget) {
  const auto& mesh = fire_->mesh;
  EXPECT_GE(mesh.positions.size(), 200u);
  EXPECT_LE(mesh.positions.size(), 320u);
  EXPECT_GE(mesh.faces.size(), 400u);
  EXPECT_LE(mesh.faces.size(), 450u);
  ASSERT_EQ(mesh.texFaces.size(), mesh.faces.size());
  ASSERT_EQ(mesh.normals.size(), mesh.faces.size() * 3);
  Vec3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
  for (const Vec3& p : mesh.positions) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  EXPECT_NEAR(low.z, 0.0f, 0.5f);
  EXPECT_NEAR(high.z, 55.0f, 8.0f);
  EXPECT_NEAR(high.x - low.x, 70.0f, 12.0f);
  EXPECT_GT(low.x, -55.0f);
  EXPECT_LT(high.x, 55.0f);
  // Near-symmetric front and back, as the scene turns the fire round.
  EXPECT_NEAR(low.y, -high.y, 2.0f);
  for (const auto& face : mesh.faces)
    for (uint32_t index : face) ASSERT_LT(index, mesh.positions.size());
  for (const Vec3& n : mesh.normals) {
    EXPECT_NEAR(std::hypot(n.x, n.y, n.z), 1.0f, 1e-4f);
    EXPECT_GT(std::fabs(n.y), 0.8f);  // the sheets face -Y or +Y
  }
}

TEST_F(FireModelTest, SwayIsSmallAndLoopsSeamlessly) {
  const auto& anim = fire_->animation;
  ASSERT_EQ(anim.frameCount, 100);
  ASSERT_EQ(anim.tracks.size(), 3u);
  for (int b = 0; b < 3; ++b) {
    const auto& track = anim.tracks[b];
    EXPECT_EQ(track.bone, b);
    ASSERT_EQ(track.frames.size(), 100u);
    const Vec3 rest = fire_->mesh.bones[b].rest.origin;
    float largestStep = 0, largestAngle = 0;
    for (int f = 0; f < 100; ++f) {
      const BoneTransform& t = track.frames[f];
      largestAngle = std::max(largestAngle, AxisAngleDegrees(t));
      EXPECT_LT(Distance(t.origin, rest), b == 0 ? 2.01f : 1e-4f) << b << " " << f;
      if (f == 99) continue;  // the wrap is judged against these steps below
      const BoneTransform& next = track.frames[f + 1];
      largestStep = std::max(largestStep, Distance(t.xAxis, next.xAxis) + Distance(t.zAxis, next.zAxis) +
                                              Distance(t.origin, next.origin));
    }
    EXPECT_GT(largestAngle, 0.5f) << b;  // it does sway
    EXPECT_LT(largestAngle, 8.0f) << b;
    // The wrap from the last frame to the first is no bigger a step than
    // any other, so the loop has no jump.
    const BoneTransform& last = track.frames[99];
    const BoneTransform& first = track.frames[0];
    const float wrap = Distance(last.xAxis, first.xAxis) + Distance(last.zAxis, first.zAxis) +
                       Distance(last.origin, first.origin);
    EXPECT_LE(wrap, largestStep * 1.1f + 1e-6f) << b;
    EXPECT_LT(largestStep, 0.5f) << b;  // no frame jumps
  }
  // Skinned through the hierarchy, the flames stay close to their rest pose.
  float farthest = 0;
  for (int f = 0; f < 100; f += 7)
    for (size_t v = 0; v < fire_->mesh.positions.size(); v += 3)
      farthest = std::max(farthest, Distance(Skinned(v, f), fire_->mesh.positions[v]));
  EXPECT_GT(farthest, 0.5f);
  EXPECT_LT(farthest, 10.0f);
}

TEST_F(FireModelTest, EncodedFilesMatchTheLayout) {
  const auto& mesh = fire_->mesh;
  const size_t v = mesh.positions.size(), f = mesh.faces.size(), t = mesh.texCoords.size();
  size_t expected = 4 + mesh.texture.size() + 8 + 16 + 12;
  expected += v * 12 * 3 + f * 12 + t * 12 + f * 12 + f * 36 + 4;
  for (const auto& bone : mesh.bones) expected += 48 + 4 + bone.name.size() + 4 + bone.parentName.size();
  EXPECT_EQ(content::EncodeBsaMesh(mesh).size(), expected);
  EXPECT_EQ(content::EncodeBsaAnimation(fire_->animation).size(), 12u + 3u * (4u + 100u * 48u));
}

}  // namespace
