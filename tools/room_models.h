// The furniture and props of the room as model files, and the textures they
// use. Each model is written as "Models\<name>.BSM"; the animated fire as
// "Models\fireplace_fire.BSA" and "Models\fireplace_fire_anim.BSA".
#pragma once

#include <string>
#include <vector>

#include "bsm_writer.h"
#include "room_textures.h"

namespace content {

struct NamedModel {
  std::string name;  // model name as the scene asks for it ("fir", "Clock")
  BsmModel model;
};

struct AnimatedModelFiles {
  std::string name;  // "fireplace_fire"
  BsaMesh mesh;
  BsaAnimation animation;
};

// The tree, the train set, the clock, the candles, the firewood, the light chain.
std::vector<NamedModel> MakeCentrepieceModels();
// Presents, stockings, teddy, floor lamp, armchair, side table.
std::vector<NamedModel> MakeFurnishingModels();
// Every texture the models name (besides the room's own, which they may reuse).
std::vector<NamedTexture> MakeModelTextures();
AnimatedModelFiles MakeFireplaceFire();

}  // namespace content
