#include "room_scene.h"

#include <cmath>
#include <set>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

BakeLight Point(Vec3 position, Colour colour, float radius, float range) {
  BakeLight light;
  light.position = position;
  light.colour = colour;
  light.radius = radius;
  light.range = range;
  return light;
}

// See-through or cut-out surfaces that should not darken what lies behind.
bool CastsShadow(const std::string& name) {
  static const std::set<std::string> clear = {"glass", "fireguard", "garland", "fairy lights"};
  return clear.count(name) == 0;
}

}  // namespace

std::vector<BakeLight> RoomBakeLights() {
  std::vector<BakeLight> lights;
  // The fire, low and close to the firebox's back wall: a strong amber glow
  // that falls off quickly, so the pool before the hearth is bright while
  // the ceiling, three metres of light path away through the opening, gets
  // only a soft warm wash.
  lights.push_back(Point({0, kFireboxBackY - 12, 26}, {3.4f, 1.5f, 0.5f}, 10, 200));
  // The tree's lights in a soft mixed glow around its middle.
  lights.push_back(Point({kTreeCentre.x + 35, kTreeCentre.y - 35, 120}, {1.05f, 0.62f, 0.42f}, 60, 240));
  // The floor lamp beside the armchair, at the open bottom of its shade:
  // its pool falls on the chair and the floor more than on the ceiling.
  lights.push_back(Point({kLampPosition.x, kLampPosition.y, 120}, {1.0f, 0.7f, 0.38f}, 18, 210));
  // The candles: on the mantel, and one on each sill.
  lights.push_back(Point({0, 352, kMantelTopZ + 20}, {0.85f, 0.54f, 0.22f}, 20, 170));
  for (float y : kWindowCentresY)
    lights.push_back(Point({kEastX - 12, y + (y < 0 ? -40.0f : 40.0f), kSillZ + 16}, {0.35f, 0.22f, 0.09f}, 4, 90));
  // Moonlight through the east windows, cool and angled down.
  BakeLight moon;
  moon.directional = true;
  const float length = std::sqrt(0.85f * 0.85f + 0.2f * 0.2f + 0.45f * 0.45f);
  moon.direction = {-0.85f / length, 0.2f / length, -0.45f / length};
  moon.colour = {0.36f, 0.48f, 0.8f};
  moon.radius = 0.02f;
  lights.push_back(moon);
  return lights;
}

RoomScene BuildRoomScene() {
  std::vector<MeshBuilder> builders = BuildRoomShell();
  // The shell's glass goes last of all; the fireplace and decor follow the
  // shell's other pieces, the landscape after the interior.
  MeshBuilder glass = builders.back();
  builders.pop_back();
  for (auto* part : {&BuildFireplace, &BuildDecor}) {
    std::vector<MeshBuilder> more = (*part)();
    builders.insert(builders.end(), more.begin(), more.end());
  }
  std::vector<MeshBuilder> outdoor = BuildOutdoor();
  const size_t firstOutdoor = builders.size();
  builders.insert(builders.end(), outdoor.begin(), outdoor.end());
  builders.push_back(glass);

  RoomScene room;
  room.bake.lights = RoomBakeLights();
  room.bake.ambient = {0.29f, 0.236f, 0.184f, 1};
  room.bake.occlusionDistance = 70;
  room.bake.occlusionRays = 32;
  room.bake.shadowRays = 8;
  room.bake.seed = 1224;
  for (size_t i = 0; i < builders.size(); ++i) {
    BuiltObject built = builders[i].Finish();
    built.mesh.parentName = i == 0 ? "Scene Root" : "room";
    int chart = -1;
    if (built.chartSize > 0) {
      chart = static_cast<int>(room.bake.charts.size());
      room.bake.charts.push_back({built.chartSize, built.chartSize});
      room.lightmapNames.push_back(built.mesh.lightmap);
    }
    const bool outside = i >= firstOutdoor && builders[i].Name() != "glass";
    for (BakeTriangle& t : built.bakeTriangles) {
      t.chart = chart;
      t.castsShadow = !outside && CastsShadow(builders[i].Name());
      room.bake.triangles.push_back(t);
    }
    room.chartOfObject.push_back(chart);
    room.scene.objects.push_back(std::move(built.mesh));
  }
  room.scene.cameras = BuildCameras();
  room.scene.instances = BuildPlacements();
  room.scene.lights = {BuildSceneLight()};
  return room;
}

}  // namespace content
