// What happens when the Qt files cannot be written, and the texts of the main
// window and resource file that the golden designs do not show.
#include "QtTestSupport.h"

#include "qtgen/QtText.h"

namespace qgbtest {
namespace {

using T = ElementType;
using qm::QtWriter;

using FilesTest = QtFixture;

// Each obstacle stops the writing at its own point: the message shown ("@" is
// the base path), the files written before it and those never written. Paths
// are relative to the project's root.
TEST_F(FilesTest, EachObstacleStopsTheWritingWhereItIsMet) {
    // clang-format off
    const struct {
        const char *what;
        const char *obstacle; // a directory where this file belongs; "ui": a file instead
        std::vector<std::string> titles; // dialogs; none: a sidebar for the main window
        std::string message;
        std::vector<const char *> written, missing;
        const char *firstHolds; // a text the first written file holds; "": it is empty
    } cases[] = {
        {"a repeated class name stops the dialogs after the first", "", {"My Dialog", "MyDialog", "Later"},
         "Error: dialog title MyDialog is not unique. All dialog title must be unique.",
         {"ui/dialogs/mydialog/MyDialogDialog.ui"}, {"ui/dialogs/later"}, "Dialog1_buttonBox"}, // not overwritten
        {"no dialogs root, no dialog file", "ui", {"Dlg"},
         "Error: Cannot create the directory @../ui for the Qt dialog files.\nNo dialog file was written.",
         {}, {"layout/DlgDialog.ui", "layout/dlg"}, nullptr},
        {"a form ends the dialogs after its other files", "ui/dialogs/first/FirstDialog.ui", {"First", "Second"},
         "Error: Cannot open file: @../ui/dialogs/first/FirstDialog.uifor writing.",
         {"ui/dialogs/first/FirstDialog.h", "ui/dialogs/first/FirstDialog_guidefs.h", "ui/dialogs/first/_build"},
         {"ui/dialogs/second"}, nullptr},
        {"a header loses only that file", "ui/dialogs/first/FirstDialog.h", {"First", "Second"},
         "Error: Cannot open file: @../ui/dialogs/first/FirstDialog.hfor writing.",
         {"ui/dialogs/first/FirstDialog.ui", "ui/dialogs/first/FirstDialog_guidefs.h",
          "ui/dialogs/second/SecondDialog.h"}, {}, nullptr},
        // The main window's files are all opened before any is written: none is half-written.
        {"a main window file", "ui/mainwindow/qt/MainWindowGenerated.h", {},
         "Error: Cannot open file: @../ui/mainwindow/qt/MainWindowGenerated.hfor writing.",
         {"ui/mainwindow/qt/MainWindowGenerated.ui"}, {"ui/mainwindow/qt/MainWindowDefs_generated.h"}, ""},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FreshHost();
        parser = std::make_unique<qm::Parser>();
        fs::remove_all(root);
        const std::string obstacle = c.obstacle;
        MakeProject(obstacle != "ui");
        if (obstacle == "ui")
            WriteFile(root / "ui", "a file where the directory belongs");
        else if (!obstacle.empty())
            fs::create_directories(root / obstacle);
        uint32_t id = 1;
        for (const std::string &title : c.titles)
            Dialog(id++, false, title);
        if (c.titles.empty()) {
            NewFrame();
            Add(DialogElement::makeSidebar(1, 100, 100, "Side"));
        }
        QtWriter writer;
        EXPECT_FALSE(c.titles.empty() ? writer.writeMainWindowFiles(*parser)
                                      : writer.writeDialogFiles(*parser));
        std::string message = c.message;
        if (const size_t at = message.find('@'); at != std::string::npos)
            message.replace(at, 1, basePath());
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{message});
        for (const char *path : c.written)
            EXPECT_TRUE(fs::exists(root / path)) << path;
        for (const char *path : c.missing)
            EXPECT_FALSE(fs::exists(root / path)) << path;
        if (c.firstHolds) {
            const std::string first = ReadFile(root / c.written[0]);
            EXPECT_TRUE(*c.firstHolds ? first.find(c.firstHolds) != std::string::npos
                                      : first.empty())
                << first;
        }
    }
}

// More than 100 elements reserve their number of widget places; no bitmap
// leaves the resource section empty.
TEST_F(FilesTest, ReserveCountAboveAHundredAndAResourceFileWithoutBitmaps) {
    MakeProject();
    NewFrame();
    Add(DialogElement::makeSidebar(1, 100, 100, "Many"));
    for (int i = 0; i < 120; ++i)
        Control(T::Label, "L" + std::to_string(i), {0, 0, 1, 1}, "x");
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_NE(ReadFile(mainWindowDirectory() / "MainWindowGenerated.h")
                  .find("MainWindowGenerated::qtWidgets().reserve(121);\n"),
              std::string::npos);
    EXPECT_EQ(ReadFile(layoutDirectory() / "quorvinrs_generated.qrc"),
              "<RCC>\n  <qresource prefix=\"quorvinrs_bitmaps_generated\">\n"
              "   </qresource>\n</RCC>\n");
}

// A file that cannot be written says why, in the system's words.
TEST_F(FilesTest, AFullDiskIsNamedAfterTheMessage) {
    // Larger than any stream buffer, so that the failure is met while writing.
    EXPECT_FALSE(qm::qt::WriteWholeFile("/dev/full", std::string(1 << 17, 'x')));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Error: Cannot write file: /dev/full. The "
                                                       "disk may be full or the file may be in "
                                                       "use.\nNo space left on device"});
}

} // namespace
} // namespace qgbtest
