#include "effects/particle_manager.h"

#include <cmath>
#include <memory>

#include "app/renderer_state.h"
#include "assets/model_instance.h"
#include "effects/particle_definitions.h"
#include "scene/scene_camera.h"
#include "scene/scene_types.h"

namespace effects {
namespace {

// A helper's system is the part of its name after the first blank.
std::string SystemName(const std::string& helperName) {
  const size_t blank = helperName.find(' ');
  return blank == std::string::npos ? std::string() : helperName.substr(blank + 1);
}

std::unique_ptr<ParticleBurst> MakeBurst(int32_t kind) {
  if (kind == kBillboardKind) return std::make_unique<BillboardBurst>();
  if (kind == kStreakKind) return std::make_unique<StreakBurst>();
  return nullptr;
}

}  // namespace

ParticleManager::ParticleManager() {
  vertices.assign(kParticleVertexCapacity * kFloatsPerParticleVertex, 0.0f);
  // The step writes only alpha: particle colour comes from the texture.
  for (size_t i = 0; i < kParticleVertexCapacity; ++i)
    for (size_t c = 3; c < 7; ++c) vertices[i * kFloatsPerParticleVertex + c] = 1.0f;
}

ParticleManager::~ParticleManager() { ClearBursts(); }

void ParticleManager::ClearBursts() {
  for (TextureBatch& batch : batches)
    for (ParticleBurst* burst : batch.bursts) delete burst;
  batches.clear();
  vertexCounter = 0;
}

math::Vector3 ParticleManager::CameraPosition() const {
  if (useFixedCamera) return fixedCameraPosition;
  const scene::SceneCamera* camera = scene::CurrentCamera(scene::TheScene);
  return camera ? camera->position : math::ZeroVector;
}

const ParticleSystemDef& ParticleManager::Definition(const std::string& systemName) {
  auto found = definitions.find(systemName);
  if (found == definitions.end()) found = definitions.emplace(systemName, LoadParticleSystem(systemName)).first;
  return found->second;
}

void ParticleManager::AddToBatch(ParticleBurst* burst) {
  for (TextureBatch& batch : batches) {
    if (batch.texture == burst->texture) {
      batch.bursts.push_back(burst);
      return;
    }
  }
  TextureBatch batch;
  batch.texture = burst->texture;
  batch.bursts.push_back(burst);
  batches.push_back(std::move(batch));
}

void ParticleManager::Emit(const std::string& systemName, const math::Vector3& position,
                           const math::Quaternion& orientation) {
  if (accumulator != 0.0f || vertexCounter >= kEmissionVertexLimit) return;
  const ParticleSystemDef& system = Definition(systemName);
  for (int i = 0; i < system.emitterCount; ++i) {
    const EmitterDef& emitter = system.emitters[i];
    std::unique_ptr<ParticleBurst> burst = MakeBurst(emitter.kind);
    if (!burst) continue;
    burst->centre = position;
    burst->orientation = orientation;
    if (emitter.cameraPull != 0.0f) {
      math::Vector3 towards = CameraPosition() - position;
      math::Normalize(towards);
      burst->cameraPull = towards * emitter.cameraPull;
    }
    burst->Init(system, i);
    AddToBatch(burst.release());
  }
}

void ParticleManager::Advance(float dt) {
  if (dt > kParticleStep) {
    Step(dt, dt);
  } else if (accumulator == 0.0f) {
    Step(kParticleStep, dt);
  }
  accumulator += dt;
  if (accumulator > kParticleStep) accumulator = 0.0f;
}

void ParticleManager::Step(float h, float dt) {
  stepLength = h;
  ParticleFrame frame;
  frame.vertices = vertices.data();
  frame.capacity = static_cast<uint32_t>(kParticleVertexCapacity);
  frame.right = cameraRight;
  frame.up = cameraUp;
  frame.forward = cameraForward;
  for (TextureBatch& batch : batches) {
    const uint32_t start = frame.counter;
    batch.firstVertex = start;
    for (size_t i = 0; i < batch.bursts.size();) {
      ParticleBurst* burst = batch.bursts[i];
      if (burst->liveCount < 1) {
        delete burst;
        batch.bursts[i] = batch.bursts.back();
        batch.bursts.pop_back();
        continue;
      }
      burst->Update(h, dt, frame);
      ++i;
    }
    batch.vertexCount = frame.counter - start;
  }
  vertexCounter = frame.counter;
}

void ParticleManager::Draw() {
  glDisable(GL_FOG);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  cameraRight = {m[0], m[4], m[8]};
  cameraUp = {m[1], m[5], m[9]};
  cameraForward = CrossProduct(cameraUp, cameraRight);
  math::Normalize(cameraForward);

  // The scene's vertex buffer must not be bound while drawing from memory.
  if (glBindBufferARB) glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
  const GLsizei stride = static_cast<GLsizei>(kFloatsPerParticleVertex * sizeof(float));
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, stride, vertices.data());
  glColorPointer(4, GL_FLOAT, stride, vertices.data() + 3);
  glTexCoordPointer(2, GL_FLOAT, stride, vertices.data() + 7);
  glEnable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  glEnable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  for (const TextureBatch& batch : batches) {
    if (batch.vertexCount == 0 || batch.bursts.empty()) continue;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, batch.texture);
    glBlendFunc(batch.bursts.front()->blendSource, batch.bursts.front()->blendDestination);
    glDrawArrays(GL_QUADS, static_cast<GLint>(batch.firstVertex), static_cast<GLsizei>(batch.vertexCount));
  }
  glDepthMask(GL_TRUE);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisable(GL_BLEND);
}

ParticleManager& Particles() {
  static ParticleManager manager;
  return manager;
}

void EmitForHelper(const scene::SceneHelper& helper) {
  if (app::ForcedPaths.noParticles) return;
  Particles().Emit(SystemName(helper.name), helper.position, helper.rotation);
}

void EmitForModelHelper(const assets::InstanceHelper& helper) {
  if (app::ForcedPaths.noParticles) return;
  Particles().Emit(helper.helper.tail, helper.worldPosition, helper.helper.rotation);
}

void AdvanceParticles(float dt) {
  if (!app::ForcedPaths.noParticles) Particles().Advance(dt);
}

void DrawParticles() {
  if (!app::ForcedPaths.noParticles) Particles().Draw();
}

}  // namespace effects
