#include "particle_writer.h"

#include "record_writer.h"

namespace content {
namespace {

void PutI32(std::vector<uint8_t>& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }
void PutFlag(std::vector<uint8_t>& out, bool flag) { out.push_back(flag ? 1 : 0); }

}  // namespace

std::vector<uint8_t> EncodeParticleSystem(const std::vector<ParticleEmitter>& emitters) {
  std::vector<uint8_t> out;
  PutI32(out, static_cast<int32_t>(emitters.size()));
  for (const ParticleEmitter& e : emitters) {
    PutU32(out, static_cast<uint32_t>(e.texture.size()));
    out.insert(out.end(), e.texture.begin(), e.texture.end());
    PutVec3(out, e.velocityBase);
    PutVec3(out, e.velocityRandom);
    PutVec3(out, e.spawnBox);
    PutI32(out, e.count);
    PutVec3(out, e.sizeBase);
    PutVec3(out, e.sizeRandom);
    PutVec3(out, e.shrink);
    PutF32(out, e.fadeRate);  // the unused first copy holds the same value
    PutF32(out, e.gravity);
    PutFlag(out, e.radial);
    PutI32(out, e.blendSource);
    PutI32(out, e.blendDestination);
    PutF32(out, e.alphaBase);
    PutF32(out, e.alphaMaximum);
    PutF32(out, e.fadeRate);
    PutF32(out, e.alphaRandom);
    PutFlag(out, e.randomBackLength);
    PutFlag(out, e.reorient);
    PutF32(out, e.cameraPull);
    PutI32(out, e.frameCount);
    PutF32(out, e.frameSpeed);
    PutFlag(out, e.dieAfterAnimation);
    PutFlag(out, e.spin);
    PutF32(out, e.spinSpeed);
    PutI32(out, e.kind);
  }
  return out;
}

}  // namespace content
