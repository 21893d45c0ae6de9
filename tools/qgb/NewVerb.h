// qgb new: a starter add-on project that builds and runs at once.
#pragma once

#include "Session.h"

#include <map>
#include <string>

namespace CLI {
class App;
}

namespace qgb {

struct NewArgs {
    CLI::App *command = nullptr;
    std::string directory;
    std::string language = "cpp";
};

void AddNewVerb(CLI::App &app, NewArgs &args);

int RunNew(const GlobalOptions &options, const NewArgs &args);

// The starter project's files by template name (tools/qgb/templates),
// compiled into qgb.
const std::map<std::string, std::string> &StarterTemplates();

} // namespace qgb
