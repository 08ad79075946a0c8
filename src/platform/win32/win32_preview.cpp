// Preview mode on Windows: the dialog that holds the still picture, made as a
// child of the window the control panel passes with /p.
#include <cstdint>

#include "platform/win32/win32_platform.h"

namespace platform {
namespace {

constexpr int kPreviewDialog = 126;

// A dialog procedure has no way to reach the platform object; there is only
// ever one preview dialog.
WindowEvents* g_previewEvents = nullptr;

INT_PTR CALLBACK PreviewDialogProc(HWND /*dialog*/, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  if (message == WM_CLOSE && g_previewEvents) g_previewEvents->OnClose();
  // Everything else, painting the picture included, is the dialog's own.
  return FALSE;
}

}  // namespace

bool Win32Platform::CreatePreviewWindow(int32_t parent, WindowEvents* events) {
  g_previewEvents = events;
  // The number on the command line is the handle's value; handles fit in 32
  // bits even in a 64-bit control panel.
  const HWND parentWindow = reinterpret_cast<HWND>(static_cast<intptr_t>(parent));
  preview_ = CreateDialogParamA(instance_, MAKEINTRESOURCEA(kPreviewDialog), parentWindow,
                                PreviewDialogProc, 0);
  if (!preview_) return false;
  UpdateWindow(preview_);
  ShowWindow(preview_, SW_SHOW);
  return true;
}

void Win32Platform::ShowPreviewWindow() {
  if (!preview_) return;
  ShowWindow(preview_, SW_SHOW);
  UpdateWindow(preview_);
}

void Win32Platform::DestroyPreviewWindow() {
  if (preview_) DestroyWindow(preview_);
  preview_ = nullptr;
}

}  // namespace platform
