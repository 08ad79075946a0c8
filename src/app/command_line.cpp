#include "app/command_line.h"

#include "app/run_mode.h"

namespace app {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips to the first decimal digit; reads the number there as a signed 32-bit
// value that wraps on overflow, the way a C runtime's atoi treats it.
bool ReadWindowNumber(const char* p, int32_t& number) {
  while (*p && !IsDigit(*p)) ++p;
  if (!*p) return false;
  uint32_t value = 0;
  for (; IsDigit(*p); ++p) value = value * 10u + static_cast<uint32_t>(*p - '0');
  number = static_cast<int32_t>(value);
  return true;
}

const char* SkipProgramPath(const char* p) {
  const char terminator = (*p == '"') ? '"' : ' ';
  if (*p == '"') ++p;
  while (*p && *p != terminator) ++p;
  if (*p) ++p;  // past the closing quote or the space
  return p;
}

}  // namespace

int32_t ParseCommandLine(const char* commandLine, int32_t& parentWindow) {
  if (!commandLine) return kModeConfigure;
  const char* p = SkipProgramPath(commandLine);
  while (*p && *p != '/' && *p != '-') ++p;
  if (!*p) return kModeConfigure;
  const char letter = p[1];
  const char* afterLetter = letter ? p + 2 : p + 1;
  switch (letter) {
    case 'C':
    case 'c': {
      int32_t number = 0;
      parentWindow = ReadWindowNumber(afterLetter, number) ? number : 0;
      return kModeConfigure;
    }
    case 'P':
    case 'p': {
      int32_t number = 0;
      if (ReadWindowNumber(afterLetter, number)) parentWindow = number;
      return kModePreview;
    }
    case 'T':
    case 't':
      return kModePreview;
    default:
      return kModeRun;
  }
}

}  // namespace app
