#include "scene/instance_models.h"

namespace scene {

// The model formats are not read yet: an instance node stands in the scene
// with an empty model (no size, nothing to draw).
void AttachStaticModel(SceneNode& node, const std::string&, const math::Quaternion&) { node.size = {}; }
void AttachAnimatedModel(SceneNode&, const std::string&, const math::Quaternion&) {}
void DrawStaticInstance(SceneNode&) {}
void DrawAnimatedInstance(SceneNode&, float) {}

}  // namespace scene
