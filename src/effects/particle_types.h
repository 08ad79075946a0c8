// The records of the particle systems: what a system file defines, the
// particles of one burst, the bursts of one texture, and the shared array
// of quads they are drawn from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "math/quaternion.h"
#include "math/vector3.h"
#include "platform/gl_api.h"

namespace effects {

constexpr int kMaxEmitters = 5;
constexpr size_t kEmitterBodyBytes = 133;
constexpr size_t kParticleVertexCapacity = 100000;
constexpr size_t kFloatsPerParticleVertex = 9;  // x y z, r g b a, s t
constexpr uint32_t kEmissionVertexLimit = 80000;
constexpr float kParticleStep = 1.5f;

enum BurstKind : int32_t { kBillboardKind = 0, kStreakKind = 1 };

// One emitter of a system file. Values are as stored; the ×0.01 scales are
// applied where the fields are used.
struct EmitterDef {
  std::string textureName;
  math::Vector3 velocityBase, velocityRandom, spawnBox;
  int32_t particleCount = 0;
  math::Vector3 sizeBase, sizeRandom, shrinkRate;
  float fadeRateCopy = 0, gravity = 0;
  bool radial = false;
  int32_t blendSource = 0, blendDestination = 0;
  float alphaBase = 0, alphaMaximum = 0, fadeRate = 0, alphaRandom = 0;
  bool randomBackLength = false, reorient = false;
  float cameraPull = 0;
  int32_t frameCount = 0;
  float frameSpeed = 0;
  bool dieAfterAnimation = false, spin = false;
  float spinSpeed = 0;
  int32_t kind = 0;
  GLuint texture = 0;
};

struct ParticleSystemDef {
  int32_t emitterCount = 0;
  EmitterDef emitters[kMaxEmitters];
};

struct Particle {
  math::Vector3 position;
  float size = 0;  // billboard: half the square's side; streak: front length
  float halfWidth = 0, backLength = 0;
  math::Vector3 velocity, direction;
  math::Vector3 shrink;
  float fadeRate = 0, alphaMaximum = 0;
  float texU[4] = {}, texV[4] = {};
  bool spin = false;
  float spinSpeed = 0, angle = 0;
  float frameCount = 0, frameStart = 0, frameTimer = 0, frameSpeed = 0;
  bool dieAfterAnimation = false;
  float fadeDirection = 1;
  float red = 1, green = 1, blue = 1, alpha = 0;
  float gravity = 0;
  bool alive = false;
};

// What a step hands to each burst: where to write, and the camera of the
// last draw.
struct ParticleFrame {
  float* vertices = nullptr;
  uint32_t capacity = 0;  // in vertices
  uint32_t counter = 0;   // next vertex to write
  math::Vector3 right, up, forward;
};

class ParticleBurst {
 public:
  virtual ~ParticleBurst() = default;
  // One particle step of length stepLength; frameTime drives spin and
  // frame animation.
  virtual void Update(float stepLength, float frameTime, ParticleFrame& frame) = 0;
  // Fills the particles from emitter `index` of the definition.
  virtual void Init(const ParticleSystemDef& definition, int index) = 0;

  std::vector<Particle> particles;
  int32_t particleCount = 0;
  int32_t liveCount = 0;
  math::Vector3 centre;
  math::Quaternion orientation;
  math::Vector3 cameraPull;  // already scaled; zero without a pull
  bool radial = false;
  GLenum blendSource = GL_SRC_ALPHA, blendDestination = GL_ONE;
  uint32_t firstVertex = 0, vertexCount = 0;
  GLuint texture = 0;

 protected:
  // Copies what both kinds take from the definition and sizes the array;
  // counts are capped so that a damaged file cannot ask for more quads
  // than the vertex array holds.
  void PrepareParticles(const EmitterDef& emitter);
};

class BillboardBurst : public ParticleBurst {
 public:
  void Update(float stepLength, float frameTime, ParticleFrame& frame) override;
  void Init(const ParticleSystemDef& definition, int index) override;
};

class StreakBurst : public ParticleBurst {
 public:
  void Update(float stepLength, float frameTime, ParticleFrame& frame) override;
  void Init(const ParticleSystemDef& definition, int index) override;
};

struct TextureBatch {
  GLuint texture = 0;
  std::vector<ParticleBurst*> bursts;  // owned
  uint32_t firstVertex = 0;
  uint32_t vertexCount = 0;
};

// rand() % n with n the float truncated to an integer; no number is drawn
// when n is 0.
int RandomBelow(float range);

// The cross product a × b.
math::Vector3 CrossProduct(const math::Vector3& a, const math::Vector3& b);

}  // namespace effects
