#include "still_pictures.h"

#include <algorithm>
#include <cmath>


namespace content {
namespace {

constexpr float kPi = 3.14159265358979f;

float ToLinear(uint8_t value) {
  const float c = value / 255.0f;
  return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

uint8_t FromLinear(float linear) {
  const float c = std::clamp(linear, 0.0f, 1.0f);
  const float s = c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
  return static_cast<uint8_t>(std::lround(std::clamp(s, 0.0f, 1.0f) * 255.0f));
}

float Lanczos3(float x) {
  x = std::fabs(x);
  if (x < 1e-6f) return 1.0f;
  if (x >= 3.0f) return 0.0f;
  const float px = kPi * x;
  return 3.0f * std::sin(px) * std::sin(px / 3.0f) / (px * px);
}

// The taps of one output sample along an axis: first source index and
// normalised weights. Shrinking widens the kernel by the scale, so every
// source pixel contributes and nothing aliases.
struct Taps {
  int first = 0;
  std::vector<float> weights;
};

std::vector<Taps> AxisTaps(int sourceSize, int targetSize) {
  const float scale = static_cast<float>(sourceSize) / static_cast<float>(targetSize);
  const float support = 3.0f * std::max(1.0f, scale);
  const float stretch = std::max(1.0f, scale);
  std::vector<Taps> taps(static_cast<size_t>(targetSize));
  for (int i = 0; i < targetSize; ++i) {
    const float centre = (static_cast<float>(i) + 0.5f) * scale;
    const int first = std::max(0, static_cast<int>(std::floor(centre - support)));
    const int last = std::min(sourceSize - 1, static_cast<int>(std::ceil(centre + support)));
    Taps& t = taps[static_cast<size_t>(i)];
    t.first = first;
    float sum = 0.0f;
    for (int s = first; s <= last; ++s) {
      const float w = Lanczos3((static_cast<float>(s) + 0.5f - centre) / stretch);
      t.weights.push_back(w);
      sum += w;
    }
    if (sum != 0.0f)
      for (float& w : t.weights) w /= sum;
  }
  return taps;
}

}  // namespace

RgbaImage FromPixels(int width, int height, std::vector<uint8_t> topDownRgba) {
  RgbaImage image;
  image.width = width;
  image.height = height;
  topDownRgba.resize(static_cast<size_t>(width) * height * 4);
  image.pixels = std::move(topDownRgba);
  return image;
}

RgbaImage CropToAspect(const RgbaImage& image, float aspect, float centreX, float centreY, float size) {
  size = std::clamp(size, 0.0f, 1.0f);
  float w = static_cast<float>(image.width), h = static_cast<float>(image.height);
  if (w > aspect * h)
    w = aspect * h;
  else
    h = w / aspect;
  const int width = std::clamp(static_cast<int>(std::lround(w * size)), 1, image.width);
  const int height = std::clamp(static_cast<int>(std::lround(h * size)), 1, image.height);
  const int left = std::clamp(static_cast<int>(std::lround(centreX * image.width - width / 2.0f)), 0,
                              image.width - width);
  const int top = std::clamp(static_cast<int>(std::lround(centreY * image.height - height / 2.0f)), 0,
                             image.height - height);
  RgbaImage crop(width, height);
  for (int y = 0; y < height; ++y)
    std::copy_n(image.At(left, top + y), static_cast<size_t>(width) * 4, crop.At(0, y));
  return crop;
}

RgbaImage Resize(const RgbaImage& image, int width, int height) {
  const std::vector<Taps> across = AxisTaps(image.width, width), down = AxisTaps(image.height, height);
  // Rows first into a linear-light buffer of the new width.
  std::vector<float> rows(static_cast<size_t>(width) * image.height * 3);
  std::vector<float> linear(static_cast<size_t>(image.width) * image.height * 3);
  for (size_t i = 0, n = static_cast<size_t>(image.width) * image.height; i < n; ++i)
    for (int c = 0; c < 3; ++c) linear[i * 3 + c] = ToLinear(image.pixels[i * 4 + c]);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < width; ++x) {
      const Taps& t = across[static_cast<size_t>(x)];
      float sum[3] = {};
      for (size_t k = 0; k < t.weights.size(); ++k) {
        const float* p = &linear[(static_cast<size_t>(y) * image.width + t.first + k) * 3];
        for (int c = 0; c < 3; ++c) sum[c] += p[c] * t.weights[k];
      }
      for (int c = 0; c < 3; ++c) rows[(static_cast<size_t>(y) * width + x) * 3 + c] = sum[c];
    }
  RgbaImage result(width, height);
  for (int y = 0; y < height; ++y) {
    const Taps& t = down[static_cast<size_t>(y)];
    for (int x = 0; x < width; ++x) {
      float sum[3] = {};
      for (size_t k = 0; k < t.weights.size(); ++k) {
        const float* p = &rows[((t.first + k) * width + x) * 3];
        for (int c = 0; c < 3; ++c) sum[c] += p[c] * t.weights[k];
      }
      uint8_t* out = result.At(x, y);
      for (int c = 0; c < 3; ++c) out[c] = FromLinear(sum[c]);
      out[3] = 255;
    }
  }
  return result;
}

void Vignette(RgbaImage& image, float strength) {
  const float cx = image.width / 2.0f, cy = image.height / 2.0f;
  const float reach = std::sqrt(cx * cx + cy * cy);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const float dx = (x + 0.5f - cx) / reach, dy = (y + 0.5f - cy) / reach;
      const float d2 = dx * dx + dy * dy;
      const float keep = 1.0f - strength * d2 * d2 * 1.6f;
      uint8_t* p = image.At(x, y);
      for (int c = 0; c < 3; ++c)
        p[c] = static_cast<uint8_t>(std::lround(std::clamp(p[c] * keep, 0.0f, 255.0f)));
    }
}

}  // namespace content
