#include "settings/settings.h"

#include "app/log.h"
#include "platform/platform.h"
#include "settings/default_settings.h"

namespace settings {

SettingsRecord Current;

const char* const kStoredValueNames[kStoredValueCount] = {
    "Resolution:",   "Gamma:",        "Fps:",          "Clock:",   "ExitMM:",   "Enable sound:",
    "Enable music:", "Music volume:", "Sound volume:", "Usemon:", "Style24h:",
};

namespace {

// The index the shipped defaults choose (1024 x 768 x 32); stands in when
// neither the store nor the default-settings text gives a usable one.
constexpr int32_t kFallbackModeIndex = 3;

uint32_t Stored(const char* name) {
  uint32_t value = 0;
  platform::Os().ReadStoredValue(name, value);  // a value that cannot be read counts as 0
  return value;
}

float Clamped(float value, float low, float high, const char* what) {
  if (value >= low && value <= high) return value;
  const float mended = value < low ? low : high;
  app::Log("Settings: ", what, " ", value, " is out of range; using ", mended);
  return mended;
}

}  // namespace

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

void LoadDefaults(SettingsRecord& settings) {
  settings.CurrRes = GetDefaultInteger("CurrRes");
  settings.Gamma = static_cast<float>(GetDefaultInteger("Gamma"));
  settings.ShowFPS = GetDefaultInteger("ShowFPS") != 0;
  settings.ShowTime = GetDefaultInteger("ShowTime") != 0;
  settings.ExitOnMouseMove = GetDefaultInteger("ExitOnMouseMove") != 0;
  settings.SFX = GetDefaultInteger("SFX") != 0;
  settings.Music = GetDefaultInteger("Music") != 0;
  settings.MusicVolume = static_cast<float>(GetDefaultInteger("MusicVolume"));
  // Both volumes come from the one key.
  settings.SoundVolume = static_cast<float>(GetDefaultInteger("MusicVolume"));
  settings.UseDktpSet = GetDefaultInteger("UseDktpSet") != 0;
  settings.DigClock_24H = GetDefaultInteger("DigClock_24H") != 0;
}

void SaveSettings(const SettingsRecord& settings) {
  const uint32_t values[kStoredValueCount] = {
      static_cast<uint32_t>(settings.CurrRes),
      static_cast<uint32_t>(settings.Gamma),  // truncated: 2.84 is stored as 2
      settings.ShowFPS ? 1u : 0u,
      settings.ShowTime ? 1u : 0u,
      settings.ExitOnMouseMove ? 1u : 0u,
      settings.SFX ? 1u : 0u,
      settings.Music ? 1u : 0u,
      static_cast<uint32_t>(settings.MusicVolume),
      static_cast<uint32_t>(settings.SoundVolume),
      settings.UseDktpSet ? 1u : 0u,
      settings.DigClock_24H ? 1u : 0u,
  };
  for (int i = 0; i < kStoredValueCount; ++i) platform::Os().WriteStoredValue(kStoredValueNames[i], values[i]);
}

void MendSettings(SettingsRecord& settings) {
  if (settings.CurrRes < 0 || settings.CurrRes >= kDisplayModeCount) {
    // The default text may itself be the source of the bad index.
    int32_t fallback = kFallbackModeIndex;
    if (HasDefaultEntry("CurrRes")) {
      const int32_t index = GetDefaultInteger("CurrRes");
      if (index >= 0 && index < kDesktopModeIndex) fallback = index;
    }
    app::Log("Settings: display mode index ", settings.CurrRes, " is out of range; using ", fallback);
    settings.CurrRes = fallback;
  }
  settings.Gamma = Clamped(settings.Gamma, 0.0f, 4.0f, "gamma");
  settings.MusicVolume = Clamped(settings.MusicVolume, 0.0f, 100.0f, "music volume");
  settings.SoundVolume = Clamped(settings.SoundVolume, 0.0f, 100.0f, "sound volume");
}

void LoadSettings(SettingsRecord& settings) {
  platform::Platform& os = platform::Os();
  uint32_t resolution = 0;
  if (!os.ReadStoredValue("Resolution:", resolution)) {
    LoadDefaults(settings);
    SaveSettings(settings);
  } else {
    settings.CurrRes = static_cast<int32_t>(Stored("Resolution:"));
    settings.Gamma = static_cast<float>(Stored("Gamma:"));
    settings.ShowFPS = Stored("Fps:") != 0;
    settings.ShowTime = Stored("Clock:") != 0;
    settings.ExitOnMouseMove = Stored("ExitMM:") != 0;
    settings.SFX = Stored("Enable sound:") != 0;
    settings.Music = Stored("Enable music:") != 0;
    settings.MusicVolume = static_cast<float>(Stored("Music volume:"));
    settings.SoundVolume = static_cast<float>(Stored("Sound volume:"));
    settings.UseDktpSet = Stored("Usemon:") != 0;
    settings.DigClock_24H = Stored("Style24h:") != 0;
  }
  MendSettings(settings);
  if (settings.UseDktpSet || settings.CurrRes == kDesktopModeIndex) {
    // Entry 10 is empty until filled; a stored 10 without UseDktpSet would
    // otherwise ask for a 0 x 0 display.
    const platform::Point desktop = os.DesktopSize();
    SelectDesktopMode(settings, desktop.x, desktop.y);
  }
}

}  // namespace settings
