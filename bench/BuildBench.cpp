// Time of the classic build (GoBuild) for C++ and FORTRAN on synthetic
// designs of N dialogs with 50 controls each, in process and without the
// layout load, with the bytes written: for profiling the build step. What a
// user waits for, with each case's own peak memory, is scripts/bench.sh's.
// Run: build/bench/bench_build
//   counters: output_bytes (all files of one build), controls.
#include "DesignGenerator.h"

#include "classic/Build.h"
#include "quorvin/Host.h"
#include "model/Settings.h"
#include "shell/Startup.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using quorvin::host::Host;

void StartAddOn() {
    quorvin::builder::InitAddOn();
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
