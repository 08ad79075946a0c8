#include "app/gamma.h"

#include <cstdlib>
#include <cstring>
#include <exception>

#include "app/gamma_ramp.h"
#include "app/log.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace app {
namespace {

struct SavedGamma {
  bool set = false;          // a ramp of ours is in the display
  bool exactKnown = false;   // the ramp found at start-up could be read
  double estimate = 1.0;     // its exponent, for the log and the fallback
  uint16_t ramp[platform::kGammaRampSize] = {};
};

SavedGamma Saved;
std::terminate_handler PreviousTerminate = nullptr;

// A failure that ends the process through std::terminate (an exception
// nobody catches, running out of memory) still hands the display back.
[[noreturn]] void RestoreThenTerminate() {
  RestoreGamma();
  if (PreviousTerminate) PreviousTerminate();
  std::abort();
}

}  // namespace

void ApplyGammaAtStartup() {
  platform::Platform& os = platform::Os();
  if (os.DrawsIntoForeignWindow()) {
    Log("Gamma left as it is: the window belongs to another program");
    return;
  }
  uint16_t found[platform::kGammaRampSize] = {};
  Saved.exactKnown = os.GetGammaRamp(found);
  if (!Saved.exactKnown) std::memset(found, 0, sizeof(found));
  std::memcpy(Saved.ramp, found, sizeof(found));
  Saved.estimate = EstimateGamma(found);
  Log("Old Gamma: ", Saved.estimate);

  const double exponent = 4.0 - settings::Current.Gamma;
  uint16_t wanted[platform::kGammaRampSize];
  BuildPowerRamp(exponent, wanted);
  os.SetGammaRamp(wanted);
  Saved.set = true;
  Log("New Gamma: ", exponent);

  static bool hookInstalled = false;
  if (!hookInstalled) {
    hookInstalled = true;
    PreviousTerminate = std::set_terminate(RestoreThenTerminate);
  }
}

void RestoreGamma() {
  if (!Saved.set) return;
  Saved.set = false;
  Log("Set old Gamma: ", Saved.estimate);
  if (Saved.exactKnown) {
    platform::Os().SetGammaRamp(Saved.ramp);
    return;
  }
  uint16_t curve[platform::kGammaRampSize];
  BuildPowerRamp(Saved.estimate, curve);
  platform::Os().SetGammaRamp(curve);
}

}  // namespace app
