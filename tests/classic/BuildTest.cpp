// The build command end to end: the files of each language, every failure
// path, the checks made before a file is written, the warnings that let the
// build go on, and repeatable output.
#include "ClassicSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "model/Validation.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

const char *const kOpenFailed = "Cannot open one or more stub files for writing!";
const char *const kWriteFailed = "Error writing files.";

std::string P(int blanks) {
    return std::string(static_cast<size_t>(blanks), ' ');
}

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
                if (FileExists(dir + name))
                    return true;
        return FileExists(dir + "dlb.cfg") || FileExists(dir + "design.lay");
    }
};

TEST_F(BuildTest, UnsavedLayoutIsRefusedAndNothingWritten) {
    AddSimpleDialog();
    Build(LanguageCPP);
    EXPECT_EQ(Shown(),
              std::vector<std::string>{"Please save the GUI to a layout file before building."});
    EXPECT_FALSE(AnyOutputFile());
}

TEST_F(BuildTest, UnwritableDirectoryClosesWhatOpenedAndReports) {
    AddSimpleDialog();
    host().setLayoutFileName(dir + "missing/design.lay");
    Build(LanguageC);
    EXPECT_EQ(Shown(), (std::vector<std::string>{kOpenFailed, kWriteFailed}));
    ExpectPleaseWaitOnAndOff();
    EXPECT_FALSE(FileExists(dir + "missing/design.lay"));
}

TEST_F(BuildTest, FilesThatDidOpenAreLeftEmptyWhenOneCannotBeOpened) {
    const struct {
        int32_t language;
        const char *blocked;
    } cases[] = {{LanguageCPP, "guibld.cpp"},
                 {LanguageC, "guidefs.c"},
                 {LanguageFORTRAN, "GUICB.INC"},
                 {LanguageFORTRAN, "GUIDEFS.INC"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.blocked);
        ResetWorkspace();
        AddSimpleDialog();
        NameLayout();
        // A directory where the file should be cannot be opened for writing.
        ASSERT_EQ(::mkdir((dir + c.blocked).c_str(), 0755), 0);
        Build(c.language);
        EXPECT_EQ(Shown(), (std::vector<std::string>{kOpenFailed, kWriteFailed}));
        for (const std::string &name : OutputFileNames(c.language))
            if (name != c.blocked) {
                EXPECT_TRUE(FileExists(dir + name)) << name;
                EXPECT_EQ(Output(name), "") << name;
            }
        EXPECT_FALSE(FileExists(dir + "design.lay"));
        ::rmdir((dir + c.blocked).c_str());
        for (const std::string &name : OutputFileNames(c.language))
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
    EXPECT_TRUE(FileExists(dir + "dlb.cfg"));
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

TEST_F(BuildTest, FailedChecksWriteNothing) {
    const std::string main = "ID=1 TITLE=\"Main\"";
    std::vector<std::pair<std::string, int>> thirtyThreePages;
    for (int page = 1; page <= 33; ++page)
        thirtyThreePages.push_back({"TABPAGE=T ID=" + std::to_string(page), 5});
    // Page frames (name, linking group), then the current frame with a
    // button and a label, and one more text in it.
    const struct {
        std::vector<std::pair<std::string, int>> pages;
        std::string dialog;
        PixelText extra;
        std::string message;
    } cases[] = {
        {{},
         main + " OKCLOSEBUTTON=FALSE",
         {},
         "Cannot build dialog.\nModeless dialogs must have an OK button.\nPlease add an OK "
         "button by adding the string\n\"OKCLOSEBUTTON=TRUE\" to the dialog frame name."},
        {{},
         main + " APPLYBUTTON=T CANCELBUTTON=F",
         {},
         "Cannot build dialog.\nModeless dialogs must have a CANCEL button\nif they have an "
         "APPLY button. Please add a\nCANCEL button by adding the string\n\"CANCELBUTTON=TRUE\" "
         "to the dialog frame name."},
        {{},
         main,
         {"Big", "", TextBox_None, 14, 60, 20},
         "All non-text field controls must use the same character height."},
        {{{"FORMPAGE=T", 2}}, main, {}, "Missing ID= from frame name\nFORMPAGE=T"},
        {{{"TABPAGE=T POS=1", 1}}, main, {}, "Missing ID= from frame name\nTABPAGE=T POS=1"},
        {{},
         "ID=-3 TITLE=\"Main\"",
         {},
         "Invalid ID=-3 in frame name: an ID must be 0 or more.\nID=-3 TITLE=\"Main\""},
        {{{"FORMPAGE=T ID=1", 33}},
         main,
         {},
         "The page frame\nFORMPAGE=T ID=1\nis linked in the frame linking group 33.\nPages must "
         "use a frame linking group from 1 to 32."},
        {{},
         main,
         {"TAB:Group=40", "VarName=Tabs", TextBox_Filled, 14, 60},
         "The tab control\n\"TAB:Group=40\"\nof frame\nID=1 TITLE=\"Main\"\nhas GROUP=40.\nGROUP "
         "must name a frame linking group from 1 to 32."},
        {{},
         main,
         {"FM:Group=-2", "VarName=Pages", TextBox_Filled, 14, 60},
         "The form control\n\"FM:Group=-2\"\nof frame\nID=1 TITLE=\"Main\"\nhas GROUP=-2.\nGROUP "
         "must name a frame linking group from 1 to 32."},
        {thirtyThreePages,
         main,
         {},
         "The frame linking group 5 has more than 32 tab pages.\nA tab control holds at most 32 "
         "pages; the page frame\nTABPAGE=T ID=33\nis one too many."},
        {{},
         "",
         {},
         "There is no frame to build.\nPlease insert a dialog or sidebar frame and try again."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        ResetWorkspace();
        for (const auto &page : c.pages)
            AddFrameAt(page.first, 3.5, 2, true, page.second);
        if (!c.dialog.empty())
            AddSimpleDialog(c.dialog);
        if (!c.extra.string.empty())
            AddPixelText(c.extra);
        NameLayout();
        Build(LanguageCPP);
        EXPECT_EQ(Shown(), std::vector<std::string>{c.message});
        EXPECT_FALSE(AnyOutputFile());
    }
}

// Only the current frame is checked for an OK button, and only when modal.
TEST_F(BuildTest, OnlyACurrentModalFrameHasToHaveAnOkButton) {
    for (const bool modeless : {false, true}) {
        ResetWorkspace();
        AddSimpleDialog("ID=2 TITLE=\"Two\" OKCLOSEBUTTON=FALSE");
        AddSimpleDialog(modeless ? "ID=1 TITLE=\"Tool\" MODE=MODELESS OKCLOSEBUTTON=FALSE"
                                 : "ID=1 TITLE=\"One\"");
        BuildExpectingSuccess(LanguageC);
    }
}

// A dialog with a tab control of group 2 and a form control of group 3.
void AddDialogWithPages() {
    AddFrameAt("TABPAGE=T ID=1 POS=2 TITLE=\"Second\"", 3.5, 2, true, 2);
    AddFrameAt("FORMPAGE=T ID=2", 3.5, 2, true, 3);
    AddFrameAt("TABPAGE=T ID=2 POS=1 TITLE=\"First\"", 3.5, 2, true, 2);
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 3);
    AddFrameAt("ID=1 TITLE=\"Pages\"");
    AddPixelText({"TAB:Group=2  \n\n\n\n\n", "VarName=Tabs", TextBox_Filled, 14, 16});
    AddPixelText({"FM:Group=3", "VarName=Pages", TextBox_Filled, 14, 110});
}

// Tab pages are called in POS order, form pages in ID order (the FORTRAN
// page calls follow the same order; the golden outputs hold them).
TEST_F(BuildTest, FormAndTabPagesAreCalledInOrder) {
    AddDialogWithPages();
    BuildExpectingSuccess(LanguageC);
    const std::string builder = Output("guibld.c");
    EXPECT_NE(builder.find("  Tabs_TB_D1 = QorGUITabAdd(Dialog1Manager,\n"), std::string::npos);
    EXPECT_NE(builder.find(P(20) + "Tabs_TBA_D1_CB,\n" + P(20) +
                           "Tabs_TBD_D1_CB);\n\n"
                           "  BuildTab2_2(Tabs_TB_D1);\n  BuildTab1_2(Tabs_TB_D1);\n"),
              std::string::npos);
    EXPECT_NE(builder.find("  Pages_FM_D1 = QorGUIFormAdd(Dialog1Manager,\n"), std::string::npos);
    EXPECT_NE(builder.find(");\n  BuildForm1_3(Pages_FM_D1);\n  BuildForm2_3(Pages_FM_D1);\n"),
              std::string::npos);
    // The pages come before the dialog, in the host's frame order from the
    // current frame on (the dialog is current, then the bottom frame).
    const std::vector<size_t> at = {
        builder.find("void BuildTab1_2(GUIInt_t  Parent)\n{\n"
                     "  if (Tab1_2Manager != BADDIALOGID)\n    return;\n\n"
                     "  Tab1_2Manager = QorGUITabAddPage(Parent,\n" +
                     P(31) + "\"Second\");\n}\n"),
        builder.find("void BuildForm2_3(GUIInt_t  Parent)\n{\n"
                     "  if (Form2_3Manager != BADDIALOGID)\n    return;\n\n"
                     "  Form2_3Manager = QorGUIFormAddPage(Parent);\n\n}\n"),
        builder.find("void BuildTab2_2(GUIInt_t  Parent)"),
        builder.find("void BuildForm1_3(GUIInt_t  Parent)"),
        builder.find("void BuildDialog1(GUIInt_t  ParentDialog)")};
    EXPECT_NE(at.back(), std::string::npos);
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_NE(Output("GUIDEFS.h")
                  .find("extern GUIInt_t Tab1_2Manager;\n"
                        "extern void BuildTab1_2(GUIInt_t  Parent);\n\n"),
              std::string::npos);
}

TEST_F(BuildTest, TwoBuildsGiveTheSameBytesWithPagesNamedAlike) {
    // Two tab groups whose pages carry the same names.
    for (int group = 1; group <= 2; ++group) {
        AddFrameAt("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", 3.5, 2, true, group);
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
        AddFrameAt("TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\"", 3.5, 2, true, group);
    }
    AddFrameAt("ID=2 TITLE=\"Two\"");
    AddPixelText({"TAB:Group=2", "VarName=Tabs", TextBox_Filled, 14, 16});
    AddFrameAt("ID=1 TITLE=\"One\"");
    AddPixelText({"TAB:Group=1", "VarName=Tabs", TextBox_Filled, 14, 16});
    const auto frameOrder = [this] {
        std::vector<UniqueID_t> ids;
        for (const auto &frame : host().frames())
            ids.push_back(frame.uniqueId);
        return ids;
    };
    const std::vector<UniqueID_t> order = frameOrder();

    for (int32_t language = 0; language <= 2; ++language) {
        SCOPED_TRACE(language);
        std::vector<std::string> builds[2];
        for (std::vector<std::string> &files : builds) {
            BuildExpectingSuccess(language);
            for (const std::string &name : OutputFileNames(language))
                files.push_back(Output(name));
        }
        EXPECT_EQ(builds[0], builds[1]);
        for (const char *page : {"BuildTab1_1", "BuildTab2_1", "BuildTab1_2", "BuildTab2_2"})
            EXPECT_NE(builds[0][1].find(page), std::string::npos) << page;
        // The walks leave the frames as they were.
        EXPECT_EQ(frameOrder(), order);
    }
}

// Faults of the design that are reported while the build goes on: the
// warnings in order, then the success message, and what the output holds.
TEST_F(BuildTest, WarningsLetTheBuildGoOn) {
    const std::string clipped = "One or more controls are positioned beyond the dialog frame "
                                "edge. The position of these controls will be clipped to the "
                                "dialog edge.";
    const struct {
        const char *what;
        std::function<void()> design;
        std::vector<std::string> warnings;
        std::vector<std::string> present, absent;
    } cases[] = {
        {"six radio labels",
         [] {
             AddFrameAt("ID=1 TITLE=\"Six\"");
             AddPixelText(
                 {"~7 A\n~7 B\n~7 C\n~7 D\n~7 E\n~7 F", "VarName=Six", TextBox_Hollow, 14, 16});
         },
         {"The radio box Six_RADIO_D1 in frame\nID=1 TITLE=\"Six\"\nhas 6 toggle labels; a radio "
          "box holds at most 5. Only the first 5 are built."},
         {P(33) + "\"E\",\n" + P(33) + "Six_RADIO_D1_CB);\n"},
         {"\"F\""}},
        {"radio labels ending in a line feed",
         [] {
             AddFrameAt("ID=1 TITLE=\"Two\"");
             AddPixelText({"~7 A\n~7 B\n", "VarName=Two", TextBox_Hollow, 14, 16});
         },
         {"Invalid Radio box toggle label"},
         {P(33) + "\"A\",\n" + P(33) + "\"B\",\n" + P(33) + "(char *)NULL,\n"},
         {}},
        {"repeated identifiers",
         [] {
             AddFrameAt("ID=1 TITLE=\"Main\"");
             AddPixelText({"Save", "VarName=Go", TextBox_Filled, 14, 16});
             AddPixelText({"Start", "VarName=Go", TextBox_Filled, 14, 40});
         },
         {"Two controls of frame\nID=1 TITLE=\"Main\"\nget the same identifier:\nGo_BTN_D1 at x "
          "189, "
          "y 90\nand\nGo_BTN_D1 at x 189, y 227\nThe generated code will not compile until one of "
          "them gets "
          "another VarName."},
         {},
         {}},
        {"one manager for two frames",
         [this] {
             AddSimpleDialog("ID=1 TITLE=\"A\"");
             AddSimpleDialog("ID=1 TITLE=\"B\"");
         },
         {"The frames\nID=1 TITLE=\"B\"\nand\nID=1 TITLE=\"A\"\nboth make Dialog1Manager.\nThe "
          "generated code will not compile until one of them gets another ID."},
         {},
         {}},
        // Clipped to 0, 0; a captioned group frame's y to 1 + trunc(Hc / 2)
        // = 9 pixels (Hc is 17.6 for 12 points): 51 units. One warning for
        // each container.
        {"controls beyond the edge",
         [] {
             for (int id = 1; id <= 2; ++id) {
                 AddFrameAt("ID=" + std::to_string(id) + " TITLE=\"Clip\"");
                 AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
                 AddPixelRectangle(-20, -30, 70, 60, "");
                 AddPixelLine(-10, -5, 60, -5);
                 AddPixelRectangle(14, 4, 70, 60, "Caption");
             }
         },
         {clipped, clipped},
         {"  QorGUIFrameAdd(Dialog1Manager,\n" + P(13) + "0,\n" + P(13) + "0,\n",
          "  QorGUIHorzSeparatorAdd(Dialog1Manager,\n" + P(21) + "0,\n" + P(21) + "0,\n",
          "  QorGUIFrameAdd(Dialog1Manager,\n" + P(13) + "189,\n" + P(13) + "51,\n"},
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetWorkspace();
        c.design();
        BuildExpectingSuccess(LanguageC, c.warnings);
        const std::string builder = Output("guibld.c");
        for (const std::string &text : c.present)
            EXPECT_NE(builder.find(text), std::string::npos) << text;
        for (const std::string &text : c.absent)
            EXPECT_EQ(builder.find(text), std::string::npos) << text;
    }
}

} // namespace
} // namespace qgbtest
