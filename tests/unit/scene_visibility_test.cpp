#include <cstdint>

#include "scene/scene_renderer.h"
#include "scene_fixture.h"

namespace scene_test {
namespace {

using scene::SceneNode;
using scene::SceneRenderer;

class VisibilityTest : public SceneTest {
 protected:
  void LoadRoom(std::vector<content::BssInstance> instances = {}) {
    BssScene file;
    file.objects.push_back(Box("room", "Scene Root", {-500, -400, 0}, {500, 400, 320}, "wall.tga"));
    file.objects.push_back(Box("mantel", "room", {-80, 380, 120}, {80, 400, 130}, "wood.tga"));
    file.objects.push_back(Box("glass", "room", {498, -100, 100}, {500, 100, 250}, "glass.tga"));
    content::BssCamera camera;
    camera.positions = {{0, 0, 150}, {0, 0, 150}};
    camera.rotations = {content::CameraKeyRotation({0, 1, 0}, {0, 0, 1}), {}};
    camera.fovs = {1.9f, 1.9f};
    file.cameras = {camera};
    file.instances = std::move(instances);
    file.instances.push_back({"emit fire", "room", 2, 0, {{0, 390, 20}}, {}});
    Load(file);
  }

  void Frame(const math::Vector3& cameraAt, bool queries = false) {
    scene_.cameras[0]->Update();  // takes up the key's view direction
    scene_.cameras[0]->position = cameraAt;
    scene_.occlusionQueriesInUse = queries;
    SceneRenderer::ResetVisibility(scene_);
    scene::DrawnNodeCount = 0;
    SceneRenderer::DrawVisible(scene_);
  }
};

TEST_F(VisibilityTest, InsideTheRoomEverythingIsListedAndGlassApart) {
  LoadRoom();
  for (bool queries : {false, true}) {
    Frame({0, 0, 150}, queries);
    ASSERT_EQ(scene_.opaqueList.size(), 2u);
    EXPECT_NE(scene_.opaqueList[0]->name, scene_.opaqueList[1]->name);
    ASSERT_EQ(scene_.glassList.size(), 1u);
    EXPECT_EQ(scene_.glassList[0]->name, "glass");
    EXPECT_EQ(scene::DrawnNodeCount, 2);
    EXPECT_FALSE(scene_.helpers[0]->visible);  // woken, then cleared
  }
}

TEST_F(VisibilityTest, OutsideTheBoxOrOnItsFaceNothingIsDrawn) {
  LoadRoom();
  for (bool queries : {false, true}) {
    for (const math::Vector3& at : {math::Vector3{900, 0, 150}, math::Vector3{500, 0, 150},
                                    math::Vector3{0, 0, 0}, math::Vector3{0, -400, 150}}) {
      Frame(at, queries);
      EXPECT_TRUE(scene_.opaqueList.empty());
      EXPECT_TRUE(scene_.glassList.empty());
      EXPECT_EQ(scene::DrawnNodeCount, 0);
      for (const SceneNode* node : scene_.nodes) EXPECT_FALSE(node->visible) << node->name;
    }
  }
}

TEST_F(VisibilityTest, StaticInstancesAreCulledByFrustumOrByLastFramesQuery) {
  LoadRoom({{"instance candle", "room", 3, 0, {{0, 300, 130}}, {}},
            {"instance teddy", "room", 3, 0, {{0, -2900, 130}}, {}}});
  // The camera looks along +y: the candle is ahead, the far teddy's cube
  // (half-size 1000) lies wholly behind the camera.
  Frame({0, 0, 150});
  EXPECT_TRUE(scene::FindNode(scene_, "instance candle")->visible);
  EXPECT_FALSE(scene::FindNode(scene_, "instance teddy")->visible);
  // With queries, an instance whose query was never issued counts as hidden;
  // the next frame reads the result of the box drawn in the query pass.
  bytes_ = content::EncodeBss(BssScene{});
  scene::ClearSceneRecords(scene_);
  vertices_.clear();
  BssScene file;
  file.objects.push_back(Box("room", "Scene Root", {-500, -400, 0}, {500, 400, 320}));
  content::BssCamera camera;
  camera.positions = {{0, 0, 150}, {0, 0, 150}};
  camera.rotations = {content::CameraKeyRotation({0, 1, 0}, {0, 0, 1}), {}};
  camera.fovs = {1.9f, 1.9f};
  file.cameras = {camera};
  file.instances = {{"instance candle", "room", 3, 0, {{0, 300, 130}}, {}}};
  bytes_ = content::EncodeBss(file);
  scene::SceneLoader::Read(bytes_.data(), bytes_.size(), scene_, vertices_, true);
  scene::SceneLoader::SortDrawOrder(scene_);
  scene::SceneLoader::Link(scene_, true);
  SceneNode* candle = scene::FindNode(scene_, "instance candle");
  candle->size = {20, 20, 40};
  glClear(GL_DEPTH_BUFFER_BIT);
  Frame({0, 0, 150}, true);
  EXPECT_FALSE(candle->visible);
  glClear(GL_DEPTH_BUFFER_BIT);
  Frame({0, 0, 150}, true);
  EXPECT_TRUE(candle->visible);
}

class KeyAnimationTest : public SceneTest {
 protected:
  SceneNode& Animated(uint32_t holdCount, int keys) {
    BssScene file;
    content::BssInstance moving{"instance railroad", "room", 3, holdCount, {}, {}};
    for (int i = 0; i < keys; ++i) {
      moving.positions.push_back({static_cast<float>(i) * 100, 0, 0});
      moving.rotations.push_back({});
    }
    file.instances = {moving};
    Load(file);
    return *scene_.nodes[0];
  }

  std::vector<float> CentresX(SceneNode& node, int frames, float dt) {
    app::Timer.dt = dt;
    std::vector<float> xs;
    for (int i = 0; i < frames; ++i) {
      SceneRenderer::AnimateNodes(scene_);
      xs.push_back(node.centre.x);
    }
    return xs;
  }
};

TEST_F(KeyAnimationTest, HoldCountHoldsKeyZeroForThatManyKeyPeriods) {
  SceneNode& node = Animated(3, 5);
  // dt 21 makes every frame one whole key period (0.05 per tick).
  EXPECT_EQ(CentresX(node, 5, 21.0f), (std::vector<float>{0, 0, 0, 100, 200}));
}

TEST_F(KeyAnimationTest, HoldCountWithTheTopBitSetDoesNotHold) {
  SceneNode& node = Animated(0x80000000u, 5);
  EXPECT_EQ(node.holdCount, INT32_MIN);
  EXPECT_EQ(CentresX(node, 4, 21.0f), (std::vector<float>{0, 100, 200, 0}));
  EXPECT_EQ(node.holdCount, INT32_MIN);  // never wrapped round to a hold
}

TEST_F(KeyAnimationTest, TwoKeysSnapBackToKeyZero) {
  SceneNode& node = Animated(0, 2);
  EXPECT_EQ(CentresX(node, 6, 10.0f), (std::vector<float>(6, 0.0f)));
  EXPECT_EQ(node.currentKey, 0);
}

TEST_F(KeyAnimationTest, KeysInterpolateInBetween) {
  SceneNode& node = Animated(0, 4);
  EXPECT_EQ(CentresX(node, 3, 5.0f), (std::vector<float>{0, 25, 50}));
}

}  // namespace
}  // namespace scene_test
