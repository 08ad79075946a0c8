#include "overlay/overlay_startup.h"

#include "app/renderer_state.h"
#include "assets/texture_cache.h"
#include "overlay/clock_overlay.h"
#include "overlay/overlay_pass.h"
#include "platform/platform.h"

namespace overlay {
namespace {

struct CornerImage {
  const char* path;
  int resourceId;
  float signX, signY;  // which corner: -1 left/bottom, +1 right/top
};

// Drawn in this order: bottom-left, top-left, bottom-right, top-right.
constexpr CornerImage kCorners[] = {{"Logo/4loader_ld.tga", 155, -1, -1},
                                    {"Logo/4loader_lu.tga", 156, -1, 1},
                                    {"Logo/4loader_rd.tga", 154, 1, -1},
                                    {"Logo/4loader_ru.tga", 157, 1, 1}};

}  // namespace

void ShowLoadingScreen() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  BeginOverlay();
  // The JPEG's rows come top row first: a negative half height turns it
  // the right way up.
  DrawRect(0.0f, 0.0f, 1.0f, -1.0f, assets::TextureCache::Get("Notification/loading.jpg", 159));
  const platform::Rect& client = app::RendererState.clientRect;
  const int width = client.right - client.left, height = client.bottom - client.top;
  // Each corner image covers 256 x 128 pixels of the window.
  const float hw = width > 0 ? 256.0f / static_cast<float>(width) : 0.0f;
  const float hh = height > 0 ? 128.0f / static_cast<float>(height) : 0.0f;
  for (const CornerImage& corner : kCorners) {
    const GLuint texture = assets::TextureCache::Get(corner.path, corner.resourceId);
    DrawRect(corner.signX * (1.0f - hw), corner.signY * (1.0f - hh), hw, hh, texture);
  }
  EndOverlay();
  platform::Os().SwapBuffers();
}

void InitClockOverlay() { LoadOverlayTextures(ClockTextures); }

}  // namespace overlay
