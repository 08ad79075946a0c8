#include "platform/x11/x11_preview.h"

#include <X11/Xutil.h>

#include <cstdlib>
#include <string>

#include "app/log.h"
#include "assets/bmp_decoder.h"

namespace platform {
namespace {

// The position of a mask's lowest bit and its width, to place an 8-bit
// channel in a pixel of any true-colour visual.
void MaskShape(unsigned long mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  if (mask == 0) return;
  while (!(mask & 1UL)) {
    mask >>= 1;
    ++shift;
  }
  while (mask & 1UL) {
    mask >>= 1;
    ++bits;
  }
}

unsigned long Place(uint8_t value, int shift, int bits) {
  if (bits <= 0) return 0;
  const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                         : static_cast<unsigned long>(value) >> (8 - bits);
  return scaled << shift;
}

}  // namespace

bool X11PreviewWindow::MakeImage(const XWindowAttributes& parent, const ResourceBytes& bitmap) {
  std::string error;
  const std::optional<assets::DecodedImage> picture = assets::DecodeBmp(bitmap.data, bitmap.size, error);
  if (!picture) {
    app::Log("Preview picture unreadable: ", error);
    return false;
  }
  Visual* visual = parent.visual;
  if (!visual || (visual->c_class != TrueColor && visual->c_class != DirectColor)) {
    app::Log("Preview needs a true-colour window");
    return false;
  }
  width_ = picture->width;
  height_ = picture->height;
  char* data = static_cast<char*>(std::calloc(static_cast<size_t>(width_) * height_, 4));
  if (!data) return false;
  image_ = XCreateImage(display_, visual, static_cast<unsigned>(parent.depth), ZPixmap, 0, data,
                        static_cast<unsigned>(width_), static_cast<unsigned>(height_), 32, 0);
  if (!image_) {
    std::free(data);
    return false;
  }
  int redShift, redBits, greenShift, greenBits, blueShift, blueBits;
  MaskShape(visual->red_mask, redShift, redBits);
  MaskShape(visual->green_mask, greenShift, greenBits);
  MaskShape(visual->blue_mask, blueShift, blueBits);
  // The decoder keeps a bitmap's bottom-up row order.
  for (int y = 0; y < height_; ++y) {
    const uint8_t* row = picture->pixels.data() + static_cast<size_t>(height_ - 1 - y) * width_ * 3;
    for (int x = 0; x < width_; ++x) {
      const uint8_t* rgb = row + x * 3;
      XPutPixel(image_, x, y,
                Place(rgb[0], redShift, redBits) | Place(rgb[1], greenShift, greenBits) |
                    Place(rgb[2], blueShift, blueBits));
    }
  }
  return true;
}

bool X11PreviewWindow::Create(Window parent, const ResourceBytes& bitmap) {
  if (parent == 0 || !bitmap.data) return false;
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, parent, &attributes)) return false;
  if (!MakeImage(attributes, bitmap)) return false;

  // The parent's visual, depth and colour map, so the child needs nothing of
  // its own; the picture keeps its size at the parent's top-left corner.
  XSetWindowAttributes set{};
  set.background_pixel = 0;
  set.event_mask = ExposureMask | StructureNotifyMask;
  window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width_), static_cast<unsigned>(height_),
                          0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &set);
  if (!window_) return false;
  parent_ = parent;
  // The parent's own destruction is reported to us as well.
  XSelectInput(display_, parent, attributes.your_event_mask | StructureNotifyMask);
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  XSync(display_, False);
  return true;
}

void X11PreviewWindow::Show() {
  if (!window_ || gone_) return;
  XMapRaised(display_, window_);
  Paint();
}

void X11PreviewWindow::Paint() {
  if (!window_ || gone_ || !image_ || !gc_) return;
  XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, static_cast<unsigned>(width_),
            static_cast<unsigned>(height_));
  XFlush(display_);
}

bool X11PreviewWindow::Handle(const XEvent& event, bool& closed) {
  closed = false;
  if (!window_) return false;
  const Window about = event.xany.window;
  if (event.type == Expose && about == window_) {
    if (event.xexpose.count == 0) Paint();
    return true;
  }
  if (event.type == DestroyNotify &&
      (event.xdestroywindow.window == window_ || event.xdestroywindow.window == parent_)) {
    // Destroying the parent destroys the child with it.
    gone_ = true;
    closed = true;
    return true;
  }
  return about == window_ || about == parent_;
}

void X11PreviewWindow::Destroy() {
  if (gc_) XFreeGC(display_, gc_);
  gc_ = nullptr;
  if (image_) XDestroyImage(image_);  // frees the pixel data too
  image_ = nullptr;
  if (window_ && !gone_) XDestroyWindow(display_, window_);
  if (window_) XSync(display_, False);
  window_ = 0;
  parent_ = 0;
  gone_ = false;
}

}  // namespace platform
