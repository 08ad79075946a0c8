// The gamma setting, applied through the display's gamma ramp while the saver
// runs. The ramp found at start-up is kept exactly and put back at the end,
// whichever way the run ends.
#pragma once

namespace app {

// Reads the display's ramp, logs its estimated exponent, and loads the power
// curve the Gamma setting asks for. Leaves the display alone when the saver
// draws into a window another program owns.
void ApplyGammaAtStartup();

// Puts back the ramp found at start-up (the estimated power curve when it
// could not be read). Does nothing when no ramp was set or it is already back,
// so every exit path may call it.
void RestoreGamma();

}  // namespace app
