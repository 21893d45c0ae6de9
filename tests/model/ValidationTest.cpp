#include "HostFixture.h"
#include "Workspace.h"

#include "model/Validation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvin::builder;
using quorvin::host::Message;

namespace qgbtest {
namespace {

const char *const kPoints = "All controls must use text sized using points";
const char *const kSameHeight = "All non-text field controls must use the same character height.";
const char *const kMissingId = "Missing ID= from frame name";
const char *const kNoControl = "Error: You must have at least one control that is not text";

class ValidationTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        SetCharacterCell(1, 1);
    }

    // Runs the checks and confirms that the frame that was current, and the
    // order of the frames, are as they were.
    bool Validate() {
        const UniqueID_t current = CurrentFrameId();
        const std::vector<UniqueID_t> order = FrameOrder();
        const bool valid = ValidateLayout();
        EXPECT_EQ(CurrentFrameId(), current);
        EXPECT_EQ(FrameOrder(), order);
        EXPECT_TRUE(host().drawingOn());
        return valid;
    }

    std::vector<std::string> Errors() const {
        std::vector<std::string> errors;
        for (const Message &m : host().messages()) {
            if (m.call == Message::Call::ErrMsg)
                errors.push_back(m.text);
        }
        return errors;
    }
};

TextOptions FrameUnits(TextBox_e box = TextBox_None) {
    TextOptions options;
    options.box = box;
    options.units = Units_Frame;
    options.height = 3;
    return options;
}

TextOptions Rotated(double height) {
    TextOptions options;
    options.height = height;
    options.angle = 90;
    return options;
}

TEST_F(ValidationTest, TwelvePointControlsGiveTheCell) {
    AddFrame("ID=1 TITLE=\"D\"");
    AddText("Label", "VarName=LBL1");
    AddText("Push Button", "VarName=BTN2", Filled());
    EXPECT_TRUE(Validate()) << DescribeMessages();
    EXPECT_TRUE(host().messages().empty());
    // 1.1 x 12 points at 96 pixels an inch, and 0.42 of that across.
    EXPECT_DOUBLE_EQ(CellHeight(), 1.1 * 12 / 72 * 96);
    EXPECT_DOUBLE_EQ(CellWidth(), 1.1 * 12 * 0.42 / 72 * 96);
    EXPECT_EQ(ToDialogUnitsX(2 * CellWidth()), 200);
    EXPECT_EQ(ToDialogUnitsY(CellHeight()), 100);
}

TEST_F(ValidationTest, DialogUnitArithmetic) {
    SetCharacterCell(7, 16);
    EXPECT_EQ(ToDialogUnitsX(10), 142);
    EXPECT_EQ(ToDialogUnitsY(5), 31);
    EXPECT_EQ(ToDialogUnitsX(120), 1714);
    EXPECT_EQ(ToDialogUnitsY(20), 125);
    EXPECT_EQ(CharWidthToDialogUnits(10), 1200);
    SetCharacterCell(7.392, 17.6);
    EXPECT_EQ(CharWidthToDialogUnits(10), 1190); // trunc(trunc(12 x 7.392) x 100 / 7.392)
    EXPECT_EQ(CharWidthToDialogUnits(0), 189);
}

TEST_F(ValidationTest, Rules) {
    struct FrameSetup {
        std::string name;
        std::vector<std::pair<std::string, TextOptions>> texts;
    };
    struct Case {
        const char *what;
        std::vector<FrameSetup> frames;
        bool valid;
        std::vector<std::string> errors;
    };
    const std::vector<Case> cases = {
        {"only text fields",
         {{"ID=1", {{"TF:   ", Filled(12)}, {"TF:   ", Filled(20)}}}},
         false,
         {kNoControl}},
        {"no texts", {{"ID=1", {}}}, false, {kNoControl}},
        {"12 and 14 points in two frames",
         {{"ID=1", {{"Label", NoBox(12)}}}, {"ID=2", {{"Label", NoBox(14)}}}},
         false,
         {kSameHeight}},
        {"text fields may differ",
         {{"ID=1",
           {{"Label", NoBox(12)}, {"TF:  ", Filled(30)}, {"TF:  ", FrameUnits(TextBox_Filled)}}}},
         true,
         {}},
        {"rotated texts are exempt",
         {{"ID=1", {{"Label", NoBox(12)}, {"Up", Rotated(40)}}}},
         true,
         {}},
        {"a filled TF text field only",
         {{"ID=1", {{"Label", NoBox(12)}, {"TF:", NoBox(20)}}}},
         false,
         {kSameHeight}},
        {"frame units stop the frame",
         {{"ID=1", {{"Label", FrameUnits()}, {"Other", NoBox(40)}, {"Third", FrameUnits()}}}},
         false,
         {kPoints}},
        {"zero height", {{"ID=1", {{"Label", NoBox(0)}}}}, false, {kPoints}},
        {"one text breaks both rules, the next is skipped",
         {{"ID=1", {{"Label", NoBox(12)}, {"Other", FrameUnits()}, {"Third", NoBox(40)}}}},
         false,
         {kPoints, kSameHeight}},
        {"dialog without ID",
         {{"ID=1", {{"Label", NoBox()}}}, {"TITLE=\"x\"", {}}},
         false,
         {kMissingId}},
        {"dialog with ID -1",
         {{"ID=1", {{"Label", NoBox()}}}, {"ID=-1 MODE=MODELESS", {}}},
         false,
         {kMissingId}},
        {"sidebar without ID", {{"ID=1", {{"Label", NoBox()}}}, {"SIDEBAR=T", {}}}, true, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (const FrameSetup &frame : c.frames) {
            AddFrame(frame.name);
            for (const auto &[string, options] : frame.texts)
                AddText(string, "VarName=X", options);
        }
        EXPECT_EQ(Validate(), c.valid);
        EXPECT_EQ(Errors(), c.errors) << DescribeMessages();
        TearDown();
    }
}

TEST_F(ValidationTest, PagesWithoutIdPassAndAreVisited) {
    AddFrame("TABPAGE=T POS=1 TITLE=\"Page 1\"", true, 1);
    AddText("Label", "VarName=L1", NoBox(10));
    AddFrame("ID=1");
    AddText("Label", "VarName=L1", NoBox(10));
    EXPECT_TRUE(Validate()) << DescribeMessages();
    EXPECT_DOUBLE_EQ(CellHeight(), 1.1 * 10 / 72 * 96);
}

TEST_F(ValidationTest, FramesNamedLikeTheStartingFrameAreStillChecked) {
    // Two pages named alike (first pages of two groups); the current frame is
    // one of them, and the frame behind the other breaks a rule.
    AddFrame("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", true, 1);
    AddText("Label", "VarName=L1", NoBox(12));
    AddFrame("ID=1 TITLE=\"D\"");
    AddText("Label", "VarName=L2", NoBox(12));
    AddFrame("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", true, 2);
    AddFrame("ID=2 TITLE=\"E\"");
    AddText("Label", "VarName=L3", NoBox(18));
    AddFrame("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", true, 1);
    AddText("Label", "VarName=L4", NoBox(12));
    EXPECT_FALSE(Validate());
    EXPECT_EQ(Errors(), std::vector<std::string>{kSameHeight});
}

TEST_F(ValidationTest, FailureKeepsThePreviousCellAndTheCurrentFrame) {
    AddFrame("ID=1");
    AddText("Label", "VarName=L1", NoBox(12));
    AddFrame("TITLE=\"no id\"");
    AddFrame("ID=3");
    AddText("Label", "VarName=L3", NoBox(12));
    SetCharacterCell(7, 16);
    EXPECT_FALSE(Validate());
    EXPECT_EQ(Errors(), std::vector<std::string>{kMissingId});
    EXPECT_EQ(CellWidth(), 7);
    EXPECT_EQ(CellHeight(), 16);
}

TEST_F(ValidationTest, UnreadableStartIsRefusedSilently) {
    EXPECT_FALSE(ValidateLayout());
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

} // namespace
} // namespace qgbtest
