#include "overlay/overlay_pass.h"

#include "overlay/clock_overlay.h"
#include "scene/scene_renderer.h"

namespace overlay {
namespace {

void TexturedQuad(float x, float y, float hw, float hh) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(x - hw, y - hh);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(x - hw, y + hh);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(x + hw, y + hh);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(x + hw, y - hh);
  glEnd();
}

}  // namespace

void BeginOverlay() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void EndOverlay() {
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void DrawRect(float x, float y, float halfWidth, float halfHeight, GLuint texture) {
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, texture);
  TexturedQuad(x, y, halfWidth, halfHeight);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_CULL_FACE);
}

void DrawScreenQuadQueue() {
  for (const scene::ScreenQuad& quad : scene::ScreenQuadQueue) {
    // The cross-fade quad stays queued every frame; once transparent it would
    // change no pixel, and a full-screen blend costs a software rasteriser
    // a large share of the frame.
    if (quad.colour[3] <= 0.0f) continue;
    glColor4fv(quad.colour);
    glBlendFunc(quad.blendSource, quad.blendDestination);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, quad.texture);
    TexturedQuad(quad.x, quad.y, quad.halfWidth, quad.halfHeight);
  }
  scene::ScreenQuadQueue.clear();
}

bool TextOverlaysShown = true;

void DrawTextOverlays() {
  if (TextOverlaysShown) DrawClockOverlay();
}

}  // namespace overlay
