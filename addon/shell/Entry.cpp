// The module's only exported symbol: the host calls it once after loading.
#include "shell/Startup.h"

extern "C" __attribute__((visibility("default"))) void InitQorAddOn113() {
    quorvin::builder::InitAddOn();
}
