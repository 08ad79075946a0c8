// Translation of X key symbols into the Windows virtual-key numbers that the
// portable code speaks, and the rule for which presses count as ordinary key
// presses at all.
#pragma once

namespace platform {

// The virtual key for an X keysym (as XLookupKeysym gives it, index 0).
// Every key gets a nonzero number, so that any key can end the run; keys
// without a Windows counterpart share one code.
int VirtualKeyFromKeysym(unsigned long keysym);

enum class KeyPressKind {
  Ordinary,  // reaches the saver as a key press
  System,    // held Alt or F10: swallowed, as the Windows system keys are
  Close,     // Alt+F4: closes the window
};

// altHeld: Mod1 was down when the key went down.
KeyPressKind ClassifyKeyPress(unsigned long keysym, bool altHeld);

}  // namespace platform
