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

}  // namespace app
