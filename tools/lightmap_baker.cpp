#include "lightmap_baker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <thread>

#include "lightmap_finish.h"
#include "lightmap_raster.h"
#include "lightmap_rays.h"
#include "lightmap_vector.h"

namespace content {
namespace {

constexpr float kNormalOffset = 0.05f;    // ray origins lifted off their surface
constexpr float kInset = 0.1f;            // sample points pulled in from triangle edges
constexpr float kSunConeRadians = 0.0175f;  // about one degree of sun disc
constexpr float kFarAway = 1e30f;
constexpr float kTwoPi = 6.28318531f;
constexpr float kGoldenTurn = 0.618033989f;
constexpr int kFillPasses = 8;

// PCG32, seeded per texel so each texel's rays are the same whichever thread
// bakes it.
class TexelRandom {
 public:
  explicit TexelRandom(uint64_t seed) {
    Next();
    state_ += seed;
    Next();
  }
  uint32_t Next() {
    uint64_t old = state_;
    state_ = old * 6364136223846793005ull + 1442695040888963407ull;
    uint32_t shifted = uint32_t(((old >> 18) ^ old) >> 27);
    uint32_t rotation = uint32_t(old >> 59);
    return (shifted >> rotation) | (shifted << ((32 - rotation) & 31));
  }
  float Unit() { return float(Next() >> 8) * (1.0f / 16777216.0f); }

 private:
  uint64_t state_ = 0;
};

uint64_t Mix(uint64_t value) {
  value += 0x9e3779b97f4a7c15ull;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ull;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebull;
  return value ^ (value >> 31);
}

uint64_t TexelSeed(unsigned seed, size_t chart, int x, int y) {
  return Mix(Mix(Mix(seed) ^ chart) ^ (uint64_t(uint32_t(y)) << 32 | uint32_t(x)));
}

// Two unit vectors completing `normal` to an orthonormal frame.
void Frame(Vec3 normal, Vec3& tangent, Vec3& bitangent) {
  float sign = std::copysign(1.0f, normal.z);
  float a = -1.0f / (sign + normal.z);
  float b = normal.x * normal.y * a;
  tangent = {1 + sign * normal.x * normal.x * a, sign * b, -sign * normal.x};
  bitangent = {b, sign + normal.y * normal.y * a, -normal.y};
}

// A point of a disc, i of n: stratified in radius, turned by the golden angle
// from a random start, so few rays still spread evenly.
void DiscPoint(int i, int n, float turn, TexelRandom& random, float& x, float& y) {
  float radius = std::sqrt((i + random.Unit()) / n);
  float angle = kTwoPi * (turn + i * kGoldenTurn);
  x = radius * std::cos(angle);
  y = radius * std::sin(angle);
}

struct TexelLight {
  Colour light;
  bool buried = false;  // the point is enclosed by the backs of other surfaces
};

struct Surface {
  Vec3 origin;
  Vec3 normal;
};

Surface SurfaceOf(const BakeTriangle& triangle, const TexelSample& sample) {
  const Vec3* c = triangle.corners;
  Vec3 point = c[0] * sample.weights[0] + c[1] * sample.weights[1] + c[2] * sample.weights[2];
  // Points on an edge lie on the neighbouring surface too; step inside.
  Vec3 inward = (c[0] + c[1] + c[2]) * (1.0f / 3) - point;
  float toCentre = Length(inward);
  if (toCentre > 0) point = point + inward * (std::min(kInset, toCentre) / toCentre);
  Surface surface;
  surface.normal = FaceNormal(c);
  surface.origin = point + surface.normal * kNormalOffset;
  return surface;
}

class TexelBaker {
 public:
  TexelBaker(const BakeRequest& request, const RayScene& rays) : request_(request), rays_(rays) {}

  TexelLight Bake(const TexelSample& sample, uint64_t seed) const {
    TexelRandom random(seed);
    Surface surface = SurfaceOf(request_.triangles[sample.triangle], sample);
    TexelLight result;
    float occlusion = Occlusion(surface, random, result.buried);
    result.light.r = request_.ambient.r * (1 - occlusion);
    result.light.g = request_.ambient.g * (1 - occlusion);
    result.light.b = request_.ambient.b * (1 - occlusion);
    for (const BakeLight& light : request_.lights) {
      float strength = light.directional ? Sunlight(light, surface, random) : Lamplight(light, surface, random);
      result.light.r += light.colour.r * strength;
      result.light.g += light.colour.g * strength;
      result.light.b += light.colour.b * strength;
    }
    return result;
  }

 private:
  // Cosine-weighted hemisphere rays, each hit counting more the closer it is.
  float Occlusion(const Surface& surface, TexelRandom& random, bool& buried) const {
    const int count = request_.occlusionRays;
    if (count <= 0) return 0;
    const float reach = request_.occlusionDistance;
    Vec3 tangent, bitangent;
    Frame(surface.normal, tangent, bitangent);
    float turn = random.Unit();
    float occlusion = 0;
    int backHits = 0;
    for (int i = 0; i < count; ++i) {
      float x, y;
      DiscPoint(i, count, turn, random, x, y);
      float up = std::sqrt(std::max(0.0f, 1 - x * x - y * y));
      Vec3 direction = Normalized(tangent * x + bitangent * y + surface.normal * up);
      // Unlimited length, so the backs of enclosing surfaces are seen however far.
      RayHit hit = rays_.Nearest(surface.origin, direction, kFarAway);
      if (!hit.found) continue;
      if (hit.backFace) ++backHits;
      if (reach > 0 && hit.distance < reach) occlusion += 1 - hit.distance / reach;
    }
    buried = backHits * 2 > count;
    return occlusion / count;
  }

  // Without shadow rays every light counts as unblocked.
  float Visibility(int count, float clear) const { return count > 0 ? clear / count : 1.0f; }

  float Lamplight(const BakeLight& light, const Surface& surface, TexelRandom& random) const {
    Vec3 toLight = light.position - surface.origin;
    float distance = Length(toLight);
    if (!(distance > 0)) return 0;
    Vec3 direction = toLight * (1 / distance);
    float facing = Dot(surface.normal, direction);
    if (facing <= 0) return 0;
    float relative = light.range > 0 ? distance / light.range : 0;
    float attenuation = 1 / (1 + relative * relative * 3);

    // The emitter as seen from the texel: a disc of its radius facing it.
    const int count = request_.shadowRays;
    Vec3 tangent, bitangent;
    Frame(direction, tangent, bitangent);
    float turn = random.Unit();
    int clear = 0;
    for (int i = 0; i < count; ++i) {
      float x, y;
      DiscPoint(i, count, turn, random, x, y);
      Vec3 target = light.position + (tangent * x + bitangent * y) * light.radius;
      Vec3 way = target - surface.origin;
      float length = Length(way);
      if (!(length > 0)) continue;
      if (rays_.Clear(surface.origin, way * (1 / length), length * 0.999f)) ++clear;
    }
    return facing * attenuation * Visibility(count, float(clear));
  }

  float Sunlight(const BakeLight& light, const Surface& surface, TexelRandom& random) const {
    Vec3 direction = Normalized(light.direction * -1);
    float facing = Dot(surface.normal, direction);
    if (facing <= 0) return 0;
    const int count = request_.shadowRays;
    Vec3 tangent, bitangent;
    Frame(direction, tangent, bitangent);
    float turn = random.Unit();
    int clear = 0;
    for (int i = 0; i < count; ++i) {
      float x, y;
      DiscPoint(i, count, turn, random, x, y);
      Vec3 way = Normalized(direction + (tangent * x + bitangent * y) * kSunConeRadians);
      if (rays_.Clear(surface.origin, way, kFarAway)) ++clear;
    }
    return facing * Visibility(count, float(clear));
  }

  const BakeRequest& request_;
  const RayScene& rays_;
};

struct RowJob {
  size_t chart;
  int row;
};

}  // namespace

std::vector<RgbaImage> BakeLightmaps(const BakeRequest& request) {
  std::vector<std::vector<TexelSample>> samples = RasteriseCharts(request);
  RayScene rays(request.triangles);
  TexelBaker baker(request, rays);

  std::vector<BakedChart> charts(request.charts.size());
  std::vector<RowJob> jobs;
  for (size_t c = 0; c < charts.size(); ++c) {
    BakedChart& chart = charts[c];
    chart.width = std::max(0, request.charts[c].width);
    chart.height = std::max(0, request.charts[c].height);
    chart.light.assign(size_t(chart.width) * chart.height, Colour{0, 0, 0, 1});
    chart.covered.assign(chart.light.size(), 0);
    for (int y = 0; y < chart.height; ++y) jobs.push_back({c, y});
  }

  // Threads take every n-th row; each texel's result depends only on its own
  // seed, so the split changes nothing but the speed.
  auto bakeRows = [&](size_t first, size_t stride) {
    for (size_t j = first; j < jobs.size(); j += stride) {
      const RowJob& job = jobs[j];
      BakedChart& chart = charts[job.chart];
      for (int x = 0; x < chart.width; ++x) {
        size_t index = size_t(job.row) * chart.width + x;
        const TexelSample& sample = samples[job.chart][index];
        if (sample.triangle < 0) continue;
        TexelLight texel = baker.Bake(sample, TexelSeed(request.seed, job.chart, x, job.row));
        chart.light[index] = texel.light;
        chart.covered[index] = texel.buried ? 0 : 1;
      }
    }
  };
  size_t threadCount = std::max(1u, std::thread::hardware_concurrency());
  threadCount = std::min(threadCount, std::max<size_t>(1, jobs.size()));
  std::vector<std::thread> threads;
  for (size_t t = 1; t < threadCount; ++t) threads.emplace_back(bakeRows, t, threadCount);
  bakeRows(0, threadCount);
  for (std::thread& thread : threads) thread.join();

  std::vector<RgbaImage> pictures;
  pictures.reserve(charts.size());
  for (BakedChart& chart : charts) {
    FillUncovered(chart, kFillPasses, request.ambient);
    pictures.push_back(ToPicture(chart));
  }
  return pictures;
}

}  // namespace content
