// The Qt output of the sample design checked with Qt's own tools: every form
// passes uic, the resource file passes rcc, every generated header passes moc
// and compiles against Qt 5 Widgets, and the sample dialog runs offscreen.
#include "QtTestSupport.h"

#include <sstream>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;

#if defined(QGB_QT_UIC)
constexpr bool kHaveQt = true;
const char *const kUic = QGB_QT_UIC;
const char *const kMoc = QGB_QT_MOC;
const char *const kRcc = QGB_QT_RCC;
const char *const kQtIncludes = QGB_QT_INCLUDES;
const char *const kQtLibraries = QGB_QT_LIBRARIES;
const char *const kCxx = QGB_CXX;
#else
constexpr bool kHaveQt = false;
const char *const kUic = "";
const char *const kMoc = "";
const char *const kRcc = "";
const char *const kQtIncludes = "";
const char *const kQtLibraries = "";
const char *const kCxx = "";
#endif

std::vector<std::string> Split(const std::string &text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

std::vector<fs::path> FilesWithExtension(const fs::path &directory, const std::string &ext) {
    std::vector<fs::path> files;
    for (const auto &entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file() && entry.path().extension() == ext)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// A valid 1 x 1 PNG picture.
const unsigned char kTinyPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
    0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08,
    0xd7, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x00, 0x03, 0x01, 0x01, 0x00, 0x18, 0xdd, 0x8d,
    0xb0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

// The output of the sample program with the geometry of form and tab pages
// left out: Qt's stacked layouts size the page shown and leave the others.
std::string WithoutPageGeometry(const std::string &output) {
    std::istringstream in(output);
    std::string result;
    for (std::string line; std::getline(in, line);) {
        for (const char *page : {"widget Form", "widget Tab"}) {
            const size_t geometry = line.find(" QWidget ");
            if (line.rfind(page, 0) == 0 && geometry != std::string::npos)
                line = line.substr(0, geometry) + " QWidget (page) \"\"";
        }
        result += line + "\n";
    }
    return result;
}

// Runs the sample program offscreen with the given actions; its standard
// error (Qt's platform notes) is left out.
Result RunProgram(const fs::path &program, const std::vector<std::string> &actions) {
    std::vector<std::string> command = {"env", "QT_QPA_PLATFORM=offscreen", program.string()};
    command.insert(command.end(), actions.begin(), actions.end());
    return RunCommand(command, false);
}

class QtRealTools : public QtFixture {
  protected:
    void SetUp() override {
        QtFixture::SetUp();
        if (!kHaveQt)
            GTEST_SKIP() << "Qt 5 development tools were not found when the tests were configured";
        MakeProject();
        AddSampleDesign();
        ASSERT_TRUE(WriteAll()) << DescribeMessages();
        ASSERT_TRUE(host().messages().empty()) << DescribeMessages();
    }

    // Runs uic on every form, writing ui_<form>.h beside it.
    void RunUic() {
        const std::vector<fs::path> forms = FilesWithExtension(root / "ui", ".ui");
        ASSERT_EQ(forms.size(), 3u); // two dialogs and the main window
        for (const fs::path &form : forms) {
            const fs::path header = form.parent_path() / ("ui_" + form.stem().string() + ".h");
            const Result uic = RunCommand({kUic, form.string(), "-o", header.string()});
            EXPECT_EQ(uic.status, 0) << form << ":\n" << uic.output;
            EXPECT_EQ(uic.output, "") << form;
        }
    }

    std::vector<std::string> CompileFlags() const {
        std::vector<std::string> flags = {"-std=c++17",
                                          "-fPIC",
                                          "-O0",
                                          "-I" + (fs::path(QGB_SOURCE_DIR) / "sdk").string(),
                                          "-I" + QtSdkDirectory().string(),
                                          "-I" + mainWindowDirectory().string()};
        for (const fs::path &dir : fs::directory_iterator(dialogsDirectory()))
            flags.push_back("-I" + dir.string());
        for (const std::string &dir : Split(kQtIncludes, '|'))
            flags.push_back("-I" + dir);
        return flags;
    }

    static fs::path FixtureDirectory() { return fs::path(QGB_SOURCE_DIR) / "tests/fixtures/qt"; }
    static fs::path QtSdkDirectory() { return fs::path(QGB_SOURCE_DIR) / "sdk/qt"; }

    // Compiles one translation unit into an object file.
    void Compile(const fs::path &source, const fs::path &object) {
        std::vector<std::string> command = {kCxx, "-c", source.string(), "-o", object.string()};
        for (const std::string &flag : CompileFlags())
            command.push_back(flag);
        const Result result = RunCommand(command);
        ASSERT_EQ(result.status, 0) << "compiling " << source << ":\n" << result.output;
    }
};

TEST_F(QtRealTools, ResourceFilePassesRcc) {
    const fs::path qrc = layoutDirectory() / "quorvinrs_generated.qrc";
    // The build lists the icons; the designer provides the pictures.
    for (const char *icon : {"lock.png", "open.png", "save.png"})
        WriteFile(layoutDirectory() / icon,
                  std::string(reinterpret_cast<const char *>(kTinyPng), sizeof kTinyPng));
    const Result rcc =
        RunCommand({kRcc, qrc.string(), "-o", (root / "qrc_quorvinrs.cpp").string()});
    EXPECT_EQ(rcc.status, 0) << rcc.output;
    EXPECT_EQ(rcc.output, "");
    // Every listed picture is in the compiled resource.
    const std::string compiled = ReadFile(root / "qrc_quorvinrs.cpp");
    for (const char *name : {"lock.png", "open.png", "save.png"})
        EXPECT_NE(compiled.find(name), std::string::npos) << name;
}

TEST_F(QtRealTools, HeadersPassMocCompileAndTheSampleRunsOffscreen) {
    ASSERT_NO_FATAL_FAILURE(RunUic());
    const fs::path build = root / "build";
    fs::create_directories(build);

    // moc on every class header; each moc output compiles on its own, which
    // compiles its header (and the ui_ header it includes) stand-alone.
    std::vector<fs::path> headers = {dialogsDirectory() / "sample" / "SampleDialog.h",
                                     dialogsDirectory() / "toolspanel" / "ToolspanelDialog.h",
                                     mainWindowDirectory() / "MainWindowGenerated.h",
                                     QtSdkDirectory() / "QuorvinSpinBox.h",
                                     QtSdkDirectory() / "QuorvinTabWidget.h"};
    std::vector<fs::path> objects;
    for (const fs::path &header : headers) {
        ASSERT_TRUE(fs::exists(header)) << header;
        const fs::path mocSource = build / ("moc_" + header.stem().string() + ".cpp");
        const Result moc = RunCommand({kMoc, header.string(), "-o", mocSource.string()});
        ASSERT_EQ(moc.status, 0) << header << ":\n" << moc.output;
        EXPECT_EQ(moc.output, "") << header;
        objects.push_back(build / (mocSource.stem().string() + ".o"));
        ASSERT_NO_FATAL_FAILURE(Compile(mocSource, objects.back()));
    }

    // The program: every generated header with its definitions, the
    // host's Qt SDK (sdk/qt), and callbacks that print their calls.
    WriteFile(build / "AllGenerated.h", "#include \"MainWindowGenerated.h\"\n"
                                        "#include \"SampleDialog.h\"\n"
                                        "#include \"ToolspanelDialog.h\"\n");
    WriteFile(build / "Stubs.cpp", CallbackStubs(*parser));
    const std::vector<fs::path> sources = {FixtureDirectory() / "SampleMain.cpp",
                                           QtSdkDirectory() / "QorGUICallbackUtil.cpp",
                                           build / "Stubs.cpp"};
    for (const fs::path &source : sources) {
        objects.push_back(build / (source.stem().string() + ".o"));
        std::vector<std::string> command = {
            kCxx, "-c", source.string(), "-o", objects.back().string(), "-I" + build.string()};
        for (const std::string &flag : CompileFlags())
            command.push_back(flag);
        const Result result = RunCommand(command);
        ASSERT_EQ(result.status, 0) << "compiling " << source << ":\n" << result.output;
    }
    const fs::path program = build / "sample";
    std::vector<std::string> link = {kCxx, "-o", program.string()};
    for (const fs::path &object : objects)
        link.push_back(object.string());
    for (const std::string &library : Split(kQtLibraries, '|'))
        link.push_back(library);
    const Result linked = RunCommand(link);
    ASSERT_EQ(linked.status, 0) << linked.output;

    // The sample dialog as the user sees it: every control of the design
    // with its class, geometry (relative to its page for page controls) and
    // text; its picture is saved for a person to look at.
    const fs::path picture = fs::path(QGB_BINARY_DIR) / "tests" / "qt-sample-dialog.png";
    fs::remove(picture);
    const Result dump =
        RunProgram(program, {"target:SampleDialogUI", "dump", "png:" + picture.string()});
    EXPECT_EQ(dump.status, 0) << dump.output;
    EXPECT_EQ(WithoutPageGeometry(dump.output), R"--(callback Sidebar5Activate_CB
> target:SampleDialogUI
callback Dialog1Init_CB
> dump
top SampleDialogUI SampleDialog 480x442 "Sample"
widget Align_RADIO_D1_0 QRadioButton 250 180 100 20 "Left"
widget Align_RADIO_D1_1 QRadioButton 250 200 100 20 "Center"
widget Align_RADIO_D1_2 QRadioButton 250 220 100 20 "Right"
widget Bold_TOG_T1_3 QCheckBox 10 40 80 16 "Bold"
widget Caption_LBL_D1 QLabel 250 10 120 30 "Caption\nsecond line"
widget Count_TFS_D1 QuorvinSpinBox 360 180 80 22 ""
widget Dialog1_buttonBox QDialogButtonBox 10 411 460 23 ""
widget Done_LBL_F2_4 QLabel 5 5 100 16 "Page two"
widget Form1_4Manager QWidget (page) ""
widget Form2_4Manager QWidget (page) ""
widget Go_BTN_D1 QPushButton 250 50 90 24 "Go & run"
widget Hint_LBL_F1_4 QLabel 5 5 100 16 "Page one"
widget Info_T_D1 QPlainTextEdit 15 95 120 40 " (read-only)"
widget Items_MLST_D1 QListWidget 250 110 100 60 ""
widget Level_SC_T2_3 QSlider 10 10 150 24 ""
widget Lock_BB_D1 QPushButton 125 198 24 24 ""
widget Mode_OPT_D1 QComboBox 250 80 120 22 ""
widget Name_TF_T1_3 QLineEdit 10 10 120 20 ""
widget Next_BTN_F1_4 QPushButton 5 30 80 24 "Next"
widget Notes_T_D1 QPlainTextEdit 15 50 120 40 ""
widget Open_BB_D1 QPushButton 95 198 24 24 ""
widget Pages_TB_D1 QuorvinTabWidget 10 256 220 114 "First=Tab2_3Manager|Second=Tab1_3Manager"
widget Pick_SLST_D1 QListWidget 360 110 100 60 ""
widget Red_BTN_D1 QPushButton 350 50 24 24 ""
widget Show_TOG_D1 QCheckBox 15 200 72 20 "Show"
widget Stack_FM_D1 QStackedWidget 250 260 200 100 "Form1_4Manager|Form2_4Manager"
widget Tab1_3Manager QWidget (page) ""
widget Tab2_3Manager QWidget (page) ""
widget Title_TF_D1 QLineEdit 15 20 120 22 ""
widget Zoom_SC_D1 QSlider 15 170 200 24 ""
widget groupBox QGroupBox 5 0 230 155 "Options"
widget line QFrame 240 5 3 240 ""
widget line1 QFrame 5 250 470 3 ""
> png:)--" + picture.string() + "\n");
    EXPECT_TRUE(fs::exists(picture));

    // Pressing the modal dialog's controls reaches the designer's callbacks
    // directly, with the values the callbacks are documented to get.
    const Result modal = RunProgram(program, {"target:SampleDialogUI",
                                              "click:Go_BTN_D1",
                                              "click:Red_BTN_D1",
                                              "click:Open_BB_D1",
                                              "click:Lock_BB_D1",
                                              "click:Show_TOG_D1",
                                              "click:Align_RADIO_D1_2",
                                              "text:Title_TF_D1:hello",
                                              "option:Mode_OPT_D1:2",
                                              "list:Items_MLST_D1:1",
                                              "scale:Zoom_SC_D1:40",
                                              "drag:Zoom_SC_D1:55",
                                              "spinup:Count_TFS_D1",
                                              "tab:Pages_TB_D1:1",
                                              "tab:Pages_TB_D1:0",
                                              "box:Help",
                                              "box:Ok",
                                              "box:Cancel",
                                              "reject",
                                              "close"});
    EXPECT_EQ(modal.status, 0) << modal.output;
    EXPECT_EQ(modal.output, R"(callback Sidebar5Activate_CB
> target:SampleDialogUI
callback Dialog1Init_CB
> click:Go_BTN_D1
callback Go_BTN_D1_CB
> click:Red_BTN_D1
callback Red_BTN_D1_CB
> click:Open_BB_D1
callback Open_BB_D1_CB
> click:Lock_BB_D1
callback Lock_BB_D1_CB 1
> click:Show_TOG_D1
callback Show_TOG_D1_CB 1
> click:Align_RADIO_D1_2
callback Align_RADIO_D1_CB 3
> text:Title_TF_D1:hello
callback Title_TF_D1_CB "hello"
> option:Mode_OPT_D1:2
callback Mode_OPT_D1_CB 3
> list:Items_MLST_D1:1
callback Items_MLST_D1_CB 2
> scale:Zoom_SC_D1:40
callback Zoom_SC_D1_CB 40
> drag:Zoom_SC_D1:55
callback Zoom_SCD_D1_CB 55
callback Zoom_SC_D1_CB 55
> spinup:Count_TFS_D1
callback Count_TFS_D1_ButtonUp_CB
callback Count_TFS_D1_ValueChanged_CB "1"
> tab:Pages_TB_D1:1
callback Pages_TBA_D1_CB Tab1_3Manager
> tab:Pages_TB_D1:0
callback Pages_TBD_D1_CB Tab1_3Manager
callback Pages_TBA_D1_CB Tab2_3Manager
> box:Help
callback Dialog1HelpButton_CB
> box:Ok
callback Dialog1OkButton_CB
> box:Cancel
callback Dialog1CancelButton_CB
> reject
 Sample (Dialog1Manager) reject callback().
callback Dialog1CancelButton_CB
> close
callback Dialog1CancelButton_CB
)");

    // In a modeless dialog the option menu and scale callbacks wait for idle
    // time; the close button serves closing, rejecting and accepting.
    const Result modeless = RunProgram(
        program, {"target:ToolspanelDialogUI", "option:Speed_OPT_D2:1", "scale:Rate_SC_D2:30",
                  "idle", "click:Reset_BTN_D2", "box:Close", "reject", "close"});
    EXPECT_EQ(modeless.status, 0) << modeless.output;
    EXPECT_EQ(modeless.output, R"(callback Sidebar5Activate_CB
> target:ToolspanelDialogUI
callback Dialog2Init_CB
> option:Speed_OPT_D2:1
> scale:Rate_SC_D2:30
> idle
callback Speed_OPT_D2_CB 2
callback Rate_SC_D2_CB 30
ran 2
> click:Reset_BTN_D2
callback Reset_BTN_D2_CB
> box:Close
callback Dialog2CloseButton_CB
> reject
 Toolspanel (Dialog2Manager) reject callback().
callback Dialog2CloseButton_CB
> close
callback Dialog2CloseButton_CB
)");

    // The sidebars are pages of the main window's dock: switching pages
    // deactivates the page left and activates the page shown.
    const fs::path sidebars = fs::path(QGB_BINARY_DIR) / "tests" / "qt-sample-sidebar.png";
    const Result mainWindow = RunProgram(
        program, {"target:MainWindow", "sidebar:0", "list:Files_SLST_S2:0", "spinup:Step_TFS_S2",
                  "sidebar:1", "click:Run_BTN_S5", "click:Kind_RADIO_S5_1", "click:Save_BB_S5",
                  "click:Open_BB_S5", "png:" + sidebars.string(), "dump"});
    EXPECT_EQ(mainWindow.status, 0) << mainWindow.output;
    const std::string expectedStart = R"(callback Sidebar5Activate_CB
> target:MainWindow
> sidebar:0
callback Sidebar2Activate_CB
> list:Files_SLST_S2:0
callback Files_SLST_S2_CB 1
> spinup:Step_TFS_S2
callback Step_TFS_S2_ButtonUp_CB
callback Step_TFS_S2_ValueChanged_CB "1"
> sidebar:1
callback Sidebar2Deactivate_CB
callback Sidebar5Activate_CB
> click:Run_BTN_S5
callback Run_BTN_S5_CB
> click:Kind_RADIO_S5_1
callback Kind_RADIO_S5_CB 2
> click:Save_BB_S5
callback Save_BB_S5_CB
> click:Open_BB_S5
callback Open_BB_S5_CB
)";
    EXPECT_EQ(mainWindow.output.substr(0, expectedStart.size()), expectedStart);
    for (const char *line :
         {"widget Files_SLST_S2 QListWidget 5 5 180 100 \"\"",
          "widget Step_TFS_S2 QuorvinSpinBox 5 110 80 22 \"\"",
          "widget SideTabs_TB_S2 QuorvinTabWidget 5 146 190 144 \"Inner=Tab1_5Manager\"",
          "widget Inner_SLST_T1_5 QListWidget 5 5 150 80 \"\"",
          "widget Kind_RADIO_S5_0 QRadioButton 5 5 150 20 \"Points\"",
          "widget Kind_RADIO_S5_1 QRadioButton 5 25 150 20 \"Lines\"",
          "widget Run_BTN_S5 QPushButton 5 50 80 24 \"Run\"",
          "widget Sidebar_page_Sidebar2Manager QWidget",
          "widget Sidebar_page_Sidebar5Manager QWidget",
          "widget sidebarStackedWidget QStackedWidget 0 0 211 700 "
          "\"Sidebar_page_Sidebar2Manager|Sidebar_page_Sidebar5Manager\""})
        EXPECT_NE(mainWindow.output.find(std::string("\n") + line), std::string::npos) << line;
}

} // namespace
} // namespace qgbtest
