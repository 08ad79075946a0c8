// The process-wide log stream: one line per message, flushed after each.
// It is opened with an empty name, so by default it writes nothing; the
// environment variable GLIMMERHALL_LOG can name a real file instead.
#pragma once

#include <sstream>
#include <string>

namespace app {

void OpenLog(const std::string& fileName);
void CloseLog();
void LogLine(const std::string& text);

// Writes the parts one after another with the stream's default formatting.
template <typename... Parts>
void Log(const Parts&... parts) {
  std::ostringstream line;
  (line << ... << parts);
  LogLine(line.str());
}

// The file name the log is opened with: GLIMMERHALL_LOG, or empty.
std::string LogFileNameFromEnvironment();

}  // namespace app
