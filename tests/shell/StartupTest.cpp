// Start-up on new and old hosts, quitting, and a second start in one process.
#include "ShellFixture.h"

#include <iterator>
#include <sstream>

using namespace quorvin::builder;
using quorvin::host::Message;

namespace qgbtest {
namespace {

class Startup : public ShellFixture {};

// From version 1000300 on the host gets the menu option and the callback,
// the 64 page sets and the build's string list live until quit, exactly one
// idle call is queued (as after a code 6) and no dialog is built yet. Older
// hosts see only the error: registered but inert, nothing of the add-on's
// left allocated, everything freed before the lock is off. The golden file
// shows what each start left and the calls it made in order. A saved layout
// with a "dlb.cfg" beside it is neither read (the settings stay the
// defaults) nor written to.
TEST_F(Startup, OnNewAndOldHosts) {
    const auto dir = TempDir();
    WriteFile(dir / "dlb.cfg", "#!DLB 2022\nLanguage=FORTRAN\nLimitIdentLength=FALSE\n");
    std::string transcript;
    for (int32_t version : {1000300, 1000301, 2000000, 1000299, 999999, 0, -1}) {
        SCOPED_TRACE(version);
        host().reset();
        AddFrame("ID=1 TITLE=\"One\" MODE=MODAL");
        Do(&Host::saveLayout, (dir / "design.lay").string());
        host().recordCalls(true);
        StartAddOn(version);
        host().recordCalls(false);
        std::ostringstream out;
        out << "== host " << version << "\n";
        for (const auto &r : host().registrations())
            out << "registered \"" << r.name << "\" \"" << r.version << "\" base " << r.baseVersion
                << (r.author.empty() ? " no author" : "")
                << (AddOnHandle == r.handle ? "" : " another handle") << "\n";
        for (const auto &o : host().menuOptions())
            out << "menu " << o.menu << ">" << o.label << " " << o.mnemonic << "\n";
        for (const Message &m : host().messages())
            out << "message " << static_cast<int>(m.call) << " " << m.text << "\n";
        int pageSets = 0;
        for (int g = 1; g <= 32; ++g)
            pageSets += (FormPageSet(g) != nullptr) + (TabPageSet(g) != nullptr);
        const int idle = host().runIdle();
        const BuilderSettingsT &s = BuilderSettings;
        out << "callbacks " << host().stateChangeCallbackCount() << ", sets " << host().liveSets()
            << ", string lists " << host().liveStringLists() << ", page sets " << pageSets
            << ", idle calls " << idle << " then " << host().runIdle() << ", dialogs "
            << host().dialogs().size() << (ToolDialog == BADDIALOGID ? "" : " tool dialog") << "\n";
        out << "settings " << s.Language << " " << s.LimitIdentLength << " " << s.MaxIdentLength
            << " " << s.MaxFortranLineLen << " " << s.FormPageColor << " " << s.TabPageColor << " "
            << s.AnchorToPaper << " \"" << s.LayoutFileName << "\", anchors " << AnchorTable.Count
            << " " << AnchorTable.FrameWidth << " " << AnchorTable.FrameHeight << "\n";
        out << "files " << std::distance(std::filesystem::directory_iterator(dir), {}) << "\n";
        for (const std::string &call : host().calls())
            out << "  " << call << "\n";
        transcript += out.str();
        ExpectHostSound("start-up");
        host().quit();
    }
    ExpectGolden("golden/shell/startup.txt", transcript);
}

// Quit lets go of everything (the fixture checks that nothing is live and
// quits once more), nothing reacts afterwards, and a second start in the
// same process starts clean.
TEST_F(Startup, QuitFreesEverythingOnceAndASecondStartStartsClean) {
    StartAddOn();
    OpenToolDialog();
    const size_t controls = host().findDialog(ToolDialog)->controls.size();
    Do(&Host::setToggle, ToolAnchorToggle, true);
    host().runIdle();
    host().quit();
    EXPECT_EQ(FormPageSet(1), nullptr);
    EXPECT_EQ(BuildNameList, nullptr);
    host().sendStateChange(StateChange_PickListChanged);
    EXPECT_EQ(host().runIdle(), 0);

    host().reset();
    StartAddOn();
    EXPECT_EQ(ToolAnchorToggle, BADDIALOGID);
    EXPECT_FALSE(BuilderSettings.AnchorToPaper);
    OpenToolDialog();
    ASSERT_NE(ToolDialog, BADDIALOGID);
    EXPECT_TRUE(host().findDialog(ToolDialog)->up);
    EXPECT_EQ(host().findDialog(ToolDialog)->controls.size(), controls);
    ExpectHostSound("second start");
}

} // namespace
} // namespace qgbtest
