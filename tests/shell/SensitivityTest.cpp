// Which commands of the tool dialog are sensitive, from what is picked and
// which frame is current; collecting the picked objects.
#include "ShellFixture.h"

#include "model/Picked.h"
#include "shell/ToolDialog.h"

#include <functional>

using namespace quorvin::builder;

namespace qgbtest {
namespace {

class Sensitivity : public ShellFixture {
  protected:
    void SetUp() override {
        ShellFixture::SetUp();
        StartAddOn();
    }
    void Pick(Text_ID text, bool add = false) { Do(&Host::pickText, text, add); }
    void PickGeom(Geom_ID geom, bool add) { Do(&Host::pickGeom, geom, add); }
    void PickFrame(UniqueID_t frame) { Do(&Host::pickFrame, frame); }
    Geom_ID AddLines(const std::vector<std::vector<quorvin::host::Point2>> &polylines) {
        return host().addGeom(
            {GeomType_LineSegs, CoordSys_Frame, 0, 0, 0, "", 0, 0, polylines, ""});
    }
    Text_ID AddGroupControl(const char *prefix, int group) {
        return AddText(prefix + ("Group=" + std::to_string(group)) + "  \n\n\n\n\n", TextBox_Filled,
                       "VarName=C");
    }
    // The insensitive buttons (by tool tip) and menu items (by menu path).
    std::string Insensitive() {
        std::string names;
        for (GUIInt_t id : host().findDialog(ToolDialog)->controls) {
            const quorvin::host::GuiControl &c = *host().findControl(id);
            if (!c.sensitive)
                names +=
                    "  " +
                    (c.kind == "MenuItem" ? MenuPath(c.parent) + ">" + c.labels[0] : c.toolTip) +
                    "\n";
        }
        return names;
    }
};

// Each case sets up its own frame and picks; the golden file lists what is
// insensitive after the idle update.
TEST_F(Sensitivity, FollowsThePicksAndTheCurrentFrame) {
    // Tab controls of group 3 have a page; groups 4 and 5 none.
    host().addFrame({"TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", 1, 0.25, 9, 8, 3, true});
    host().addFrame({"FORMPAGE=T ID=1", 1, 0.25, 9, 8, 2, true});
    OpenToolDialog();
    auto texts = [this](int picked) {
        AddFrame("ID=1 TITLE=\"Texts\"");
        const Text_ID t[] = {AddText("one", TextBox_None, "", 20, 20),
                             AddText("two", TextBox_None, "", 40, 40),
                             AddText("three", TextBox_None, "", 60, 60)};
        host().clearPicks();
        for (int i = 0; i < picked; ++i)
            Pick(t[i], i > 0);
    };
    auto frame = [this](const char *name) { PickFrame(AddFrame(name)); };
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"nothing picked", [&] { texts(0); }},
        {"one text", [&] { texts(1); }},
        {"two texts", [&] { texts(2); }},
        {"three texts", [&] { texts(3); }},
        {"rotated texts and bent lines do not count",
         [&] {
             AddFrame("ID=1 TITLE=\"One\"");
             Pick(AddText("plain"));
             Pick(AddText("rotated", TextBox_None, "", 50, 30, 45), true);
             PickGeom(AddLines({{{0, 0}, {5, 0}, {5, 5}}}), true);
         }},
        {"a tab control with pages", [&] { Pick(AddGroupControl("TAB:", 3)); }},
        {"a tab control without pages", [&] { Pick(AddGroupControl("TAB:", 4)); }},
        {"a form control without pages", [&] { Pick(AddGroupControl("FM:", 5)); }},
        {"a tab and a form control",
         [&] {
             Pick(AddGroupControl("TAB:", 3));
             Pick(AddGroupControl("FM:", 5), true);
         }},
        {"a frame holding a tab control with pages",
         [&] {
             const UniqueID_t dialog = AddFrame("ID=2 TITLE=\"Two\"");
             AddGroupControl("TAB:", 3);
             PickFrame(dialog);
         }},
        {"current: a dialog", [&] { frame("ID=1 TITLE=\"Dialog\""); }},
        {"current: a tab page", [&] { frame("TABPAGE=T ID=1"); }},
        {"current: a form page", [&] { frame("FORMPAGE=TRUE ID=2"); }},
        {"current: a sidebar", [&] { frame("SIDEBAR=T ID=3"); }},
        {"current: neither page", [&] { frame("FORMPAGE=F TABPAGE=F ID=4"); }},
        // Unrecognised page flags and too many picks are reported by the
        // commands, never by the idle update.
        {"300 texts picked on a frame with unrecognised page flags",
         [&] {
             AddFrame("ID=1 FORMPAGE=maybe TABPAGE=perhaps");
             for (int i = 0; i < 300; ++i)
                 Pick(AddText("t" + std::to_string(i), TextBox_None, "", 1 + i % 90, 50), i > 0);
         }},
    };
    std::string description;
    for (const auto &[name, setUp] : cases) {
        SCOPED_TRACE(name);
        setUp();
        host().runIdle();
        description += std::string("== ") + name + "\n" + Insensitive();
        ExpectHostSound(name);
    }
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
    ExpectGolden("golden/shell/sensitivity.txt", description);
}

// A new page becomes the current frame: the page commands are sensitive at
// once, before any idle update.
TEST_F(Sensitivity, InsertingAPageUpdatesAtOnce) {
    OpenToolDialog();
    auto sensitive = [this](Command c) {
        return host().findControl(ToolButtons[static_cast<int>(c)])->sensitive;
    };
    for (auto [prefix, page] :
         {std::pair{"TAB:", Command::InsertTabPage}, std::pair{"FM:", Command::InsertFormPage}}) {
        SCOPED_TRACE(prefix);
        AddFrame("ID=1 TITLE=\"Dialog\"");
        Pick(AddGroupControl(prefix, 6));
        host().runIdle();
        ASSERT_FALSE(sensitive(Command::PopNextPage));
        Do(&Host::pressControl, ToolButtons[static_cast<int>(page)]);
        EXPECT_TRUE(sensitive(Command::PopNextPage));
    }
}

// A slightly tilted text and a line of two polylines are left out.
TEST_F(Sensitivity, CollectPickedKeepsUsableObjectsInPickOrder) {
    AddFrame("ID=1");
    const Geom_ID separator = AddLines({{{0, 0}, {10, 0}}});
    PickGeom(separator, false);
    Pick(AddText("tilted", TextBox_None, "", 50, 50, 0.5), true);
    PickGeom(AddLines({{{0, 0}, {10, 0}}, {{0, 5}, {10, 5}}}), true);
    const Text_ID text = AddText("label");
    Pick(text, true);
    int count = 0;
    CollectPicked(count, PickedObjects, true);
    ASSERT_EQ(count, 2);
    EXPECT_TRUE(!PickedObjects[0].IsText && PickedObjects[0].Geom == separator);
    EXPECT_TRUE(PickedObjects[1].IsText && PickedObjects[1].Text == text);
}

} // namespace
} // namespace qgbtest
