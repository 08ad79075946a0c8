#include "settings/settings_options.h"

#include <cerrno>
#include <cstdlib>

#include "app/log.h"
#include "platform/platform.h"

namespace settings {

SettingsOverrides PendingOverrides;

namespace {

struct Switch {
  const char* on;
  const char* off;
  std::optional<bool> SettingsOverrides::*field;
};

const Switch kSwitches[] = {
    {"-fps", "-no-fps", &SettingsOverrides::showFps},
    {"-clock", "-no-clock", &SettingsOverrides::showTime},
    {"-24h", "-12h", &SettingsOverrides::clock24h},
    {"-music", "-no-music", &SettingsOverrides::music},
    {"-sound", "-no-sound", &SettingsOverrides::sfx},
    {"-exit-on-mouse-move", "-no-exit-on-mouse-move", &SettingsOverrides::exitOnMouseMove},
};

// A plain decimal number, with an optional fraction, between low and high.
bool ParseNumber(const std::string& text, float low, float high, bool whole, float& value) {
  if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return false;
  errno = 0;
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
  if (whole && parsed != static_cast<double>(static_cast<long>(parsed))) return false;
  value = static_cast<float>(parsed);
  return true;
}

}  // namespace

bool SettingsOverrides::Empty() const {
  return !showFps && !showTime && !clock24h && !music && !sfx && !exitOnMouseMove && !useDesktopSize &&
         !mode && !gamma && !volume && !musicVolume && !save;
}

bool TakeSettingsOptions(std::vector<std::string>& args, SettingsOverrides& overrides, std::string& error) {
  std::vector<std::string> kept;
  if (!args.empty()) kept.push_back(args[0]);
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool taken = false;
    for (const Switch& s : kSwitches) {
      if (arg == s.on || arg == s.off) {
        overrides.*s.field = arg == s.on;
        taken = true;
      }
    }
    if (taken) continue;
    if (arg == "--save") {
      overrides.save = true;
    } else if (arg == "-desktop-size") {
      overrides.useDesktopSize = true;
      overrides.mode.reset();
    } else if (arg == "-mode" || arg == "-gamma" || arg == "-volume" || arg == "-music-volume") {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      const std::string& text = args[++i];
      float value = 0;
      if (arg == "-mode") {
        if (!ParseNumber(text, 0, kDisplayModeCount - 1, true, value)) {
          error = "-mode needs a display mode number from 0 to 10, not '" + text + "'";
          return false;
        }
        overrides.mode = static_cast<int>(value);
        overrides.useDesktopSize = false;
      } else if (arg == "-gamma") {
        if (!ParseNumber(text, 0, 4, false, value)) {
          error = "-gamma needs a number from 0 to 4, not '" + text + "'";
          return false;
        }
        overrides.gamma = value;
      } else {
        if (!ParseNumber(text, 0, 100, true, value)) {
          error = arg + " needs a whole number from 0 to 100, not '" + text + "'";
          return false;
        }
        (arg == "-volume" ? overrides.volume : overrides.musicVolume) = value;
      }
    } else {
      kept.push_back(arg);
    }
  }
  args.swap(kept);
  return true;
}

void ApplyOverrides(const SettingsOverrides& o, SettingsRecord& settings) {
  if (o.showFps) settings.ShowFPS = *o.showFps;
  if (o.showTime) settings.ShowTime = *o.showTime;
  if (o.clock24h) settings.DigClock_24H = *o.clock24h;
  if (o.music) settings.Music = *o.music;
  if (o.sfx) settings.SFX = *o.sfx;
  if (o.exitOnMouseMove) settings.ExitOnMouseMove = *o.exitOnMouseMove;
  if (o.gamma) settings.Gamma = *o.gamma;
  if (o.volume) settings.SoundVolume = *o.volume;
  if (o.musicVolume) settings.MusicVolume = *o.musicVolume;
  if (o.useDesktopSize) settings.UseDktpSet = *o.useDesktopSize;

  // In memory a desktop run selects entry 10; the store keeps the list index.
  uint32_t storedMode = 0;
  if (!platform::Os().ReadStoredValue("Resolution:", storedMode) || storedMode > kDisplayModeCount - 1)
    storedMode = static_cast<uint32_t>(settings.CurrRes == kDesktopModeIndex ? 3 : settings.CurrRes);
  const int32_t modeToStore = o.mode ? *o.mode : static_cast<int32_t>(storedMode);

  if (o.mode) settings.CurrRes = *o.mode;
  if (settings.UseDktpSet || settings.CurrRes == kDesktopModeIndex) {
    const platform::Point desktop = platform::Os().DesktopSize();
    SelectDesktopMode(settings, desktop.x, desktop.y);
  }
  if (o.save) {
    SettingsRecord stored = settings;
    stored.CurrRes = modeToStore;
    SaveSettings(stored);
    app::Log("Settings from the command line saved");
  }
}

void ApplyCommandLineOverrides() {
  if (PendingOverrides.Empty()) return;
  ApplyOverrides(PendingOverrides, Current);
  app::Log("Settings changed from the command line");
}

const char* SettingsOptionsHelp() {
  return "  -fps | -no-fps                 frame-rate readout\n"
         "  -clock | -no-clock             clock and countdown\n"
         "  -24h | -12h                    clock style\n"
         "  -music | -no-music             background music\n"
         "  -sound | -no-sound             sound effects flag\n"
         "  -volume N                      output volume, 0 to 100\n"
         "  -music-volume N                music volume, 0 to 100\n"
         "  -gamma N                       gamma, 0 to 4 (stored as a whole number)\n"
         "  -exit-on-mouse-move | -no-exit-on-mouse-move\n"
         "  -desktop-size | -mode N        the desktop's own size, or display mode N (0 to 10)\n"
         "  --save                         store the options given with it\n";
}

}  // namespace settings
