#pragma once

namespace scene {

// Offsets the current camera (arrow keys).
void MoveCurrentCamera(float x, float y, float z);

}  // namespace scene
