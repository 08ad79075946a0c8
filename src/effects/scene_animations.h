// The two instances moved by program logic: the toy train round its track
// and the wall clock's hands.
#pragma once

#include <string>

#include "platform/platform.h"
#include "assets/model_instance.h"

namespace effects {

// One float for the whole run, in units of 1/0.6 degree; never wrapped.
extern float TrainAngle;

// Applies the animation of the instance of that scene name, if it has one.
void AnimateInstance(const std::string& sceneName, assets::ModelInstance& instance, float dt,
                     const platform::LocalTime& now);

}  // namespace effects
