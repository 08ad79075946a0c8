#include "effects/scene_animations.h"

#include <cmath>

namespace effects {

float TrainAngle = 0.0f;

namespace {

void AnimateTrain(assets::ModelInstance& instance, float dt) {
  const float degrees = TrainAngle * 0.6f;
  for (const char* car : {"loco", "wagon01", "wagon02"}) assets::SetNodeAngleZ(instance, car, degrees);
  // The steam follows the locomotive: its helper turns with the cars about
  // the track's centre. It is the first helper of "wagon01".
  if (assets::ModelNode* wagon = assets::FindInstanceNode(instance, "wagon01")) {
    if (!wagon->helpers.empty()) {
      assets::InstanceHelper& steam = wagon->helpers.front();
      const float a = TrainAngle * 0.005233333541287317f;
      const math::Quaternion turn{0.0f, 0.0f, std::sin(a), std::cos(a)};
      steam.worldPosition = math::Rotate(turn, steam.helper.position) + instance.position;
      steam.worldPosition.z += 7.0f;
    }
  }
  TrainAngle += dt * 0.8f;
}

void AnimateClock(assets::ModelInstance& instance, const platform::LocalTime& now) {
  const float hour = static_cast<float>(now.hour > 12 ? now.hour - 12 : now.hour);
  assets::SetNodeAngleY(instance, "Arrow01", static_cast<float>(now.minute) * -6.0f);
  assets::SetNodeAngleY(instance, "Arrow02", (hour + static_cast<float>(now.minute) * 0.016666668f) * -30.0f);
  assets::SetNodeAngleY(instance, "Arrow03", static_cast<float>(now.second) * -6.0f);
}

}  // namespace

void AnimateInstance(const std::string& sceneName, assets::ModelInstance& instance, float dt,
                     const platform::LocalTime& now) {
  if (sceneName == "instance railroad")
    AnimateTrain(instance, dt);
  else if (sceneName == "instance Clock")
    AnimateClock(instance, now);
}

}  // namespace effects
