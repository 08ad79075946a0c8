// Entry point of the Linux build: the X11 desktop and XScreenSaver window,
// or, with --headless, the offscreen runner used by tests and snapshots.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/entry.h"
#include "platform/headless/headless_options.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "platform/x11/x11_platform.h"

namespace {

bool HasSwitch(const std::vector<std::string>& args) {
  for (size_t i = 1; i < args.size(); ++i)
    if (!args[i].empty() && (args[i][0] == '/' || args[i][0] == '-')) return true;
  return false;
}

// The run-mode switches read the command line the way the Windows host
// passes it: the program, then the arguments separated by spaces.
std::string CommandLineOf(const std::vector<std::string>& args) {
  std::string line = "glimmerhall";
  for (size_t i = 1; i < args.size(); ++i) line += " " + args[i];
  return line;
}

bool WantsHeadless(const std::vector<std::string>& args) {
  for (size_t i = 1; i < args.size(); ++i)
    if (args[i] == "--headless") return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  std::unique_ptr<platform::Platform> os;
  std::string error;

  if (WantsHeadless(args)) {
    platform::HeadlessOptions options;
    if (!platform::TakeHeadlessOptions(args, options, error)) {
      std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
      return 2;
    }
    if (options.seeded) std::srand(options.seed);
    // The runner shows the saver itself unless another mode is asked for.
    if (!HasSwitch(args)) args.push_back("/s");
    os = platform::CreateHeadlessPlatform(options);
  } else {
    platform::X11Options options;
    if (!platform::TakeX11Options(args, options, error)) {
      std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
      return 2;
    }
    // Inside another program's window, or in a window of our own, it can only mean Run.
    if ((options.useExistingWindow || options.ordinaryWindow) && !HasSwitch(args))
      args.push_back("/s");
    os = platform::CreateX11Platform(options);
    if (!os) return 1;
  }

  platform::SetOs(os.get());
  const int code = app::GlimmerhallMain(nullptr, CommandLineOf(args).c_str());
  os.reset();
  platform::SetOs(nullptr);
  return code;
}
