#pragma once

namespace settings {

// The options dialog; returns when the user closes it.
void RunConfigureDialog();

}  // namespace settings
