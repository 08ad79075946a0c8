// The particle systems as the frame sees them: emission for a woken helper,
// the step and the draw.
#pragma once

namespace scene {
struct SceneHelper;
}
namespace assets {
struct InstanceHelper;
}

namespace effects {

void EmitForHelper(const scene::SceneHelper& helper);
void EmitForModelHelper(const assets::InstanceHelper& helper);
void AdvanceParticles(float dt);
void DrawParticles();

}  // namespace effects
