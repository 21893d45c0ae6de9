#include "ShellFixture.h"

#include "shell/CommandTable.h"
#include "shell/Picked.h"
#include "model/Settings.h"
#include "shell/ToolDialog.h"

#include <gtest/gtest.h>

using namespace quorvin::builder;
using quorvin::host::Message;

namespace qgbtest {
namespace {

class Sensitivity : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        StartAddOn();
    }
    bool ButtonSensitive(const std::string &toolTip) { return ToolControl(toolTip).sensitive; }
    bool ItemSensitive(const std::vector<std::string> &path) { return MenuItem(path).sensitive; }
    void Pick(Text_ID text, bool add) {
        std::string error;
        ASSERT_TRUE(host().pickText(text, add, &error)) << error;
    }
    // Adds a size-and-position linked page frame of a group.
    UniqueID_t AddPage(const std::string &name, int group) {
        quorvin::host::FrameSpec spec;
        spec.name = name;
        spec.linkGroup = group;
        spec.linkSizeAndPosition = true;
        return host().addFrame(spec);
    }
};

TEST_F(Sensitivity, FollowsTheNumberOfPickedControls) {
    AddFrame("ID=1 TITLE=\"One\"");
    const Text_ID texts[] = {AddText("one", TextBox_None, "", 20, 20),
                             AddText("two", TextBox_None, "", 40, 40),
                             AddText("three", TextBox_None, "", 60, 60)};
    OpenToolDialog();
    const std::vector<std::string> alignButtons = {"Align Left", "Align Top", "Align Right",
                                                   "Align Bottom"};
    const std::vector<std::string> alignItems = {"Left", "Horz Center", "Right",
                                                 "Top",  "Vert Center", "Bottom"};
    struct Case {
        int picked;
        bool align, space, center;
    } cases[] = {{0, false, false, false},
                 {1, false, false, true},
                 {2, true, false, true},
                 {3, true, true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.picked);
        host().clearPicks();
        for (int i = 0; i < c.picked; ++i)
            Pick(texts[i], i > 0);
        host().runIdle();
        for (const std::string &b : alignButtons)
            EXPECT_EQ(ButtonSensitive(b), c.align) << b;
        for (const std::string &i : alignItems)
            EXPECT_EQ(ItemSensitive({"Layout", "Align", i}), c.align) << i;
        EXPECT_EQ(ButtonSensitive("Space Evenly Horizontally"), c.space);
        EXPECT_EQ(ButtonSensitive("Space Evenly Vertically"), c.space);
        EXPECT_EQ(ItemSensitive({"Layout", "Space Evenly", "Across"}), c.space);
        EXPECT_EQ(ItemSensitive({"Layout", "Space Evenly", "Down"}), c.space);
        EXPECT_EQ(ButtonSensitive("Center in Dialog Vertically"), c.center);
        EXPECT_EQ(ButtonSensitive("Center in Dialog Horizontally"), c.center);
        EXPECT_EQ(ItemSensitive({"Layout", "Center in Dialog", "Vertical"}), c.center);
        EXPECT_EQ(ItemSensitive({"Layout", "Center in Dialog", "Horizontal"}), c.center);
        ExpectHostSound("idle after picking");
    }
}

TEST_F(Sensitivity, RotatedTextsAndOtherGeometriesDoNotCount) {
    AddFrame("ID=1 TITLE=\"One\"");
    const Text_ID plain = AddText("plain");
    const Text_ID rotated = AddText("rotated", TextBox_None, "", 50, 30, 45);
    quorvin::host::GeomSpec bent;
    bent.type = GeomType_LineSegs;
    bent.polylines = {{{0, 0}, {5, 0}, {5, 5}}};
    const Geom_ID line3 = host().addGeom(bent);
    OpenToolDialog();
    Pick(plain, false);
    Pick(rotated, true);
    std::string error;
    ASSERT_TRUE(host().pickGeom(line3, true, &error)) << error;
    host().runIdle();
    EXPECT_TRUE(ButtonSensitive("Center in Dialog Vertically"));
    EXPECT_FALSE(ButtonSensitive("Align Left")); // one usable object only
}

TEST_F(Sensitivity, APickedTabControlWithPagesAllowsTabPageAndResize) {
    AddPage("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", 3);
    AddFrame("ID=1 TITLE=\"One\"");
    const Text_ID tab = AddText("TAB:Group=3  \n\n\n\n\n", TextBox_Filled, "VarName=Tab1");
    OpenToolDialog();
    Pick(tab, false);
    host().runIdle();
    EXPECT_TRUE(ButtonSensitive("Tab Page"));
    EXPECT_TRUE(ItemSensitive({"Insert", "Form/Tab", "Tab Page"}));
    EXPECT_TRUE(ButtonSensitive("Resize form/tab pages of selected form/tab"));
    EXPECT_TRUE(ItemSensitive({"Layout", "Form/Tab", "Resize Form/Tab"}));
    EXPECT_FALSE(ButtonSensitive("Form Page"));
    EXPECT_FALSE(ItemSensitive({"Insert", "Form/Tab", "Form Page"}));
    EXPECT_FALSE(ButtonSensitive("Pop next dialog or tab page")); // a plain dialog is current
    ExpectHostSound("idle with a tab control picked");
}

TEST_F(Sensitivity, TabAndFormControlsWithoutPagesCannotBeResized) {
    AddPage("FORMPAGE=T ID=1", 2); // another group's page
    AddFrame("ID=1 TITLE=\"One\"");
    const Text_ID tab = AddText("TAB:Group=1  \n\n\n\n\n", TextBox_Filled, "VarName=Tab1");
    const Text_ID form = AddText("FM:Group=4  \n\n\n\n\n", TextBox_Filled, "VarName=Form1");
    OpenToolDialog();

    Pick(tab, false);
    host().runIdle();
    EXPECT_TRUE(ButtonSensitive("Tab Page"));
    EXPECT_FALSE(ButtonSensitive("Form Page"));
    EXPECT_FALSE(ButtonSensitive("Resize form/tab pages of selected form/tab"));

    Pick(form, false);
    host().runIdle();
    EXPECT_FALSE(ButtonSensitive("Tab Page"));
    EXPECT_TRUE(ButtonSensitive("Form Page"));
    EXPECT_TRUE(ItemSensitive({"Insert", "Form/Tab", "Form Page"}));
    EXPECT_FALSE(ButtonSensitive("Resize form/tab pages of selected form/tab"));

    // Two picked objects are no single tab or form control.
    Pick(tab, true);
    host().runIdle();
    EXPECT_FALSE(ButtonSensitive("Tab Page"));
    EXPECT_FALSE(ButtonSensitive("Form Page"));
}

TEST_F(Sensitivity, APickedFrameAllowsNoPageCommand) {
    AddPage("TABPAGE=T ID=1", 1);
    const UniqueID_t dialog = AddFrame("ID=1 TITLE=\"One\"");
    AddText("TAB:Group=1  \n\n\n\n\n", TextBox_Filled, "VarName=Tab1");
    OpenToolDialog();
    std::string error;
    ASSERT_TRUE(host().pickFrame(dialog, &error)) << error;
    host().runIdle();
    EXPECT_FALSE(ButtonSensitive("Tab Page"));
    EXPECT_FALSE(ButtonSensitive("Form Page"));
    EXPECT_FALSE(ButtonSensitive("Resize form/tab pages of selected form/tab"));
}

TEST_F(Sensitivity, PopNextPageFollowsTheCurrentFrame) {
    struct Case {
        const char *name;
        bool page;
    } cases[] = {{"ID=1 TITLE=\"Dialog\"", false},
                 {"TABPAGE=T ID=1", true},
                 {"FORMPAGE=TRUE ID=2", true},
                 {"SIDEBAR=T ID=3", false},
                 {"FORMPAGE=F TABPAGE=F ID=4", false}};
    OpenToolDialog();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const UniqueID_t frame = AddFrame(c.name);
        std::string error;
        ASSERT_TRUE(host().pickFrame(frame, &error)) << error;
        host().runIdle();
        EXPECT_EQ(ButtonSensitive("Pop next dialog or tab page"), c.page);
        EXPECT_EQ(ItemSensitive({"Layout", "Form/Tab", "Pop Next Page"}), c.page);
    }
}

TEST_F(Sensitivity, TheIdleUpdateShowsNoMessage) {
    // An unrecognised page flag and more picks than can be collected are
    // reported by the commands, never by the idle update.
    AddFrame("ID=1 FORMPAGE=maybe TABPAGE=perhaps");
    std::vector<Text_ID> texts;
    for (int i = 0; i < 300; ++i)
        texts.push_back(AddText("t" + std::to_string(i), TextBox_None, "", 1 + i % 90, 50));
    OpenToolDialog();
    for (size_t i = 0; i < texts.size(); ++i)
        Pick(texts[i], i > 0);
    host().runIdle();
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
    EXPECT_TRUE(ButtonSensitive("Space Evenly Vertically"));
    EXPECT_FALSE(ButtonSensitive("Pop next dialog or tab page"));
}

TEST_F(Sensitivity, IsPlainDialogFrameReadsFormPageThenTabPage) {
    struct Case {
        const char *name;
        bool plain;
        const char *warning; // key named by the not-recognised warning, or null
    } cases[] = {
        {"ID=1 TITLE=\"Dialog\"", true, nullptr},
        {"FORMPAGE=T", false, nullptr},
        {"TABPAGE=yes", false, nullptr},
        {"FORMPAGE=F TABPAGE=F", true, nullptr},
        {"FORMPAGE=maybe", true, "FORMPAGE"},
        {"FORMPAGE=maybe TABPAGE=T", false, "FORMPAGE"},
        {"TABPAGE=perhaps", true, "TABPAGE"},
        {"TITLE=\"FORMPAGE=T\"", true, nullptr}, // inside a quoted title
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        host().clearMessages();
        EXPECT_EQ(IsPlainDialogFrame(c.name), c.plain);
        if (c.warning) {
            ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
            EXPECT_EQ(host().messages()[0].boxType, MessageBox_Warning);
            EXPECT_EQ(host().messages()[0].text,
                      std::string("Value for dialog parameter ") + c.warning +
                          " not recognized. Must be \"TRUE\" or \"FALSE\"");
        } else {
            EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
        }
        host().clearMessages();
        EXPECT_EQ(IsPlainDialogFrame(c.name, false), c.plain);
        EXPECT_TRUE(host().messages().empty());
    }
    EXPECT_TRUE(IsPlainDialogFrame(nullptr, true));
}

TEST_F(Sensitivity, CollectPickedTakesAtMost255) {
    AddFrame("ID=1");
    std::vector<Text_ID> texts;
    for (int i = 0; i < 300; ++i)
        texts.push_back(AddText("t" + std::to_string(i)));
    struct Case {
        int picks;
        int collected;
        bool reported;
    } cases[] = {{254, 254, false}, {255, 255, false}, {256, 255, true}, {300, 255, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.picks);
        host().clearPicks();
        for (int i = 0; i < c.picks; ++i)
            Pick(texts[static_cast<size_t>(i)], i > 0);
        host().clearMessages();
        int count = -1;
        CollectPicked(count, PickedObjects, true);
        EXPECT_EQ(count, c.collected);
        EXPECT_EQ(PickedObjects[0].Text, texts[0]);
        EXPECT_EQ(PickedObjects[count - 1].Text, texts[static_cast<size_t>(count - 1)]);
        if (c.reported) {
            ASSERT_EQ(host().messages().size(), 1u);
            EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
            EXPECT_EQ(host().messages()[0].text, "Maximum number of picked objects exceeded");
        } else {
            EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
        }
        host().clearMessages();
        CollectPicked(count, PickedObjects, false);
        EXPECT_EQ(count, c.collected);
        EXPECT_TRUE(host().messages().empty());
    }
}

TEST_F(Sensitivity, CollectPickedKeepsUsableObjectsInPickOrder) {
    AddFrame("ID=1");
    const Text_ID text = AddText("label");
    const Text_ID tilted = AddText("tilted", TextBox_None, "", 50, 50, 0.5);
    quorvin::host::GeomSpec rect;
    rect.type = GeomType_Rectangle;
    rect.x = 10;
    rect.y = 80;
    rect.width = 20;
    rect.height = 10;
    const Geom_ID rectangle = host().addGeom(rect);
    quorvin::host::GeomSpec seg;
    seg.type = GeomType_LineSegs;
    seg.polylines = {{{0, 0}, {10, 0}}};
    const Geom_ID separator = host().addGeom(seg);
    quorvin::host::GeomSpec two = seg;
    two.polylines = {{{0, 0}, {10, 0}}, {{0, 5}, {10, 5}}};
    const Geom_ID twoLines = host().addGeom(two);

    std::string error;
    ASSERT_TRUE(host().pickGeom(separator, false, &error)) << error;
    Pick(tilted, true);
    ASSERT_TRUE(host().pickGeom(twoLines, true, &error)) << error;
    Pick(text, true);
    ASSERT_TRUE(host().pickGeom(rectangle, true, &error)) << error;

    int count = 0;
    CollectPicked(count, PickedObjects, true);
    ASSERT_EQ(count, 3);
    EXPECT_FALSE(PickedObjects[0].IsText);
    EXPECT_EQ(PickedObjects[0].Geom, separator);
    EXPECT_TRUE(PickedObjects[1].IsText);
    EXPECT_EQ(PickedObjects[1].Text, text);
    EXPECT_EQ(PickedObjects[2].Geom, rectangle);
}

TEST(CommandWanted, PageAndArrangeRules) {
    ToolSelection none;
    ToolSelection tabWithPages;
    tabWithPages.picked = 1;
    tabWithPages.tabControl = true;
    tabWithPages.hasPages = true;
    ToolSelection onPage;
    onPage.onPage = true;
    EXPECT_FALSE(CommandWanted(Command::InsertTabPage, none));
    EXPECT_TRUE(CommandWanted(Command::InsertTabPage, tabWithPages));
    EXPECT_FALSE(CommandWanted(Command::InsertFormPage, tabWithPages));
    EXPECT_TRUE(CommandWanted(Command::ResizePages, tabWithPages));
    EXPECT_TRUE(CommandWanted(Command::CenterHorizontally, tabWithPages));
    EXPECT_FALSE(CommandWanted(Command::AlignHorzCenter, tabWithPages));
    EXPECT_TRUE(CommandWanted(Command::PopNextPage, onPage));
    EXPECT_FALSE(CommandWanted(Command::PopNextPage, none));
    // Commands that need no selection are always wanted.
    for (Command c : {Command::InsertModalDialog, Command::InsertLabel, Command::Build,
                      Command::Options, Command::Preview, Command::UpgradeControls})
        EXPECT_TRUE(CommandWanted(c, none)) << CommandName(c);
}

} // namespace
} // namespace qgbtest
