#pragma once

namespace app {

// Pumps messages and draws a frame whenever the queue is empty, while the
// run lasts; then shuts everything down in order.
void RunMainLoop();

void ShutdownRun();

}  // namespace app
