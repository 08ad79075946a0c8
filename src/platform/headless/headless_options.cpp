#include "platform/headless/headless_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

bool ParseLong(const std::string& text, long& value, long minimum) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || parsed < minimum) return false;
  value = parsed;
  return true;
}

bool ParseDouble(const std::string& text, double& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const double parsed = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !(parsed >= 0.0) || parsed > 1.0e6) return false;
  value = parsed;
  return true;
}

// Splits "N:REST" into the frame number and the rest.
bool SplitFrame(const std::string& text, long& frame, std::string& rest) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  if (!ParseLong(text.substr(0, colon), frame, 0)) return false;
  rest = text.substr(colon + 1);
  return true;
}

int KeyByName(const std::string& name) {
  static const struct {
    const char* name;
    int key;
  } kNames[] = {{"space", kKeySpace}, {"escape", kKeyEscape}, {"left", kKeyLeft},
                {"up", kKeyUp},       {"right", kKeyRight},   {"down", kKeyDown}};
  for (const auto& entry : kNames)
    if (name == entry.name) return entry.key;
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') return name[0] - 'a' + 'A';
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return name[0];
  long code = 0;
  if (ParseLong(name, code, 1) && code <= 255) return static_cast<int>(code);
  return 0;
}

bool ParseEvent(const std::string& text, ScriptedEvent& event) {
  std::string what;
  if (!SplitFrame(text, event.frame, what)) return false;
  if (what == "click") {
    event.kind = ScriptedEventKind::Click;
    return true;
  }
  if (what == "close") {
    event.kind = ScriptedEventKind::Close;
    return true;
  }
  if (what.rfind("key=", 0) == 0) {
    event.kind = ScriptedEventKind::Key;
    event.key = KeyByName(what.substr(4));
    return event.key != 0;
  }
  if (what.rfind("move=", 0) == 0) {
    const std::string where = what.substr(5);
    const size_t comma = where.find(',');
    long x = 0, y = 0;
    if (comma == std::string::npos || !ParseLong(where.substr(0, comma), x, -100000) ||
        !ParseLong(where.substr(comma + 1), y, -100000) || x > 100000 || y > 100000)
      return false;
    event.kind = ScriptedEventKind::Move;
    event.position = {static_cast<int32_t>(x), static_cast<int32_t>(y)};
    return true;
  }
  return false;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  long w = 0, h = 0;
  if (x == std::string::npos || !ParseLong(text.substr(0, x), w, 1) ||
      !ParseLong(text.substr(x + 1), h, 1) || w > 16384 || h > 16384)
    return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

int DayOfWeek(int year, int month, int day) {  // 0 = Sunday
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

}  // namespace

bool ParseLocalTime(const std::string& text, LocalTime& time) {
  int year, month, day, hour, minute, second;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                  &second, &tail) != 6)
    return false;
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 ||
      day > kDays[month - 1] || hour > 23 || minute > 59 || second > 59 || hour < 0 ||
      minute < 0 || second < 0)
    return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month == 2 && day == 29 && !leap) return false;
  time.year = static_cast<uint16_t>(year);
  time.month = static_cast<uint16_t>(month);
  time.day = static_cast<uint16_t>(day);
  time.hour = static_cast<uint16_t>(hour);
  time.minute = static_cast<uint16_t>(minute);
  time.second = static_cast<uint16_t>(second);
  time.milliseconds = 0;
  time.dayOfWeek = static_cast<uint16_t>(DayOfWeek(year, month, day));
  return true;
}

bool TakeHeadlessOptions(std::vector<std::string>& args, HeadlessOptions& options,
                         std::string& error) {
  std::vector<std::string> rest;
  if (!args.empty()) rest.push_back(args[0]);
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& name = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string text;
    bool ok = true;
    if (name == "--headless") {
      continue;
    } else if (name == "--size") {
      ok = value(text) && ParseSize(text, options.width, options.height);
    } else if (name == "--frames") {
      ok = value(text) && ParseLong(text, options.frames, 0);
    } else if (name == "--dt") {
      ok = value(text) && ParseDouble(text, options.frameTimeTicks);
      options.fixedFrameTime = ok;
    } else if (name == "--clock") {
      ok = value(text) && ParseLocalTime(text, options.clock);
      options.fixedClock = ok;
    } else if (name == "--seed") {
      long seed = 0;
      ok = value(text) && ParseLong(text, seed, 0) && seed <= 0xFFFFFFFFL;
      options.seed = static_cast<unsigned>(seed);
      options.seeded = ok;
    } else if (name == "--snapshot") {
      SnapshotRequest request;
      ok = value(text) && SplitFrame(text, request.frame, request.file) && !request.file.empty();
      if (ok) options.snapshots.push_back(request);
    } else if (name == "--snapshot-every") {
      ok = value(text) && SplitFrame(text, options.snapshotEvery, options.snapshotDir) &&
           options.snapshotEvery > 0 && !options.snapshotDir.empty();
    } else if (name == "--event") {
      ScriptedEvent event;
      ok = value(text) && ParseEvent(text, event);
      if (ok) options.events.push_back(event);
    } else if (name == "--frame-times") {
      ok = value(text) && !text.empty();
      options.frameTimesFile = text;
    } else if (name == "--no-vbo") {
      options.noVertexBuffer = true;
    } else if (name == "--no-queries") {
      options.noOcclusionQueries = true;
    } else if (name == "--no-particles") {
      options.noParticles = true;
    } else if (name == "--run-seconds") {
      char* end = nullptr;
      ok = value(text) && !text.empty();
      if (ok) options.runSeconds = std::strtod(text.c_str(), &end);
      ok = ok && end && *end == '\0' && options.runSeconds > 0.0 && options.runSeconds <= 3600.0;
    } else if (name == "--gamma-ramp") {
      ok = value(text) && !text.empty();
      options.gammaRampFile = text;
    } else if (name == "--camera") {
      ok = value(text) && ParseLong(text, options.firstCamera, 0);
    } else if (name.rfind("--", 0) == 0) {
      error = "unknown option " + name;
      return false;
    } else {
      rest.push_back(name);
      continue;
    }
    if (!ok) {
      error = "bad value for " + name + (text.empty() ? std::string() : ": \"" + text + "\"");
      return false;
    }
  }
  std::stable_sort(options.events.begin(), options.events.end(),
                   [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
  args = rest;
  return true;
}

}  // namespace platform
