// Shared set-up of the host tests: a fresh host per test and a scratch
// directory that is removed again.
#pragma once

#include "quorvin/Host.h"

#include <gtest/gtest.h>

#include <cstdint>
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
        if (!scratch_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(scratch_, ec);
        }
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

    FrameSpec frameAt(const std::string &name, double x, double y, double w, double h) {
        FrameSpec s;
        s.name = name;
        s.x = x;
        s.y = y;
        s.width = w;
        s.height = h;
        return s;
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

// Writes a 24-bit BMP whose pixel (x, y) (y from the top) is rgb(x, y).
template <class Rgb> void writeBmp(const std::filesystem::path &path, int w, int h, Rgb rgb) {
    const int rowBytes = (w * 3 + 3) / 4 * 4;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes * h);
    std::vector<unsigned char> b(54 + dataSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char c[3];
            rgb(x, y, c);
            // Rows are stored bottom-up, pixels as blue, green, red.
            size_t at = 54 + static_cast<size_t>((h - 1 - y) * rowBytes + x * 3);
            b[at] = c[2];
            b[at + 1] = c[1];
            b[at + 2] = c[0];
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline std::string readFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace quorvin::host::testing
