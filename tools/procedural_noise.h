// Deterministic hash noise for the procedural textures. Everything is built on
// integer hashing, so the same pictures come out on every machine and library,
// and the lattice noises wrap with an integer period so textures tile.
#pragma once

#include <cstdint>

namespace content {

// A well-mixed 32-bit hash of one, two or three integers.
uint32_t HashInt(uint32_t value);
uint32_t HashCell(int x, int y, uint32_t seed);

// The cell hash as a number in [0, 1).
float HashUnit(int x, int y, uint32_t seed);

// A small PCG generator for scattering things (needles, stars, trees).
class Pcg32 {
 public:
  explicit Pcg32(uint64_t seed);
  uint32_t Next();
  float Unit();                          // [0, 1)
  float Range(float low, float high);    // [low, high)

 private:
  uint64_t state_;
};

// Gradient noise in about [-1, 1] at lattice position (x, y); the lattice wraps
// every periodX cells across and periodY cells down.
float TilingNoise(float x, float y, int periodX, int periodY, uint32_t seed);

// Fractal sum of TilingNoise over texture coordinates u, v in [0, 1): the
// first octave has cellsX by cellsY lattice cells across the texture and each
// further octave doubles them, so the sum tiles at every octave. About [-1, 1].
float TilingFbm(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                float gain = 0.5f);

// Fractal sum of |noise| folded into sharp creases (cracks, veins). [0, 1],
// zero on a crease.
float TilingRidges(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed);

}  // namespace content
