// Small colour and shaping helpers shared by the procedural texture painters.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "image.h"

namespace content {

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 6.28318530717959f;

struct Rgb {
  float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

inline Rgb FromHex(uint32_t hex) {
  return {static_cast<float>((hex >> 16) & 0xff) / 255.0f,
          static_cast<float>((hex >> 8) & 0xff) / 255.0f,
          static_cast<float>(hex & 0xff) / 255.0f};
}

inline float Clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }
inline Rgb Mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }
inline float Fract(float x) { return x - std::floor(x); }

inline float SmoothStep(float edge0, float edge1, float x) {
  const float t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

// Rec. 709 weights on the stored (gamma) values: good enough to judge
// brightness and contrast of a texture.
inline float Luminance(Rgb c) { return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b; }

inline uint8_t ToByte(float value) {
  return static_cast<uint8_t>(std::lround(Clamp01(value) * 255.0f));
}

inline void StorePixel(RgbaImage& image, int x, int y, Rgb c, float alpha = 1.0f) {
  uint8_t* p = image.At(x, y);
  p[0] = ToByte(c.r);
  p[1] = ToByte(c.g);
  p[2] = ToByte(c.b);
  p[3] = ToByte(alpha);
}

inline Rgb LoadPixel(const RgbaImage& image, int x, int y) {
  const uint8_t* p = image.At(x, y);
  return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
}

// Wraps a pixel coordinate into [0, period) so painters can stamp across a
// tiling texture's edges.
inline int WrapIndex(int value, int period) {
  const int m = value % period;
  return m < 0 ? m + period : m;
}

// The shortest signed distance from a to b on a circle of the given length.
inline float WrappedDelta(float a, float b, float period) {
  float d = std::fmod(a - b, period);
  if (d > period * 0.5f) d -= period;
  if (d < -period * 0.5f) d += period;
  return d;
}

}  // namespace content
