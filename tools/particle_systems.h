// Every particle system the room's emitters name: the tree's blinking
// lights and glows, the fire, the candles, the locomotive's steam and the
// snow outside the windows.
#pragma once

#include <vector>

#include "particle_writer.h"

namespace content {

std::vector<ParticleSystemFile> MakeParticleSystems();

}  // namespace content
