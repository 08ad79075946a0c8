#include "app/log.h"

#include <cstdlib>
#include <fstream>

namespace app {
namespace {
std::ofstream g_log;
}

void OpenLog(const std::string& fileName) {
  if (g_log.is_open()) g_log.close();
  g_log.clear();
  // An empty name fails to open and leaves the stream failed: every write
  // is then discarded, which is the shipped behaviour.
  g_log.open(fileName, std::ios::out | std::ios::app);
}

void CloseLog() {
  if (g_log.is_open()) g_log.close();
  g_log.setstate(std::ios::failbit);
}

void LogLine(const std::string& text) {
  if (!g_log) return;
  g_log << text << '\n';
  g_log.flush();
}

std::string LogFileNameFromEnvironment() {
  const char* name = std::getenv("GLIMMERHALL_LOG");
  return name ? std::string(name) : std::string();
}

}  // namespace app
