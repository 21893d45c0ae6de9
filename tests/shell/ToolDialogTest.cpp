#include "ShellFixture.h"

#include "shell/CommandTable.h"
#include "model/Settings.h"
#include "shell/ToolDialog.h"
#include "shell/ToolImages.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quorvin::builder;
using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Message;

namespace qgbtest {
namespace {

class ToolDialogTest : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        StartAddOn();
    }
    const GuiDialog &Dialog() {
        const GuiDialog *dialog = host().findDialogByTitle("GUI Builder");
        if (!dialog)
            throw std::runtime_error("no tool dialog");
        return *dialog;
    }
    // The dialog's own controls in creation order (menus are separate).
    std::vector<const GuiControl *> Controls() {
        std::vector<const GuiControl *> out;
        for (GUIInt_t id : Dialog().controls) {
            const GuiControl *c = host().findControl(id);
            if (c && c->kind != "MenuBar" && c->kind != "Menu" && c->kind != "MenuItem" &&
                c->kind != "MenuSeparator")
                out.push_back(c);
        }
        return out;
    }
};

TEST_F(ToolDialogTest, IsAModelessDialogOfTheGivenSize) {
    OpenToolDialog();
    const GuiDialog &d = Dialog();
    EXPECT_EQ(d.kind, "Modeless");
    EXPECT_EQ(d.width, 2616);
    EXPECT_EQ(d.height, 2786);
    EXPECT_TRUE(d.up);
    EXPECT_NE(d.init, nullptr);
    EXPECT_NE(d.close, nullptr);
    EXPECT_NE(d.help, nullptr);
    ExpectHostSound("opening the tool dialog");
}

// The buttons as the design has them, in creation order.
struct ExpectedButton {
    int x, y;
    const char *toolTip;
};
const ExpectedButton kExpectedButtons[] = {
    {257, 144, "Modeless Dialog"},
    {787, 144, "Modal Dialog"},
    {1302, 144, "Sidebar"},
    {257, 360, "Tab"},
    {787, 360, "Tab Page"},
    {787, 577, "Resize form/tab pages of selected form/tab"},
    {1302, 360, "Form"},
    {1817, 360, "Form Page"},
    {257, 577, "Pop next dialog or tab page"},
    {257, 973, "Push Button"},
    {787, 973, "Bitmap Button"},
    {1302, 973, "Radio Button"},
    {257, 1190, "Scale"},
    {787, 1190, "Bitmap Toggle"},
    {1302, 1190, "Toggle"},
    {787, 1406, "Single Selection List"},
    {1302, 1406, "Option Menu"},
    {1817, 1406, "Multi-Selection List Box"},
    {257, 1622, "Text Field"},
    {787, 1622, "Text Field with Spin Control"},
    {1302, 1622, "Multi-Line Text"},
    {1817, 1622, "Multi-Line Read-Only Text"},
    {1817, 144, "Frame"},
    {257, 2031, "Align Left"},
    {1302, 2031, "Align Top"},
    {787, 2248, "Space Evenly Vertically"},
    {787, 2031, "Align Right"},
    {1817, 2031, "Align Bottom"},
    {257, 2248, "Space Evenly Horizontally"},
    {1302, 2248, "Center in Dialog Vertically"},
    {1817, 2248, "Center in Dialog Horizontally"},
    {801, 2542, "Anchor Controls to Paper"},
    {1331, 2542, "Preview Layout"},
    {1846, 2542, "Go Build"},
    {257, 1406, "Label"},
};

TEST_F(ToolDialogTest, HasThreeGroupFramesThenTheButtonsInOrder) {
    OpenToolDialog();
    const auto controls = Controls();
    ASSERT_EQ(controls.size(), 3u + 35u);

    struct Group {
        const char *label;
        int x, y, w, h;
    } groups[] = {{"Controls", 186, 901, 2204, 937},
                  {"Containers", 186, 66, 2204, 751},
                  {"Layout", 186, 1935, 2189, 534}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(groups[i].label);
        const GuiControl &c = *controls[i];
        EXPECT_EQ(c.kind, "Frame");
        ASSERT_FALSE(c.labels.empty());
        EXPECT_EQ(c.labels[0], groups[i].label);
        EXPECT_EQ(c.x, groups[i].x);
        EXPECT_EQ(c.y, groups[i].y);
        EXPECT_EQ(c.width, groups[i].w);
        EXPECT_EQ(c.height, groups[i].h);
    }

    std::vector<std::vector<unsigned char>> images;
    for (int i = 0; i < 35; ++i) {
        const ExpectedButton &e = kExpectedButtons[i];
        SCOPED_TRACE(e.toolTip);
        const GuiControl &c = *controls[3 + i];
        const bool anchor = std::strcmp(e.toolTip, "Anchor Controls to Paper") == 0;
        EXPECT_EQ(c.kind, anchor ? "BitmapToggle" : "BitmapButton");
        EXPECT_EQ(c.toolTip, e.toolTip);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.width, 457);
        EXPECT_EQ(c.height, 192);
        EXPECT_EQ(c.bitmapWidth, 24);
        EXPECT_EQ(c.bitmapHeight, 24);
        EXPECT_EQ(c.bitmap.size(), 1728u);
        EXPECT_TRUE(c.useTransparentColor);
        EXPECT_EQ(c.transparentRed, 255);
        EXPECT_EQ(c.transparentGreen, 0);
        EXPECT_EQ(c.transparentBlue, 0);
        images.push_back(c.bitmap);
    }
    // Every button shows its own picture.
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j])
                << kExpectedButtons[i].toolTip << " and " << kExpectedButtons[j].toolTip;
}

// One line per menu-bar step: "Menu>Sub" for a menu, "Menu>Item|help" for an
// item and "Menu>-" for a separator, in creation order.
std::vector<std::string> DescribeMenuBar(GUIInt_t menuBar) {
    auto &h = quorvin::host::Host::instance();
    std::vector<std::string> lines;
    std::function<std::string(GUIInt_t)> pathOf = [&](GUIInt_t id) -> std::string {
        const GuiControl *c = h.findControl(id);
        if (!c || c->kind == "MenuBar")
            return "";
        const std::string parent = pathOf(c->parent);
        return (parent.empty() ? "" : parent + ">") + (c->labels.empty() ? "" : c->labels[0]);
    };
    for (const auto &[id, c] : h.controls()) { // identifiers grow in creation order
        if (c.kind == "Menu") {
            lines.push_back(pathOf(id));
        } else if (c.kind == "MenuItem") {
            lines.push_back(pathOf(id) + "|" + c.helpText);
        } else if (c.kind == "MenuSeparator") {
            lines.push_back(pathOf(c.parent) + ">-");
        }
    }
    (void)menuBar;
    return lines;
}

TEST_F(ToolDialogTest, MenuBarHasEveryItemInOrder) {
    OpenToolDialog();
    ASSERT_NE(Dialog().menuBar, BADDIALOGID);
    const std::vector<std::string> expected = {
        "Insert",
        "Insert>Dialog",
        "Insert>Dialog>Modal|Create a new modal dialog",
        "Insert>Dialog>Modeless|Create a new modeless dialog",
        "Insert>Dialog>Sidebar|Create a new sidebar dialog",
        "Insert>Basic Controls",
        "Insert>Basic Controls>Text Field|Create a new text field control",
        "Insert>Basic Controls>Multi Line Text|Create a new multi-line text control",
        "Insert>Basic Controls>Read-only Multi Line Text|Create a new read-only multi-line text "
        "control",
        "Insert>Basic Controls>Spin Text Field|Create a new text field with spin controls",
        "Insert>Basic Controls>-",
        "Insert>Basic Controls>Multi Selection List|Create a new multi selection list control",
        "Insert>Basic Controls>Single Selection List|Create a new single selection list",
        "Insert>Basic Controls>-",
        "Insert>Basic Controls>Bitmap Button...|Create a new bitmap button",
        "Insert>Basic Controls>Bitmap Toggle...|Create a new bitmap toggle",
        "Insert>Basic Controls>-",
        "Insert>Basic Controls>Push Button|Create a new push button",
        "Insert>Basic Controls>Option Menu|Create a new option menu",
        "Insert>Basic Controls>Toggle|Create a new toggle",
        "Insert>Basic Controls>Radio Buttons|Create a new radio button group",
        "Insert>Basic Controls>Scale|Create a new scale",
        "Insert>Basic Controls>Frame|Create a new frame",
        "Insert>Form/Tab",
        "Insert>Form/Tab>Tab|Create a new tab parent control",
        "Insert>Form/Tab>Tab Page|Create a new tab page",
        "Insert>Form/Tab>-",
        "Insert>Form/Tab>Form|Creates a new form parent control",
        "Insert>Form/Tab>Form Page|Create a new form page",
        "Insert>Basic Controls>Label|Create a new label",
        "Layout",
        "Layout>Form/Tab",
        "Layout>Form/Tab>Resize Form/Tab|Resize the selected form/tab pages to fit the parent "
        "form/tab",
        "Layout>Form/Tab>Pop Next Page|Pop the next form or tab page",
        "Layout>Align",
        "Layout>Align>Left|Align the left edges of the selected controls",
        "Layout>Align>Horz Center|Align the horizontal centers of the selected controls",
        "Layout>Align>Right|Align the right edges of the selected controls",
        "Layout>Align>Top|Align the top edges of the selected controls",
        "Layout>Align>Vert Center|Align the vertical centers of the selected controls",
        "Layout>Align>Bottom|Align the bottom edges of the selected controls",
        "Layout>Space Evenly",
        "Layout>Space Evenly>Across|Evenly space the selected controls horizontally",
        "Layout>Space Evenly>Down|Evenly space the selected controls vertically",
        "Layout>Center in Dialog",
        "Layout>Center in Dialog>Vertical|Center the selected controls vertically within the "
        "dialog",
        "Layout>Center in Dialog>Horizontal|Center the selected controls horizontally within the "
        "dialog",
        "Layout>-",
        "Layout>Preview Dialog Layout...|Display this dialog to test appearance",
        "Layout>Upgrade Controls...|Modify control sizing and options",
        "Layout>Build|Generate source code",
        "Layout>-",
        "Layout>Options...|Select options such as language, etc.",
    };
    EXPECT_EQ(DescribeMenuBar(Dialog().menuBar), expected);
}

TEST_F(ToolDialogTest, HorzAndVertCenterExistOnlyInTheMenu) {
    OpenToolDialog();
    for (const GuiControl *c : Controls()) {
        EXPECT_EQ(c->toolTip.find("Horz"), std::string::npos);
        EXPECT_EQ(c->toolTip.find("Vert Center"), std::string::npos);
    }
    EXPECT_NO_THROW(MenuItem({"Layout", "Align", "Horz Center"}));
    EXPECT_NO_THROW(MenuItem({"Layout", "Align", "Vert Center"}));
}

TEST_F(ToolDialogTest, HelpOpensTheHelpPageAndCloseDropsTheDialog) {
    OpenToolDialog();
    std::string error;
    ASSERT_TRUE(host().pressDialogButton(ToolDialog, "Help", &error)) << error;
    ASSERT_EQ(host().messages().size(), 1u);
    EXPECT_EQ(host().messages()[0].call, Message::Call::Help);
    EXPECT_NE(host().messages()[0].text.find("addon_quorvin_gui_builder.html"), std::string::npos);
    ExpectHostSound("help");

    ASSERT_TRUE(host().pressDialogButton(ToolDialog, "Close", &error)) << error;
    EXPECT_FALSE(Dialog().up);
    EXPECT_FALSE(ToolDialogIsUp());
    ExpectHostSound("close");
}

TEST_F(ToolDialogTest, ChoosingTheMenuOptionAgainShowsTheSameDialogAndReadsNothing) {
    const auto dir = TempDir();
    WriteFile(dir / "dlb.cfg", "#!DLB 2022\nLanguage=FORTRAN\n");
    AddFrame("ID=1 TITLE=\"One\"");
    std::string error;
    ASSERT_TRUE(host().saveLayout((dir / "one.lay").string(), &error)) << error;

    OpenToolDialog();
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    const GUIInt_t first = ToolDialog;
    const size_t controls = host().controls().size();

    // The file changes, the layout does not: choosing again reads nothing.
    WriteFile(dir / "dlb.cfg", "#!DLB 2022\nLanguage=C\n");
    ASSERT_TRUE(host().pressDialogButton(ToolDialog, "Close", &error)) << error;
    OpenToolDialog();
    EXPECT_EQ(ToolDialog, first);
    EXPECT_EQ(host().controls().size(), controls);
    EXPECT_TRUE(Dialog().up);
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    OpenToolDialog();
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    ExpectHostSound("choosing the menu option again");
}

TEST_F(ToolDialogTest, InitialisationLeavesThePageCommandsInsensitive) {
    AddFrame("ID=1 TITLE=\"One\"");
    OpenToolDialog();
    for (const char *tip : {"Form Page", "Tab Page", "Resize form/tab pages of selected form/tab",
                            "Pop next dialog or tab page"}) {
        SCOPED_TRACE(tip);
        EXPECT_FALSE(ToolControl(tip).sensitive);
    }
    for (std::vector<std::string> path :
         {std::vector<std::string>{"Insert", "Form/Tab", "Tab Page"},
          {"Insert", "Form/Tab", "Form Page"},
          {"Layout", "Form/Tab", "Pop Next Page"},
          {"Layout", "Form/Tab", "Resize Form/Tab"}}) {
        SCOPED_TRACE(path.back());
        EXPECT_FALSE(MenuItem(path).sensitive);
    }
    EXPECT_TRUE(ToolControl("Modal Dialog").sensitive);
    EXPECT_TRUE(MenuItem({"Insert", "Basic Controls", "Label"}).sensitive);
}

TEST_F(ToolDialogTest, ACommandWithoutAFunctionStaysInsensitiveAndCannotBePressed) {
    AddFrame("ID=1 TITLE=\"One\"");
    const Text_ID texts[] = {AddText("one"), AddText("two"), AddText("three")};
    OverrideCommandHandler(Command::AlignLeft, nullptr);
    OverrideCommandHandler(Command::Options, nullptr);
    OpenToolDialog();
    for (size_t i = 0; i < 3; ++i) {
        std::string error;
        ASSERT_TRUE(host().pickText(texts[i], i > 0, &error)) << error;
    }
    host().runIdle();
    // Three picked controls would make the alignments sensitive.
    EXPECT_TRUE(ToolControl("Align Right").sensitive);
    EXPECT_FALSE(ToolControl("Align Left").sensitive);
    EXPECT_FALSE(MenuItem({"Layout", "Align", "Left"}).sensitive);
    EXPECT_FALSE(MenuItem({"Layout", "Options..."}).sensitive);
    EXPECT_FALSE(TryPress(ToolControl("Align Left").id));
    EXPECT_FALSE(TryPress(MenuItem({"Layout", "Options..."}).id));
    EXPECT_EQ(host().findDialogByTitle("File Options"), nullptr);
    RestoreCommandHandlers();
    ExpectHostSound("pressing unavailable commands");
}

int RecordedRuns = 0;
bool LockHeldWhileRunning = false;
void RecordRun() {
    ++RecordedRuns;
    LockHeldWhileRunning = quorvin::host::Host::instance().lockHeld();
}

TEST_F(ToolDialogTest, EachButtonAndMenuItemRunsItsOwnCommandInsideTheLock) {
    AddFrame("ID=1 TITLE=\"One\"");
    const Text_ID texts[] = {AddText("one"), AddText("two"), AddText("three")};
    OpenToolDialog();
    for (size_t i = 0; i < 3; ++i) {
        std::string error;
        ASSERT_TRUE(host().pickText(texts[i], i > 0, &error)) << error;
    }
    host().runIdle();
    int pressed = 0;
    for (int i = 0; i < kCommandCount; ++i) {
        const Command command = static_cast<Command>(i);
        SCOPED_TRACE(CommandName(command));
        for (GUIInt_t control : {ToolButtons[i], ToolMenuItems[i]}) {
            if (control == BADDIALOGID || !host().findControl(control)->sensitive)
                continue; // the page commands need a tab or form control picked
            RestoreCommandHandlers();
            OverrideCommandHandler(command, RecordRun);
            RecordedRuns = 0;
            LockHeldWhileRunning = false;
            Press(control);
            EXPECT_EQ(RecordedRuns, 1);
            EXPECT_TRUE(LockHeldWhileRunning);
            ExpectHostSound(CommandName(command));
            ++pressed;
        }
    }
    RestoreCommandHandlers();
    EXPECT_GE(pressed, 60);
}

TEST_F(ToolDialogTest, EveryCommandHasAButtonOrAMenuItemOrBoth) {
    OpenToolDialog();
    for (int i = 0; i < kCommandCount; ++i) {
        SCOPED_TRACE(CommandName(static_cast<Command>(i)));
        EXPECT_TRUE(ToolButtons[i] != BADDIALOGID || ToolMenuItems[i] != BADDIALOGID);
    }
    // Menu-only: the two center alignments, upgrade and options.
    for (Command c : {Command::AlignHorzCenter, Command::AlignVertCenter, Command::UpgradeControls,
                      Command::Options}) {
        SCOPED_TRACE(CommandName(c));
        EXPECT_EQ(ToolButtons[static_cast<int>(c)], BADDIALOGID);
    }
}

TEST_F(ToolDialogTest, TheAnchorToggleSetsAnchorToPaper) {
    OpenToolDialog();
    std::string error;
    ASSERT_TRUE(host().setToggle(ToolAnchorToggle, true, &error)) << error;
    EXPECT_TRUE(BuilderSettings.AnchorToPaper);
    ExpectHostSound("anchor on");
    ASSERT_TRUE(host().setToggle(ToolAnchorToggle, false, &error)) << error;
    EXPECT_FALSE(BuilderSettings.AnchorToPaper);
    ExpectHostSound("anchor off");
}

TEST_F(ToolDialogTest, OptionsOpensTheFileOptionsDialog) {
    OpenToolDialog();
    Press(MenuItem({"Layout", "Options..."}).id);
    const GuiDialog *options = host().findDialogByTitle("File Options");
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->up);
    // Choose C and confirm: the setting changes in memory.
    const GuiControl *radio = nullptr;
    for (GUIInt_t id : options->controls)
        if (host().findControl(id)->kind == "RadioBox")
            radio = host().findControl(id);
    ASSERT_NE(radio, nullptr);
    std::string error;
    ASSERT_TRUE(host().setRadioBox(radio->id, 1, &error)) << error;
    ASSERT_TRUE(host().pressDialogButton(options->id, "OK", &error)) << error;
    EXPECT_EQ(BuilderSettings.Language, LanguageC);
    ExpectHostSound("options");
}

TEST_F(ToolDialogTest, ThePlainCommandsRunInsideTheLock) {
    AddFrame("ID=1 TITLE=\"One\"");
    OpenToolDialog();
    const size_t texts = host().currentFrame()->texts.size();
    Press(ToolControl("Label").id);
    EXPECT_EQ(host().currentFrame()->texts.size(), texts + 1);
    ExpectHostSound("insert label from its button");
    Press(MenuItem({"Insert", "Basic Controls", "Toggle"}).id);
    EXPECT_EQ(host().currentFrame()->texts.size(), texts + 2);
    ExpectHostSound("insert toggle from its menu item");
}

TEST_F(ToolDialogTest, BitmapToggleChoosesToggleInTheBitmapDialog) {
    const auto dir = TempDir();
    AddFrame("ID=1 TITLE=\"One\"");
    OpenToolDialog();
    host().queueFileName((dir / "icon.bmp").string());
    Press(ToolControl("Bitmap Toggle").id);
    const GuiDialog *bitmap = nullptr;
    for (const auto &[id, d] : host().dialogs())
        if (d.kind == "Modal" && d.up)
            bitmap = &d;
    ASSERT_NE(bitmap, nullptr) << "the bitmap button dialog is not up";
    const GuiControl *type = nullptr;
    for (GUIInt_t id : bitmap->controls)
        if (host().findControl(id)->kind == "RadioBox")
            type = host().findControl(id);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->intValue, 2);
    std::string error;
    ASSERT_TRUE(host().pressDialogButton(bitmap->id, "Cancel", &error)) << error;
    ExpectHostSound("bitmap toggle, then cancel");
}

TEST(ToolImages, EachIs24By24WithTheTransparentColourAndUnlikeTheOthers) {
    ASSERT_EQ(kToolImageCount, 35);
    for (int i = 0; i < kToolImageCount; ++i) {
        const auto image = static_cast<ToolImage>(i);
        SCOPED_TRACE(ToolImageName(image));
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(ToolImageData(image));
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(kToolImageBytes, 24u * 24u * 3u);
        bool transparent = false, opaque = false;
        for (size_t p = 0; p < kToolImageBytes; p += 3) {
            const bool red = bytes[p] == 255 && bytes[p + 1] == 0 && bytes[p + 2] == 0;
            transparent = transparent || red;
            opaque = opaque || !red;
        }
        EXPECT_TRUE(transparent);
        EXPECT_TRUE(opaque);
        for (int j = i + 1; j < kToolImageCount; ++j)
            EXPECT_NE(std::memcmp(bytes, ToolImageData(static_cast<ToolImage>(j)), kToolImageBytes),
                      0)
                << "same picture as " << ToolImageName(static_cast<ToolImage>(j));
    }
    EXPECT_EQ(ToolImageData(ToolImage::Count), nullptr);
}

} // namespace
} // namespace qgbtest
