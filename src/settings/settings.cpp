#include "settings/settings.h"

#include "platform/platform.h"

namespace settings {

SettingsRecord Current;

void InitialiseSettings(SettingsRecord& settings) {
  static const DisplayMode kModes[kDesktopModeIndex] = {
      {800, 600, 16},   {800, 600, 32},   {1024, 768, 16}, {1024, 768, 32},
      {1280, 1024, 16}, {1280, 1024, 32}, {1152, 864, 16}, {1152, 864, 32},
      {1600, 1200, 16}, {1600, 1200, 32},
  };
  settings = SettingsRecord();
  for (int i = 0; i < kDesktopModeIndex; ++i) settings.DisplayModes[i] = kModes[i];
}

void SelectDesktopMode(SettingsRecord& settings, int32_t desktopWidth, int32_t desktopHeight) {
  settings.DisplayModes[kDesktopModeIndex] = {desktopWidth, desktopHeight, 16};
  settings.CurrRes = kDesktopModeIndex;
}

void LoadSettings(SettingsRecord& settings) {
  if (settings.UseDktpSet) {
    const platform::Point desktop = platform::Os().DesktopSize();
    SelectDesktopMode(settings, desktop.x, desktop.y);
  }
}

}  // namespace settings
