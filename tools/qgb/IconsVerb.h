// qgb icons: writes the PNG icons that the Qt build's resource file lists,
// from the pictures of the design's bitmap buttons.
#pragma once

#include "Session.h"

#include <string>

namespace CLI {
class App;
}

namespace qgb {

struct IconsArgs {
    CLI::App *command = nullptr;
    std::string layout;
    std::string output; // folder; empty: beside the layout
};

void AddIconsVerb(CLI::App &app, IconsArgs &args);

int RunIcons(const GlobalOptions &options, const IconsArgs &args);

} // namespace qgb
