// The saver window, the display mode it runs in, its WGL context, the message
// queue and the gamma ramp of its device context.
#include "platform/win32/win32_platform.h"

#include <cstring>

namespace platform {
namespace {

constexpr const char* kClassName = "Glimmerhall";
constexpr int kIconResource = 135;

// The window procedure has no way to reach the platform object, so the
// receiver of its events is kept here; there is only ever one saver window.
WindowEvents* g_events = nullptr;

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      // The space bar is the one key that leaves the saver running.
      if (wParam != VK_SPACE && g_events) g_events->OnKeyDown(static_cast<int>(wParam));
      return 0;
    case WM_CLOSE:
      if (g_events) g_events->OnClose();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

using SwapIntervalProc = BOOL(WINAPI*)(int interval);

}  // namespace

DisplayChange Win32Platform::ChangeDisplayMode(int width, int height) {
  DEVMODEA mode;
  std::memset(&mode, 0, sizeof(mode));
  mode.dmSize = sizeof(mode);
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return DisplayChange::EnumFailed;
  // Only the size changes: depth, refresh rate and the field mask stay those
  // of the mode the desktop is in.
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
    return DisplayChange::ChangeFailed;
  }
  return DisplayChange::Changed;
}

void Win32Platform::RestoreDisplayMode() { ChangeDisplaySettingsA(nullptr, 0); }

void Win32Platform::RegisterWindowClass(WindowEvents* events) {
  g_events = events;
  WNDCLASSA windowClass;
  std::memset(&windowClass, 0, sizeof(windowClass));
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = SaverWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(kIconResource));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = nullptr;
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kClassName;
  // A class left registered by an earlier window makes this fail harmlessly.
  RegisterClassA(&windowClass);
}

bool Win32Platform::CreateSaverWindow(const char* title, int width, int height, bool fullScreen) {
  const DWORD style = fullScreen ? (WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
                                 : (WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  RECT frame = {0, 0, width, height};
  AdjustWindowRect(&frame, style, FALSE);
  window_ = CreateWindowExA(0, kClassName, title, style, 0, 0, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, instance_, nullptr);
  if (!window_) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetFocus(window_);
  return true;
}

Rect Win32Platform::ClientRect() {
  RECT client = {0, 0, 0, 0};
  if (window_) GetClientRect(window_, &client);
  Rect result;
  result.left = client.left;
  result.top = client.top;
  result.right = client.right;
  result.bottom = client.bottom;
  return result;
}

HDC Win32Platform::WindowDC() {
  if (!dc_ && window_) dc_ = GetDC(window_);
  return dc_;
}

PixelFormatResult Win32Platform::SetPixelFormat(int colorBits, int depthBits, int stencilBits) {
  HDC dc = WindowDC();
  PIXELFORMATDESCRIPTOR format;
  std::memset(&format, 0, sizeof(format));
  format.nSize = 40;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = static_cast<BYTE>(colorBits);
  format.cDepthBits = static_cast<BYTE>(depthBits);
  format.cStencilBits = static_cast<BYTE>(stencilBits);
  const int chosen = ChoosePixelFormat(dc, &format);
  if (chosen == 0) return PixelFormatResult::ChooseFailed;
  if (!::SetPixelFormat(dc, chosen, &format)) return PixelFormatResult::SetFailed;
  return PixelFormatResult::Ok;
}

void Win32Platform::CreateGLContext() {
  HDC dc = WindowDC();
  context_ = wglCreateContext(dc);
  wglMakeCurrent(dc, context_);
}

void Win32Platform::WaitForRefreshOnSwap() {
  const PROC found = wglGetProcAddress("wglSwapIntervalEXT");
  if (!found) return;
  // PROC is the generic function type WGL hands out; the extension's own
  // signature is known.
  const auto swapInterval = reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void*>(found));
  swapInterval(1);
}

void Win32Platform::SwapBuffers() {
  if (dc_) ::SwapBuffers(dc_);
}

void Win32Platform::ReleaseGLContext() {
  if (context_) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
    context_ = nullptr;
  }
  if (dc_) {
    ReleaseDC(window_, dc_);
    dc_ = nullptr;
  }
}

void Win32Platform::UnregisterWindowClass() { UnregisterClassA(kClassName, instance_); }

void Win32Platform::DestroySaverWindow() {
  // A context borrowed after the GL shutdown (for the gamma ramp) goes back first.
  if (dc_) {
    ReleaseDC(window_, dc_);
    dc_ = nullptr;
  }
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

PumpResult Win32Platform::PumpMessage() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return PumpResult::Empty;
  if (message.message == WM_QUIT) return PumpResult::Quit;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return PumpResult::Dispatched;
}

void Win32Platform::PostQuit() { PostQuitMessage(0); }

bool Win32Platform::GetGammaRamp(uint16_t ramp[kGammaRampSize]) {
  // Before the window exists (or after it is gone) the screen's own context
  // carries the ramp.
  HDC dc = WindowDC();
  const bool borrowed = dc == nullptr;
  if (borrowed) dc = GetDC(nullptr);
  if (!dc) return false;
  const BOOL ok = GetDeviceGammaRamp(dc, ramp);
  if (borrowed) ReleaseDC(nullptr, dc);
  return ok != FALSE;
}

bool Win32Platform::SetGammaRamp(const uint16_t ramp[kGammaRampSize]) {
  HDC dc = WindowDC();
  const bool borrowed = dc == nullptr;
  if (borrowed) dc = GetDC(nullptr);
  if (!dc) return false;
  // The call does not write to the ramp, but its declaration takes a plain pointer.
  const BOOL ok = SetDeviceGammaRamp(dc, const_cast<uint16_t*>(ramp));
  if (borrowed) ReleaseDC(nullptr, dc);
  return ok != FALSE;
}

}  // namespace platform
