// The toy train set round the tree: a ring of track, a locomotive and two
// open wagons (one carrying a teddy, one a load of lollipops). Every car is
// modelled in place on the ring with its pivot on the ring's axis, so one
// turn about Z carries the whole train round the track.
#include <cmath>
#include <string>

#include "model_builder.h"
#include "models_centrepiece.h"

namespace content {
namespace {

constexpr float kGaugeHalf = 4.5f;  // rails either side of the ring
constexpr float kRailTopZ = 3.2f, kSleeperTopZ = 1.2f;
constexpr float kWheelRadius = 2.6f;
constexpr float kAxleZ = kRailTopZ + kWheelRadius;

BsmMesh CarMesh(const std::string& name, const std::string& parent, const std::string& diffuse) {
  BsmMesh mesh;
  mesh.name = name;
  mesh.parentName = parent;
  mesh.diffuse = diffuse;
  return mesh;  // pivot stays at the origin: the ring's axis
}

// A car's own frame: x along the direction of travel, y towards the ring's
// centre, z up, with its origin on the track's centre line at `degrees`.
Transform CarFrame(float degrees) {
  const float a = degrees * 3.14159265f / 180;
  return Transform().RotateZ(degrees + 90).Translate({kRailroadRadius * std::cos(a), kRailroadRadius * std::sin(a), 0});
}

// A wheel at (x, side) of a car frame: a short disc with its axle across the track.
void AddWheel(ModelBuilder& builder, const Transform& frame, float x, float side) {
  const Transform place = Transform().Translate({0, 0, -0.6f}).RotateX(90).Translate({x, side, kAxleZ}).Then(frame);
  builder.Frustum(kWheelRadius, kWheelRadius, 1.2f, 8, true, true, place);
}

void AddWheelset(ModelBuilder& builder, const Transform& frame, float x) {
  AddWheel(builder, frame, x, kGaugeHalf);
  AddWheel(builder, frame, x, -kGaugeHalf);
}

void AddTrack(BsmMesh& sleepers, BsmMesh& rails) {
  ModelBuilder sleeperBuilder(sleepers);
  constexpr int kSleepers = 48;
  for (int i = 0; i < kSleepers; ++i) {
    const float degrees = 360.0f * static_cast<float>(i) / kSleepers;
    sleeperBuilder.Box({-1.8f, -8, 0}, {1.8f, 8, kSleeperTopZ}, CarFrame(degrees), {0, 0, 1, 0.5f});
  }
  // Each rail is a revolved profile: inner face, top, outer face (the
  // underside lies on the sleepers and is never seen). Repeated corners keep
  // the edges sharp.
  ModelBuilder railBuilder(rails);
  for (float side : {-kGaugeHalf, kGaugeHalf}) {
    const float r = kRailroadRadius + side;
    const float inner = r - 0.6f, outer = r + 0.6f;
    railBuilder.Lathe({{inner, kRailTopZ}, {inner, kSleeperTopZ}}, 72, Transform(), {0, 0, 24, 1});
    railBuilder.Lathe({{outer, kRailTopZ}, {inner, kRailTopZ}}, 72, Transform(), {0, 0, 24, 1});
    railBuilder.Lathe({{outer, kSleeperTopZ}, {outer, kRailTopZ}}, 72, Transform(), {0, 0, 24, 1});
  }
}

// The chimney top in model space, where the steam leaves.
Vec3 ChimneyTop() { return CarFrame(kLocoAngle).Point({11, 0, 20.5f}); }

void AddLoco(BsmMesh& paint, BsmMesh& iron) {
  const Transform frame = CarFrame(kLocoAngle);
  ModelBuilder red(paint);
  red.Box({-17, -6, 4.5f}, {17, 6, 7.5f}, frame, {0, 0, 1, 0.25f});          // footplate
  red.Box({-17, -6.5f, 7.5f}, {-5, 6.5f, 17.5f}, frame, {0, 0, 0.5f, 0.5f});  // cab
  // The boiler lies along the direction of travel.
  red.Frustum(4.6f, 4.6f, 17, 14, false, false, Transform().RotateY(90).Translate({-5, 0, 12}).Then(frame),
              {0, 0.5f, 1, 1});
  ModelBuilder black(iron);
  black.Box({-18, -7.3f, 17.5f}, {-4.2f, 7.3f, 18.7f}, frame);  // cab roof
  black.Frustum(4.8f, 4.8f, 2.5f, 14, false, true, Transform().RotateY(90).Translate({12, 0, 12}).Then(frame));
  black.Lathe({{1.5f, 16}, {1.5f, 19}, {2.3f, 20.5f}, {2.3f, 20.5f}, {1.4f, 20.5f}}, 10,
              Transform().Translate({11, 0, 0}).Then(frame));  // chimney with a flared lip
  black.Frustum(1.6f, 1.2f, 2.2f, 8, false, true, Transform().Translate({3, 0, 16}).Then(frame));  // steam dome
  black.Box({17, -6, 4}, {18.5f, 6, 6.5f}, frame);  // buffer beam
  for (float x : {-12.0f, -1.0f, 9.5f}) AddWheelset(black, frame, x);
}

// An open wagon: floor and four walls with their inner faces, on two wheelsets.
void AddWagon(BsmMesh& body, BsmMesh& chassis, float degrees) {
  const Transform frame = CarFrame(degrees);
  ModelBuilder paint(body);
  constexpr float kHalfLength = 11, kHalfWidth = 6.5f, kWall = 0.8f, kFloorZ = 6, kTopZ = 14;
  paint.Box({-kHalfLength, -kHalfWidth, kFloorZ}, {kHalfLength, kHalfWidth, kFloorZ + 1}, frame, {0, 0, 1, 0.3f});
  paint.Box({-kHalfLength, -kHalfWidth, kFloorZ}, {kHalfLength, -kHalfWidth + kWall, kTopZ}, frame, {0, 0, 1, 0.5f});
  paint.Box({-kHalfLength, kHalfWidth - kWall, kFloorZ}, {kHalfLength, kHalfWidth, kTopZ}, frame, {0, 0, 1, 0.5f});
  paint.Box({-kHalfLength, -kHalfWidth, kFloorZ}, {-kHalfLength + kWall, kHalfWidth, kTopZ}, frame, {0, 0, 0.6f, 0.5f});
  paint.Box({kHalfLength - kWall, -kHalfWidth, kFloorZ}, {kHalfLength, kHalfWidth, kTopZ}, frame, {0, 0, 0.6f, 0.5f});
  ModelBuilder iron(chassis);
  iron.Box({-kHalfLength + 1, -5, 4.5f}, {kHalfLength - 1, 5, kFloorZ}, frame);
  AddWheelset(iron, frame, -6.5f);
  AddWheelset(iron, frame, 6.5f);
}

// A small seated teddy, about 9 tall, sitting in the wagon facing forwards.
void AddTeddy(BsmMesh& mesh, float degrees) {
  const Transform frame = CarFrame(degrees);
  ModelBuilder fur(mesh);
  auto part = [&](Vec3 at, Vec3 size, int rings, int segments) {
    fur.Sphere(1, rings, segments, Transform().Scale(size).Translate(at).Then(frame), {0, 0, 1, 1});
  };
  part({0, 0, 10}, {2.6f, 2.8f, 3.2f}, 6, 8);       // body
  part({0.4f, 0, 15}, {2.2f, 2.2f, 2.1f}, 6, 8);    // head
  part({2.3f, 0, 14.6f}, {0.9f, 1.0f, 0.8f}, 4, 6);  // muzzle
  part({0, 1.6f, 16.8f}, {0.8f, 0.5f, 0.8f}, 4, 6);  // ears
  part({0, -1.6f, 16.8f}, {0.8f, 0.5f, 0.8f}, 4, 6);
  part({1.2f, 2.8f, 11}, {1.6f, 0.9f, 0.9f}, 4, 6);  // arms on the wagon's side
  part({1.2f, -2.8f, 11}, {1.6f, 0.9f, 0.9f}, 4, 6);
}

// Three lollipops standing up out of the wagon.
void AddWagonLollipops(BsmMesh& mesh, float degrees) {
  const Transform frame = CarFrame(degrees);
  ModelBuilder sweets(mesh);
  const Vec3 spots[3] = {{-5, 2, 0}, {0, -2.5f, 0}, {5, 1.5f, 0}};
  for (int i = 0; i < 3; ++i) {
    const Vec3 at = spots[i];
    const float lean = -12.0f + 12.0f * static_cast<float>(i);
    sweets.Frustum(0.3f, 0.3f, 11, 4, false, false,
                   Transform().RotateX(lean).Translate({at.x, at.y, 7}).Then(frame), {0.9f, 0, 1, 1});
    sweets.Frustum(3, 3, 1, 10, true, true,
                   Transform().Translate({0, 0, -0.5f}).RotateX(90).Translate({0, 0, 11}).RotateX(lean)
                       .Translate({at.x, at.y, 7}).Then(frame));
  }
}

}  // namespace

BsmModel MakeRailroadModel() {
  BsmMesh hull = CarMesh("Hull", "Scene Root", "sleeper_wood.tga");
  BsmMesh rails = CarMesh("rails", "Hull", "rail_metal.tga");
  AddTrack(hull, rails);

  BsmMesh wagon02 = CarMesh("wagon02", "Hull", "train_green.tga");
  BsmMesh wagon02Chassis = CarMesh("wagon02chassis", "wagon02", "train_black.tga");
  AddWagon(wagon02, wagon02Chassis, kWagon02Angle);
  BsmMesh lollipops = CarMesh("lollipopsinwagon", "wagon02", "lollipop.tga");
  AddWagonLollipops(lollipops, kWagon02Angle);

  BsmMesh wagon01 = CarMesh("wagon01", "Hull", "train_red.tga");
  BsmMesh wagon01Chassis = CarMesh("wagon01chassis", "wagon01", "train_black.tga");
  AddWagon(wagon01, wagon01Chassis, kWagon01Angle);
  BsmMesh teddy = CarMesh("teddy", "wagon01", "teddy_fur.tga");
  AddTeddy(teddy, kWagon01Angle);

  BsmMesh loco = CarMesh("loco", "Hull", "train_red.tga");
  loco.second = "env_sphere.tga";
  BsmMesh locoIron = CarMesh("locoblack", "loco", "train_black.tga");
  AddLoco(loco, locoIron);

  BsmModel model;
  model.meshes = {hull, rails, wagon02, wagon02Chassis, lollipops, wagon01, wagon01Chassis, teddy, loco, locoIron};
  const float reach = kRailroadRadius + 12;
  model.meshes.push_back(CollisionBox({-reach, -reach, 0}, {reach, reach, 25}, "sleeper_wood.tga"));

  BsmHelper steam;
  steam.name = "emit locosteam";
  steam.parentMesh = "wagon01";
  // The train animation lifts the steam 7 units above its helper; this puts
  // the first puffs just over the chimney's lip.
  steam.position = ChimneyTop();
  steam.position.z -= 6.0f;
  steam.kind = 2;
  model.helpers.push_back(steam);
  return model;
}

}  // namespace content
