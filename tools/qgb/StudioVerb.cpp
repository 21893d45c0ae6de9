#include "StudioVerb.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace qgb {

namespace fs = std::filesystem;

void AddStudioVerb(CLI::App &app, StudioArgs &args) {
    args.command = app.add_subcommand("studio", "Design LAYOUT with the mouse in qgb-studio");
    args.command->footer(
        "Runs qgb-studio, found beside qgb, with the add-on module qgb would load: the\n"
        "workspace drawn and edited with the mouse, the add-on's dialogs as real windows\n"
        "(docs/studio.md). Without LAYOUT the workspace starts empty.");
    args.command->add_option("LAYOUT", args.layout, "Layout file (JSON) to open");
    args.command->add_option("--screenshot", args.screenshot,
                             "Open LAYOUT with the tool dialog up, write this PNG and quit");
}

int RunStudio(const GlobalOptions &options, const StudioArgs &args) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    const fs::path studio = (ec ? fs::path("qgb-studio") : self.parent_path() / "qgb-studio");
    if (::access(studio.c_str(), X_OK) != 0) {
        PrintError("qgb studio needs the program " + studio.string() + " (" + std::strerror(errno) +
                   "); build or install qgb-studio beside qgb");
        return kExitFailure;
    }
    std::vector<std::string> words = {studio.string(), "--module", options.modulePath};
    if (options.hostVersion)
        words.insert(words.end(), {"--host-version", std::to_string(*options.hostVersion)});
    if (!args.screenshot.empty())
        words.insert(words.end(), {"--screenshot", args.screenshot});
    if (!args.layout.empty())
        words.insert(words.end(), {"--", args.layout});
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    ::execv(studio.c_str(), argv.data());
    PrintError("cannot run " + studio.string() + ": " + std::strerror(errno));
    return kExitFailure;
}

} // namespace qgb
