#include "effects/particle_manager.h"

namespace effects {

// No particle system is loaded yet: helpers wake without a burst and there
// is nothing to step or draw.
void EmitForHelper(const scene::SceneHelper&) {}
void EmitForModelHelper(const assets::InstanceHelper&) {}
void AdvanceParticles(float) {}
void DrawParticles() {}

}  // namespace effects
