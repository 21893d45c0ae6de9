// The build command end to end: the files of each language, every failure
// path, the checks made before a file is written, and repeatable output.
#include "ClassicSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "model/Validation.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;
using quorvin::host::Message;

const char *const kOpenFailed = "Cannot open one or more stub files for writing!";
const char *const kWriteFailed = "Error writing files.";

bool StartsWith(const std::string &text, const std::string &prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}
bool EndsWith(const std::string &text, const std::string &suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

class BuildTest : public ClassicFixture {
  protected:
    // A modal dialog with a button and a label (12 points).
    void AddSimpleDialog(const std::string &name = "ID=1 TITLE=\"Main\"") {
        AddFrameAt(name);
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
        AddPixelText({"Hello", "", TextBox_None, 14, 40});
    }

    std::string Success() const {
        return "New GUI stub files have been written.\nNew layout file written to: " + dir +
               "design.lay";
    }

    bool AnyOutputFile() const {
        for (int32_t language = 0; language <= 2; ++language)
            for (const std::string &name : OutputFileNames(language))
                if (FileExists(dir + name))
                    return true;
        return FileExists(dir + "dlb.cfg") || FileExists(dir + "design.lay");
    }

    // Please-wait on and off, in this order, around everything else.
    void ExpectPleaseWaitBalanced() const {
        std::vector<bool> states;
        for (const Message &m : host().messages())
            if (m.call == Message::Call::PleaseWait) {
                EXPECT_EQ(m.text, "Building...");
                states.push_back(m.answer);
            }
        EXPECT_EQ(states, (std::vector<bool>{true, false}));
    }
};

TEST_F(BuildTest, WritesEveryFileOfEachLanguageAndReports) {
    for (int32_t language = 0; language <= 2; ++language) {
        SCOPED_TRACE(language);
        ResetWorkspace();
        AddSimpleDialog();
        NameLayout();
        Build(language);
        EXPECT_EQ(Shown(), std::vector<std::string>{Success()});
        ExpectPleaseWaitBalanced();
        for (const std::string &name : OutputFileNames(language))
            EXPECT_TRUE(FileExists(dir + name)) << name;
        EXPECT_TRUE(FileExists(dir + "design.lay"));
        EXPECT_TRUE(FileExists(dir + "dlb.cfg"));
        EXPECT_TRUE(host().drawingOn());

        const std::string callback = Output("guicb.tmp");
        const std::vector<std::string> builders = {"guibld.c", "guibld.cpp", "guibld.F"};
        const std::string builder = Output(builders[static_cast<size_t>(language)]);
        if (language == LanguageFORTRAN) {
            EXPECT_TRUE(EndsWith(callback, "\n\n\n\n      include \"guibld.F\"\n"));
            EXPECT_EQ(callback.find("#include"), std::string::npos);
            EXPECT_NE(Output("GUICB.INC").find("      EXTERNAL Press_BTN_D1_CB\n"),
                      std::string::npos);
            EXPECT_TRUE(EndsWith(builder, "      Return\n      End\n"));
        } else {
            EXPECT_TRUE(StartsWith(
                callback, "#include \"QORADDON.h\"\n#include \"ADDGLBL.h\"\n#if !defined (MSWIN)\n"
                          "#include <unistd.h>\n#endif\n#include \"GUIDEFS.h\"\n\n\n\n"));
            const std::string include = builders[static_cast<size_t>(language)];
            EXPECT_TRUE(EndsWith(callback, "\n\n\n\n#include \"" + include + "\"\n"));
            const std::string header = Output("GUIDEFS.h");
            EXPECT_NE(header.find("***************************************************/\n\n\n"
                                  "extern void InitDLB(void);\nextern GUIInt_t Dialog1Manager;\n"),
                      std::string::npos);
            const std::string source = Output(language == LanguageC ? "guidefs.c" : "guidefs.cpp");
            EXPECT_NE(source.find("/\n\n\n#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\n"
                                  "GUIInt_t Dialog1Manager = BADDIALOGID;\n"
                                  "GUIInt_t Press_BTN_D1 = BADDIALOGID;\n"
                                  "GUIInt_t Hello_LBL_D1 = BADDIALOGID;\n"),
                      std::string::npos);
            EXPECT_TRUE(EndsWith(builder, "\n\n/**\n */\nvoid InitDLB(void)\n{\n"
                                          "/* Currently not used */\n}\n"));
        }
    }
}

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
    ExpectPleaseWaitBalanced();
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
        for (const std::string &name : OutputFileNames(c.language)) {
            if (name != c.blocked) {
                EXPECT_TRUE(FileExists(dir + name)) << name;
                EXPECT_EQ(Output(name), "") << name;
            }
        }
        EXPECT_FALSE(FileExists(dir + "design.lay"));
        RemoveTree(dir + c.blocked);
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
    ExpectPleaseWaitBalanced();
    EXPECT_NE(Output("guicb.tmp").find("#include \"guibld.cpp\"\n"), std::string::npos);
    EXPECT_NE(Output("guibld.cpp").find("void InitDLB(void)"), std::string::npos);
    EXPECT_TRUE(FileExists(dir + "dlb.cfg"));
}

TEST_F(BuildTest, AWriteErrorIsNotReportedAsSuccess) {
    AddSimpleDialog();
    NameLayout();
    ASSERT_EQ(::symlink("/dev/full", (dir + "guibld.cpp").c_str()), 0);
    Build(LanguageCPP);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Could not write the file\n" + dir + "guibld.cpp",
                                                 kWriteFailed}));
}

TEST_F(BuildTest, FailedChecksWriteNothing) {
    const struct {
        const char *what;
        std::function<void()> design;
        std::string message;
    } cases[] = {
        {"modal without OK", [this] { AddSimpleDialog("ID=1 TITLE=\"Main\" OKCLOSEBUTTON=FALSE"); },
         "Cannot build dialog.\nModeless dialogs must have an OK button.\nPlease add an OK "
         "button by adding the string\n\"OKCLOSEBUTTON=TRUE\" to the dialog frame name."},
        {"apply without cancel",
         [this] { AddSimpleDialog("ID=1 TITLE=\"Main\" APPLYBUTTON=T CANCELBUTTON=F"); },
         "Cannot build dialog.\nModeless dialogs must have a CANCEL button\nif they have an "
         "APPLY button. Please add a\nCANCEL button by adding the string\n\"CANCELBUTTON=TRUE\" "
         "to the dialog frame name."},
        {"two heights",
         [this] {
             AddSimpleDialog();
             AddPixelText({"Big", "", TextBox_None, 14, 60, 20});
         },
         "All non-text field controls must use the same character height."},
        {"form page without ID",
         [this] {
             AddFrameAt("FORMPAGE=T", 3.5, 2, true, 2);
             AddSimpleDialog();
         },
         "Missing ID= from frame name\nFORMPAGE=T"},
        {"page without ID",
         [this] {
             AddFrameAt("TABPAGE=T POS=1", 3.5, 2, true, 1);
             AddSimpleDialog();
         },
         "Missing ID= from frame name\nTABPAGE=T POS=1"},
        {"negative ID", [this] { AddSimpleDialog("ID=-3 TITLE=\"Main\""); },
         "Invalid ID=-3 in frame name: an ID must be 0 or more.\nID=-3 TITLE=\"Main\""},
        {"page outside the linking groups",
         [this] {
             AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 33);
             AddSimpleDialog();
         },
         "The page frame\nFORMPAGE=T ID=1\nis linked in the frame linking group 33.\nPages must "
         "use a frame linking group from 1 to 32."},
        {"GROUP above 32",
         [this] {
             AddSimpleDialog();
             AddPixelText({"TAB:Group=40", "VarName=Tabs", TextBox_Filled, 14, 60});
         },
         "The tab control\n\"TAB:Group=40\"\nof frame\nID=1 TITLE=\"Main\"\nhas GROUP=40.\nGROUP "
         "must name a frame linking group from 1 to 32."},
        {"GROUP below -1",
         [this] {
             AddSimpleDialog();
             AddPixelText({"FM:Group=-2", "VarName=Pages", TextBox_Filled, 14, 60});
         },
         "The form control\n\"FM:Group=-2\"\nof frame\nID=1 TITLE=\"Main\"\nhas GROUP=-2.\nGROUP "
         "must name a frame linking group from 1 to 32."},
        {"33 tab pages",
         [this] {
             for (int page = 1; page <= 33; ++page)
                 AddFrameAt("TABPAGE=T ID=" + std::to_string(page), 3.5, 2, true, 5);
             AddSimpleDialog();
         },
         "The frame linking group 5 has more than 32 tab pages.\nA tab control holds at most 32 "
         "pages; the page frame\nTABPAGE=T ID=33\nis one too many."},
        {"empty workspace", [] {},
         "There is no frame to build.\nPlease insert a dialog or sidebar frame and try again."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetWorkspace();
        c.design();
        NameLayout();
        Build(LanguageCPP);
        EXPECT_EQ(Shown(), std::vector<std::string>{c.message});
        EXPECT_FALSE(AnyOutputFile());
    }
}

TEST_F(BuildTest, OnlyTheCurrentFrameHasToHaveAnOkButton) {
    AddSimpleDialog("ID=2 TITLE=\"Two\" OKCLOSEBUTTON=FALSE");
    AddSimpleDialog("ID=1 TITLE=\"One\"");
    NameLayout();
    Build(LanguageC);
    EXPECT_EQ(Shown(), std::vector<std::string>{Success()});
    // A modeless frame without OK passes the check.
    ResetWorkspace();
    AddSimpleDialog("ID=1 TITLE=\"Tool\" MODE=MODELESS OKCLOSEBUTTON=FALSE");
    NameLayout();
    Build(LanguageC);
    EXPECT_EQ(Shown(), std::vector<std::string>{Success()});
}

// A dialog with a tab control of group 2 and a form control of group 3; the
// tab pages are built in POS order, the form pages in ID order.
void AddDialogWithPages() {
    AddFrameAt("TABPAGE=T ID=1 POS=2 TITLE=\"Second\"", 3.5, 2, true, 2);
    AddFrameAt("FORMPAGE=T ID=2", 3.5, 2, true, 3);
    AddFrameAt("TABPAGE=T ID=2 POS=1 TITLE=\"First\"", 3.5, 2, true, 2);
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 3);
    AddFrameAt("ID=1 TITLE=\"Pages\"");
    AddPixelText({"TAB:Group=2  \n\n\n\n\n", "VarName=Tabs", TextBox_Filled, 14, 16});
    AddPixelText({"FM:Group=3", "VarName=Pages", TextBox_Filled, 14, 110});
}

TEST_F(BuildTest, FormAndTabPagesAreCalledInOrder) {
    AddDialogWithPages();
    NameLayout();
    Build(LanguageC);
    ASSERT_EQ(Shown(), std::vector<std::string>{Success()});
    const std::string builder = Output("guibld.c");
    EXPECT_NE(builder.find("  Tabs_TB_D1 = QorGUITabAdd(Dialog1Manager,\n"), std::string::npos);
    EXPECT_NE(builder.find(std::string(20, ' ') + "Tabs_TBA_D1_CB,\n" + std::string(20, ' ') +
                           "Tabs_TBD_D1_CB);\n\n"
                           "  BuildTab2_2(Tabs_TB_D1);\n  BuildTab1_2(Tabs_TB_D1);\n"),
              std::string::npos);
    EXPECT_NE(builder.find("  Pages_FM_D1 = QorGUIFormAdd(Dialog1Manager,\n"), std::string::npos);
    EXPECT_NE(builder.find(");\n  BuildForm1_3(Pages_FM_D1);\n  BuildForm2_3(Pages_FM_D1);\n"),
              std::string::npos);
    // The pages come before the dialog, in the host's frame order from the
    // current frame on (the dialog is current, then the bottom frame).
    const size_t tab1 = builder.find("void BuildTab1_2(GUIInt_t  Parent)\n{\n"
                                     "  if (Tab1_2Manager != BADDIALOGID)\n    return;\n\n"
                                     "  Tab1_2Manager = QorGUITabAddPage(Parent,\n" +
                                     std::string(31, ' ') + "\"Second\");\n}\n");
    const size_t form2 = builder.find("void BuildForm2_3(GUIInt_t  Parent)\n{\n"
                                      "  if (Form2_3Manager != BADDIALOGID)\n    return;\n\n"
                                      "  Form2_3Manager = QorGUIFormAddPage(Parent);\n\n}\n");
    const size_t tab2 = builder.find("void BuildTab2_2(GUIInt_t  Parent)");
    const size_t form1 = builder.find("void BuildForm1_3(GUIInt_t  Parent)");
    const size_t dialog = builder.find("void BuildDialog1(GUIInt_t  ParentDialog)");
    ASSERT_NE(tab1, std::string::npos);
    ASSERT_NE(form2, std::string::npos);
    EXPECT_LT(tab1, form2);
    EXPECT_LT(form2, tab2);
    EXPECT_LT(tab2, form1);
    EXPECT_LT(form1, dialog);
    EXPECT_NE(Output("GUIDEFS.h")
                  .find("extern GUIInt_t Tab1_2Manager;\n"
                        "extern void BuildTab1_2(GUIInt_t  Parent);\n\n"),
              std::string::npos);
}

TEST_F(BuildTest, FortranPageCallsAndInitDlb) {
    AddDialogWithPages();
    AddPixelText({"OPT:Mode", "", TextBox_Filled, 14, 150});
    NameLayout();
    Build(LanguageFORTRAN);
    ASSERT_EQ(Shown(), std::vector<std::string>{Success()});
    const std::string builder = Output("guibld.F");
    EXPECT_NE(builder.find("     &Tabs_TBD_D1_CB)\n\n"
                           "      CALL BuildTab2_2(Tabs_TB_D1)\n"
                           "      CALL BuildTab1_2(Tabs_TB_D1)\n"),
              std::string::npos);
    EXPECT_NE(builder.find("      CALL BuildForm1_3(Pages_FM_D1)\n"
                           "      CALL BuildForm2_3(Pages_FM_D1)\n"),
              std::string::npos);
    // Pages have no guard in FORTRAN.
    EXPECT_NE(
        builder.find("      NULLPTRHANDLE = 0\n\n      Tab1_2Manager = QorGUITabAddPage(Parent,\n"
                     "     &'Second'//char(0))\n"),
        std::string::npos);
    EXPECT_NE(builder.find("      Subroutine InitDLB()\n      INCLUDE 'ADDGLBL.INC'\n"
                           "      INCLUDE 'FGLUE.INC'\n      INCLUDE 'GUIDEFS.INC'\n"
                           "      Dialog1Manager = BADDIALOGID\n"
                           "      Tab1_2Manager = BADDIALOGID\n"
                           "      Form2_3Manager = BADDIALOGID\n"
                           "      Tab2_2Manager = BADDIALOGID\n"
                           "      Form1_3Manager = BADDIALOGID\n"
                           "C... Def value for Mode_OPT_D1_List.  Do not set here.  Set at end of "
                           "InitQorAddOn\n"
                           "      Mode_OPT_D1_List = \n"
                           "     &'Option 1,Option 2,Option 3'//char(0)\n"
                           "      Return\n      End\n"),
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
    NameLayout();
    const std::vector<UniqueID_t> order = [] {
        std::vector<UniqueID_t> ids;
        for (const auto &frame : quorvin::host::Host::instance().frames())
            ids.push_back(frame.uniqueId);
        return ids;
    }();

    for (int32_t language = 0; language <= 2; ++language) {
        SCOPED_TRACE(language);
        Build(language);
        std::vector<std::string> first;
        for (const std::string &name : OutputFileNames(language))
            first.push_back(Output(name));
        Build(language);
        std::vector<std::string> second;
        for (const std::string &name : OutputFileNames(language))
            second.push_back(Output(name));
        EXPECT_EQ(first, second);
        // Every page of both groups is there.
        const std::string &builder = first[1];
        for (const char *page : {"BuildTab1_1", "BuildTab2_1", "BuildTab1_2", "BuildTab2_2"})
            EXPECT_NE(builder.find(page), std::string::npos) << page;
        // The walks leave the frames as they were.
        std::vector<UniqueID_t> after;
        for (const auto &frame : host().frames())
            after.push_back(frame.uniqueId);
        EXPECT_EQ(after, order);
    }
    EXPECT_EQ(Shown(), std::vector<std::string>(6, Success()));
}

TEST_F(BuildTest, RadioBoxWithMoreThanFiveLabelsKeepsFiveAndWarns) {
    AddFrameAt("ID=1 TITLE=\"Six\"");
    AddPixelText({"~7 A\n~7 B\n~7 C\n~7 D\n~7 E\n~7 F", "VarName=Six", TextBox_Hollow, 14, 16});
    NameLayout();
    Build(LanguageC);
    ASSERT_EQ(Shown().size(), 2u);
    EXPECT_EQ(Shown()[0],
              "The radio box Six_RADIO_D1 in frame\nID=1 TITLE=\"Six\"\nhas 6 toggle labels; a "
              "radio box holds at most 5. Only the first 5 are built.");
    EXPECT_EQ(Shown()[1], Success());
    const std::string pad(33, ' ');
    EXPECT_NE(Output("guibld.c").find(pad + "\"E\",\n" + pad + "Six_RADIO_D1_CB);\n"),
              std::string::npos);
    EXPECT_EQ(Output("guibld.c").find("\"F\""), std::string::npos);
}

TEST_F(BuildTest, RadioBoxEndingInALineFeedKeepsItsLabels) {
    AddFrameAt("ID=1 TITLE=\"Two\"");
    AddPixelText({"~7 A\n~7 B\n", "VarName=Two", TextBox_Hollow, 14, 16});
    NameLayout();
    Build(LanguageC);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"Invalid Radio box toggle label", Success()}));
    const std::string pad(33, ' ');
    EXPECT_NE(
        Output("guibld.c").find(pad + "\"A\",\n" + pad + "\"B\",\n" + pad + "(char *)NULL,\n"),
        std::string::npos);
}

TEST_F(BuildTest, RepeatedIdentifiersAreReportedAndTheBuildGoesOn) {
    AddFrameAt("ID=1 TITLE=\"Main\"");
    AddPixelText({"Save", "VarName=Go", TextBox_Filled, 14, 16});
    AddPixelText({"Start", "VarName=Go", TextBox_Filled, 14, 40});
    NameLayout();
    Build(LanguageC);
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Two controls of frame\nID=1 TITLE=\"Main\"\nget the same identifier "
                           "Go_BTN_D1:\n\"Save\"\nand\n\"Start\"\nThe generated code will not "
                           "compile until one of them gets another VarName.",
                           Success()}));
    EXPECT_EQ(host().messages()[1].boxType, MessageBox_Warning);
}

TEST_F(BuildTest, ContainersWithOneManagerAreReportedAndTheBuildGoesOn) {
    AddSimpleDialog("ID=1 TITLE=\"A\"");
    AddSimpleDialog("ID=1 TITLE=\"B\"");
    NameLayout();
    Build(LanguageC);
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "The frames\nID=1 TITLE=\"B\"\nand\nID=1 TITLE=\"A\"\nboth make "
                           "Dialog1Manager.\nThe generated code will not compile until one of "
                           "them gets another ID.",
                           Success()}));
}

TEST_F(BuildTest, ControlsBeyondTheEdgeAreClippedWithOneWarningPerContainer) {
    for (int id = 1; id <= 2; ++id) {
        AddFrameAt("ID=" + std::to_string(id) + " TITLE=\"Clip\"");
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
        // Above and left of the frame's corner.
        AddPixelRectangle(-20, -30, 70, 60, "");
        AddPixelLine(-10, -5, 60, -5);
        // A captioned group frame whose caption would stick out at the top.
        AddPixelRectangle(14, 4, 70, 60, "Caption");
    }
    NameLayout();
    Build(LanguageC);
    const std::string warning = "One or more controls are positioned beyond the dialog frame "
                                "edge. The position of these controls will be clipped to the "
                                "dialog edge.";
    EXPECT_EQ(Shown(), (std::vector<std::string>{warning, warning, Success()}));
    const std::string builder = Output("guibld.c");
    // Clipped to 0, 0; the caption frame's y to 1 + trunc(Hc / 2) = 9
    // pixels (Hc is 17.6 for 12 points): 51 units.
    const std::string pad(13, ' ');
    EXPECT_NE(builder.find("  QorGUIFrameAdd(Dialog1Manager,\n" + pad + "0,\n" + pad + "0,\n"),
              std::string::npos);
    EXPECT_NE(builder.find("  QorGUIHorzSeparatorAdd(Dialog1Manager,\n" + std::string(21, ' ') +
                           "0,\n" + std::string(21, ' ') + "0,\n"),
              std::string::npos);
    EXPECT_NE(builder.find("  QorGUIFrameAdd(Dialog1Manager,\n" + pad + "189,\n" + pad + "51,\n"),
              std::string::npos);
}

} // namespace
} // namespace qgbtest
