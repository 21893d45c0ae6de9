// Shared set-up of the host tests: a fresh host per test, a scratch directory
// that is removed again, and small readers of the host's state.
#pragma once

#include "quorvin/Host.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quorvin::host::testing {

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override { host().reset(); }
    void TearDown() override {
        host().reset();
        std::error_code ignored;
        if (!scratch_.empty())
            std::filesystem::remove_all(scratch_, ignored);
    }

    static Host &host() { return Host::instance(); }

    // A fresh directory for this test's files.
    std::filesystem::path scratch() {
        if (scratch_.empty()) {
            const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
            scratch_ = std::filesystem::temp_directory_path() /
                       ("qgb-host-" + std::string(info->test_suite_name()) + "-" + info->name());
            std::filesystem::remove_all(scratch_);
            std::filesystem::create_directories(scratch_);
        }
        return scratch_;
    }

    // The faults recorded since the last call, then forgotten.
    std::vector<std::string> takeFaults() {
        std::vector<std::string> f = host().faults();
        host().clearFaults();
        return f;
    }

    // Frame names from the bottom of the stack to the top.
    static std::vector<std::string> frameNames() {
        std::vector<std::string> names;
        for (const Frame &f : host().frames())
            names.push_back(f.spec.name);
        return names;
    }

  private:
    std::filesystem::path scratch_;
};

// True when some recorded fault contains the text.
inline bool anyContains(const std::vector<std::string> &faults, const std::string &text) {
    for (const auto &f : faults)
        if (f.find(text) != std::string::npos)
            return true;
    return false;
}

// Writes a 24-bit BMP whose pixel (x, y), y from the top, is rgb(30x, 60y, 7).
void writeTestImage(const std::filesystem::path &path, int width, int height);
// The same picture as the bytes of a PNG file.
std::string testPng(int width, int height);

inline std::string readFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace quorvin::host::testing
