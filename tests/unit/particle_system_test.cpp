// Particle systems: reading system files written by the content generator,
// the random draws per particle, the step accumulator, emission limits,
// burst lifetimes, frame animation, spin, and the shared vertex array.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "effects/particle_definitions.h"
#include "effects/particle_manager.h"
#include "particle_writer.h"
#include "scene_fixture.h"

namespace {

using effects::BillboardBurst;
using effects::ParticleFrame;
using effects::ParticleManager;
using effects::ParticleSystemDef;
using effects::StreakBurst;

content::ParticleEmitter Emitter(const std::string& texture, int32_t kind) {
  content::ParticleEmitter e;
  e.texture = texture;
  e.kind = kind;
  return e;
}

ParticleSystemDef Read(const std::vector<uint8_t>& bytes) {
  return effects::ReadParticleSystem(bytes.data(), bytes.size());
}

ParticleSystemDef OneEmitter(const content::ParticleEmitter& e) {
  return Read(content::EncodeParticleSystem({e}));
}

TEST(ParticleFile, RecordsAreBodyAndNameAndCountIsCappedAtFive) {
  std::vector<content::ParticleEmitter> seven;
  for (int i = 0; i < 7; ++i) seven.push_back(Emitter("sprite" + std::to_string(i) + ".tga", i % 2));
  seven[4].spinSpeed = 12.5f;
  seven[4].blendDestination = 771;
  seven[4].frameCount = 4;
  seven[4].dieAfterAnimation = true;
  seven[4].velocityRandom = {1, 2, 3};
  const std::vector<uint8_t> bytes = content::EncodeParticleSystem(seven);
  EXPECT_EQ(bytes.size(), 4u + 7 * (4 + 11 + 133));
  const ParticleSystemDef system = Read(bytes);
  ASSERT_EQ(system.emitterCount, 5);
  EXPECT_EQ(system.emitters[4].textureName, "sprite4.tga");
  EXPECT_EQ(system.emitters[4].kind, 0);
  EXPECT_EQ(system.emitters[3].kind, 1);
  EXPECT_FLOAT_EQ(system.emitters[4].spinSpeed, 12.5f);
  EXPECT_EQ(system.emitters[4].blendDestination, 771);
  EXPECT_EQ(system.emitters[4].frameCount, 4);
  EXPECT_TRUE(system.emitters[4].dieAfterAnimation);
  EXPECT_FALSE(system.emitters[4].spin);
  EXPECT_FLOAT_EQ(system.emitters[4].velocityRandom.z, 3.0f);
}

TEST(ParticleFile, DamagedFilesKeepWholeEmittersAndNeverReadPastTheEnd) {
  const std::vector<uint8_t> two =
      content::EncodeParticleSystem({Emitter("a.tga", 0), Emitter("b.tga", 1)});
  // Cut inside the second body: the first emitter stays.
  std::vector<uint8_t> cut(two.begin(), two.end() - 1);
  EXPECT_EQ(Read(cut).emitterCount, 1);
  // A name length far beyond the file.
  std::vector<uint8_t> longName = two;
  longName[4] = 0xFF;
  longName[5] = 0xFF;
  EXPECT_EQ(Read(longName).emitterCount, 0);
  // A negative count and an empty file.
  std::vector<uint8_t> negative = two;
  negative[3] = 0x80;
  EXPECT_EQ(Read(negative).emitterCount, 0);
  EXPECT_EQ(effects::ReadParticleSystem(nullptr, 0).emitterCount, 0);
}

// The billboard's draws, computed again from the documented order.
TEST(ParticleRandom, BillboardDrawsInOrderAndSkipsEmptyRanges) {
  content::ParticleEmitter e = Emitter("s.tga", 0);
  e.count = 3;
  e.spinSpeed = 7;
  e.alphaBase = 20;
  e.alphaRandom = 30;
  e.spawnBox = {400, 0, 200};  // no draw for y
  e.sizeBase = {2, 0, 0};
  e.sizeRandom = {50, 0, 0};
  e.velocityBase = {1, 2, 3};
  e.velocityRandom = {0, 10, 20};  // no draw for x
  const ParticleSystemDef def = OneEmitter(e);
  BillboardBurst burst;
  burst.centre = {10, 20, 30};
  std::srand(4242);
  burst.Init(def, 0);
  const int after = std::rand();

  std::srand(4242);
  for (const effects::Particle& p : burst.particles) {
    const float angle = static_cast<float>(std::rand() % 360) * 0.017444444444444446f;
    const float spin = std::rand() % 100 > 50 ? -7.0f : 7.0f;
    const float alpha = (20.0f + static_cast<float>(std::rand() % 30)) * 0.01f;
    const float oz = static_cast<float>(std::rand() % 200) - 100.0f;
    const float ox = static_cast<float>(std::rand() % 400) - 200.0f;
    const float size = 2.0f + static_cast<float>(std::rand() % 50) * 0.01f;
    const float vz = static_cast<float>(std::rand() % 20) + 3.0f;
    const float vy = static_cast<float>(std::rand() % 10) + 2.0f;
    EXPECT_FLOAT_EQ(p.angle, angle);
    EXPECT_FLOAT_EQ(p.spinSpeed, spin);
    EXPECT_FLOAT_EQ(p.alpha, alpha);
    EXPECT_FLOAT_EQ(p.position.x, 10 + ox * 0.01f);
    EXPECT_FLOAT_EQ(p.position.y, 20);
    EXPECT_FLOAT_EQ(p.position.z, 30 + oz * 0.01f);
    EXPECT_FLOAT_EQ(p.size, size);
    EXPECT_FLOAT_EQ(p.velocity.x, 0.01f);
    EXPECT_FLOAT_EQ(p.velocity.y, vy * 0.01f);
    EXPECT_FLOAT_EQ(p.velocity.z, vz * 0.01f);
    EXPECT_TRUE(p.alive);
  }
  EXPECT_EQ(std::rand(), after) << "the same number of draws";
  EXPECT_EQ(burst.liveCount, 3);
}

TEST(ParticleRandom, StreakDrawsInOrder) {
  content::ParticleEmitter e = Emitter("s.tga", 1);
  e.count = 2;
  e.alphaRandom = 10;
  e.spawnBox = {100, 200, 300};
  e.sizeBase = {10, 3, 0};
  e.sizeRandom = {40, 60, 0};
  e.velocityBase = {50, 0, 25};
  e.velocityRandom = {0, 8, 1};
  e.reorient = true;
  e.randomBackLength = true;
  const ParticleSystemDef def = OneEmitter(e);
  StreakBurst burst;
  std::srand(99);
  burst.Init(def, 0);
  const int after = std::rand();

  std::srand(99);
  for (const effects::Particle& p : burst.particles) {
    const float alpha = static_cast<float>(std::rand() % 10) * 0.01f;
    const float x = static_cast<float>(std::rand() % 100) - 50.0f;
    const float y = static_cast<float>(std::rand() % 200) - 100.0f;
    const float z = static_cast<float>(std::rand() % 300) - 150.0f;
    const float front = 10.0f + static_cast<float>(std::rand() % 40) * 0.01f;
    const float half = 3.0f + static_cast<float>(std::rand() % 60) * 0.01f;
    math::Vector3 d;
    d.x = static_cast<float>(std::rand() % 100) * 0.02f - 1.0f;
    d.y = static_cast<float>(std::rand() % 100) * 0.02f - 1.0f;
    d.z = static_cast<float>(std::rand() % 100) * 0.02f - 1.0f;
    math::Normalize(d);
    const float back = 10.0f + static_cast<float>(std::rand() % 40) * 0.01f;
    math::Vector3 jitter;
    jitter.x = static_cast<float>(std::rand() % 100 - 50);
    jitter.y = static_cast<float>(std::rand() % 100 - 50);
    jitter.z = static_cast<float>(std::rand() % 100 - 50);
    math::Normalize(jitter);
    const float speed = (static_cast<float>(std::rand() % 8) + 50.0f) * 0.01f;
    EXPECT_FLOAT_EQ(p.alpha, alpha);
    EXPECT_FLOAT_EQ(p.position.x, x * 0.01f);
    EXPECT_FLOAT_EQ(p.position.y, y * 0.01f);
    EXPECT_FLOAT_EQ(p.position.z, z * 0.01f);
    EXPECT_FLOAT_EQ(p.size, front);
    EXPECT_FLOAT_EQ(p.halfWidth, half);
    EXPECT_FLOAT_EQ(p.backLength, back);
    EXPECT_NEAR(p.direction.x, d.x, 1e-6f);
    EXPECT_NEAR(p.velocity.x, (jitter.x * 0.25f + d.x) * speed, 1e-5f);
    EXPECT_NEAR(p.velocity.z, (jitter.z * 0.25f + d.z) * speed, 1e-5f);
  }
  EXPECT_EQ(std::rand(), after);
}

class ParticleManagerTest : public ::testing::Test {
 protected:
  ParticleManagerTest() {
    manager_.useFixedCamera = true;
    manager_.cameraRight = {1, 0, 0};
    manager_.cameraUp = {0, 0, 1};
    manager_.cameraForward = {0, 1, 0};
  }
  void Define(const std::string& name, const std::vector<content::ParticleEmitter>& emitters) {
    manager_.definitions[name] = Read(content::EncodeParticleSystem(emitters));
  }
  // A kind-0 emitter whose particles move one unit per time unit along x.
  static content::ParticleEmitter Mover() {
    content::ParticleEmitter e = Emitter("m.tga", 0);
    e.velocityBase = {100, 0, 0};
    e.alphaBase = 50;
    e.fadeRate = 0;
    return e;
  }
  const effects::Particle& FirstParticle() { return manager_.batches.at(0).bursts.at(0)->particles.at(0); }
  ParticleManager manager_;
};

TEST_F(ParticleManagerTest, StepAccumulatorAndEmissionGate) {
  Define("move", {Mover()});
  manager_.Emit("move", {0, 0, 0}, math::IdentityQuaternion);
  ASSERT_EQ(manager_.batches.size(), 1u);
  // dt = 1: a step of 1.5 every second frame; emission only in those frames.
  std::vector<float> xs;
  for (int frame = 0; frame < 4; ++frame) {
    const bool open = manager_.accumulator == 0.0f;
    const size_t before = manager_.batches[0].bursts.size();
    manager_.Emit("move", {0, 0, 0}, math::IdentityQuaternion);
    EXPECT_EQ(manager_.batches[0].bursts.size(), before + (open ? 1 : 0)) << frame;
    EXPECT_EQ(open, frame % 2 == 0) << frame;
    manager_.Advance(1.0f);
    xs.push_back(FirstParticle().position.x);
  }
  EXPECT_FLOAT_EQ(xs[0], 1.5f);
  EXPECT_FLOAT_EQ(xs[1], 1.5f);
  EXPECT_FLOAT_EQ(xs[2], 3.0f);
  EXPECT_FLOAT_EQ(xs[3], 3.0f);
  // dt = 2: a step of 2 in every frame.
  manager_.Advance(2.0f);
  EXPECT_FLOAT_EQ(manager_.stepLength, 2.0f);
  EXPECT_EQ(manager_.accumulator, 0.0f);
  manager_.Advance(2.0f);
  EXPECT_FLOAT_EQ(FirstParticle().position.x, 7.0f);
  // At the emission limit nothing is emitted.
  manager_.vertexCounter = effects::kEmissionVertexLimit;
  const size_t bursts = manager_.batches[0].bursts.size();
  manager_.Emit("move", {0, 0, 0}, math::IdentityQuaternion);
  EXPECT_EQ(manager_.batches[0].bursts.size(), bursts);
}

TEST_F(ParticleManagerTest, DeadBurstsGoAtTheNextStepAndTheirBatchStays) {
  content::ParticleEmitter quick = Mover();
  quick.fadeRate = 40;  // alpha 0.5 -> 1.1 -> 0.5 -> -0.1: dead in the fourth step
  quick.alphaMaximum = 100;
  content::ParticleEmitter other = Emitter("other.tga", 0);
  other.alphaBase = 50;
  other.fadeRate = 0;
  Define("quick", {quick});
  Define("other", {other});
  manager_.definitions["quick"].emitters[0].texture = 7;
  manager_.definitions["other"].emitters[0].texture = 8;
  manager_.Emit("quick", {0, 0, 0}, math::IdentityQuaternion);
  manager_.Emit("other", {0, 0, 0}, math::IdentityQuaternion);
  ASSERT_EQ(manager_.batches.size(), 2u);
  for (int i = 0; i < 4; ++i) manager_.Step(1.5f, 1.0f);
  ASSERT_EQ(manager_.batches[0].bursts.size(), 1u);
  EXPECT_EQ(manager_.batches[0].bursts[0]->liveCount, 0);
  EXPECT_EQ(manager_.batches[0].vertexCount, 4u) << "the dying particle is still drawn";
  manager_.Step(1.5f, 1.0f);
  EXPECT_TRUE(manager_.batches[0].bursts.empty());
  EXPECT_EQ(manager_.batches[0].vertexCount, 0u);
  EXPECT_EQ(manager_.batches[1].firstVertex, 0u);
  EXPECT_EQ(manager_.batches[1].vertexCount, 4u);
}

TEST_F(ParticleManagerTest, UnknownKindsAndMissingSystemsEmitNothing) {
  content::ParticleEmitter strange = Mover();
  strange.kind = 2;
  Define("strange", {strange, Mover()});
  manager_.Emit("strange", {0, 0, 0}, math::IdentityQuaternion);
  ASSERT_EQ(manager_.batches.size(), 1u);
  EXPECT_EQ(manager_.batches[0].bursts.size(), 1u);
  manager_.definitions["none"] = ParticleSystemDef{};
  manager_.Emit("none", {0, 0, 0}, math::IdentityQuaternion);
  EXPECT_EQ(manager_.batches[0].bursts.size(), 1u);
}

TEST_F(ParticleManagerTest, CameraPullMovesTheBurstTowardsTheCamera) {
  content::ParticleEmitter pulled = Mover();
  pulled.cameraPull = 4;
  Define("pulled", {pulled});
  manager_.fixedCameraPosition = {0, 100, 0};
  manager_.Emit("pulled", {0, 0, 5}, math::IdentityQuaternion);
  EXPECT_NEAR(FirstParticle().position.y, 4 * 100 / std::sqrt(100.0f * 100 + 25), 1e-4f);
}

TEST_F(ParticleManagerTest, TheVertexArrayIsNeverWrittenPastItsEnd) {
  content::ParticleEmitter many = Mover();
  many.count = 25000;
  Define("many", {many});
  manager_.Emit("many", {0, 0, 0}, math::IdentityQuaternion);
  manager_.Emit("many", {0, 0, 0}, math::IdentityQuaternion);
  manager_.Step(1.5f, 1.0f);
  EXPECT_EQ(manager_.vertexCounter, effects::kParticleVertexCapacity);
  ASSERT_EQ(manager_.batches[0].bursts.size(), 2u);
  EXPECT_EQ(manager_.batches[0].bursts[1]->vertexCount, 0u);
  EXPECT_EQ(manager_.batches[0].bursts[1]->liveCount, 25000) << "unwritten particles go on living";
}

ParticleFrame CameraFrame(std::vector<float>& vertices) {
  vertices.assign(64 * 9, 0.0f);
  ParticleFrame frame;
  frame.vertices = vertices.data();
  frame.capacity = 64;
  frame.right = {1, 0, 0};
  frame.up = {0, 0, 1};
  frame.forward = {0, 1, 0};
  return frame;
}

TEST(ParticleBillboard, DieAfterTheLastFrameAndLoopOtherwise) {
  for (bool die : {true, false}) {
    content::ParticleEmitter e = Emitter("snow.tga", 0);
    e.alphaBase = 50;
    e.fadeRate = 0;
    e.frameCount = 4;
    e.frameSpeed = 100;  // a new frame after every time unit
    e.dieAfterAnimation = die;
    e.sizeBase = {1, 0, 0};
    BillboardBurst burst;
    burst.Init(OneEmitter(e), 0);
    std::vector<float> vertices;
    for (int step = 0; step < 5; ++step) {
      ParticleFrame frame = CameraFrame(vertices);
      burst.Update(1.0f, 1.0f, frame);
      const float u = die || step < 4 ? 0.25f * step : 0.0f;
      if (step < 4) {
        EXPECT_EQ(burst.vertexCount, 4u) << step;
        EXPECT_FLOAT_EQ(vertices[0 * 9 + 7], u) << step;
        EXPECT_FLOAT_EQ(vertices[1 * 9 + 7], u + 0.25f) << step;
        EXPECT_FLOAT_EQ(vertices[2 * 9 + 8], 1.0f);
      }
      EXPECT_EQ(burst.liveCount, die && step >= 3 ? 0 : 1) << step << " die " << die;
    }
    if (!die) EXPECT_EQ(burst.vertexCount, 4u);
  }
}

TEST(ParticleBillboard, SpinTurnsTheQuadByTwiceTheAngle) {
  content::ParticleEmitter e = Emitter("s.tga", 0);
  e.alphaBase = 50;
  e.sizeBase = {2, 0, 0};
  e.spin = true;
  BillboardBurst burst;
  burst.Init(OneEmitter(e), 0);
  const float a = 0.3f;
  burst.particles[0].angle = a;
  burst.particles[0].position = {0, 0, 0};
  std::vector<float> vertices;
  ParticleFrame frame = CameraFrame(vertices);
  burst.Update(1.0f, 1.0f, frame);
  // Corner 2 = s(R + U) = (2, 0, 2), turned by 2a about the view direction +y.
  const float c = std::cos(2 * a), s = std::sin(2 * a);
  EXPECT_NEAR(vertices[2 * 9 + 0], 2 * c + 2 * s, 1e-5f);
  EXPECT_NEAR(vertices[2 * 9 + 1], 0.0f, 1e-5f);
  EXPECT_NEAR(vertices[2 * 9 + 2], 2 * c - 2 * s, 1e-5f);
}

TEST(ParticleStreak, QuadRunsFromBackToFrontAcrossTheView) {
  content::ParticleEmitter e = Emitter("f.tga", 1);
  e.alphaBase = 50;
  e.sizeBase = {10, 2, 0};
  e.velocityRandom = {0, 0, 1};
  StreakBurst burst;
  burst.Init(OneEmitter(e), 0);
  burst.particles[0].backLength = 3;
  std::vector<float> vertices;
  ParticleFrame frame = CameraFrame(vertices);
  burst.Update(1.0f, 1.0f, frame);
  // Direction +z seen along +y: the side vector is y × z = +x.
  EXPECT_FLOAT_EQ(vertices[0 * 9 + 0], -2);
  EXPECT_FLOAT_EQ(vertices[0 * 9 + 2], -3);
  EXPECT_FLOAT_EQ(vertices[2 * 9 + 0], 2);
  EXPECT_FLOAT_EQ(vertices[2 * 9 + 2], 10);
  EXPECT_FLOAT_EQ(vertices[3 * 9 + 7], 0);
  EXPECT_FLOAT_EQ(vertices[3 * 9 + 8], 1);
}

class ParticleDrawTest : public scene_test::SceneTest {};

TEST_F(ParticleDrawTest, DrawReadsTheCameraAndSystemsLoadByAnyCase) {
  std::vector<uint8_t> fire = content::EncodeParticleSystem({Emitter("fire2.tga", 1)});
  std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 9, 9, 9};
  archive_ = content::BuildRarArchive({{"Particles", true, {}},
                                       {"Particles\\Fire.bin", false, fire},
                                       {"Textures\\tex_default.tga", false, tga}});
  archive::Assets().Open(archive::ArchiveView{archive_.data(), static_cast<uint32_t>(archive_.size()), 0},
                         archive::ArchiveView{});
  const ParticleSystemDef loaded = effects::LoadParticleSystem("fire");
  EXPECT_EQ(loaded.emitterCount, 1);
  EXPECT_EQ(effects::LoadParticleSystem("smoke").emitterCount, 0);

  ParticleManager manager;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, 0, 0, 0, 1, 0, 0, 0, 1);  // looking along +y, z up
  manager.Draw();
  EXPECT_NEAR(manager.cameraRight.x, 1, 1e-5f);
  EXPECT_NEAR(manager.cameraUp.z, 1, 1e-5f);
  EXPECT_NEAR(manager.cameraForward.y, 1, 1e-5f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
