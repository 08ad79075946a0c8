// The centrepiece models: node names and parents the saver looks up, the
// helpers it drives, pivots that make the train and the clock hands turn
// correctly, texture names that exist, budgets and well-formed records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "bsm_writer.h"
#include "model_builder.h"
#include "models_centrepiece.h"
#include "room_models.h"

namespace content {
namespace {

const std::map<std::string, BsmModel>& Models() {
  static const std::map<std::string, BsmModel> models = [] {
    std::map<std::string, BsmModel> byName;
    for (NamedModel& named : MakeCentrepieceModels()) byName[named.name] = named.model;
    return byName;
  }();
  return models;
}

const BsmMesh* FindMesh(const BsmModel& model, const std::string& name) {
  for (const BsmMesh& mesh : model.meshes)
    if (mesh.name == name) return &mesh;
  return nullptr;
}

// Turns a point about +Z or +Y through the origin, right-handed, as the saver
// turns its nodes.
Vec3 TurnZ(Vec3 p, float degrees) {
  const float a = degrees * 3.14159265f / 180, c = std::cos(a), s = std::sin(a);
  return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}
Vec3 TurnY(Vec3 p, float degrees) {
  const float a = degrees * 3.14159265f / 180, c = std::cos(a), s = std::sin(a);
  return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
}

float Radial(Vec3 p) { return std::hypot(p.x, p.y); }

TEST(CentrepieceModels, MeshesHaveTheNamesAndParentsTheSaverLooksFor) {
  const std::map<std::string, std::map<std::string, std::string>> expected = {
      {"fir", {{"Hull", "Scene Root"}, {"foliage", "Hull"}, {"lollipops", "Hull"}, {"firdecor", "Hull"},
               {"firtrunk", "Hull"}, {"firtoys", "Hull"}, {"CollMesh", "Scene Root"}}},
      {"railroad", {{"Hull", "Scene Root"}, {"wagon02", "Hull"}, {"lollipopsinwagon", "wagon02"}, {"wagon01", "Hull"},
                    {"teddy", "wagon01"}, {"loco", "Hull"}, {"CollMesh", "Scene Root"}}},
      {"Clock", {{"Hull", "Scene Root"}, {"Arrow01", "Hull"}, {"Arrow02", "Hull"}, {"Arrow03", "Hull"},
                 {"CollMesh", "Scene Root"}}},
      {"candle", {{"Hull", "Scene Root"}, {"candlewax", "Hull"}}},
      {"firewood", {{"Hull", "Scene Root"}, {"firewood_core", "Hull"}}},
      {"lightchain", {{"Hull", "Scene Root"}}},
  };
  ASSERT_EQ(Models().size(), expected.size());
  for (const auto& [modelName, meshes] : expected) {
    SCOPED_TRACE(modelName);
    ASSERT_TRUE(Models().count(modelName));
    const BsmModel& model = Models().at(modelName);
    for (const auto& [meshName, parent] : meshes) {
      const BsmMesh* mesh = FindMesh(model, meshName);
      ASSERT_NE(mesh, nullptr) << meshName;
      EXPECT_EQ(mesh->parentName, parent) << meshName;
    }
    // Every drawn mesh must reach "Hull" through its parents; only the
    // collision box may hang elsewhere under the root.
    for (const BsmMesh& mesh : model.meshes) {
      if (mesh.name == "CollMesh" || mesh.name == "Hull") continue;
      std::string up = mesh.parentName;
      for (int depth = 0; depth < 8 && up != "Hull"; ++depth) {
        const BsmMesh* parent = FindMesh(model, up);
        ASSERT_NE(parent, nullptr) << mesh.name << " hangs from missing " << up;
        up = parent->parentName;
      }
      EXPECT_EQ(up, "Hull") << mesh.name;
    }
  }
}

TEST(CentrepieceModels, RecordsAreConsistentAndTheEncodedCountsMatch) {
  for (const auto& [name, model] : Models()) {
    SCOPED_TRACE(name);
    for (const BsmMesh& mesh : model.meshes) {
      SCOPED_TRACE(mesh.name);
      ASSERT_FALSE(mesh.faces.empty());
      ASSERT_EQ(mesh.texFaces.size(), mesh.faces.size());
      ASSERT_EQ(mesh.normals.size(), mesh.faces.size() * 3);
      for (size_t f = 0; f < mesh.faces.size(); ++f)
        for (int k = 0; k < 3; ++k) {
          ASSERT_LT(mesh.faces[f][k], mesh.positions.size());
          ASSERT_LT(mesh.texFaces[f][k], mesh.texCoords.size());
          const Vec3 n = mesh.normals[f * 3 + k];
          ASSERT_TRUE(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z));
          ASSERT_NEAR(Length(n), 1.0f, 1e-3f);
        }
    }
    // Walk the encoded bytes record by record: every size read back must
    // land the next record exactly where it starts.
    const std::vector<uint8_t> bytes = EncodeBsm(model);
    size_t at = 0;
    auto u32 = [&] {
      uint32_t v = 0;
      EXPECT_LT(at + 3, bytes.size());
      if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
      at += 4;
      return v;
    };
    auto str = [&] {
      const uint32_t length = u32();
      std::string text(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
      at += length;
      return text;
    };
    ASSERT_EQ(u32(), model.meshes.size());
    for (const BsmMesh& mesh : model.meshes) {
      EXPECT_EQ(str(), mesh.diffuse);
      at += 8;
      if (bytes.at(at++)) EXPECT_EQ(str(), mesh.second);
      if (bytes.at(at++)) EXPECT_EQ(str(), mesh.third);
      EXPECT_EQ(str(), mesh.name);
      EXPECT_EQ(str(), mesh.parentName);
      const uint32_t positions = u32(), faces = u32(), texCoords = u32(), texFaces = u32();
      EXPECT_EQ(faces, texFaces);
      at += 12 + 12 * positions + 12 * faces + 12 * texCoords + 12 * texFaces + 36 * faces;
    }
    ASSERT_EQ(u32(), model.helpers.size());
    for (const BsmHelper& helper : model.helpers) {
      at += 12;
      EXPECT_EQ(str(), helper.name);
      EXPECT_EQ(str(), helper.parentMesh);
      at += 20;
    }
    EXPECT_EQ(at, bytes.size());
  }
}

TEST(CentrepieceModels, TexturesAreOnesTheGeneratorMakesAndBudgetsHold) {
  std::set<std::string> known = {"mantel_wood.tga", "beam_wood.tga", "brick.tga", "curtain_fabric.tga", "frame_gold.tga"};
  for (const NamedTexture& texture : MakeModelTextures()) known.insert(texture.name);
  size_t total = 0;
  for (const auto& [name, model] : Models()) {
    for (const BsmMesh& mesh : model.meshes) {
      EXPECT_TRUE(known.count(mesh.diffuse)) << name << "/" << mesh.name << " " << mesh.diffuse;
      if (!mesh.second.empty()) EXPECT_TRUE(known.count(mesh.second)) << mesh.second;
      if (!mesh.third.empty()) EXPECT_TRUE(known.count(mesh.third)) << mesh.third;
    }
    total += TriangleCount(model);
  }
  EXPECT_LE(TriangleCount(Models().at("fir")), 8000u);
  EXPECT_LE(TriangleCount(Models().at("railroad")), 3000u);
  for (const char* prop : {"Clock", "candle", "firewood", "lightchain"})
    EXPECT_LE(TriangleCount(Models().at(prop)), 1500u) << prop;
  EXPECT_LE(total, 14000u);
}

TEST(FirModel, StandsCentredWithItsSizeAndLightsSpreadOverTheBranches) {
  const BsmModel& fir = Models().at("fir");
  const Bounds foliage = MeshBounds(*FindMesh(fir, "foliage"));
  const Bounds all = ModelBounds(fir);
  EXPECT_NEAR(all.lo.z, 0, 0.5f);
  EXPECT_NEAR(all.hi.z, kFirHeight, 8);
  EXPECT_NEAR(foliage.hi.x - foliage.lo.x, 2 * kFirBaseRadius, 30);
  EXPECT_NEAR((foliage.hi.x + foliage.lo.x) / 2, 0, 8);
  EXPECT_NEAR((foliage.hi.y + foliage.lo.y) / 2, 0, 8);

  const char* colours[5] = {"emit red_firlight", "emit gre_firlight", "emit blu_firlight", "emit yel_firlight",
                            "emit vio_firlight"};
  ASSERT_EQ(fir.helpers.size(), 72u);
  int quadrants[4] = {0, 0, 0, 0};
  int heightBands[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < fir.helpers.size(); ++i) {
    const BsmHelper& light = fir.helpers[i];
    EXPECT_EQ(light.name, colours[i % 5]);
    EXPECT_EQ(light.kind, 2);
    EXPECT_EQ(light.parentMesh, "Hull");
    const Vec3 p = light.position;
    EXPECT_GT(Radial(p), kFirTrunkRadius + 2) << i;
    EXPECT_LE(Radial(p), std::max(foliage.hi.x, foliage.hi.y) + 5) << i;
    EXPECT_GT(p.z, foliage.lo.z);
    EXPECT_LT(p.z, foliage.hi.z);
    ++quadrants[(p.x >= 0 ? 1 : 0) + (p.y >= 0 ? 2 : 0)];
    ++heightBands[std::min(3, static_cast<int>(4 * (p.z - foliage.lo.z) / (foliage.hi.z - foliage.lo.z)))];
  }
  for (int q = 0; q < 4; ++q) EXPECT_GE(quadrants[q], 10) << "quadrant " << q;
  for (int band = 0; band < 4; ++band) EXPECT_GE(heightBands[band], 6) << "height band " << band;
  EXPECT_EQ(FindMesh(fir, "firtoys")->second, "env_sphere.tga");
}

TEST(RailroadModel, CarsTurnAboutTheAxisAndStayOnTheTrack) {
  const BsmModel& railroad = Models().at("railroad");
  ASSERT_FALSE(railroad.helpers.empty());
  EXPECT_EQ(railroad.helpers.front().name, "emit locosteam");
  EXPECT_EQ(railroad.helpers.front().parentMesh, "wagon01");
  EXPECT_EQ(railroad.helpers.front().kind, 2);

  const Bounds track = MeshBounds(*FindMesh(railroad, "Hull"));
  EXPECT_GE(-track.lo.x, kRailroadRadius);
  EXPECT_LE(-track.lo.x, kRailroadRadius + 15);
  const Bounds firFoliage = MeshBounds(*FindMesh(Models().at("fir"), "foliage"));
  EXPECT_LT(firFoliage.hi.x, kRailroadRadius - 10);  // the ring clears the lowest tier

  for (const char* car : {"loco", "wagon01", "wagon02", "teddy", "lollipopsinwagon"}) {
    SCOPED_TRACE(car);
    const BsmMesh& mesh = *FindMesh(railroad, car);
    EXPECT_EQ(Length(mesh.pivot), 0.0f);
    for (float turn : {0.0f, 73.0f, 190.0f}) {
      for (const Vec3& p : mesh.positions) {
        const Vec3 moved = TurnZ(p, turn);
        ASSERT_NEAR(Radial(moved), kRailroadRadius, 12);
        ASSERT_LT(moved.z, 25);
      }
    }
  }
  // The loco leads: counter-clockwise travel puts it ahead of the wagons.
  auto angleOf = [&](const char* car) {
    const Vec3 c = BoundsCentre(*FindMesh(railroad, car));
    return std::atan2(c.y, c.x) * 180 / 3.14159265f;
  };
  EXPECT_GT(angleOf("loco"), angleOf("wagon01"));
  EXPECT_GT(angleOf("wagon01"), angleOf("wagon02"));
  // Its chimney (where the steam comes out) is at the front, ahead of the cab.
  const Vec3 steam = railroad.helpers.front().position;
  const Vec3 loco = BoundsCentre(*FindMesh(railroad, "loco"));
  EXPECT_GT(std::atan2(steam.y, steam.x), std::atan2(loco.y, loco.x));
  EXPECT_NEAR(Radial(steam), kRailroadRadius, 2);
  // The train animation lifts the steam 7 units above its helper.
  EXPECT_GE(steam.z + 7, MeshBounds(*FindMesh(railroad, "loco")).hi.z);
}

TEST(ClockModel, HandsPointToTwelveAndSweepClockwiseAgainstTheNumerals) {
  const BsmModel& clock = Models().at("Clock");
  float previousGap = 0;
  for (const char* hand : {"Arrow02", "Arrow01", "Arrow03"}) {  // nearest the dial first
    SCOPED_TRACE(hand);
    const BsmMesh& mesh = *FindMesh(clock, hand);
    EXPECT_EQ(Length(mesh.pivot), 0.0f);
    const Bounds b = MeshBounds(mesh);
    EXPECT_GT(b.hi.z, 10);               // reaches up towards 12
    EXPECT_LT(b.hi.z, kClockRadius);
    EXPECT_LT(std::fabs(b.lo.x + b.hi.x), 0.2f);  // centred on the vertical
    EXPECT_GT(b.lo.y, previousGap);      // each in front of the last (towards +Y)
    previousGap = b.hi.y;
    // Turned as the saver turns it at a quarter past, the tip goes to -X.
    Vec3 tip{};
    for (const Vec3& p : mesh.positions)
      if (p.z > tip.z) tip = p;
    const Vec3 turned = TurnY(tip, -90);
    EXPECT_LT(turned.x, -10);
    EXPECT_NEAR(turned.z, 0, 1);
  }
  // The clock faces +Y, and seen from there -X is the viewer's right: the
  // dial's right edge (3 o'clock, u = 1) lies on -X.
  const BsmMesh& dial = *FindMesh(clock, "dial");
  for (size_t f = 0; f < dial.faces.size(); ++f)
    for (int k = 0; k < 3; ++k) {
      const Vec3 p = dial.positions[dial.faces[f][k]];
      const Vec3 uv = dial.texCoords[dial.texFaces[f][k]];
      if (std::fabs(p.x) > 10) EXPECT_EQ(uv.x > 0.5f, p.x < 0);
      if (std::fabs(p.z) > 10) EXPECT_EQ(uv.y > 0.5f, p.z > 0);
      EXPECT_GT(dial.normals[f * 3 + k].y, 0.99f);  // it faces +Y
    }
  const Bounds all = ModelBounds(clock);
  EXPECT_NEAR(all.hi.x - all.lo.x, 2 * kClockRadius, 8);
}

TEST(SmallProps, CandleFirewoodAndLightChainCarryTheirEffects) {
  const BsmModel& candle = Models().at("candle");
  for (const BsmMesh& mesh : candle.meshes) EXPECT_FALSE(mesh.third.empty()) << mesh.name;
  ASSERT_EQ(candle.helpers.size(), 1u);
  EXPECT_EQ(candle.helpers[0].name, "emit candle");
  EXPECT_EQ(candle.helpers[0].parentMesh, "Hull");
  const Bounds wax = MeshBounds(*FindMesh(candle, "candlewax"));
  EXPECT_GT(candle.helpers[0].position.z, wax.hi.z);
  EXPECT_LT(candle.helpers[0].position.z, wax.hi.z + 3);
  EXPECT_NEAR(ModelBounds(candle).lo.z, 0, 0.01f);

  const BsmModel& firewood = Models().at("firewood");
  const BsmMesh& logs = *FindMesh(firewood, "firewood_core");
  EXPECT_EQ(logs.scrollU, 0.0f);
  EXPECT_EQ(logs.scrollV, 0.5f);
  EXPECT_EQ(logs.third, "firewood_i.tga");
  const Bounds wood = ModelBounds(firewood);
  EXPECT_NEAR(wood.hi.x - wood.lo.x, 60, 8);
  EXPECT_NEAR(wood.lo.z, 0, 0.01f);

  const BsmModel& chain = Models().at("lightchain");
  ASSERT_EQ(chain.helpers.size(), 49u);
  const char* colours[4] = {"emit red_firlight", "emit yel_firlight", "emit gre_firlight", "emit blu_firlight"};
  float lastX = -1e9f;
  for (size_t i = 0; i < chain.helpers.size(); ++i) {
    EXPECT_EQ(chain.helpers[i].name, colours[i % 4]);
    EXPECT_EQ(chain.helpers[i].parentMesh, "Hull");
    EXPECT_GT(chain.helpers[i].position.x, lastX);
    lastX = chain.helpers[i].position.x;
  }
  EXPECT_LT(chain.helpers.front().position.x, -kLightChainHalfLength + 8);
  EXPECT_GT(chain.helpers.back().position.x, kLightChainHalfLength - 8);
}

TEST(ModelBuilder, SolidsFaceOutwardsEvenThroughMirroringTransforms) {
  for (bool mirror : {false, true}) {
    BsmMesh mesh;
    ModelBuilder builder(mesh);
    Transform t = Transform().Scale(Vec3{mirror ? -2.0f : 2.0f, 1, 1});
    builder.Box({-1, -1, -1}, {1, 1, 1}, t);
    builder.Sphere(1, 6, 8, t);
    builder.Frustum(1, 0.5f, 1, 8, true, true, Transform(t).Translate({0, 0, -0.5f}));
    builder.Torus(1, 0.3f, 12, 6, t);
    builder.Extrusion({{-1, -1}, {1, -1}, {0, 0}, {1, 1}, {-1, 1}}, 1, Transform(t).Translate({0, 0, -0.5f}));
    size_t checked = 0;
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
      const Vec3 corners[3] = {mesh.positions[mesh.faces[f][0]], mesh.positions[mesh.faces[f][1]],
                               mesh.positions[mesh.faces[f][2]]};
      const Vec3 wound = FaceNormal(corners);
      Vec3 averaged = mesh.normals[f * 3] + mesh.normals[f * 3 + 1] + mesh.normals[f * 3 + 2];
      EXPECT_GT(Dot(wound, averaged), 0) << "face " << f << (mirror ? " mirrored" : "");
      ++checked;
    }
    EXPECT_GT(checked, 200u);
  }
}

}  // namespace
}  // namespace content
