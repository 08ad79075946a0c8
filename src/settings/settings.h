// The user's choices, one process-wide record read by every part of the saver.
#pragma once

#include <cstdint>

namespace settings {

struct DisplayMode {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
};

constexpr int kDisplayModeCount = 11;
constexpr int kDesktopModeIndex = 10;

struct SettingsRecord {
  DisplayMode DisplayModes[kDisplayModeCount];
  int32_t CurrRes = 0;
  float Gamma = 3.0f;
  bool ShowFPS = false;
  bool ShowTime = true;
  bool ExitOnMouseMove = true;
  bool SFX = false;
  bool Music = false;
  float MusicVolume = 1.0f;
  float SoundVolume = 1.0f;
  bool UseDktpSet = true;
  bool DigClock_24H = false;
};

extern SettingsRecord Current;

// The built-in values, display modes 0 to 9 included.
void InitialiseSettings(SettingsRecord& settings);

// Fills the record at start-up. Until stored settings exist this keeps the
// built-in values; with UseDktpSet it selects the desktop's own size.
void LoadSettings(SettingsRecord& settings);

// Entry 10 becomes the desktop's size at 16 bits and is selected.
void SelectDesktopMode(SettingsRecord& settings, int32_t desktopWidth, int32_t desktopHeight);

}  // namespace settings
