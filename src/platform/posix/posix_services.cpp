#include "platform/posix/posix_services.h"

#include "platform/embedded_resources.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/log.h"
#include "settings/settings.h"
#include "settings/settings_options.h"

namespace platform {
namespace {

int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  const passwd* entry = getpwuid(getuid());
  if (entry && entry->pw_dir && entry->pw_dir[0] == '/') return entry->pw_dir;
  return std::string();
}

// Creates every missing folder of an absolute path, like mkdir -p.
bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// A decimal number that fits 32 bits, with nothing else around it.
bool ParseStoredNumber(const std::string& text, uint32_t& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed > 0xFFFFFFFFull) return false;
  value = static_cast<uint32_t>(parsed);
  return true;
}

// The name of a "Name=value" line, empty for anything else. Names are
// matched without regard to letter case, as registry value names are.
std::string NameOfLine(const std::string& line) {
  const size_t equals = line.find('=');
  if (equals == std::string::npos || equals == 0) return std::string();
  return line.substr(0, equals);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A line the store understands: a stored value, a '#' comment or nothing.
bool IsReadableLine(const std::string& line) {
  if (line.empty() || line[0] == '#') return true;
  const std::string name = NameOfLine(line);
  uint32_t value = 0;
  return !name.empty() && ParseStoredNumber(line.substr(name.size() + 1), value);
}

// Writes the whole file next to its final place and renames it over the old
// one, so that a crash or a second saver never leaves half a file behind.
bool WriteTextAtomically(const std::string& path, const std::string& text) {
  std::string temp = path + ".XXXXXX";
  const int fd = mkstemp(&temp[0]);
  if (fd < 0) return false;
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  const bool complete = written == text.size() && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  if (!complete || !closed || rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

bool WriteLinesAtomically(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return WriteTextAtomically(path, text);
}

// A settings file with lines the store cannot read may still be someone's
// work: its bytes are kept as settings.bak before the first rewrite drops
// those lines. False when the copy could not be made, so that nothing
// overwrites the only copy.
bool KeepUnreadableFile(const std::string& path, const std::vector<std::string>& lines) {
  bool readable = true;
  for (const std::string& line : lines) readable = readable && IsReadableLine(line);
  struct stat info {};
  const bool exists = stat(path.c_str(), &info) == 0;
  std::ifstream in(path, std::ios::binary);
  if (readable && (!exists || in)) return true;
  const std::string backup = FolderOf(path) + "/settings.bak";
  if (!in) {  // there, but not ours to read: move it aside whole
    if (rename(path.c_str(), backup.c_str()) != 0) return false;
  } else {
    std::stringstream bytes;
    bytes << in.rdbuf();
    if (!WriteTextAtomically(backup, bytes.str())) return false;
  }
  app::Log("Settings file ", path, " could not be read in full; kept as ", backup);
  return true;
}

}  // namespace

std::string StoredSettingsPath() {
  std::string base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') {
    base = config;
  } else {
    const std::string home = HomeFolder();
    if (home.empty()) return std::string();
    base = home + "/.config";
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/glimmerhall/settings";
}

// The Linux program carries its data beside the code rather than as
// resources, so the table of embedded resources is empty.
ResourceBytes PosixServices::FindEmbedded(const char* type, int id) {
  const EmbeddedResource* resource = FindRegisteredResource(type, id);
  if (!resource) return ResourceBytes{};
  return ResourceBytes{resource->data, resource->size};
}

void PosixServices::ShowMessage(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  std::fflush(stderr);
  app::Log(caption, ": ", text);
}

bool PosixServices::ReadCounter(int64_t& value) {
  value = MonotonicNanoseconds();
  return true;
}

int64_t PosixServices::CounterFrequency() { return 1000000000LL; }

uint32_t PosixServices::Milliseconds() {
  // Wraps after 49 days like the millisecond clock it stands in for; callers
  // only ever take differences.
  return static_cast<uint32_t>(MonotonicNanoseconds() / 1000000LL);
}

LocalTime PosixServices::LocalClock() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const time_t seconds = now.tv_sec;
  tm local{};
  localtime_r(&seconds, &local);
  LocalTime result;
  result.year = static_cast<uint16_t>(local.tm_year + 1900);
  result.month = static_cast<uint16_t>(local.tm_mon + 1);
  result.dayOfWeek = static_cast<uint16_t>(local.tm_wday);  // 0 = Sunday, as on Windows
  result.day = static_cast<uint16_t>(local.tm_mday);
  result.hour = static_cast<uint16_t>(local.tm_hour);
  result.minute = static_cast<uint16_t>(local.tm_min);
  // A leap second (tm_sec 60) would show as 60; the countdown clamps it anyway.
  result.second = static_cast<uint16_t>(local.tm_sec);
  result.milliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000L);
  return result;
}

void PosixServices::SleepMilliseconds(uint32_t ms) {
  timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

std::string PosixServices::MakeTempFile(const char* prefix) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = (folder && folder[0]) ? folder : "/tmp";
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  path += '/';
  path += prefix ? prefix : "";
  path += "XXXXXX";
  const int fd = mkstemp(&path[0]);
  if (fd < 0) return std::string();
  close(fd);
  return path;
}

void PosixServices::RemoveFile(const std::string& path) {
  if (!path.empty()) unlink(path.c_str());
}

void PosixServices::OpenWebAddress(const char* url) {
  if (!url || !url[0]) return;
  // Two forks: the grandchild runs the browser launcher on its own and the
  // child is reaped at once, so no zombie is left and nothing waits on it.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    setsid();
    const pid_t launcher = fork();
    if (launcher == 0) {
      const int null = open("/dev/null", O_RDWR);
      if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
      }
      execlp("xdg-open", "xdg-open", url, static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(launcher < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

bool PosixServices::ReadStoredValue(const char* name, uint32_t& value) {
  const std::string path = StoredSettingsPath();
  if (path.empty() || !name) return false;
  // The last line with the name wins, as a later write would have replaced it.
  bool found = false;
  for (const std::string& line : ReadLines(path)) {
    const std::string lineName = NameOfLine(line);
    if (lineName.empty() || strcasecmp(lineName.c_str(), name) != 0) continue;
    uint32_t parsed = 0;
    if (ParseStoredNumber(line.substr(lineName.size() + 1), parsed)) {
      value = parsed;
      found = true;
    }
  }
  return found;
}

void PosixServices::WriteStoredValue(const char* name, uint32_t value) {
  const std::string path = StoredSettingsPath();
  if (path.empty() || !name || !name[0]) return;
  if (!MakeFolders(FolderOf(path))) return;
  const std::string entry = std::string(name) + "=" + std::to_string(value);
  const std::vector<std::string> old = ReadLines(path);
  if (!KeepUnreadableFile(path, old)) return;
  std::vector<std::string> lines;
  bool replaced = false;
  for (const std::string& line : old) {
    if (!IsReadableLine(line)) continue;  // kept in settings.bak
    const std::string lineName = NameOfLine(line);
    if (!lineName.empty() && strcasecmp(lineName.c_str(), name) == 0) {
      if (!replaced) lines.push_back(entry);
      replaced = true;
      continue;
    }
    lines.push_back(line);
  }
  if (!replaced) lines.push_back(entry);
  // Like a registry write, a failure here is not reported: the saver runs on
  // with the values it holds.
  WriteLinesAtomically(path, lines);
}

void PosixServices::RunConfigureDialog() {
  const std::string path = StoredSettingsPath();
  std::printf("Glimmerhall settings, stored in %s\n\n", path.empty() ? "(no home folder found)" : path.c_str());
  for (const char* name : settings::kStoredValueNames) {
    uint32_t value = 0;
    if (ReadStoredValue(name, value))
      std::printf("  %-15s %u\n", name, value);
    else
      std::printf("  %-15s (not stored)\n", name);
  }
  std::printf("\nDisplay modes for -mode:");
  const settings::SettingsRecord& current = settings::Current;
  for (int i = 0; i < settings::kDesktopModeIndex; ++i) {
    const settings::DisplayMode& mode = current.DisplayModes[i];
    std::printf("%s %d %dx%dx%d", i ? "," : "", i, mode.width, mode.height, mode.bitsPerPixel);
  }
  std::printf(", 10 the desktop's size\n\n");
  std::printf("Change them for one run with options, and store them by adding --save:\n%s",
              settings::SettingsOptionsHelp());
  std::printf("\nExample: glimmerhall -no-music -gamma 2 -24h --save\n"
              "Under XScreenSaver the same options are set in xscreensaver-settings.\n");
  std::fflush(stdout);
}

void PosixServices::ExitProcess(int code) {
  std::fflush(nullptr);
  std::exit(code);
}

}  // namespace platform
