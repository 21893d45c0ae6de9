// Time of the classic build (GoBuild) for C++ and FORTRAN on synthetic
// designs of N dialogs with 50 controls each, with the bytes written and the
// process's peak memory. Run: build/bench/bench_build
//   counters: output_bytes (all files of one build), controls, peak_rss_MB.
// Targets (read from the report, never asserted): 1,000 dialogs x 50
// controls in C++ under 1 s; ten times the design at most 11 times the time.
#include "DesignGenerator.h"

#include "classic/Build.h"
#include "quorvin/Host.h"
#include "model/Settings.h"
#include "shell/Startup.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using quorvin::host::Host;

void StartAddOn() {
    quorvin::builder::InitAddOn();
}

double PeakMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

long long FileBytes(const std::string &path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
}

void BM_GoBuild(benchmark::State &state) {
    const int32_t language = static_cast<int32_t>(state.range(0));
    const int dialogs = static_cast<int>(state.range(1));
    Host &host = Host::instance();
    host.reset();
    host.startAddOn(&StartAddOn);

    const std::string dir = std::string(QGB_BINARY_DIR) + "/bench-output/build-" +
                            std::to_string(language) + "-" + std::to_string(dialogs) + "/";
    std::system(("mkdir -p '" + dir + "'").c_str());
    qgbbench::DesignOptions options;
    options.dialogs = dialogs;
    options.controlsPerDialog = 50;
    options.sidebars = 2;
    options.seed = 42;
    options.imageFile = dir + "image.bmp";
    qgbbench::WriteSyntheticImage(options.imageFile, 8, 8);
    const qgbbench::DesignSummary summary = qgbbench::AddSyntheticDesign(options);
    host.setLayoutFileName(dir + "design.lay");

    for (auto _ : state) {
        host.clearMessages();
        QorUtilLockStart(quorvin::builder::AddOnHandle);
        quorvin::builder::GoBuild(language, false);
        QorUtilLockFinish(quorvin::builder::AddOnHandle);
    }
    const auto &messages = host.messages();
    if (messages.empty() || messages.back().text.rfind("New GUI stub files", 0) != 0)
        state.SkipWithError("the build did not succeed");

    long long bytes = 0;
    const char *const cppFiles[] = {"guicb.tmp", "guibld.cpp", "GUIDEFS.h", "guidefs.cpp"};
    const char *const fortranFiles[] = {"guicb.tmp", "guibld.F", "GUIDEFS.INC", "GUICB.INC"};
    for (const char *name : language == 2 ? fortranFiles : cppFiles)
        bytes += FileBytes(dir + name);
    state.counters["output_bytes"] = static_cast<double>(bytes);
    state.counters["controls"] = summary.texts + summary.geometries;
    state.counters["peak_rss_MB"] = PeakMegabytes();
    host.reset();
}

// The layout save alone on the same design: the part of a build's time
// that is the host's.
void BM_SaveLayoutOnly(benchmark::State &state) {
    const int dialogs = static_cast<int>(state.range(0));
    Host &host = Host::instance();
    host.reset();
    host.startAddOn(&StartAddOn);
    const std::string dir =
        std::string(QGB_BINARY_DIR) + "/bench-output/save-" + std::to_string(dialogs) + "/";
    std::system(("mkdir -p '" + dir + "'").c_str());
    qgbbench::DesignOptions options;
    options.dialogs = dialogs;
    options.sidebars = 2;
    options.seed = 42;
    options.imageFile = dir + "image.bmp";
    qgbbench::WriteSyntheticImage(options.imageFile, 8, 8);
    qgbbench::AddSyntheticDesign(options);
    const std::string layout = dir + "design.lay";
    for (auto _ : state)
        QorUtilSaveLayout(layout.c_str(), TRUE);
    state.counters["layout_bytes"] = static_cast<double>(FileBytes(layout));
    host.reset();
}

BENCHMARK(BM_SaveLayoutOnly)
    ->ArgNames({"dialogs"})
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// language 1 C++, 2 FORTRAN; 100, 1,000 and 10,000 dialogs of 50 controls.
BENCHMARK(BM_GoBuild)
    ->ArgNames({"language", "dialogs"})
    ->Args({1, 100})
    ->Args({1, 1000})
    ->Args({1, 10000})
    ->Args({2, 100})
    ->Args({2, 1000})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
