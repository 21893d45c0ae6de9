// Dialog, sidebar, page and group frames; resizing and cycling pages.
#include "CommandsFixture.h"

#include "model/Kinds.h"
#include "model/Parameters.h"

namespace qgbtest {
namespace {

using quorvin::host::Frame;

class InsertContainersTest : public CommandsTest {
  protected:
    // A dialog frame with a tab (or form) control text of the group, picked.
    Text_ID AddPickedGroupControl(const char *prefix, int group, UniqueID_t *dialog = nullptr) {
        const UniqueID_t frame = AddFrame("ID=1 TITLE=\"Host\"");
        if (dialog)
            *dialog = frame;
        TextSpec spec;
        spec.string = std::string(prefix) + "Group=" + std::to_string(group) + "  \n\n\n\n\n";
        spec.command = "VarName=TAB1";
        spec.boxType = TextBox_Filled;
        spec.margin = 45;
        spec.height = 16;
        Text_ID text = host().addText(spec);
        Pick(text);
        return text;
    }

    // Paper size of a text's box, from the host's documented metrics:
    // corners come in screen pixels, 96 to the inch.
    void BoxPaperSize(Text_ID text, double &width, double &height) {
        double x[4], y[4];
        QorUtilTextBoxGetPosition(text, &x[0], &y[0], &x[1], &y[1], &x[2], &y[2], &x[3], &y[3]);
        width = std::fabs(x[2] - x[0]) / 96.0;
        height = std::fabs(y[0] - y[2]) / 96.0;
    }
};

TEST_F(InsertContainersTest, ModalDialogTakesTheFirstFreeIdAndItsFrameLayout) {
    AddFrame("ID=1 TITLE=\"A\"");
    AddFrame("ID=3 TITLE=\"B\"");
    AddFrame("ID=2 TITLE=\"S\" SIDEBAR=T"); // sidebars are counted apart
    Run(qb::InsertModalDialog);

    const Frame &frame = Current();
    EXPECT_EQ(frame.spec.name, "ID=2 TITLE=\"Untitled\" MODE=MODAL OKCLOSEBUTTON=T "
                               "APPLYBUTTON=F CANCELBUTTON=T HELPBUTTON=T");
    EXPECT_DOUBLE_EQ(frame.spec.x, 4.4);
    EXPECT_DOUBLE_EQ(frame.spec.y, 0.7);
    EXPECT_DOUBLE_EQ(frame.spec.width, 4.5);
    EXPECT_DOUBLE_EQ(frame.spec.height, 5.5);
    EXPECT_FALSE(frame.spec.showHeader);
    EXPECT_EQ(host().frames().size(), 4u);
    EXPECT_TRUE(MessageTexts().empty()) << DescribeMessages();
}

TEST_F(InsertContainersTest, ModelessDialogNameAndPagesCountAsDialogs) {
    // Every frame that is not a sidebar takes part in the dialog numbering.
    AddFrame("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", 3, 0.7, 2, 2, 1, true);
    Run(qb::InsertModelessDialog);
    EXPECT_EQ(Current().spec.name, "ID=2 TITLE=\"Untitled\" MODE=MODELESS OKCLOSEBUTTON=T "
                                   "HELPBUTTON=T");
}

TEST_F(InsertContainersTest, FirstDialogOfAnEmptyWorkspaceIsOne) {
    Run(qb::InsertModalDialog);
    ASSERT_EQ(host().frames().size(), 1u);
    EXPECT_EQ(qb::GetFrameId(Current().spec.name.c_str()), 1);
}

TEST_F(InsertContainersTest, SidebarsAreNumberedApartFromDialogs) {
    AddFrame("ID=1 TITLE=\"S\" SIDEBAR=T");
    AddFrame("ID=1 TITLE=\"A\"");
    AddFrame("ID=2 TITLE=\"B\"");
    Run(qb::InsertSidebar);

    const Frame &frame = Current();
    EXPECT_EQ(frame.spec.name, "ID=2 TITLE=\"Sidebar\" SIDEBAR=T");
    EXPECT_DOUBLE_EQ(frame.spec.x, 0.4);
    EXPECT_DOUBLE_EQ(frame.spec.y, 0.2);
    EXPECT_DOUBLE_EQ(frame.spec.width, 2.3);
    EXPECT_DOUBLE_EQ(frame.spec.height, 7.5);
    EXPECT_FALSE(frame.spec.showHeader);
    EXPECT_EQ(qb::GetFrameKind(frame.spec.name.c_str()), qb::Sidebar);
}

TEST_F(InsertContainersTest, DialogAndSidebarBackgrounds) {
    // The host numbers the custom colours after the eight basic ones:
    // CUSTOM2 is 9.
    Run(qb::InsertModalDialog);
    EXPECT_EQ(Current().spec.backgroundColor, 9);
    Run(qb::InsertSidebar);
    EXPECT_EQ(Current().spec.backgroundColor, Cyan_C);
}

TEST_F(InsertContainersTest, GroupFrameIsARectangleInFrameCoordinates) {
    AddFrame("ID=1 TITLE=\"A\"");
    Run(qb::InsertGroupFrame);
    ASSERT_EQ(Current().geoms.size(), 1u);
    const GeomSpec &rect = Current().geoms[0].spec;
    EXPECT_EQ(rect.type, GeomType_Rectangle);
    EXPECT_EQ(rect.coordSys, CoordSys_Frame);
    EXPECT_DOUBLE_EQ(rect.x, 25);
    EXPECT_DOUBLE_EQ(rect.y, 25);
    EXPECT_DOUBLE_EQ(rect.width, 25);
    EXPECT_DOUBLE_EQ(rect.height, 25);
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

TEST_F(InsertContainersTest, TabPagesCountIdsAndPositions) {
    UniqueID_t dialog = 0;
    Text_ID tab = AddPickedGroupControl("TAB:", 4, &dialog);
    double width = 0, height = 0;
    BoxPaperSize(tab, width, height);

    for (int page = 1; page <= 3; ++page) {
        MakeCurrent(dialog);
        Pick(tab);
        Run(qb::InsertPage);
        const Frame &frame = Current();
        const std::string n = std::to_string(page);
        EXPECT_EQ(frame.spec.name, "TABPAGE=T ID=" + n + " POS=" + n + " TITLE=\"Page " + n + "\"");
        EXPECT_EQ(frame.spec.linkGroup, 4);
        EXPECT_TRUE(frame.spec.linkSizeAndPosition);
        EXPECT_FALSE(frame.spec.showHeader);
        EXPECT_EQ(frame.spec.backgroundColor, qb::BuilderSettings.TabPageColor);
        EXPECT_DOUBLE_EQ(frame.spec.x, 3.0);
        EXPECT_DOUBLE_EQ(frame.spec.y, 0.7);
        EXPECT_NEAR(frame.spec.width, width, 1e-9);
        EXPECT_NEAR(frame.spec.height, height, 1e-9);
        EXPECT_EQ(qb::GetFrameKind(frame.spec.name.c_str()), qb::TabPage);
    }
    EXPECT_EQ(host().frames().size(), 4u);
}

TEST_F(InsertContainersTest, PagePositionFollowsTheLargestPosOfTheGroup) {
    UniqueID_t dialog = 0;
    Text_ID tab = AddPickedGroupControl("TAB:", 2, &dialog);
    AddFrame("TABPAGE=T ID=7 POS=5 TITLE=\"x\"", 3, 0.7, 2, 2, 2, true);
    AddFrame("TABPAGE=T ID=9", 3, 0.7, 2, 2, 2, true);        // no POS counts as 0
    AddFrame("TABPAGE=T ID=20 POS=9", 3, 0.7, 2, 2, 3, true); // another group
    MakeCurrent(dialog);
    Pick(tab);
    Run(qb::InsertPage);
    EXPECT_EQ(Current().spec.name, "TABPAGE=T ID=10 POS=6 TITLE=\"Page 6\"");
}

TEST_F(InsertContainersTest, FormPagesNeverGetPosOrTitle) {
    UniqueID_t dialog = 0;
    Text_ID form = AddPickedGroupControl("FM:", 1, &dialog);
    Run(qb::InsertPage);
    EXPECT_EQ(Current().spec.name, "FORMPAGE=T ID=1");
    EXPECT_EQ(Current().spec.backgroundColor, qb::BuilderSettings.FormPageColor);
    EXPECT_EQ(qb::GetFrameKind(Current().spec.name.c_str()), qb::FormPage);
    MakeCurrent(dialog);
    Pick(form);
    Run(qb::InsertPage);
    EXPECT_EQ(Current().spec.name, "FORMPAGE=T ID=2");
    EXPECT_EQ(Current().spec.linkGroup, 1);
}

TEST_F(InsertContainersTest, PageOfTheFirstPickedTabOrFormInPickOrder) {
    const UniqueID_t dialog = AddFrame("ID=1 TITLE=\"Host\"");
    Text_ID label = AddLabel("Label", 10, 10);
    TextSpec spec;
    spec.boxType = TextBox_Filled;
    spec.command = "VarName=F";
    spec.string = "FM:Group=6  \n";
    Text_ID form = host().addText(spec);
    spec.string = "TAB:Group=5  \n";
    Text_ID tab = host().addText(spec);
    Pick(label);
    Pick(form, true);
    Pick(tab, true);
    Run(qb::InsertPage);
    EXPECT_EQ(Current().spec.name, "FORMPAGE=T ID=1");
    EXPECT_EQ(Current().spec.linkGroup, 6);
    (void)dialog;
}

TEST_F(InsertContainersTest, NoPickedTabOrFormCreatesNothing) {
    AddFrame("ID=1 TITLE=\"Host\"");
    Pick(AddLabel("Label", 10, 10));
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
    ASSERT_EQ(host().messages().size(), 1u);
    EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
    EXPECT_EQ(host().messages()[0].text, "No form or tab control selected");
}

TEST_F(InsertContainersTest, DecliningTheResizeChangesNothing) {
    UniqueID_t dialog = 0;
    Text_ID tab = AddPickedGroupControl("TAB:", 1, &dialog);
    const UniqueID_t page = AddFrame("TABPAGE=T ID=1 POS=1", 3, 0.7, 2, 2, 1, true);
    MakeCurrent(dialog);
    Pick(tab);
    const std::vector<std::string> before = FrameNames();
    host().queueAnswer(false);
    Run(qb::ResizePages);
    ASSERT_EQ(host().messages().size(), 1u);
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_YesNo);
    EXPECT_EQ(host().messages()[0].text,
              "Resize all linked group dialogs to match the size of the selected tab control?");
    EXPECT_DOUBLE_EQ(host().findFrame(page)->spec.width, 2);
    EXPECT_DOUBLE_EQ(host().findFrame(page)->spec.height, 2);
    EXPECT_EQ(FrameNames(), before);
}

TEST_F(InsertContainersTest, ResizeGivesEveryPageOfTheGroupTheControlSize) {
    UniqueID_t dialog = 0;
    Text_ID form = AddPickedGroupControl("FM:", 2, &dialog);
    const UniqueID_t page1 = AddFrame("FORMPAGE=T ID=1", 3, 0.7, 2, 2, 2, true);
    const UniqueID_t page2 = AddFrame("FORMPAGE=T ID=2", 3, 0.7, 2, 2, 2, true);
    const UniqueID_t other = AddFrame("FORMPAGE=T ID=1", 5, 1.5, 2, 2, 3, true);
    MakeCurrent(dialog);
    Pick(form);
    const std::vector<std::string> before = FrameNames();
    double width = 0, height = 0;
    BoxPaperSize(form, width, height);

    host().queueAnswer(true);
    Run(qb::ResizePages);
    EXPECT_EQ(host().messages()[0].text,
              "Resize all linked group dialogs to match the size of the selected form control?");
    for (UniqueID_t page : {page1, page2}) {
        const FrameSpec &spec = host().findFrame(page)->spec;
        EXPECT_NEAR(spec.width, width, 1e-9);
        EXPECT_NEAR(spec.height, height, 1e-9);
        EXPECT_DOUBLE_EQ(spec.x, 3);
        EXPECT_DOUBLE_EQ(spec.y, 0.7);
    }
    EXPECT_DOUBLE_EQ(host().findFrame(other)->spec.width, 2);
    // Every frame was visited once: the stack is as it was.
    EXPECT_EQ(FrameNames(), before);
    EXPECT_EQ(Current().uniqueId, dialog);
}

TEST_F(InsertContainersTest, PopNextPageCyclesThroughTheGroup) {
    const UniqueID_t a = AddFrame("TABPAGE=T ID=1 POS=1", 3, 0.7, 2, 2, 1, true);
    AddFrame("ID=1 TITLE=\"D\"");
    const UniqueID_t b = AddFrame("TABPAGE=T ID=2 POS=2", 3, 0.7, 2, 2, 1, true);
    AddFrame("TABPAGE=T ID=1 POS=1", 3, 0.7, 2, 2, 2, true);
    const UniqueID_t c = AddFrame("TABPAGE=T ID=3 POS=3", 3, 0.7, 2, 2, 1, true);

    std::vector<UniqueID_t> seen;
    for (int i = 0; i < 4; ++i) {
        Run(qb::PopNextPage);
        seen.push_back(Current().uniqueId);
    }
    EXPECT_EQ(seen, (std::vector<UniqueID_t>{a, b, c, a}));
}

TEST_F(InsertContainersTest, PopNextPageOnTheOnlyPageKeepsIt) {
    AddFrame("ID=1 TITLE=\"D\"");
    const UniqueID_t page = AddFrame("FORMPAGE=T ID=1", 3, 0.7, 2, 2, 5, true);
    const std::vector<std::string> before = FrameNames();
    Run(qb::PopNextPage);
    EXPECT_EQ(Current().uniqueId, page);
    EXPECT_EQ(FrameNames(), before);
}

} // namespace
} // namespace qgbtest
