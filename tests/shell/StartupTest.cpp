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

constexpr const char *kTooOld =
    "Add-on \"Quorvin GUI Builder\" requires Quorvin version 2022.2.0.18713 or greater.";

class Startup : public ShellFixture {};

TEST_F(Startup, HostsFromVersion1000300OnGetTheMenuOptionAndTheCallback) {
    for (int32_t version : {1000300, 1000301, 2000000}) {
        SCOPED_TRACE(version);
        host().reset();
        StartAddOn(version);

        ASSERT_EQ(host().registrations().size(), 1u);
        const auto &r = host().registrations().front();
        EXPECT_EQ(r.baseVersion, 100);
        EXPECT_EQ(r.name, "Quorvin GUI Builder");
        EXPECT_EQ(r.version, "2022.2.0.18713 (2022.2.0.18713) Dec  6 2022");
        EXPECT_FALSE(r.author.empty());
        EXPECT_EQ(AddOnHandle, r.handle);

        ASSERT_EQ(host().menuOptions().size(), 1u);
        EXPECT_EQ(host().menuOptions()[0].menu, "Tools");
        EXPECT_EQ(host().menuOptions()[0].label, "Quorvin GUI Builder");
        EXPECT_EQ(host().menuOptions()[0].mnemonic, 'B');
        EXPECT_EQ(host().stateChangeCallbackCount(), 1u);
        EXPECT_TRUE(host().messages().empty()) << DescribeMessages();

        // The 64 page sets and the build's string list live until quit.
        EXPECT_EQ(host().liveSets(), 64u);
        EXPECT_EQ(host().liveStringLists(), 1u);
        for (int g = 1; g <= 32; ++g) {
            EXPECT_NE(FormPageSet(g), nullptr);
            EXPECT_NE(TabPageSet(g), nullptr);
        }
        // Start-up behaves as after a code 6: exactly one idle call queued.
        EXPECT_EQ(host().runIdle(), 1);
        EXPECT_EQ(host().runIdle(), 0);
        // The tool dialog is built only when the menu option is chosen.
        EXPECT_EQ(ToolDialog, BADDIALOGID);
        EXPECT_TRUE(host().dialogs().empty());
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
        EXPECT_EQ(host().messages()[0].text, kTooOld);
        // Registered, but inert: no menu option, no callback, nothing queued
        // and nothing of its own left allocated.
        EXPECT_EQ(host().registrations().size(), 1u);
        EXPECT_TRUE(host().menuOptions().empty());
        EXPECT_EQ(host().stateChangeCallbackCount(), 0u);
        EXPECT_EQ(host().runIdle(), 0);
        EXPECT_EQ(host().liveSets(), 0u);
        EXPECT_EQ(host().liveStringLists(), 0u);
        EXPECT_EQ(FormPageSet(1), nullptr);
        EXPECT_EQ(TabPageSet(32), nullptr);
        ExpectHostSound("start-up on an old host");
    }
}

std::vector<std::string> Repeat(const std::string &call, int times) {
    return std::vector<std::string>(static_cast<size_t>(times), call);
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(Startup, CallsTheHostInOrder) {
    host().recordCalls(true);
    StartAddOn(1000300);
    host().recordCalls(false);
    const std::vector<std::string> expected = Concat({
        {"QorUtilLockOn"},
        Repeat("QorUtilSetAlloc", 64),
        {"QorUtilAddOnRegister", "QorUtilStringListAlloc", "QorUtilGetQuorvinVersion",
         "QorUtilMenuAddOption", "QorUtilStateChangeAddCallback", "QorUtilStateChangeSetMode",
         // the direct code 6: lock, table cleared, idle queued
         "QorUtilLockStart", "QorUtilOnIdleQueueAddCallback", "QorUtilLockFinish",
         "QorUtilLockOff"},
    });
    EXPECT_EQ(host().calls(), expected);
}

TEST_F(Startup, OnAnOldHostFreesItsObjectsBeforeTheLockIsOff) {
    host().recordCalls(true);
    StartAddOn(1000299);
    host().recordCalls(false);
    const std::vector<std::string> expected = Concat({
        {"QorUtilLockOn"},
        Repeat("QorUtilSetAlloc", 64),
        {"QorUtilAddOnRegister", "QorUtilStringListAlloc", "QorUtilGetQuorvinVersion",
         "QorUtilDialogErrMsg", "QorUtilStringListDealloc"},
        Repeat("QorUtilSetDealloc", 64),
        {"QorUtilLockOff"},
    });
    EXPECT_EQ(host().calls(), expected);
}

TEST_F(Startup, ReadsAndWritesNoFile) {
    // A saved layout with a "dlb.cfg" beside it: start-up must not read it
    // (the language would change) and must write nothing into the directory.
    const auto dir = TempDir();
    WriteFile(dir / "dlb.cfg", "#!DLB 2022\nLanguage=FORTRAN\nLimitIdentLength=FALSE\n");
    AddFrame("ID=1 TITLE=\"One\" MODE=MODAL");
    std::string error;
    ASSERT_TRUE(host().saveLayout((dir / "design.lay").string(), &error)) << error;
    const auto before = std::distance(std::filesystem::directory_iterator(dir),
                                      std::filesystem::directory_iterator());
    host().recordCalls(true);
    StartAddOn();
    host().recordCalls(false);

    EXPECT_EQ(BuilderSettings.Language, LanguageCPP);
    EXPECT_TRUE(BuilderSettings.LimitIdentLength);
    const auto &calls = host().calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "QorUtilGetCurLayoutFName"), 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              before);
}

TEST_F(Startup, SettingsStartAtTheirDefaults) {
    StartAddOn();
    EXPECT_EQ(BuilderSettings.Language, LanguageCPP);
    EXPECT_TRUE(BuilderSettings.LimitIdentLength);
    EXPECT_EQ(BuilderSettings.MaxIdentLength, 30);
    EXPECT_EQ(BuilderSettings.MaxFortranLineLen, 70);
    EXPECT_EQ(BuilderSettings.FormPageColor, 41);
    EXPECT_EQ(BuilderSettings.TabPageColor, 33);
    EXPECT_FALSE(BuilderSettings.AnchorToPaper);
    EXPECT_TRUE(BuilderSettings.LayoutFileName.empty());
    EXPECT_EQ(AnchorTable.Count, 0);
    EXPECT_EQ(AnchorTable.FrameWidth, 0.0);
    EXPECT_EQ(AnchorTable.FrameHeight, 0.0);
}

TEST_F(Startup, QuitFreesEverythingOnceAndNothingReactsAfterwards) {
    StartAddOn();
    OpenToolDialog();
    host().runIdle();
    host().quit();
    EXPECT_EQ(host().liveSets(), 0u);
    EXPECT_EQ(host().liveStringLists(), 0u);
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
    const GUIInt_t firstDialog = ToolDialog;
    ASSERT_NE(firstDialog, BADDIALOGID);
    std::string error;
    ASSERT_TRUE(host().setToggle(ToolAnchorToggle, true, &error)) << error;
    ASSERT_TRUE(BuilderSettings.AnchorToPaper);
    host().quit();

    host().reset();
    StartAddOn();
    EXPECT_EQ(ToolDialog, BADDIALOGID);
    EXPECT_EQ(ToolAnchorToggle, BADDIALOGID);
    EXPECT_FALSE(BuilderSettings.AnchorToPaper);
    EXPECT_EQ(host().liveSets(), 64u);
    OpenToolDialog();
    ASSERT_NE(ToolDialog, BADDIALOGID);
    const auto *dialog = host().findDialog(ToolDialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->up);
    EXPECT_EQ(dialog->controls.size(), host().findDialogByTitle("GUI Builder")->controls.size());
    ExpectHostSound("second start");
}

} // namespace
} // namespace qgbtest
