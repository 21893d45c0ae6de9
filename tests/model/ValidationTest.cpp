#include "HostFixture.h"
#include "Workspace.h"

#include "model/Validation.h"

using namespace quorvin::builder;

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
};

// A text sized in frame units; a rotated one.
TextOptions FrameUnits(TextBox_e box = TextBox_None) {
    return {box, Units_Frame, 3};
}
TextOptions Rotated(double height) {
    return {TextBox_None, Units_Point, height, 90};
}

// The checks over every frame: the texts of each frame (string, options; the
// command is always a VarName), the result, the errors in order, and the
// cell: 1.1 times the points of the controls at 96 pixels an inch high and
// 0.42 of that across; a failure keeps the cell it had (1 x 1 here). Page
// frames (linked, in a group) need no ID; frames named like the current one
// are checked too.
TEST_F(ValidationTest, Rules) {
    struct FrameSetup {
        std::string name;
        std::vector<std::pair<std::string, TextOptions>> texts;
        int group = 0; // a linked page of this group
    };
    struct Case {
        const char *what;
        std::vector<FrameSetup> frames;
        std::vector<std::string> errors; // none: valid
        double points = 0;               // the cell's text height when valid
    };
    const std::string page = "TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"";
    // clang-format off
    const std::vector<Case> cases = {
        {"12-point controls", {{"ID=1 TITLE=\"D\"", {{"Label", NoBox(12)}, {"Push Button", Filled(12)}}}}, {}, 12},
        {"only text fields", {{"ID=1", {{"TF:   ", Filled(12)}, {"TF:   ", Filled(20)}}}}, {kNoControl}},
        {"no texts", {{"ID=1", {}}}, {kNoControl}},
        {"12 and 14 points in two frames", {{"ID=1", {{"Label", NoBox(12)}}}, {"ID=2", {{"Label", NoBox(14)}}}}, {kSameHeight}},
        {"text fields may differ", {{"ID=1", {{"Label", NoBox(12)}, {"TF:  ", Filled(30)}, {"TF:  ", FrameUnits(TextBox_Filled)}}}}, {}, 12},
        {"rotated texts are exempt", {{"ID=1", {{"Label", NoBox(12)}, {"Up", Rotated(40)}}}}, {}, 12},
        {"a filled TF text field only", {{"ID=1", {{"Label", NoBox(12)}, {"TF:", NoBox(20)}}}}, {kSameHeight}},
        {"frame units stop the frame", {{"ID=1", {{"Label", FrameUnits()}, {"Other", NoBox(40)}, {"Third", FrameUnits()}}}}, {kPoints}},
        {"zero height", {{"ID=1", {{"Label", NoBox(0)}}}}, {kPoints}},
        {"one text breaks both rules, the next is skipped", {{"ID=1", {{"Label", NoBox(12)}, {"Other", FrameUnits()}, {"Third", NoBox(40)}}}}, {kPoints, kSameHeight}},
        {"dialog without ID", {{"ID=1", {{"Label", NoBox()}}}, {"TITLE=\"x\"", {}}}, {kMissingId}},
        {"dialog without ID between two", {{"ID=1", {{"Label", NoBox()}}}, {"TITLE=\"x\"", {}}, {"ID=3", {{"Label", NoBox()}}}}, {kMissingId}},
        {"dialog with ID -1", {{"ID=1", {{"Label", NoBox()}}}, {"ID=-1 MODE=MODELESS", {}}}, {kMissingId}},
        {"sidebar without ID", {{"ID=1", {{"Label", NoBox()}}}, {"SIDEBAR=T", {}}}, {}, 12},
        {"page without ID", {{"TABPAGE=T POS=1 TITLE=\"Page 1\"", {{"Label", NoBox(10)}}, 1}, {"ID=1", {{"Label", NoBox(10)}}}}, {}, 10},
        // The current frame is one of two pages named alike; the frame behind the other breaks a rule.
        {"frames named like the current one", {{page, {{"Label", NoBox(12)}}, 1}, {"ID=1 TITLE=\"D\"", {{"Label", NoBox(12)}}}, {page, {}, 2}, {"ID=2 TITLE=\"E\"", {{"Label", NoBox(18)}}}, {page, {{"Label", NoBox(12)}}, 1}}, {kSameHeight}},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (const FrameSetup &frame : c.frames) {
            AddFrame(frame.name, frame.group > 0, frame.group);
            for (const auto &[string, options] : frame.texts)
                AddText(string, "VarName=X", options);
        }
        EXPECT_EQ(Validate(), c.errors.empty());
        std::string shown;
        for (const std::string &error : c.errors)
            shown += "ErrMsg: " + error + "\n";
        EXPECT_EQ(DescribeMessages(), shown);
        const double height = c.errors.empty() ? 1.1 * c.points / 72 * 96 : 1;
        EXPECT_DOUBLE_EQ(CellHeight(), height);
        EXPECT_DOUBLE_EQ(CellWidth(), c.errors.empty() ? height * 0.42 : 1);
        TearDown();
    }
}

TEST_F(ValidationTest, UnreadableStartIsRefusedSilently) {
    EXPECT_FALSE(ValidateLayout());
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

} // namespace
} // namespace qgbtest
