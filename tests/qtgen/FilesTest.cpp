// What happens when the Qt files cannot be written, and the texts of the main
// window and resource file that the golden designs do not show.
#include "QtTestSupport.h"

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
using T = ElementType;
using qm::QtWriter;

using FilesTest = QtFixture;

TEST_F(FilesTest, ARepeatedClassNameStopsTheDialogsAfterTheFirst) {
    MakeProject();
    Dialog(1, false, "My Dialog");
    Dialog(2, false, "MyDialog");
    Dialog(3, false, "Later");
    QtWriter writer;
    EXPECT_FALSE(writer.writeDialogFiles(*parser));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "Error: dialog title MyDialog is not unique. All dialog title "
                                  "must be unique."}));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "mydialog" / "MyDialogDialog.ui"));
    // The first dialog's files are the first dialog's, not overwritten.
    EXPECT_NE(
        ReadFile(dialogsDirectory() / "mydialog" / "MyDialogDialog.ui").find("Dialog1_buttonBox"),
        std::string::npos);
    EXPECT_FALSE(fs::exists(dialogsDirectory() / "later"));
}

TEST_F(FilesTest, WhenTheDialogsRootCannotBeMadeNoDialogFileIsWritten) {
    MakeProject(false);
    WriteFile(root / "ui", "a file where the directory belongs");
    Dialog(1, false, "Dlg");
    QtWriter writer;
    EXPECT_FALSE(writer.writeDialogFiles(*parser));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "Error: Cannot create the directory " + basePath() +
                                  "../ui for the Qt dialog files.\nNo dialog file was written."}));
    EXPECT_FALSE(fs::exists(layoutDirectory() / "DlgDialog.ui"));
    EXPECT_FALSE(fs::exists(layoutDirectory() / "dlg"));
}

TEST_F(FilesTest, AFormThatCannotBeOpenedEndsTheDialogsAfterItsOtherFiles) {
    MakeProject();
    fs::create_directories(dialogsDirectory() / "first" / "FirstDialog.ui"); // in the way
    Dialog(1, false, "First");
    Dialog(2, false, "Second");
    QtWriter writer;
    EXPECT_FALSE(writer.writeDialogFiles(*parser));
    const std::string path = basePath() + "../ui/dialogs/first/FirstDialog.ui";
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Error: Cannot open file: " + path + "for writing."}));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "first" / "FirstDialog.h"));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "first" / "FirstDialog_guidefs.h"));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "first" / "_build"));
    EXPECT_FALSE(fs::exists(dialogsDirectory() / "second"));
}

TEST_F(FilesTest, AHeaderThatCannotBeOpenedLosesOnlyThatFile) {
    MakeProject();
    fs::create_directories(dialogsDirectory() / "first" / "FirstDialog.h"); // in the way
    Dialog(1, false, "First");
    Dialog(2, false, "Second");
    QtWriter writer;
    EXPECT_FALSE(writer.writeDialogFiles(*parser));
    EXPECT_EQ(host().messages().size(), 1u);
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "first" / "FirstDialog.ui"));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "first" / "FirstDialog_guidefs.h"));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "second" / "SecondDialog.h"));
}

TEST_F(FilesTest, MainWindowFilesAreAllOpenedBeforeAnyIsWritten) {
    MakeProject();
    fs::create_directories(mainWindowDirectory() / "MainWindowGenerated.h"); // in the way
    NewFrame();
    Add(DialogElement::makeSidebar(1, 100, 100, "Side"));
    QtWriter writer;
    EXPECT_FALSE(writer.writeMainWindowFiles(*parser));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Error: Cannot open file: " + basePath() +
                                        "../ui/mainwindow/qt/MainWindowGenerated.hfor writing."}));
    // The form that did open holds nothing: no half-written main window.
    EXPECT_EQ(ReadFile(mainWindowDirectory() / "MainWindowGenerated.ui"), "");
    EXPECT_FALSE(fs::exists(mainWindowDirectory() / "MainWindowDefs_generated.h"));
}

TEST_F(FilesTest, ResourceFileWithoutBitmapsHasAnEmptySection) {
    MakeProject();
    Dialog(1, false, "Only");
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_EQ(ReadFile(layoutDirectory() / "quorvinrs_generated.qrc"),
              "<RCC>\n  <qresource prefix=\"quorvinrs_bitmaps_generated\">\n"
              "   </qresource>\n</RCC>\n");
}

TEST_F(FilesTest, TheReserveCountIsTheNumberOfElementsWhenAbove100) {
    MakeProject();
    NewFrame();
    Add(DialogElement::makeSidebar(1, 100, 100, "Many"));
    for (int i = 0; i < 120; ++i)
        Control(T::Label, "L" + std::to_string(i), {0, 0, 1, 1}, "x");
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_NE(ReadFile(mainWindowDirectory() / "MainWindowGenerated.h")
                  .find("MainWindowGenerated::qtWidgets().reserve(121);\n"),
              std::string::npos);
}

} // namespace
} // namespace qgbtest
