#include <cmath>

#include "assets/animated_model.h"
#include "assets/model_instance.h"
#include "assets/static_model.h"
#include "bsm_writer.h"
#include "effects/scene_animations.h"
#include "scene_fixture.h"

namespace scene_test {
namespace {

using assets::ModelInstance;
using assets::ModelLibrary;
using assets::StaticModel;
using content::BsmMesh;
using content::BsmModel;

// A flat square of two triangles around its pivot, with a texture per corner.
BsmMesh Square(const std::string& name, const std::string& parent, content::Vec3 pivot, float half = 1) {
  BsmMesh mesh;
  mesh.diffuse = "C:\\art\\maps\\wood.tga";
  mesh.name = name;
  mesh.parentName = parent;
  mesh.pivot = pivot;
  const float x = pivot.x, y = pivot.y, z = pivot.z;
  mesh.positions = {{x - half, y, z - half}, {x + half, y, z - half}, {x + half, y, z + half}, {x - half, y, z + half}};
  mesh.faces = {{0, 1, 2}, {0, 2, 3}};
  mesh.texCoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  mesh.texFaces = {{0, 1, 2}, {0, 2, 3}, {3, 3, 3}};  // one more than the faces: allowed
  mesh.normals.assign(6, content::Vec3{0, -1, 0});
  return mesh;
}

class ModelTest : public SceneTest {
 protected:
  void TearDown() override {
    ModelLibrary::Clear();
    SceneTest::TearDown();
  }
  StaticModel Read(const BsmModel& file) {
    bytes_ = content::EncodeBsm(file);
    StaticModel model;
    ModelLibrary::Read(bytes_.data(), bytes_.size(), model);
    return model;
  }
};

int g_emitted = 0;
void CountEmission(const assets::InstanceHelper&) { ++g_emitted; }

BsmModel Clock() {
  BsmModel file;
  file.meshes = {Square("Hull", "Scene Root", {0, 0, 0}, 30), Square("Arrow01", "Hull", {0, -1, 0}),
                 Square("Arrow02", "Hull", {0, -1, 0}), Square("Arrow03", "Hull", {0, -1, 0}),
                 Square("CollMesh", "Scene Root", {0, 0, 0}, 31)};
  // The minute hand is a point 20 above its pivot.
  file.meshes[1].positions = {{0, -1, 20}, {0, -1, 20}, {0, -1, 20}, {0, -1, 20}};
  return file;
}

TEST_F(ModelTest, ReadsMeshesHelpersAndAppendsCornersToTheSharedArray) {
  BsmModel file = Clock();
  file.meshes[0].third = "glow.tga";
  file.meshes[0].scrollV = 0.5f;
  file.helpers = {{{3, 4, 5}, "emit candle", "Hull", {}, 2}, {{0, 0, 0}, "marker", "Arrow01", {}, 1}};
  vertices_.resize(10);  // the room's vertices come first
  const StaticModel model = Read(file);
  ASSERT_EQ(model.meshes.size(), 5u);
  EXPECT_EQ(model.meshes[0].first, 10u);
  EXPECT_EQ(model.meshes[0].end, 16u);
  EXPECT_EQ(model.meshes[1].first, 16u);
  EXPECT_EQ(model.meshes[1].indices.front(), 16u);
  EXPECT_EQ(vertices_.size(), 10u + 5 * 6);
  EXPECT_FALSE(model.meshes[0].isChild);
  EXPECT_TRUE(model.meshes[1].isChild);
  EXPECT_TRUE(model.meshes[0].hasThird);
  EXPECT_FLOAT_EQ(model.meshes[0].scrollV, 0.5f);
  // Corners are stored relative to the pivot; lightmap coordinates stay 0.
  EXPECT_FLOAT_EQ(vertices_[16].position.z, 20.0f);
  EXPECT_FLOAT_EQ(vertices_[16].position.y, 0.0f);
  EXPECT_FLOAT_EQ(vertices_[12].u, 1.0f);
  EXPECT_FLOAT_EQ(vertices_[12].lightmapU, 0.0f);
  // Size is twice the box over all meshes, the collision mesh included.
  EXPECT_FLOAT_EQ(model.size.x, 124.0f);
  ASSERT_EQ(model.helpers.size(), 2u);
  EXPECT_EQ(model.helpers[0].tail, "candle");
  EXPECT_EQ(model.helpers[1].tail, "");
}

TEST_F(ModelTest, TheLibraryLoadsEachNameOnceAndCaseMatters) {
  StaticModel* missing = ModelLibrary::Get("fir");
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->meshes.empty());
  EXPECT_FLOAT_EQ(missing->size.z, -3999996.0f);
  EXPECT_EQ(ModelLibrary::Get("fir"), missing);
  EXPECT_NE(ModelLibrary::Get("Fir"), missing);
  EXPECT_EQ(ModelLibrary::Count(), 2u);
  for (int i = 0; i < 50; ++i) ModelLibrary::Get("model" + std::to_string(i));
  EXPECT_EQ(ModelLibrary::Count(), assets::kMaxModels);
  EXPECT_EQ(ModelLibrary::Get("one too many"), nullptr);
}

TEST_F(ModelTest, DamagedFilesKeepTheMeshesReadCompletely) {
  BsmModel file = Clock();
  file.meshes[2].faces[1] = {0, 7, 900};  // indices past the positions
  const std::vector<uint8_t> whole = content::EncodeBsm(file);
  for (size_t cut : {whole.size() - 4, whole.size() - 60, size_t{3}}) {
    StaticModel model;
    vertices_.clear();
    ModelLibrary::Read(whole.data(), cut, model);
    EXPECT_LE(model.meshes.size(), 5u);
    EXPECT_EQ(vertices_.size(), model.meshes.size() * 6);
  }
  std::vector<uint8_t> huge = whole;
  huge[0] = huge[1] = huge[2] = 0xFF;
  huge[3] = 0x7F;
  StaticModel model;
  ModelLibrary::Read(huge.data(), huge.size(), model);
  EXPECT_EQ(model.meshes.size(), 5u);
}

TEST_F(ModelTest, ClockHandsTurnAboutTheirPivotsAndTheHullStays) {
  const StaticModel model = Read(Clock());
  ModelInstance clock;
  assets::CreateInstance(clock, model);
  ASSERT_EQ(clock.nodes.size(), 5u);
  EXPECT_EQ(clock.nodes[0].children, (std::vector<size_t>{1, 2, 3}));
  ASSERT_NE(clock.collisionMesh, nullptr);
  EXPECT_EQ(clock.collisionVertexCount, 6u);

  platform::LocalTime time;
  time.hour = 12;
  time.minute = 30;
  effects::AnimateInstance("instance Clock", clock, 1.0f, time);
  EXPECT_FLOAT_EQ(clock.nodes[1].angleY, -180.0f);
  EXPECT_FLOAT_EQ(clock.nodes[2].angleY, -375.0f);
  time.hour = 13;
  effects::AnimateInstance("instance Clock", clock, 1.0f, time);
  EXPECT_FLOAT_EQ(clock.nodes[2].angleY, -45.0f);
  time = platform::LocalTime();
  time.second = 15;
  effects::AnimateInstance("instance Clock", clock, 1.0f, time);
  EXPECT_FLOAT_EQ(clock.nodes[1].angleY, 0.0f);
  EXPECT_FLOAT_EQ(clock.nodes[3].angleY, -90.0f);

  // The draw matrix turns the hand's geometry about its pivot; the undo
  // matrix takes it back.
  assets::UpdateInstance(clock, 1.0f, nullptr);
  const assets::ModelNode& second = clock.nodes[3];
  const float* m = second.drawMatrix.m;
  const float tipX = m[8] * 20, tipZ = m[10] * 20;  // (0, 0, 20) through GL's column-major product
  EXPECT_NEAR(std::fabs(tipX), 20.0f * std::sin(90.0f * 3.14f / 180.0f), 0.01f);
  EXPECT_NEAR(tipZ, 20.0f * std::cos(90.0f * 3.14f / 180.0f), 0.05f);
  const math::Matrix4 both = second.drawMatrix * second.undoMatrix;
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(both[i], math::IdentityMatrix4[i], 1e-5f);
  EXPECT_FLOAT_EQ(clock.nodes[0].angleY, 0.0f);
}

TEST_F(ModelTest, TheTrainTurnsItsCarsAndCarriesTheSteam) {
  BsmModel file;
  file.meshes = {Square("Hull", "Scene Root", {0, 0, 0}), Square("loco", "Hull", {0, 0, 0}),
                 Square("wagon01", "Hull", {0, 0, 0})};  // no wagon02
  file.helpers = {{{125, 0, 20}, "emit locosteam", "wagon01", {}, 2}};
  const StaticModel model = Read(file);
  ModelInstance train;
  assets::CreateInstance(train, model);
  train.position = {-380, 280, 0};
  effects::TrainAngle = 0;
  effects::AnimateInstance("instance railroad", train, 5.0f, {});
  EXPECT_FLOAT_EQ(effects::TrainAngle, 4.0f);
  effects::AnimateInstance("instance railroad", train, 5.0f, {});
  EXPECT_FLOAT_EQ(train.nodes[1].angleZ, 2.4f);  // the angle before this frame's advance
  EXPECT_FLOAT_EQ(train.nodes[2].angleZ, 2.4f);
  const assets::InstanceHelper& steam = train.nodes[2].helpers[0];
  const float a = 4.0f * 0.6f * 3.14f / 180.0f;
  EXPECT_NEAR(steam.worldPosition.x, -380 + 125 * std::cos(a), 1e-3f);
  EXPECT_NEAR(steam.worldPosition.y, 280 + 125 * std::sin(a), 1e-3f);
  EXPECT_FLOAT_EQ(steam.worldPosition.z, 27.0f);
  // The instance update leaves the steam where the train put it.
  assets::UpdateInstance(train, 5.0f, nullptr);
  EXPECT_NEAR(steam.worldPosition.x, -380 + 125 * std::cos(a), 1e-3f);
}

TEST_F(ModelTest, FewHelpersAllEmitManyTakeTurnsAndTexturesScroll) {
  for (int helpers : {19, 21}) {
    BsmModel file;
    file.meshes = {Square("Hull", "Scene Root", {0, 0, 0})};
    file.meshes[0].scrollV = 0.5f;
    for (int i = 0; i < helpers; ++i) file.helpers.push_back({{1, 2, 3}, "emit candle", "Hull", {}, 2});
    const StaticModel model = Read(file);
    ModelInstance instance;
    assets::CreateInstance(instance, model);
    instance.position = {10, 0, 0};
    g_emitted = 0;
    assets::UpdateInstance(instance, 2.0f, CountEmission);
    EXPECT_EQ(g_emitted, helpers < 20 ? helpers : 1) << helpers;
    EXPECT_FLOAT_EQ(instance.nodes[0].offsetV, 2.0f * 0.015f);
    EXPECT_FLOAT_EQ(instance.nodes[0].helpers[0].worldPosition.x, 11.0f);
    if (helpers > 20) EXPECT_FLOAT_EQ(instance.helperCursor, 0.8f);
  }
}

content::BsaMesh FireMesh() {
  content::BsaMesh mesh;
  mesh.texture = "D:\\fx\\fire.tga";
  mesh.scrollV = 0.5f;
  mesh.positions = {{0, 0, 10}, {10, 0, 10}, {0, 0, 20}};
  mesh.weights = {{2, 1, 1}, {1, 0, 0}, {1, 0, 0}};
  mesh.boneIndices = {{0, 1, 1}, {1, 0, 0}, {0, 0, 0}};
  mesh.faces = {{0, 1, 2}};
  mesh.texCoords = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  mesh.texFaces = {{0, 1, 2}};
  mesh.normals.assign(3, content::Vec3{0, -1, 0});
  content::BsaBone root{{}, "Bone03", "Scene Root"};
  root.rest.origin = {0, 0, 5};
  content::BsaBone child{{}, "Bone01", "Bone03"};
  child.rest.origin = {0, 0, 10};
  mesh.bones = {child, root};
  return mesh;
}

TEST_F(ModelTest, AnimatedModelHoldsItsRestPoseUnderRestFramesAndScrolls) {
  content::BsaAnimation animation;
  animation.frameCount = 100;
  const content::BsaMesh mesh = FireMesh();
  for (int bone = 0; bone < 2; ++bone) {
    content::BsaTrack track;
    track.bone = bone;
    track.frames.assign(100, mesh.bones[bone].rest);
    animation.tracks.push_back(track);
  }
  const std::vector<uint8_t> meshBytes = content::EncodeBsaMesh(mesh);
  const std::vector<uint8_t> animationBytes = content::EncodeBsaAnimation(animation);
  assets::AnimatedModel fire;
  fire.LoadFrom(meshBytes.data(), meshBytes.size(), animationBytes.data(), animationBytes.size());
  EXPECT_FLOAT_EQ(fire.weights[0].x, 0.5f);
  EXPECT_FLOAT_EQ(fire.weights[0].y, 0.25f);
  ASSERT_EQ(fire.roots, (std::vector<int>{1}));
  EXPECT_EQ(fire.bones[1].children, (std::vector<int>{0}));
  fire.animate = true;
  fire.playSpeed = 0.2f;
  fire.SetPosition({100, 200, 0});
  for (int frame = 0; frame < 3; ++frame) fire.Update(1.0f);
  // Rest frames leave every vertex at rest, moved by the base translation;
  // the root's own offset (5 up) is taken out, so the model stands on the
  // instance position.
  for (size_t v = 0; v < 3; ++v) {
    EXPECT_NEAR(fire.skinned[v].x, mesh.positions[v].x + 100, 1e-3f) << v;
    EXPECT_NEAR(fire.skinned[v].y, mesh.positions[v].y + 200, 1e-3f) << v;
    EXPECT_NEAR(fire.skinned[v].z, mesh.positions[v].z - 5, 1e-3f) << v;
  }
  EXPECT_FLOAT_EQ(fire.drawArray[8 + 6], 1.0f);  // second corner's u
  fire.Draw(2.0f);
  EXPECT_FLOAT_EQ(fire.scrollOffset, 0.06f);  // 0.015 per unit along v at speed 0.5
}

TEST_F(ModelTest, LargeFrameStepsSkipFramesAndTheTrackLoops) {
  content::BsaAnimation animation;
  animation.frameCount = 10;
  const content::BsaMesh mesh = FireMesh();
  content::BsaTrack track;
  track.bone = 1;
  track.frames.assign(10, mesh.bones[1].rest);
  animation.tracks.push_back(track);
  const std::vector<uint8_t> meshBytes = content::EncodeBsaMesh(mesh);
  const std::vector<uint8_t> animationBytes = content::EncodeBsaAnimation(animation);
  assets::AnimatedModel fire;
  fire.LoadFrom(meshBytes.data(), meshBytes.size(), animationBytes.data(), animationBytes.size());
  fire.animate = true;
  fire.playSpeed = 1.0f;
  fire.Update(3.5f);  // fraction 3.5: three frames on
  EXPECT_EQ(fire.animations[0].currentFrame, 3);
  EXPECT_EQ(fire.animations[0].frameStep, 3);
  fire.Update(7.2f);  // 3 + 7 passes the last frame: back to 0
  EXPECT_EQ(fire.animations[0].currentFrame, 0);
  // A missing animation poses nothing and a missing mesh draws nothing.
  assets::AnimatedModel empty;
  empty.LoadFrom(nullptr, 0, nullptr, 0);
  empty.animate = true;
  empty.Update(1.0f);
  empty.Draw(1.0f);
  EXPECT_TRUE(empty.drawArray.empty());
}

}  // namespace
}  // namespace scene_test

#include "room_models.h"

namespace scene_test {
namespace {

// The saver draws "Hull" relative to its own pivot, so a model whose Hull
// pivot is not its origin would be drawn displaced by that pivot.
TEST(ShippedModels, EveryHullTurnsAboutTheModelOrigin) {
  std::vector<content::NamedModel> models = content::MakeCentrepieceModels();
  for (content::NamedModel& model : content::MakeFurnishingModels()) models.push_back(std::move(model));
  EXPECT_GE(models.size(), 15u);
  for (const content::NamedModel& model : models) {
    int hulls = 0;
    for (const content::BsmMesh& mesh : model.model.meshes)
      if (mesh.name == "Hull") {
        ++hulls;
        EXPECT_EQ(mesh.parentName, "Scene Root") << model.name;
        EXPECT_FLOAT_EQ(mesh.pivot.x, 0.0f) << model.name;
        EXPECT_FLOAT_EQ(mesh.pivot.y, 0.0f) << model.name;
        EXPECT_FLOAT_EQ(mesh.pivot.z, 0.0f) << model.name;
      }
    EXPECT_EQ(hulls, 1) << model.name;
  }
}

}  // namespace
}  // namespace scene_test
