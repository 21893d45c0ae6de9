// qgb verify: the generated C++ code proven against the design. The output
// is built in a temporary folder, compiled with the system's C++ compiler
// into a module, and the GUI tree its builder functions make in the
// reference host is compared with the tree the preview makes.
#pragma once

#include "Session.h"

#include <string>

namespace CLI {
class App;
}

namespace qgb {

struct VerifyArgs {
    CLI::App *command = nullptr;
    std::string layout;
    std::string sdk;       // the SDK's header folder; empty: the installed or built one
    std::string generated; // a folder of generated files to check in place of a build
    bool keep = false;     // keep the temporary folder
};

// Adds the "verify" verb; args is filled when the command line is parsed.
void AddVerifyVerb(CLI::App &app, VerifyArgs &args);

int RunVerify(const GlobalOptions &options, const VerifyArgs &args);

} // namespace qgb
