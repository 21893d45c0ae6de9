// The Qt build on synthetic designs of N dialogs with 50 controls each, and
// beside it, on the very forms that build wrote, Qt's own form compiler uic
// (one uic run per form, in sequence). Both are reported as widgets per
// second, the widgets being the <widget> elements of all forms of one build
// (dialogs and main window). The build runs in process: the design is made
// in the host's workspace before the timing, so no layout is loaded.
// Target (read from the report, never asserted): the build's widgets per
// second at least uic's.
//   counters: widgets, forms, widgets_per_second
#include "DesignGenerator.h"

#include "classic/Build.h"
#include "quorvin/Host.h"
#include "model/Settings.h"
#include "shell/Startup.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using quorvin::host::Host;

void StartAddOn() {
    quorvin::builder::InitAddOn();
}

// A project for the Qt build: "<root>/layout/design.lay" beside
// "<root>/ui/mainwindow/qt", holding the synthetic design of `dialogs`
// dialogs in the host's workspace.
fs::path MakeProject(const std::string &tag, int dialogs) {
    Host &host = Host::instance();
    host.reset();
    host.startAddOn(&StartAddOn);
    const fs::path root = fs::path(QGB_BINARY_DIR) / "bench-output" / tag;
    std::error_code error;
    fs::remove_all(root, error);
    fs::create_directories(root / "layout");
    fs::create_directories(root / "ui" / "mainwindow" / "qt");
    qgbbench::DesignOptions options;
    options.dialogs = dialogs;
    options.controlsPerDialog = 50;
    options.sidebars = 2;
    options.seed = 42;
    options.letterTitles = true;
    options.imageFile = (root / "layout" / "image.bmp").string();
    qgbbench::WriteSyntheticImage(options.imageFile, 8, 8);
    qgbbench::AddSyntheticDesign(options);
    host.setLayoutFileName((root / "layout" / "design.lay").string());
    return root;
}

// One Qt build, as the tool dialog runs it. Empty when it reported
// success, else the messages it showed.
std::string BuildQt() {
    Host &host = Host::instance();
    host.clearMessages();
    QorUtilLockStart(quorvin::builder::AddOnHandle);
    quorvin::builder::GoBuild(quorvin::builder::LanguageQt, false);
    QorUtilLockFinish(quorvin::builder::AddOnHandle);
    const auto &messages = host.messages();
    if (!messages.empty() && messages.back().text == "New Qt stub files have been written.")
        return "";
    std::string shown = "the Qt build did not succeed:";
    for (const auto &message : messages)
        shown += " [" + message.text + "]";
    return shown;
}

// The forms a build wrote, in name order.
std::vector<fs::path> Forms(const fs::path &root) {
    std::vector<fs::path> forms;
    for (const auto &entry : fs::recursive_directory_iterator(root / "ui"))
        if (entry.is_regular_file() && entry.path().extension() == ".ui")
            forms.push_back(entry.path());
    std::sort(forms.begin(), forms.end());
    return forms;
}

long long CountWidgets(const std::vector<fs::path> &forms) {
    long long widgets = 0;
    for (const fs::path &form : forms) {
        std::ifstream in(form, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const std::string s = text.str();
        for (size_t at = s.find("<widget "); at != std::string::npos;
             at = s.find("<widget ", at + 1))
            ++widgets;
    }
    return widgets;
}

void Report(benchmark::State &state, const std::vector<fs::path> &forms) {
    const long long widgets = CountWidgets(forms);
    state.counters["forms"] = static_cast<double>(forms.size());
    state.counters["widgets"] = static_cast<double>(widgets);
    state.counters["widgets_per_second"] = benchmark::Counter(
        static_cast<double>(widgets), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_QtBuild(benchmark::State &state) {
    const int dialogs = static_cast<int>(state.range(0));
    const fs::path root = MakeProject("qt-build-" + std::to_string(dialogs), dialogs);
    std::string failure;
    for (auto _ : state)
        if (std::string shown = BuildQt(); !shown.empty())
            failure = shown;
    if (!failure.empty())
        state.SkipWithError(failure.c_str());
    else
        Report(state, Forms(root));
    Host::instance().reset();
}

// Runs uic on one form, its output thrown away; true when uic succeeded.
bool RunUic(const fs::path &form) {
    std::string uic = QGB_QT_UIC, input = form.string(), option = "-o", output = "/dev/null";
    char *argv[] = {uic.data(), input.data(), option.data(), output.data(), nullptr};
    // uic's warnings (a synthetic design repeats names) stay out of the report.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, uic.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_UicOnTheBuiltForms(benchmark::State &state) {
    if (std::string(QGB_QT_UIC).empty()) {
        state.SkipWithError("Qt's uic was not found when the benchmarks were configured");
        return;
    }
    const int dialogs = static_cast<int>(state.range(0));
    const fs::path root = MakeProject("qt-uic-" + std::to_string(dialogs), dialogs);
    if (const std::string failure = BuildQt(); !failure.empty()) {
        state.SkipWithError(failure.c_str());
        Host::instance().reset();
        return;
    }
    Host::instance().reset();
    const std::vector<fs::path> forms = Forms(root);
    bool succeeded = true;
    for (auto _ : state)
        for (const fs::path &form : forms)
            succeeded = RunUic(form) && succeeded;
    if (!succeeded)
        state.SkipWithError("uic refused a form");
    else
        Report(state, forms);
}

// 100 dialogs for both (the comparison), 1,000 for the build alone.
BENCHMARK(BM_QtBuild)
    ->ArgNames({"dialogs"})
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(BM_UicOnTheBuiltForms)
    ->ArgNames({"dialogs"})
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
