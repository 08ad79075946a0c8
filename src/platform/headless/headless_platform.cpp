#include "platform/headless/headless_platform.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/headless/egl_offscreen.h"
#include "platform/gl_api.h"
#include "platform/headless/png_writer.h"
#include "platform/posix/posix_services.h"

namespace platform {
namespace {

// With a fixed frame time the counter runs at 55 million counts a second,
// so one tick of dt is exactly a million counts.
constexpr int64_t kVirtualFrequency = 55'000'000;
constexpr double kCountsPerTick = 1'000'000.0;

class HeadlessPlatform : public PosixServices {
 public:
  explicit HeadlessPlatform(const HeadlessOptions& options)
      : options_(options), started_(std::chrono::steady_clock::now()) {}

  ~HeadlessPlatform() override { WriteFrameTimes(); }

  // Clocks: virtual when the frame time is fixed, real otherwise.
  bool ReadCounter(int64_t& value) override {
    if (!options_.fixedFrameTime) return PosixServices::ReadCounter(value);
    value = virtualCounter_;
    return true;
  }
  int64_t CounterFrequency() override {
    return options_.fixedFrameTime ? kVirtualFrequency : PosixServices::CounterFrequency();
  }
  uint32_t Milliseconds() override {
    if (!options_.fixedFrameTime) return PosixServices::Milliseconds();
    // The seed moves the virtual clock, so that whatever seeds itself from
    // the clock (the camera choice) follows the seed.
    const uint32_t start = options_.seeded ? options_.seed : 0;
    return start + static_cast<uint32_t>(virtualCounter_ / (kVirtualFrequency / 1000));
  }
  LocalTime LocalClock() override {
    if (!options_.fixedClock) return PosixServices::LocalClock();
    return ClockPlusElapsed();
  }

  Point CursorPosition() override { return cursor_; }
  void MoveCursor(Point to) override { cursor_ = to; }
  bool IsKeyDown(int virtualKey) override {
    return virtualKey == kKeyLeftButton && buttonHeldThroughFrame_ >= framesDrawn_;
  }
  void SetCursorVisible(bool) override {}

  Point DesktopSize() override { return {options_.width, options_.height}; }
  DisplayChange ChangeDisplayMode(int, int) override { return DisplayChange::Changed; }
  void RestoreDisplayMode() override {}

  void RegisterWindowClass(WindowEvents* events) override { events_ = events; }
  bool CreateSaverWindow(const char*, int, int, bool) override {
    windowOpen_ = true;
    return true;
  }
  Rect ClientRect() override { return {0, 0, options_.width, options_.height}; }
  PixelFormatResult SetPixelFormat(int, int, int) override {
    std::string error;
    if (egl_.ChooseConfig(error)) return PixelFormatResult::Ok;
    std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
    return PixelFormatResult::ChooseFailed;
  }
  void CreateGLContext() override {
    std::string error;
    if (!egl_.CreateContext(options_.width, options_.height, error))
      std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
  }
  void WaitForRefreshOnSwap() override {}  // offscreen frames never wait
  void SwapBuffers() override;
  void ReleaseGLContext() override { egl_.Release(); }
  void UnregisterWindowClass() override {}
  void DestroySaverWindow() override { windowOpen_ = false; }

  PumpResult PumpMessage() override;
  void PostQuit() override { quitPosted_ = true; }

  bool HasAudioDevice() override { return false; }

  bool GetGammaRamp(uint16_t ramp[kGammaRampSize]) override;
  bool SetGammaRamp(const uint16_t ramp[kGammaRampSize]) override;

 private:
  LocalTime ClockPlusElapsed() const;
  void WriteSnapshot(const std::string& path);
  void WriteFrameTimes();

  HeadlessOptions options_;
  EglOffscreen egl_;
  WindowEvents* events_ = nullptr;
  bool windowOpen_ = false;
  bool quitPosted_ = false;
  bool closeSent_ = false;
  int64_t virtualCounter_ = 0;
  long swaps_ = 0;        // the first swap is the black screen of the OpenGL start-up
  long framesDrawn_ = 0;  // frames of the main loop presented so far
  long buttonHeldThroughFrame_ = -1;
  size_t nextEvent_ = 0;
  Point cursor_{options_.width / 2, options_.height / 2};
  std::chrono::steady_clock::time_point started_;
  std::chrono::steady_clock::time_point lastSwap_;
  std::vector<double> frameMilliseconds_;
  double startupMilliseconds_ = -1.0;
  double firstFrameUnixMs_ = -1.0;
};

LocalTime HeadlessPlatform::ClockPlusElapsed() const {
  std::tm start = {};
  start.tm_year = options_.clock.year - 1900;
  start.tm_mon = options_.clock.month - 1;
  start.tm_mday = options_.clock.day;
  start.tm_hour = options_.clock.hour;
  start.tm_min = options_.clock.minute;
  start.tm_sec = options_.clock.second;
  int64_t elapsedMs = 0;
  if (options_.fixedFrameTime) {
    elapsedMs = virtualCounter_ / (kVirtualFrequency / 1000);
  } else {
    elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - started_)
                    .count();
  }
  // Calendar arithmetic in UTC so that no daylight-saving change interferes.
  const time_t base = timegm(&start);
  const time_t now = base + static_cast<time_t>(elapsedMs / 1000);
  std::tm local = {};
  gmtime_r(&now, &local);
  LocalTime time;
  time.year = static_cast<uint16_t>(local.tm_year + 1900);
  time.month = static_cast<uint16_t>(local.tm_mon + 1);
  time.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
  time.day = static_cast<uint16_t>(local.tm_mday);
  time.hour = static_cast<uint16_t>(local.tm_hour);
  time.minute = static_cast<uint16_t>(local.tm_min);
  time.second = static_cast<uint16_t>(local.tm_sec);
  time.milliseconds = static_cast<uint16_t>(elapsedMs % 1000);
  return time;
}

void HeadlessPlatform::SwapBuffers() {
  const long frame = swaps_++;
  for (const SnapshotRequest& request : options_.snapshots)
    if (request.frame == frame) WriteSnapshot(request.file);
  if (options_.snapshotEvery > 0 && frame > 0 && frame % options_.snapshotEvery == 0) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06ld.png", frame);
    std::error_code ignored;
    std::filesystem::create_directories(options_.snapshotDir, ignored);
    WriteSnapshot((std::filesystem::path(options_.snapshotDir) / name).string());
  }
  // A pbuffer swap presents nothing; finishing the frame makes it cost what
  // a real present costs, so frame times mean something.
  glFinish();
  egl_.Swap();

  const auto now = std::chrono::steady_clock::now();
  if (frame == 1) {
    startupMilliseconds_ = std::chrono::duration<double, std::milli>(now - started_).count();
    firstFrameUnixMs_ = std::chrono::duration<double, std::milli>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
  }
  if (frame >= 2) frameMilliseconds_.push_back(std::chrono::duration<double, std::milli>(now - lastSwap_).count());
  lastSwap_ = now;
  if (frame > 0) framesDrawn_ = frame;
  if (options_.fixedFrameTime)
    virtualCounter_ += static_cast<int64_t>(options_.frameTimeTicks * kCountsPerTick + 0.5);
}

void HeadlessPlatform::WriteSnapshot(const std::string& path) {
  std::string error;
  const std::vector<uint8_t> pixels = ReadFramebuffer(options_.width, options_.height);
  if (WritePng(path, options_.width, options_.height, pixels, error))
    std::printf("snapshot: %s\n", path.c_str());
  else
    std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
  std::fflush(stdout);
}

PumpResult HeadlessPlatform::PumpMessage() {
  if (quitPosted_) {
    quitPosted_ = false;
    return PumpResult::Quit;
  }
  if (nextEvent_ < options_.events.size() && options_.events[nextEvent_].frame <= framesDrawn_) {
    const ScriptedEvent& event = options_.events[nextEvent_++];
    switch (event.kind) {
      case ScriptedEventKind::Key:
        if (events_) events_->OnKeyDown(event.key);
        break;
      case ScriptedEventKind::Close:
        if (events_) events_->OnClose();
        break;
      case ScriptedEventKind::Move:
        cursor_ = event.position;
        break;
      case ScriptedEventKind::Click:
        // Held down until the poll after the next frame has seen it.
        buttonHeldThroughFrame_ = framesDrawn_ + 1;
        break;
    }
    return PumpResult::Dispatched;
  }
  const bool timeIsUp = options_.runSeconds > 0.0 &&
                        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count() >=
                            options_.runSeconds;
  if (!closeSent_ && (framesDrawn_ >= options_.frames || timeIsUp)) {
    closeSent_ = true;
    if (events_) events_->OnClose();
    return PumpResult::Dispatched;
  }
  return PumpResult::Empty;
}

bool HeadlessPlatform::GetGammaRamp(uint16_t ramp[kGammaRampSize]) {
  if (options_.gammaRampFile.empty()) return false;
  std::ifstream in(options_.gammaRampFile, std::ios::binary);
  unsigned char bytes[2 * kGammaRampSize];
  if (!in.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
  for (int i = 0; i < kGammaRampSize; ++i) ramp[i] = static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  return true;
}

bool HeadlessPlatform::SetGammaRamp(const uint16_t ramp[kGammaRampSize]) {
  if (options_.gammaRampFile.empty()) return true;
  unsigned char bytes[2 * kGammaRampSize];
  for (int i = 0; i < kGammaRampSize; ++i) {
    bytes[2 * i] = static_cast<unsigned char>(ramp[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<unsigned char>(ramp[i] >> 8);
  }
  std::ofstream out(options_.gammaRampFile, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes), sizeof bytes);
  return static_cast<bool>(out);
}

void HeadlessPlatform::WriteFrameTimes() {
  if (options_.frameTimesFile.empty()) return;
  std::ofstream out(options_.frameTimesFile, std::ios::trunc);
  out.precision(15);
  out << "startup_ms " << startupMilliseconds_ << '\n';
  out << "first_frame_unix_ms " << firstFrameUnixMs_ << '\n';
  for (double ms : frameMilliseconds_) out << ms << '\n';
}

}  // namespace

std::unique_ptr<Platform> CreateHeadlessPlatform(const HeadlessOptions& options) {
  return std::make_unique<HeadlessPlatform>(options);
}

}  // namespace platform
