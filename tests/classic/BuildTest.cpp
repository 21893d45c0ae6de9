// The build command's failure paths, the checks made before a file is written
// and the order of the messages of unnamed controls (the warnings that let a
// build go on, and repeatable output, are in GoldenTest's edge-case design).
#include "ClassicSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "model/Settings.h"

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
};

// A file that cannot be opened or written, or a layout that cannot be saved:
// its message, then "Error writing files." and no success, the please-wait on
// and off. When a file cannot be opened, those that did are left empty and
// the layout is not saved; a failed save still completes the files.
TEST_F(BuildTest, WriteFailuresAreReportedAndNeverAsSuccess) {
    const std::string saveFailed = "Error saving layout file.\nYour work has not been saved.\n"
                                   "Please check file permissions on file\n" +
                                   dir + "design.lay.";
    // clang-format off
    const struct {
        int32_t language;
        const char *layout, *blocked, *full; // a directory in place of blocked, a link to /dev/full
        bool failSave;
        std::string first;
    } cases[] = {
        {LanguageC, "missing/design.lay", "", "", false, kOpenFailed},
        {LanguageCPP, "design.lay", "guibld.cpp", "", false, kOpenFailed},
        {LanguageC, "design.lay", "guidefs.c", "", false, kOpenFailed},
        {LanguageFORTRAN, "design.lay", "GUICB.INC", "", false, kOpenFailed},
        {LanguageFORTRAN, "design.lay", "GUIDEFS.INC", "", false, kOpenFailed},
        {LanguageCPP, "design.lay", "", "", true, saveFailed},
        {LanguageCPP, "design.lay", "", "guibld.cpp", false, "Could not write the file\n" + dir + "guibld.cpp\nNo space left on device"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first + " " + c.blocked);
        FreshHost();
        fs::remove_all(dir);
        fs::create_directories(dir + c.blocked);
        if (*c.full)
            fs::create_symlink("/dev/full", dir + c.full);
        AddSimpleDialog();
        host().setLayoutFileName(dir + c.layout);
        host().failNextSave(c.failSave);
        Build(c.language);
        EXPECT_EQ(Shown(), (std::vector<std::string>{c.first, kWriteFailed}));
        ExpectPleaseWaitOnAndOff();
        if (c.first == kOpenFailed) {
            EXPECT_FALSE(fs::exists(dir + c.layout));
            for (const std::string &name : OutputFileNames(c.language))
                if (*c.blocked && name != c.blocked) {
                    EXPECT_TRUE(fs::exists(dir + name)) << name;
                    EXPECT_EQ(Output(name), "") << name;
                }
        }
        if (c.failSave) {
            EXPECT_NE(Output("guicb.tmp").find("#include \"guibld.cpp\"\n"), std::string::npos);
            EXPECT_NE(Output("guibld.cpp").find("void InitDLB(void)"), std::string::npos);
            EXPECT_TRUE(fs::exists(dir + "dlb.cfg"));
        }
    }
}

// Checks that fail before a file is written: the one message, and nothing
// written (nor with a layout never saved). Each design is page frames (name,
// linking group; a name ending in "#" stands for 33 pages of IDs 1 to 33),
// the current frame with a button and a label (none when its name is empty),
// and one more text in it.
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
        EXPECT_TRUE(fs::is_empty(dir)) << "a file was written";
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

// An image that gets no identifier is reported where its statement would be
// made, among the other controls' messages in tab order, in every language.
TEST_F(BuildTest, UnnamedImagesAreReportedInTabOrder) {
    const std::string button = "Missing Control Name for: \nButton: !!" + std::string(28, ' ');
    const std::string image = dir + "icon.bmp";
    const std::string noVarName = "No variable name specified for image:\n\"" + image +
                                  "\"\nPlease add the VARNAME=[varname] to the macro function "
                                  "text for this image.";
    const std::string noLetters =
        "Missing Control Name for: \nBitmap Button: " + std::string(30, ' ');
    for (const int32_t language : {LanguageC, LanguageCPP, LanguageFORTRAN, LanguageQt}) {
        SCOPED_TRACE(language);
        FreshHost();
        WriteBmp(image, 2, 2, std::vector<unsigned char>(12, 200));
        AddFrameAt("ID=1 TITLE=\"Main\"");
        // Geometries come before texts in host order; the tab order puts
        // each image between two unnamed buttons.
        AddPixelImage(image, 60, 40, 2, "TabOrder=2");
        AddPixelImage(image, 60, 80, 2, "VarName=_ TabOrder=4");
        AddPixelText({"!!", "VarName=! TabOrder=1", TextBox_Filled, 14, 16});
        AddPixelText({"!!", "VarName=! TabOrder=3", TextBox_Filled, 14, 40});
        AddPixelText({"!!", "VarName=! TabOrder=5", TextBox_Filled, 14, 64});
        for (const char *sub : {"layout", "ui/mainwindow/qt"})
            fs::create_directories(dir + sub);
        host().setLayoutFileName(dir + "layout/design.lay");
        Build(language);
        std::vector<std::string> shown = Shown();
        ASSERT_FALSE(shown.empty()) << DescribeMessages();
        EXPECT_NE(shown.back().find("stub files have been written"), std::string::npos);
        shown.pop_back();
        EXPECT_EQ(shown, (std::vector<std::string>{button, noVarName, button, noLetters, button}))
            << DescribeMessages();
    }
}

} // namespace
} // namespace qgbtest
