#include "scene/scene_renderer.h"

#include "app/exit_conditions.h"
#include "app/frame_timer.h"
#include "app/renderer_state.h"
#include "effects/particle_manager.h"
#include "overlay/overlay_pass.h"
#include "platform/platform.h"

namespace scene {

FadeState Fades;
std::vector<ScreenQuad> ScreenQuadQueue;

namespace {
bool g_firstFrameDone = false;

// The per-frame step of the main loop: dt, frame rate, mouse-move exit test,
// with the fade counters around the timer as their order requires.
void PerFrameStep() {
  platform::Platform& os = platform::Os();
  AdvanceElapsedFade(app::Timer.dt);
  int64_t counter = 0;
  const bool counterRead = os.ReadCounter(counter);
  app::StepFrameTimer(app::Timer, counterRead, counter, os.Milliseconds(), Fades.elapsed != 0.0f);
  AdvanceFadeAlphas(app::Timer.dt);
  app::TestMouseMoveExit();
}

void FullWindowViewport() {
  const platform::Rect& client = app::RendererState.clientRect;
  glViewport(0, 0, client.right - client.left, client.bottom - client.top);
}

// The old view squeezed into the snapshot square, copied into the snapshot
// texture; the colour buffer keeps it and the new frame is drawn over it.
void TakeCrossFadeSnapshot() {
  const int side = app::RendererState.snapshotSize;
  glViewport(0, 0, side, side);
  SceneRenderer::DrawList(TheScene.opaqueList, 0.001f);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  if (app::Timer.Fps > 20.0f) effects::DrawParticles();
  Fades.snapshotAlpha = 1.2f;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, app::RendererState.snapshotTexture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, side, side);
  FullWindowViewport();
  glClear(GL_DEPTH_BUFFER_BIT);
}

}  // namespace

void AdvanceElapsedFade(float dt) { Fades.elapsed += dt * 0.5f; }

void AdvanceFadeAlphas(float dt) {
  Fades.snapshotAlpha -= dt * 0.01f;
  if (Fades.elapsed > 1.0f) Fades.alpha -= dt * 0.015f;
  // The black cover at start-up, while it is still there.
  if (Fades.alpha > 0.0f)
    SceneRenderer::QueueScreenQuad(0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, Fades.alpha, 1, GL_SRC_ALPHA,
                                   GL_ONE_MINUS_SRC_ALPHA);
}

void ResetFrameComposition() {
  g_firstFrameDone = false;
  ScreenQuadQueue.clear();
  CrossFadeRequested = false;
}

void SceneRenderer::QueueScreenQuad(float x, float y, float halfWidth, float halfHeight, float r, float g,
                                    float b, float a, GLuint texture, GLenum blendSource,
                                    GLenum blendDestination) {
  ScreenQuad quad;
  quad.x = x;
  quad.y = y;
  quad.halfWidth = halfWidth;
  quad.halfHeight = halfHeight;
  quad.colour[0] = r;
  quad.colour[1] = g;
  quad.colour[2] = b;
  quad.colour[3] = a;
  quad.blendSource = blendSource;
  quad.blendDestination = blendDestination;
  quad.texture = texture;
  ScreenQuadQueue.push_back(quad);
}

void SceneRenderer::ScenePass() {
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  const GLfloat fogColour[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogf(GL_FOG_DENSITY, 0.00001f);
  glFogf(GL_FOG_START, 2720.0f);
  glFogf(GL_FOG_END, 12600.0f);
  glEnable(GL_CULL_FACE);
  CameraDirector::Step(TheScene);
  DrawnNodeCount = 0;
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glAlphaFunc(GL_GREATER, 0.6f);
  glColor4d(1.0, 1.0, 1.0, 1.0);
  AnimateNodes(TheScene);
  DrawVisible(TheScene);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
}

void SceneRenderer::DrawFrame() {
  if (!g_firstFrameDone) {
    app::ResetCursorTrack();
    g_firstFrameDone = true;
  }
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  PerFrameStep();
  if (CrossFadeRequested) {
    CrossFadeRequested = false;
    TakeCrossFadeSnapshot();
  }
  ResetVisibility(TheScene);
  ScenePass();

  effects::AdvanceParticles(app::Timer.dt);
  glAlphaFunc(GL_ALWAYS, 1.0f);
  effects::DrawParticles();
  DrawList(TheScene.glassList, 0.00001f);

  QueueScreenQuad(0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, Fades.snapshotAlpha,
                  app::RendererState.snapshotTexture, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  overlay::BeginOverlay();
  overlay::DrawScreenQuadQueue();
  overlay::DrawTextOverlays();
  overlay::EndOverlay();

  glLoadIdentity();
  platform::Os().SwapBuffers();
}

}  // namespace scene
