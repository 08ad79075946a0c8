// The operating-system services that every Linux platform shares: clocks,
// temporary files, the settings file, message text on stderr, opening a web
// address. The X11 desktop platform and the headless runner derive from it and
// add the window, input and OpenGL parts.
#pragma once

#include <string>

#include "platform/platform.h"

namespace platform {

class PosixServices : public Platform {
 public:
  PosixServices() = default;

  ResourceBytes FindEmbedded(const char* type, int id) override;
  void ShowMessage(const char* text, const char* caption) override;

  bool ReadCounter(int64_t& value) override;
  int64_t CounterFrequency() override;
  uint32_t Milliseconds() override;
  LocalTime LocalClock() override;
  void SleepMilliseconds(uint32_t ms) override;

  std::string MakeTempFile(const char* prefix) override;
  void RemoveFile(const std::string& path) override;

  void OpenWebAddress(const char* url) override;
  void QuietenAudioSystem() override;

  bool ReadStoredValue(const char* name, uint32_t& value) override;
  void WriteStoredValue(const char* name, uint32_t value) override;

  // There is no dialog on Linux: prints the stored values, where they live
  // and how to change them.
  void RunConfigureDialog() override;

  [[noreturn]] void ExitProcess(int code) override;
};

// The file that holds the stored settings: $XDG_CONFIG_HOME/glimmerhall/settings,
// with ~/.config standing in when XDG_CONFIG_HOME is unset or not absolute.
// Empty when no home folder can be found.
std::string StoredSettingsPath();

}  // namespace platform
