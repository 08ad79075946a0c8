#include "app/exit_conditions.h"

#include <cstdlib>

#include "app/run_mode.h"
#include "scene/camera.h"
#include "settings/settings.h"

namespace app {

CursorTrack Cursor;

void SaverWindowEvents::OnKeyDown(int virtualKey) {
  if (virtualKey == platform::kKeySpace) return;
  // In a window someone else owns, that owner decides when the saver stops.
  if (platform::Os().DrawsIntoForeignWindow()) return;
  RunMode = kModeLeaving;
}

void SaverWindowEvents::OnClose() { RunMode = kModeLeaving; }

SaverWindowEvents& SaverEvents() {
  static SaverWindowEvents events;
  return events;
}

void PollInput() {
  platform::Platform& os = platform::Os();
  if (os.DrawsIntoForeignWindow()) return;  // the owner of the window decides when we stop
  if (os.IsKeyDown(platform::kKeyLeftButton)) RunMode = kModeLeaving;
  if (os.IsKeyDown(platform::kKeyUp)) scene::MoveCurrentCamera(0.0f, 0.0f, -14.8f);
  if (os.IsKeyDown(platform::kKeyDown)) scene::MoveCurrentCamera(0.0f, 0.0f, 7.8f);
  if (os.IsKeyDown(platform::kKeyLeft)) scene::MoveCurrentCamera(-7.8f, 0.0f, 0.0f);
  if (os.IsKeyDown(platform::kKeyRight)) scene::MoveCurrentCamera(7.8f, 0.0f, 0.0f);
}

bool CursorJumped(platform::Point previous, platform::Point current) {
  return std::abs(current.x - previous.x) > 30 || std::abs(current.y - previous.y) > 30;
}

void ResetCursorTrack() {
  platform::Platform& os = platform::Os();
  Cursor.current = os.CursorPosition();
  Cursor.previous = os.CursorPosition();
}

void TestMouseMoveExit() {
  if (!settings::Current.ExitOnMouseMove) return;
  if (platform::Os().DrawsIntoForeignWindow()) return;
  Cursor.current = platform::Os().CursorPosition();
  if (CursorJumped(Cursor.previous, Cursor.current)) RunMode = kModeLeaving;
  Cursor.previous = Cursor.current;
}

}  // namespace app
