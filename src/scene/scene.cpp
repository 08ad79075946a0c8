#include "scene/scene.h"

#include "scene/scene_loader.h"

namespace scene {

void LoadScene() { SceneLoader::Load(); }

void ClearScene() {
  ClearSceneRecords(TheScene);
  SceneVertices.clear();
  SceneVertices.shrink_to_fit();
}

}  // namespace scene
