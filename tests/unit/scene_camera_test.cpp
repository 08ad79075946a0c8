#include <cmath>
#include <cstdlib>

#include "math/quaternion.h"
#include "scene/scene_camera.h"
#include "scene_fixture.h"

namespace scene_test {
namespace {

using scene::CameraDirector;
using scene::SceneCamera;

content::BssCamera Path(int keys, float fov = 1.0f) {
  content::BssCamera camera;
  for (int i = 0; i < keys; ++i) {
    camera.positions.push_back({static_cast<float>(i) * 10, 0, 100});
    camera.rotations.push_back(content::CameraKeyRotation({1, 0, 0}, {0, 0, 1}));
    camera.fovs.push_back(fov);
  }
  return camera;
}

class CameraTest : public SceneTest {
 protected:
  void LoadCameras(std::vector<content::BssCamera> cameras) {
    BssScene file;
    file.cameras = std::move(cameras);
    Load(file);
    scene::CameraKeyT = 0;
    scene::CrossFadeRequested = false;
  }
};

TEST_F(CameraTest, StoredKeyRotationsLookWhereTheWriterAimed) {
  content::BssCamera camera = Path(2);
  camera.rotations[0] = content::CameraKeyRotation({0, 1, -1}, {0, 0, 1});
  LoadCameras({camera});
  SceneCamera& c = *scene_.cameras[0];
  c.Update();
  EXPECT_NEAR(c.direction.y, std::sqrt(0.5f), 1e-4f);
  EXPECT_NEAR(c.direction.z, -std::sqrt(0.5f), 1e-4f);
  EXPECT_GT(c.up.z, 0.7f);
  EXPECT_NEAR(c.up.x, 0.0f, 1e-4f);
  EXPECT_NEAR(c.fieldOfView, 28.648735f, 1e-3f);
}

TEST_F(CameraTest, TwoKeysFinishOnEveryUpdateAndShowKeyZero) {
  LoadCameras({Path(2)});
  SceneCamera& c = *scene_.cameras[0];
  for (int i = 0; i < 3; ++i) {
    c.finished = false;
    c.Update();
    EXPECT_TRUE(c.finished);
    EXPECT_EQ(c.currentKey, 0);
    EXPECT_FLOAT_EQ(c.position.x, 0.0f);
  }
}

TEST_F(CameraTest, PathPlaysKeysAndRequestsTheCrossFadeOnceBeforeItsEnd) {
  LoadCameras({Path(10)});
  SceneCamera& c = *scene_.cameras[0];
  app::Timer.dt = 5.0f;  // t grows by 0.375: a new key every third update
  int requests = 0;
  int keyAtRequest = -1;
  int updates = 0;
  while (!c.finished && updates < 100) {
    c.Update();
    ++updates;
    if (scene::CrossFadeRequested) {
      ++requests;
      keyAtRequest = c.currentKey;
      scene::CrossFadeRequested = false;
    }
  }
  EXPECT_TRUE(c.finished);
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(keyAtRequest, 7);  // n - 3
  EXPECT_EQ(updates, 8 * 3);   // keys 0..7 played, the wrap at key 8 = n - 2
  EXPECT_EQ(c.currentKey, 0);
}

TEST_F(CameraTest, LargeFrameTimesMoveOneKeyAtMost) {
  LoadCameras({Path(10)});
  SceneCamera& c = *scene_.cameras[0];
  app::Timer.dt = 100.0f;
  c.Update();
  EXPECT_EQ(c.currentKey, 1);
  EXPECT_FLOAT_EQ(scene::CameraKeyT, 0.0f);
  c.Update();
  EXPECT_EQ(c.currentKey, 2);
  EXPECT_NEAR(c.position.x, 10.0f, 1e-4f);
}

TEST_F(CameraTest, DirectorDrawsFromTheBagAndRefillsIt) {
  LoadCameras({Path(3), Path(3), Path(3), Path(3)});
  scene_.cameraBag = {0, 1, 2, 3};
  std::srand(77);
  const int first = std::rand() % 3;
  const int second = std::rand() % 2;
  std::srand(77);
  CameraDirector::Draw(scene_);
  EXPECT_EQ(scene_.currentCamera, first);
  std::vector<int32_t> left = {0, 1, 2, 3};
  left.erase(left.begin() + first);
  EXPECT_EQ(scene_.cameraBag, left);
  CameraDirector::Draw(scene_);
  EXPECT_EQ(scene_.currentCamera, left[second]);
  left.erase(left.begin() + second);
  CameraDirector::Draw(scene_);  // two left: rand() % 1 is always the first
  EXPECT_EQ(scene_.currentCamera, left[0]);
  CameraDirector::Draw(scene_);
  EXPECT_EQ(scene_.currentCamera, left[1]);
  EXPECT_TRUE(scene_.cameraBag.empty());

  // The end of a path draws again; an emptied bag is refilled at once.
  scene_.cameraBag = {2};
  scene_.cameras[scene_.currentCamera]->finished = true;
  CameraDirector::Step(scene_);
  EXPECT_EQ(scene_.currentCamera, 2);
  EXPECT_EQ(scene_.cameraBag.size(), 4u);
}

TEST_F(CameraTest, OneCameraReplaysFromKeyZero) {
  LoadCameras({Path(6)});
  CameraDirector::Start(scene_);
  EXPECT_EQ(scene_.currentCamera, 0);
  app::Timer.dt = 14.0f;  // one key per update
  SceneCamera& c = *scene_.cameras[0];
  for (int i = 0; i < 3; ++i) CameraDirector::Step(scene_);
  EXPECT_EQ(c.currentKey, 3);
  CameraDirector::Step(scene_);  // key 4 = n - 2: the path ends, the same camera starts again
  EXPECT_EQ(scene_.currentCamera, 0);
  EXPECT_FALSE(c.finished);
  EXPECT_LE(c.currentKey, 1);
  EXPECT_LT(c.position.x, 10.0f + 1e-3f);
}

TEST_F(CameraTest, ForcedFirstCameraIsShownFirst) {
  LoadCameras({Path(3), Path(3), Path(3)});
  scene::ForcedFirstCamera = 2;
  CameraDirector::Start(scene_);
  scene::ForcedFirstCamera = -1;
  EXPECT_EQ(scene_.currentCamera, 2);
  EXPECT_EQ(scene_.cameraBag, (std::vector<int32_t>{0, 1}));
}

}  // namespace
}  // namespace scene_test
