#include "app/preview.h"

#include <cstdlib>

#include "app/log.h"
#include "app/run_mode.h"

namespace app {
namespace {

constexpr uint32_t kIdleSleepMilliseconds = 1;

// The picture's window takes no input; a close request is all it reports.
class PreviewEvents : public platform::WindowEvents {
 public:
  void OnKeyDown(int) override {}
  void OnClose() override { RunMode = kModeLeaving; }
};

}  // namespace

int ShowPreviewUntilClosed(platform::Platform& os) {
  Log(ParentWindow);
  static PreviewEvents events;
  const bool created = os.CreatePreviewWindow(ParentWindow, &events);
  Log("Creating window...");
  if (!created) {
    Log("Create Window failed!");
    return 1;
  }
  // The lines the saver writes at the same point of its start-up; the still
  // picture needs no OpenGL.
  Log("Window is create");
  Log("OpenGL initialized");
  os.ShowPreviewWindow();

  while (RunMode == kModePreview) {
    if (os.PumpMessage() == platform::PumpResult::Quit) {
      RunMode = kModeLeaving;
      break;
    }
    // The host shows many pictures side by side; one that waits without
    // sleeping would take a whole core for a still image.
    os.SleepMilliseconds(kIdleSleepMilliseconds);
  }
  os.DestroyPreviewWindow();
  return 0;
}

int RunPreview() {
  const int code = ShowPreviewUntilClosed(platform::Os());
  if (code != 0) return code;
  // The runtime's own exit, not the platform's immediate one: static objects
  // (the log among them) are destroyed as after a return from main.
  std::exit(0);
}

}  // namespace app
