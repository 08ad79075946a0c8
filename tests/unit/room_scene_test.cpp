#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "lightmap_baker.h"
#include "mesh_builder.h"
#include "room_layout.h"
#include "room_scene.h"
#include "room_textures.h"

namespace {

using content::Vec3;
namespace layout = content::layout;

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }

// The saver's reading of a stored key: conjugate, then rotate -Z and +Y.
Vec3 Rotate(content::Quat q, Vec3 v) {
  const Vec3 u{q.x, q.y, q.z};
  const Vec3 a = Cross(u, v), b = Cross(u, a);
  return {v.x + 2 * (q.w * a.x + b.x), v.y + 2 * (q.w * a.y + b.y), v.z + 2 * (q.w * a.z + b.z)};
}
content::Quat Conjugate(content::Quat q) { return {-q.x, -q.y, -q.z, q.w}; }

struct Box {
  Vec3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
  void Add(Vec3 p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
  }
  bool Contains(Vec3 p, float grow) const {
    return p.x > lo.x - grow && p.x < hi.x + grow && p.y > lo.y - grow && p.y < hi.y + grow && p.z > lo.z - grow &&
           p.z < hi.z + grow;
  }
};

Box BoundsOf(const content::BssMeshObject& object) {
  Box box;
  for (const Vec3& p : object.positions) box.Add(p);
  return box;
}

const content::RoomScene& Room() {
  static const content::RoomScene room = content::BuildRoomScene();
  return room;
}

bool IsOutdoor(const content::BssMeshObject& object) { return object.lightmap.empty(); }

TEST(RoomScene, RoomComesFirstAndParentsEveryOtherObject) {
  const auto& objects = Room().scene.objects;
  ASSERT_GE(objects.size(), 28u);
  EXPECT_LE(objects.size(), 40u);
  EXPECT_EQ(objects[0].name, "room");
  EXPECT_EQ(objects[0].parentName, "Scene Root");
  std::set<std::string> names;
  int glass = 0;
  for (size_t i = 1; i < objects.size(); ++i) {
    EXPECT_EQ(objects[i].parentName, "room") << objects[i].name;
    glass += objects[i].name == "glass";
  }
  for (const auto& o : objects) EXPECT_TRUE(names.insert(o.name).second) << "two objects named " << o.name;
  EXPECT_EQ(glass, 1);
}

TEST(RoomScene, MaterialsUseOnlyGeneratedTexturesAndBakedLightmaps) {
  std::set<std::string> textures;
  for (const auto& t : content::MakeRoomTextures()) textures.insert(t.name);
  const content::RoomScene& room = Room();
  const std::set<std::string> lightmaps(room.lightmapNames.begin(), room.lightmapNames.end());
  EXPECT_EQ(lightmaps.size(), room.lightmapNames.size()) << "two objects share a lightmap name";
  for (size_t i = 0; i < room.scene.objects.size(); ++i) {
    const auto& o = room.scene.objects[i];
    for (const auto& m : o.materials) {
      EXPECT_TRUE(textures.count(m.diffuse)) << o.name << " uses " << m.diffuse;
      if (!m.illumination.empty()) EXPECT_TRUE(textures.count(m.illumination)) << o.name;
      EXPECT_TRUE(m.second.empty());
    }
    const int chart = room.chartOfObject[i];
    if (o.lightmap.empty()) {
      EXPECT_EQ(chart, -1) << o.name;
      continue;
    }
    ASSERT_GE(chart, 0) << o.name;
    EXPECT_EQ(room.lightmapNames[chart], o.lightmap);
    std::string expected = "lm_" + o.name + ".tga";
    std::replace(expected.begin(), expected.end(), ' ', '_');
    EXPECT_EQ(o.lightmap, expected);
  }
  // The landscape, the glass and the additive bulbs go without; the rest of
  // the interior is lightmapped.
  for (const auto& o : room.scene.objects) {
    const bool unlit = o.name == "glass" || o.name == "fairy lights" || o.materials[0].diffuse == "snow_ground.tga" ||
                       o.materials[0].diffuse == "fir_silhouette.tga" || o.materials[0].diffuse == "night_sky.tga" ||
                       o.materials[0].diffuse == "moon.tga";
    EXPECT_EQ(o.lightmap.empty(), unlit) << o.name;
  }
}

TEST(RoomScene, FacesRunsAndNormalsAgree) {
  size_t triangles = 0;
  for (const auto& o : Room().scene.objects) {
    triangles += o.faces.size();
    ASSERT_EQ(o.texFaces.size(), o.faces.size()) << o.name;
    ASSERT_EQ(o.lightmapFaces.size(), o.faces.size()) << o.name;
    ASSERT_EQ(o.normals.size(), 3 * o.faces.size()) << o.name;
    uint32_t next = 0;
    for (const auto& m : o.materials) {
      EXPECT_EQ(m.firstVertex, next) << o.name << ": runs must follow each other";
      EXPECT_EQ(m.vertexCount % 3, 0u);
      EXPECT_GT(m.vertexCount, 0u);
      next = m.firstVertex + m.vertexCount;
    }
    EXPECT_EQ(next, 3 * o.faces.size()) << o.name;
    for (size_t f = 0; f < o.faces.size(); ++f) {
      for (int c = 0; c < 3; ++c) {
        ASSERT_LT(o.faces[f][c], o.positions.size());
        ASSERT_LT(o.texFaces[f][c], o.texCoords.size());
        ASSERT_LT(o.lightmapFaces[f][c], o.lightmapCoords.size());
      }
      // Counter-clockwise seen from the side the normal points to.
      const Vec3 a = o.positions[o.faces[f][0]], b = o.positions[o.faces[f][1]], c = o.positions[o.faces[f][2]];
      const Vec3 n = Cross(Sub(b, a), Sub(c, a));
      EXPECT_GT(Length(n), 0.0f) << o.name << " has a degenerate triangle";
      EXPECT_GT(Dot(n, o.normals[3 * f]), 0.0f) << o.name;
      EXPECT_NEAR(Length(o.normals[3 * f]), 1.0f, 1e-3f);
    }
  }
  EXPECT_LT(triangles, 6000u);
}

TEST(RoomScene, SurfacesFaceIntoTheRoom) {
  const auto& room = Room().scene.objects[0];
  for (size_t f = 0; f < room.faces.size(); ++f) {
    const Vec3 p = room.positions[room.faces[f][0]], n = room.normals[3 * f];
    // From the room's middle each shell face is seen from its front.
    const Vec3 centre{0, 0, 160};
    bool reveal = false;  // the reveals face into the openings
    for (int c = 0; c < 3; ++c) reveal = reveal || room.positions[room.faces[f][c]].x > layout::kEastX + 1;
    if (reveal) continue;
    EXPECT_LT(Dot(Sub(p, centre), n), 0.0f) << "face " << f;
  }
}

TEST(RoomScene, LightmapRectanglesStayInTheirChartsApart) {
  const content::RoomScene& room = Room();
  for (size_t i = 0; i < room.scene.objects.size(); ++i) {
    const auto& o = room.scene.objects[i];
    if (o.lightmap.empty()) continue;
    const int size = room.bake.charts[room.chartOfObject[i]].width;
    EXPECT_EQ(size, room.bake.charts[room.chartOfObject[i]].height);
    EXPECT_TRUE(size == 64 || size == 128 || size == 256) << o.name << " chart " << size;
    // Each quad is two triangles in a row; its texels form one rectangle.
    struct Rect {
      float x0, y0, x1, y1;
    };
    std::vector<Rect> rects;
    for (size_t f = 0; f + 1 < o.faces.size(); f += 2) {
      Rect r{1e9f, 1e9f, -1e9f, -1e9f};
      for (size_t k = f; k < f + 2; ++k)
        for (int c = 0; c < 3; ++c) {
          const Vec3 uv = o.lightmapCoords[o.lightmapFaces[k][c]];
          ASSERT_GE(uv.x, 0.0f);
          ASSERT_LE(uv.x, 1.0f);
          ASSERT_GE(uv.y, 0.0f);
          ASSERT_LE(uv.y, 1.0f);
          r = {std::min(r.x0, uv.x * size), std::min(r.y0, uv.y * size), std::max(r.x1, uv.x * size),
               std::max(r.y1, uv.y * size)};
        }
      rects.push_back(r);
    }
    // Rectangles keep at least two texels of padding between them.
    for (size_t a = 0; a < rects.size(); ++a)
      for (size_t b = a + 1; b < rects.size(); ++b) {
        const Rect &p = rects[a], &q = rects[b];
        const bool apart = p.x1 + 2 <= q.x0 || q.x1 + 2 <= p.x0 || p.y1 + 2 <= q.y0 || q.y1 + 2 <= p.y0;
        EXPECT_TRUE(apart) << o.name << ": quads " << a << " and " << b << " overlap in the lightmap";
      }
  }
}

TEST(RoomScene, BakeRequestCoversEveryTriangle) {
  const content::RoomScene& room = Room();
  size_t triangles = 0;
  for (const auto& o : room.scene.objects) triangles += o.faces.size();
  ASSERT_EQ(room.bake.triangles.size(), triangles);
  EXPECT_EQ(room.bake.charts.size(), room.lightmapNames.size());
  size_t t = 0;
  for (size_t i = 0; i < room.scene.objects.size(); ++i) {
    const auto& o = room.scene.objects[i];
    for (size_t f = 0; f < o.faces.size(); ++f, ++t) {
      const content::BakeTriangle& bake = room.bake.triangles[t];
      EXPECT_EQ(bake.chart, room.chartOfObject[i]);
      if (o.lightmap.empty()) EXPECT_FALSE(bake.castsShadow) << o.name;
      EXPECT_FLOAT_EQ(bake.corners[1].x, o.positions[o.faces[f][1]].x);
    }
  }
  int moon = 0;
  for (const auto& light : room.bake.lights) {
    if (!light.directional) continue;
    ++moon;
    EXPECT_LT(light.direction.x, -0.5f) << "the moon shines in from the east";
    EXPECT_LT(light.direction.z, 0.0f);
    EXPECT_GT(light.colour.b, light.colour.r) << "moonlight is cool";
  }
  EXPECT_EQ(moon, 1);
  EXPECT_GE(room.bake.lights.size(), 5u);
}

// The baked room reads as lit at night: no chart black, none washed out, and
// the floor warmer than it is blue except in the moonlight.
TEST(RoomScene, BakedLightmapsAreNeitherBlackNorBlownOut) {
  const content::RoomScene& room = Room();
  const std::vector<content::RgbaImage> maps = content::BakeLightmaps(room.bake);
  ASSERT_EQ(maps.size(), room.lightmapNames.size());
  for (size_t c = 0; c < maps.size(); ++c) {
    ASSERT_EQ(maps[c].width, room.bake.charts[c].width);
    double sum = 0, red = 0, blue = 0;
    for (size_t p = 0; p < maps[c].pixels.size(); p += 4) {
      sum += (maps[c].pixels[p] + maps[c].pixels[p + 1] + maps[c].pixels[p + 2]) / 3.0;
      red += maps[c].pixels[p];
      blue += maps[c].pixels[p + 2];
    }
    const double mean = sum / (maps[c].pixels.size() / 4) / 255;
    EXPECT_GT(mean, 0.08) << room.lightmapNames[c] << " is nearly black";
    if (room.lightmapNames[c] != "lm_firebox.tga") EXPECT_LT(mean, 0.75) << room.lightmapNames[c] << " is washed out";
    EXPECT_GT(red, blue) << room.lightmapNames[c] << " should read warm";
  }
}

TEST(RoomCameras, PathsAreLongSmoothLevelAndInsideTheRoom) {
  const content::RoomScene& room = Room();
  ASSERT_EQ(room.scene.cameras.size(), 5u);
  const Box shell = BoundsOf(room.scene.objects[0]);
  const float m = layout::kCameraMargin;
  for (size_t c = 0; c < room.scene.cameras.size(); ++c) {
    const auto& camera = room.scene.cameras[c];
    ASSERT_EQ(camera.positions.size(), 300u);
    ASSERT_EQ(camera.rotations.size(), 300u);
    ASSERT_EQ(camera.fovs.size(), 300u);
    float travelled = 0;
    for (size_t k = 0; k < 300; ++k) {
      const Vec3 p = camera.positions[k];
      EXPECT_TRUE(p.x > shell.lo.x + m && p.x < shell.hi.x - m && p.y > shell.lo.y + m && p.y < shell.hi.y - m &&
                  p.z > shell.lo.z + m && p.z < shell.hi.z - m)
          << "camera " << c << " key " << k;
      const content::Quat q = camera.rotations[k];
      EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1.0f, 1e-4f);
      const Vec3 forward = Rotate(Conjugate(q), {0, 0, -1}), up = Rotate(Conjugate(q), {0, 1, 0});
      const Vec3 right = Cross(forward, up);
      EXPECT_NEAR(right.z, 0.0f, 1e-3f) << "camera " << c << " key " << k << " rolls";
      EXPECT_GT(up.z, 0.5f) << "camera " << c << " key " << k;
      const float degrees = camera.fovs[k] * 28.648735f;
      EXPECT_GT(degrees, 40.0f);
      EXPECT_LT(degrees, 75.0f);
      if (k == 0) continue;
      const Vec3 step = Sub(p, camera.positions[k - 1]);
      travelled += Length(step);
      EXPECT_LT(Length(step), 7.0f) << "camera " << c << " jumps at key " << k;
      if (k >= 2) {
        const Vec3 before = Sub(camera.positions[k - 1], camera.positions[k - 2]);
        EXPECT_LT(Length(Sub(step, before)), 0.4f) << "camera " << c << " jerks at key " << k;
      }
      const Vec3 previous = Rotate(Conjugate(camera.rotations[k - 1]), {0, 0, -1});
      EXPECT_GT(Dot(forward, previous), std::cos(1.5f * 3.14159265f / 180)) << "camera " << c << " swings at " << k;
    }
    EXPECT_GT(travelled, 150.0f) << "camera " << c << " hardly moves";
  }
}

TEST(RoomCameras, KeysKeepClearOfGeometryAndFurniture) {
  const content::RoomScene& room = Room();
  std::vector<std::pair<std::string, Box>> solids;
  for (size_t i = 1; i < room.scene.objects.size(); ++i)
    if (!IsOutdoor(room.scene.objects[i]) || room.scene.objects[i].name == "fairy lights")
      solids.push_back({room.scene.objects[i].name, BoundsOf(room.scene.objects[i])});
  const auto footprints = layout::FurnitureFootprints();
  for (size_t c = 0; c < room.scene.cameras.size(); ++c)
    for (size_t k = 0; k < 300; ++k) {
      const Vec3 p = room.scene.cameras[c].positions[k];
      for (const auto& solid : solids)
        EXPECT_FALSE(solid.second.Contains(p, 8)) << "camera " << c << " key " << k << " in " << solid.first;
      for (const auto& f : footprints)
        EXPECT_FALSE(layout::InsideFootprint(f, p)) << "camera " << c << " key " << k << " in the " << f.what;
    }
}

TEST(RoomCameras, ClockPathRestsOnTheClock) {
  const auto& camera = Room().scene.cameras[3];
  int resting = 0;
  for (size_t k = 1; k < 300; ++k) {
    const Vec3 p = camera.positions[k];
    const Vec3 forward = Rotate(Conjugate(camera.rotations[k]), {0, 0, -1});
    const Vec3 toClock = Sub(layout::kClockPosition, p);
    const bool onClock = Dot(forward, toClock) / Length(toClock) > std::cos(3 * 3.14159265f / 180);
    if (onClock && Length(Sub(p, camera.positions[k - 1])) < 1.0f) ++resting;
  }
  EXPECT_GE(resting, 60) << "keys looking at the clock while barely moving";
}

TEST(RoomScene, LandscapeStaysWithinTheFarPlaneOfEveryCamera) {
  const content::RoomScene& room = Room();
  for (const auto& o : room.scene.objects) {
    if (!IsOutdoor(o) || o.name == "glass" || o.name == "fairy lights" || o.materials[0].diffuse == "snow_ground.tga")
      continue;
    for (const auto& camera : room.scene.cameras)
      for (size_t k = 0; k < camera.positions.size(); k += 10)
        for (const Vec3& p : o.positions) ASSERT_LT(Length(Sub(p, camera.positions[k])), 3000.0f) << o.name;
    for (const Vec3& p : o.positions)
      EXPECT_FALSE(BoundsOf(room.scene.objects[0]).Contains(p, 0)) << o.name << " reaches into the room";
  }
}

// The distance along a ray to a triangle, or a negative number for a miss.
float RayHitsTriangle(Vec3 origin, Vec3 direction, Vec3 a, Vec3 b, Vec3 c) {
  const Vec3 e1 = Sub(b, a), e2 = Sub(c, a);
  const Vec3 p = Cross(direction, e2);
  const float det = Dot(e1, p);
  if (std::fabs(det) < 1e-6f) return -1;
  const Vec3 t = Sub(origin, a);
  const float u = Dot(t, p) / det;
  if (u < 0 || u > 1) return -1;
  const Vec3 q = Cross(t, e1);
  const float v = Dot(direction, q) / det;
  if (v < 0 || u + v > 1) return -1;
  return Dot(e2, q) / det;
}

// Every line of sight from where a camera may stand out through the panes
// ends on the landscape within the far plane: nothing beyond the sky's edge
// shows as the bare clear colour through the glass.
TEST(RoomScene, EveryViewThroughTheGlassEndsOnTheLandscape) {
  const content::RoomScene& room = Room();
  std::vector<const content::BssMeshObject*> outdoor;
  const content::BssMeshObject* glass = nullptr;
  for (const auto& o : room.scene.objects) {
    if (o.name == "glass") glass = &o;
    else if (IsOutdoor(o) && o.name != "fairy lights") outdoor.push_back(&o);
  }
  ASSERT_NE(glass, nullptr);
  ASSERT_FALSE(outdoor.empty());
  const float m = layout::kCameraMargin;
  std::vector<Vec3> eyes;
  for (float x : {layout::kWestX + m, 0.0f, layout::kEastX - m})
    for (float y : {layout::kSouthY + m, 0.0f, layout::kNorthY - m})
      for (float z : {m, layout::kCeilingZ - m}) eyes.push_back({x, y, z});
  for (const auto& camera : room.scene.cameras)
    for (size_t k = 0; k < camera.positions.size(); k += 25) eyes.push_back(camera.positions[k]);
  // Points just inside each pane triangle, towards its corners and middle.
  std::vector<Vec3> panes;
  for (const auto& face : glass->faces) {
    const Vec3 a = glass->positions[face[0]], b = glass->positions[face[1]], c = glass->positions[face[2]];
    const Vec3 middle{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
    panes.push_back(middle);
    for (const Vec3& corner : {a, b, c})
      panes.push_back({middle.x + 0.95f * (corner.x - middle.x), middle.y + 0.95f * (corner.y - middle.y),
                       middle.z + 0.95f * (corner.z - middle.z)});
  }
  int misses = 0;
  for (const Vec3& eye : eyes)
    for (const Vec3& pane : panes) {
      const Vec3 way = Sub(pane, eye);
      const float length = Length(way);
      const Vec3 direction{way.x / length, way.y / length, way.z / length};
      float nearest = 1e30f;
      for (const auto* o : outdoor)
        for (const auto& face : o->faces) {
          const float t = RayHitsTriangle(eye, direction, o->positions[face[0]], o->positions[face[1]],
                                          o->positions[face[2]]);
          if (t > length && t < nearest) nearest = t;
        }
      if (nearest > 2950.0f && ++misses <= 5)
        ADD_FAILURE() << "from " << eye.x << "," << eye.y << "," << eye.z << " through " << pane.x << "," << pane.y
                      << "," << pane.z << (nearest > 1e29f ? " nothing" : " too far");
    }
  EXPECT_EQ(misses, 0);
}

// Cut-outs and the moon's soft halo blend over what is already drawn and
// write depth where they show at all, so the landscape goes back to front.
TEST(RoomScene, LandscapeIsDrawnBackToFront) {
  const auto& objects = Room().scene.objects;
  auto indexOf = [&](const std::string& name) {
    for (size_t i = 0; i < objects.size(); ++i)
      if (objects[i].name == name) return static_cast<int>(i);
    ADD_FAILURE() << "no " << name;
    return -1;
  };
  const int sky = indexOf("night sky"), moon = indexOf("moon"), ground = indexOf("snow ground");
  EXPECT_LT(sky, moon);
  EXPECT_LT(moon, ground);
  float previousX = 1e9f;
  int previous = ground;
  for (const char* name : {"firs farthest", "firs far", "firs middle", "firs near"}) {
    const int i = indexOf(name);
    ASSERT_GE(i, 0);
    EXPECT_GT(i, previous) << name;
    const float x = objects[i].positions.front().x;
    EXPECT_LT(x, previousX) << name << " should be nearer than the row before it";
    previous = i;
    previousX = x;
  }
}

TEST(RoomPlacements, HelpersAndTheSceneLight) {
  const content::RoomScene& room = Room();
  const auto& instances = room.scene.instances;
  EXPECT_GE(instances.size(), 28u);
  int candles = 0, snow = 0;
  std::set<std::string> names;
  for (const auto& i : instances) {
    names.insert(i.name);
    EXPECT_EQ(i.positions.size(), 1u) << i.name;
    EXPECT_EQ(i.rotations.size(), 1u) << i.name;
    EXPECT_EQ(i.holdCount, 0u);
    EXPECT_EQ(i.parentName, "room");
    const content::Quat q = i.rotations[0];
    EXPECT_NEAR(q.z * q.z + q.w * q.w, 1.0f, 1e-4f) << i.name << " turns about z only";
    EXPECT_TRUE(i.name.rfind("instance ", 0) == 0 || i.name.rfind("emit ", 0) == 0) << i.name;
    EXPECT_EQ(i.type, i.name.rfind("emit ", 0) == 0 ? 2u : i.name == "instance fireplace_fire" ? 4u : 3u) << i.name;
    candles += i.name == "instance candle";
    snow += i.name == "emit snowfall";
    const Vec3 p = i.positions[0];
    if (i.name == "emit snowfall") {
      EXPECT_GT(p.x, layout::kEastX);
    } else {
      EXPECT_TRUE(p.x > layout::kWestX && p.x < layout::kEastX && p.y > layout::kSouthY && p.y < layout::kNorthY)
          << i.name;
    }
  }
  EXPECT_EQ(candles, 7);
  EXPECT_EQ(snow, 2);
  for (const char* n : {"instance fir", "instance railroad", "instance Clock", "instance present01",
                        "instance present04", "instance fireplace_fire", "emit fire", "emit redfirglow",
                        "emit yelfirglow", "emit grefirglow", "instance lamp", "instance armchair"})
    EXPECT_TRUE(names.count(n)) << n;

  ASSERT_EQ(room.scene.lights.size(), 1u);
  const content::BssLight& light = room.scene.lights[0];
  EXPECT_LE(light.names.size(), 39u);
  EXPECT_EQ(std::count(light.names.begin(), light.names.end(), "instance candle"), 7);
  EXPECT_GT(light.r, light.b);
  EXPECT_NEAR(light.range, 300, 50);
  EXPECT_LT(Length(Sub(light.position, {0, layout::kNorthY, 50})), 120.0f) << "near the fireplace";
}

TEST(MeshBuilder, BoxFacesPointOutAndChartsGrowWithArea) {
  content::MeshBuilder builder("test box", true);
  const int m = builder.Material({"brick.tga"});
  builder.Box(m, {0, 0, 0}, {100, 50, 20}, content::kAllFaces, 60, 60);
  builder.Rect(m, content::Axis::Z, true, 40, 200, 210, 0, 10, 60, 60);
  const content::BuiltObject built = builder.Finish();
  ASSERT_EQ(built.mesh.faces.size(), 14u);
  const Vec3 centre{50, 25, 10};
  for (size_t f = 0; f < 12; ++f) {
    const Vec3 p = built.mesh.positions[built.mesh.faces[f][0]];
    EXPECT_GT(Dot(Sub(p, centre), built.mesh.normals[3 * f]), 0.0f);
  }
  ASSERT_EQ(built.chartRects.size(), 7u);
  // The 100 x 50 faces take more texels than the 50 x 20 ends and the 10 x 10 patch.
  auto area = [&](size_t i) { return built.chartRects[i].width * built.chartRects[i].height; };
  EXPECT_GT(area(4), area(0));
  EXPECT_GT(area(0), area(6));
  EXPECT_EQ(built.mesh.lightmap, "lm_test_box.tga");
  // World-unit tiling: the top face's u spans its 100 units over a 60 tile.
  float lowU = 1e9f, highU = -1e9f;
  for (int c = 0; c < 3; ++c) {
    const float u = built.mesh.texCoords[built.mesh.texFaces[10][c]].x;
    lowU = std::min(lowU, u);
    highU = std::max(highU, u);
  }
  EXPECT_NEAR(highU - lowU, 100.0f / 60, 1e-3f);
}

}  // namespace
