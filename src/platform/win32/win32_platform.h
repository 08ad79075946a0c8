// The Windows side of the platform seam: the saver window, its WGL context and
// the kernel, registry and shell services the saver uses, all through the ANSI
// entry points so that every text the saver passes stays byte for byte as given.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
// windows.h comes before anything GL-related: gl.h needs its calling-convention
// macros when it is included on its own.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

class Win32Platform : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance) : instance_(instance) {}

  // System services (win32_system.cpp).
  ResourceBytes FindEmbedded(const char* type, int id) override;
  void ShowMessage(const char* text, const char* caption) override;
  bool ReadCounter(int64_t& value) override;
  int64_t CounterFrequency() override;
  uint32_t Milliseconds() override;
  LocalTime LocalClock() override;
  void SleepMilliseconds(uint32_t ms) override;
  Point CursorPosition() override;
  void MoveCursor(Point to) override;
  bool IsKeyDown(int virtualKey) override;
  void SetCursorVisible(bool visible) override;
  Point DesktopSize() override;
  std::string MakeTempFile(const char* prefix) override;
  void RemoveFile(const std::string& path) override;
  void OpenWebAddress(const char* url) override;
  bool ReadStoredValue(const char* name, uint32_t& value) override;
  void WriteStoredValue(const char* name, uint32_t value) override;
  [[noreturn]] void ExitProcess(int code) override;

  // Display, window, context and message queue (win32_window.cpp).
  DisplayChange ChangeDisplayMode(int width, int height) override;
  void RestoreDisplayMode() override;
  void RegisterWindowClass(WindowEvents* events) override;
  bool CreateSaverWindow(const char* title, int width, int height, bool fullScreen) override;
  Rect ClientRect() override;
  PixelFormatResult SetPixelFormat(int colorBits, int depthBits, int stencilBits) override;
  void CreateGLContext() override;
  void WaitForRefreshOnSwap() override;
  void SwapBuffers() override;
  void ReleaseGLContext() override;
  void UnregisterWindowClass() override;
  void DestroySaverWindow() override;
  PumpResult PumpMessage() override;
  void PostQuit() override;

  // The gamma ramp lives on a device context (win32_window.cpp).
  bool GetGammaRamp(uint16_t ramp[kGammaRampSize]) override;
  bool SetGammaRamp(const uint16_t ramp[kGammaRampSize]) override;

  // The options dialog of Configure mode (win32_dialog.cpp).
  void RunConfigureDialog() override;

  // The picture inside the control panel's preview window (win32_preview.cpp).
  bool CreatePreviewWindow(int32_t parent, WindowEvents* events) override;
  void ShowPreviewWindow() override;
  void DestroyPreviewWindow() override;

 private:
  HDC WindowDC();

  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC context_ = nullptr;
  HWND preview_ = nullptr;
};

}  // namespace platform
