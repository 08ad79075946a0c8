// The helpers placed for the models, emitters and the fire that later work
// fills in, and the one scene light that lights those models.
#include <cmath>

#include "room_layout.h"
#include "room_parts.h"

namespace content {

using namespace layout;

namespace {

// The stored rotation that shows a model (built with its front towards -y)
// with its front turned the given degrees about z from +y. The saver shows
// static models turned by the conjugate of the stored rotation, hence the
// negated angle.
Quat Facing(float degrees) {
  const float half = -(degrees + 180.0f) * 3.14159265f / 360;
  return {0, 0, std::sin(half), std::cos(half)};
}

BssInstance Place(const char* name, uint32_t type, Vec3 position, float facingDegrees = 0) {
  BssInstance instance;
  instance.name = name;
  instance.type = type;
  instance.positions = {position};
  // Emitters keep the world's axes: their particles' random offsets and
  // velocities turn with the helper.
  instance.rotations = {type == 2 ? Quat{} : Facing(facingDegrees)};
  return instance;
}

constexpr uint32_t kEmitter = 2, kStaticModel = 3, kAnimatedModel = 4;

}  // namespace

std::vector<BssInstance> BuildPlacements() {
  const Vec3 tree = kTreeCentre;
  const float mantel = kMantelTopZ, sill = kSillZ;
  // The armchair turns from the room's middle towards the fire.
  const float chairFacing = std::atan2(-kArmchairCentre.x, kSurroundFrontY - kArmchairCentre.y) * 180 / 3.14159265f;
  std::vector<BssInstance> placed = {
      Place("instance fir", kStaticModel, tree),
      // Unturned: the steam follows the cars in the model's own axes.
      Place("instance railroad", kStaticModel, tree, -180),
      Place("instance Clock", kStaticModel, kClockPosition, 90),  // its dial (built towards +y) turned to +x
      Place("instance candle", kStaticModel, {-112, 362, mantel}),
      Place("instance candle", kStaticModel, {0, 368, mantel}),
      Place("instance candle", kStaticModel, {112, 362, mantel}),
      Place("instance candle", kStaticModel, {kEastX - 10, kWindowCentresY[0] - 40, sill}),
      Place("instance candle", kStaticModel, {kEastX - 10, kWindowCentresY[1] + 40, sill}),
      Place("instance candle", kStaticModel, {kSideTablePosition.x, kSideTablePosition.y, 62}),
      Place("instance candle", kStaticModel, {-128, 300, kHearthTopZ}),
      Place("instance present01", kStaticModel, {tree.x + 65, tree.y - 55, 0}, 20),
      Place("instance present02", kStaticModel, {tree.x + 80, tree.y + 5, 0}, -35),
      Place("instance present03", kStaticModel, {tree.x + 15, tree.y - 80, 0}, 60),
      Place("instance present04", kStaticModel, {tree.x - 40, tree.y - 70, 0}, 10),
      Place("instance stocking", kStaticModel, {-100, kMantelFrontY - 2, kMantelZ - 2}, 180),
      Place("instance stocking", kStaticModel, {0, kMantelFrontY - 2, kMantelZ - 2}, 180),
      Place("instance stocking", kStaticModel, {100, kMantelFrontY - 2, kMantelZ - 2}, 180),
      Place("instance teddy", kStaticModel, {kArmchairCentre.x, kArmchairCentre.y, 45}, chairFacing),
      Place("instance teddy", kStaticModel, kTeddyByTree, -60),
      Place("instance lamp", kStaticModel, kLampPosition),
      Place("instance armchair", kStaticModel, kArmchairCentre, chairFacing),
      Place("instance sidetable", kStaticModel, kSideTablePosition, 15),
      Place("instance lightchain", kStaticModel, {0, kMantelFrontY - 1, kMantelTopZ - 6}, 180),
      Place("instance firewood", kStaticModel, {0, 372, kOpeningBottomZ}, 180),
      Place("instance fireplace_fire", kAnimatedModel, {0, 370, kOpeningBottomZ}, 180),
      Place("emit fire", kEmitter, {0, 358, kOpeningBottomZ + 24}),
      Place("emit snowfall", kEmitter, {625, kWindowCentresY[0], 320}),
      Place("emit snowfall", kEmitter, {625, kWindowCentresY[1], 320}),
      Place("emit redfirglow", kEmitter, {tree.x + 20, tree.y - 25, 110}),
      Place("emit yelfirglow", kEmitter, {tree.x - 15, tree.y - 30, 160}),
      Place("emit grefirglow", kEmitter, {tree.x + 25, tree.y + 10, 70}),
  };
  return placed;
}

BssLight BuildSceneLight() {
  BssLight light;
  light.position = {0, 330, 60};  // just before the firebox, where the flames throw their light
  light.r = 1.0f;
  light.g = 0.62f;
  light.b = 0.32f;
  light.range = 300;
  light.multiplier = 1;
  light.falloff = 1;
  light.names.assign(7, "instance candle");
  for (const char* name : {"instance fir", "instance railroad", "instance Clock", "instance present01",
                           "instance present02", "instance present03", "instance present04", "instance stocking",
                           "instance stocking", "instance stocking", "instance teddy", "instance teddy",
                           "instance lamp", "instance armchair", "instance lightchain", "instance fireplace_fire",
                           "instance firewood", "instance sidetable"})
    light.names.push_back(name);
  return light;
}

}  // namespace content
