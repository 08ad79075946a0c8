#include "scene/camera.h"

#include "scene/scene_camera.h"
#include "scene/scene_types.h"

namespace scene {

void MoveCurrentCamera(float x, float y, float z) {
  if (SceneCamera* camera = CurrentCamera(TheScene)) camera->Move(x, y, z);
}

}  // namespace scene
