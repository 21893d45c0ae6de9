#include "ShellFixture.h"

#include "model/Settings.h"
#include "shell/StateChange.h"
#include "shell/ToolDialog.h"

#include <gtest/gtest.h>

using namespace quorvin::builder;

namespace qgbtest {
namespace {

class StateChange : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        StartAddOn();
        host().runIdle();
    }
    void AnchorOn(bool on = true) {
        std::string error;
        ASSERT_TRUE(host().setToggle(ToolAnchorToggle, on, &error)) << error;
    }
    void PickFrame(UniqueID_t frame) {
        std::string error;
        ASSERT_TRUE(host().pickFrame(frame, &error)) << error;
    }
    void Resize(double width, double height) {
        const auto spec = host().currentFrame()->spec;
        std::string error;
        ASSERT_TRUE(host().setFramePosAndSize(spec.x, spec.y, width, height, &error)) << error;
    }
    void Move(double x, double y) {
        const auto spec = host().currentFrame()->spec;
        std::string error;
        ASSERT_TRUE(host().setFramePosAndSize(x, y, spec.width, spec.height, &error)) << error;
    }
    struct Paper {
        double x, y;
    };
    Paper PaperOf(Text_ID text) {
        Paper p{};
        TextPaperPosition(text, p.x, p.y);
        return p;
    }
    Geom_ID AddRectangle(double x, double y, double w, double h) {
        quorvin::host::GeomSpec spec;
        spec.type = GeomType_Rectangle;
        spec.x = x;
        spec.y = y;
        spec.width = w;
        spec.height = h;
        return host().addGeom(spec);
    }
    // A rectangle's anchor and size on the paper (inches).
    void RectanglePaper(Geom_ID rect, double &x, double &y, double &w, double &h) {
        double ax = 0, ay = 0, az = 0, rw = 0, rh = 0;
        QorUtilGeomGetXYZAnchorPos(rect, &ax, &ay, &az);
        QorUtilGeomRectangleGetSize(rect, &rw, &rh);
        const CoordSys_e system = QorUtilGeomGetPositionCoordSys(rect);
        x = QorUtilConvertXPosition(system, CoordSys_Paper, ax);
        y = QorUtilConvertYPosition(system, CoordSys_Paper, ay);
        w = QorUtilConvertXDimension(system, CoordSys_Paper, rw);
        h = QorUtilConvertYDimension(system, CoordSys_Paper, rh);
    }
};

TEST_F(StateChange, ABurstOfNotificationsGivesOneIdleCall) {
    for (StateChange_e code : {28, 7, 31, 26, 27, 35, 99})
        host().sendStateChange(code);
    EXPECT_EQ(host().runIdle(), 1);
    EXPECT_FALSE(IdlePending);
    host().sendStateChange(28);
    host().sendStateChange(28);
    EXPECT_EQ(host().runIdle(), 1);
    EXPECT_EQ(host().runIdle(), 0);
    ExpectHostSound("a burst of notifications");
}

TEST_F(StateChange, ResizingAPickedFrameKeepsControlsAtTheirPaperPlaces) {
    const UniqueID_t frame = AddFrame("ID=1 TITLE=\"Anchored\"", 6, 4);
    const Text_ID one = AddText("one", TextBox_None, "", 20, 30);
    const Text_ID two = AddText("TF:two", TextBox_Filled, "", 70, 60);
    const Geom_ID rect = AddRectangle(10, 90, 30, 20);
    OpenToolDialog();
    AnchorOn();
    PickFrame(frame);
    EXPECT_EQ(AnchorTable.Count, 3);
    const Paper p1 = PaperOf(one), p2 = PaperOf(two);
    double rx, ry, rw, rh;
    RectanglePaper(rect, rx, ry, rw, rh);

    Resize(8, 5);
    const Paper q1 = PaperOf(one), q2 = PaperOf(two);
    EXPECT_NEAR(q1.x, p1.x, 1e-9);
    EXPECT_NEAR(q1.y, p1.y, 1e-9);
    EXPECT_NEAR(q2.x, p2.x, 1e-9);
    EXPECT_NEAR(q2.y, p2.y, 1e-9);
    double sx, sy, sw, sh;
    RectanglePaper(rect, sx, sy, sw, sh);
    EXPECT_NEAR(sx, rx, 1e-9);
    EXPECT_NEAR(sy, ry, 1e-9);
    EXPECT_NEAR(sw, rw, 1e-9);
    EXPECT_NEAR(sh, rh, 1e-9);
    // In frame units the controls did move.
    EXPECT_NE(host().findText(one)->spec.x, 20.0);
    ExpectHostSound("resizing an anchored frame");

    // A command's resize (code 31) is followed the same way.
    QorUtilFrameSetPosAndSize(1, 0.25, 5, 3);
    host().sendStateChange(31);
    const Paper r1 = PaperOf(one);
    EXPECT_NEAR(r1.x, p1.x, 1e-9);
    EXPECT_NEAR(r1.y, p1.y, 1e-9);
    ExpectHostSound("a command's resize");
}

TEST_F(StateChange, WithoutAnchoringControlsStayInTheirFrameUnits) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    const Text_ID one = AddText("one", TextBox_None, "", 20, 30);
    OpenToolDialog();
    PickFrame(frame);
    EXPECT_EQ(AnchorTable.Count, 0);
    Resize(8, 5);
    EXPECT_EQ(host().findText(one)->spec.x, 20.0);
    EXPECT_EQ(host().findText(one)->spec.y, 30.0);

    // Anchoring switched on after the pick captures nothing either.
    AnchorOn();
    Resize(7, 5);
    EXPECT_EQ(host().findText(one)->spec.x, 20.0);
}

TEST_F(StateChange, MovingWithoutResizingMovesNothing) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    const Text_ID one = AddText("one", TextBox_None, "", 20, 30);
    OpenToolDialog();
    AnchorOn();
    PickFrame(frame);
    Move(2, 1);
    EXPECT_EQ(host().findText(one)->spec.x, 20.0);
    EXPECT_EQ(host().findText(one)->spec.y, 30.0);
    EXPECT_EQ(AnchorTable.FrameWidth, 6.0);
    EXPECT_EQ(AnchorTable.FrameHeight, 4.0);
}

TEST_F(StateChange, AResizeAfterAMoveKeepsTheControlsWhereTheMoveTookThem) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    const Text_ID one = AddText("one", TextBox_None, "", 20, 30);
    const Geom_ID rect = AddRectangle(10, 90, 30, 20);
    OpenToolDialog();
    AnchorOn();
    PickFrame(frame);
    Move(2.5, 1.5);
    const Paper moved = PaperOf(one);
    double rx, ry, rw, rh;
    RectanglePaper(rect, rx, ry, rw, rh);
    Resize(9, 7);
    const Paper kept = PaperOf(one);
    EXPECT_NEAR(kept.x, moved.x, 1e-9);
    EXPECT_NEAR(kept.y, moved.y, 1e-9);
    double sx, sy, sw, sh;
    RectanglePaper(rect, sx, sy, sw, sh);
    EXPECT_NEAR(sx, rx, 1e-9);
    EXPECT_NEAR(sy, ry, 1e-9);
    EXPECT_NEAR(sw, rw, 1e-9);
    ExpectHostSound("move, then resize");
}

TEST_F(StateChange, ADeletedControlIsSkipped) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    const Text_ID gone = AddText("gone", TextBox_None, "", 10, 10);
    const Text_ID kept = AddText("kept", TextBox_None, "", 50, 50);
    const Geom_ID rect = AddRectangle(10, 90, 30, 20);
    OpenToolDialog();
    AnchorOn();
    PickFrame(frame);
    const Paper p = PaperOf(kept);
    ASSERT_TRUE(QorUtilTextDelete(gone));
    ASSERT_TRUE(QorUtilGeomDelete(rect));
    Resize(9, 6);
    const Paper q = PaperOf(kept);
    EXPECT_NEAR(q.x, p.x, 1e-9);
    EXPECT_NEAR(q.y, p.y, 1e-9);
    ExpectHostSound("re-anchoring with deleted controls");
}

TEST_F(StateChange, AtMost512TextsAreCaptured) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    for (int i = 0; i < 600; ++i)
        AddText("t" + std::to_string(i), TextBox_None, "", 1 + i % 98, 1 + i % 97);
    AddRectangle(10, 90, 30, 20);
    OpenToolDialog();
    AnchorOn();
    PickFrame(frame);
    ASSERT_EQ(AnchorTable.Count, 512);
    for (int i = 0; i < AnchorTable.Count; ++i)
        EXPECT_TRUE(AnchorTable.Records[i].IsText) << i;
    Resize(7, 5);
    ExpectHostSound("re-anchoring 512 texts");
}

TEST_F(StateChange, CreatingDeletingFramesAndOpeningLayoutsEmptyTheTable) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    AddText("one");
    OpenToolDialog();
    AnchorOn();
    for (StateChange_e code : {26, 27, 6}) {
        SCOPED_TRACE(code);
        PickFrame(frame);
        ASSERT_EQ(AnchorTable.Count, 1);
        host().sendStateChange(code);
        EXPECT_EQ(AnchorTable.Count, 0);
    }
}

TEST_F(StateChange, ResizingAnotherFrameLeavesTheCapturedControlsAlone) {
    const UniqueID_t first = AddFrame("ID=1", 6, 4);
    const Text_ID one = AddText("one", TextBox_None, "", 20, 30);
    const UniqueID_t second = AddFrame("ID=2", 6, 4);
    const Text_ID other = AddText("other", TextBox_None, "", 40, 40);
    OpenToolDialog();
    AnchorOn();
    PickFrame(first);
    ASSERT_EQ(AnchorTable.Count, 1);
    // The second frame becomes current without a new capture.
    ASSERT_TRUE(host().makeCurrent(second));
    std::string error;
    ASSERT_TRUE(host().pickText(other, false, &error)) << error;
    Resize(8, 5);
    EXPECT_EQ(host().findText(one)->spec.x, 20.0);
    EXPECT_EQ(host().findText(one)->spec.y, 30.0);
    EXPECT_EQ(host().findText(other)->spec.x, 40.0);
    ExpectHostSound("resizing another frame");
}

TEST_F(StateChange, TheToolDialogMustBeUpToCapture) {
    const UniqueID_t frame = AddFrame("ID=1", 6, 4);
    const Text_ID one = AddText("one", TextBox_None, "", 20, 30);
    OpenToolDialog();
    AnchorOn();
    std::string error;
    ASSERT_TRUE(host().pressDialogButton(ToolDialog, "Close", &error)) << error;
    PickFrame(frame);
    EXPECT_EQ(AnchorTable.Count, 0);
    Resize(8, 5);
    EXPECT_EQ(host().findText(one)->spec.x, 20.0);
}

// ---- "dlb.cfg" follows the layout

class ConfigFollowsLayout : public StateChange {
  protected:
    std::string SaveIn(const std::string &folder, const char *language) {
        const auto dir = TempDir() / folder;
        WriteFile(dir / "dlb.cfg", std::string("#!DLB 2022\nLanguage=") + language + "\n");
        const std::string path = (dir / "design.lay").string();
        std::string error;
        EXPECT_TRUE(host().saveLayout(path, &error)) << error;
        return path;
    }
    void ChooseLanguageInOptions(int button) {
        std::string error;
        ASSERT_TRUE(host().pressControl(MenuItem({"Layout", "Options..."}).id, &error)) << error;
        const auto *options = host().findDialogByTitle("File Options");
        ASSERT_NE(options, nullptr);
        for (GUIInt_t id : options->controls) {
            if (host().findControl(id)->kind == "RadioBox") {
                ASSERT_TRUE(host().setRadioBox(id, button, &error)) << error;
            }
        }
        ASSERT_TRUE(host().pressDialogButton(options->id, "OK", &error)) << error;
    }
};

TEST_F(ConfigFollowsLayout, TheFirstReadRecordsTheLayout) {
    AddFrame("ID=1");
    const std::string path = SaveIn("a", "C");
    OpenToolDialog();
    EXPECT_EQ(BuilderSettings.Language, LanguageC);
    EXPECT_EQ(BuilderSettings.LayoutFileName, path);
}

TEST_F(ConfigFollowsLayout, SavingUnderANewNameReadsTheFileBesideIt) {
    AddFrame("ID=1");
    SaveIn("a", "C");
    OpenToolDialog();
    ASSERT_EQ(BuilderSettings.Language, LanguageC);
    const std::string second = SaveIn("b", "FORTRAN"); // state 6 with the dialog up
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    EXPECT_EQ(BuilderSettings.LayoutFileName, second);
    ExpectHostSound("save as");
}

TEST_F(ConfigFollowsLayout, ALanguageChosenInTheOptionsSurvivesReopeningTheSameLayout) {
    AddFrame("ID=1");
    const std::string path = SaveIn("a", "C");
    OpenToolDialog();
    ChooseLanguageInOptions(3);
    ASSERT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    std::string error;
    ASSERT_TRUE(host().loadLayout(path, &error)) << error; // state 6, same name
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    OpenToolDialog();
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    ExpectHostSound("reopening the same layout");
}

TEST_F(ConfigFollowsLayout, ALayoutOpenedWhileTheDialogWasClosedIsReadAtTheNextChoice) {
    AddFrame("ID=1");
    SaveIn("a", "C");
    const std::string other = SaveIn("b", "FORTRAN");
    SaveIn("a", "C");
    OpenToolDialog();
    ASSERT_EQ(BuilderSettings.Language, LanguageC);
    std::string error;
    ASSERT_TRUE(host().pressDialogButton(ToolDialog, "Close", &error)) << error;
    ASSERT_TRUE(host().loadLayout(other, &error)) << error; // code 6, dialog down
    EXPECT_EQ(BuilderSettings.Language, LanguageC);
    OpenToolDialog();
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    EXPECT_EQ(BuilderSettings.LayoutFileName, other);
    ExpectHostSound("opening a layout while the tool dialog was closed");
}

TEST_F(ConfigFollowsLayout, AnUnsavedLayoutReadsNothing) {
    AddFrame("ID=1");
    OpenToolDialog();
    EXPECT_EQ(BuilderSettings.Language, LanguageCPP);
    EXPECT_TRUE(BuilderSettings.LayoutFileName.empty());
    host().sendStateChange(6);
    EXPECT_EQ(BuilderSettings.Language, LanguageCPP);
}

} // namespace
} // namespace qgbtest
