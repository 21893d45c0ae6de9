// The "GUI Builder" tool dialog: its controls and menus, its buttons, and
// the commands behind them.
#include "ShellFixture.h"

#include "shell/CommandTable.h"
#include "shell/ToolImages.h"

using namespace quorvin::builder;
using quorvin::host::Message;

namespace qgbtest {
namespace {

class ToolDialogTest : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        StartAddOn();
        AddFrame("ID=1 TITLE=\"One\"");
    }
    // Three texts picked: every command but the page ones is sensitive.
    void PickThree() {
        const Text_ID texts[] = {AddText("one"), AddText("two"), AddText("three")};
        OpenToolDialog();
        for (size_t i = 0; i < 3; ++i)
            Do(&Host::pickText, texts[i], i > 0);
        host().runIdle();
    }
};

// The group frames, the 35 buttons with their pictures and the menu bar
// with its help texts; the page commands start insensitive. Then the anchor
// toggle sets the anchoring, Help opens the help page and Close drops the
// dialog.
TEST_F(ToolDialogTest, ControlsMenusAndTheDialogsOwnButtons) {
    OpenToolDialog();
    const quorvin::host::GuiDialog *dialog = host().findDialog(ToolDialog);
    ASSERT_NE(dialog, nullptr);
    ExpectGolden("golden/shell/tool-dialog.txt", DescribeDialog(*dialog));
    for (bool on : {true, false}) {
        Do(&Host::setToggle, ToolAnchorToggle, on);
        EXPECT_EQ(BuilderSettings.AnchorToPaper, on);
    }
    Do(&Host::pressDialogButton, ToolDialog, "Help");
    ASSERT_EQ(host().messages().size(), 1u);
    EXPECT_EQ(host().messages()[0].call, Message::Call::Help);
    EXPECT_NE(host().messages()[0].text.find("addon_quorvin_gui_builder.html"), std::string::npos);
    Do(&Host::pressDialogButton, ToolDialog, "Close");
    EXPECT_FALSE(host().findDialog(ToolDialog)->up);
    EXPECT_FALSE(ToolDialogIsUp());
    ExpectHostSound("the dialog's own buttons");
}

TEST_F(ToolDialogTest, ACommandWithoutAFunctionStaysInsensitiveAndCannotBePressed) {
    OverrideCommandHandler(Command::AlignLeft, nullptr);
    OverrideCommandHandler(Command::Options, nullptr);
    PickThree();
    for (const char *control : {"Align Left", "Layout/Align/Left", "Layout/Options..."}) {
        std::string error;
        EXPECT_FALSE(host().press(control, &error)) << control;
        EXPECT_NE(error.find("is insensitive"), std::string::npos) << error;
    }
    EXPECT_EQ(host().findDialogByTitle("File Options"), nullptr);
    Do(&Host::press, "Align Right");
    RestoreCommandHandlers();
    ExpectHostSound("pressing unavailable commands");
}

int RecordedRuns = 0;
bool LockHeldWhileRunning = false;
void RecordRun() {
    ++RecordedRuns;
    LockHeldWhileRunning = quorvin::host::Host::instance().lockHeld();
}

// Every command has a button or a menu item or both (the two center
// alignments, upgrade and options only a menu item), and each runs its own
// command inside the lock.
TEST_F(ToolDialogTest, EachButtonAndMenuItemRunsItsOwnCommandInsideTheLock) {
    PickThree();
    int pressed = 0;
    for (int i = 0; i < kCommandCount; ++i) {
        const Command command = static_cast<Command>(i);
        SCOPED_TRACE(CommandName(command));
        EXPECT_TRUE(ToolButtons[i] != BADDIALOGID || ToolMenuItems[i] != BADDIALOGID);
        const bool menuOnly = command == Command::AlignHorzCenter ||
                              command == Command::AlignVertCenter ||
                              command == Command::UpgradeControls || command == Command::Options;
        EXPECT_EQ(ToolButtons[i] == BADDIALOGID, menuOnly);
        for (GUIInt_t control : {ToolButtons[i], ToolMenuItems[i]}) {
            if (control == BADDIALOGID || !host().findControl(control)->sensitive)
                continue; // the page commands need a tab or form control picked
            RestoreCommandHandlers();
            OverrideCommandHandler(command, RecordRun);
            RecordedRuns = 0;
            LockHeldWhileRunning = false;
            Do(&Host::pressControl, control);
            EXPECT_EQ(RecordedRuns, 1);
            EXPECT_TRUE(LockHeldWhileRunning);
            ExpectHostSound(CommandName(command));
            ++pressed;
        }
    }
    RestoreCommandHandlers();
    EXPECT_GE(pressed, 60);
}

// The pictures themselves, 35 of 24 by 24 pixels, are in the golden file of
// the dialog; past the end of the table there is none.
TEST(ToolImages, NoneBeyondTheTable) {
    EXPECT_EQ(ToolImageData(ToolImage::Count), nullptr);
}

} // namespace
} // namespace qgbtest
