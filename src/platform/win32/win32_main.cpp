// The process entry point of the Windows screensaver: installs the Win32
// platform and hands the raw command line to the portable start-up.
#include "app/entry.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*arguments*/,
                   int /*showCommand*/) {
  // Lives for the whole process: ExitProcess may end it from anywhere.
  static platform::Win32Platform os(instance);
  platform::SetOs(&os);
  // The full line, program path included: the parser skips the path itself.
  return app::GlimmerhallMain(instance, GetCommandLineA());
}
