// The Linux desktop platform: Xlib for the window and input, GLX for OpenGL.
// It draws either into a full-screen window of its own, into an ordinary
// decorated window (-window), or into a window that a screensaver daemon hands
// it (XSCREENSAVER_WINDOW, -window-id, -root).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct X11Options {
  bool useExistingWindow = false;
  unsigned long existingWindow = 0;  // 0 with useExistingWindow means the root window
  bool ordinaryWindow = false;
};

// Takes the window switches out of the argument list, wherever they stand:
// -root / --root, -window-id ID / --window-id ID / --window-id=ID, and
// -window / --window. When none of them is given, XSCREENSAVER_WINDOW names
// the window. An ID is hexadecimal with a 0x prefix or decimal. On a
// malformed or missing ID it returns false and leaves a message for the
// user in error (without the program's name); the caller prints it and ends.
bool TakeX11Options(std::vector<std::string>& args, X11Options& options, std::string& error);

// Connects to the X server named by DISPLAY. Returns null, after a message on
// stderr, when there is no server to connect to.
std::unique_ptr<Platform> CreateX11Platform(const X11Options& options);

}  // namespace platform
