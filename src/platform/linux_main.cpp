// Entry point of the Linux build: the X11 desktop and XScreenSaver window,
// or, with --headless, the offscreen runner used by tests and snapshots.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/entry.h"
#include "app/renderer_state.h"
#include "app/run_mode.h"
#include "platform/headless/headless_options.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "platform/x11/x11_platform.h"
#include "scene/scene_camera.h"
#include "settings/settings_options.h"

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

// The long spelling of the configure switch becomes the one the run-mode
// reader knows.
void TranslateConfigure(std::vector<std::string>& args) {
  for (size_t i = 1; i < args.size(); ++i)
    if (args[i] == "--configure") args[i] = "/c";
}

// Settings options alone mean a run with them; with --save they mean "store
// these", which then shows what is stored instead of starting the saver.
void AddSwitchForSettingsOptions(std::vector<std::string>& args) {
  if (HasSwitch(args) || settings::PendingOverrides.Empty()) return;
  args.push_back(settings::PendingOverrides.save ? "/c" : "/s");
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

  // Settings options come out first: the run-mode reader takes any argument
  // with a dash for a switch, so an options-only call must still mean Run.
  if (!settings::TakeSettingsOptions(args, settings::PendingOverrides, error)) {
    std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
    return 2;
  }
  TranslateConfigure(args);

  if (WantsHeadless(args)) {
    platform::HeadlessOptions options;
    if (!platform::TakeHeadlessOptions(args, options, error)) {
      std::fprintf(stderr, "glimmerhall: %s\n", error.c_str());
      return 2;
    }
    if (options.seeded) std::srand(options.seed);
    app::ForcedPaths.noVertexBuffer = options.noVertexBuffer;
    app::ForcedPaths.noOcclusionQueries = options.noOcclusionQueries;
    app::ForcedPaths.noParticles = options.noParticles;
    scene::ForcedFirstCamera = static_cast<int32_t>(options.firstCamera);
    AddSwitchForSettingsOptions(args);
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
    AddSwitchForSettingsOptions(args);
    // Configure only prints; it needs no display, so it works over ssh too.
    int32_t parent = 0;
    if (app::ParseCommandLine(CommandLineOf(args).c_str(), parent) == app::kModeConfigure)
      os = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    else
      os = platform::CreateX11Platform(options);
    if (!os) return 1;
  }

  platform::SetOs(os.get());
  const int code = app::GlimmerhallMain(nullptr, CommandLineOf(args).c_str());
  os.reset();
  platform::SetOs(nullptr);
  return code;
}
