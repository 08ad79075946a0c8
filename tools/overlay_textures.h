// The clock and countdown overlay's pictures (the red glyph font, captions,
// unit labels and holiday greetings) and the publisher's logo of the loading
// screen. All carry alpha and a soft dark edge, so they read over the bright
// fire as well as the dark night outside.
#pragma once

#include <vector>

#include "room_textures.h"

namespace content {

// The clock's and countdown's images, by file name under "Textures\" of the secondary archive.
std::vector<NamedTexture> MakeOverlayTextures();
// The publisher's logo of the loading screen: 256 x 128 with alpha.
RgbaImage DrawLoaderLogo();

}  // namespace content
