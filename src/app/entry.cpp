#include "app/entry.h"

#include "app/command_line.h"
#include "app/log.h"
#include "app/preview.h"
#include "app/run_mode.h"
#include "app/run_saver.h"
#include "archive/asset_store.h"
#include "settings/config_dialog.h"
#include "settings/default_settings.h"
#include "settings/settings.h"
#include "settings/settings_options.h"

namespace app {

int GlimmerhallMain(void* instance, const char* commandLine) {
  settings::LoadDefaultSettingsText();
  OpenLog(LogFileNameFromEnvironment());
  settings::LogIgnoredDefaultEntries();
  settings::InitialiseSettings(settings::Current);
  settings::LoadSettings(settings::Current);
  // Options of the Linux command line; nothing is pending on Windows.
  settings::ApplyCommandLineOverrides();
  archive::Assets().Init();
  InstanceHandle = instance;
  RunMode = ParseCommandLine(commandLine, ParentWindow);

  if (RunMode == kModeConfigure) settings::RunConfigureDialog();
  if (RunMode == kModeRun) RunSaver();
  if (RunMode == kModePreview) return RunPreview();
  return 1;
}

}  // namespace app
