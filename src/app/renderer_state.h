// Display, context and capability state of the renderer (one instance).
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace app {

struct Capabilities {
  int32_t maxTextureUnits = 0;
  bool vertexBufferObjects = false;
  bool occlusionQueries = false;
  int32_t occlusionQueryBits = 0;
};

struct RendererStateRecord {
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  int32_t colorDepth = 0;
  bool fullScreen = false;
  platform::Rect clientRect;
  Capabilities caps;
  uint32_t snapshotTexture = 0;
  int32_t snapshotSize = 0;
  bool hasContext = false;
};

extern RendererStateRecord RendererState;

// Renderer paths switched off on request even where the driver has them
// (the environment variables GLIMMERHALL_NO_VBO and GLIMMERHALL_NO_QUERIES
// do the same), so that every path can be exercised on one machine.
struct ForcedPathsRecord {
  bool noVertexBuffer = false;
  bool noOcclusionQueries = false;
  // The headless runner's room without particles, to measure what they cost.
  bool noParticles = false;
};

extern ForcedPathsRecord ForcedPaths;

}  // namespace app
