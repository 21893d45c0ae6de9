#include "ShellFixture.h"

#include "shell/CommandTable.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace qgbtest {

namespace fs = std::filesystem;
using quorvin::host::GuiControl;

namespace {

void EntryPoint() {
    quorvin::builder::InitAddOn();
}

} // namespace

void ShellFixture::SetUp() {
    HostFixture::SetUp();
}

void ShellFixture::TearDown() {
    host().quit();
    EXPECT_EQ(host().liveSets(), 0u) << "host sets still live after quit";
    EXPECT_EQ(host().liveStringLists(), 0u) << "host string lists still live after quit";
    HostFixture::TearDown();
    if (!tempDir_.empty()) {
        std::error_code ec;
        fs::remove_all(tempDir_, ec);
    }
}

void ShellFixture::StartAddOn(int32_t hostVersion) {
    host().setVersion(hostVersion);
    host().startAddOn(EntryPoint);
}

void ShellFixture::OpenToolDialog() {
    std::string error;
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
}

const GuiControl &ShellFixture::ToolControl(const std::string &name) {
    const quorvin::host::GuiDialog *dialog = host().findDialogByTitle("GUI Builder");
    if (!dialog)
        throw std::runtime_error("the tool dialog was not built");
    for (GUIInt_t id : dialog->controls) {
        const GuiControl *c = host().findControl(id);
        if (c && c->kind != "MenuItem" &&
            (c->toolTip == name || (!c->labels.empty() && c->labels.front() == name)))
            return *c;
    }
    throw std::runtime_error("no tool dialog control \"" + name + "\"");
}

const GuiControl &ShellFixture::MenuItem(const std::vector<std::string> &path) {
    for (const auto &[id, c] : host().controls()) {
        if (c.kind != "MenuItem" || c.labels.empty() || c.labels.front() != path.back())
            continue;
        // Walk up through the menus and compare the labels.
        const GuiControl *at = host().findControl(c.parent);
        size_t i = path.size() - 1;
        bool match = true;
        while (at && at->kind == "Menu") {
            if (i == 0 || at->labels.empty() || at->labels.front() != path[i - 1]) {
                match = false;
                break;
            }
            --i;
            at = host().findControl(at->parent);
        }
        if (match && i == 0)
            return c;
    }
    std::string joined;
    for (const std::string &p : path)
        joined += "/" + p;
    throw std::runtime_error("no menu item " + joined);
}

void ShellFixture::Press(GUIInt_t control) {
    std::string error;
    EXPECT_TRUE(host().pressControl(control, &error)) << error;
}

bool ShellFixture::TryPress(GUIInt_t control) {
    std::string error;
    return host().pressControl(control, &error);
}

void ShellFixture::ExpectHostSound(const std::string &after) {
    std::string faults;
    for (const std::string &f : host().faults())
        faults += "  " + f + "\n";
    EXPECT_TRUE(host().faults().empty()) << "after " << after << ":\n" << faults;
    EXPECT_EQ(host().liveStrings(), 0u) << "after " << after;
    EXPECT_EQ(host().liveArgLists(), 0u) << "after " << after;
    EXPECT_FALSE(host().lockHeld()) << "after " << after;
}

fs::path ShellFixture::TempDir() {
    if (tempDir_.empty()) {
        std::random_device random;
        tempDir_ = fs::temp_directory_path() /
                   ("qgb-shell-" + std::to_string(random()) + "-" + std::to_string(random()));
        fs::create_directories(tempDir_);
    }
    return tempDir_;
}

void ShellFixture::WriteFile(const fs::path &path, const std::string &content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

UniqueID_t ShellFixture::AddFrame(const std::string &name, double width, double height) {
    quorvin::host::FrameSpec spec;
    spec.name = name;
    spec.width = width;
    spec.height = height;
    return host().addFrame(spec);
}

Text_ID ShellFixture::AddText(const std::string &string, TextBox_e box, const std::string &command,
                              double x, double y, double angle) {
    quorvin::host::TextSpec spec;
    spec.string = string;
    spec.boxType = box;
    spec.command = command;
    spec.x = x;
    spec.y = y;
    spec.angle = angle;
    return host().addText(spec);
}

void ShellFixture::TextPaperPosition(Text_ID text, double &x, double &y) {
    double tx = 0, ty = 0;
    QorUtilTextGetXYPos(text, &tx, &ty);
    const CoordSys_e system = QorUtilTextGetPositionCoordSys(text);
    x = QorUtilConvertXPosition(system, CoordSys_Paper, tx);
    y = QorUtilConvertYPosition(system, CoordSys_Paper, ty);
}

} // namespace qgbtest
