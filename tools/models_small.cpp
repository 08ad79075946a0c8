// The small lit props round the fireplace: a candle in a brass holder, the
// logs on their grate, and the string of lights along the mantel.
#include <cmath>
#include <string>

#include "model_builder.h"
#include "models_centrepiece.h"

namespace content {
namespace {

constexpr float kPi = 3.14159265f;

BsmMesh PropMesh(const std::string& name, const std::string& parent, const std::string& diffuse) {
  BsmMesh mesh;
  mesh.name = name;
  mesh.parentName = parent;
  mesh.diffuse = diffuse;
  return mesh;
}

// A round end of a log: a fan whose texture lies in the cut-end quarter.
void AddLogEnd(ModelBuilder& builder, Vec3 centre, Vec3 axis, float radius, int sides, bool facingAxis) {
  const Vec3 seed = std::fabs(axis.z) < 0.9f ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  const Vec3 a = Normalized(Cross(axis, seed)), b = Cross(axis, a);
  const Vec3 normal = facingAxis ? axis : axis * -1.0f;
  const Transform none;
  const uint32_t middle = builder.Vertex(centre, {0.875f, 0.5f}, normal, none);
  std::vector<uint32_t> rim;
  for (int i = 0; i <= sides; ++i) {
    const float t = 2 * kPi * static_cast<float>(i) / sides;
    const Vec3 p = centre + (a * std::cos(t) + b * std::sin(t)) * radius;
    rim.push_back(builder.Vertex(p, {0.875f + 0.12f * std::cos(t), 0.5f + 0.45f * std::sin(t)}, normal, none));
  }
  // a, b, axis is right-handed, so a rim walked from a to b turns about the axis.
  for (int i = 0; i < sides; ++i) {
    if (facingAxis)
      builder.Triangle(middle, rim[i], rim[i + 1], none);
    else
      builder.Triangle(middle, rim[i + 1], rim[i], none);
  }
}

// A log from `from` to `to`: bark round it, u along its length.
void AddLog(ModelBuilder& builder, Vec3 from, Vec3 to, float radius) {
  constexpr int kSides = 10;
  std::vector<Vec3> path;
  for (int i = 0; i <= 4; ++i) {
    const float t = static_cast<float>(i) / 4;
    // A slight bow so the logs do not look turned on a lathe.
    path.push_back(from + (to - from) * t + Vec3{0, 0, 0.8f * std::sin(kPi * t)});
  }
  builder.Tube(path, radius, kSides, Transform(), 0.75f / Length(to - from), {0, 0, 1, 1});
  const Vec3 axis = Normalized(to - from);
  AddLogEnd(builder, from, axis, radius, kSides, false);
  AddLogEnd(builder, to, axis, radius, kSides, true);
}

}  // namespace

BsmModel MakeCandleModel() {
  BsmMesh holder = PropMesh("Hull", "Scene Root", "brass.tga");
  holder.second = "env_sphere.tga";
  holder.third = "candle_wax_i.tga";
  // A shallow dish with a rolled rim and a socket cup for the candle.
  ModelBuilder(holder).Lathe({{0, 0}, {4.8f, 0}, {4.8f, 0}, {5.8f, 0.8f}, {6.0f, 1.5f}, {5.5f, 1.6f},
                              {3.4f, 1.1f}, {2.9f, 1.4f}, {2.9f, 3.4f}, {3.3f, 3.7f}, {2.6f, 3.6f}},
                             20, Transform(), {0, 0, 1, 0.35f}, 2);
  BsmMesh wax = PropMesh("candlewax", "Hull", "candle_wax.tga");
  wax.third = "candle_wax_i.tga";
  constexpr float kWaxTop = 19.0f;
  // The top dips round the wick where it has melted; the glow picture's
  // bright rows (v near 1) land on the top.
  ModelBuilder waxBuilder(wax);
  waxBuilder.Lathe({{2.5f, 1.4f}, {2.5f, kWaxTop - 0.8f}, {2.3f, kWaxTop}, {1.2f, kWaxTop - 0.3f}, {0, kWaxTop - 0.5f}},
                   16, Transform(), {0, 0, 1, 1});
  waxBuilder.Frustum(0.18f, 0.12f, 1.4f, 4, false, true, Transform().Translate({0, 0, kWaxTop - 0.5f}), {0, 0.95f, 1, 1});

  BsmModel model;
  model.meshes = {holder, wax};
  BsmHelper flame;
  flame.name = "emit candle";
  flame.parentMesh = "Hull";
  flame.position = {0, 0, kWaxTop + 1.5f};
  flame.kind = 2;
  model.helpers.push_back(flame);
  return model;
}

BsmModel MakeFirewoodModel() {
  BsmMesh grate = PropMesh("Hull", "Scene Root", "train_black.tga");
  ModelBuilder iron(grate);
  for (float y : {-11.0f, 11.0f}) {
    iron.Box({-28, y - 0.8f, 3.2f}, {28, y + 0.8f, 4.8f});  // side rails
    for (float x : {-26.0f, 26.0f}) iron.Box({x - 0.9f, y - 0.9f, 0}, {x + 0.9f, y + 0.9f, 3.2f});  // legs
    for (float x : {-26.0f, 26.0f}) iron.Box({x - 0.7f, y - 0.7f, 4.8f}, {x + 0.7f, y + 0.7f, 10});  // front posts
  }
  for (int i = 0; i < 7; ++i) {
    const float x = -24 + 8.0f * static_cast<float>(i);
    iron.Box({x - 0.6f, -11, 3.4f}, {x + 0.6f, 11, 4.6f});  // bars across
  }
  BsmMesh logs = PropMesh("firewood_core", "Hull", "firewood.tga");
  logs.scrollU = 0;
  logs.scrollV = 0.5f;
  logs.third = "firewood_i.tga";
  ModelBuilder wood(logs);
  AddLog(wood, {-27, -6, 8.8f}, {26, -4.5f, 8.8f}, 4.2f);
  AddLog(wood, {-25, 5.5f, 9.0f}, {27, 6.5f, 8.6f}, 4.4f);
  AddLog(wood, {-20, -10, 13.5f}, {18, 9, 15.5f}, 3.6f);   // across the pair
  AddLog(wood, {-6, 11, 12.5f}, {22, -9, 17.0f}, 3.2f);    // leaning the other way

  BsmModel model;
  model.meshes = {grate, logs};
  return model;
}

BsmModel MakeLightChainModel() {
  // Three swags between four hooks. The texture puts one bulb every eighth of
  // its width, centred in its slot, hanging below the wire, so u runs one
  // eighth per bulb spacing along the chain.
  constexpr int kSteps = 147;
  constexpr float kSag = 9, kHeight = 9.4f;
  std::vector<Vec3> path;
  for (int i = 0; i <= kSteps; ++i) {
    const float x = -kLightChainHalfLength + 2 * kLightChainHalfLength * static_cast<float>(i) / kSteps;
    const float swag = std::fmod((x + kLightChainHalfLength) / (2 * kLightChainHalfLength / 3), 1.0f);
    const float within = i == kSteps ? 0.0f : swag;
    const float c = std::cosh(2.2f * (within - 0.5f)), c0 = std::cosh(1.1f);
    path.push_back({x, 0, -kSag * (c0 - c) / (c0 - 1)});
  }
  std::vector<float> along(path.size(), 0);
  for (size_t i = 1; i < path.size(); ++i) along[i] = along[i - 1] + Length(path[i] - path[i - 1]);
  const float spacing = along.back() / kLightChainBulbs;

  BsmMesh mesh = PropMesh("Hull", "Scene Root", "lightchain.tga");
  std::vector<SurfacePoint> points;
  auto downAt = [&](size_t i) {
    const Vec3 tangent = Normalized(path[std::min(i + 1, path.size() - 1)] - path[i > 0 ? i - 1 : 0]);
    return Cross(tangent, Vec3{0, -1, 0});  // in the chain's plane, pointing down
  };
  for (int edge = 0; edge < 2; ++edge) {
    for (size_t i = 0; i < path.size(); ++i) {
      const float offset = edge == 0 ? 0.5f : -0.5f;  // bottom row then top row
      points.push_back({path[i] + downAt(i) * (kHeight * offset), {0, -1, 0},
                        {along[i] / spacing / 8, edge == 0 ? 0.0f : 1.0f}});
    }
  }
  ModelBuilder(mesh).Grid(points, static_cast<int>(path.size()), 2);

  BsmModel model;
  static const char* const kColours[4] = {"red", "yel", "gre", "blu"};
  for (int b = 0; b < kLightChainBulbs; ++b) {
    const float at = (static_cast<float>(b) + 0.5f) * spacing;
    size_t i = 1;
    while (i + 1 < along.size() && along[i] < at) ++i;
    const float t = (at - along[i - 1]) / (along[i] - along[i - 1]);
    const Vec3 onWire = path[i - 1] + (path[i] - path[i - 1]) * t;
    BsmHelper bulb;
    // The bulb's middle sits 0.22 of the strip's height below the wire.
    bulb.position = onWire + downAt(i) * (0.22f * kHeight) + Vec3{0, -0.5f, 0};
    bulb.name = std::string("emit ") + kColours[b % 4] + "_firlight";
    bulb.parentMesh = "Hull";
    bulb.kind = 2;
    model.helpers.push_back(bulb);
  }
  model.meshes = {mesh};
  return model;
}

}  // namespace content
