// Kernel, input, shell and registry services of the Windows platform.
#include "platform/win32/win32_platform.h"

#include <mmsystem.h>
#include <shellapi.h>

namespace platform {
namespace {

// The key under the current user that holds the saver's settings.
constexpr const char* kSettingsKey = "Software\\Vantorel\\Glimmerhall";

}  // namespace

ResourceBytes Win32Platform::FindEmbedded(const char* type, int id) {
  ResourceBytes bytes;
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  if (!found) return bytes;
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (!loaded) return bytes;
  // Resource memory belongs to the module image and stays valid for the
  // whole process; nothing has to be released.
  bytes.data = static_cast<const uint8_t*>(LockResource(loaded));
  bytes.size = bytes.data ? static_cast<uint32_t>(SizeofResource(nullptr, found)) : 0;
  return bytes;
}

void Win32Platform::ShowMessage(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}

bool Win32Platform::ReadCounter(int64_t& value) {
  LARGE_INTEGER counter;
  if (!QueryPerformanceCounter(&counter)) return false;
  value = counter.QuadPart;
  return true;
}

int64_t Win32Platform::CounterFrequency() {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency)) return 0;
  return frequency.QuadPart;
}

uint32_t Win32Platform::Milliseconds() { return timeGetTime(); }

LocalTime Win32Platform::LocalClock() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  LocalTime local;
  local.year = now.wYear;
  local.month = now.wMonth;
  local.dayOfWeek = now.wDayOfWeek;
  local.day = now.wDay;
  local.hour = now.wHour;
  local.minute = now.wMinute;
  local.second = now.wSecond;
  local.milliseconds = now.wMilliseconds;
  return local;
}

void Win32Platform::SleepMilliseconds(uint32_t ms) { Sleep(ms); }

Point Win32Platform::CursorPosition() {
  POINT cursor = {0, 0};
  GetCursorPos(&cursor);
  Point result;
  result.x = cursor.x;
  result.y = cursor.y;
  return result;
}

void Win32Platform::MoveCursor(Point to) { SetCursorPos(to.x, to.y); }

bool Win32Platform::IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

void Win32Platform::SetCursorVisible(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

Point Win32Platform::DesktopSize() {
  Point size;
  size.x = GetSystemMetrics(SM_CXSCREEN);
  size.y = GetSystemMetrics(SM_CYSCREEN);
  return size;
}

std::string Win32Platform::MakeTempFile(const char* prefix) {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof(folder), folder);
  if (length == 0 || length > sizeof(folder)) return std::string();
  char name[MAX_PATH + 1] = {};
  // With 0 as the unique number the system picks one and creates the file,
  // so two callers never get the same name.
  if (GetTempFileNameA(folder, prefix, 0, name) == 0) return std::string();
  return std::string(name);
}

void Win32Platform::RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

void Win32Platform::OpenWebAddress(const char* url) {
  ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL);
}

bool Win32Platform::ReadStoredValue(const char* name, uint32_t& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LONG status =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) return false;
  value = data;
  return true;
}

void Win32Platform::WriteStoredValue(const char* name, uint32_t value) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  char emptyClass[] = "";
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, emptyClass, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS) {
    return;
  }
  const DWORD data = value;
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
  RegCloseKey(key);
}

void Win32Platform::ExitProcess(int code) {
  ::ExitProcess(static_cast<UINT>(code));
  __builtin_unreachable();
}

}  // namespace platform
