#include "effects/particle_definitions.h"

#include <algorithm>

#include "archive/asset_store.h"
#include "assets/texture_cache.h"
#include "scene/byte_reader.h"

namespace effects {
namespace {

bool ReadVector(scene::ByteReader& in, math::Vector3& v) { return in.F32(v.x) && in.F32(v.y) && in.F32(v.z); }

bool ReadInt(scene::ByteReader& in, int32_t& value) {
  uint32_t bits = 0;
  if (!in.U32(bits)) return false;
  value = static_cast<int32_t>(bits);
  return true;
}

bool ReadFlag(scene::ByteReader& in, bool& flag) {
  uint8_t byte = 0;
  if (!in.U8(byte)) return false;
  flag = byte != 0;
  return true;
}

// The body, field by field in file order.
bool ReadBody(scene::ByteReader& in, EmitterDef& e) {
  return ReadVector(in, e.velocityBase) && ReadVector(in, e.velocityRandom) && ReadVector(in, e.spawnBox) &&
         ReadInt(in, e.particleCount) && ReadVector(in, e.sizeBase) && ReadVector(in, e.sizeRandom) &&
         ReadVector(in, e.shrinkRate) && in.F32(e.fadeRateCopy) && in.F32(e.gravity) && ReadFlag(in, e.radial) &&
         ReadInt(in, e.blendSource) && ReadInt(in, e.blendDestination) && in.F32(e.alphaBase) &&
         in.F32(e.alphaMaximum) && in.F32(e.fadeRate) && in.F32(e.alphaRandom) &&
         ReadFlag(in, e.randomBackLength) && ReadFlag(in, e.reorient) && in.F32(e.cameraPull) &&
         ReadInt(in, e.frameCount) && in.F32(e.frameSpeed) && ReadFlag(in, e.dieAfterAnimation) &&
         ReadFlag(in, e.spin) && in.F32(e.spinSpeed) && ReadInt(in, e.kind);
}

}  // namespace

ParticleSystemDef ReadParticleSystem(const uint8_t* data, size_t size) {
  ParticleSystemDef system;
  scene::ByteReader in(data, size);
  int32_t count = 0;
  if (!ReadInt(in, count)) return system;
  count = std::clamp(count, 0, kMaxEmitters);
  for (int i = 0; i < count; ++i) {
    EmitterDef emitter;
    if (!in.Str(emitter.textureName) || !ReadBody(in, emitter)) break;
    system.emitters[i] = emitter;
    system.emitterCount = i + 1;
  }
  return system;
}

ParticleSystemDef LoadParticleSystem(const std::string& name) {
  archive::AssetBlob blob = archive::Assets().Find(("Particles/" + name + ".bin").c_str());
  ParticleSystemDef system = ReadParticleSystem(blob.data, blob.size);
  archive::FreeAssetBlob(blob);
  for (int i = 0; i < system.emitterCount; ++i)
    system.emitters[i].texture = assets::TextureCache::Get("Sprites/" + system.emitters[i].textureName);
  return system;
}

}  // namespace effects
