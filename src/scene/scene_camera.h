// The animated cameras of the scene file and the director that plays them.
#pragma once

#include <cstdint>
#include <vector>

#include "math/quaternion.h"
#include "math/vector3.h"
#include "platform/platform.h"

namespace scene {

struct Scene;

class SceneCamera {
 public:
  math::Vector3 position;
  math::Vector3 up{0.0f, 1.0f, 0.0f};
  math::Vector3 direction{1.0f, 0.0f, 0.0f};
  math::Vector3 startPosition;
  math::Quaternion orientation;
  float lookAngles[3] = {-90.0f, 0.0f, 90.0f};
  math::Quaternion savedOrientation;
  uint8_t flags[3] = {};
  float fieldOfView = 45.0f;
  platform::Point cursorPoints[2];
  std::vector<math::Vector3> keyPositions;
  std::vector<math::Quaternion> keyRotations;  // conjugated on loading
  std::vector<float> keyFieldOfView;           // radians
  int32_t keyCount = 0;
  int32_t currentKey = 0;
  bool pathMode = false;
  bool finished = false;

  void SetUp(const math::Vector3& startAt);
  void Reset();
  void Update();
  void Apply() const;
  void Move(float x, float y, float z);
};

// Key interpolation shared by all cameras (only one plays at a time), and the
// request for the cross-fade snapshot that the frame reads and clears.
extern float CameraKeyT;
extern bool CrossFadeRequested;

// With a value of 0 or more the director's first draw takes this camera
// (the headless runner's --camera, for repeatable pictures of each path).
extern int32_t ForcedFirstCamera;

class CameraDirector {
 public:
  static void Start(Scene& scene);
  static void Step(Scene& scene);
  // One draw from the bag (which must not be empty).
  static void Draw(Scene& scene);
  static void FillBag(Scene& scene);
};

// The camera being shown, or null when the scene has none.
SceneCamera* CurrentCamera(Scene& scene);

}  // namespace scene
