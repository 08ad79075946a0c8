// The particle step on the room's own systems, without drawing: a simulated
// minute at 60 frames per second with the room's emitters (fire, two
// snowfalls, three tree glows, seven candles, the steam and one tree light
// per step), printing live particles and vertices every ten seconds and the
// step time per thousand live particles.
//   bench_particle_step media148.rar
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "archive/asset_store.h"
#include "effects/particle_definitions.h"
#include "effects/particle_manager.h"

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int LiveParticles(const effects::ParticleManager& manager) {
  int live = 0;
  for (const effects::TextureBatch& batch : manager.batches)
    for (const effects::ParticleBurst* burst : batch.bursts) live += burst->liveCount;
  return live;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_particle_step media148.rar\n");
    return 2;
  }
  const std::vector<uint8_t> primary = ReadFile(argv[1]);
  archive::Assets().Open(archive::ArchiveView{primary.data(), static_cast<uint32_t>(primary.size()), 0},
                         archive::ArchiveView{});
  effects::ParticleManager manager;
  manager.useFixedCamera = true;
  manager.fixedCameraPosition = {0, -200, 150};
  manager.cameraRight = {1, 0, 0};
  manager.cameraUp = {0, 0, 1};
  manager.cameraForward = {0, 1, 0};
  const char* systems[] = {"fire", "snowfall", "redfirglow", "yelfirglow", "grefirglow", "candle", "locosteam",
                           "red_firlight", "gre_firlight", "blu_firlight", "yel_firlight", "vio_firlight"};
  for (const char* name : systems) {
    archive::AssetBlob blob = archive::Assets().Find((std::string("Particles/") + name + ".bin").c_str());
    manager.definitions[name] = effects::ReadParticleSystem(blob.data, blob.size);
    archive::FreeAssetBlob(blob);
  }
  struct Emitter {
    const char* system;
    math::Vector3 at;
  };
  const Emitter room[] = {{"fire", {0, 358, 34}},        {"snowfall", {625, -160, 320}}, {"snowfall", {625, 140, 320}},
                          {"redfirglow", {-330, 235, 110}}, {"yelfirglow", {-365, 230, 160}},
                          {"grefirglow", {-325, 270, 70}}};
  const float dt = 60.0f * 50.0f * 1.1f / 3600.0f;  // a 60th of a second in ticks
  const int frames = 60 * 60;
  double stepSeconds = 0, liveSum = 0;
  int steps = 0, peakLive = 0;
  uint32_t peakVertices = 0;
  int lightCursor = 0;
  for (int frame = 1; frame <= frames; ++frame) {
    for (const Emitter& e : room) manager.Emit(e.system, e.at, math::IdentityQuaternion);
    for (int c = 0; c < 7; ++c) manager.Emit("candle", {-112.0f + 40 * c, 362, 140}, math::IdentityQuaternion);
    manager.Emit("locosteam", {-350 + 115 * std::cos(frame * 0.01f), 260 + 115 * std::sin(frame * 0.01f), 27.5f},
                 math::IdentityQuaternion);
    // One bulb of the tree and one of the light chain.
    manager.Emit(systems[7 + lightCursor++ % 5], {-350, 260, 40.0f + (frame % 200)}, math::IdentityQuaternion);
    manager.Emit(systems[7 + lightCursor % 5], {-100.0f + frame % 200, 330, 128}, math::IdentityQuaternion);
    const bool stepping = dt > effects::kParticleStep || manager.accumulator == 0.0f;
    const auto start = std::chrono::steady_clock::now();
    manager.Advance(dt);
    const auto end = std::chrono::steady_clock::now();
    if (stepping) {
      const int live = LiveParticles(manager);
      stepSeconds += std::chrono::duration<double>(end - start).count();
      liveSum += live;
      ++steps;
      peakLive = std::max(peakLive, live);
      peakVertices = std::max(peakVertices, manager.vertexCounter);
    }
    if (frame % 600 == 0)
      std::printf("particles at %2d s: %5d live, %6u vertices\n", frame / 60, LiveParticles(manager),
                  manager.vertexCounter);
  }
  const double meanLive = liveSum / steps;
  std::printf("particle steps: %d in %d frames, mean %.0f live (peak %d), peak %u vertices\n", steps, frames,
              meanLive, peakLive, peakVertices);
  std::printf("step time: %.3f ms mean, %.4f ms per 1000 live particles\n", 1000.0 * stepSeconds / steps,
              1000.0 * stepSeconds / steps / (meanLive / 1000.0));
  return 0;
}
