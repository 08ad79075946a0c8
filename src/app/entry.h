#pragma once

namespace app {

// The body of the program's entry point: defaults, log, settings, archives,
// then the mode the command line asks for. Returns the process exit code.
int GlimmerhallMain(void* instance, const char* commandLine);

}  // namespace app
