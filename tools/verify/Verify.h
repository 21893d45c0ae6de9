// The generated code proven against the design: every dialog and sidebar of
// the workspace is previewed, the C++ output is built, compiled with a small
// driver into a module, loaded, and its builder functions run against the
// reference host; the GUI tree each creates must equal the tree the preview
// of the same frame created (kinds, positions, sizes, labels, item lists,
// tool tips, values, which callbacks exist). The preview's own differences
// are checked exactly and named: "title", "no parent", "close button",
// "callbacks", "sidebar add-on", "form as tab" and "option items".
// qgb verify and the test suite both run this.
#pragma once

#include "QORADDON.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qgb {

// The information message a preview shows when it adds a close button the
// designer left out.
extern const char *const kPreviewCloseButtonMessage;

// How the caller previews and builds: in-process or through the add-on
// module's tool dialog.
struct VerifySteps {
    // The add-on whose previews these are (a preview sidebar belongs to it).
    AddOn_pa builder = nullptr;
    // Previews the current frame; the dialog or sidebar made, BADDIALOGID
    // when none was.
    std::function<GUIInt_t()> preview;
    // The n of "[Preview n]" that the next sidebar preview gets.
    std::function<int()> nextSidebarNumber;
    // Builds the C++ output into the work folder (the caller has named the
    // layout there); true when the build reported success.
    std::function<bool()> build;
    // Optional: runs on the work folder after the build, before compiling.
    std::function<void(const std::string &folder)> beforeCompile;
};

struct VerifyOptions {
    std::string folder;                   // the work folder (exists)
    std::string compiler = "c++";         // the C++ compiler, with any arguments
    std::vector<std::string> includeDirs; // the SDK and ADDGLBL.h
};

struct VerifyResult {
    // Why the comparison could not be made (no preview, a failed build or
    // compile with the compiler's output); empty when it was made.
    std::string failure;
    // Every difference found, "<frame name> / <place>: <what>", in order.
    std::vector<std::string> differences;
    // The preview's own differences that were met.
    std::set<std::string> named;
    int containers = 0; // dialogs and sidebars compared
    // The compiled module, left loaded: the host holds its callbacks. Close
    // it (dlclose) only after the host has let go of them (a reset).
    void *library = nullptr;
};

// Previews every dialog and sidebar frame, builds, compiles and runs the
// generated code and compares. The frame that was current stays current.
VerifyResult VerifyWorkspace(const VerifySteps &steps, const VerifyOptions &options);

// The argument quoted for the shell.
std::string Quote(const std::string &arg);
// Runs a shell command; its exit status, with its output in *output.
int RunShell(const std::string &command, std::string *output);

} // namespace qgb
