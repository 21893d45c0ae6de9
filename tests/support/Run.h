// For the tests that drive the real tools as a user does: shell commands and
// the qgb tool with their output, whole files, the bundled sample designs and
// a temporary folder per test.
#pragma once

#include "Verify.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qgbtest {

namespace fs = std::filesystem;

using qgb::Quote;

// Runs a shell command; its exit status, its standard output in *output.
inline int Capture(const std::string &command, std::string *output) {
    FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    const int status = ::pclose(pipe);
    if (output)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The same with standard output and error joined.
inline int Shell(const std::string &command, std::string *output = nullptr) {
    std::string ignored;
    return qgb::RunShell(command, output ? output : &ignored);
}

inline std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteFile(const fs::path &path, const std::string &text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline fs::path FreshTempPath(const std::string &prefix) {
    std::random_device random;
    return fs::temp_directory_path() /
           (prefix + std::to_string(random()) + "-" + std::to_string(random()));
}

// An empty folder under the build tree's test-output/ for one test's files.
inline std::string OutputDir(const std::string &name) {
    const fs::path dir = fs::path(QGB_BINARY_DIR) / "test-output" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs qgb with the arguments, standard output and error apart.
inline Outcome RunQgb(const std::vector<std::string> &args) {
    std::string command = Quote(QGB_CLI_PATH);
    for (const std::string &a : args)
        command += " " + Quote(a);
    const fs::path err = FreshTempPath("qgb-stderr-");
    Outcome run;
    run.status = Capture(command + " 2>" + Quote(err.string()), &run.out);
    run.err = ReadFile(err);
    fs::remove(err);
    return run;
}

// Every *.lay.json under examples/, sorted.
inline std::vector<fs::path> SampleLayouts() {
    std::vector<fs::path> layouts;
    for (const auto &entry :
         fs::recursive_directory_iterator(fs::path(QGB_SOURCE_DIR) / "examples")) {
        const std::string path = entry.path().string();
        if (entry.is_regular_file() && path.size() > 9 &&
            path.compare(path.size() - 9, 9, ".lay.json") == 0)
            layouts.push_back(entry.path());
    }
    std::sort(layouts.begin(), layouts.end());
    return layouts;
}

// A fresh folder below the system's temporary folder, removed afterwards
// unless the test failed.
class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir = FreshTempPath("qgb-test-")); }
    void TearDown() override {
        std::error_code ec;
        if (!HasFailure())
            fs::remove_all(dir, ec);
    }
    fs::path dir;
};

} // namespace qgbtest
