#include "scene/scene.h"

namespace scene {

// The room file and its loader come next; until then the frame is empty.
void LoadScene() {}
void ClearScene() {}

}  // namespace scene
