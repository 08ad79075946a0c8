// The loading picture's caption, apart from the rest of the finishing so
// that only the programs which set text need the font renderer.
#include <algorithm>
#include <cmath>

#include "still_pictures.h"
#include "text_render.h"

namespace content {
namespace {

constexpr float kPi = 3.14159265358979f;

// The caption's ink as coverage 0..1 per pixel: white text set on black.
std::vector<float> CaptionCoverage(int width, int height, const std::string& text, const TextStyle& style, float x,
                                   float baseline) {
  RgbaImage mask(width, height);
  for (size_t i = 3; i < mask.pixels.size(); i += 4) mask.pixels[i] = 255;
  TextStyle white = style;
  white.fill = {1, 1, 1, 1};
  white.outlineRadius = 0;
  DrawText(mask, text, x, baseline, white);
  std::vector<float> coverage(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < coverage.size(); ++i) coverage[i] = mask.pixels[i * 4] / 255.0f;
  return coverage;
}

// A separable box blur repeated three times: close to a Gaussian of about
// the radius, for the soft outline and the shadow.
std::vector<float> Soften(std::vector<float> values, int width, int height, int radius) {
  if (radius <= 0) return values;
  std::vector<float> scratch(values.size());
  const float norm = 1.0f / static_cast<float>(2 * radius + 1);
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        float sum = 0.0f;
        for (int d = -radius; d <= radius; ++d) {
          const int sx = std::clamp(x + d, 0, width - 1);
          sum += values[static_cast<size_t>(y) * width + sx];
        }
        scratch[static_cast<size_t>(y) * width + x] = sum * norm;
      }
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        float sum = 0.0f;
        for (int d = -radius; d <= radius; ++d) {
          const int sy = std::clamp(y + d, 0, height - 1);
          sum += scratch[static_cast<size_t>(sy) * width + x];
        }
        values[static_cast<size_t>(y) * width + x] = sum * norm;
      }
  }
  return values;
}

}  // namespace

void SetLoadingCaption(RgbaImage& image, const std::string& text) {
  const int width = image.width, height = image.height;
  TextStyle style;
  style.face = TextFace::SerifBoldItalic;
  style.pixelHeight = static_cast<float>(height) * 0.085f;
  const TextExtent extent = MeasureText(text, style);
  const float x = width / 2.0f;
  const float baseline = static_cast<float>(height) * 0.9f;

  // A faint dark band behind the words keeps them legible over the fire.
  const float bandTop = baseline - extent.ascent * 1.9f, bandBottom = baseline + extent.descent + extent.ascent * 0.9f;
  for (int y = std::max(0, static_cast<int>(bandTop)); y < std::min(height, static_cast<int>(bandBottom) + 1); ++y) {
    const float v = (y - bandTop) / std::max(1.0f, bandBottom - bandTop);
    const float weight = std::sin(std::clamp(v, 0.0f, 1.0f) * kPi);
    for (int px = 0; px < width; ++px) {
      const float u = (px + 0.5f) / width - 0.5f;
      const float across = std::max(0.0f, 1.0f - u * u * 3.2f);
      BlendPixel(image, px, y, {0.02f, 0.01f, 0.0f, 1}, 0.38f * weight * across);
    }
  }

  const std::vector<float> ink = CaptionCoverage(width, height, text, style, x, baseline);
  const int radius = std::max(1, static_cast<int>(std::lround(style.pixelHeight * 0.06f)));
  // The soft dark outline: the ink spread and blurred, strengthened so its
  // rim stays dark right up to the letters.
  const std::vector<float> outline = Soften(ink, width, height, radius);
  std::vector<float> shadowInk(ink.size(), 0.0f);
  const int drop = std::max(1, radius);
  for (int y = drop; y < height; ++y)
    for (int px = drop; px < width; ++px)
      shadowInk[static_cast<size_t>(y) * width + px] = ink[static_cast<size_t>(y - drop) * width + px - drop];
  const std::vector<float> shadow = Soften(shadowInk, width, height, radius * 3);
  const float top = baseline - extent.ascent, bottom = baseline + extent.descent;
  for (int y = 0; y < height; ++y)
    for (int px = 0; px < width; ++px) {
      const size_t i = static_cast<size_t>(y) * width + px;
      if (shadow[i] > 0.002f) BlendPixel(image, px, y, {0.03f, 0.01f, 0.0f, 1}, std::min(1.0f, shadow[i] * 1.2f) * 0.75f);
      if (outline[i] > 0.002f) BlendPixel(image, px, y, {0.07f, 0.025f, 0.0f, 1}, std::min(1.0f, outline[i] * 2.6f) * 0.9f);
      if (ink[i] > 0.0f) {
        // Cream at the top of the letters turning to gold at their feet.
        const float v = std::clamp((y - top) / std::max(1.0f, bottom - top), 0.0f, 1.0f);
        const Colour cream{1.0f, 0.96f, 0.84f, 1}, gold{0.95f, 0.72f, 0.30f, 1};
        const Colour fill{cream.r + (gold.r - cream.r) * v, cream.g + (gold.g - cream.g) * v,
                          cream.b + (gold.b - cream.b) * v, 1};
        BlendPixel(image, px, y, fill, ink[i]);
      }
    }
}

}  // namespace content
