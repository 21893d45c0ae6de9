#include "VerifyVerb.h"

#include "BuildVerb.h"
#include "NewVerb.h"
#include "Verify.h"
#include "model/Settings.h"

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <unistd.h>

#ifndef QGB_SDK_DIR
#define QGB_SDK_DIR ""
#endif

namespace qgb {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;

namespace {

constexpr const char *kToolsMenu = "Tools";
constexpr const char *kBuilderOption = "Quorvin GUI Builder";
constexpr const char *kPreviewButton = "Preview Layout";
constexpr const char *kGoBuild = "Go Build";
// The files of a C++ build that the check compiles.
const char *const kGeneratedFiles[] = {"guicb.tmp", "guibld.cpp", "guidefs.cpp", "GUIDEFS.h"};
constexpr size_t kDifferencesShown = 10;

// The SDK headers: installed in ../include/quorvin/sdk beside qgb's folder,
// or the source tree's sdk/ that qgb was built from.
std::string DefaultSdkDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    const fs::path installed = self.parent_path() / ".." / "include" / "quorvin" / "sdk";
    if (!ec && fs::exists(installed / "QORADDON.h", ec))
        return installed.lexically_normal().string();
    return QGB_SDK_DIR;
}

bool Write(const fs::path &path, const std::string &text) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// Previews and builds through the add-on module's tool dialog, as a user does.
VerifySteps ModuleSteps(const VerifyArgs &args, const fs::path &work, int &sidebarNumber) {
    auto &h = Session::host();
    VerifySteps steps;
    steps.builder = h.registrations().empty() ? nullptr : h.registrations().back().handle;
    steps.nextSidebarNumber = [&sidebarNumber] { return sidebarNumber; };
    steps.preview = [&h, &sidebarNumber] {
        std::set<GUIInt_t> before;
        for (const auto &entry : h.dialogs())
            before.insert(entry.first);
        std::string error;
        if (!h.press(kPreviewButton, &error)) {
            PrintError("cannot press \"" + std::string(kPreviewButton) + "\": " + error);
            return GUIInt_t(BADDIALOGID);
        }
        for (const auto &[id, dialog] : h.dialogs())
            if (!before.count(id) && (dialog.kind == "Sidebar" ? dialog.active : dialog.up)) {
                sidebarNumber += dialog.kind == "Sidebar";
                return id;
            }
        return GUIInt_t(BADDIALOGID);
    };
    if (!args.generated.empty()) {
        steps.build = [&args, work] {
            for (const char *name : kGeneratedFiles) {
                std::error_code ec;
                fs::copy_file(fs::path(args.generated) / name, work / name,
                              fs::copy_options::overwrite_existing, ec);
                if (ec) {
                    PrintError("cannot use " + (fs::path(args.generated) / name).string() + ": " +
                               ec.message());
                    return false;
                }
            }
            return true;
        };
    } else {
        steps.build = [&h] {
            const size_t shown = h.messages().size();
            std::string error;
            if (!h.press(kGoBuild, &error)) {
                PrintError("cannot press \"" + std::string(kGoBuild) + "\": " + error);
                return false;
            }
            for (size_t i = shown; i < h.messages().size(); ++i)
                if (IsBuildSuccessReport(h.messages()[i]))
                    return true;
            return false;
        };
    }
    return steps;
}

void Report(const std::string &layout, const VerifyResult &result) {
    if (!result.differences.empty()) {
        std::cout << layout << ": " << result.differences.size()
                  << " difference(s) between the generated code and the preview:\n";
        for (size_t i = 0; i < result.differences.size() && i < kDifferencesShown; ++i)
            std::cout << "  " << result.differences[i] << "\n";
        if (result.differences.size() > kDifferencesShown)
            std::cout << "  ... and " << result.differences.size() - kDifferencesShown << " more\n";
        return;
    }
    std::cout << layout << ": the generated code makes the same " << result.containers
              << " dialog(s) and sidebar(s) as the preview\n";
    std::cout << "  the preview's own differences met:";
    const char *separator = " ";
    for (const std::string &name : result.named) {
        std::cout << separator << name;
        separator = ", ";
    }
    std::cout << "\n";
}

} // namespace

void AddVerifyVerb(CLI::App &app, VerifyArgs &args) {
    args.command =
        app.add_subcommand("verify", "Prove the generated C++ code of LAYOUT against its preview");
    args.command->footer(
        "Previews every dialog and sidebar of LAYOUT, builds the C++ output in a temporary\n"
        "folder, compiles it with $CXX (or c++) against the SDK headers into a module, runs\n"
        "its builder functions in the reference host and compares the GUI trees: kinds,\n"
        "positions, sizes, labels, items, tool tips, values and callbacks. The preview's own\n"
        "differences are named, not counted. LAYOUT is not changed. Exit code 0 when the\n"
        "trees are equal, 1 with the first differences otherwise (the folder is kept).");
    args.command->add_option("LAYOUT", args.layout, "Layout file (JSON)")->required();
    args.command->add_option("--sdk", args.sdk,
                             "Folder of the SDK headers (QORADDON.h); default: the installed "
                             "or built SDK");
    args.command->add_option("--generated", args.generated,
                             "Check the C++ files in this folder (guicb.tmp, guibld.cpp, "
                             "guidefs.cpp, GUIDEFS.h) instead of building them");
    args.command->add_flag("--keep", args.keep, "Keep the temporary folder and print its path");
}

int RunVerify(const GlobalOptions &options, const VerifyArgs &args) {
    Session session(options);
    if (!session.loadLayout(args.layout))
        return kExitFailure;
    const std::string sdk = args.sdk.empty() ? DefaultSdkDir() : args.sdk;
    std::error_code ec;
    if (sdk.empty() || !fs::exists(fs::path(sdk) / "QORADDON.h", ec)) {
        PrintError("no SDK headers (QORADDON.h) in \"" + sdk + "\"; give the folder with --sdk");
        return kExitFailure;
    }
    std::string pattern = (fs::temp_directory_path(ec) / "qgb-verify-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        PrintError("cannot make a temporary folder for " + args.layout);
        return kExitFailure;
    }
    const fs::path work = pattern;
    // The build lands in the temporary folder with the layout's own
    // identifier setting and the C++ language.
    const fs::path config = fs::path(args.layout).parent_path() / "dlb.cfg";
    if (fs::exists(config, ec))
        fs::copy_file(config, work / "dlb.cfg", ec);
    const fs::path layout = work / fs::path(args.layout).filename();
    Session::host().setLayoutFileName(layout.string());
    if (!WriteLanguageToConfig(qb::LanguageCPP, layout.string()) ||
        !Write(work / "include" / "ADDGLBL.h", StarterTemplates().at("ADDGLBL.h")))
        return kExitFailure;
    if (!session.loadAddOn())
        return kExitFailure;
    std::string error;
    if (!Session::host().chooseMenuOption(kToolsMenu, kBuilderOption, &error)) {
        PrintError("cannot choose " + std::string(kToolsMenu) + " > " + kBuilderOption + ": " +
                   error);
        session.reportNewFaults();
        return kExitFailure;
    }

    int sidebarNumber = 1;
    const VerifySteps steps = ModuleSteps(args, work, sidebarNumber);
    VerifyOptions verifyOptions;
    verifyOptions.folder = work.string();
    const char *cxx = std::getenv("CXX");
    verifyOptions.compiler = cxx && *cxx ? cxx : "c++";
    verifyOptions.includeDirs = {sdk, (work / "include").string()};
    const VerifyResult result = VerifyWorkspace(steps, verifyOptions);
    const bool faults = session.reportNewFaults();
    const bool equal = result.failure.empty() && result.differences.empty() && !faults;
    if (!result.failure.empty())
        PrintError(args.layout + ": " + result.failure);
    else
        Report(args.layout, result);
    if (equal && !args.keep)
        fs::remove_all(work, ec);
    else
        std::cout << "generated files kept in " << work.string() << "\n";
    std::cout.flush();
    // The module stays loaded: the host still holds its callbacks.
    return equal ? kExitSuccess : kExitFailure;
}

} // namespace qgb
