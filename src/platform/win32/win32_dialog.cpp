// The options dialog of Configure mode: built hidden from template 101, its
// texts replaced from the localised text table, then shown and run by a plain
// message loop of its own until OK, Cancel or closing the window.
#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/run_mode.h"
#include "settings/default_settings.h"
#include "settings/settings.h"
#include "settings/text_table.h"

namespace platform {
namespace {

constexpr int kMainDialog = 101;
constexpr int kAboutDialog = 136;
constexpr int kTextTable = 151;

// Control ids of the options dialog.
constexpr int kModeList = 1016;
constexpr int kUseDesktop = 1015;
constexpr int kVolumeLabel = 1047;
constexpr int kVolume = 1013;
constexpr int kMusic = 1012;
constexpr int kGamma = 1007;
constexpr int kShowFps = 1008;
constexpr int kExitOnMouseMove = 1010;
constexpr int kShowTime = 1037;
constexpr int kStyle12h = 1024;
constexpr int kStyle24h = 1038;
constexpr int kVisit = 1028;
constexpr int kAbout = 1019;
constexpr int kRestoreDefaults = 1031;
constexpr int kOk = 1032;
constexpr int kCancel = 1034;

// The About box hides on its own OK button.
constexpr int kAboutOk = 1;

// Stands for the dialog window itself in the text table's target list.
constexpr int kCaption = 0;

// The targets of the table's blocks, in the table's order.
constexpr int kMainTargets[] = {kCaption, 1048, 1049, 1050, 1051, 1053, kUseDesktop,
                                kMusic, kVolumeLabel, 1054, 1055, kVisit, kAbout,
                                kRestoreDefaults, kOk, kCancel, kShowFps, kExitOnMouseMove,
                                kShowTime, kStyle24h, kStyle12h};
constexpr int kAboutTargets[] = {kAboutOk, 1062, 1056, 1057, 1058, 1063, 1059, 1060, 1061,
                                 kCaption};

const char* const kModeTexts[settings::kDesktopModeIndex] = {
    "800x600x16",   "800x600x32",   "1024x768x16",  "1024x768x32",  "1280x1024x16",
    "1280x1024x32", "1152x864x16",  "1152x864x32",  "1600x1200x16", "1600x1200x32"};

// The final layout: the template is drawn taller than the dialog shows, and the
// bottom row of buttons sits just under the Products group.
constexpr int kHeightCut = 45;
constexpr int kButtonRowTop = 295;
constexpr int kButtonGrowth = 2;

HWND mainDialog = nullptr;
HWND aboutBox = nullptr;
// The list entry OK falls back on when "Use Desktop Settings" was unticked
// while the desktop mode was selected, so the stored index stays within 0-10.
int lastModeIndex = 3;

HWND Item(int id) { return GetDlgItem(mainDialog, id); }

void Enable(int id, bool on) { EnableWindow(Item(id), on ? TRUE : FALSE); }

void Tick(int id, bool on) { CheckDlgButton(mainDialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

bool Ticked(int id) { return IsDlgButtonChecked(mainDialog, id) != BST_UNCHECKED; }

void SettingsToControls(const settings::SettingsRecord& s) {
  // CurrRes 10 has no list entry, so the list is left without a selection;
  // -1 says so outright, where some systems keep the old entry for an index
  // past the end.
  const bool listed = s.CurrRes >= 0 && s.CurrRes < settings::kDesktopModeIndex;
  SendMessageA(Item(kModeList), CB_SETCURSEL, listed ? static_cast<WPARAM>(s.CurrRes) : WPARAM(-1), 0);
  if (listed) lastModeIndex = s.CurrRes;
  Tick(kShowFps, s.ShowFPS);
  Tick(kShowTime, s.ShowTime);
  Tick(kExitOnMouseMove, s.ExitOnMouseMove);
  Tick(kMusic, s.Music);
  Tick(kUseDesktop, s.UseDktpSet);
  Tick(kStyle24h, s.DigClock_24H);
  Tick(kStyle12h, !s.DigClock_24H);
  SendMessageA(Item(kVolume), TBM_SETPOS, TRUE, static_cast<LPARAM>(static_cast<int>(s.SoundVolume)));
  SendMessageA(Item(kGamma), TBM_SETPOS, TRUE, static_cast<LPARAM>(static_cast<int>(s.Gamma * 25)));
  Enable(kVolume, s.Music);
  Enable(kVolumeLabel, s.Music);
  Enable(kModeList, !s.UseDktpSet);
  Enable(kStyle12h, s.ShowTime);
  Enable(kStyle24h, s.ShowTime);
}

void ControlsToSettings(settings::SettingsRecord& s) {
  s.UseDktpSet = Ticked(kUseDesktop);
  if (s.UseDktpSet) {
    settings::SelectDesktopMode(s, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  } else {
    const LRESULT selected = SendMessageA(Item(kModeList), CB_GETCURSEL, 0, 0);
    s.CurrRes = selected == CB_ERR ? lastModeIndex : static_cast<int32_t>(selected);
  }
  s.ShowFPS = Ticked(kShowFps);
  s.DigClock_24H = Ticked(kStyle24h);
  s.ShowTime = Ticked(kShowTime);
  s.ExitOnMouseMove = Ticked(kExitOnMouseMove);
  s.Music = Ticked(kMusic);
  // The dialog has no controls for these two.
  s.SFX = false;
  s.MusicVolume = 0.0f;
  s.SoundVolume = static_cast<float>(SendMessageA(Item(kVolume), TBM_GETPOS, 0, 0));
  s.Gamma = static_cast<float>(SendMessageA(Item(kGamma), TBM_GETPOS, 0, 0)) * 0.04f;
}

void OnCommand(int id) {
  settings::SettingsRecord& s = settings::Current;
  switch (id) {
    case kMusic:
      s.Music = !s.Music;
      Enable(kVolume, s.Music);
      Enable(kVolumeLabel, s.Music);
      break;
    case kUseDesktop:
      s.UseDktpSet = !s.UseDktpSet;
      if (!s.UseDktpSet &&
          SendMessageA(Item(kModeList), CB_GETCURSEL, 0, 0) == CB_ERR) {
        // The desktop mode had no entry: show the one OK will store.
        SendMessageA(Item(kModeList), CB_SETCURSEL, static_cast<WPARAM>(lastModeIndex), 0);
      }
      Enable(kModeList, !s.UseDktpSet);
      break;
    case kShowTime:
      s.ShowTime = !s.ShowTime;
      Enable(kStyle12h, s.ShowTime);
      Enable(kStyle24h, s.ShowTime);
      break;
    case kAbout:
      ShowWindow(aboutBox, SW_SHOW);
      break;
    case kVisit:
      ShellExecuteA(GetDesktopWindow(), "open", settings::WebSiteAddress().c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
      break;
    case kRestoreDefaults:
      settings::LoadDefaults(s);
      SettingsToControls(s);
      break;
    case kOk:
      ControlsToSettings(s);
      settings::SaveSettings(s);
      app::RunMode = app::kModeLeaving;
      break;
    case kCancel:
      app::RunMode = app::kModeLeaving;
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK MainProc(HWND /*dialog*/, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_COMMAND) {
    OnCommand(LOWORD(wParam));
  } else if (message == WM_CLOSE) {
    app::RunMode = app::kModeLeaving;
  }
  return 0;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if ((message == WM_COMMAND && LOWORD(wParam) == kAboutOk) || message == WM_CLOSE) {
    ShowWindow(dialog, SW_HIDE);
  }
  return 0;
}

void SetTarget(HWND dialog, int id, const std::string& text) {
  SetWindowTextA(id == kCaption ? dialog : GetDlgItem(dialog, id), text.c_str());
}

// The table is read straight from the resource bytes: the words come out the
// same as through a temporary copy, without leaving a file behind.
void ApplyTextTable(const ResourceBytes& table) {
  const std::vector<std::string> texts =
      settings::ReadTextBlocks(table.data, table.size, settings::kTextTableBlockCount);
  size_t next = 0;
  for (int id : kMainTargets) SetTarget(mainDialog, id, texts[next++]);
  for (int id : kAboutTargets) SetTarget(aboutBox, id, texts[next++]);
}

void FinalLayout() {
  RECT window;
  GetWindowRect(mainDialog, &window);
  SetWindowPos(mainDialog, nullptr, 0, 0, window.right - window.left,
               window.bottom - window.top - kHeightCut, SWP_NOMOVE | SWP_NOZORDER);
  for (int id : {kRestoreDefaults, kOk, kCancel}) {
    HWND button = Item(id);
    RECT r;
    GetWindowRect(button, &r);
    POINT topLeft = {r.left, r.top};
    ScreenToClient(mainDialog, &topLeft);
    SetWindowPos(button, nullptr, topLeft.x, kButtonRowTop, r.right - r.left,
                 r.bottom - r.top + kButtonGrowth, SWP_NOZORDER);
  }
}

}  // namespace

void Win32Platform::RunConfigureDialog() {
  InitCommonControls();
  mainDialog = CreateDialogParamA(instance_, MAKEINTRESOURCEA(kMainDialog), GetDesktopWindow(),
                                  MainProc, 0);
  if (!mainDialog) return;

  SendMessageA(Item(kVolume), TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessageA(Item(kGamma), TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  for (const char* text : kModeTexts) {
    SendMessageA(Item(kModeList), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendMessageA(Item(kModeList), CB_SETCURSEL, 0, 0);

  aboutBox = CreateDialogParamA(instance_, MAKEINTRESOURCEA(kAboutDialog), mainDialog, AboutProc, 0);

  ApplyTextTable(FindEmbedded("CustomData", kTextTable));
  FinalLayout();

  SettingsToControls(settings::Current);
  ShowWindow(mainDialog, SW_SHOW);

  // No IsDialogMessage: the dialog takes the mouse only, as it always has.
  MSG message;
  unsigned passes = 0;
  while (app::RunMode == app::kModeConfigure) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else if (passes > 100) {
      Sleep(1);
    }
    if (passes <= 100) ++passes;
  }
  DestroyWindow(mainDialog);
  mainDialog = nullptr;
  aboutBox = nullptr;
}

}  // namespace platform
