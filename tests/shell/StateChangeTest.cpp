// Notifications from the host: idle calls, controls anchored to the paper
// while their frame is resized, and "dlb.cfg" read beside the layout.
#include "ShellFixture.h"

#include <functional>

using namespace quorvin::builder;

namespace qgbtest {
namespace {

class StateChange : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        Restart();
    }
    void Restart() {
        host().quit();
        host().reset();
        StartAddOn();
        host().runIdle();
    }
    void AnchorOn(bool on = true) { Do(&Host::setToggle, ToolAnchorToggle, on); }
    void PickFrame(UniqueID_t frame) { Do(&Host::pickFrame, frame); }
    // The current frame resized or moved, as a user drags it.
    void Resize(double width, double height) {
        const auto s = host().currentFrame()->spec;
        Do(&Host::setFramePosAndSize, s.x, s.y, width, height);
    }
    void Move(double x, double y) {
        const auto s = host().currentFrame()->spec;
        Do(&Host::setFramePosAndSize, x, y, s.width, s.height);
    }
    // A 6 by 4 inch frame with two texts and a rectangle.
    void AddControls() {
        frame = AddFrame("ID=1 TITLE=\"Anchored\"", 6, 4);
        one = AddText("one", TextBox_None, "", 20, 30);
        two = AddText("TF:two", TextBox_Filled, "", 70, 60);
        rect = AddRect(10, 90, 30, 20);
    }
    // The frame picked with anchoring on and the tool dialog up.
    void Anchored() {
        AddControls();
        OpenToolDialog();
        AnchorOn();
        PickFrame(frame);
    }
    // Paper places (inches) of the texts, and the rectangle's anchor and
    // size, that still exist.
    std::vector<double> Paper() {
        std::vector<double> paper;
        auto convert = [&paper](CoordSys_e system, double x, double y, bool size = false) {
            paper.push_back(size ? QorUtilConvertXDimension(system, CoordSys_Paper, x)
                                 : QorUtilConvertXPosition(system, CoordSys_Paper, x));
            paper.push_back(size ? QorUtilConvertYDimension(system, CoordSys_Paper, y)
                                 : QorUtilConvertYPosition(system, CoordSys_Paper, y));
        };
        double x = 0, y = 0, z = 0;
        for (Text_ID text : {one, two})
            if (host().findText(text)) {
                QorUtilTextGetXYPos(text, &x, &y);
                convert(QorUtilTextGetPositionCoordSys(text), x, y);
            }
        if (host().findGeom(rect)) {
            QorUtilGeomGetXYZAnchorPos(rect, &x, &y, &z);
            convert(QorUtilGeomGetPositionCoordSys(rect), x, y);
            QorUtilGeomRectangleGetSize(rect, &x, &y);
            convert(QorUtilGeomGetPositionCoordSys(rect), x, y, true);
        }
        return paper;
    }
    std::vector<double> FrameUnits(Text_ID text) {
        return {host().findText(text)->spec.x, host().findText(text)->spec.y};
    }

    UniqueID_t frame = 0;
    Text_ID one = nullptr, two = nullptr;
    Geom_ID rect = nullptr;
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

// Resizing a picked frame with anchoring on keeps the controls at their
// paper places: the place before the resize (after `before`) is kept.
TEST_F(StateChange, ResizingAPickedFrameKeepsControlsAtTheirPaperPlaces) {
    const std::pair<const char *, std::function<void()>> befores[] = {
        {"plain", [] {}},
        {"after a move", [this] { Move(2.5, 1.5); }},
        {"with deleted controls",
         [this] {
             ASSERT_TRUE(QorUtilTextDelete(two));
             ASSERT_TRUE(QorUtilGeomDelete(rect));
         }},
    };
    const std::pair<const char *, std::function<void()>> resizes[] = {
        {"by hand", [this] { Resize(9, 7); }},
        {"by a command (code 31)",
         [this] {
             QorUtilFrameSetPosAndSize(1, 0.25, 5, 3);
             host().sendStateChange(31);
         }},
    };
    for (const auto &[beforeName, before] : befores) {
        for (const auto &[resizeName, resize] : resizes) {
            SCOPED_TRACE(std::string(beforeName) + ", " + resizeName);
            Restart();
            Anchored();
            EXPECT_EQ(AnchorTable.Count, 3);
            before();
            const std::vector<double> paper = Paper();
            resize();
            const std::vector<double> after = Paper();
            ASSERT_EQ(after.size(), paper.size());
            for (size_t i = 0; i < paper.size(); ++i)
                EXPECT_NEAR(after[i], paper[i], 1e-9) << i;
            // In frame units the controls did move.
            EXPECT_NE(host().findText(one)->spec.x, 20.0);
            ExpectHostSound("re-anchoring");
        }
    }
}

// The controls keep their frame units when nothing was captured or another
// frame is resized, and a move alone changes nothing.
TEST_F(StateChange, ControlsStayInTheirFrameUnits) {
    struct Case {
        const char *name;
        bool anchorFirst, closeDialog, anchorAfterPick, resizeOther, moveOnly;
        int captured;
    };
    const Case cases[] = {
        {"anchoring off", false, false, false, false, false, 0},
        {"anchoring switched on after the pick", false, false, true, false, false, 0},
        {"the tool dialog closed", true, true, false, false, false, 0},
        {"a move", true, false, false, false, true, 3},
        {"another frame resized", true, false, false, true, false, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        AddControls();
        const UniqueID_t second = AddFrame("ID=2", 6, 4);
        const Text_ID other = AddText("other", TextBox_None, "", 40, 40);
        OpenToolDialog();
        if (c.anchorFirst)
            AnchorOn();
        std::string error;
        ASSERT_TRUE(!c.closeDialog || host().pressDialogButton(ToolDialog, "Close", &error))
            << error;
        PickFrame(frame);
        if (c.anchorAfterPick)
            AnchorOn();
        EXPECT_EQ(AnchorTable.Count, c.captured);
        if (c.resizeOther) { // current without a new capture
            ASSERT_TRUE(host().makeCurrent(second));
            Do(&Host::pickText, other, false);
        }
        if (c.moveOnly)
            Move(2, 1);
        else
            Resize(8, 5);
        EXPECT_EQ(FrameUnits(one), (std::vector<double>{20, 30}));
        EXPECT_EQ(FrameUnits(other), (std::vector<double>{40, 40}));
        if (c.moveOnly) {
            EXPECT_EQ((std::vector<double>{AnchorTable.FrameWidth, AnchorTable.FrameHeight}),
                      (std::vector<double>{6, 4}));
        }
        ExpectHostSound(c.name);
    }
}

TEST_F(StateChange, AtMost512TextsAreCaptured) {
    frame = AddFrame("ID=1", 6, 4);
    for (int i = 0; i < 600; ++i)
        AddText("t" + std::to_string(i), TextBox_None, "", 1 + i % 98, 1 + i % 97);
    AddRect(0, 0, 20, 20);
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
    Anchored();
    for (StateChange_e code : {26, 27, 6}) {
        SCOPED_TRACE(code);
        PickFrame(frame);
        ASSERT_EQ(AnchorTable.Count, 3);
        host().sendStateChange(code);
        EXPECT_EQ(AnchorTable.Count, 0);
    }
}

// ---- "dlb.cfg" follows the layout

class ConfigFollowsLayout : public StateChange {
  protected:
    std::string SaveIn(const std::string &folder, const char *language) {
        WriteConfig(folder, language);
        const std::string path = (dir / folder / "design.lay").string();
        Do(&Host::saveLayout, path);
        return path;
    }
    void WriteConfig(const std::string &folder, const char *language) {
        fs::create_directories(dir / folder);
        WriteFile(dir / folder / "dlb.cfg", std::string("#!DLB 2022\nLanguage=") + language + "\n");
    }
    // The language and the folder of the layout whose file was read last.
    static std::string Read() {
        return std::to_string(BuilderSettings.Language) + " " +
               std::filesystem::path(BuilderSettings.LayoutFileName)
                   .parent_path()
                   .filename()
                   .string();
    }
    const fs::path dir = TempDir();
};

// The first read records the layout; a language chosen in the options
// survives reopening the same layout; saving as reads the file beside the
// new name; a layout opened while the dialog is down is read at the next
// choice of the menu option. Choosing the option again shows the same
// dialog, built once.
TEST_F(ConfigFollowsLayout, TheFileBesideTheLayoutIsReadWhenTheLayoutChanges) {
    AddFrame("ID=1");
    const std::string first = SaveIn("a", "C");
    OpenToolDialog();
    EXPECT_EQ(Read(), "0 a");
    const GUIInt_t dialog = ToolDialog;
    Do(&Host::press, "Layout/Options...");
    const auto *options = host().findDialogByTitle("File Options");
    ASSERT_NE(options, nullptr);
    for (GUIInt_t id : options->controls)
        if (host().findControl(id)->kind == "RadioBox")
            Do(&Host::setRadioBox, id, 3);
    Do(&Host::pressDialogButton, options->id, "OK");
    EXPECT_EQ(Read(), "2 a");
    const size_t controls = host().controls().size();
    Do(&Host::loadLayout, first); // state 6, same name
    EXPECT_EQ(Read(), "2 a");
    OpenToolDialog();
    EXPECT_EQ(Read(), "2 a");
    SaveIn("b", "C"); // state 6 with the dialog up
    EXPECT_EQ(Read(), "0 b");
    Do(&Host::pressDialogButton, ToolDialog, "Close");
    WriteConfig("a", "FORTRAN");
    Do(&Host::loadLayout, first); // state 6, dialog down
    EXPECT_EQ(Read(), "0 b");
    OpenToolDialog();
    EXPECT_EQ(Read(), "2 a");
    EXPECT_TRUE(ToolDialogIsUp());
    EXPECT_EQ(ToolDialog, dialog);
    EXPECT_EQ(host().controls().size(), controls);
    ExpectHostSound("the layout changing");
}

} // namespace
} // namespace qgbtest
