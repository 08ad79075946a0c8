#pragma once

namespace scene {

// Loads the room with its models, textures and effects.
void LoadScene();
// Releases the room.
void ClearScene();

}  // namespace scene
