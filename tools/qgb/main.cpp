// qgb: the command-line front end of the Quorvin GUI Builder. It loads a
// layout into the reference host, loads the add-on module and drives it the
// way a person would.
#include "BuildVerb.h"
#include "CallbacksVerb.h"
#include "CheckVerb.h"
#include "IconsVerb.h"
#include "InfoVerb.h"
#include "NewVerb.h"
#include "PreviewVerb.h"
#include "Script.h"
#include "Session.h"
#include "StudioVerb.h"
#include "Usage.h"
#include "VerifyVerb.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#ifndef QGB_DEFAULT_MODULE
#define QGB_DEFAULT_MODULE "libquorvin_gui_builder.so"
#endif

namespace {

constexpr const char *kFooter =
    R"(Messages the add-on shows are printed to standard error as they happen,
prefixed "error:", "warning:", "info:", "question:" or "help:". Results (what
info and options show, the files a build wrote) go to standard output.

Exit codes:
  0  success (for build: the build's success report was shown)
  1  failure: the layout or script could not be read, an error was shown, the
     build did not report success, a script line failed, or the host recorded
     a fault
  2  usage error

Examples (from the source folder, after scripts/quickstart.sh):
  qgb info build/example-run/sample.lay.json
  qgb build build/example-run/sample.lay.json --language fortran
  qgb run tests/cli/scripts/anchor.qgb --var WORK=$PWD/build/qgb-work --var EXAMPLES=$PWD/examples

The script language of "qgb run" is described in docs/scripts.md.)";

// Installed, the add-on module sits in ../lib/quorvin beside qgb's folder;
// in the build tree it is the module qgb was built with.
std::string DefaultModule() {
#ifdef QGB_INSTALLED_MODULE
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path installed = self.parent_path() / QGB_INSTALLED_MODULE;
    if (!ec && std::filesystem::exists(installed, ec))
        return installed.lexically_normal().string();
#endif
    return QGB_DEFAULT_MODULE;
}

} // namespace

int main(int argc, char **argv) {
    CLI::App app{"qgb - build and inspect Quorvin GUI Builder designs with the reference host"};
    app.footer(kFooter);
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", qgb::VersionText());

    qgb::GlobalOptions options;
    options.modulePath = DefaultModule();
    int32_t hostVersion = 0;
    app.add_option("--host-version", hostVersion,
                   "Host version the reference host reports (default 1000300; the add-on needs "
                   "1000300 or later)");
    app.add_option("--module", options.modulePath, "The add-on module to load")
        ->capture_default_str();

    std::string layout;
    auto *info =
        app.add_subcommand("info", "Show the add-on, the options and every frame of LAYOUT");
    info->footer("Loads LAYOUT and the add-on, then shows the host version, the add-on registered\n"
                 "(name, version), the menu options added, the options from dlb.cfg and every\n"
                 "frame (name, position, size, linking, FrameKind) with its texts and geometries:\n"
                 "the control kind and the generated identifier, or why there is none.");
    info->add_option("LAYOUT", layout, "Layout file (JSON, docs/layout-format.md)")->required();
    bool infoJson = false;
    info->add_flag("--json", infoJson, "The design as JSON (docs/info-json.md)");

    auto *opts = app.add_subcommand("options", "Show the options in force for LAYOUT");
    opts->footer("Reads the dlb.cfg beside LAYOUT as the add-on does; without one the defaults\n"
                 "are in force.");
    opts->add_option("LAYOUT", layout, "Layout file (JSON)")->required();

    std::string languageWord;
    auto *build = app.add_subcommand("build", "Build LAYOUT as a user does and list the files");
    build->footer(
        "Chooses Tools > Quorvin GUI Builder and presses \"Go Build\". The generated files\n"
        "and dlb.cfg are written beside LAYOUT and the layout is saved, so build a copy.\n"
        "The files the build wrote are listed on standard output. Exit code 0 exactly when\n"
        "the build's success report was shown.");
    build->add_option("LAYOUT", layout, "Layout file (JSON)")->required();
    build
        ->add_option("--language", languageWord,
                     "c, cpp, fortran or qt: written into the layout's dlb.cfg before the build, "
                     "keeping the file's other setting")
        ->check(CLI::IsMember({"c", "cpp", "fortran", "qt"}, CLI::ignore_case));

    std::string checkLanguage;
    bool checkJson = false;
    auto *check =
        app.add_subcommand("check", "Show the problems of LAYOUT before anything is built");
    check->footer("Reports what the build would refuse or warn about and what the compilers would\n"
                  "refuse later, each with the frame, the control, the key and what to do.\n"
                  "Nothing is written. Exit code 1 when a finding is an error.");
    check->add_option("LAYOUT", layout, "Layout file (JSON)")->required();
    check->add_option("--language", checkLanguage, "c, cpp, fortran or qt (default: dlb.cfg's)")
        ->check(CLI::IsMember({"c", "cpp", "fortran", "qt"}, CLI::ignore_case));
    check->add_flag("--json", checkJson, "Findings as JSON");

    std::string script;
    std::vector<std::string> variableArgs;
    auto *run = app.add_subcommand("run", "Run a qgb script");
    run->footer("A script drives the host line by line as a person would: load and save layouts,\n"
                "choose menu options, press buttons and menu items, set toggles, radio boxes and\n"
                "text fields, pick objects, move and resize frames, answer questions and file\n"
                "choosers, run the idle queue and check what was shown (docs/scripts.md). The run\n"
                "stops at the first failing line, reported as SCRIPT:LINE: error: ...");
    run->add_option("SCRIPT", script, "Script file")->required();
    run->add_option("--var", variableArgs, "NAME=VALUE: a variable the script reads as ${NAME}");

    qgb::PreviewArgs preview;
    qgb::AddPreviewVerb(app, preview);
    qgb::CallbacksArgs callbacks;
    qgb::AddCallbacksVerb(app, callbacks);
    qgb::IconsArgs icons;
    qgb::AddIconsVerb(app, icons);
    qgb::NewArgs newProject;
    qgb::AddNewVerb(app, newProject);
    qgb::VerifyArgs verify;
    qgb::AddVerifyVerb(app, verify);
    qgb::StudioArgs studio;
    qgb::AddStudioVerb(app, studio);

    if (const int code = qgb::CheckCommandLine(app, argc, argv); code >= 0)
        return code;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        const int code = app.exit(e);
        return code == 0 ? qgb::kExitSuccess : qgb::kExitUsage;
    }
    // Nothing that goes wrong ends qgb on an uncaught exception: it is
    // reported as an error naming the file the command was given.
    std::string subject = !layout.empty() ? layout : script;
    for (int i = 2; i < argc && subject.empty(); ++i)
        if (argv[i][0] != '-')
            subject = argv[i];
    try {
        if (app.count("--host-version"))
            options.hostVersion = hostVersion;

        if (*info)
            return qgb::RunInfo(options, layout, infoJson);
        if (*opts)
            return qgb::RunOptions(options, layout);
        if (*build) {
            std::optional<int32_t> language;
            if (!languageWord.empty())
                language = qgb::ParseLanguage(languageWord);
            return qgb::RunBuild(options, layout, language);
        }
        if (*check) {
            std::optional<int32_t> language;
            if (!checkLanguage.empty())
                language = qgb::ParseLanguage(checkLanguage);
            return qgb::RunCheck(options, layout, language, checkJson);
        }
        if (*preview.command)
            return qgb::RunPreview(options, preview);
        if (*callbacks.command)
            return qgb::RunCallbacks(options, callbacks);
        if (*icons.command)
            return qgb::RunIcons(options, icons);
        if (*newProject.command)
            return qgb::RunNew(options, newProject);
        if (*verify.command)
            return qgb::RunVerify(options, verify);
        if (*studio.command)
            return qgb::RunStudio(options, studio);
        if (*run) {
            std::map<std::string, std::string> variables;
            for (const std::string &arg : variableArgs) {
                const size_t eq = arg.find('=');
                if (eq == std::string::npos || eq == 0) {
                    std::cerr << "error: --var needs NAME=VALUE, not " << arg << std::endl;
                    return qgb::kExitUsage;
                }
                variables[arg.substr(0, eq)] = arg.substr(eq + 1);
            }
            return qgb::RunScript(options, script, variables);
        }
        return qgb::kExitUsage;
    } catch (const std::exception &e) {
        std::cerr << "error: " << subject << ": " << e.what() << std::endl;
    } catch (...) {
        std::cerr << "error: " << subject << ": unexpected failure" << std::endl;
    }
    return qgb::kExitFailure;
}
