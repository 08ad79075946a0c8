// The particle systems as the frame sees them: emission for a woken helper,
// the step and the draw.
#pragma once

namespace scene {
struct SceneHelper;
}

namespace effects {

void EmitForHelper(const scene::SceneHelper& helper);
void AdvanceParticles(float dt);
void DrawParticles();

}  // namespace effects
