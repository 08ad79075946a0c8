#include "lightmap_finish.h"

#include <algorithm>
#include <cmath>

namespace content {
namespace {

constexpr float kKnee = 0.7f;

uint8_t ToByte(float light) {
  float factor = std::clamp(RollOff(light), 0.0f, 1.0f);
  return uint8_t(std::lround(factor * 255));
}

}  // namespace

float RollOff(float light) {
  if (!(light > kKnee)) return std::max(light, 0.0f);
  float headroom = 1 - kKnee;
  return kKnee + headroom * (1 - std::exp(-(light - kKnee) / headroom));
}

void FillUncovered(BakedChart& chart, int passes, Colour fallback) {
  const int width = chart.width, height = chart.height;
  // The mean of what the surfaces gave, before filling weights it towards edges.
  Colour mean{0, 0, 0, 1};
  size_t count = 0;
  for (size_t i = 0; i < chart.light.size(); ++i) {
    if (!chart.covered[i]) continue;
    mean.r += chart.light[i].r;
    mean.g += chart.light[i].g;
    mean.b += chart.light[i].b;
    ++count;
  }
  if (count > 0) {
    mean = {mean.r / count, mean.g / count, mean.b / count, 1};
  } else {
    mean = fallback;
  }
  std::vector<uint8_t> next = chart.covered;
  for (int pass = 0; pass < passes; ++pass) {
    bool changed = false;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        size_t index = size_t(y) * width + x;
        if (chart.covered[index]) continue;
        Colour sum{0, 0, 0, 0};
        int neighbours = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;
            size_t neighbour = size_t(ny) * width + nx;
            if (!chart.covered[neighbour]) continue;
            sum.r += chart.light[neighbour].r;
            sum.g += chart.light[neighbour].g;
            sum.b += chart.light[neighbour].b;
            ++neighbours;
          }
        }
        if (neighbours == 0) continue;
        chart.light[index] = {sum.r / neighbours, sum.g / neighbours, sum.b / neighbours, 1};
        next[index] = 1;
        changed = true;
      }
    }
    chart.covered = next;  // a pass reads only texels filled before it
    if (!changed) break;
  }

  for (size_t i = 0; i < chart.light.size(); ++i) {
    if (chart.covered[i]) continue;
    chart.light[i] = mean;
    chart.covered[i] = 1;
  }
}

RgbaImage ToPicture(const BakedChart& chart) {
  RgbaImage picture(chart.width, chart.height);
  for (int y = 0; y < chart.height; ++y) {
    for (int x = 0; x < chart.width; ++x) {
      const Colour& light = chart.light[size_t(y) * chart.width + x];
      uint8_t* pixel = picture.At(x, y);
      pixel[0] = ToByte(light.r);
      pixel[1] = ToByte(light.g);
      pixel[2] = ToByte(light.b);
      pixel[3] = 255;
    }
  }
  return picture;
}

}  // namespace content
