// Process-wide hooks the X11 platform needs: the end signals (the daemon
// stops a hack with SIGTERM; a terminal sends SIGINT or SIGHUP) and the Xlib
// error handlers. Xlib's own handlers end the process on the first error,
// which is wrong for a hack whose window its owner may destroy at any time.
#pragma once

#include <X11/Xlib.h>

namespace platform {

void InstallProcessHooks();
void RemoveProcessHooks();

// True once for each end signal received since the last call.
bool TakeEndSignal();

// The last window or drawable that a request failed on because it was gone
// (BadWindow, BadDrawable); None when there was none.
XID LastVanishedResource();

}  // namespace platform
