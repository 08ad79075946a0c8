// The full-screen saver window, the display mode and the OpenGL context.
#pragma once

namespace app {

// Registers the window class, switches the display when full screen, hides
// the cursor and creates the window. Returns false when no window came up.
bool CreateWindowForSaver(const char* title, int width, int height, bool fullScreen);

// Pixel format, context, initial state and the capability probe.
void StartOpenGL();

void SetViewport(int width, int height);

// Side of the cross-fade snapshot texture for a screen of this height.
int SnapshotSizeFor(int screenHeight);

// Writes the frame-rate summary, releases the context, restores the display,
// removes the window class and posts the quit message.
void ShutdownOpenGL();

}  // namespace app
