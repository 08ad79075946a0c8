// The room's procedural material textures, by the file name the scene's
// materials use ("floor_oak.tga"). Deterministic: the same pictures every run.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace content {

struct NamedTexture {
  std::string name;   // file name under "Textures\"
  RgbaImage image;
  int bitsPerPixel;   // 24 for opaque pictures, 32 where alpha matters
};

std::vector<NamedTexture> MakeRoomTextures();

}  // namespace content
