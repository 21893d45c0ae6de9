// qgb preview: shows a design's dialog or sidebar the way the Preview button
// does and draws it as a picture (SVG or PNG), without a host window.
#pragma once

#include "Session.h"

#include <string>

namespace CLI {
class App;
}

namespace qgb {

struct PreviewArgs {
    CLI::App *command = nullptr;
    std::string layout;
    int frame = 0; // the frame's place in the list "qgb info" prints; 0: the current frame
    std::string output;
    double scale = 1.0;
};

// Adds the "preview" verb; args is filled when the command line is parsed.
void AddPreviewVerb(CLI::App &app, PreviewArgs &args);

int RunPreview(const GlobalOptions &options, const PreviewArgs &args);

} // namespace qgb
