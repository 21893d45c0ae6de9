// One run of qgb against the reference host: the host is reset, messages the
// add-on shows are printed as they happen, and every host fault is reported.
#pragma once

#include "quorvin/Host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qgb {

// Exit codes of every verb.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct GlobalOptions {
    std::optional<int32_t> hostVersion;
    std::string modulePath;
};

class Session {
  public:
    explicit Session(const GlobalOptions &options);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    static quorvin::host::Host &host() { return quorvin::host::Host::instance(); }

    // Each prints "error: ..." to standard error and returns false on failure.
    bool loadLayout(const std::string &path);
    bool loadAddOn(const std::string &modulePath);
    bool loadAddOn() { return loadAddOn(options_.modulePath); }

    // True when the host recorded faults since the last call; prints them.
    bool reportNewFaults();
    // Whether an error dialog (or an error box) was shown so far.
    bool errorShown() const;
    const GlobalOptions &options() const { return options_; }

    // Quits the host (state 15) once; the destructor does it otherwise.
    void quit();

    // The frame order that context lines number frames by (1 = the bottom of
    // the stack, as "qgb info" lists them). Taken when a layout is loaded, so
    // that raising a frame does not renumber it.
    void rememberFrameOrder();
    // "  in LAYOUT, frame N "NAME", text #I "STRING"": where the add-on was
    // when it showed the message; "" when there is no frame.
    std::string contextLine(const quorvin::host::Message &message) const;

  private:
    GlobalOptions options_;
    std::unordered_map<UniqueID_t, size_t> frameNumbers_; // by unique ID, from 1
    size_t faultsReported_ = 0;
    bool quit_ = false;
};

// The message as qgb prints it: "error: ...", "warning: ...", "info: ...".
std::string DescribeMessage(const quorvin::host::Message &message);

// Why path cannot be read as a layout (a folder, missing, unreadable), or "".
std::string LayoutPathProblem(const std::string &path);

// Prints "error: <text>" to standard error.
void PrintError(const std::string &text);

// "C", "CPP", "FORTRAN" or "QT"; "?" for other values.
const char *LanguageWord(int32_t language);

// Numbers as a designer reads them: no trailing zeros ("0.25", "9").
std::string FormatNumber(double value);

} // namespace qgb
