// The real add-on module, loaded with dlopen as the host loads it.
#include "HostFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

// Runs a command and returns its standard output and exit status.
std::string Capture(const std::string &command, int &status) {
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    status = pclose(pipe);
    return output;
}

TEST(Module, ExportsOnlyItsEntryPoint) {
    int status = 0;
    const std::string out =
        Capture(std::string("nm -D --defined-only '") + QGB_MODULE_PATH + "'", status);
    ASSERT_EQ(status, 0) << out;
    std::vector<std::string> symbols;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            symbols.push_back(name);
    }
    EXPECT_EQ(symbols, std::vector<std::string>{"InitQorAddOn113"}) << out;
}

class ModuleLoad : public HostFixture {};

TEST_F(ModuleLoad, StartsUpLikeTheHostLoadsIt) {
    std::string error;
    ASSERT_TRUE(host().loadAddOnModule(QGB_MODULE_PATH, &error)) << error;
    ASSERT_EQ(host().registrations().size(), 1u);
    EXPECT_EQ(host().registrations()[0].name, "Quorvin GUI Builder");
    ASSERT_EQ(host().menuOptions().size(), 1u);
    EXPECT_EQ(host().menuOptions()[0].label, "Quorvin GUI Builder");
    EXPECT_EQ(host().stateChangeCallbackCount(), 1u);
    EXPECT_EQ(host().runIdle(), 1);

    // The module's own tool dialog, built from its own copy of the code.
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
    const auto *dialog = host().findDialogByTitle("GUI Builder");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->up);
    EXPECT_EQ(dialog->kind, "Modeless");

    host().quit();
    EXPECT_EQ(host().liveSets(), 0u);
    EXPECT_EQ(host().liveStringLists(), 0u);
}

TEST_F(ModuleLoad, OnAnOldHostOnlyShowsItsError) {
    host().setVersion(1000299);
    std::string error;
    ASSERT_TRUE(host().loadAddOnModule(QGB_MODULE_PATH, &error)) << error;
    ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
    EXPECT_EQ(host().messages()[0].text,
              "Add-on \"Quorvin GUI Builder\" requires Quorvin version 2022.2.0.18713 or greater.");
    EXPECT_TRUE(host().menuOptions().empty());
    EXPECT_EQ(host().liveSets(), 0u);
    EXPECT_EQ(host().liveStringLists(), 0u);
}

} // namespace
} // namespace qgbtest
