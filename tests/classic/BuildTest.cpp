// The build command's failure paths and the checks made before a file is
// written (the warnings that let a build go on, and repeatable output, are
// in GoldenTest's edge-case design).
#include "ClassicSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "model/Validation.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

const char *const kOpenFailed = "Cannot open one or more stub files for writing!";
const char *const kWriteFailed = "Error writing files.";

class BuildTest : public ClassicFixture {
  protected:
    // A modal dialog with a button and a label (12 points).
    void AddSimpleDialog(const std::string &name = "ID=1 TITLE=\"Main\"") {
        AddFrameAt(name);
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
        AddPixelText({"Hello", "", TextBox_None, 14, 40});
    }

    bool AnyOutputFile() const {
        for (int32_t language = 0; language <= 2; ++language)
            for (const std::string &name : OutputFileNames(language))
                if (fs::exists(dir + name))
                    return true;
        return fs::exists(dir + "dlb.cfg") || fs::exists(dir + "design.lay");
    }
};

TEST_F(BuildTest, UnwritableDirectoryClosesWhatOpenedAndReports) {
    AddSimpleDialog();
    host().setLayoutFileName(dir + "missing/design.lay");
    Build(LanguageC);
    EXPECT_EQ(Shown(), (std::vector<std::string>{kOpenFailed, kWriteFailed}));
    ExpectPleaseWaitOnAndOff();
    EXPECT_FALSE(fs::exists(dir + "missing/design.lay"));
}

TEST_F(BuildTest, FilesThatDidOpenAreLeftEmptyWhenOneCannotBeOpened) {
    const std::pair<int32_t, const char *> cases[] = {{LanguageCPP, "guibld.cpp"},
                                                      {LanguageC, "guidefs.c"},
                                                      {LanguageFORTRAN, "GUICB.INC"},
                                                      {LanguageFORTRAN, "GUIDEFS.INC"}};
    for (const auto &[language, blocked] : cases) {
        SCOPED_TRACE(blocked);
        FreshHost();
        AddSimpleDialog();
        NameLayout();
        // A directory where the file should be cannot be opened for writing.
        ASSERT_EQ(::mkdir((dir + blocked).c_str(), 0755), 0);
        Build(language);
        EXPECT_EQ(Shown(), (std::vector<std::string>{kOpenFailed, kWriteFailed}));
        for (const std::string &name : OutputFileNames(language))
            if (name != blocked) {
                EXPECT_TRUE(fs::exists(dir + name)) << name;
                EXPECT_EQ(Output(name), "") << name;
            }
        EXPECT_FALSE(fs::exists(dir + "design.lay"));
        ::rmdir((dir + blocked).c_str());
        for (const std::string &name : OutputFileNames(language))
            ::unlink((dir + name).c_str());
    }
}

TEST_F(BuildTest, FailedLayoutSaveCompletesTheFilesAndReportsBoth) {
    AddSimpleDialog();
    NameLayout();
    host().failNextSave(true);
    Build(LanguageCPP);
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Error saving layout file.\nYour work has not been saved.\nPlease "
                           "check file permissions on file\n" +
                               dir + "design.lay.",
                           kWriteFailed}));
    ExpectPleaseWaitOnAndOff();
    EXPECT_NE(Output("guicb.tmp").find("#include \"guibld.cpp\"\n"), std::string::npos);
    EXPECT_NE(Output("guibld.cpp").find("void InitDLB(void)"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir + "dlb.cfg"));
}

TEST_F(BuildTest, AWriteErrorIsNotReportedAsSuccess) {
    AddSimpleDialog();
    NameLayout();
    ASSERT_EQ(::symlink("/dev/full", (dir + "guibld.cpp").c_str()), 0);
    Build(LanguageCPP);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Could not write the file\n" + dir +
                                                     "guibld.cpp\nNo space left on device",
                                                 kWriteFailed}));
}

// Checks that fail before a file is written: the one message, and nothing
// written (nor with a layout never saved). Each design is page frames (name, linking group; a name
// ending in
// "#" stands for 33 pages of IDs 1 to 33), the current frame with a button
// and a label (none when its name is empty), and one more text in it.
TEST_F(BuildTest, FailedChecksWriteNothing) {
    const std::string main = "ID=1 TITLE=\"Main\"",
                      groupRange = "must name a frame linking group from 1 to 32.";
    struct Case {
        std::string page;
        int group;
        std::string dialog;
        PixelText extra;
        std::string message;
        bool unsaved = false; // the layout not named
    };
    // clang-format off
    const Case cases[] = {
        {"", 0, main + " OKCLOSEBUTTON=FALSE", {}, "Cannot build dialog.\nModeless dialogs must have an OK button.\nPlease add an OK button by adding the string\n\"OKCLOSEBUTTON=TRUE\" to the dialog frame name."},
        {"", 0, main + " APPLYBUTTON=T CANCELBUTTON=F", {}, "Cannot build dialog.\nModeless dialogs must have a CANCEL button\nif they have an APPLY button. Please add a\nCANCEL button by adding the string\n\"CANCELBUTTON=TRUE\" to the dialog frame name."},
        {"", 0, main, {"Big", "", TextBox_None, 14, 60, 20}, "All non-text field controls must use the same character height."},
        {"FORMPAGE=T", 2, main, {}, "Missing ID= from frame name\nFORMPAGE=T"},
        {"TABPAGE=T POS=1", 1, main, {}, "Missing ID= from frame name\nTABPAGE=T POS=1"},
        {"", 0, "ID=-3 TITLE=\"Main\"", {}, "Invalid ID=-3 in frame name: an ID must be 0 or more.\nID=-3 TITLE=\"Main\""},
        {"FORMPAGE=T ID=1", 33, main, {}, "The page frame\nFORMPAGE=T ID=1\nis linked in the frame linking group 33.\nPages must use a frame linking group from 1 to 32."},
        {"", 0, main, {"TAB:Group=40", "VarName=Tabs", TextBox_Filled, 14, 60}, "The tab control\n\"TAB:Group=40\"\nof frame\nID=1 TITLE=\"Main\"\nhas GROUP=40.\nGROUP " + groupRange},
        {"", 0, main, {"FM:Group=-2", "VarName=Pages", TextBox_Filled, 14, 60}, "The form control\n\"FM:Group=-2\"\nof frame\nID=1 TITLE=\"Main\"\nhas GROUP=-2.\nGROUP " + groupRange},
        {"TABPAGE=T ID=#", 5, main, {}, "The frame linking group 5 has more than 32 tab pages.\nA tab control holds at most 32 pages; the page frame\nTABPAGE=T ID=33\nis one too many."},
        {"", 0, main, {}, "Please save the GUI to a layout file before building.", true},
        {"", 0, "", {}, "There is no frame to build.\nPlease insert a dialog or sidebar frame and try again."},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        FreshHost();
        const bool many = !c.page.empty() && c.page.back() == '#';
        for (int page = 1; page <= (many ? 33 : c.page.empty() ? 0 : 1); ++page)
            AddFrameAt(many ? c.page.substr(0, c.page.size() - 1) + std::to_string(page) : c.page,
                       3.5, 2, true, c.group);
        if (!c.dialog.empty())
            AddSimpleDialog(c.dialog);
        if (!c.extra.string.empty())
            AddPixelText(c.extra);
        if (!c.unsaved)
            NameLayout();
        Build(LanguageCPP);
        EXPECT_EQ(Shown(), std::vector<std::string>{c.message});
        EXPECT_FALSE(AnyOutputFile());
    }
}

// Only the current frame is checked for an OK button, and only when modal.
TEST_F(BuildTest, OnlyACurrentModalFrameHasToHaveAnOkButton) {
    for (const bool modeless : {false, true}) {
        FreshHost();
        AddSimpleDialog("ID=2 TITLE=\"Two\" OKCLOSEBUTTON=FALSE");
        AddSimpleDialog(modeless ? "ID=1 TITLE=\"Tool\" MODE=MODELESS OKCLOSEBUTTON=FALSE"
                                 : "ID=1 TITLE=\"One\"");
        BuildExpectingSuccess(LanguageC);
    }
}

} // namespace
} // namespace qgbtest
