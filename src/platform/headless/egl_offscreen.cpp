#include "platform/headless/egl_offscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <vector>

namespace platform {
namespace {

EGLDisplay OpenDisplay() {
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay) {
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY) return display;
  }
  return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

EGLint Attribute(EGLDisplay display, EGLConfig config, EGLint name) {
  EGLint value = 0;
  eglGetConfigAttrib(display, config, name, &value);
  return value;
}

}  // namespace

EglOffscreen::~EglOffscreen() { Release(); }

bool EglOffscreen::ChooseConfig(std::string& error) {
  if (!initialised_) {
    EGLDisplay display = OpenDisplay();
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
      error = "EGL could not be initialised";
      return false;
    }
    display_ = display;
    initialised_ = true;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    error = "EGL has no desktop OpenGL";
    return false;
  }
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                           EGL_RED_SIZE,     8,               EGL_GREEN_SIZE,      8,
                           EGL_BLUE_SIZE,    8,               EGL_ALPHA_SIZE,      8,
                           EGL_DEPTH_SIZE,   24,              EGL_NONE};
  EGLint count = 0;
  eglChooseConfig(display_, wanted, nullptr, 0, &count);
  std::vector<EGLConfig> configs(count > 0 ? count : 1);
  if (count <= 0 || !eglChooseConfig(display_, wanted, configs.data(), count, &count)) {
    error = "no RGBA8 configuration with a depth buffer";
    return false;
  }
  // Deeper colour formats are listed first; take exactly 8 bits a channel.
  for (EGLConfig config : configs) {
    if (Attribute(display_, config, EGL_RED_SIZE) == 8 &&
        Attribute(display_, config, EGL_GREEN_SIZE) == 8 &&
        Attribute(display_, config, EGL_BLUE_SIZE) == 8 &&
        Attribute(display_, config, EGL_ALPHA_SIZE) == 8 &&
        Attribute(display_, config, EGL_DEPTH_SIZE) == 24) {
      config_ = config;
      return true;
    }
  }
  error = "no RGBA8 configuration with a 24-bit depth buffer";
  return false;
}

bool EglOffscreen::CreateContext(int width, int height, std::string& error) {
  if (!config_) {
    error = "no EGL configuration chosen";
    return false;
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface_ = eglCreatePbufferSurface(display_, config_, size);
  if (surface_ == EGL_NO_SURFACE) {
    surface_ = nullptr;
    error = "the offscreen surface could not be created";
    return false;
  }
  // No attributes: the compatibility profile, where the fixed-function
  // pipeline and client-side arrays work.
  context_ = eglCreateContext(display_, config_, EGL_NO_CONTEXT, nullptr);
  if (context_ == EGL_NO_CONTEXT) {
    context_ = nullptr;
    error = "the OpenGL context could not be created";
    return false;
  }
  if (!eglMakeCurrent(display_, surface_, surface_, context_)) {
    error = "the OpenGL context could not be made current";
    return false;
  }
  return true;
}

void EglOffscreen::Swap() {
  if (display_ && surface_) eglSwapBuffers(display_, surface_);
}

void EglOffscreen::Release() {
  if (!initialised_) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display_, context_);
  if (surface_) eglDestroySurface(display_, surface_);
  context_ = surface_ = nullptr;
  config_ = nullptr;
  eglTerminate(display_);
  display_ = nullptr;
  initialised_ = false;
}

}  // namespace platform
