// ALSA prints every failed probe of a missing card to stderr, and the JACK
// client its failure to reach a server; PortAudio probes both. The lines are
// kept, a few of them, in the log.
#include <alsa/asoundlib.h>
#include <dlfcn.h>
#include <stdlib.h>

#include <cstdarg>
#include <cstdio>

#include "app/log.h"
#include "platform/posix/posix_services.h"

namespace platform {
namespace {

constexpr int kLinesLogged = 5;
int g_linesSeen = 0;

void LogAlsaMessage(const char* file, int line, const char* function, int error, const char* format, ...) {
  (void)error;
  if (++g_linesSeen > kLinesLogged) return;
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  app::Log("ALSA: ", text, " (", file ? file : "?", ":", line, " ", function ? function : "", ")");
}

void LogJackMessage(const char* text) {
  if (++g_linesSeen > kLinesLogged) return;
  app::Log("JACK: ", text ? text : "");
}

}  // namespace

void PosixServices::QuietenAudioSystem() {
  snd_lib_error_set_handler(LogAlsaMessage);
  // A saver never starts a sound server of its own.
  setenv("JACK_NO_START_SERVER", "1", 0);
  // The JACK client library comes in with PortAudio where it was built with
  // JACK support; it is looked up rather than linked, as it may be absent.
  using MessageSetter = void (*)(void (*)(const char*));
  for (const char* name : {"jack_set_error_function", "jack_set_info_function"}) {
    if (void* setter = dlsym(RTLD_DEFAULT, name)) reinterpret_cast<MessageSetter>(setter)(LogJackMessage);
  }
}

}  // namespace platform
