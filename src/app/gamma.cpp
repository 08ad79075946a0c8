#include "app/gamma.h"

namespace app {

// The gamma ramp arrives with the gamma setting; until then the display's
// ramp is left exactly as it was.
void ApplyGammaAtStartup() {}
void RestoreGamma() {}

}  // namespace app
