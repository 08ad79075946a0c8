#pragma once

namespace app {

// Run mode: window, OpenGL, loading and music, then the main loop.
void RunSaver();

}  // namespace app
