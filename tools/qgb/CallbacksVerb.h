// qgb callbacks merge: keeps the user's callback code across builds. The
// stubs the last build wrote (guicb.tmp beside the layout) that the user's
// callbacks file lacks are appended to it; nothing the user wrote is changed.
#pragma once

#include "Session.h"

#include <string>

namespace CLI {
class App;
}

namespace qgb {

struct CallbacksArgs {
    CLI::App *command = nullptr;
    CLI::App *merge = nullptr;
    std::string layout;
    std::string into;
};

// Adds the "callbacks" verb (with its one action, "merge").
void AddCallbacksVerb(CLI::App &app, CallbacksArgs &args);

int RunCallbacks(const GlobalOptions &options, const CallbacksArgs &args);

} // namespace qgb
