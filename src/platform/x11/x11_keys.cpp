#include "platform/x11/x11_keys.h"

#include <X11/keysym.h>

#include "platform/platform.h"

namespace platform {
namespace {
constexpr int kKeyOther = 0xFF;  // no Windows counterpart; still a key press
}

int VirtualKeyFromKeysym(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return 0x41 + static_cast<int>(keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return 0x41 + static_cast<int>(keysym - XK_A);
  if (keysym >= XK_0 && keysym <= XK_9) return 0x30 + static_cast<int>(keysym - XK_0);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return 0x60 + static_cast<int>(keysym - XK_KP_0);
  if (keysym >= XK_F1 && keysym <= XK_F24) return 0x70 + static_cast<int>(keysym - XK_F1);
  switch (keysym) {
    case XK_space: return kKeySpace;
    case XK_Escape: return kKeyEscape;
    case XK_Left: case XK_KP_Left: return kKeyLeft;
    case XK_Up: case XK_KP_Up: return kKeyUp;
    case XK_Right: case XK_KP_Right: return kKeyRight;
    case XK_Down: case XK_KP_Down: return kKeyDown;
    case XK_BackSpace: return 0x08;
    case XK_Tab: case XK_ISO_Left_Tab: return 0x09;
    case XK_Return: case XK_KP_Enter: return 0x0D;
    case XK_Shift_L: case XK_Shift_R: return 0x10;
    case XK_Control_L: case XK_Control_R: return 0x11;
    case XK_Alt_L: case XK_Alt_R: case XK_Meta_L: case XK_Meta_R: return 0x12;
    case XK_Pause: return 0x13;
    case XK_Caps_Lock: return 0x14;
    case XK_Prior: case XK_KP_Prior: return 0x21;
    case XK_Next: case XK_KP_Next: return 0x22;
    case XK_End: case XK_KP_End: return 0x23;
    case XK_Home: case XK_KP_Home: return 0x24;
    case XK_Print: return 0x2C;
    case XK_Insert: case XK_KP_Insert: return 0x2D;
    case XK_Delete: case XK_KP_Delete: return 0x2E;
    case XK_Super_L: return 0x5B;
    case XK_Super_R: return 0x5C;
    case XK_Menu: return 0x5D;
    case XK_KP_Multiply: return 0x6A;
    case XK_KP_Add: return 0x6B;
    case XK_KP_Subtract: return 0x6D;
    case XK_KP_Decimal: return 0x6E;
    case XK_KP_Divide: return 0x6F;
    case XK_Num_Lock: return 0x90;
    case XK_Scroll_Lock: return 0x91;
    default: return kKeyOther;
  }
}

KeyPressKind ClassifyKeyPress(unsigned long keysym, bool altHeld) {
  const bool isAlt = keysym == XK_Alt_L || keysym == XK_Alt_R || keysym == XK_Meta_L ||
                     keysym == XK_Meta_R;
  if (altHeld && keysym == XK_F4) return KeyPressKind::Close;
  // Alt itself, anything pressed while it is held, and F10 are the keys that
  // Windows hands to the menu machinery instead of the window.
  if (altHeld || isAlt || keysym == XK_F10) return KeyPressKind::System;
  return KeyPressKind::Ordinary;
}

}  // namespace platform
