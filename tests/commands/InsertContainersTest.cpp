// Dialog, sidebar, page and group frames; resizing and cycling pages.
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

class InsertContainersTest : public CommandsTest {
  protected:
    // A dialog frame holding a picked tab or form control of the group.
    UniqueID_t AddPickedGroupControl(const char *prefix, int group) {
        const UniqueID_t frame = AddFrame("ID=1 TITLE=\"Host\"");
        Pick(AddGroupControl(prefix, group));
        return frame;
    }
    // The tab or form control picked again in its dialog.
    void RePick(UniqueID_t dialog) {
        MakeCurrent(dialog);
        Pick(TextHandle(Current().texts.back()));
    }
};

// Dialog and sidebar frames take the first free ID of their sort (pages
// take part in the dialog numbering), group frames are rectangles; tab
// pages count ID and POS and are titled "Page n", form pages never get POS
// or TITLE, and every page is linked to its control's group at the page
// place, with the size of the control's box. The golden file shows each
// case's workspace afterwards.
TEST_F(InsertContainersTest, DialogsPagesAndGroupFrames) {
    auto frames = [this](std::vector<std::string> names, void (*command)()) {
        for (const std::string &name : names)
            AddFrame(name);
        Run(command);
    };
    auto pages = [this](const char *prefix, int group, int count) {
        const UniqueID_t dialog = AddPickedGroupControl(prefix, group);
        for (int i = 0; i < count; ++i) {
            RePick(dialog);
            Run(qb::InsertPage);
        }
    };
    auto resize = [this](const char *prefix, bool answer) {
        const UniqueID_t dialog = AddPickedGroupControl(prefix, 2);
        AddPage("FORMPAGE=T ID=1", 2);
        AddPage("FORMPAGE=T ID=2", 2);
        AddPage("FORMPAGE=T ID=1", 3);
        RePick(dialog);
        host().queueAnswer(answer);
        Run(qb::ResizePages);
    };
    const Cases cases = {
        {"modal dialog", [&] { frames({}, qb::InsertModalDialog); }},
        {"1 and 3 give 2; sidebars are numbered apart",
         [&] {
             frames({"ID=1 TITLE=\"A\"", "ID=3 TITLE=\"B\"", "ID=2 TITLE=\"S\" SIDEBAR=T"},
                    qb::InsertModalDialog);
         }},
        {"modeless dialog after a page",
         [&] { frames({"TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\""}, qb::InsertModelessDialog); }},
        {"sidebar",
         [&] {
             frames({"ID=1 TITLE=\"S\" SIDEBAR=T", "ID=1 TITLE=\"A\"", "ID=2 TITLE=\"B\""},
                    qb::InsertSidebar);
         }},
        {"group frame", [&] { frames({"ID=1 TITLE=\"A\""}, qb::InsertGroupFrame); }},
        {"an empty workspace refuses controls",
         [&] {
             for (auto command : {qb::InsertGroupFrame, qb::InsertTextField, qb::InsertTab})
                 Run(command);
         }},
        {"three tab pages", [&] { pages("TAB:", 4, 3); }},
        {"two form pages", [&] { pages("FM:", 1, 2); }},
        {"the page of the first picked tab or form in pick order",
         [&] {
             AddFrame("ID=1 TITLE=\"Host\"");
             Pick(AddText("Label", 10, 10));
             Pick(AddGroupControl("FM:", 6), true);
             Pick(AddGroupControl("TAB:", 5), true);
             Run(qb::InsertPage);
         }},
        {"no picked tab or form: nothing, silently",
         [&] {
             AddFrame("ID=1 TITLE=\"Host\"");
             Pick(AddText("Label", 10, 10));
             Run(qb::InsertPage);
         }},
        {"a group outside the linking range", [&] { pages("TAB:", 40, 1); }},
        {"resizing without a picked control",
         [&] {
             AddFrame("ID=1 TITLE=\"Host\"");
             Run(qb::ResizePages);
         }},
        // Every frame is visited once: the stack stays as it was.
        {"resizing the pages of a tab, declined", [&] { resize("TAB:", false); }},
        {"resizing the pages of a tab", [&] { resize("TAB:", true); }},
        {"resizing the pages of a form", [&] { resize("FM:", true); }},
    };
    ExpectCasesGolden("golden/commands/insert-containers.txt", cases, false);
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
    AddPage("FORMPAGE=T ID=1", 5);
    const std::string before = Describe();
    Run(qb::PopNextPage);
    EXPECT_EQ(Describe(), before);
}

} // namespace
} // namespace qgbtest
