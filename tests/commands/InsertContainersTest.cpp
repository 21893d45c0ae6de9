// Dialog, sidebar, page and group frames; resizing and cycling pages.
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

using quorvin::host::Frame;

// The box of a group control text (AddGroupControl: 16 points, margin 45 %,
// 6 lines, the widest "TAB:Group=N  " of 13 glyphs or "FM:Group=N  " of 12)
// in paper inches, from the host's text metrics: H = 16/72, width
// glyphs × H/2 + 0.9 H, height 6 H + 0.9 H.
constexpr double kH = 16.0 / 72;
constexpr double kTabBoxWidth = 7.4 * kH, kFormBoxWidth = 6.9 * kH, kBoxHeight = 6.9 * kH;

class InsertContainersTest : public CommandsTest {
  protected:
    // A dialog frame holding a picked tab or form control of the group.
    Text_ID AddPickedGroupControl(const char *prefix, int group, UniqueID_t *dialog = nullptr) {
        const UniqueID_t frame = AddFrame("ID=1 TITLE=\"Host\"");
        if (dialog)
            *dialog = frame;
        Text_ID text = AddGroupControl(prefix, group);
        Pick(text);
        return text;
    }
    void RePick(UniqueID_t dialog, Text_ID control) {
        MakeCurrent(dialog);
        Pick(control);
    }
};

TEST_F(InsertContainersTest, DialogAndSidebarFramesTakeTheFirstFreeIdOfTheirSort) {
    const std::string modal =
        " MODE=MODAL OKCLOSEBUTTON=T APPLYBUTTON=F CANCELBUTTON=T HELPBUTTON=T";
    struct Place {
        double x, y, width, height; // paper inches
    };
    const Place dialog{4.4, 0.7, 4.5, 5.5}, sidebar{0.4, 0.2, 2.3, 7.5};
    struct Case {
        std::vector<std::string> existing;
        void (*command)();
        std::string name;
        Place place;
        ColorIndex_t background; // CUSTOM2 is 9: custom colours follow the eight basic ones
    };
    // clang-format off
    const Case cases[] = {
        {{}, qb::InsertModalDialog, "ID=1 TITLE=\"Untitled\"" + modal, dialog, 9},
        // 1 and 3 give 2; sidebars are numbered apart.
        {{"ID=1 TITLE=\"A\"", "ID=3 TITLE=\"B\"", "ID=2 TITLE=\"S\" SIDEBAR=T"},
         qb::InsertModalDialog, "ID=2 TITLE=\"Untitled\"" + modal, dialog, 9},
        // Pages take part in the dialog numbering.
        {{"TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\""}, qb::InsertModelessDialog,
         "ID=2 TITLE=\"Untitled\" MODE=MODELESS OKCLOSEBUTTON=T HELPBUTTON=T", dialog, 9},
        {{"ID=1 TITLE=\"S\" SIDEBAR=T", "ID=1 TITLE=\"A\"", "ID=2 TITLE=\"B\""},
         qb::InsertSidebar, "ID=2 TITLE=\"Sidebar\" SIDEBAR=T", sidebar, Cyan_C},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FreshWorkspace();
        for (const std::string &name : c.existing)
            AddFrame(name);
        Run(c.command);
        ASSERT_EQ(host().frames().size(), c.existing.size() + 1);
        const FrameSpec &frame = Current().spec;
        EXPECT_EQ(frame.name, c.name);
        EXPECT_EQ(std::vector<double>({frame.x, frame.y, frame.width, frame.height}),
                  std::vector<double>({c.place.x, c.place.y, c.place.width, c.place.height}));
        EXPECT_FALSE(frame.showHeader);
        EXPECT_EQ(frame.backgroundColor, c.background);
        EXPECT_TRUE(MessageTexts().empty()) << DescribeMessages();
    }
}

TEST_F(InsertContainersTest, GroupFrameIsARectangleInFrameCoordinates) {
    AddFrame("ID=1 TITLE=\"A\"");
    Run(qb::InsertGroupFrame);
    ASSERT_EQ(Current().geoms.size(), 1u);
    const GeomSpec &rect = Current().geoms[0].spec;
    EXPECT_EQ(rect.type, GeomType_Rectangle);
    EXPECT_EQ(rect.coordSys, CoordSys_Frame);
    EXPECT_EQ(std::vector<double>({rect.x, rect.y, rect.width, rect.height}),
              std::vector<double>({25, 25, 25, 25}));
    EXPECT_EQ(rect.command, "New Frame");
}

TEST_F(InsertContainersTest, EmptyWorkspaceRefusesControlsClearly) {
    Run(qb::InsertGroupFrame);
    Run(qb::InsertTextField);
    Run(qb::InsertTab);
    EXPECT_TRUE(host().frames().empty());
    ASSERT_EQ(host().messages().size(), 3u) << DescribeMessages();
    for (const Message &m : host().messages()) {
        EXPECT_EQ(m.call, Message::Call::ErrMsg);
        EXPECT_NE(m.text.find("no frame"), std::string::npos) << m.text;
    }
}

// Tab pages count ID and POS and are titled "Page n"; form pages never get
// POS or TITLE. Every page is linked to the control's group, at the page
// place with the size of the control's box, without header, in its colour.
TEST_F(InsertContainersTest, PagesOfTabsAndForms) {
    struct Case {
        const char *prefix;
        int group;
        std::vector<std::string> names;
        double width;
        ColorIndex_t background;
    };
    const Case cases[] = {
        {"TAB:",
         4,
         {"TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", "TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\"",
          "TABPAGE=T ID=3 POS=3 TITLE=\"Page 3\""},
         kTabBoxWidth,
         qb::BuilderSettings.TabPageColor},
        {"FM:",
         1,
         {"FORMPAGE=T ID=1", "FORMPAGE=T ID=2"},
         kFormBoxWidth,
         qb::BuilderSettings.FormPageColor},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.prefix);
        FreshWorkspace();
        UniqueID_t dialog = 0;
        Text_ID control = AddPickedGroupControl(c.prefix, c.group, &dialog);
        for (const std::string &name : c.names) {
            RePick(dialog, control);
            Run(qb::InsertPage);
            const FrameSpec &frame = Current().spec;
            EXPECT_EQ(frame.name, name);
            EXPECT_EQ(frame.linkGroup, c.group);
            EXPECT_TRUE(frame.linkSizeAndPosition);
            EXPECT_FALSE(frame.showHeader);
            EXPECT_EQ(frame.backgroundColor, c.background);
            EXPECT_DOUBLE_EQ(frame.x, 3.0);
            EXPECT_DOUBLE_EQ(frame.y, 0.7);
            EXPECT_NEAR(frame.width, c.width, 1e-9);
            EXPECT_NEAR(frame.height, kBoxHeight, 1e-9);
        }
        EXPECT_EQ(host().frames().size(), c.names.size() + 1);
    }
}

TEST_F(InsertContainersTest, PageOfTheFirstPickedTabOrFormInPickOrder) {
    AddFrame("ID=1 TITLE=\"Host\"");
    Text_ID label = AddText("Label", 10, 10);
    Text_ID form = AddGroupControl("FM:", 6);
    Text_ID tab = AddGroupControl("TAB:", 5);
    Pick(label);
    Pick(form, true);
    Pick(tab, true);
    Run(qb::InsertPage);
    EXPECT_EQ(Current().spec.name, "FORMPAGE=T ID=1");
    EXPECT_EQ(Current().spec.linkGroup, 6);
}

TEST_F(InsertContainersTest, NoPickedTabOrFormCreatesNothingSilently) {
    AddFrame("ID=1 TITLE=\"Host\"");
    Pick(AddText("Label", 10, 10));
    Run(qb::InsertPage);
    EXPECT_EQ(host().frames().size(), 1u);
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(InsertContainersTest, GroupOutsideTheLinkingRangeIsRefused) {
    AddPickedGroupControl("TAB:", 40);
    Run(qb::InsertPage);
    EXPECT_EQ(host().frames().size(), 1u);
    ASSERT_EQ(host().messages().size(), 1u);
    EXPECT_NE(host().messages()[0].text.find("group 40"), std::string::npos)
        << host().messages()[0].text;
}

TEST_F(InsertContainersTest, ResizeWithoutPickedControlIsAnError) {
    AddFrame("ID=1 TITLE=\"Host\"");
    Run(qb::ResizePages);
    ExpectOnlyMessage(Message::Call::ErrMsg, "No form or tab control selected");
}

TEST_F(InsertContainersTest, ResizeAsksThenGivesEveryPageOfTheGroupTheControlSize) {
    struct Case {
        const char *prefix, *word;
        double boxWidth;
    };
    for (const Case &c : {Case{"TAB:", "tab", kTabBoxWidth}, Case{"FM:", "form", kFormBoxWidth}}) {
        SCOPED_TRACE(c.word);
        FreshWorkspace();
        UniqueID_t dialog = 0;
        Text_ID control = AddPickedGroupControl(c.prefix, 2, &dialog);
        const UniqueID_t page1 = AddPage("FORMPAGE=T ID=1", 2);
        const UniqueID_t page2 = AddPage("FORMPAGE=T ID=2", 2);
        const UniqueID_t other = AddPage("FORMPAGE=T ID=1", 3);
        RePick(dialog, control);
        const std::vector<std::string> before = FrameNames();

        host().queueAnswer(false);
        Run(qb::ResizePages);
        ASSERT_EQ(host().messages().size(), 1u);
        EXPECT_EQ(host().messages()[0].boxType, MessageBox_YesNo);
        EXPECT_EQ(host().messages()[0].text, std::string("Resize all linked group dialogs to "
                                                         "match the size of the selected ") +
                                                 c.word + " control?");
        EXPECT_DOUBLE_EQ(host().findFrame(page1)->spec.width, 2);

        host().queueAnswer(true);
        Run(qb::ResizePages);
        for (UniqueID_t page : {page1, page2}) {
            const FrameSpec &spec = host().findFrame(page)->spec;
            EXPECT_NEAR(spec.width, c.boxWidth, 1e-9);
            EXPECT_NEAR(spec.height, kBoxHeight, 1e-9);
            EXPECT_DOUBLE_EQ(spec.x, 3);
            EXPECT_DOUBLE_EQ(spec.y, 0.7);
        }
        EXPECT_DOUBLE_EQ(host().findFrame(other)->spec.width, 2);
        // Every frame was visited once: the stack is as it was.
        EXPECT_EQ(FrameNames(), before);
        EXPECT_EQ(Current().uniqueId, dialog);
    }
}

TEST_F(InsertContainersTest, PopNextPageCyclesThroughTheGroup) {
    const UniqueID_t a = AddPage("TABPAGE=T ID=1 POS=1", 1);
    AddFrame("ID=1 TITLE=\"D\"");
    const UniqueID_t b = AddPage("TABPAGE=T ID=2 POS=2", 1);
    AddPage("TABPAGE=T ID=1 POS=1", 2);
    const UniqueID_t c = AddPage("TABPAGE=T ID=3 POS=3", 1);
    std::vector<UniqueID_t> seen;
    for (int i = 0; i < 4; ++i) {
        Run(qb::PopNextPage);
        seen.push_back(Current().uniqueId);
    }
    EXPECT_EQ(seen, (std::vector<UniqueID_t>{a, b, c, a}));

    // The only page of its group stays where it is.
    const UniqueID_t only = AddPage("FORMPAGE=T ID=1", 5);
    const std::vector<std::string> before = FrameNames();
    Run(qb::PopNextPage);
    EXPECT_EQ(Current().uniqueId, only);
    EXPECT_EQ(FrameNames(), before);
}

} // namespace
} // namespace qgbtest
