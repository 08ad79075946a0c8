#include "scene/camera.h"

namespace scene {

// No camera path is loaded yet, so there is nothing to move.
void MoveCurrentCamera(float, float, float) {}

}  // namespace scene
