// The still picture as a child of someone else's X window (the Linux side of
// `/p WINDOWID`): made in the parent's visual, painted with XPutImage on every
// Expose, and gone with its parent.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace platform {

class X11PreviewWindow {
 public:
  explicit X11PreviewWindow(Display* display) : display_(display) {}
  ~X11PreviewWindow() { Destroy(); }

  // The picture is a Windows bitmap (the preview resource). False when the
  // parent does not exist, the picture cannot be read, or the window cannot
  // be made.
  bool Create(Window parent, const ResourceBytes& bitmap);
  void Show();
  void Paint();
  void Destroy();

  // True when the event concerns the picture or its parent; `closed` is set
  // when either of them went away.
  bool Handle(const XEvent& event, bool& closed);

  Window window() const { return window_; }
  Window parent() const { return parent_; }

 private:
  bool MakeImage(const XWindowAttributes& parent, const ResourceBytes& bitmap);

  Display* display_;
  Window parent_ = 0;
  Window window_ = 0;
  bool gone_ = false;
  GC gc_ = nullptr;
  XImage* image_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace platform
