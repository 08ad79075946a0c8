#include "platform/x11/x11_process_hooks.h"

#include <X11/Xproto.h>
#include <signal.h>
#include <unistd.h>

#include "app/log.h"

namespace platform {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kErrorsLogged = 20;  // a vanished window fails every frame's swap

volatile sig_atomic_t g_endSignals = 0;
struct sigaction g_previous[sizeof(kEndSignals) / sizeof(kEndSignals[0])];
bool g_installed = false;
XErrorHandler g_previousErrorHandler = nullptr;
XIOErrorHandler g_previousIoHandler = nullptr;
int g_errorCount = 0;
XID g_vanished = None;

void OnEndSignal(int) { g_endSignals = 1; }

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) g_vanished = error->resourceid;
  ++g_errorCount;
  if (g_errorCount <= kErrorsLogged) {
    char text[256] = {0};
    XGetErrorText(display, error->error_code, text, sizeof(text) - 1);
    app::Log("X error: ", text, " (request ", static_cast<int>(error->request_code), ".",
             static_cast<int>(error->minor_code), ", resource 0x", std::hex, error->resourceid, ")");
    if (g_errorCount == kErrorsLogged) app::Log("Further X errors are not logged");
  }
  return 0;
}

// The server went away or the connection broke: there is nothing left to
// draw on and nothing to restore, so leave without a word.
int OnXIoError(Display*) { _exit(1); }

}  // namespace

void InstallProcessHooks() {
  if (g_installed) return;
  g_installed = true;
  g_endSignals = 0;
  for (size_t i = 0; i < sizeof(kEndSignals) / sizeof(kEndSignals[0]); ++i) {
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(kEndSignals[i], &action, &g_previous[i]);
  }
  g_previousErrorHandler = XSetErrorHandler(OnXError);
  g_previousIoHandler = XSetIOErrorHandler(OnXIoError);
}

void RemoveProcessHooks() {
  if (!g_installed) return;
  g_installed = false;
  for (size_t i = 0; i < sizeof(kEndSignals) / sizeof(kEndSignals[0]); ++i)
    sigaction(kEndSignals[i], &g_previous[i], nullptr);
  XSetErrorHandler(g_previousErrorHandler);
  XSetIOErrorHandler(g_previousIoHandler);
}

bool TakeEndSignal() {
  if (g_endSignals == 0) return false;
  g_endSignals = 0;
  return true;
}

XID LastVanishedResource() { return g_vanished; }

}  // namespace platform
