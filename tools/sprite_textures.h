// The particle sprites: tree-light glows, fire tongues, the candle flame,
// steam and the shimmering snowflake. The particles are drawn additively with
// white vertex colour, so each sprite keeps its colour at full strength in RGB
// and carries its shape in alpha, fading to nothing well inside the border.
#pragma once

#include <vector>

#include "room_textures.h"

namespace content {

// The particle sprites, by the file name the particle systems use under "Sprites\".
std::vector<NamedTexture> MakeSpriteTextures();

}  // namespace content
