#include "procedural_noise.h"

#include <cmath>

namespace content {

uint32_t HashInt(uint32_t x) {
  // The "lowbias32" integer finaliser: cheap and with good avalanche.
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

uint32_t HashCell(int x, int y, uint32_t seed) {
  uint32_t h = HashInt(seed ^ 0x9e3779b9U);
  h = HashInt(h ^ static_cast<uint32_t>(x));
  h = HashInt(h ^ (static_cast<uint32_t>(y) * 0x85ebca6bU));
  return h;
}

float HashUnit(int x, int y, uint32_t seed) {
  return static_cast<float>(HashCell(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

Pcg32::Pcg32(uint64_t seed) : state_(0) {
  Next();
  state_ += seed;
  Next();
}

uint32_t Pcg32::Next() {
  const uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + 1442695040888963407ULL;
  const uint32_t shifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const uint32_t rot = static_cast<uint32_t>(old >> 59u);
  return (shifted >> rot) | (shifted << ((32u - rot) & 31u));
}

float Pcg32::Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

float Pcg32::Range(float low, float high) { return low + (high - low) * Unit(); }

namespace {

int Wrap(int value, int period) {
  const int m = value % period;
  return m < 0 ? m + period : m;
}

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

// One of sixteen evenly spread unit gradients, chosen by the hash; a table
// keeps the result free of library trigonometry.
float GradientDot(uint32_t hash, float dx, float dy) {
  static const float kGradients[16][2] = {
      {1.0f, 0.0f},     {0.9239f, 0.3827f},   {0.7071f, 0.7071f},   {0.3827f, 0.9239f},
      {0.0f, 1.0f},     {-0.3827f, 0.9239f},  {-0.7071f, 0.7071f},  {-0.9239f, 0.3827f},
      {-1.0f, 0.0f},    {-0.9239f, -0.3827f}, {-0.7071f, -0.7071f}, {-0.3827f, -0.9239f},
      {0.0f, -1.0f},    {0.3827f, -0.9239f},  {0.7071f, -0.7071f},  {0.9239f, -0.3827f}};
  const float* g = kGradients[hash >> 28];
  return g[0] * dx + g[1] * dy;
}

}  // namespace

float TilingNoise(float x, float y, int periodX, int periodY, uint32_t seed) {
  const float fx0 = std::floor(x);
  const float fy0 = std::floor(y);
  const int x0 = static_cast<int>(fx0);
  const int y0 = static_cast<int>(fy0);
  const float dx = x - fx0;
  const float dy = y - fy0;
  const int ax = Wrap(x0, periodX), bx = Wrap(x0 + 1, periodX);
  const int ay = Wrap(y0, periodY), by = Wrap(y0 + 1, periodY);
  const float n00 = GradientDot(HashCell(ax, ay, seed), dx, dy);
  const float n10 = GradientDot(HashCell(bx, ay, seed), dx - 1.0f, dy);
  const float n01 = GradientDot(HashCell(ax, by, seed), dx, dy - 1.0f);
  const float n11 = GradientDot(HashCell(bx, by, seed), dx - 1.0f, dy - 1.0f);
  const float u = Fade(dx);
  const float v = Fade(dy);
  const float top = n00 + (n10 - n00) * u;
  const float bottom = n01 + (n11 - n01) * u;
  // Two-dimensional gradient noise peaks near +-0.7; scale it towards +-1.
  return (top + (bottom - top) * v) * 1.4f;
}

float TilingFbm(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed, float gain) {
  float sum = 0.0f;
  float amplitude = 1.0f;
  float total = 0.0f;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += amplitude * TilingNoise(u * cellsX, v * cellsY, cellsX, cellsY, seed + octave * 7919u);
    total += amplitude;
    amplitude *= gain;
    cellsX *= 2;
    cellsY *= 2;
  }
  return sum / total;
}

float TilingRidges(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed) {
  float sum = 0.0f;
  float amplitude = 1.0f;
  float total = 0.0f;
  for (int octave = 0; octave < octaves; ++octave) {
    const float n = TilingNoise(u * cellsX, v * cellsY, cellsX, cellsY, seed + octave * 104729u);
    sum += amplitude * std::fabs(n);
    total += amplitude;
    amplitude *= 0.5f;
    cellsX *= 2;
    cellsY *= 2;
  }
  const float r = sum / total;
  return r > 1.0f ? 1.0f : r;
}

}  // namespace content
