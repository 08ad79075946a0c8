#include "app/run_mode.h"

namespace app {

int32_t RunMode = kModeConfigure;
int32_t ParentWindow = 0;
void* InstanceHandle = nullptr;

}  // namespace app
