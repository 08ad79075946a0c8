// The furnishing models: the node tree the saver draws, their sizes in the
// room, the textures they name, their triangle budgets and the consistency
// of their face, texture and normal records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "lightmap_vector.h"
#include "model_builder.h"
#include "room_models.h"
#include "room_textures.h"

namespace {

using content::BsmMesh;
using content::BsmModel;
using content::Vec3;

const std::map<std::string, BsmModel>& Models() {
  static const std::map<std::string, BsmModel> models = [] {
    std::map<std::string, BsmModel> byName;
    for (auto& named : content::MakeFurnishingModels()) byName[named.name] = named.model;
    return byName;
  }();
  return models;
}

const BsmModel& Model(const std::string& name) {
  auto found = Models().find(name);
  if (found == Models().end()) ADD_FAILURE() << "no model " << name;
  static const BsmModel empty;
  return found == Models().end() ? empty : found->second;
}

// Bounds of the meshes the saver draws (everything but the collision box).
content::Bounds VisibleBounds(const BsmModel& model) {
  BsmModel visible;
  for (const BsmMesh& mesh : model.meshes)
    if (mesh.name != "CollMesh") visible.meshes.push_back(mesh);
  return content::ModelBounds(visible);
}

const BsmMesh* FindMesh(const BsmModel& model, const std::string& name) {
  for (const BsmMesh& mesh : model.meshes)
    if (mesh.name == name) return &mesh;
  return nullptr;
}

const char* const kNames[] = {"present01", "present02", "present03", "present04", "stocking",
                              "teddy",     "lamp",      "armchair",  "sidetable"};

TEST(FurnishingModels, AreTheExpectedSetWithHullsAndDrawnMeshesBelowThem) {
  ASSERT_EQ(Models().size(), std::size(kNames));
  for (const char* name : kNames) {
    SCOPED_TRACE(name);
    const BsmModel& model = Model(name);
    const BsmMesh* hull = FindMesh(model, "Hull");
    ASSERT_NE(hull, nullptr);
    EXPECT_EQ(hull->parentName, "Scene Root");
    std::set<std::string> names;
    for (const BsmMesh& mesh : model.meshes) {
      EXPECT_TRUE(names.insert(mesh.name).second) << "duplicate mesh " << mesh.name;
      if (mesh.name == "CollMesh") {
        EXPECT_EQ(mesh.parentName, "Scene Root");
        continue;
      }
      // Follow the parents up: every drawn mesh must reach the hull.
      const BsmMesh* at = &mesh;
      for (int depth = 0; at && at->name != "Hull" && depth < 8; ++depth) at = FindMesh(model, at->parentName);
      ASSERT_NE(at, nullptr) << mesh.name << " hangs from a missing parent";
      EXPECT_EQ(at->name, "Hull") << mesh.name << " is not drawn";
    }
  }
  for (const char* present : {"present01", "present02", "present03", "present04"}) {
    const BsmMesh* bow = FindMesh(Model(present), "bow");
    ASSERT_NE(bow, nullptr) << present;
    EXPECT_EQ(bow->diffuse, "ribbon.tga");
    EXPECT_EQ(bow->parentName, "Hull");
  }
  std::set<std::string> papers;
  for (const char* present : {"present01", "present02", "present03", "present04"})
    papers.insert(FindMesh(Model(present), "Hull")->diffuse);
  EXPECT_EQ(papers, (std::set<std::string>{"present_red.tga", "present_green.tga", "present_blue.tga",
                                           "present_gold.tga"}));
  EXPECT_NE(FindMesh(Model("teddy"), "head"), nullptr);
  const BsmMesh* shade = FindMesh(Model("lamp"), "shade");
  ASSERT_NE(shade, nullptr);
  EXPECT_EQ(shade->third, "lamp_shade_i.tga");
}

struct SizeRange {
  const char* name;
  Vec3 minSize, maxSize;
};

TEST(FurnishingModels, HaveTheirSizesAndStandOnTheFloorOrHangFromTheHook) {
  const SizeRange ranges[] = {
      {"present01", {28, 28, 23}, {34, 34, 33}},   {"present02", {20, 38, 16}, {26, 44, 26}},
      {"present03", {43, 26, 28}, {50, 32, 38}},   {"present04", {16, 16, 33}, {22, 22, 43}},
      {"stocking", {15, 6, 35}, {32, 14, 48}},     {"teddy", {20, 18, 30}, {30, 32, 40}},
      {"lamp", {30, 30, 150}, {50, 50, 170}},      {"armchair", {84, 80, 98}, {96, 90, 110}},
      {"sidetable", {40, 40, 52}, {50, 50, 65}},
  };
  for (const SizeRange& r : ranges) {
    SCOPED_TRACE(r.name);
    const content::Bounds b = VisibleBounds(Model(r.name));
    const Vec3 size = b.hi - b.lo;
    EXPECT_GE(size.x, r.minSize.x);
    EXPECT_LE(size.x, r.maxSize.x);
    EXPECT_GE(size.y, r.minSize.y);
    EXPECT_LE(size.y, r.maxSize.y);
    EXPECT_GE(size.z, r.minSize.z);
    EXPECT_LE(size.z, r.maxSize.z);
    // Centred on the origin in plan, within a few centimetres.
    EXPECT_LT(std::fabs(b.lo.y + b.hi.y) / 2, 6.0f);
    if (std::string(r.name) == "stocking") {
      EXPECT_LE(b.hi.z, 0.5f);
      EXPECT_LT(b.lo.z, -35.0f);
      // The toe points sideways: the foot reaches well past the leg on one side.
      EXPECT_GT(std::max(b.hi.x, -b.lo.x), 2 * std::min(b.hi.x, -b.lo.x));
    } else {
      EXPECT_NEAR(b.lo.z, 0.0f, 0.3f);
    }
  }
  // The candle and the teddy are placed on these surfaces.
  const content::Bounds table = VisibleBounds(Model("sidetable"));
  EXPECT_NEAR(table.hi.z, 62.0f, 0.5f);
  const BsmMesh* seat = FindMesh(Model("armchair"), "seat");
  ASSERT_NE(seat, nullptr);
  EXPECT_NEAR(content::MeshBounds(*seat).hi.z, 45.0f, 0.5f);
  // The armchair faces -y: its back stands at +y and rises high there.
  const BsmMesh* back = FindMesh(Model("armchair"), "back");
  ASSERT_NE(back, nullptr);
  EXPECT_GT(content::MeshBounds(*back).lo.y, 10.0f);
  EXPECT_GT(content::MeshBounds(*back).hi.z, 95.0f);
  // The teddy's face looks out to -y.
  const BsmMesh* muzzle = FindMesh(Model("teddy"), "muzzle");
  ASSERT_NE(muzzle, nullptr);
  EXPECT_LT(content::MeshBounds(*muzzle).lo.y, -8.0f);
}

TEST(FurnishingModels, NameOnlyTexturesThatAreMade) {
  std::set<std::string> made;
  for (const auto& t : content::MakeRoomTextures()) made.insert(t.name);
  for (const auto& t : content::MakeModelTextures()) made.insert(t.name);
  for (const auto& [name, model] : Models())
    for (const BsmMesh& mesh : model.meshes) {
      SCOPED_TRACE(name + "/" + mesh.name);
      EXPECT_TRUE(made.count(mesh.diffuse)) << mesh.diffuse;
      if (!mesh.second.empty()) EXPECT_TRUE(made.count(mesh.second)) << mesh.second;
      if (!mesh.third.empty()) EXPECT_TRUE(made.count(mesh.third)) << mesh.third;
    }
}

TEST(FurnishingModels, KeepToTheTriangleBudgets) {
  size_t total = 0;
  for (const auto& [name, model] : Models()) {
    size_t drawn = 0;
    for (const BsmMesh& mesh : model.meshes)
      if (mesh.name != "CollMesh") drawn += mesh.faces.size();
    EXPECT_GE(drawn, 200u) << name;
    EXPECT_LE(drawn, 2000u) << name;
    total += drawn;
  }
  EXPECT_LT(total, 8000u);
}

TEST(FurnishingModels, HaveConsistentRecordsAndOutwardUnitNormals) {
  for (const auto& [name, model] : Models())
    for (const BsmMesh& mesh : model.meshes) {
      SCOPED_TRACE(name + "/" + mesh.name);
      ASSERT_EQ(mesh.texFaces.size(), mesh.faces.size());
      ASSERT_EQ(mesh.normals.size(), 3 * mesh.faces.size());
      for (size_t f = 0; f < mesh.faces.size(); ++f)
        for (int k = 0; k < 3; ++k) {
          ASSERT_LT(mesh.faces[f][k], mesh.positions.size());
          ASSERT_LT(mesh.texFaces[f][k], mesh.texCoords.size());
          EXPECT_NEAR(content::Length(mesh.normals[3 * f + k]), 1.0f, 1e-3f);
        }
      // Faces wind counter-clockwise about their own corner normals: the
      // winding and the normals agree on what is outside.
      size_t agreeing = 0, counted = 0;
      for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const Vec3 a = mesh.positions[mesh.faces[f][0]], b = mesh.positions[mesh.faces[f][1]],
                   c = mesh.positions[mesh.faces[f][2]];
        const Vec3 face = content::Cross(b - a, c - a);
        if (content::Length(face) < 1e-6f) continue;
        ++counted;
        const Vec3 n = mesh.normals[3 * f] + mesh.normals[3 * f + 1] + mesh.normals[3 * f + 2];
        if (content::Dot(face, n) > 0) ++agreeing;
      }
      EXPECT_GE(agreeing, counted * 98 / 100);
    }
}

TEST(FurnishingModels, ClosedRoundPartsHaveNormalsPointingAwayFromTheirMiddle) {
  // The teddy's head and the lamp's base are convex: every normal points
  // away from the centre of the mesh's bounds.
  for (const auto& [model, mesh] : {std::pair{"teddy", "Hull"}, std::pair{"lamp", "Hull"}, std::pair{"armchair", "seat"}}) {
    const BsmMesh* m = FindMesh(Model(model), mesh);
    ASSERT_NE(m, nullptr);
    const content::Bounds b = content::MeshBounds(*m);
    const Vec3 middle = (b.lo + b.hi) * 0.5f;
    for (size_t f = 0; f < m->faces.size(); ++f)
      for (int k = 0; k < 3; ++k)
        EXPECT_GT(content::Dot(m->normals[3 * f + k], m->positions[m->faces[f][k]] - middle), 0.0f)
            << model << "/" << mesh;
  }
}

TEST(FurnishingModels, AreTheSameEveryTime) {
  const auto again = content::MakeFurnishingModels();
  for (const auto& named : again) {
    const BsmModel& first = Model(named.name);
    EXPECT_EQ(content::EncodeBsm(first), content::EncodeBsm(named.model)) << named.name;
  }
}

}  // namespace
