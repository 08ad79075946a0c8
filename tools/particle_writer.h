// Writes particle system files: an emitter count and, per emitter, its
// sprite's name and the 133-byte body of its parameters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bss_writer.h"

namespace content {

// Values as stored; the engine scales most of them by 0.01 where it uses
// them (see the comments by the systems that set them).
struct ParticleEmitter {
  std::string texture;  // under "Sprites\"
  Vec3 velocityBase, velocityRandom, spawnBox;
  int32_t count = 1;
  Vec3 sizeBase, sizeRandom, shrink;
  float gravity = 0;
  bool radial = false;
  int32_t blendSource = 770, blendDestination = 1;  // GL_SRC_ALPHA, GL_ONE
  float alphaBase = 0, alphaMaximum = 100, fadeRate = 1, alphaRandom = 0;
  bool randomBackLength = false, reorient = false;
  float cameraPull = 0;
  int32_t frameCount = 1;
  float frameSpeed = 0;
  bool dieAfterAnimation = false, spin = false;
  float spinSpeed = 0;
  int32_t kind = 0;  // 0 camera-facing square, 1 streak
};

struct ParticleSystemFile {
  std::string name;  // written as "Particles\<name>.bin"
  std::vector<ParticleEmitter> emitters;
};

constexpr size_t kParticleEmitterBodyBytes = 133;

// The file bytes. The count written is the number of emitters given.
std::vector<uint8_t> EncodeParticleSystem(const std::vector<ParticleEmitter>& emitters);

}  // namespace content
