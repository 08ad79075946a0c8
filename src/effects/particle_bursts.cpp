// The two kinds of burst: camera-facing squares (flames, steam, snow, the
// tree's light blinks) and streaks stretched along a direction (fire
// tongues, glow rays). Random numbers come from the shared C generator in a
// fixed order per particle, so a seeded run repeats exactly.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "effects/particle_types.h"

namespace effects {
namespace {

constexpr float kDegreesToRadians = 0.017444444444444446f;
constexpr int32_t kMaxParticlesPerBurst = static_cast<int32_t>(kParticleVertexCapacity / 4);

void CopyFadeAndAnimation(Particle& p, const EmitterDef& e) {
  p.frameCount = static_cast<float>(e.frameCount);
  p.frameSpeed = e.frameSpeed;
  p.dieAfterAnimation = e.dieAfterAnimation;
  p.frameStart = 0;
  p.frameTimer = 0;
  p.spin = e.spin;
  p.spinSpeed = e.spinSpeed;
}

void InitAlpha(Particle& p, const EmitterDef& e) {
  p.red = p.green = p.blue = 1.0f;
  p.alpha = (e.alphaBase + static_cast<float>(RandomBelow(e.alphaRandom))) * 0.01f;
  p.fadeDirection = 1.0f;
  p.fadeRate = e.fadeRate * 0.01f;
  p.alphaMaximum = e.alphaMaximum * 0.01f;
}

// Offsets inside the spawn box, centred on the emitter. The billboard draws
// the components z first; the streak x first.
float BoxOffset(float extent) { return static_cast<float>(RandomBelow(extent)) - extent * 0.5f; }

math::Vector3 BoxOffsetZyx(const math::Vector3& box) {
  math::Vector3 offset;
  offset.z = BoxOffset(box.z);
  offset.y = BoxOffset(box.y);
  offset.x = BoxOffset(box.x);
  return offset * 0.01f;
}

math::Vector3 BoxOffsetXyz(const math::Vector3& box) {
  math::Vector3 offset;
  offset.x = BoxOffset(box.x);
  offset.y = BoxOffset(box.y);
  offset.z = BoxOffset(box.z);
  return offset * 0.01f;
}

void WriteVertex(ParticleFrame& frame, uint32_t at, const math::Vector3& position, float alpha, float s,
                 float t) {
  float* v = frame.vertices + static_cast<size_t>(at) * kFloatsPerParticleVertex;
  v[0] = position.x;
  v[1] = position.y;
  v[2] = position.z;
  v[6] = alpha;
  v[7] = s;
  v[8] = t;
}

// The array is never written past its end: a quad that does not fit is not
// drawn, though its particle goes on living.
bool QuadFits(const ParticleFrame& frame) { return frame.counter + 4 <= frame.capacity; }

void FadeAlpha(Particle& p, float h) {
  if (p.alpha >= p.alphaMaximum) p.fadeDirection = -1.0f;
  p.alpha += h * p.fadeDirection * p.fadeRate;
}

}  // namespace

int RandomBelow(float range) {
  // Ranges beyond int (only a damaged file holds them) count as none.
  if (!(range > -2147483520.0f && range < 2147483520.0f)) return 0;
  const int n = static_cast<int>(range);
  if (n == 0) return 0;
  return std::rand() % n;
}

math::Vector3 CrossProduct(const math::Vector3& a, const math::Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void ParticleBurst::PrepareParticles(const EmitterDef& emitter) {
  particleCount = std::clamp(emitter.particleCount, 0, kMaxParticlesPerBurst);
  particles.assign(static_cast<size_t>(particleCount), Particle{});
  liveCount = std::min(particleCount, 99);
  radial = emitter.radial;
  blendSource = static_cast<GLenum>(emitter.blendSource);
  blendDestination = static_cast<GLenum>(emitter.blendDestination);
  texture = emitter.texture;
}

void BillboardBurst::Init(const ParticleSystemDef& definition, int index) {
  const EmitterDef& e = definition.emitters[index];
  PrepareParticles(e);
  for (Particle& p : particles) {
    CopyFadeAndAnimation(p, e);
    p.angle = static_cast<float>(RandomBelow(360.0f)) * kDegreesToRadians;
    if (std::rand() % 100 > 50) p.spinSpeed = -p.spinSpeed;
    InitAlpha(p, e);
    p.position = centre + cameraPull + math::Rotate(orientation, BoxOffsetZyx(e.spawnBox));
    p.size = e.sizeBase.x + static_cast<float>(RandomBelow(e.sizeRandom.x)) * 0.01f;
    math::Vector3 velocity;
    velocity.z = static_cast<float>(RandomBelow(e.velocityRandom.z)) + e.velocityBase.z;
    velocity.y = static_cast<float>(RandomBelow(e.velocityRandom.y)) + e.velocityBase.y;
    velocity.x = static_cast<float>(RandomBelow(e.velocityRandom.x)) + e.velocityBase.x;
    p.velocity = math::Rotate(orientation, velocity * 0.01f);
    p.shrink = e.shrinkRate;
    p.gravity = e.gravity;
    p.alive = true;
  }
}

void BillboardBurst::Update(float h, float dt, ParticleFrame& frame) {
  firstVertex = frame.counter;
  liveCount = 0;
  for (Particle& p : particles) {
    if (!p.alive) continue;
    const float s = p.size;
    math::Vector3 corners[4] = {-s * (frame.right + frame.up), s * (frame.right - frame.up),
                                s * (frame.right + frame.up), s * (frame.up - frame.right)};
    if (p.spin) {
      const math::Quaternion turn{frame.forward.x * std::sin(p.angle), frame.forward.y * std::sin(p.angle),
                                  frame.forward.z * std::sin(p.angle), std::cos(p.angle)};
      for (math::Vector3& corner : corners) corner = math::Rotate(turn, corner);
      p.angle += p.spinSpeed * dt * 0.001f;
    }
    // Frames lie side by side; a count below one is taken as a single frame.
    const float frameWidth = p.frameCount >= 1.0f ? 1.0f / p.frameCount : 1.0f;
    const float u0 = p.frameStart, u1 = p.frameStart + frameWidth;
    const float texS[4] = {u0, u1, u1, u0}, texT[4] = {0, 0, 1, 1};
    p.frameTimer += dt * p.frameSpeed * 0.01f;
    if (p.frameTimer >= 1.0f) {
      p.frameStart += frameWidth;
      p.frameTimer = 0;
    }
    if (p.frameStart >= 1.0f) {
      if (p.dieAfterAnimation) {
        p.alive = false;
      } else {
        p.frameStart = 0;
        p.frameTimer = 0;
      }
    }
    const bool fits = QuadFits(frame);
    if (fits)
      for (int k = 0; k < 4; ++k) WriteVertex(frame, frame.counter + k, p.position + corners[k], p.alpha, texS[k], texT[k]);
    p.position = p.position + h * p.velocity;
    p.velocity.z -= p.gravity * h;
    if (p.alpha < 0 || p.size < 0) p.alive = false;
    p.size -= h * p.shrink.x;
    FadeAlpha(p, h);
    liveCount += p.alive ? 1 : 0;
    if (fits) frame.counter += 4;
  }
  vertexCount = frame.counter - firstVertex;
}

void StreakBurst::Init(const ParticleSystemDef& definition, int index) {
  const EmitterDef& e = definition.emitters[index];
  PrepareParticles(e);
  for (Particle& p : particles) {
    CopyFadeAndAnimation(p, e);
    InitAlpha(p, e);
    p.position = centre + cameraPull + BoxOffsetXyz(e.spawnBox);
    p.size = e.sizeBase.x + static_cast<float>(RandomBelow(e.sizeRandom.x)) * 0.01f;
    p.halfWidth = e.sizeBase.y + static_cast<float>(RandomBelow(e.sizeRandom.y)) * 0.01f;
    p.backLength = 0;
    p.shrink = e.shrinkRate;
    p.gravity = e.gravity;
    p.direction = e.velocityRandom;
    if (e.reorient) {
      if (radial) {
        p.direction = p.position - centre;
      } else {
        p.direction.x = static_cast<float>(RandomBelow(100.0f)) * 0.02f - 1.0f;
        p.direction.y = static_cast<float>(RandomBelow(100.0f)) * 0.02f - 1.0f;
        p.direction.z = static_cast<float>(RandomBelow(100.0f)) * 0.02f - 1.0f;
      }
      math::Normalize(p.direction);
    }
    if (e.randomBackLength) p.backLength = e.sizeBase.x + static_cast<float>(RandomBelow(e.sizeRandom.x)) * 0.01f;
    math::Vector3 jitter;
    jitter.x = static_cast<float>(std::rand() % 100 - 50);
    jitter.y = static_cast<float>(std::rand() % 100 - 50);
    jitter.z = static_cast<float>(std::rand() % 100 - 50);
    math::Normalize(jitter);
    math::Vector3 heading = radial ? p.direction : jitter * (e.velocityBase.z * 0.01f) + p.direction;
    const float speed = (static_cast<float>(RandomBelow(e.velocityRandom.y)) + e.velocityBase.x) * 0.01f;
    p.velocity = heading * speed;
    p.alive = true;
  }
}

void StreakBurst::Update(float h, float, ParticleFrame& frame) {
  firstVertex = frame.counter;
  liveCount = 0;
  for (Particle& p : particles) {
    if (!p.alive) continue;
    const math::Vector3 side = CrossProduct(frame.forward, p.direction);
    const math::Vector3 back = p.position - p.backLength * p.direction;
    const math::Vector3 front = p.position + p.size * p.direction;
    const math::Vector3 across = p.halfWidth * side;
    const bool fits = QuadFits(frame);
    if (fits) {
      WriteVertex(frame, frame.counter + 0, back - across, p.alpha, 0, 0);
      WriteVertex(frame, frame.counter + 1, back + across, p.alpha, 1, 0);
      WriteVertex(frame, frame.counter + 2, front + across, p.alpha, 1, 1);
      WriteVertex(frame, frame.counter + 3, front - across, p.alpha, 0, 1);
    }
    p.position = p.position + h * p.velocity;
    p.velocity.z -= p.gravity * h;
    if (p.alpha < 0 || p.size < 0) p.alive = false;
    p.size -= h * p.shrink.x;
    p.halfWidth -= h * p.shrink.y;
    FadeAlpha(p, h);
    liveCount += p.alive ? 1 : 0;
    if (fits) frame.counter += 4;
  }
  vertexCount = frame.counter - firstVertex;
}

}  // namespace effects
