// The places where a live preview and the Qt element recording join the
// generator: one container call per frame, one control call per accepted
// control with what its statement was written from, and nothing written in
// a preview.
#include "ClassicSupport.h"

#include "classic/BuildState.h"
#include "classic/Generator.h"
#include "model/HostResources.h"
#include "model/Validation.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

std::vector<ContainerInfo> containers;
std::vector<ControlRecord> controls;
int ends = 0;

void OnContainer(const ContainerInfo &c) {
    containers.push_back(c);
}
void OnControl(const ContainerInfo &, const ControlRecord &r) {
    controls.push_back(r);
}
void OnContainerEnd(const ContainerInfo &) {
    ++ends;
}

class HooksTest : public ClassicFixture {
  protected:
    void SetUp() override {
        ClassicFixture::SetUp();
        SetCharacterCell(7, 16);
        containers.clear();
        controls.clear();
        ends = 0;
        BuildHooks.container = OnContainer;
        BuildHooks.control = OnControl;
        BuildHooks.containerEnd = OnContainerEnd;
    }

    MemoryFiles::Texts Generate(int32_t language) {
        HostString name = CurrentFrameName();
        MemoryFiles out;
        GenerateFrame(name.get(), out.files(), language);
        return out.Finish();
    }
};

TEST_F(HooksTest, EachAcceptedControlIsReportedOnceWithItsStatementValues) {
    AddFrameAt("ID=4 TITLE=\"Hooks\" MODE=MODELESS HELPBUTTON=F", 3.5, 2);
    AddPixelText({"TF:Name", "VarName=Name ToolTip=\"Tip\"", TextBox_Filled, 14, 16});
    AddPixelText({"~7 Check", "", TextBox_None, 14, 48});
    AddPixelText({"ignored", "", TextBox_Filled, 14, 80, 16});
    QorUtilTextSetAngle(QorUtilTextGetNext(QorUtilTextGetNext(QorUtilTextGetBase())), 90);
    AddPixelRectangle(14, 100, 70, 32, "Box");
    Generate(LanguageC);

    ASSERT_EQ(containers.size(), 1u);
    const ContainerInfo &c = containers[0];
    EXPECT_EQ(c.kind, ModelessDialog);
    EXPECT_EQ(c.ManagerName(), "Dialog4Manager");
    EXPECT_EQ(c.title, "Hooks");
    EXPECT_TRUE(c.okClose);
    EXPECT_FALSE(c.help);
    EXPECT_EQ(c.width, 4800);
    EXPECT_EQ(c.height, 1200);
    EXPECT_DOUBLE_EQ(c.pixelWidth, 336);

    // Geometries come first in tab order; the rotated text is no control.
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0].type, kGroupFrame);
    EXPECT_EQ(controls[0].label, "Box");
    EXPECT_EQ(controls[0].pixelY, 100);
    EXPECT_EQ(controls[0].y, 625);

    const ControlRecord &field = controls[1];
    EXPECT_EQ(field.type, TextField);
    EXPECT_STREQ(field.addName, "TextField");
    EXPECT_EQ(field.identifier, "Name_TF_D4");
    EXPECT_EQ(field.callback, "Name_TF_D4");
    EXPECT_EQ(field.toolTip, "Tip");
    EXPECT_EQ(std::vector<int>({field.pixelX, field.pixelY, field.pixelWidth, field.pixelHeight}),
              std::vector<int>({14, 16, 56, 16}));
    EXPECT_EQ(std::vector<int>({field.x, field.y, field.width, field.height}),
              std::vector<int>({200, 100, 800, 100}));

    const ControlRecord &toggle = controls[2];
    EXPECT_EQ(toggle.type, Toggle);
    EXPECT_EQ(toggle.label, "Check");
    // As written: y - half, w + 6 half, h + 2 half (half = 50).
    EXPECT_EQ(std::vector<int>({toggle.y, toggle.width, toggle.height}),
              std::vector<int>({250, 914 + 300, 200}));
    EXPECT_EQ(ends, 1);
}

TEST_F(HooksTest, APreviewWritesNothingAndSkipsControlsOfAContainerNotMade) {
    AddFrameAt("ID=1 TITLE=\"Live\"");
    AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
    BuildState.Preview = true;
    BuildState.PreviewHandle = BADDIALOGID;
    MemoryFiles::Texts out = Generate(LanguageCPP);
    EXPECT_EQ(out.builder + out.callback + out.definitionsHeader + out.definitionsSource, "");
    // The container hook made nothing: no control is made either.
    EXPECT_EQ(containers.size(), 1u);
    EXPECT_TRUE(controls.empty());

    BuildHooks.container = [](const ContainerInfo &c) {
        containers.push_back(c);
        BuildState.PreviewHandle = 7;
    };
    out = Generate(LanguageCPP);
    EXPECT_EQ(out.builder + out.callback, "");
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].identifier, "Press_BTN_D1");
    EXPECT_EQ(controls[0].label, "Press");
}

} // namespace
} // namespace qgbtest
