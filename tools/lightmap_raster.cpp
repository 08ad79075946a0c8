#include "lightmap_raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace content {
namespace {

struct Point {
  float x = 0, y = 0;
};

Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
float Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
float Cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }

// Texel space: x across the picture, y down from the top row, one unit a texel.
Point ToTexels(Vec2 uv, const BakeChart& chart) {
  return {uv.u * chart.width, (1 - uv.v) * chart.height};
}

bool Separated(const Point corners[3], Point axis, float squareLow, float squareHigh) {
  float low = std::numeric_limits<float>::max(), high = -low;
  for (int i = 0; i < 3; ++i) {
    float projection = Dot(corners[i], axis);
    low = std::min(low, projection);
    high = std::max(high, projection);
  }
  return high <= squareLow || low >= squareHigh;
}

// Separating-axis test of the triangle against the texel square at (x, y).
bool TouchesTexel(const Point corners[3], int x, int y) {
  if (Separated(corners, {1, 0}, float(x), float(x + 1))) return false;
  if (Separated(corners, {0, 1}, float(y), float(y + 1))) return false;
  for (int i = 0; i < 3; ++i) {
    Point edge = corners[(i + 1) % 3] - corners[i];
    Point axis{-edge.y, edge.x};
    float low = std::numeric_limits<float>::max(), high = -low;
    for (int cx = 0; cx < 2; ++cx) {
      for (int cy = 0; cy < 2; ++cy) {
        float projection = Dot(Point{float(x + cx), float(y + cy)}, axis);
        low = std::min(low, projection);
        high = std::max(high, projection);
      }
    }
    if (Separated(corners, axis, low, high)) return false;
  }
  return true;
}

// The triangle's point nearest `centre`, as barycentric weights and the
// squared distance to it (zero inside).
TexelSample NearestPoint(const Point corners[3], float area, Point centre, int triangle) {
  TexelSample sample;
  sample.triangle = triangle;
  float inside[3];
  for (int i = 0; i < 3; ++i) {
    Point a = corners[(i + 1) % 3], b = corners[(i + 2) % 3];
    inside[i] = Cross(b - a, centre - a) / area;
  }
  if (inside[0] >= 0 && inside[1] >= 0 && inside[2] >= 0) {
    for (int i = 0; i < 3; ++i) sample.weights[i] = inside[i];
    sample.gap = 0;
    return sample;
  }
  sample.gap = std::numeric_limits<float>::max();
  for (int i = 0; i < 3; ++i) {
    int j = (i + 1) % 3;
    Point edge = corners[j] - corners[i];
    float along = std::clamp(Dot(centre - corners[i], edge) / Dot(edge, edge), 0.0f, 1.0f);
    Point nearest{corners[i].x + edge.x * along, corners[i].y + edge.y * along};
    Point offset = centre - nearest;
    float gap = Dot(offset, offset);
    if (gap < sample.gap) {
      sample.gap = gap;
      sample.weights[i] = 1 - along;
      sample.weights[j] = along;
      sample.weights[3 - i - j] = 0;
    }
  }
  return sample;
}

void RasteriseTriangle(const BakeTriangle& triangle, int index, const BakeChart& chart,
                       std::vector<TexelSample>& texels) {
  Point corners[3];
  for (int i = 0; i < 3; ++i) corners[i] = ToTexels(triangle.lightmapUv[i], chart);
  float area = Cross(corners[1] - corners[0], corners[2] - corners[0]);
  if (!(std::fabs(area) > 1e-9f)) return;  // no texels of its own; neighbours fill in
  float lowX = std::min({corners[0].x, corners[1].x, corners[2].x});
  float highX = std::max({corners[0].x, corners[1].x, corners[2].x});
  float lowY = std::min({corners[0].y, corners[1].y, corners[2].y});
  float highY = std::max({corners[0].y, corners[1].y, corners[2].y});
  int firstX = std::max(0, int(std::floor(lowX))), lastX = std::min(chart.width - 1, int(std::floor(highX)));
  int firstY = std::max(0, int(std::floor(lowY))), lastY = std::min(chart.height - 1, int(std::floor(highY)));
  for (int y = firstY; y <= lastY; ++y) {
    for (int x = firstX; x <= lastX; ++x) {
      Point centre{x + 0.5f, y + 0.5f};
      TexelSample sample = NearestPoint(corners, area, centre, index);
      if (sample.gap > 0 && !TouchesTexel(corners, x, y)) continue;
      // The nearest claim wins; on a tie the earlier triangle keeps the texel.
      TexelSample& held = texels[size_t(y) * chart.width + x];
      if (held.triangle < 0 || sample.gap < held.gap) held = sample;
    }
  }
}

}  // namespace

std::vector<std::vector<TexelSample>> RasteriseCharts(const BakeRequest& request) {
  std::vector<std::vector<TexelSample>> charts(request.charts.size());
  for (size_t c = 0; c < request.charts.size(); ++c) {
    const BakeChart& chart = request.charts[c];
    charts[c].resize(size_t(std::max(0, chart.width)) * std::max(0, chart.height));
  }
  for (size_t t = 0; t < request.triangles.size(); ++t) {
    const BakeTriangle& triangle = request.triangles[t];
    if (triangle.chart < 0 || size_t(triangle.chart) >= request.charts.size()) continue;
    const BakeChart& chart = request.charts[triangle.chart];
    if (chart.width <= 0 || chart.height <= 0) continue;
    RasteriseTriangle(triangle, int(t), chart, charts[triangle.chart]);
  }
  return charts;
}

}  // namespace content
