// The window switches of the Linux program. They are taken out of the
// argument list before the screensaver switches (/s, /c, /p) are read: that
// reader acts on the first dash or slash it meets, so a leftover "-root" in
// front of "/c" would otherwise be taken for a Run switch.
#include <errno.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/x11/x11_platform.h"

namespace platform {
namespace {

// X resource ids are 29-bit numbers; anything beyond 32 bits is a typo.
bool ParseWindowId(const std::string& text, unsigned long& id) {
  const char* digits = text.c_str();
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    digits += 2;
    base = 16;
  }
  if (!std::isxdigit(static_cast<unsigned char>(digits[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long parsed = std::strtoull(digits, &end, base);
  if (errno != 0 || end == digits || *end != '\0' || parsed > 0xFFFFFFFFull) return false;
  id = static_cast<unsigned long>(parsed);
  return true;
}

std::string BadIdMessage(const std::string& where, const std::string& text) {
  return where + " needs a window id, decimal or 0x followed by hex digits; got \"" +
         text + "\"";
}

}  // namespace

bool TakeX11Options(std::vector<std::string>& args, X11Options& options, std::string& error) {
  bool windowChosen = false;
  std::vector<std::string> rest;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-root" || arg == "--root") {
      options.useExistingWindow = true;
      options.existingWindow = 0;
      options.ordinaryWindow = false;
      windowChosen = true;
    } else if (arg == "-window" || arg == "--window") {
      options.ordinaryWindow = true;
      options.useExistingWindow = false;
      options.existingWindow = 0;
      windowChosen = true;
    } else if (arg == "-window-id" || arg == "--window-id" || arg.rfind("--window-id=", 0) == 0) {
      std::string text;
      const size_t equals = arg.find('=');
      if (equals != std::string::npos) {
        text = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        text = args[++i];
      } else {
        error = arg + " needs a window id after it";
        return false;
      }
      unsigned long id = 0;
      if (!ParseWindowId(text, id)) {
        error = BadIdMessage(arg, text);
        return false;
      }
      options.useExistingWindow = true;
      options.existingWindow = id;
      options.ordinaryWindow = false;
      windowChosen = true;
    } else {
      rest.push_back(arg);
    }
  }

  // -root means the virtual root, as for every hack: under the daemon that is
  // the daemon's window (it covers the real root), elsewhere the real root.
  // A damaged id is an error only when the environment alone chose the window.
  const bool rootAskedFor = windowChosen && options.useExistingWindow && options.existingWindow == 0;
  const char* fromDaemon = std::getenv("XSCREENSAVER_WINDOW");
  if ((!windowChosen || rootAskedFor) && fromDaemon && fromDaemon[0]) {
    unsigned long id = 0;
    // The daemon's own format may carry spaces around the number.
    std::string text = fromDaemon;
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    if (ParseWindowId(text, id)) {
      options.useExistingWindow = true;
      options.existingWindow = id;
      options.ordinaryWindow = false;
    } else if (!rootAskedFor) {
      error = BadIdMessage("XSCREENSAVER_WINDOW", fromDaemon);
      return false;
    }
  }
  args.swap(rest);
  return true;
}

}  // namespace platform
