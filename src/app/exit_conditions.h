// The ways a run ends: keys and the close message at the window procedure,
// the left button at the input poll, and a jump of the cursor between frames.
#pragma once

#include "platform/platform.h"

namespace app {

class SaverWindowEvents : public platform::WindowEvents {
 public:
  void OnKeyDown(int virtualKey) override;  // every key but the space bar ends the run
  void OnClose() override;
};

SaverWindowEvents& SaverEvents();

// After each frame: the left button ends the run, the arrow keys move the camera.
void PollInput();

// More than 30 pixels along either axis since the previous frame.
bool CursorJumped(platform::Point previous, platform::Point current);

struct CursorTrack {
  platform::Point current;
  platform::Point previous;
};
extern CursorTrack Cursor;

// Reads the cursor into both points, so that what happened before does not
// count as movement.
void ResetCursorTrack();

// The mouse-move exit test of the per-frame step.
void TestMouseMoveExit();

}  // namespace app
