#include "scene/instance_models.h"

#include "app/frame_timer.h"
#include "app/time_of_day.h"
#include "assets/animated_model.h"
#include "assets/model_instance.h"
#include "assets/static_model.h"
#include "effects/particle_manager.h"
#include "effects/scene_animations.h"

namespace scene {

void AttachStaticModel(SceneNode& node, const std::string& modelName, const math::Quaternion& rotation) {
  auto* instance = new assets::ModelInstance;
  instance->rotation = rotation;
  instance->position = node.centre;
  // Null once the library's places are all taken: the instance stays empty.
  if (const assets::StaticModel* model = assets::ModelLibrary::Get(modelName)) {
    assets::CreateInstance(*instance, *model);
    node.size = model->size;
  }
  node.staticModel = instance;
}

void AttachAnimatedModel(SceneNode& node, const std::string& modelName, const math::Quaternion& rotation) {
  auto* model = new assets::AnimatedModel;
  math::ToRotationMatrix(rotation, model->base);
  model->Load(modelName);
  model->animate = true;
  model->nextAnimation = 0;
  model->playSpeed = 0.2f;
  model->blend = true;
  model->blendSpeed = 0.2f;
  node.animatedModel = model;
}

void DrawStaticInstance(SceneNode& node) {
  assets::ModelInstance* instance = node.staticModel;
  if (!instance) return;
  instance->position = node.centre;
  const float dt = app::Timer.dt;
  effects::AnimateInstance(node.name, *instance, dt, app::TimeOfDay.local);
  assets::UpdateInstance(*instance, dt, effects::EmitForModelHelper);
  assets::DrawInstance(*instance);
}

void DrawAnimatedInstance(SceneNode& node, float dt) {
  assets::AnimatedModel* model = node.animatedModel;
  if (!model) return;
  model->SetPosition(node.centre);
  model->Update(dt);
  model->Draw(dt);
}

void ReleaseInstanceModels(SceneNode& node) {
  delete node.staticModel;
  delete node.animatedModel;
  node.staticModel = nullptr;
  node.animatedModel = nullptr;
}

}  // namespace scene
