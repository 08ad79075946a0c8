// Where the placed models meet the scene: attaching a model to an instance
// node when the scene is read, and drawing it in the lists.
#pragma once

#include <string>

#include "math/quaternion.h"
#include "scene/scene_types.h"

namespace scene {

void AttachStaticModel(SceneNode& node, const std::string& modelName, const math::Quaternion& rotation);
void AttachAnimatedModel(SceneNode& node, const std::string& modelName, const math::Quaternion& rotation);
void DrawStaticInstance(SceneNode& node);
void DrawAnimatedInstance(SceneNode& node, float dt);
void ReleaseInstanceModels(SceneNode& node);

}  // namespace scene
