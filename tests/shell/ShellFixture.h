// Helpers for the tests of the add-on shell: the add-on started in-process,
// the tool dialog opened, small workspaces, and the check after quitting
// that nothing is left allocated.
#pragma once

#include "DialogGolden.h"
#include "HostFixture.h"
#include "Run.h"

#include "QORADDON.h"
#include "quorvin/Host.h"
#include "model/Settings.h"
#include "shell/StateChange.h"
#include "shell/Startup.h"
#include "shell/ToolDialog.h"

#include <string>
#include <vector>

namespace qgbtest {

inline void StartBuilder() {
    quorvin::builder::InitAddOn();
}

class ShellFixture : public HostFixture {
  protected:
    // Quits the add-on (a second quit is harmless) and checks that nothing
    // it allocated is still live.
    void TearDown() override {
        host().quit();
        EXPECT_EQ(host().liveSets(), 0u) << "host sets still live after quit";
        EXPECT_EQ(host().liveStringLists(), 0u) << "host string lists still live after quit";
        HostFixture::TearDown();
    }

    // Starts the add-on as the host does when it loads it.
    void StartAddOn(int32_t hostVersion = 1000300) {
        host().setVersion(hostVersion);
        host().startAddOn(StartBuilder);
    }
    // Chooses Tools > Quorvin GUI Builder; fails the test when refused.
    void OpenToolDialog() { Do(&Host::chooseMenuOption, "Tools", "Quorvin GUI Builder"); }

    // An empty directory for the layouts and "dlb.cfg" files of this test.
    static fs::path TempDir() {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        return OutputDir(std::string("shell-") + test->test_suite_name() + "-" + test->name());
    }

    // Adds a frame (made current) with the given name.
    UniqueID_t AddFrame(const std::string &name, double width = 9, double height = 8) {
        return host().addFrame({name, 1, 0.25, width, height});
    }
    Text_ID AddText(const std::string &string, TextBox_e box = TextBox_None,
                    const std::string &command = "", double x = 50, double y = 50,
                    double angle = 0) {
        quorvin::host::TextSpec spec{string, command, CoordSys_Frame, x, y, Units_Point, 12, angle};
        spec.boxType = box;
        return host().addText(spec);
    }
};

} // namespace qgbtest
