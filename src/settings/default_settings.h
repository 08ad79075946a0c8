#pragma once

namespace settings {

// Reads the default-settings text from the resources into the defaults table.
void LoadDefaultSettingsText();

}  // namespace settings
