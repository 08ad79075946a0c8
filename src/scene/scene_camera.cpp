#include "scene/scene_camera.h"

#include <cstdlib>

#include "app/frame_timer.h"
#include "app/renderer_state.h"
#include "math/frustum.h"
#include "platform/gl_api.h"
#include "scene/scene_types.h"

namespace scene {

float CameraKeyT = 0.0f;
bool CrossFadeRequested = false;
int32_t ForcedFirstCamera = -1;

namespace {
// Stored field-of-view values are radians; the projection gets the vertical
// angle in degrees at this scale (half of 180 / pi).
constexpr float kFieldOfViewScale = 28.648735f;
}  // namespace

void SceneCamera::SetUp(const math::Vector3& startAt) {
  position = startAt;
  startPosition = startAt;
  up = {0.0f, 1.0f, 0.0f};
  direction = {1.0f, 0.0f, 0.0f};
  orientation = math::IdentityQuaternion;
  savedOrientation = math::IdentityQuaternion;
  lookAngles[0] = -90.0f;
  lookAngles[1] = 0.0f;
  lookAngles[2] = 90.0f;
  fieldOfView = 45.0f;
  flags[0] = flags[1] = flags[2] = 0;

  platform::Platform& os = platform::Os();
  const platform::Point middle{app::RendererState.screenWidth / 2, app::RendererState.screenHeight / 2};
  os.MoveCursor(middle);
  cursorPoints[0] = cursorPoints[1] = os.CursorPosition();
  Apply();
  pathMode = true;
}

void SceneCamera::Reset() {
  currentKey = 0;
  if (keyCount < 1) return;
  position = keyPositions[0];
  orientation = keyRotations[0];
  fieldOfView = keyFieldOfView[0] * kFieldOfViewScale;
}

void SceneCamera::Update() {
  if (keyCount >= 1) {
    const int32_t k = currentKey;
    const int32_t n = keyCount;
    const int32_t k1 = k + 1 < n - 1 ? k + 1 : n - 1;
    const float t = CameraKeyT;
    position = keyPositions[k] + (keyPositions[k1] - keyPositions[k]) * t;
    orientation = math::Slerp(keyRotations[k], keyRotations[k1], t);
    fieldOfView = ((1.0f - t) * keyFieldOfView[k] + t * keyFieldOfView[k1]) * kFieldOfViewScale;
    CameraKeyT += app::Timer.dt * 0.075f;
    if (CameraKeyT > 1.0f) {
      CameraKeyT = 0.0f;
      currentKey = k + 1;
      if (n == currentKey + 3) CrossFadeRequested = true;
    }
    if (currentKey >= n - 2) {
      currentKey = 0;
      position = keyPositions[0];
      CameraKeyT = 0.0f;
      orientation = keyRotations[0];
      finished = true;
      fieldOfView = keyFieldOfView[0] * kFieldOfViewScale;
    }
  }
  direction = math::Rotate(orientation, math::NegativeUnitZ);
  up = math::Rotate(orientation, math::UnitY);
}

void SceneCamera::Apply() const {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(fieldOfView, 1.33, 1.0, 3000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const math::Vector3 target = position + direction;
  gluLookAt(position.x, position.y, position.z, target.x, target.y, target.z, up.x, up.y, up.z);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  math::ViewFrustum.Extract();
}

void SceneCamera::Move(float x, float y, float z) {
  const math::Vector3 offset = math::Rotate(orientation, math::Vector3{x, y, z});
  position = position + offset * app::Timer.dt;
}

SceneCamera* CurrentCamera(Scene& scene) {
  if (scene.cameras.empty()) return nullptr;
  const int32_t index = scene.currentCamera;
  if (index < 0 || index >= static_cast<int32_t>(scene.cameras.size())) return scene.cameras[0];
  return scene.cameras[index];
}

void CameraDirector::FillBag(Scene& scene) {
  scene.cameraBag.clear();
  for (size_t i = 0; i < scene.cameras.size(); ++i) scene.cameraBag.push_back(static_cast<int32_t>(i));
}

void CameraDirector::Draw(Scene& scene) {
  const int32_t count = static_cast<int32_t>(scene.cameraBag.size());
  if (count < 1) return;
  // The bag's last entry is only reachable when it is alone.
  const int32_t index = count == 1 ? 0 : std::rand() % (count - 1);
  int32_t chosen = scene.cameraBag[index];
  scene.cameraBag.erase(scene.cameraBag.begin() + index);
  if (chosen < 0 || chosen >= static_cast<int32_t>(scene.cameras.size())) chosen = 0;
  scene.currentCamera = chosen;
}

void CameraDirector::Start(Scene& scene) {
  FillBag(scene);
  std::srand(platform::Os().Milliseconds());
  if (scene.cameraBag.empty()) return;
  const int32_t forced = ForcedFirstCamera;
  if (forced >= 0 && forced < static_cast<int32_t>(scene.cameras.size())) {
    scene.currentCamera = forced;
    scene.cameraBag.erase(scene.cameraBag.begin() + forced);
  } else {
    Draw(scene);
  }
}

void CameraDirector::Step(Scene& scene) {
  SceneCamera* camera = CurrentCamera(scene);
  if (!camera) return;
  camera->Update();
  if (camera->finished) {
    camera->finished = false;
    if (scene.cameraBag.empty()) FillBag(scene);
    Draw(scene);
    if (scene.cameraBag.empty()) {
      FillBag(scene);
      std::srand(platform::Os().Milliseconds());
    }
    camera = CurrentCamera(scene);
    camera->finished = false;
    camera->Reset();
    camera->Update();
  }
  camera->Apply();
}

}  // namespace scene
