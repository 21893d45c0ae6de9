// Where the Qt files land, what happens when they cannot be written, the main
// window and resource file texts, and that two builds write the same bytes.
#include "QtTestSupport.h"

#include <map>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
using T = ElementType;
using qm::QtWriter;

using FilesTest = QtFixture;

std::map<std::string, std::string> ReadTree(const fs::path &root) {
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        files[relative] = entry.is_regular_file() ? ReadFile(entry.path()) : "(directory)";
    }
    return files;
}

TEST_F(FilesTest, EachDialogGetsItsDirectoryBesideTheLayoutsDirectory) {
    MakeProject();
    Dialog(1, false, "My Dialog");
    Control(T::PushButton, "Go_BTN_D1", {0, 0, 10, 10}, "Go");
    Dialog(2, true, "2nd tools");
    const fs::path before = fs::current_path();
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    // Files are written by path: the process's directory stays where it was.
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();

    std::vector<std::string> listed;
    for (const auto &[path, text] : ReadTree(root))
        listed.push_back(path);
    EXPECT_EQ(listed, (std::vector<std::string>{
                          "layout",
                          "layout/quorvinrs_generated.qrc",
                          "ui",
                          "ui/dialogs",
                          "ui/dialogs/mydialog",
                          "ui/dialogs/mydialog/MyDialogDialog.h",
                          "ui/dialogs/mydialog/MyDialogDialog.ui",
                          "ui/dialogs/mydialog/MyDialogDialog_guidefs.h",
                          "ui/dialogs/mydialog/_build",
                          "ui/dialogs/twondtools",
                          "ui/dialogs/twondtools/TwondtoolsDialog.h",
                          "ui/dialogs/twondtools/TwondtoolsDialog.ui",
                          "ui/dialogs/twondtools/TwondtoolsDialog_guidefs.h",
                          "ui/dialogs/twondtools/_build",
                          "ui/mainwindow",
                          "ui/mainwindow/qt",
                          "ui/mainwindow/qt/MainWindowDefs_generated.h",
                          "ui/mainwindow/qt/MainWindowGenerated.h",
                          "ui/mainwindow/qt/MainWindowGenerated.ui",
                      }));
    EXPECT_TRUE(fs::is_empty(dialogsDirectory() / "mydialog" / "_build"));
}

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

TEST_F(FilesTest, ADialogWithoutAClassNameIsNamedAfterItsId) {
    MakeProject();
    Dialog(1, false, "!!!");
    Dialog(2, false, "Fine");
    QtWriter writer;
    EXPECT_TRUE(writer.writeDialogFiles(*parser));
    EXPECT_TRUE(MessageTexts().empty()) << DescribeMessages();
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "dialog1" / "Dialog1Dialog.ui"));
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "fine" / "FineDialog.ui"));
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

TEST_F(FilesTest, WithoutTheMainWindowDirectoryNothingOfTheMainWindowIsWritten) {
    MakeProject(false);
    NewFrame();
    Add(DialogElement::makeSidebar(1, 100, 100, "Side"));
    QtWriter writer;
    EXPECT_FALSE(writer.writeMainWindowFiles(*parser));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Error: Cannot open file: " + basePath() +
                                        "../ui/mainwindow/qt/MainWindowGenerated.uifor writing."}));
    EXPECT_FALSE(fs::exists(root / "ui" / "mainwindow"));
    // The resource file is still written.
    EXPECT_TRUE(writer.writeResourceFile());
    EXPECT_TRUE(fs::exists(layoutDirectory() / "quorvinrs_generated.qrc"));
}

TEST_F(FilesTest, MissingUiAndDialogsDirectoriesAreMade) {
    MakeProject(false);
    Dialog(1, false, "Dlg");
    QtWriter writer;
    EXPECT_TRUE(writer.writeDialogFiles(*parser)) << DescribeMessages();
    EXPECT_TRUE(fs::exists(dialogsDirectory() / "dlg" / "DlgDialog.ui"));
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

TEST_F(FilesTest, ResourceFileListsEachIconOnceInAscendingOrder) {
    MakeProject();
    Dialog(1, false, "Dlg");
    DialogElement::ImageData image;
    for (const char *file : {"/p/zoom.bmp", "C:\\p\\add.bmp", "/q/zoom.bmp", "mid"}) {
        image.file = file;
        Add(DialogElement::makeBitmapButton(false, 1, {0, 0, 8, 8}, "B", "", "", "B_CB", image));
    }
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_EQ(ReadFile(layoutDirectory() / "quorvinrs_generated.qrc"),
              "<RCC>\n  <qresource prefix=\"quorvinrs_bitmaps_generated\">\n"
              "        <file>add.png</file>\n"
              "        <file>mid.png</file>\n"
              "        <file>zoom.png</file>\n"
              "   </qresource>\n</RCC>\n");
}

TEST_F(FilesTest, ResourceFileWithoutBitmapsHasAnEmptySection) {
    MakeProject();
    Dialog(1, false, "Only");
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_EQ(ReadFile(layoutDirectory() / "quorvinrs_generated.qrc"),
              "<RCC>\n  <qresource prefix=\"quorvinrs_bitmaps_generated\">\n"
              "   </qresource>\n</RCC>\n");
}

TEST_F(FilesTest, SidebarsBecomeStackPagesInSetOrder) {
    MakeProject();
    TabPage(4, 1, 1, "Inner");
    Control(T::SingleList, "Inner_SLST_T1_4", {1, 1, 5, 5});
    NewFrame();
    Add(DialogElement::makeSidebar(2, 200, 300, "Two"));
    Control(T::MultiList, "Files_MLST_S2", {1, 1, 5, 5});
    Add(DialogElement::makeTabControl(2, 4, "Tabs_TB_S2", {1, 30, 50, 50}, "Tabs_TBA_S2",
                                      "Tabs_TBD_S2"));
    NewFrame();
    Add(DialogElement::makeSidebar(5, 200, 300, "Five"));
    Add(DialogElement::makeSpin(5, {1, 1, 5, 5}, "Step_TFS_S5", "", "", "V", "U", "D"));
    ASSERT_TRUE(WriteAll()) << DescribeMessages();

    const std::string header = ReadFile(mainWindowDirectory() / "MainWindowGenerated.h");
    EXPECT_NE(header.find(R"(    MainWindowGenerated() : m_currentSidebarIndex(-1)
    {
        m_textScheduler.reset(new QorGUITextCallbackOnIdle(quorvin::sdk::integration::Manager::getInstance().getEventManager()));
        m_intScheduler.reset(new QorGUIIntCallbackOnIdle(quorvin::sdk::integration::Manager::getInstance().getEventManager()));

        m_ui.setupUi(this);
        MainWindowGenerated::qtWidgets().reserve(100);
        m_ui.Files_MLST_S2->setItemDelegate(&m_listItemDelegate);
        // Sidebar Sidebar2Manager has index 0
        extern void Sidebar2Activate_CB(void);
        extern void Sidebar2Deactivate_CB(void);
        m_sidebarActivateMap[0]   = Sidebar2Activate_CB;
        m_sidebarDeactivateMap[0] = Sidebar2Deactivate_CB;

        // Sidebar Sidebar5Manager has index 1
        extern void Sidebar5Activate_CB(void);
        extern void Sidebar5Deactivate_CB(void);
        m_sidebarActivateMap[1]   = Sidebar5Activate_CB;
        m_sidebarDeactivateMap[1] = Sidebar5Deactivate_CB;

       extern GUIInt_t Tab1_4Manager; // tab page 0
       m_tabIndexToIdMap_Tabs_TB_S2[0] = &Tab1_4Manager;
   }
)"),
              std::string::npos)
        << header;
    // Only lists that sit directly on a sidebar get the delegate here.
    EXPECT_EQ(header.find("Inner_SLST_T1_4->setItemDelegate"), std::string::npos);
    EXPECT_NE(header.find("    std::map<int,GUIInt_t*>  m_tabIndexToIdMap_Tabs_TB_S2;\n"),
              std::string::npos);
    const size_t first = header.find("\n// Sidebar: Sidebar2Manager\n");
    const size_t second = header.find("\n// Sidebar: Sidebar5Manager\n");
    EXPECT_TRUE(first != std::string::npos && second != std::string::npos && first < second);

    const std::string form = ReadFile(mainWindowDirectory() / "MainWindowGenerated.ui");
    const size_t page2 =
        form.find("<widget class=\"QWidget\" name=\"Sidebar_page_Sidebar2Manager\">");
    const size_t page5 =
        form.find("<widget class=\"QWidget\" name=\"Sidebar_page_Sidebar5Manager\">");
    EXPECT_TRUE(page2 != std::string::npos && page5 != std::string::npos && page2 < page5);
    EXPECT_NE(form.find("<customwidgets>\n  <customwidget>\n    <class>QuorvinSpinBox</class>"),
              std::string::npos);

    const std::string definitions = ReadFile(mainWindowDirectory() / "MainWindowDefs_generated.h");
    EXPECT_NE(definitions.find(R"(
// Sidebar2Manager
DLB_EXTERN GUIInt_t Sidebar2Manager;
DLB_EXTERN GUIInt_t Files_MLST_S2;
DLB_EXTERN GUIInt_t Tabs_TB_S2;
DLB_EXTERN GUIInt_t Tab1_4Manager;
DLB_EXTERN GUIInt_t Inner_SLST_T1_4;

// Sidebar5Manager
DLB_EXTERN GUIInt_t Sidebar5Manager;
DLB_EXTERN GUIInt_t Step_TFS_S5;
)"),
              std::string::npos)
        << definitions;
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
