// qgb studio: runs qgb-studio, the desktop front end, which is built and
// installed beside qgb (qgb itself never links Qt).
#pragma once

#include "Session.h"

#include <string>

namespace CLI {
class App;
}

namespace qgb {

struct StudioArgs {
    CLI::App *command = nullptr;
    std::string layout;     // empty: an empty workspace
    std::string screenshot; // empty: the window stays up
};

void AddStudioVerb(CLI::App &app, StudioArgs &args);

// Replaces qgb with the studio; returns only when it cannot be started.
int RunStudio(const GlobalOptions &options, const StudioArgs &args);

} // namespace qgb
