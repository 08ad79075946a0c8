// The one seam between the saver and the operating system. Everything outside
// src/platform/ reaches the system only through the process-wide Platform
// returned by Os(); the three implementations are Win32, X11 and headless EGL.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Virtual-key codes as Windows numbers them; the other platforms translate
// their own key codes into these.
constexpr int kKeyLeftButton = 0x01;
constexpr int kKeyRightButton = 0x02;
constexpr int kKeyMiddleButton = 0x04;
constexpr int kKeyEscape = 0x1B;
constexpr int kKeySpace = 0x20;
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;

struct LocalTime {  // the fields of a SYSTEMTIME, in its order
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct ResourceBytes {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
};

enum class DisplayChange { Changed, EnumFailed, ChangeFailed };
enum class PixelFormatResult { Ok, ChooseFailed, SetFailed };
enum class PumpResult { Empty, Quit, Dispatched };

constexpr int kGammaRampSize = 3 * 256;

// What the saver window's procedure hands on to portable code.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnKeyDown(int virtualKey) = 0;
  virtual void OnClose() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Resources embedded in the executable, by type name and numeric id.
  virtual ResourceBytes FindEmbedded(const char* type, int id) = 0;

  // A modal box with an OK button and no owner window.
  virtual void ShowMessage(const char* text, const char* caption) = 0;

  // Clocks: the high-resolution counter, the multimedia millisecond clock
  // and the local calendar time.
  virtual bool ReadCounter(int64_t& value) = 0;
  virtual int64_t CounterFrequency() = 0;
  virtual uint32_t Milliseconds() = 0;
  virtual LocalTime LocalClock() = 0;
  virtual void SleepMilliseconds(uint32_t ms) = 0;

  // Input.
  virtual Point CursorPosition() = 0;
  virtual void MoveCursor(Point to) = 0;
  virtual bool IsKeyDown(int virtualKey) = 0;
  virtual void SetCursorVisible(bool visible) = 0;

  // Display.
  virtual Point DesktopSize() = 0;
  virtual DisplayChange ChangeDisplayMode(int width, int height) = 0;
  virtual void RestoreDisplayMode() = 0;

  // The saver window and its OpenGL context.
  virtual void RegisterWindowClass(WindowEvents* events) = 0;
  virtual bool CreateSaverWindow(const char* title, int width, int height, bool fullScreen) = 0;
  virtual Rect ClientRect() = 0;
  virtual PixelFormatResult SetPixelFormat(int colorBits, int depthBits, int stencilBits) = 0;
  virtual void CreateGLContext() = 0;
  // Lets the buffer swap wait for the display's refresh where the driver allows it.
  virtual void WaitForRefreshOnSwap() = 0;
  virtual void SwapBuffers() = 0;
  virtual void ReleaseGLContext() = 0;
  virtual void UnregisterWindowClass() = 0;
  virtual void DestroySaverWindow() = 0;
  // True when the saver draws into a window someone else owns (a screensaver
  // daemon's): the display, the cursor and the gamma ramp are left alone and
  // input does not end the run.
  virtual bool DrawsIntoForeignWindow() { return false; }

  // One pass of the message queue: takes at most one message and dispatches it.
  virtual PumpResult PumpMessage() = 0;
  virtual void PostQuit() = 0;

  // The display's gamma ramp: red, green, blue, 256 entries each.
  virtual bool GetGammaRamp(uint16_t ramp[kGammaRampSize]) = 0;
  virtual bool SetGammaRamp(const uint16_t ramp[kGammaRampSize]) = 0;

  // Files: a new, empty temporary file whose name starts with the prefix,
  // and its removal.
  virtual std::string MakeTempFile(const char* prefix) = 0;
  virtual void RemoveFile(const std::string& path) = 0;

  virtual void OpenWebAddress(const char* url) = 0;

  // Called before the audio library looks for devices: where the system's
  // sound layer prints its own complaints (a machine without a sound card),
  // they go to the log instead of the terminal.
  virtual void QuietenAudioSystem() {}
  // False where nobody listens: the offscreen runner of tests and snapshots
  // plays its music only into a capture file.
  virtual bool HasAudioDevice() { return true; }

  // The store of the user's settings: named 32-bit values under one key.
  virtual bool ReadStoredValue(const char* name, uint32_t& value) = 0;
  virtual void WriteStoredValue(const char* name, uint32_t value) = 0;

  // Preview mode: the still picture inside a host's preview window, parent
  // being the host's window (a window handle on Windows, an X window id on
  // Linux). The picture's window is made and shown as the host's child;
  // events->OnClose() reports the host asking it to close, or the host's
  // window going away. False when it cannot be made (no such parent, or a
  // platform without windows); nothing needs destroying then.
  virtual bool CreatePreviewWindow(int32_t /*parent*/, WindowEvents* /*events*/) { return false; }
  // Shows the picture's window again and paints it at once.
  virtual void ShowPreviewWindow() {}
  virtual void DestroyPreviewWindow() {}

  // Configure mode: the options dialog where there is one (Windows), a
  // description of the stored settings elsewhere. Returns when it is closed.
  virtual void RunConfigureDialog() {}

  [[noreturn]] virtual void ExitProcess(int code) = 0;
};

Platform& Os();
void SetOs(Platform* platform);

}  // namespace platform
