#pragma once

namespace app {

// Remembers the display's gamma and applies the user's setting.
void ApplyGammaAtStartup();
// Puts the remembered gamma back.
void RestoreGamma();

}  // namespace app
