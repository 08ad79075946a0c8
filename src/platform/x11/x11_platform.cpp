#include "platform/x11/x11_platform.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/log.h"
#include "platform/posix/posix_services.h"
#include "platform/x11/x11_gamma.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_preview.h"
#include "platform/x11/x11_process_hooks.h"
#include "platform/x11/x11_visuals.h"

namespace platform {
namespace {

constexpr int kMapWaitMilliseconds = 2000;
constexpr int kKeyStates = 256;

using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalInt = int (*)(int);

bool HasExtension(const char* list, const char* name) {
  if (!list) return false;
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
    const bool starts = at == list || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

int ButtonKey(unsigned int button) {
  switch (button) {
    case Button1: return kKeyLeftButton;
    case Button2: return kKeyMiddleButton;
    case Button3: return kKeyRightButton;
    default: return 0;  // the wheel and extra buttons do nothing
  }
}

class X11Platform : public PosixServices {
 public:
  X11Platform(Display* display, const X11Options& options)
      : display_(display),
        options_(options),
        screen_(DefaultScreen(display)),
        root_(RootWindow(display, DefaultScreen(display))) {
    wmProtocols_ = XInternAtom(display_, "WM_PROTOCOLS", False);
    wmDeleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    // Without this a held key arrives as release/press pairs and the key
    // state would flicker between frames.
    XkbSetDetectableAutoRepeat(display_, True, nullptr);
    InstallProcessHooks();
  }

  ~X11Platform() override {
    preview_.Destroy();
    ReleaseGLContext();
    DestroySaverWindow();
    if (blankCursor_) XFreeCursor(display_, blankCursor_);
    FreeVisuals();
    XCloseDisplay(display_);
    RemoveProcessHooks();
  }

  // Input.
  Point CursorPosition() override {
    Window rootReturn = None, child = None;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    Point at;
    if (XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &windowX, &windowY, &mask)) {
      at.x = rootX;
      at.y = rootY;
    }
    return at;
  }

  void MoveCursor(Point to) override {
    XWarpPointer(display_, None, root_, 0, 0, 0, 0, to.x, to.y);
    XFlush(display_);
  }

  // A press stays visible to the next query even when its release has
  // already been taken from the queue: a synthetic click delivers both in
  // one burst, before any frame polls the button.
  bool IsKeyDown(int virtualKey) override {
    if (virtualKey <= 0 || virtualKey >= kKeyStates) return false;
    const bool down = keyDown_[virtualKey] || pressedSincePoll_[virtualKey];
    pressedSincePoll_[virtualKey] = false;
    return down;
  }

  void SetCursorVisible(bool visible) override {
    if (Foreign()) return;
    cursorHidden_ = !visible;
    ApplyCursor();
  }

  // Display.
  Point DesktopSize() override {
    return Point{DisplayWidth(display_, screen_), DisplayHeight(display_, screen_)};
  }

  // The video mode is never switched: the window covers the desktop at its
  // own size, so nothing on the monitor changes and nothing needs restoring
  // if the process dies.
  DisplayChange ChangeDisplayMode(int width, int height) override {
    if (Foreign() || options_.ordinaryWindow) return DisplayChange::Changed;
    const Point desktop = DesktopSize();
    if (width != desktop.x || height != desktop.y) {
      app::Log("Display mode left as it is: ", width, "x", height, " asked for, the desktop stays at ",
               desktop.x, "x", desktop.y);
    }
    return DisplayChange::Changed;
  }

  void RestoreDisplayMode() override {}

  // The window.
  void RegisterWindowClass(WindowEvents* events) override { events_ = events; }
  void UnregisterWindowClass() override {}

  bool CreateSaverWindow(const char* title, int width, int height, bool fullScreen) override {
    if (window_) return true;
    if (Foreign()) return AttachForeignWindow();
    ordinary_ = options_.ordinaryWindow || !fullScreen;
    const Point desktop = DesktopSize();
    width_ = (ordinary_ && width > 0) ? width : desktop.x;
    height_ = (ordinary_ && height > 0) ? height : desktop.y;

    windowVisual_ = ChooseWindowVisual(display_, screen_);
    Visual* visual = windowVisual_ ? windowVisual_->visual : DefaultVisual(display_, screen_);
    const int depth = windowVisual_ ? windowVisual_->depth : DefaultDepth(display_, screen_);
    colormap_ = XCreateColormap(display_, root_, visual, AllocNone);

    XSetWindowAttributes attributes{};
    attributes.colormap = colormap_;
    attributes.border_pixel = 0;
    attributes.background_pixel = 0;  // black on every true-colour visual: no flash before the first frame
    attributes.override_redirect = ordinary_ ? False : True;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            ExposureMask | StructureNotifyMask | FocusChangeMask;
    const unsigned long mask = CWColormap | CWBorderPixel | CWBackPixel | CWOverrideRedirect | CWEventMask;
    window_ = XCreateWindow(display_, root_, 0, 0, static_cast<unsigned>(width_),
                            static_cast<unsigned>(height_), 0, depth, InputOutput, visual, mask, &attributes);
    if (!window_) return false;
    ownWindow_ = true;
    NameWindow(title ? title : "");

    if (ordinary_) {
      XSetWMProtocols(display_, window_, &wmDeleteWindow_, 1);
      XSizeHints hints{};
      hints.flags = PSize;
      hints.width = width_;
      hints.height = height_;
      XSetWMNormalHints(display_, window_, &hints);
    } else {
      // Window managers do not manage an override-redirect window; the hint
      // is for those that look at it anyway (compositors unredirecting it).
      const Atom state = XInternAtom(display_, "_NET_WM_STATE", False);
      Atom fullscreenState = XInternAtom(display_, "_NET_WM_STATE_FULLSCREEN", False);
      XChangeProperty(display_, window_, state, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&fullscreenState), 1);
    }
    ApplyCursor();
    XMapRaised(display_, window_);
    if (WaitForMap()) {
      XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
      if (!ordinary_) {
        // Keys pressed anywhere must reach the saver, even if some other
        // client grabs the focus back.
        keyboardGrabbed_ = XGrabKeyboard(display_, window_, True, GrabModeAsync, GrabModeAsync,
                                         CurrentTime) == GrabSuccess;
        if (!keyboardGrabbed_) app::Log("Keyboard not grabbed; keys reach the saver only while it has the focus");
      }
    } else {
      app::Log("The window was not mapped within ", kMapWaitMilliseconds, " ms");
    }
    XFlush(display_);
    return true;
  }

  Rect ClientRect() override {
    if (Foreign() && window_) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display_, window_, &attributes)) {
        width_ = attributes.width;
        height_ = attributes.height;
      }
    }
    return Rect{0, 0, width_, height_};
  }

  PixelFormatResult SetPixelFormat(int /*colorBits*/, int depthBits, int /*stencilBits*/) override {
    // The colour depth is the desktop's, just as the display mode is; only
    // the depth buffer is asked for, and never more than 24 bits, which is
    // the most any X server offers.
    const int wantedDepth = depthBits < 0 ? 0 : (depthBits > 24 ? 24 : depthBits);
    if (!window_) return PixelFormatResult::SetFailed;
    if (Foreign()) return UseForeignVisual(wantedDepth);

    const VisualTraits traits = TraitsOf(display_, windowVisual_);
    if (windowVisual_ && traits.openGL && traits.rgba && traits.doubleBuffered &&
        traits.depthBits >= wantedDepth) {
      glVisual_ = windowVisual_;
      return PixelFormatResult::Ok;
    }
    XVisualInfo* possible = ChooseGLVisual(display_, screen_, wantedDepth);
    if (!possible) return PixelFormatResult::ChooseFailed;
    // A visual exists, but the window was made with another one, and an X
    // window's visual is fixed at creation, as a Windows pixel format is.
    app::Log("The window's visual 0x", std::hex, possible->visualid, std::dec,
             " does not fit the window created earlier");
    XFree(possible);
    return PixelFormatResult::SetFailed;
  }

  void CreateGLContext() override {
    if (context_) return;
    if (!glVisual_) {
      app::Log("No OpenGL context: the window has no usable visual");
      return;
    }
    context_ = glXCreateContext(display_, glVisual_, nullptr, True);
    if (!context_) {
      app::Log("glXCreateContext failed");
      return;
    }
    if (!glXMakeCurrent(display_, window_, context_)) app::Log("glXMakeCurrent failed");
  }

  void WaitForRefreshOnSwap() override {
    if (!context_) return;
    const char* extensions = glXQueryExtensionsString(display_, screen_);
    const auto address = [](const char* name) {
      return glXGetProcAddress(reinterpret_cast<const GLubyte*>(name));
    };
    if (HasExtension(extensions, "GLX_EXT_swap_control")) {
      if (auto set = reinterpret_cast<SwapIntervalExt>(address("glXSwapIntervalEXT"))) {
        set(display_, window_, 1);
        return;
      }
    }
    if (HasExtension(extensions, "GLX_MESA_swap_control")) {
      if (auto set = reinterpret_cast<SwapIntervalInt>(address("glXSwapIntervalMESA"))) {
        set(1);
        return;
      }
    }
    if (HasExtension(extensions, "GLX_SGI_swap_control")) {
      if (auto set = reinterpret_cast<SwapIntervalInt>(address("glXSwapIntervalSGI"))) set(1);
    }
  }

  void SwapBuffers() override {
    if (context_ && window_ && !windowGone_) glXSwapBuffers(display_, window_);
  }

  void ReleaseGLContext() override {
    if (!context_) return;
    glXMakeCurrent(display_, None, nullptr);
    glXDestroyContext(display_, context_);
    context_ = nullptr;
  }

  void DestroySaverWindow() override {
    if (!window_) return;
    if (ownWindow_) {
      if (keyboardGrabbed_) XUngrabKeyboard(display_, CurrentTime);
      keyboardGrabbed_ = false;
      XDestroyWindow(display_, window_);
      if (colormap_) XFreeColormap(display_, colormap_);
      colormap_ = 0;
    } else if (!windowGone_) {
      XSelectInput(display_, window_, NoEventMask);
    }
    XSync(display_, False);
    window_ = 0;
    ownWindow_ = false;
  }

  bool DrawsIntoForeignWindow() override { return Foreign(); }

  PumpResult PumpMessage() override {
    if (TakeEndSignal()) return Close();
    if (quitPosted_) {
      quitPosted_ = false;
      return PumpResult::Quit;
    }
    if (Foreign() && window_ && !windowGone_ && LastVanishedResource() == window_) {
      windowGone_ = true;
      return Close();
    }
    if (preview_.window() && LastVanishedResource() == preview_.parent()) return Close();
    if (XPending(display_) <= 0) return PumpResult::Empty;
    XEvent event;
    XNextEvent(display_, &event);
    Dispatch(event);
    return PumpResult::Dispatched;
  }

  void PostQuit() override { quitPosted_ = true; }

  // Preview: the picture inside the host's window, given by its id.
  bool CreatePreviewWindow(int32_t parent, WindowEvents* events) override {
    events_ = events;
    return preview_.Create(static_cast<Window>(static_cast<uint32_t>(parent)), FindEmbedded("Bitmap", 144));
  }
  void ShowPreviewWindow() override { preview_.Show(); }
  void DestroyPreviewWindow() override { preview_.Destroy(); }

  // Only the saver's own full-screen window changes the display's gamma: in
  // an ordinary window the rest of the desktop would change with it, and in
  // the daemon's window the daemon owns the ramp for its fades.
  bool GetGammaRamp(uint16_t ramp[kGammaRampSize]) override {
    if (Foreign() || ordinary_ || !window_) return false;
    return gamma_.Read(ramp);
  }
  bool SetGammaRamp(const uint16_t ramp[kGammaRampSize]) override {
    if (Foreign() || ordinary_ || !window_) return false;
    return gamma_.Write(ramp);
  }

 private:
  bool Foreign() const { return options_.useExistingWindow; }

  PumpResult Close() {
    if (!events_) return PumpResult::Quit;
    events_->OnClose();
    return PumpResult::Dispatched;
  }

  bool AttachForeignWindow() {
    const Window target = options_.existingWindow ? options_.existingWindow : root_;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, target, &attributes)) {
      std::fprintf(stderr, "glimmerhall: window 0x%lx does not exist\n", target);
      app::Log("Window 0x", std::hex, target, " cannot be drawn into: it does not exist");
      return false;
    }
    window_ = target;
    ownWindow_ = false;
    width_ = attributes.width;
    height_ = attributes.height;
    // Only structure events: key and button presses belong to the daemon
    // (and button presses can be selected by one client alone).
    XSelectInput(display_, window_, StructureNotifyMask | ExposureMask);
    XFlush(display_);
    return true;
  }

  PixelFormatResult UseForeignVisual(int wantedDepth) {
    XVisualInfo* visual = VisualOfWindow(display_, window_);
    const VisualTraits traits = TraitsOf(display_, visual);
    if (!visual || !traits.openGL || !traits.rgba || !traits.doubleBuffered) {
      app::Log("Window 0x", std::hex, window_, " has visual 0x", visual ? visual->visualid : 0, std::dec,
               ", which OpenGL cannot draw into as double-buffered RGBA");
      if (visual) XFree(visual);
      return PixelFormatResult::SetFailed;
    }
    // The owner chose the visual; a shallower depth buffer is drawn with
    // rather than refused.
    if (traits.depthBits < wantedDepth)
      app::Log("Window visual has a ", traits.depthBits, "-bit depth buffer, ", wantedDepth, " asked for");
    FreeVisuals();
    windowVisual_ = visual;
    glVisual_ = visual;
    return PixelFormatResult::Ok;
  }

  void NameWindow(const char* title) {
    XStoreName(display_, window_, title);
    const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    XChangeProperty(display_, window_, netName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
    XClassHint classHint{};
    char name[] = "glimmerhall";
    char className[] = "Glimmerhall";
    classHint.res_name = name;
    classHint.res_class = className;
    XSetClassHint(display_, window_, &classHint);
  }

  // Focus can only be given to a viewable window, so creation waits for the
  // server to report the map; other events stay queued for the main loop.
  bool WaitForMap() {
    XFlush(display_);
    for (int waited = 0; waited <= kMapWaitMilliseconds; waited += 20) {
      XEvent event;
      if (XCheckTypedWindowEvent(display_, window_, MapNotify, &event)) return true;
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, 20);
    }
    return false;
  }

  void ApplyCursor() {
    if (!ownWindow_ || !window_ || ordinary_) return;
    if (cursorHidden_) {
      if (!blankCursor_) {
        static const char kNoBits[1] = {0};
        const Pixmap blank = XCreateBitmapFromData(display_, window_, kNoBits, 1, 1);
        XColor black{};
        blankCursor_ = XCreatePixmapCursor(display_, blank, blank, &black, &black, 0, 0);
        XFreePixmap(display_, blank);
      }
      XDefineCursor(display_, window_, blankCursor_);
    } else {
      XUndefineCursor(display_, window_);
    }
    XFlush(display_);
  }

  void Dispatch(XEvent& event) {
    bool previewClosed = false;
    if (preview_.Handle(event, previewClosed)) {
      if (previewClosed && events_) events_->OnClose();
      return;
    }
    switch (event.type) {
      case KeyPress: {
        if (Foreign()) break;
        const KeySym keysym = XLookupKeysym(&event.xkey, 0);
        const int key = VirtualKeyFromKeysym(keysym);
        keyDown_[key] = true;
        pressedSincePoll_[key] = true;
        switch (ClassifyKeyPress(keysym, (event.xkey.state & Mod1Mask) != 0)) {
          case KeyPressKind::Ordinary:
            if (events_) events_->OnKeyDown(key);
            break;
          case KeyPressKind::Close:
            if (events_) events_->OnClose();
            break;
          case KeyPressKind::System:
            break;
        }
        break;
      }
      case KeyRelease:
        keyDown_[VirtualKeyFromKeysym(XLookupKeysym(&event.xkey, 0))] = false;
        break;
      case ButtonPress:
      case ButtonRelease: {
        if (Foreign()) break;
        const int key = ButtonKey(event.xbutton.button);
        if (!key) break;
        keyDown_[key] = event.type == ButtonPress;
        if (event.type == ButtonPress) pressedSincePoll_[key] = true;
        break;
      }
      case FocusOut:
        // Releases that happen elsewhere never arrive; forget what was held.
        for (bool& down : keyDown_) down = false;
        break;
      case ClientMessage:
        if (event.xclient.window == window_ && event.xclient.message_type == wmProtocols_ &&
            static_cast<Atom>(event.xclient.data.l[0]) == wmDeleteWindow_ && events_)
          events_->OnClose();
        break;
      case ConfigureNotify:
        if (event.xconfigure.window == window_) {
          width_ = event.xconfigure.width;
          height_ = event.xconfigure.height;
        }
        break;
      case DestroyNotify:
        if (event.xdestroywindow.window == window_ && !ownWindow_) {
          windowGone_ = true;
          if (events_) events_->OnClose();
        }
        break;
      default:
        break;  // Expose and the rest: the next frame redraws everything
    }
  }

  void FreeVisuals() {
    if (windowVisual_) XFree(windowVisual_);
    if (glVisual_ && glVisual_ != windowVisual_) XFree(glVisual_);
    windowVisual_ = nullptr;
    glVisual_ = nullptr;
  }

  Display* display_;
  X11Options options_;
  int screen_;
  Window root_;
  Atom wmProtocols_ = None;
  Atom wmDeleteWindow_ = None;
  X11Gamma gamma_{display_, root_};
  X11PreviewWindow preview_{display_};

  WindowEvents* events_ = nullptr;
  Window window_ = 0;
  bool ownWindow_ = false;
  bool ordinary_ = false;
  bool windowGone_ = false;
  bool keyboardGrabbed_ = false;
  int width_ = 0;
  int height_ = 0;
  Colormap colormap_ = 0;
  XVisualInfo* windowVisual_ = nullptr;  // the visual the window has
  XVisualInfo* glVisual_ = nullptr;      // the one the context is made for, once accepted
  GLXContext context_ = nullptr;

  bool cursorHidden_ = false;
  Cursor blankCursor_ = 0;
  bool quitPosted_ = false;
  bool keyDown_[kKeyStates] = {};
  bool pressedSincePoll_[kKeyStates] = {};
};

}  // namespace

std::unique_ptr<Platform> CreateX11Platform(const X11Options& options) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "glimmerhall: cannot open the X display \"%s\"\n", name ? name : "");
    return nullptr;
  }
  return std::make_unique<X11Platform>(display, options);
}

}  // namespace platform
