#include <algorithm>
#include <cmath>
#include <cstring>

#include "scene/byte_reader.h"

#include "scene_fixture.h"

namespace scene_test {
namespace {

using scene::SceneNode;

BssScene RoomWith(std::vector<BssMeshObject> children) {
  BssScene file;
  file.objects.push_back(Box("room", "Scene Root", {-500, -400, 0}, {500, 400, 320}, "wall.tga"));
  for (BssMeshObject& child : children) file.objects.push_back(std::move(child));
  return file;
}

TEST_F(SceneTest, ReadsMeshObjectsIntoOneVertexArrayInFileOrder) {
  BssScene file = RoomWith({Box("rug", "room", {-100, -50, 0}, {100, 50, 2}, "rug.tga")});
  file.objects[1].lightmap = "maps\\lm_rug.tga";
  file.objects[1].lightmapCoords = {{0.25f, 0.75f, 9}};
  file.objects[1].lightmapFaces.assign(12, {0, 0, 0});
  file.objects[1].materials[0].firstVertex = 6;
  file.objects[1].materials[0].vertexCount = 30;
  Load(file);

  ASSERT_EQ(NodeNames(), (std::vector<std::string>{"room", "rug"}));
  ASSERT_EQ(vertices_.size(), 72u);
  const SceneNode& rug = *scene_.nodes[1];
  // The second object's run starts after the first object's 36 corners.
  ASSERT_EQ(rug.faceGroups.size(), 1u);
  EXPECT_EQ(rug.faceGroups[0].firstVertex, 42u);
  EXPECT_EQ(rug.faceGroups[0].vertexCount, 30u);
  EXPECT_TRUE(rug.hasLightmap);
  EXPECT_TRUE(rug.faceGroups[0].hasLightmap);
  EXPECT_NE(rug.lightmapTexture, 0u);
  EXPECT_FLOAT_EQ(vertices_[36].lightmapU, 0.25f);
  EXPECT_FLOAT_EQ(vertices_[36].lightmapV, 0.75f);
  // Normals are made unit length; positions follow the face indices.
  EXPECT_FLOAT_EQ(vertices_[36].normal.z, 1.0f);
  EXPECT_FLOAT_EQ(vertices_[37].position.y, 50.0f);
  EXPECT_FLOAT_EQ(vertices_[37].position.x, -100.0f);
  // Box, centre and extent over the positions.
  EXPECT_FLOAT_EQ(rug.min.x, -100.0f);
  EXPECT_FLOAT_EQ(rug.max.z, 2.0f);
  EXPECT_FLOAT_EQ(rug.centre.z, 1.0f);
  EXPECT_NEAR(rug.extent, std::sqrt(200.0f * 200 + 100 * 100 + 4), 0.01f);
  // The room has no lightmap: its lightmap coordinates are 0 whatever the index block says.
  EXPECT_FALSE(scene_.nodes[0]->hasLightmap);
  EXPECT_FLOAT_EQ(vertices_[2].lightmapU, 0.0f);
  EXPECT_FLOAT_EQ(vertices_[2].u, 1.0f);
}

TEST_F(SceneTest, MaterialFlagsFollowTheirNames) {
  BssMeshObject lights = Box("fairy", "room", {0, 0, 0}, {1, 1, 1}, "ad_lights.tga");
  BssMeshObject plain = Box("plain", "room", {0, 0, 0}, {1, 1, 1}, "None");
  plain.materials[0].twoSided = true;
  BssMeshObject shortAd = Box("short", "room", {0, 0, 0}, {1, 1, 1}, "ad.x");
  BssMeshObject glowing = Box("glowing", "room", {0, 0, 0}, {1, 1, 1}, "fire.tga");
  glowing.materials[0].illumination = "fire_i.tga";
  glowing.materials[0].second = "env.tga";
  glowing.materials[0].twoSided = true;
  glowing.materials[0].materialIndex = 7;  // past the count: material 0
  Load(RoomWith({lights, plain, shortAd, glowing}), false);

  const scene::FaceGroup& fairy = scene_.nodes[1]->faceGroups[0];
  EXPECT_TRUE(fairy.additive);
  EXPECT_NE(fairy.diffuseTexture, 0u);
  const scene::FaceGroup& none = scene_.nodes[2]->faceGroups[0];
  EXPECT_EQ(none.diffuseTexture, 0u);
  EXPECT_FALSE(none.twoSided);  // only textured groups take the flag
  EXPECT_FALSE(none.additive);
  const scene::FaceGroup& four = scene_.nodes[3]->faceGroups[0];
  EXPECT_FALSE(four.additive);
  EXPECT_EQ(four.diffuseTexture, 0u);
  const scene::FaceGroup& glow = scene_.nodes[4]->faceGroups[0];
  EXPECT_EQ(glow.materialIndex, 0u);
  EXPECT_TRUE(glow.twoSided);
  EXPECT_TRUE(glow.hasIllumination);
  EXPECT_TRUE(glow.hasSecond);
  EXPECT_NE(glow.illuminationTexture, 0u);
  EXPECT_FALSE(glow.hasLightmap);
}

TEST_F(SceneTest, GlassAndTopLevelNeedExactNames) {
  BssScene file = RoomWith({Box("glass", "room", {0, 0, 0}, {1, 1, 1}, "glass.tga"),
                            Box("glassy", "room", {0, 0, 0}, {1, 1, 1}, "glass.tga"),
                            Box("attic", "Scene Root ", {0, 0, 0}, {1, 1, 1})});
  Load(file, false);
  EXPECT_TRUE(scene_.nodes[1]->hasGlass);
  EXPECT_TRUE(scene_.nodes[1]->faceGroups[0].glass);
  EXPECT_FALSE(scene_.nodes[2]->hasGlass);
  EXPECT_TRUE(scene_.nodes[0]->isTopLevel);
  EXPECT_FALSE(scene_.nodes[3]->isTopLevel);
}

TEST_F(SceneTest, DrawOrderPutsAdditiveLastAndLeavesNodesWithoutGroups) {
  BssScene file = RoomWith({Box("glass", "room", {0, 0, 0}, {1, 1, 1}, "glass.tga"),
                            Box("fairy", "room", {0, 0, 0}, {1, 1, 1}, "ad_lights.tga"),
                            Box("empty", "room", {0, 0, 0}, {1, 1, 1}),
                            Box("mantel", "room", {0, 0, 0}, {1, 1, 1}, "wood.tga")});
  file.objects[3].materials.clear();  // "empty" has no face group
  Load(file);
  // Glass goes behind the ordinary nodes, then the additive pass sorts the
  // additive node last; the node without groups keeps its place.
  const std::vector<std::string> names = NodeNames();
  EXPECT_EQ(names[3], "empty");
  EXPECT_EQ(names.back(), "fairy");
  std::vector<std::string> withGroups;
  for (const SceneNode* node : scene_.nodes)
    if (!node->faceGroups.empty()) withGroups.push_back(node->name);
  EXPECT_EQ(withGroups.size(), 4u);
  EXPECT_EQ(std::count(withGroups.begin(), withGroups.end() - 1, "glass"), 1);
}

TEST_F(SceneTest, InstancesBecomeNodesAfterTheMeshesAndHelpersLinkToParents) {
  BssScene file = RoomWith({Box("mantel", "room", {0, 0, 0}, {1, 1, 1}, "wood.tga")});
  content::BssInstance fire{"instance fireplace_fire", "room", 4, 0, {{0, 390, 20}}, {}};
  content::BssInstance clock{"instance Clock", "room", 3, 0, {{-495, 0, 220}}, {}};
  content::BssInstance tree{"instance fir big", "room", 3, 2, {{-400, 300, 0}, {-400, 300, 5}}, {{}, {}}};
  content::BssInstance emitter{"emit snowfall", "room", 2, 0, {{560, 0, 200}}, {}};
  content::BssInstance marker{"marker", "room", 1, 0, {{0, 0, 0}}, {}};
  file.instances = {fire, clock, tree, emitter, marker};
  Load(file);

  EXPECT_EQ(NodeNames(), (std::vector<std::string>{"room", "mantel", "instance Clock", "instance fir big",
                                                   "instance fireplace_fire"}));
  SceneNode* clockNode = scene::FindNode(scene_, "instance Clock");
  ASSERT_NE(clockNode, nullptr);
  EXPECT_TRUE(clockNode->isStaticInstance);
  EXPECT_FLOAT_EQ(clockNode->extent, 1000.0f);
  EXPECT_FLOAT_EQ(clockNode->centre.x, -495.0f);
  EXPECT_GT(clockNode->min.x, clockNode->max.x);  // an empty box
  EXPECT_FALSE(clockNode->isKeyAnimated);
  const SceneNode* treeNode = scene::FindNode(scene_, "instance fir big");
  EXPECT_TRUE(treeNode->isKeyAnimated);
  EXPECT_EQ(treeNode->holdCount, 2);
  EXPECT_TRUE(scene::FindNode(scene_, "instance fireplace_fire")->isAnimatedInstance);
  EXPECT_EQ(scene::FindNode(scene_, "instance clock"), nullptr);

  ASSERT_EQ(scene_.helpers.size(), 2u);
  EXPECT_EQ(scene_.helpers[0]->shortName, "snowfall");
  EXPECT_EQ(scene_.helpers[1]->shortName, "marker");
  // The room's children: four nodes and the emitter, not the type-1 helper.
  const SceneNode& room = *scene_.nodes[0];
  EXPECT_EQ(room.childFlags.size(), 5u);
  EXPECT_EQ(room.childFlags.back(), &scene_.helpers[0]->visible);
  EXPECT_EQ(clockNode->parentVisible, &scene_.nodes[0]->visible);
  EXPECT_EQ(scene_.topLevelNodes.size(), 1u);
  EXPECT_EQ(scene_.childNodes.size(), 4u);
}

TEST_F(SceneTest, ChildNodesGetQueryIdsWhenQueriesAreInUse) {
  bytes_ = content::EncodeBss(RoomWith({Box("mantel", "room", {0, 0, 0}, {1, 1, 1})}));
  scene::SceneLoader::Read(bytes_.data(), bytes_.size(), scene_, vertices_, true);
  scene::SceneLoader::Link(scene_, true);
  EXPECT_EQ(scene_.nodes[0]->queryId, 0u);
  EXPECT_NE(scene_.nodes[1]->queryId, 0u);
}

TEST_F(SceneTest, LightsReachNodesByBoxOrByRepeatedName) {
  BssScene file = RoomWith({Box("near", "room", {0, 0, 0}, {10, 10, 10}), Box("far", "room", {900, 0, 0}, {910, 10, 10})});
  content::BssInstance candle{"instance candle", "room", 3, 0, {{0, 0, 0}}, {}};
  file.instances = {candle};
  content::BssLight light;
  light.position = {25, 5, 5};
  light.range = 10;  // reaches boxes within 20 units
  light.multiplier = 2;
  light.r = 0.5f;
  light.names = {"instance candle", "far", "instance candle", "instance candle"};
  file.lights = {light};
  Load(file);

  EXPECT_EQ(scene::FindNode(scene_, "near")->lights.size(), 1u);
  EXPECT_EQ(scene::FindNode(scene_, "far")->lights.size(), 1u);
  EXPECT_EQ(scene::FindNode(scene_, "instance candle")->lights.size(), 3u);
  const scene::SceneLight& stored = *scene_.lights[0];
  EXPECT_FLOAT_EQ(stored.ambient[0], 3.2f);
  EXPECT_FLOAT_EQ(stored.ambient[3], 2.0f);
  EXPECT_FLOAT_EQ(stored.diffuse[0], 1.0f);
  EXPECT_FLOAT_EQ(stored.specular[3], 2.0f);
  EXPECT_FLOAT_EQ(stored.position[3], 1.0f);
}

TEST_F(SceneTest, TooManyMaterialsOrNamesAreReportedAndNeverStoredPastTheTables) {
  BssMeshObject crowded = Box("crowded", "room", {0, 0, 0}, {1, 1, 1}, "wood.tga");
  const BssMaterialRun run = crowded.materials[0];
  crowded.materials.assign(330, run);
  crowded.materials[0].materialIndex = 325;
  BssScene file = RoomWith({crowded});
  content::BssLight light;
  light.names.assign(45, "x");
  file.lights = {light};
  content::BssInstance after{"emit snowfall", "room", 2, 0, {{1, 2, 3}}, {}};
  file.instances = {after};
  Load(file);

  EXPECT_EQ(LogCount("Error: adas"), 2);
  EXPECT_EQ(scene_.nodes[1]->faceGroups.size(), 320u);
  EXPECT_EQ(scene_.nodes[1]->faceGroups[0].materialIndex, 0u);
  EXPECT_EQ(scene_.lights[0]->names.size(), 40u);
  // The records past the tables were still read: what follows is intact.
  ASSERT_EQ(scene_.helpers.size(), 1u);
  EXPECT_FLOAT_EQ(scene_.helpers[0]->position.z, 3.0f);
}

TEST_F(SceneTest, NamesLoseDirectoriesAndLongNamesAreCut) {
  BssMeshObject named = Box(std::string(3500, 'n'), "room", {0, 0, 0}, {1, 1, 1});
  BssScene file = RoomWith({named});
  file.objects[0].name = std::string("room\0junk", 9);
  content::BssInstance helper{"C:\\scenes/emit fire", "room", 2, 0, {{0, 0, 0}}, {}};
  file.instances = {helper};
  Load(file);
  EXPECT_EQ(scene_.nodes[0]->name, "room");
  EXPECT_EQ(scene_.nodes[1]->name.size(), scene::kMaxNameBytes);
  ASSERT_EQ(scene_.helpers.size(), 1u);
  EXPECT_EQ(scene_.helpers[0]->name, "emit fire");
}

TEST_F(SceneTest, DamagedFilesStopAtTheEndAndKeepWhatWasComplete) {
  BssScene file = RoomWith({Box("mantel", "room", {0, 0, 0}, {1, 1, 1})});
  file.objects[1].faces[3] = {0, 99, 100000};  // corners outside the positions
  file.objects[1].materials[0].vertexCount = 5000;  // a run past the object
  content::BssCamera camera;
  camera.positions = {{0, 0, 100}, {10, 0, 100}};
  camera.rotations = {{}, {}};
  camera.fovs = {1, 1};
  file.cameras = {camera, camera};
  const std::vector<uint8_t> whole = content::EncodeBss(file);

  LoadBytes(whole);
  ASSERT_EQ(scene_.nodes.size(), 2u);
  EXPECT_EQ(scene_.nodes[1]->faceGroups[0].vertexCount, 36u);
  EXPECT_FLOAT_EQ(vertices_[36 + 10].position.x, 0.0f);
  EXPECT_EQ(scene_.cameras.size(), 2u);

  // Cut inside the second camera: the room and the first camera stay.
  for (size_t cut : {whole.size() - 9, whole.size() - 30}) {
    scene::ClearSceneRecords(scene_);
    vertices_.clear();
    LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
    EXPECT_EQ(scene_.nodes.size(), 2u);
    EXPECT_EQ(scene_.cameras.size(), 1u) << cut;
  }
  // A count far past the member reads nothing more and allocates nothing huge.
  std::vector<uint8_t> huge = whole;
  const uint32_t big = 0x7FFFFFFF;
  std::memcpy(huge.data(), &big, 4);
  scene::ClearSceneRecords(scene_);
  vertices_.clear();
  LoadBytes(huge);
  EXPECT_EQ(scene_.nodes.size(), 2u);
  EXPECT_TRUE(scene_.cameras.empty());
  scene::ClearSceneRecords(scene_);
  LoadBytes({});
  EXPECT_TRUE(scene_.nodes.empty());
}

}  // namespace
}  // namespace scene_test
