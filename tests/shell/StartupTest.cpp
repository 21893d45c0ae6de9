// Start-up on new and old hosts, quitting, and a second start in one process.
#include "ShellFixture.h"

#include "model/Settings.h"
#include "shell/StateChange.h"
#include "shell/Startup.h"
#include "shell/ToolDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorvin::builder;
using quorvin::host::Message;

namespace qgbtest {
namespace {

class Startup : public ShellFixture {};

TEST_F(Startup, HostsFromVersion1000300OnGetTheMenuOptionAndTheCallback) {
    for (int32_t version : {1000300, 1000301, 2000000}) {
        SCOPED_TRACE(version);
        host().reset();
        StartAddOn(version);

        ASSERT_EQ(host().registrations().size(), 1u);
        const auto &r = host().registrations().front();
        EXPECT_EQ(std::vector<std::string>({r.name, r.version}),
                  std::vector<std::string>(
                      {"Quorvin GUI Builder", "2022.2.0.18713 (2022.2.0.18713) Dec  6 2022"}));
        EXPECT_EQ(r.baseVersion, 100);
        EXPECT_FALSE(r.author.empty());
        EXPECT_EQ(AddOnHandle, r.handle);
        ASSERT_EQ(host().menuOptions().size(), 1u);
        const auto &option = host().menuOptions()[0];
        EXPECT_EQ(option.menu + ">" + option.label, "Tools>Quorvin GUI Builder");
        EXPECT_EQ(option.mnemonic, 'B');
        EXPECT_EQ(host().stateChangeCallbackCount(), 1u);
        EXPECT_TRUE(host().messages().empty()) << DescribeMessages();

        // The 64 page sets and the build's string list live until quit.
        EXPECT_EQ(host().liveSets(), 64u);
        EXPECT_EQ(host().liveStringLists(), 1u);
        for (int g = 1; g <= 32; ++g)
            EXPECT_TRUE(FormPageSet(g) && TabPageSet(g)) << g;
        // Start-up behaves as after a code 6: exactly one idle call queued.
        EXPECT_EQ(host().runIdle(), 1);
        EXPECT_EQ(host().runIdle(), 0);
        // The tool dialog is built only when the menu option is chosen.
        EXPECT_EQ(ToolDialog, BADDIALOGID);
        EXPECT_TRUE(host().dialogs().empty());
        // Settings and the anchor table at their first values.
        const BuilderSettingsT &s = BuilderSettings;
        EXPECT_EQ(
            std::vector<int>({s.Language, s.LimitIdentLength, s.MaxIdentLength, s.MaxFortranLineLen,
                              s.FormPageColor, s.TabPageColor, s.AnchorToPaper, AnchorTable.Count}),
            std::vector<int>({LanguageCPP, 1, 30, 70, 41, 33, 0, 0}));
        EXPECT_TRUE(s.LayoutFileName.empty());
        EXPECT_EQ(AnchorTable.FrameWidth + AnchorTable.FrameHeight, 0.0);
        ExpectHostSound("start-up");
        host().quit();
    }
}

TEST_F(Startup, OlderHostsShowOnlyTheErrorAndKeepNothingLive) {
    for (int32_t version : {1000299, 999999, 0, -1}) {
        SCOPED_TRACE(version);
        host().reset();
        StartAddOn(version);
        ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
        EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
        EXPECT_EQ(host().messages()[0].text, "Add-on \"Quorvin GUI Builder\" requires Quorvin "
                                             "version 2022.2.0.18713 or greater.");
        // Registered, but inert: no menu option, no callback, nothing queued
        // and nothing of its own left allocated.
        EXPECT_EQ(host().registrations().size(), 1u);
        EXPECT_TRUE(host().menuOptions().empty());
        EXPECT_EQ(host().stateChangeCallbackCount(), 0u);
        EXPECT_EQ(host().runIdle(), 0);
        EXPECT_EQ(host().liveSets() + host().liveStringLists(), 0u);
        EXPECT_EQ(FormPageSet(1), nullptr);
        EXPECT_EQ(TabPageSet(32), nullptr);
        ExpectHostSound("start-up on an old host");
    }
}

// The calls in order; on an old host everything is freed before the lock
// is off.
TEST_F(Startup, CallsTheHostInOrder) {
    const std::vector<std::string> sets(64, "QorUtilSetAlloc"), freed(64, "QorUtilSetDealloc");
    const std::vector<std::string> head = {"QorUtilAddOnRegister", "QorUtilStringListAlloc",
                                           "QorUtilGetQuorvinVersion"};
    struct Case {
        int32_t version;
        std::vector<std::vector<std::string>> parts;
    };
    const Case cases[] = {
        {1000300,
         {{"QorUtilLockOn"},
          sets,
          head,
          {"QorUtilMenuAddOption", "QorUtilStateChangeAddCallback", "QorUtilStateChangeSetMode",
           // the direct code 6: lock, table cleared, idle queued
           "QorUtilLockStart", "QorUtilOnIdleQueueAddCallback", "QorUtilLockFinish",
           "QorUtilLockOff"}}},
        {1000299,
         {{"QorUtilLockOn"},
          sets,
          head,
          {"QorUtilDialogErrMsg", "QorUtilStringListDealloc"},
          freed,
          {"QorUtilLockOff"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version);
        host().reset();
        host().recordCalls(true);
        StartAddOn(c.version);
        host().recordCalls(false);
        std::vector<std::string> expected;
        for (const auto &part : c.parts)
            expected.insert(expected.end(), part.begin(), part.end());
        EXPECT_EQ(host().calls(), expected);
        host().quit();
    }
}

TEST_F(Startup, ReadsAndWritesNoFile) {
    // A saved layout with a "dlb.cfg" beside it: start-up must not read it
    // (the language would change) and must write nothing into the directory.
    const auto dir = TempDir();
    WriteFile(dir / "dlb.cfg", "#!DLB 2022\nLanguage=FORTRAN\nLimitIdentLength=FALSE\n");
    AddFrame("ID=1 TITLE=\"One\" MODE=MODAL");
    std::string error;
    ASSERT_TRUE(host().saveLayout((dir / "design.lay").string(), &error)) << error;
    auto files = [&dir] {
        return std::distance(std::filesystem::directory_iterator(dir),
                             std::filesystem::directory_iterator());
    };
    const auto before = files();
    host().recordCalls(true);
    StartAddOn();
    host().recordCalls(false);
    EXPECT_EQ(BuilderSettings.Language, LanguageCPP);
    EXPECT_TRUE(BuilderSettings.LimitIdentLength);
    const auto &calls = host().calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "QorUtilGetCurLayoutFName"), 0);
    EXPECT_EQ(files(), before);
}

TEST_F(Startup, QuitFreesEverythingOnceAndNothingReactsAfterwards) {
    StartAddOn();
    OpenToolDialog();
    host().runIdle();
    host().quit();
    EXPECT_EQ(host().liveSets() + host().liveStringLists(), 0u);
    EXPECT_EQ(FormPageSet(1), nullptr);
    EXPECT_EQ(BuildNameList, nullptr);
    // A second quit and any later notification do nothing, and queue nothing.
    host().quit();
    host().sendStateChange(StateChange_PickListChanged);
    EXPECT_EQ(host().runIdle(), 0);
    ExpectHostSound("quit");
}

TEST_F(Startup, ASecondStartInOneProcessStartsClean) {
    StartAddOn();
    OpenToolDialog();
    ASSERT_NE(ToolDialog, BADDIALOGID);
    const size_t controls = host().findDialog(ToolDialog)->controls.size();
    std::string error;
    ASSERT_TRUE(host().setToggle(ToolAnchorToggle, true, &error)) << error;
    host().quit();

    host().reset();
    StartAddOn();
    EXPECT_EQ(ToolDialog, BADDIALOGID);
    EXPECT_EQ(ToolAnchorToggle, BADDIALOGID);
    EXPECT_FALSE(BuilderSettings.AnchorToPaper);
    EXPECT_EQ(host().liveSets(), 64u);
    OpenToolDialog();
    ASSERT_NE(ToolDialog, BADDIALOGID);
    EXPECT_TRUE(host().findDialog(ToolDialog)->up);
    EXPECT_EQ(host().findDialog(ToolDialog)->controls.size(), controls);
    ExpectHostSound("second start");
}

} // namespace
} // namespace qgbtest
