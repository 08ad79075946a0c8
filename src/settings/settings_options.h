// Settings given on the command line the way XScreenSaver hacks take their
// options (-fps, -no-clock, -volume 40, ...). They change the loaded values
// for one run; with --save they are also stored.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace settings {

struct SettingsOverrides {
  std::optional<bool> showFps, showTime, clock24h, music, sfx, exitOnMouseMove, useDesktopSize;
  std::optional<int> mode;
  std::optional<float> gamma, volume, musicVolume;
  bool save = false;

  bool Empty() const;
};

// The overrides the program's entry took from its arguments; empty on
// Windows, whose host passes no such options.
extern SettingsOverrides PendingOverrides;

// Takes the settings options out of args (args[0], the program, stays), so
// that the run-mode switches never see them. False with a message in error
// for an unknown value or one out of range.
bool TakeSettingsOptions(std::vector<std::string>& args, SettingsOverrides& overrides, std::string& error);

// Changes the record; with save, stores it, keeping a stored display mode
// unless a mode was given.
void ApplyOverrides(const SettingsOverrides& overrides, SettingsRecord& settings);

// Start-up applies PendingOverrides to Current after the stored settings are loaded.
void ApplyCommandLineOverrides();

// The options and what they do, one per line, for the configure description.
const char* SettingsOptionsHelp();

}  // namespace settings
