// Reading a particle system file ("Particles/<name>.bin"): up to five
// emitter definitions, each a texture name and a 133-byte body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "effects/particle_types.h"

namespace effects {

// Parses the file's bytes. A count above five reads five; the emitters
// completed before a record that runs past the end are kept and the rest
// are dropped, so a damaged file never reads past its bytes. Textures are
// not loaded.
ParticleSystemDef ReadParticleSystem(const uint8_t* data, size_t size);

// Reads the system of that name from the archives and loads each emitter's
// texture from "Sprites/"; a file that is not there gives no emitters.
ParticleSystemDef LoadParticleSystem(const std::string& name);

}  // namespace effects
