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

// The names of the eleven stored values, in the order they are read and written.
constexpr int kStoredValueCount = 11;
extern const char* const kStoredValueNames[kStoredValueCount];

// Fills the record at start-up from the store; on first run (no stored
// "Resolution:") from the defaults, which are then stored. Values that would
// harm the run are mended (see MendSettings). With UseDktpSet the desktop's
// own size is selected.
void LoadSettings(SettingsRecord& settings);

// Copies the default-settings table into the record.
void LoadDefaults(SettingsRecord& settings);

// Writes all eleven values to the store.
void SaveSettings(const SettingsRecord& settings);

// Keeps what the rest of the saver relies on: CurrRes 0..10 (else the
// default index), Gamma 0..4, volumes 0..100. Each change is logged.
void MendSettings(SettingsRecord& settings);

// Entry 10 becomes the desktop's size at 16 bits and is selected.
void SelectDesktopMode(SettingsRecord& settings, int32_t desktopWidth, int32_t desktopHeight);

}  // namespace settings
