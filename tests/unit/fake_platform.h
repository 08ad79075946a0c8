// A platform without a display for the tests of the application shell and of
// the shared POSIX services: it keeps a gamma ramp in memory, answers the
// preview's calls from a script, and records what it was asked to do.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/posix_services.h"

namespace testing_support {

class FakePlatform : public platform::PosixServices {
 public:
  // Gamma: the display's ramp, and whether reading and writing it work.
  uint16_t ramp[platform::kGammaRampSize] = {};
  bool rampReadable = true;
  int rampWrites = 0;
  bool foreignWindow = false;

  // Preview: whether the window can be made, and what the pump returns pass
  // by pass (Empty once the script is used up; a close request is sent
  // through the events at the pass given).
  bool previewCreatable = true;
  std::vector<platform::PumpResult> pumps;
  int closeAtPass = -1;
  int passes = 0;
  int sleeps = 0;
  std::vector<std::string> calls;
  int32_t previewParent = 0;

  bool GetGammaRamp(uint16_t out[platform::kGammaRampSize]) override {
    if (!rampReadable) return false;
    std::memcpy(out, ramp, sizeof(ramp));
    return true;
  }
  bool SetGammaRamp(const uint16_t in[platform::kGammaRampSize]) override {
    std::memcpy(ramp, in, sizeof(ramp));
    ++rampWrites;
    return true;
  }
  bool DrawsIntoForeignWindow() override { return foreignWindow; }

  bool CreatePreviewWindow(int32_t parent, platform::WindowEvents* events) override {
    calls.push_back("create");
    previewParent = parent;
    events_ = events;
    return previewCreatable;
  }
  void ShowPreviewWindow() override { calls.push_back("show"); }
  void DestroyPreviewWindow() override { calls.push_back("destroy"); }
  platform::PumpResult PumpMessage() override {
    const int pass = passes++;
    if (pass == closeAtPass && events_) {
      events_->OnClose();
      return platform::PumpResult::Dispatched;
    }
    if (pass < static_cast<int>(pumps.size())) return pumps[pass];
    return platform::PumpResult::Empty;
  }
  void SleepMilliseconds(uint32_t ms) override {
    ++sleeps;
    PosixServices::SleepMilliseconds(ms);
  }

  platform::Point CursorPosition() override { return {}; }
  void MoveCursor(platform::Point) override {}
  bool IsKeyDown(int) override { return false; }
  void SetCursorVisible(bool) override {}
  platform::Point DesktopSize() override { return {}; }
  platform::DisplayChange ChangeDisplayMode(int, int) override { return platform::DisplayChange::Changed; }
  void RestoreDisplayMode() override {}
  void RegisterWindowClass(platform::WindowEvents*) override {}
  bool CreateSaverWindow(const char*, int, int, bool) override { return false; }
  platform::Rect ClientRect() override { return {}; }
  platform::PixelFormatResult SetPixelFormat(int, int, int) override {
    return platform::PixelFormatResult::ChooseFailed;
  }
  void CreateGLContext() override {}
  void WaitForRefreshOnSwap() override {}
  void SwapBuffers() override {}
  void ReleaseGLContext() override {}
  void UnregisterWindowClass() override {}
  void DestroySaverWindow() override {}
  void PostQuit() override {}

 private:
  platform::WindowEvents* events_ = nullptr;
};

}  // namespace testing_support
