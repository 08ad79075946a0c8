#include "settings/default_settings.h"

#include "app/log.h"
#include "platform/platform.h"

namespace settings {
namespace {

constexpr int kDefaultSettingsResource = 153;

// The two message texts in the Windows-1251 code page, as the boxes show them.
const char kBadFormatText[] =
    "\xed\xe5\xef\xf0\xe0\xe2\xe8\xeb\xfc\xed\xfb\xe9 \xf4\xee\xf0\xec\xe0\xf2 "
    "\xf4\xe0\xe9\xeb\xe0 def_settings.txt";
const char kMissingKeyText[] =
    "\xcd\xe5 \xed\xe0\xe9\xe4\xe5\xed \xef\xe0\xf0\xe0\xec\xe5\xf2\xf0 \xe2 "
    "\xf4\xe0\xe9\xeb\xe5 def_settings.txt";

DefaultEntry g_entries[kMaxDefaultEntries];
int g_count = 0;
int g_ignored = 0;
bool g_loaded = false;
std::string g_webSite;

// Bytes of 32 or less taken as signed, which also drops every byte from 128
// up: spaces, tabs, control characters and Cyrillic comment text all go.
std::string CleanLine(const uint8_t* begin, const uint8_t* end) {
  std::string clean;
  for (const uint8_t* p = begin; p != end; ++p) {
    if (static_cast<int8_t>(*p) > 32) clean += static_cast<char>(*p);
  }
  const size_t semicolon = clean.find(';');
  if (semicolon != std::string::npos) clean.erase(semicolon);
  return clean;
}

bool SameKey(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && b[i] == '\0';
}

void Store(const std::string& key, const std::string& value) {
  if (g_count == kMaxDefaultEntries) {
    ++g_ignored;
    return;
  }
  g_entries[g_count].key = key;
  g_entries[g_count].value = value;
  ++g_count;
}

}  // namespace

void ParseDefaultSettings(const uint8_t* data, size_t size) {
  for (DefaultEntry& entry : g_entries) entry = DefaultEntry();
  g_count = 0;
  g_ignored = 0;
  if (!data) return;
  const uint8_t* p = data;
  const uint8_t* const end = data + size;
  while (p < end) {
    const uint8_t* lineEnd = p;
    while (lineEnd < end && *lineEnd != 13) ++lineEnd;
    const std::string line = CleanLine(p, lineEnd);
    p = lineEnd;
    if (p < end && *p == 13) ++p;
    if (p < end && *p == 10) ++p;
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      platform::Os().ShowMessage(kBadFormatText, "");
      Store(line, line);
      continue;
    }
    Store(line.substr(0, equals), line.substr(equals + 1));
  }
}

void LoadDefaultSettingsText() {
  if (g_loaded) return;
  g_loaded = true;
  const platform::ResourceBytes text = platform::Os().FindEmbedded("CustomData", kDefaultSettingsResource);
  ParseDefaultSettings(text.data, text.size);
  g_webSite = GetDefaultText("main_web_site_url");
}

void LogIgnoredDefaultEntries() {
  if (g_ignored > 0) {
    app::Log("def_settings.txt holds more than ", kMaxDefaultEntries, " entries; ", g_ignored,
             " further line(s) ignored");
  }
}

int DefaultEntryCount() { return g_count; }
const DefaultEntry& DefaultEntryAt(int index) { return g_entries[index]; }
int IgnoredDefaultEntryCount() { return g_ignored; }

bool HasDefaultEntry(const char* key) {
  for (int i = 0; i < g_count; ++i) {
    if (SameKey(g_entries[i].key, key)) return true;
  }
  return false;
}

std::string GetDefaultText(const char* key) {
  for (int i = 0; i < g_count; ++i) {
    if (SameKey(g_entries[i].key, key)) return g_entries[i].value;
  }
  platform::Os().ShowMessage(kMissingKeyText, key);
  return std::string();
}

int32_t GetDefaultInteger(const char* key) {
  const std::string text = GetDefaultText(key);
  if (text == "true") return 1;
  if (text == "false") return 0;
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Wraps on overflow like the C runtime's conversion instead of being undefined.
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

const std::string& WebSiteAddress() { return g_webSite; }

}  // namespace settings
