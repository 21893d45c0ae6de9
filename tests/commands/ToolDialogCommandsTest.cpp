// The editing commands as a designer reaches them: through the buttons and
// menu items of the "GUI Builder" tool dialog.
#include "CommandsFixture.h"

#include "model/Kinds.h"
#include "shell/Startup.h"

namespace qgbtest {
namespace {

void StartBuilder() {
    quorvin::builder::InitAddOn();
}

class ToolDialogCommandsTest : public CommandsTest {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        host().startAddOn(StartBuilder);
        std::string error;
        ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
        host().runIdle();
        ExpectClean();
    }

    void TearDown() override {
        host().quit();
        CommandsTest::TearDown();
    }

    // Presses a button or menu item; each press is one host command.
    void Press(const std::string &what) {
        std::string error;
        ASSERT_TRUE(host().press(what, &error)) << what << ": " << error;
        ExpectClean(qb::BitmapButtonDialog().dialog != BADDIALOGID &&
                    QorGUIDialogIsUp(qb::BitmapButtonDialog().dialog));
    }

    bool Sensitive(const std::string &what) {
        const quorvin::host::GuiDialog *tool = host().findDialogByTitle("GUI Builder");
        const quorvin::host::GuiControl *c =
            tool ? host().findControlByLabel(tool->id, what) : nullptr;
        EXPECT_NE(c, nullptr) << what;
        return c && c->sensitive;
    }

    std::vector<qb::ControlKind> Kinds() {
        std::vector<qb::ControlKind> kinds;
        for (const quorvin::host::Text &t : Current().texts) {
            qb::ControlKind kind = qb::NotAControl;
            int group = -1;
            qb::ClassifyText(TextHandle(t), kind, group);
            kinds.push_back(kind);
        }
        return kinds;
    }
};

TEST_F(ToolDialogCommandsTest, EveryInsertButtonRunsItsCommand) {
    Press("Modal Dialog");
    ASSERT_EQ(host().frames().size(), 1u);
    for (const char *button :
         {"Push Button", "Radio Button", "Scale", "Toggle", "Single Selection List", "Option Menu",
          "Multi-Selection List Box", "Text Field", "Text Field with Spin Control",
          "Multi-Line Text", "Multi-Line Read-Only Text", "Label", "Tab", "Form"})
        Press(button);
    EXPECT_EQ(Kinds(), (std::vector<qb::ControlKind>{
                           qb::PushButton, qb::RadioBox, qb::Scale, qb::Toggle, qb::SingleList,
                           qb::OptionMenu, qb::MultiList, qb::TextField, qb::Spin, qb::Text,
                           qb::ReadOnlyText, qb::Label, qb::Tab, qb::Form}));
    Press("Frame");
    ASSERT_EQ(Current().geoms.size(), 1u);
    EXPECT_EQ(Current().geoms[0].spec.command, "New Frame");

    Press("Modeless Dialog");
    EXPECT_EQ(Current().spec.name,
              "ID=2 TITLE=\"Untitled\" MODE=MODELESS OKCLOSEBUTTON=T HELPBUTTON=T");
    Press("Insert/Dialog/Sidebar");
    EXPECT_EQ(Current().spec.name, "ID=1 TITLE=\"Sidebar\" SIDEBAR=T");
    Press("Insert/Basic Controls/Spin Text Field");
    EXPECT_EQ(Current().texts.back().spec.command, "VarName=TF1 Type=Spin");
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(ToolDialogCommandsTest, PageButtonsFollowThePickedControl) {
    Press("Modal Dialog");
    const UniqueID_t dialog = Current().uniqueId;
    Press("Tab");
    Text_ID tab = TextHandle(Current().texts.back());
    Pick(tab);
    host().runIdle();
    EXPECT_TRUE(Sensitive("Tab Page"));
    EXPECT_FALSE(Sensitive("Form Page"));
    EXPECT_FALSE(Sensitive("Resize form/tab pages of selected form/tab"));

    Press("Tab Page");
    EXPECT_EQ(Current().spec.name, "TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"");
    host().runIdle();
    EXPECT_TRUE(Sensitive("Pop next dialog or tab page"));

    MakeCurrent(dialog);
    Pick(tab);
    host().runIdle();
    EXPECT_TRUE(Sensitive("Resize form/tab pages of selected form/tab"));
    Press("Insert/Form/Tab/Tab Page");
    EXPECT_EQ(Current().spec.name, "TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\"");
    const UniqueID_t second = Current().uniqueId;
    host().runIdle();
    Press("Pop next dialog or tab page");
    EXPECT_NE(Current().uniqueId, second);
    EXPECT_EQ(Current().spec.linkGroup, 1);
}

TEST_F(ToolDialogCommandsTest, TabInsertRefreshesTheSensitivityAtOnce) {
    Press("Modal Dialog");
    Press("Form");
    Pick(TextHandle(Current().texts.back()));
    host().runIdle();
    ASSERT_TRUE(Sensitive("Form Page"));
    // Without an idle turn only the command itself can bring the buttons up
    // to date with the empty pick list.
    host().clearPicks();
    Press("Tab");
    EXPECT_FALSE(Sensitive("Form Page"));
    EXPECT_FALSE(Sensitive("Tab Page"));
}

TEST_F(ToolDialogCommandsTest, ArrangeButtonsAndMenuOnlyCenters) {
    Press("Modal Dialog");
    Text_ID a = AddLabel("ab", 10, 20);
    Text_ID b = AddLabel("abcd", 30, 40);
    Text_ID c = AddLabel("x", 60, 80);
    Pick(a);
    Pick(b, true);
    host().runIdle();
    EXPECT_TRUE(Sensitive("Align Left"));
    EXPECT_FALSE(Sensitive("Space Evenly Horizontally"));
    Press("Align Left");
    EXPECT_NEAR(TextOf(b).x, 10, 1e-9);
    Press("Layout/Align/Vert Center");
    EXPECT_NE(TextOf(b).y, 40);
    EXPECT_DOUBLE_EQ(TextOf(a).y, 20);
    Pick(c, true);
    host().runIdle();
    EXPECT_TRUE(Sensitive("Space Evenly Vertically"));
    Press("Center in Dialog Horizontally");
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(ToolDialogCommandsTest, BitmapToggleAndUpgradeFromTheMenu) {
    Press("Modal Dialog");
    Press("Label");
    host().queueFileName(WriteBmp("tool.bmp", 8, 8));
    Press("Bitmap Toggle");
    const qb::BitmapButtonDialogIds &ids = qb::BitmapButtonDialog();
    ASSERT_TRUE(QorGUIDialogIsUp(ids.dialog));
    EXPECT_EQ(host().findControl(ids.buttonType)->intValue, 2);
    std::string error;
    ASSERT_TRUE(host().pressDialogButton(ids.dialog, "OK", &error)) << error;
    ExpectClean();
    EXPECT_EQ(Current().geoms.back().spec.command, "VarName=BB2 Type=Toggle");

    host().queueAnswer(true);
    Press("Layout/Upgrade Controls...");
    EXPECT_EQ(host().messages().back().text,
              "All controls are already using the current standards, therefore no changes were "
              "made to your layout.");
}

} // namespace
} // namespace qgbtest
