// The particle systems as the frame sees them: emission for a woken helper,
// the fixed-size step and the one draw per texture.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "effects/particle_types.h"

namespace scene {
struct SceneHelper;
}
namespace assets {
struct InstanceHelper;
}

namespace effects {

class ParticleManager {
 public:
  ParticleManager();
  ~ParticleManager();
  ParticleManager(const ParticleManager&) = delete;
  ParticleManager& operator=(const ParticleManager&) = delete;

  // One burst per emitter of the named system at that place, unless this
  // frame runs no step or the last step used the emission limit.
  void Emit(const std::string& systemName, const math::Vector3& position, const math::Quaternion& orientation);
  // The step accumulator: steps of 1.5 while frames are short, one step of
  // the frame time when they are long.
  void Advance(float dt);
  // One particle step of length h over every burst.
  void Step(float h, float dt);
  // Draws every batch; the current modelview matrix is the camera's.
  void Draw();
  // Deletes every burst and batch (definitions stay loaded).
  void ClearBursts();
  // Where the camera pull points; the scene's current camera by default.
  math::Vector3 CameraPosition() const;

  std::map<std::string, ParticleSystemDef> definitions;
  std::vector<TextureBatch> batches;
  float accumulator = 0;
  float stepLength = 0;
  uint32_t vertexCounter = 0;
  std::vector<float> vertices;
  math::Vector3 cameraRight{1, 0, 0}, cameraUp{0, 1, 0}, cameraForward{0, 0, -1};
  // Tests place the camera here instead of the scene's.
  bool useFixedCamera = false;
  math::Vector3 fixedCameraPosition;

 private:
  const ParticleSystemDef& Definition(const std::string& systemName);
  void AddToBatch(ParticleBurst* burst);
};

// The one manager of the program.
ParticleManager& Particles();

void EmitForHelper(const scene::SceneHelper& helper);
void EmitForModelHelper(const assets::InstanceHelper& helper);
void AdvanceParticles(float dt);
void DrawParticles();

}  // namespace effects
