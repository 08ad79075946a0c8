#include "settings/default_settings.h"

namespace settings {

// The default-settings text is not among the resources yet; the built-in
// values stand in for it.
void LoadDefaultSettingsText() {}

}  // namespace settings
