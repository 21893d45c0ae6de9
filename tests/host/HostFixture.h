// Shared set-up of the host tests: a fresh host and a scratch directory per
// test, small readers of the host's state, and a test fails on any fault it
// did not take.
#pragma once

#include "Run.h"
#include "quorvin/Host.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorvin::host::testing {

using qgbtest::ReadFile;
using Names = std::vector<std::string>;
using Codes = std::vector<StateChange_e>;

// The current frame's name through the SDK, "<none>" without one.
inline std::string CurrentName() {
    char *name = nullptr;
    if (!QorUtilFrameGetName(&name))
        return "<none>";
    std::string s = name;
    QorUtilStringDealloc(&name);
    return s;
}

class HostTest : public qgbtest::TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        host().reset();
        changes_.clear();
    }
    void TearDown() override {
        EXPECT_EQ(takeFaults(), std::vector<std::string>()) << "faults the test did not expect";
        host().reset();
        TempFolderTest::TearDown();
    }

    static Host &host() { return Host::instance(); }
    // A fresh directory for this test's files.
    std::filesystem::path scratch() const { return dir; }

    // The faults recorded since the last call, then forgotten.
    std::vector<std::string> takeFaults() {
        std::vector<std::string> f = host().faults();
        host().clearFaults();
        return f;
    }
    // Exactly these faults since the last call, in order, each saying its text.
    void expectFaults(const Names &texts) {
        const std::vector<std::string> faults = takeFaults();
        ASSERT_EQ(faults.size(), texts.size()) << "expected faults with: " << texts[0];
        for (size_t i = 0; i < texts.size(); ++i)
            EXPECT_NE(faults[i].find(texts[i]), std::string::npos) << faults[i];
    }
    void expectFault(const std::string &text) { expectFaults({text}); }

    // Frame names from the bottom of the stack to the top.
    static Names frameNames() {
        Names names;
        for (const Frame &f : host().frames())
            names.push_back(f.spec.name);
        return names;
    }

    // Records every state change from now on, with the frame current then.
    static void listen() {
        ASSERT_TRUE(QorUtilStateChangeAddCallback(record));
        ASSERT_TRUE(QorUtilStateChangeSetMode(record, StateChangeMode_v80));
    }
    static void record(StateChange_e code, ArbParam_t) {
        changes_.emplace_back(code, CurrentName());
    }
    // The codes recorded since the last call, then forgotten.
    static Codes codes() {
        Codes c;
        for (const auto &change : changes_)
            c.push_back(change.first);
        changes_.clear();
        return c;
    }
    static inline std::vector<std::pair<StateChange_e, std::string>> changes_;
};

// Writes a 24-bit BMP whose pixel (x, y), y from the top, is rgb(30x, 60y, 7).
void writeTestImage(const std::filesystem::path &path, int width, int height);
// The same picture as the bytes of a PNG file.
std::string testPng(int width, int height);

} // namespace quorvin::host::testing
