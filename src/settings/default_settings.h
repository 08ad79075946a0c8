// The factory defaults: the default-settings text carried as a resource,
// parsed once into a table of key/value pairs and looked up by key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace settings {

constexpr int kMaxDefaultEntries = 100;

struct DefaultEntry {
  std::string key;
  std::string value;
};

// Reads resource "CustomData" 153 into the table and keeps the web-site
// address. Only the first call of the process does anything.
void LoadDefaultSettingsText();

// Empties the table and fills it from the bytes of a default-settings text.
// Lines past the table's size are counted and left out.
void ParseDefaultSettings(const uint8_t* data, size_t size);

// Writes one log line when the text held more entries than the table takes.
// Separate from the parse because the log opens only after it.
void LogIgnoredDefaultEntries();

int DefaultEntryCount();
const DefaultEntry& DefaultEntryAt(int index);
int IgnoredDefaultEntryCount();

// The value of the first entry whose key matches without regard to A-Z case;
// a missing key shows a message box captioned with the key and gives "".
std::string GetDefaultText(const char* key);

// True when an entry has the key; asks without the missing-key message.
bool HasDefaultEntry(const char* key);

// GetDefaultText read as a number: "true" 1, "false" 0 (exact case), else
// a leading signed decimal integer, 0 without digits.
int32_t GetDefaultInteger(const char* key);

// The maker's web-site address, read once after the text is loaded.
const std::string& WebSiteAddress();

}  // namespace settings
