#include "platform/x11/x11_visuals.h"

#include <GL/glx.h>

#include <initializer_list>

namespace platform {

VisualTraits TraitsOf(Display* display, XVisualInfo* visual) {
  VisualTraits traits;
  if (!visual) return traits;
  int value = 0;
  if (glXGetConfig(display, visual, GLX_USE_GL, &value) != 0 || !value) return traits;
  traits.openGL = true;
  if (glXGetConfig(display, visual, GLX_RGBA, &value) == 0) traits.rgba = value != 0;
  if (glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &value) == 0) traits.doubleBuffered = value != 0;
  if (glXGetConfig(display, visual, GLX_DEPTH_SIZE, &value) == 0) traits.depthBits = value;
  return traits;
}

XVisualInfo* ChooseGLVisual(Display* display, int screen, int depthBits) {
  // GLX sizes are minimums; no stencil minimum is given, because the
  // 32 stencil bits the Windows format names exist on no X server and there
  // the driver simply picks the closest format.
  int attributes[] = {GLX_RGBA,       GLX_DOUBLEBUFFER, GLX_RED_SIZE,   1, GLX_GREEN_SIZE, 1,
                      GLX_BLUE_SIZE,  1,                GLX_DEPTH_SIZE, depthBits > 0 ? depthBits : 0,
                      None};
  return glXChooseVisual(display, screen, attributes);
}

XVisualInfo* ChooseWindowVisual(Display* display, int screen) {
  for (int depth : {24, 16, 1, 0}) {
    if (XVisualInfo* visual = ChooseGLVisual(display, screen, depth)) return visual;
  }
  return nullptr;
}

XVisualInfo* VisualOfWindow(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || !attributes.visual) return nullptr;
  XVisualInfo wanted{};
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  wanted.screen = XScreenNumberOfScreen(attributes.screen);
  int count = 0;
  return XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count);
}

}  // namespace platform
