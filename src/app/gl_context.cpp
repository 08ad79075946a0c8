#include "app/gl_context.h"

#include <cstdlib>
#include <cstring>

#include "app/exit_conditions.h"
#include "app/frame_timer.h"
#include "app/gamma.h"
#include "app/log.h"
#include "app/renderer_state.h"
#include "platform/gl_api.h"
#include "platform/platform.h"
#include "scene/scene_renderer.h"

namespace app {

RendererStateRecord RendererState;
ForcedPathsRecord ForcedPaths;

namespace {

constexpr const char* kErrorCaption = "Error";

void ChangeDisplayForSaver(int width, int height) {
  platform::Platform& os = platform::Os();
  switch (os.ChangeDisplayMode(width, height)) {
    case platform::DisplayChange::EnumFailed:
      os.ShowMessage("Could Not Enum Display Settings", kErrorCaption);
      break;
    case platform::DisplayChange::ChangeFailed:
      os.ShowMessage("Display Mode Not Compatible", kErrorCaption);
      os.PostQuit();
      break;
    case platform::DisplayChange::Changed:
      break;
  }
}

// An environment variable set to anything but "" or "0".
bool Requested(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value && std::strcmp(value, "0") != 0;
}

const char* GlString(GLenum name) {
  const GLubyte* text = glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

void ProbeCapabilities() {
  Capabilities& caps = RendererState.caps;
  GLint units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  caps.maxTextureUnits = units;
  Log("Video card: ", GlString(GL_RENDERER));
  Log("Vendor: ", GlString(GL_VENDOR));
  Log("OpenGL version : ", GlString(GL_VERSION));
  Log("Max Texture Units: ", caps.maxTextureUnits);

  if (GLEW_ARB_vertex_buffer_object) {
    caps.vertexBufferObjects = true;
    Log("VBO supported");
  } else {
    caps.vertexBufferObjects = false;
    Log("VBO not supported!");
  }

  caps.occlusionQueries = false;
  caps.occlusionQueryBits = 0;
  if (GLEW_ARB_occlusion_query && glGetQueryivARB) {
    GLint bits = 0;
    glGetQueryivARB(GL_SAMPLES_PASSED_ARB, GL_QUERY_COUNTER_BITS_ARB, &bits);
    caps.occlusionQueryBits = bits;
    if (bits >= 1) {
      caps.occlusionQueries = true;
      Log("ARB_Occlusion_querry supported");
      Log("Occlussion querry bit: ", bits);
    } else {
      Log("ARB_Occlusion_querry not supported!");
    }
  } else {
    Log("ARB_Occlusion_querry not supported!");
  }
  if (caps.vertexBufferObjects && (ForcedPaths.noVertexBuffer || Requested("GLIMMERHALL_NO_VBO"))) {
    caps.vertexBufferObjects = false;
    Log("VBO switched off on request");
  }
  if (caps.occlusionQueries && (ForcedPaths.noOcclusionQueries || Requested("GLIMMERHALL_NO_QUERIES"))) {
    caps.occlusionQueries = false;
    Log("Occlusion queries switched off on request");
  }
}

void CreateSnapshotTexture() {
  RendererState.snapshotSize = SnapshotSizeFor(RendererState.screenHeight);
  const int side = RendererState.snapshotSize;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, side, side, 0);
  RendererState.snapshotTexture = texture;
}

}  // namespace

int SnapshotSizeFor(int screenHeight) {
  if (screenHeight < 512) return 256;
  if (screenHeight < 1024) return 512;
  return 1024;
}

bool CreateWindowForSaver(const char* title, int width, int height, bool fullScreen) {
  platform::Platform& os = platform::Os();
  os.RegisterWindowClass(&SaverEvents());
  if (fullScreen && !os.DrawsIntoForeignWindow()) {
    ChangeDisplayForSaver(width, height);
    os.SetCursorVisible(false);
  }
  return os.CreateSaverWindow(title, width, height, fullScreen);
}

void StartOpenGL() {
  platform::Platform& os = platform::Os();
  Log("start init render");
  ResetFrameTimer(Timer);
  scene::Fades.elapsed = 0.0f;

  RendererState.clientRect = os.ClientRect();
  const int depth = RendererState.colorDepth;
  switch (os.SetPixelFormat(depth, depth, 32)) {
    case platform::PixelFormatResult::ChooseFailed:
      os.ShowMessage("ChoosePixelFormat failed", kErrorCaption);
      os.PostQuit();
      break;
    case platform::PixelFormatResult::SetFailed:
      os.ShowMessage("SetPixelFormat failed", kErrorCaption);
      os.PostQuit();
      break;
    case platform::PixelFormatResult::Ok:
      break;
  }
  os.CreateGLContext();
  RendererState.hasContext = true;
  os.WaitForRefreshOnSwap();

  const platform::Rect& client = RendererState.clientRect;
  SetViewport(client.right - client.left, client.bottom - client.top);

  scene::Fades.alpha = 1.0f;
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  os.SwapBuffers();

  CreateSnapshotTexture();

  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);

  Timer.timeScale = 50.0f;

  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) Log("Glew init failed!");

  ProbeCapabilities();
  Log("Model manager init");
  ApplyGammaAtStartup();
}

void SetViewport(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 3000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void ShutdownOpenGL() {
  platform::Platform& os = platform::Os();
  Log("Max fps: ", Timer.MaxFps);
  Log("Min fps: ", Timer.MinFps);
  Log("Fps: ", (Timer.MaxFps + Timer.MinFps) / 2.0f);
  if (RendererState.hasContext) {
    os.ReleaseGLContext();
    RendererState.hasContext = false;
  }
  if (RendererState.fullScreen && !os.DrawsIntoForeignWindow()) {
    os.RestoreDisplayMode();
    os.SetCursorVisible(true);
  }
  os.UnregisterWindowClass();
  os.PostQuit();
}

}  // namespace app
