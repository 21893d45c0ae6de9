#include "PreviewVerb.h"

#include "quorvin/Render.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <future>
#include <iostream>
#include <set>
#include <system_error>

namespace qgb {

namespace {

constexpr const char *kToolsMenu = "Tools";
constexpr const char *kBuilderOption = "Quorvin GUI Builder";
constexpr const char *kPreviewButton = "Preview Layout";

bool Shown(const quorvin::host::GuiDialog &d) {
    return d.kind == "Sidebar" ? d.active : d.up;
}

} // namespace

void AddPreviewVerb(CLI::App &app, PreviewArgs &args) {
    args.command = app.add_subcommand("preview", "Draw the dialog or sidebar a frame of LAYOUT "
                                                 "describes, as the Preview button shows it");
    args.command->footer(
        "Loads LAYOUT and the add-on, makes the chosen frame current, chooses Tools > Quorvin\n"
        "GUI Builder and presses \"Preview Layout\", then draws the preview as an SVG or PNG\n"
        "picture (the extension of FILE decides). Nothing is written beside LAYOUT and the\n"
        "layout is not saved. The picture's path is printed on standard output. Exit code 0\n"
        "when the picture was written and no error was shown.");
    args.command->add_option("LAYOUT", args.layout, "Layout file (JSON)")->required();
    args.command
        ->add_option("--frame", args.frame,
                     "N: the frame's place in the list \"qgb info\" prints (1 = bottom of the "
                     "stack); by default the current frame")
        ->check(CLI::PositiveNumber);
    args.command->add_option("-o,--output", args.output, "FILE.svg or FILE.png")
        ->required()
        ->check(CLI::Validator(
            [](std::string &file) {
                const std::string ext = std::filesystem::path(file).extension().string();
                return ext == ".svg" || ext == ".png" ? std::string()
                                                      : file + " must end in .svg or .png";
            },
            "FILE.svg|FILE.png"));
    args.command->add_option("--scale", args.scale, "Pixels per screen pixel of the picture (PNG)")
        ->check(CLI::Range(0.25, 8.0))
        ->capture_default_str();
}

int RunPreview(const GlobalOptions &options, const PreviewArgs &args) {
    // The picture's fonts load on a second thread while the layout loads, the
    // add-on builds the preview and the picture's surface is made (the future
    // waits for it on every way out).
    std::future<void> fonts;
    try {
        fonts = std::async(std::launch::async, quorvin::host::LoadPictureFonts);
    } catch (const std::system_error &) {
        // Then the first text drawn loads them.
    }
    Session session(options);
    if (!session.loadLayout(args.layout))
        return kExitFailure;
    auto &h = Session::host();
    if (args.frame != 0) {
        const auto &frames = h.frames();
        if (static_cast<size_t>(args.frame) > frames.size()) {
            PrintError("--frame " + std::to_string(args.frame) + ": " + args.layout + " has " +
                       std::to_string(frames.size()) + " frame(s)");
            return kExitUsage;
        }
        h.makeCurrent(frames[static_cast<size_t>(args.frame) - 1].uniqueId);
    }
    if (!session.loadAddOn())
        return kExitFailure;

    std::string error;
    if (!h.chooseMenuOption(kToolsMenu, kBuilderOption, &error)) {
        PrintError("cannot choose " + std::string(kToolsMenu) + " > " + kBuilderOption + ": " +
                   error);
        session.reportNewFaults();
        return kExitFailure;
    }
    std::set<GUIInt_t> before;
    for (const auto &entry : h.dialogs())
        before.insert(entry.first);
    if (!h.press(kPreviewButton, &error)) {
        PrintError("cannot press \"" + std::string(kPreviewButton) + "\": " + error);
        session.reportNewFaults();
        return kExitFailure;
    }
    // The preview is the dialog or sidebar the button made and showed.
    GUIInt_t preview = BADDIALOGID;
    for (const auto &[id, dialog] : h.dialogs())
        if (!before.count(id) && Shown(dialog))
            preview = id;
    bool written = false;
    quorvin::host::RenderOptions drawing;
    drawing.scale = args.scale;
    drawing.beforeDrawing = [&fonts] {
        if (fonts.valid())
            fonts.wait();
    };
    if (preview == BADDIALOGID) {
        PrintError("no preview was shown for " + args.layout);
    } else if (!quorvin::host::renderDialog(preview, args.output, &error, drawing)) {
        PrintError(error);
    } else {
        written = true;
        std::cout << args.output << std::endl;
    }
    const bool errorShown = session.errorShown();
    session.quit();
    const bool faults = session.reportNewFaults();
    return written && !errorShown && !faults ? kExitSuccess : kExitFailure;
}

} // namespace qgb
