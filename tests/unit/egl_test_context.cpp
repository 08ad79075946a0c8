#include "egl_test_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <vector>

EglTestContext::EglTestContext(int width, int height) { ok_ = Create(width, height); }

bool EglTestContext::Create(int width, int height) {
  // The platform-display entry point is an extension, so it has to be looked up.
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) {
    error_ = "eglGetPlatformDisplayEXT is not available";
    return false;
  }
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) {
    error_ = "no surfaceless Mesa display";
    return false;
  }
  if (!eglInitialize(display, nullptr, nullptr)) {
    error_ = "eglInitialize failed";
    return false;
  }
  display_ = display;

  if (!eglBindAPI(EGL_OPENGL_API)) {
    error_ = "desktop OpenGL is not available through EGL";
    return false;
  }

  const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLint count = 0;
  if (!eglChooseConfig(display, attributes, nullptr, 0, &count) || count <= 0) {
    error_ = "no pbuffer config for desktop OpenGL";
    return false;
  }
  std::vector<EGLConfig> configs(static_cast<size_t>(count));
  eglChooseConfig(display, attributes, configs.data(), count, &count);

  // eglChooseConfig treats the sizes as minimums and sorts deeper buffers
  // first, so an exact RGBA8 / depth-24 match has to be searched for.
  EGLConfig chosen = nullptr;
  for (EGLint n = 0; n < count && !chosen; ++n) {
    EGLint red = 0, green = 0, blue = 0, alpha = 0, depth = 0;
    eglGetConfigAttrib(display, configs[n], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, configs[n], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display, configs[n], EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(display, configs[n], EGL_ALPHA_SIZE, &alpha);
    eglGetConfigAttrib(display, configs[n], EGL_DEPTH_SIZE, &depth);
    if (red == 8 && green == 8 && blue == 8 && alpha == 8 && depth == 24) chosen = configs[n];
  }
  if (!chosen) {
    error_ = "no RGBA8 config with a 24-bit depth buffer";
    return false;
  }

  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, chosen, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) {
    error_ = "eglCreatePbufferSurface failed";
    return false;
  }
  surface_ = surface;

  EGLContext context = eglCreateContext(display, chosen, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) {
    error_ = "eglCreateContext failed";
    return false;
  }
  context_ = context;

  if (!eglMakeCurrent(display, surface, surface, context)) {
    error_ = "eglMakeCurrent failed";
    return false;
  }
  return true;
}

EglTestContext::~EglTestContext() {
  if (!display_) return;
  EGLDisplay display = display_;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display, context_);
  if (surface_) eglDestroySurface(display, surface_);
  eglTerminate(display);
}
