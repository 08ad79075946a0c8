// GLX visuals: picking one for a window we create, and judging the visual of
// a window someone else created.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

struct VisualTraits {
  bool openGL = false;
  bool rgba = false;
  bool doubleBuffered = false;
  int depthBits = 0;
};

VisualTraits TraitsOf(Display* display, XVisualInfo* visual);

// An RGBA, double-buffered visual with at least depthBits of depth buffer, or
// null. The caller frees it with XFree.
XVisualInfo* ChooseGLVisual(Display* display, int screen, int depthBits);

// The visual the saver's own window is created with, before the pixel format
// is asked for: the deepest depth buffer on offer (24, else 16, else any),
// since every request is a minimum of at most 24 bits. Null when the server
// has no double-buffered RGBA visual at all.
XVisualInfo* ChooseWindowVisual(Display* display, int screen);

// The visual of an existing window, or null when the window cannot be read.
XVisualInfo* VisualOfWindow(Display* display, Window window);

}  // namespace platform
