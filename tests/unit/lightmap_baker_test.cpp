// Bakes small scenes and checks the light lands where the geometry says.
#include "lightmap_baker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "lightmap_finish.h"
#include "lightmap_raster.h"

namespace content {
namespace {

// Two triangles over four corners given counter-clockwise from the front.
void AddQuad(BakeRequest& request, Vec3 a, Vec3 b, Vec3 c, Vec3 d, int chart = -1,
             Vec2 uvA = {0, 0}, Vec2 uvB = {1, 0}, Vec2 uvC = {1, 1}, Vec2 uvD = {0, 1}) {
  BakeTriangle first, second;
  first.corners[0] = a, first.corners[1] = b, first.corners[2] = c;
  first.lightmapUv[0] = uvA, first.lightmapUv[1] = uvB, first.lightmapUv[2] = uvC;
  second.corners[0] = a, second.corners[1] = c, second.corners[2] = d;
  second.lightmapUv[0] = uvA, second.lightmapUv[1] = uvC, second.lightmapUv[2] = uvD;
  first.chart = second.chart = chart;
  request.triangles.push_back(first);
  request.triangles.push_back(second);
}

// A closed box with its faces turned outwards, casting shadows only.
void AddBox(BakeRequest& request, Vec3 low, Vec3 high) {
  float x0 = low.x, y0 = low.y, z0 = low.z, x1 = high.x, y1 = high.y, z1 = high.z;
  AddQuad(request, {x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0});  // top
  AddQuad(request, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1});  // bottom
  AddQuad(request, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1});  // +x
  AddQuad(request, {x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0});  // -x
  AddQuad(request, {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1});  // +z
  AddQuad(request, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0});  // -z
}

constexpr float kHalf = 100;  // the test floor spans -100..100 in x and z at y = 0
constexpr int kSize = 64;

// The floor as chart `chart`: u follows x, v follows z.
void AddFloor(BakeRequest& request, int chart) {
  AddQuad(request, {-kHalf, 0, -kHalf}, {-kHalf, 0, kHalf}, {kHalf, 0, kHalf}, {kHalf, 0, -kHalf}, chart,
          {0, 0}, {0, 1}, {1, 1}, {1, 0});
}

BakeRequest FloorScene() {
  BakeRequest request;
  request.charts.push_back({kSize, kSize});
  AddFloor(request, 0);
  request.ambient = {0, 0, 0, 1};
  return request;
}

// Where a floor texel's centre lies in the world.
Vec3 FloorPoint(int x, int y) {
  float u = (x + 0.5f) / kSize, v = 1 - (y + 0.5f) / kSize;
  return {-kHalf + 2 * kHalf * u, 0, -kHalf + 2 * kHalf * v};
}

int Red(const RgbaImage& image, int x, int y) { return image.At(x, y)[0]; }

// The byte the baker should write for light `value`.
int ExpectedByte(float value) { return int(std::lround(std::clamp(RollOff(value), 0.0f, 1.0f) * 255)); }

void ForEachTexel(const RgbaImage& image, const std::function<void(int, int)>& visit) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) visit(x, y);
}

TEST(LightmapBakerTest, PointLightIsBrightestBelowItAndFallsOffAsTheFormulaSays) {
  BakeRequest request = FloorScene();
  BakeLight light;
  light.position = {0, 100, 0};
  light.colour = {1.5f, 1.2f, 0.9f, 1};
  light.range = 200;
  light.radius = 2;
  request.lights.push_back(light);
  std::vector<RgbaImage> pictures = BakeLightmaps(request);
  ASSERT_EQ(pictures.size(), 1u);
  const RgbaImage& floor = pictures[0];
  ASSERT_EQ(floor.width, kSize);
  ASSERT_EQ(floor.height, kSize);

  int brightest = 0;
  ForEachTexel(floor, [&](int x, int y) {
    brightest = std::max(brightest, Red(floor, x, y));
    EXPECT_EQ(floor.At(x, y)[3], 255);
    // Unshadowed, so each texel is colour * cos * attenuation at its point.
    Vec3 point = FloorPoint(x, y);
    Vec3 toLight{light.position.x - point.x, light.position.y - point.y, light.position.z - point.z};
    float distance = std::sqrt(toLight.x * toLight.x + toLight.y * toLight.y + toLight.z * toLight.z);
    float strength = toLight.y / distance / (1 + 3 * (distance / light.range) * (distance / light.range));
    EXPECT_NEAR(Red(floor, x, y), ExpectedByte(light.colour.r * strength), 2) << x << "," << y;
    EXPECT_NEAR(floor.At(x, y)[2], ExpectedByte(light.colour.b * strength), 2) << x << "," << y;
  });
  EXPECT_EQ(Red(floor, kSize / 2, kSize / 2), brightest);
  // Along a line out from under the light, every step is darker.
  for (int x = kSize / 2 + 4; x < kSize; x += 4)
    EXPECT_LT(Red(floor, x, kSize / 2), Red(floor, x - 4, kSize / 2)) << x;
}

TEST(LightmapBakerTest, BoxCastsItsGeometricShadowOnTheFloor) {
  BakeRequest request = FloorScene();
  AddBox(request, {-20, 40, -20}, {20, 60, 20});
  BakeLight light;
  light.position = {0, 200, 0};
  light.colour = {1, 1, 1, 1};
  light.radius = 0.5f;
  request.lights.push_back(light);
  BakeRequest open = FloorScene();
  open.lights = request.lights;
  RgbaImage shadowed = BakeLightmaps(request)[0];
  RgbaImage unshadowed = BakeLightmaps(open)[0];

  // The box's top edges, seen from the light, reach the floor at 20 * 200 / 140.
  const float shadowEdge = 20 * 200.0f / 140;
  int inside = 0, outside = 0;
  ForEachTexel(shadowed, [&](int x, int y) {
    Vec3 point = FloorPoint(x, y);
    float reach = std::max(std::fabs(point.x), std::fabs(point.z));
    if (reach < shadowEdge - 2) {
      EXPECT_EQ(Red(shadowed, x, y), 0) << x << "," << y;
      ++inside;
    } else if (reach > shadowEdge + 2) {
      EXPECT_EQ(Red(shadowed, x, y), Red(unshadowed, x, y)) << x << "," << y;
      EXPECT_GT(Red(shadowed, x, y), 0);
      ++outside;
    }
  });
  EXPECT_GT(inside, 200);
  EXPECT_GT(outside, 2000);
}

TEST(LightmapBakerTest, FloorCornerBetweenWallsIsMoreOccludedThanTheMiddleButNotBlack) {
  BakeRequest request = FloorScene();
  request.ambient = {0.6f, 0.6f, 0.6f, 1};
  request.occlusionRays = 64;
  request.charts.push_back({kSize, kSize});
  request.charts.push_back({kSize, kSize});
  // Walls along x = -100 and z = -100, facing into the room, lit into charts 1 and 2.
  AddQuad(request, {-kHalf, 0, -kHalf}, {-kHalf, 100, -kHalf}, {-kHalf, 100, kHalf}, {-kHalf, 0, kHalf}, 1);
  AddQuad(request, {-kHalf, 0, -kHalf}, {kHalf, 0, -kHalf}, {kHalf, 100, -kHalf}, {-kHalf, 100, -kHalf}, 2);
  std::vector<RgbaImage> pictures = BakeLightmaps(request);
  ASSERT_EQ(pictures.size(), 3u);
  const RgbaImage& floor = pictures[0];

  // Row 0 is the far (+z) edge, so the corner at x = -100, z = -100 is bottom left.
  int corner = Red(floor, 0, kSize - 1);
  int wallSide = Red(floor, 0, kSize / 2);
  int middle = Red(floor, kSize / 2, kSize / 2);
  int openEdge = Red(floor, kSize - 1, 0);  // far from both walls
  EXPECT_LT(corner, wallSide);
  EXPECT_LT(wallSide, middle);
  EXPECT_EQ(openEdge, ExpectedByte(0.6f));  // nothing within reach, so all the ambient
  // Where surfaces meet they are darker but never black.
  for (const RgbaImage& picture : pictures)
    ForEachTexel(picture, [&](int x, int y) { EXPECT_GT(Red(picture, x, y), ExpectedByte(0.6f) / 4); });
}

TEST(LightmapBakerTest, FloorTexelsJustBehindAMeetingWallStillSeeTheRoom) {
  BakeRequest request = FloorScene();
  request.ambient = {0.2f, 0.2f, 0.2f, 1};
  // The wall stands a hair inside the floor's edge, so the first column of
  // floor texels (centres at x = -98.44) sits just behind it.
  const float wallX = -98.3f;
  AddQuad(request, {wallX, 0, -kHalf}, {wallX, 100, -kHalf}, {wallX, 100, kHalf}, {wallX, 0, kHalf});
  BakeLight light;
  light.position = {0, 100, 0};
  light.colour = {1, 1, 1, 1};
  request.lights.push_back(light);
  RgbaImage floor = BakeLightmaps(request)[0];
  for (int y = 0; y < kSize; ++y) EXPECT_GT(Red(floor, 0, y), Red(floor, 1, y) * 0.8f) << y;
}

TEST(LightmapBakerTest, FloorUnderABoxTakesTheLightAroundItsFoot) {
  BakeRequest request = FloorScene();
  request.ambient = {0.5f, 0.5f, 0.5f, 1};
  AddBox(request, {-20, 0, -20}, {20, 30, 20});
  RgbaImage floor = BakeLightmaps(request)[0];
  // Texels wholly inside the foot against the ring of texels just outside it.
  int insideLow = 255, insideHigh = 0, ringLow = 255, ringHigh = 0;
  ForEachTexel(floor, [&](int x, int y) {
    Vec3 point = FloorPoint(x, y);
    float reach = std::max(std::fabs(point.x), std::fabs(point.z));
    int value = Red(floor, x, y);
    if (reach < 18) {
      insideLow = std::min(insideLow, value);
      insideHigh = std::max(insideHigh, value);
    } else if (reach > 20 && reach < 25) {
      ringLow = std::min(ringLow, value);
      ringHigh = std::max(ringHigh, value);
    }
  });
  EXPECT_GE(insideLow, ringLow);
  EXPECT_LE(insideHigh, ringHigh);
  EXPECT_GT(ringLow, 0);
}

TEST(LightmapBakerTest, SunThroughAWindowLightsTheMatchingPatchOfFloor) {
  BakeRequest request = FloorScene();
  // A wall at x = -100, 300 high and wider than the floor so the slightly
  // spread sun rays cannot pass its ends, with a window from y 50 to 100 and
  // z -20 to 20.
  const float wallEnd = 2 * kHalf;
  auto wallPart = [&](float y0, float y1, float z0, float z1) {
    AddQuad(request, {-kHalf, y0, z0}, {-kHalf, y1, z0}, {-kHalf, y1, z1}, {-kHalf, y0, z1});
  };
  wallPart(0, 50, -wallEnd, wallEnd);
  wallPart(100, 300, -wallEnd, wallEnd);
  wallPart(50, 100, -wallEnd, -20);
  wallPart(50, 100, 20, wallEnd);
  BakeLight sun;
  sun.directional = true;
  sun.direction = {1, -1, 0};  // down at 45 degrees, away from the wall
  sun.colour = {1, 0.9f, 0.8f, 1};
  request.lights.push_back(sun);
  RgbaImage floor = BakeLightmaps(request)[0];

  // Light through the window at height h lands h further along x: x -50..0.
  const float lit = std::sqrt(0.5f);
  int inPatch = 0;
  ForEachTexel(floor, [&](int x, int y) {
    Vec3 point = FloorPoint(x, y);
    bool inside = point.x > -46 && point.x < -4 && std::fabs(point.z) < 16;
    bool outside = point.x < -54 || point.x > 4 || std::fabs(point.z) > 24;
    if (inside) {
      EXPECT_EQ(Red(floor, x, y), ExpectedByte(lit)) << x << "," << y;
      ++inPatch;
    }
    if (outside) {
      EXPECT_EQ(Red(floor, x, y), 0) << x << "," << y;
    }
  });
  EXPECT_GT(inPatch, 100);
}

TEST(LightmapBakerTest, LightBehindASurfaceLeavesOnlyTheAmbient) {
  BakeRequest request = FloorScene();
  request.ambient = {0.2f, 0.3f, 0.4f, 1};
  RgbaImage ambientOnly = BakeLightmaps(request)[0];
  BakeLight below;
  below.position = {0, -50, 0};
  below.colour = {3, 3, 3, 1};
  request.lights.push_back(below);
  BakeLight sunFromBelow;
  sunFromBelow.directional = true;
  sunFromBelow.direction = {0.2f, 1, 0};
  sunFromBelow.colour = {2, 2, 2, 1};
  request.lights.push_back(sunFromBelow);
  RgbaImage withLightsBehind = BakeLightmaps(request)[0];
  EXPECT_EQ(withLightsBehind.pixels, ambientOnly.pixels);
  EXPECT_EQ(Red(ambientOnly, kSize / 2, kSize / 2), ExpectedByte(0.2f));
  EXPECT_EQ(ambientOnly.At(kSize / 2, kSize / 2)[2], ExpectedByte(0.4f));
}

TEST(LightmapBakerTest, SameRequestGivesTheSameBytesAndTheSeedMatters) {
  BakeRequest request = FloorScene();
  request.ambient = {0.3f, 0.3f, 0.3f, 1};
  AddBox(request, {-20, 10, -20}, {20, 30, 20});
  BakeLight light;
  light.position = {30, 80, 10};
  light.colour = {1, 1, 1, 1};
  light.radius = 25;  // wide penumbra, where the ray jitter shows
  request.lights.push_back(light);
  std::vector<RgbaImage> first = BakeLightmaps(request);
  std::vector<RgbaImage> second = BakeLightmaps(request);
  ASSERT_EQ(first.size(), second.size());
  EXPECT_EQ(first[0].pixels, second[0].pixels);
  request.seed = 2;
  EXPECT_NE(BakeLightmaps(request)[0].pixels, first[0].pixels);
}

TEST(LightmapBakerTest, UncoveredTexelsAreFilledAndCoveredChartsHaveNoBlack) {
  BakeRequest request;
  request.ambient = {0.5f, 0.4f, 0.3f, 1};
  request.charts.push_back({32, 32});  // fully covered
  request.charts.push_back({32, 32});  // a small triangle in one corner
  request.charts.push_back({16, 16});  // nothing at all
  AddFloor(request, 0);
  BakeTriangle corner;
  corner.corners[0] = {500, 500, 0}, corner.corners[1] = {510, 500, 0}, corner.corners[2] = {500, 510, 0};
  corner.lightmapUv[0] = {0, 0}, corner.lightmapUv[1] = {0.2f, 0}, corner.lightmapUv[2] = {0, 0.2f};
  corner.chart = 1;
  request.triangles.push_back(corner);
  std::vector<RgbaImage> pictures = BakeLightmaps(request);
  ASSERT_EQ(pictures.size(), 3u);
  // Open surfaces with only ambient light: every texel, filled or not, is that light.
  for (const RgbaImage& picture : pictures) {
    ForEachTexel(picture, [&](int x, int y) {
      EXPECT_EQ(picture.At(x, y)[0], ExpectedByte(0.5f)) << x << "," << y;
      EXPECT_EQ(picture.At(x, y)[2], ExpectedByte(0.3f)) << x << "," << y;
    });
  }
}

TEST(LightmapFinishTest, FillSpreadsNeighboursRingByRingThenUsesTheMean) {
  BakedChart chart;
  chart.width = 12;
  chart.height = 1;
  chart.light.assign(12, Colour{0, 0, 0, 1});
  chart.covered.assign(12, 0);
  chart.light[0] = {0.2f, 0.2f, 0.2f, 1};
  chart.light[1] = {0.4f, 0.4f, 0.4f, 1};
  chart.covered[0] = chart.covered[1] = 1;
  FillUncovered(chart, 3, Colour{9, 9, 9, 1});
  EXPECT_FLOAT_EQ(chart.light[2].r, 0.4f);  // its only covered neighbour
  EXPECT_FLOAT_EQ(chart.light[4].r, 0.4f);
  for (int x = 5; x < 12; ++x) EXPECT_FLOAT_EQ(chart.light[x].g, 0.3f) << x;  // beyond three passes
  for (uint8_t covered : chart.covered) EXPECT_EQ(covered, 1);

  BakedChart twoSides;
  twoSides.width = 3;
  twoSides.height = 1;
  twoSides.light = {{0.2f, 0, 0, 1}, {0, 0, 0, 1}, {0.6f, 0, 0, 1}};
  twoSides.covered = {1, 0, 1};
  FillUncovered(twoSides, 1, Colour{});
  EXPECT_FLOAT_EQ(twoSides.light[1].r, 0.4f);  // the average of both sides

  BakedChart empty;
  empty.width = empty.height = 2;
  empty.light.assign(4, Colour{});
  empty.covered.assign(4, 0);
  FillUncovered(empty, 8, Colour{0.1f, 0.2f, 0.3f, 1});
  EXPECT_FLOAT_EQ(empty.light[3].b, 0.3f);
}

TEST(LightmapFinishTest, RollOffKeepsDarkValuesAndEasesBrightOnesBelowOne) {
  EXPECT_FLOAT_EQ(RollOff(0), 0);
  EXPECT_FLOAT_EQ(RollOff(0.5f), 0.5f);
  EXPECT_NEAR(RollOff(1), 0.9f, 0.02f);
  EXPECT_LT(RollOff(3), 1);
  float previous = 0;
  for (float light = 0.05f; light < 3; light += 0.05f) {
    EXPECT_GT(RollOff(light), previous) << light;
    previous = RollOff(light);
  }
}

TEST(LightmapRasterTest, EdgeTexelsAreCoveredByTheNearestPointOfTheTriangle) {
  // A square from 3.7 to 12.3 texels each way in a 16 x 16 chart.
  BakeRequest request;
  request.charts.push_back({16, 16});
  float low = 3.7f / 16, high = 12.3f / 16;
  AddQuad(request, {0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, 0, {low, low}, {high, low}, {high, high},
          {low, high});
  std::vector<std::vector<TexelSample>> charts = RasteriseCharts(request);
  ASSERT_EQ(charts.size(), 1u);
  ASSERT_EQ(charts[0].size(), 256u);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const TexelSample& sample = charts[0][y * 16 + x];
      bool touched = x >= 3 && x <= 12 && y >= 3 && y <= 12;
      bool centreInside = x >= 4 && x <= 11 && y >= 4 && y <= 11;
      EXPECT_EQ(sample.triangle >= 0, touched) << x << "," << y;
      if (!touched) continue;
      EXPECT_NEAR(sample.weights[0] + sample.weights[1] + sample.weights[2], 1, 1e-5f);
      if (centreInside) {
        EXPECT_EQ(sample.gap, 0) << x << "," << y;
      } else {
        EXPECT_GT(sample.gap, 0.03f) << x << "," << y;  // 0.2 texel from the edge, or more at corners
        EXPECT_LT(sample.gap, 0.09f) << x << "," << y;
      }
    }
  }
  // Texel (3, 8) lies past the square's left edge (x = 0 in the world), 0.2 texel out.
  const TexelSample& left = charts[0][8 * 16 + 3];
  const BakeTriangle& triangle = request.triangles[left.triangle];
  float worldX = 0;
  for (int c = 0; c < 3; ++c) worldX += triangle.corners[c].x * left.weights[c];
  EXPECT_NEAR(worldX, 0, 1e-4f);
}

}  // namespace
}  // namespace content
