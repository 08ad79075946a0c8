// Units: one unit is about a centimetre and one time unit about 18 ms (a
// frame at 60 frames per second lasts 0.92). Velocities, spawn boxes, size
// and alpha randoms and alphas are stored a hundred times larger than used.
#include "particle_systems.h"

namespace content {
namespace {

// A bulb of the tree or the light chain blinking once: four overlapping
// glows that brighten from 0.19 to full and die away in about 0.6 s.
ParticleSystemFile TreeLight(const char* colour) {
  ParticleEmitter e;
  e.texture = std::string("fir_") + colour + "light.tga";
  e.kind = 0;
  e.count = 4;
  e.spawnBox = {100, 100, 100};
  e.sizeBase = {3, 0, 0};
  e.alphaBase = 19;
  e.alphaMaximum = 100;
  e.fadeRate = 5.3824f;
  // Pulled a little towards the viewer so the needles round the bulb do
  // not swallow its glow.
  e.cameraPull = 4;
  return {std::string(colour) + "_firlight", {e}};
}

// Faint rays that gather towards a point in the tree: the haze of light
// round the branches.
ParticleSystemFile TreeGlow(const char* colour, float length) {
  ParticleEmitter e;
  e.texture = std::string("fir_") + colour + "light.tga";
  e.kind = 1;
  e.count = 1;
  e.radial = true;
  e.reorient = true;
  e.randomBackLength = true;
  e.velocityBase = {-10, 0, 0};
  e.spawnBox = {5000, 5000, 6000};
  e.sizeBase = {length, 3, 0};
  e.sizeRandom = {500, 200, 0};
  e.shrink = {-0.01f, -0.01f, 0};
  e.alphaBase = 4;
  e.alphaRandom = 8;
  e.alphaMaximum = 22;
  e.fadeRate = 0.6f;
  return {std::string(colour) + "firglow", {e}};
}

// Tongues of flame rising from the logs, widening as they fade.
ParticleSystemFile Fire() {
  ParticleEmitter e;
  e.texture = "fire2.tga";
  e.kind = 1;
  e.count = 4;
  e.velocityBase = {50, 0, 25};  // speed 0.5, a quarter of that as sideways jitter
  e.velocityRandom = {0, 0, 1};  // straight up
  e.spawnBox = {2500, 2500, 0};
  e.sizeBase = {10, 0.01f, 0};
  e.sizeRandom = {600, 0, 0};
  e.shrink = {0.01f, -0.09f, 0};
  e.alphaBase = 30;
  e.alphaRandom = 30;
  e.alphaMaximum = 80;
  e.fadeRate = 1.6f;
  return {"fire", {e}};
}

// One flame particle per step rising from the wick: a dozen overlap at a
// time and their random speeds make the flame flicker.
ParticleSystemFile Candle() {
  ParticleEmitter e;
  e.texture = "fire.tga";
  e.kind = 0;
  e.count = 1;
  e.velocityBase = {0, 0, 5};
  e.velocityRandom = {0, 0, 30};
  e.sizeBase = {1.35f, 0, 0};
  e.shrink = {0.05f, 0, 0};
  e.alphaBase = 55;
  e.alphaRandom = 20;
  e.alphaMaximum = 100;
  e.fadeRate = 9.61f;
  return {"candle", {e}};
}

// Puffs from the locomotive's chimney that drift, grow and thin out.
ParticleSystemFile LocoSteam() {
  ParticleEmitter e;
  e.texture = "tex_prt_steam.tga";
  e.kind = 0;
  e.count = 2;
  e.velocityBase = {-5, -5, 20};
  e.velocityRandom = {15, 15, 5};
  e.spawnBox = {150, 150, 50};
  e.sizeBase = {0.75f, 0, 0};
  e.sizeRandom = {150, 0, 0};
  e.shrink = {-0.01f, 0, 0};
  e.alphaBase = 25;
  e.alphaRandom = 20;
  e.alphaMaximum = 55;
  e.fadeRate = 0.3f;
  return {"locosteam", {e}};
}

// Flakes falling past the windows from above them, spinning and
// shimmering through the four frames of their sprite; each lives long
// enough to fall from the eaves to the snow.
ParticleSystemFile Snowfall() {
  ParticleEmitter e;
  e.texture = "tex_snowflake.tga";
  e.kind = 0;
  e.count = 3;
  // A little drift along the wall, hardly any towards the glass.
  e.velocityBase = {-2, -5, -30};
  e.velocityRandom = {4, 11, 10};
  e.spawnBox = {20000, 40000, 0};
  e.sizeBase = {1.4f, 0, 0};
  e.sizeRandom = {120, 0, 0};
  e.alphaBase = 70;
  e.alphaRandom = 30;
  e.alphaMaximum = 100;
  e.fadeRate = 0.1f;
  e.frameCount = 4;
  e.frameSpeed = 1;
  e.spin = true;
  e.spinSpeed = 10;
  return {"snowfall", {e}};
}

}  // namespace

std::vector<ParticleSystemFile> MakeParticleSystems() {
  std::vector<ParticleSystemFile> systems;
  for (const char* colour : {"red", "gre", "blu", "yel", "vio"}) systems.push_back(TreeLight(colour));
  systems.push_back(TreeGlow("red", 10));
  systems.push_back(TreeGlow("yel", 10));
  systems.push_back(TreeGlow("gre", 20));
  systems.push_back(Fire());
  systems.push_back(Candle());
  systems.push_back(LocoSteam());
  systems.push_back(Snowfall());
  return systems;
}

}  // namespace content
