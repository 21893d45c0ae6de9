// The Qt output checked with Qt's own tools: every form passes uic, the
// resource file passes rcc, every generated header passes moc and compiles
// against Qt 5 Widgets; the sample program runs offscreen.
#include "HostileTexts.h"
#include "QtTools.h"

#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace qgbtest {
namespace {

// A valid 1 x 1 PNG picture.
const unsigned char kTinyPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00,
    0x00, 0x90, 0x77, 0x53, 0xde, 0x00, 0x00, 0x00, 0x0c, 0x49, 0x44, 0x41, 0x54, 0x08,
    0xd7, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x00, 0x03, 0x01, 0x01, 0x00, 0x18, 0xdd, 0x8d,
    0xb0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

// The output of the sample program with the geometry of form and tab pages
// left out (Qt's stacked layouts size the page shown and leave the others),
// and of the main window's own layout, which follows the platform's fonts.
std::string WithoutPageGeometry(const std::string &output) {
    std::istringstream in(output);
    std::string result;
    for (std::string line; std::getline(in, line);) {
        for (const char *page :
             {"widget Form", "widget Tab", "widget centralwidget", "widget dockWidgetContents"}) {
            const size_t geometry = line.find(" QWidget ");
            if (line.rfind(page, 0) == 0 && geometry != std::string::npos)
                line = line.substr(0, geometry) + " QWidget (laid out by Qt) \"\"";
        }
        result += line + "\n";
    }
    return result;
}

// C++ definitions of every callback the generated headers under "<root>/ui"
// declare; each prints "callback <name>" and its value: a text, the name of a
// tab page, or an integer.
std::string CallbackStubs(const fs::path &root) {
    const std::regex callback(R"(extern (void|GUIInt_t) (\w+)\(([^)]*)\);)");
    const std::regex page(R"(extern GUIInt_t (\w+Manager);)");
    std::set<std::string> pages;
    std::map<std::string, std::string> stubs;
    for (const fs::path &header : FilesWithExtension(root / "ui", ".h")) {
        const std::string text = ReadFile(header);
        for (std::sregex_iterator m(text.begin(), text.end(), page), end; m != end; ++m)
            pages.insert((*m)[1]);
        for (std::sregex_iterator m(text.begin(), text.end(), callback), end; m != end; ++m) {
            const std::string name = (*m)[2], parameters = (*m)[3];
            // The generated builder functions are defined, not called back.
            if (name.rfind("Build", 0) == 0 || name.rfind("build", 0) == 0)
                continue;
            const std::string print = "    std::cout << \"callback " + name + "\"";
            if (parameters.find("char") != std::string::npos)
                stubs[name] = "GUIInt_t " + name + "(const char *text)\n{\n" + print +
                              " << \" \\\"\" << text << \"\\\"\" << std::endl;\n    return 0;\n}\n";
            else if (parameters.find("GUIInt_t") != std::string::npos)
                stubs[name] = "void " + name + "(const GUIInt_t *value)\n{\n" + print +
                              " << \" \" << Describe(value) << std::endl;\n}\n";
            else
                stubs[name] = "void " + name + "()\n{\n" + print + " << std::endl;\n}\n";
        }
    }
    std::string out = "#include \"QORADDON.h\"\n#include <iostream>\n#include <string>\n\n";
    for (const std::string &name : pages)
        out += "extern GUIInt_t " + name + ";\n";
    out += "\nstatic std::string Describe(const GUIInt_t *value)\n{\n";
    for (const std::string &name : pages)
        out += "    if (value == &" + name + ") return \"" + name + "\";\n";
    out += "    return std::to_string(*value);\n}\n\n";
    for (const auto &[name, stub] : stubs)
        out += stub;
    return out;
}

// The Qt tools' verdicts, then the program's runs as golden outputs in
// tests/golden/qt/every-kind-program/ (one file per run).
TEST_F(QtGoldenTest, SampleOutputPassesQtToolsAndRuns) {
    if (!kHaveQt)
        GTEST_SKIP() << "Qt 5 development tools were not found when the tests were configured";
    MakeProject();
    AddSampleDesign();
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    ASSERT_TRUE(host().messages().empty()) << DescribeMessages();

    // The build lists the icons; the designer provides the pictures.
    for (const char *icon : {"lock.png", "open.png", "save.png"})
        WriteFile(layoutDirectory() / icon,
                  std::string(reinterpret_cast<const char *>(kTinyPng), sizeof kTinyPng));
    ExpectToolAccepts(kRcc, layoutDirectory() / "quorvinrs_generated.qrc",
                      root / "qrc_quorvinrs.cpp");

    // uic on every form, writing ui_<form>.h beside it.
    const std::vector<fs::path> forms = FilesWithExtension(root / "ui", ".ui");
    ASSERT_EQ(forms.size(), 3u); // two dialogs and the main window
    for (const fs::path &form : forms)
        ASSERT_NO_FATAL_FAILURE(ExpectToolAccepts(
            kUic, form, form.parent_path() / ("ui_" + form.stem().string() + ".h")));
    const fs::path build = root / "build";
    fs::create_directories(build);

    // moc on every class header; each moc output compiles on its own, which
    // compiles its header (and the ui_ header it includes) stand-alone.
    std::vector<fs::path> objects;
    for (const fs::path &header : {dialogsDirectory() / "sample" / "SampleDialog.h",
                                   dialogsDirectory() / "toolspanel" / "ToolspanelDialog.h",
                                   mainWindowDirectory() / "MainWindowGenerated.h",
                                   kQtSdk / "QuorvinSpinBox.h", kQtSdk / "QuorvinTabWidget.h"}) {
        const fs::path mocSource = build / ("moc_" + header.stem().string() + ".cpp");
        ASSERT_NO_FATAL_FAILURE(ExpectToolAccepts(kMoc, header, mocSource));
        objects.push_back(build / (mocSource.stem().string() + ".o"));
        ASSERT_NO_FATAL_FAILURE(CompileAgainstQt(root, mocSource, objects.back()));
    }

    // The program: every generated header with its definitions, the
    // host's Qt SDK (sdk/qt), and callbacks that print their calls.
    WriteFile(build / "AllGenerated.h", "#include \"MainWindowGenerated.h\"\n"
                                        "#include \"SampleDialog.h\"\n"
                                        "#include \"ToolspanelDialog.h\"\n");
    WriteFile(build / "Stubs.cpp", CallbackStubs(root));
    for (const fs::path &source : {fs::path(QGB_SOURCE_DIR) / "tests/fixtures/qt/SampleMain.cpp",
                                   kQtSdk / "QorGUICallbackUtil.cpp", build / "Stubs.cpp"}) {
        objects.push_back(build / (source.stem().string() + ".o"));
        ASSERT_NO_FATAL_FAILURE(
            CompileAgainstQt(root, source, objects.back(), {"-I" + build.string()}));
    }
    const fs::path program = build / "sample";
    std::vector<std::string> link = {kCxx, "-o", program.string()};
    for (const fs::path &object : objects)
        link.push_back(object.string());
    AppendList(link, QGB_QT_LIBRARIES);
    const Result linked = RunCommand(link);
    ASSERT_EQ(linked.status, 0) << linked.output;

    // Each run: the sample dialog as the user sees it (every control with its
    // class, geometry and text; its picture is saved for a person to look
    // at); pressing the modal dialog's controls, which reaches the callbacks
    // directly with their documented values; the modeless dialog, whose
    // option menu and scale callbacks wait for idle time; and the main
    // window's sidebars, where switching pages deactivates the page left.
    const struct {
        const char *file;
        std::vector<std::string> actions;
    } runs[] = {
        // clang-format off
        {"dump.txt", {"target:SampleDialogUI", "dump", "png:qt-sample-dialog.png"}},
        {"modal.txt",
         {"target:SampleDialogUI", "click:Go_BTN_D1", "click:Red_BTN_D1", "click:Open_BB_D1",
          "click:Lock_BB_D1", "click:Show_TOG_D1", "click:Align_RADIO_D1_2", "text:Title_TF_D1:hello",
          "option:Mode_OPT_D1:2", "list:Items_MLST_D1:1", "scale:Zoom_SC_D1:40", "drag:Zoom_SC_D1:55",
          "spinup:Count_TFS_D1", "tab:Pages_TB_D1:1", "tab:Pages_TB_D1:0", "box:Help", "box:Ok",
          "box:Cancel", "reject", "close"}},
        {"modeless.txt",
         {"target:ToolspanelDialogUI", "option:Speed_OPT_D2:1", "scale:Rate_SC_D2:30", "idle",
          "click:Reset_BTN_D2", "box:Close", "reject", "close"}},
        {"mainwindow.txt",
         {"target:MainWindow", "sidebar:0", "list:Files_SLST_S2:0", "spinup:Step_TFS_S2", "sidebar:1",
          "click:Run_BTN_S5", "click:Kind_RADIO_S5_1", "click:Save_BB_S5", "click:Open_BB_S5",
          "option:Style_OPT_S5:2", "scale:Size_SC_S5:20", "idle", "png:qt-sample-sidebar.png", "dump"}},
        // clang-format on
    };
    const fs::path pictures = fs::path(QGB_BINARY_DIR) / "tests";
    fs::remove(pictures / "qt-sample-dialog.png");
    std::map<std::string, std::string> outputs;
    for (const auto &run : runs) {
        // Run in the tests' output directory, where the pictures land.
        std::vector<std::string> command = {"env", "-C", pictures.string(),
                                            "QT_QPA_PLATFORM=offscreen", program.string()};
        command.insert(command.end(), run.actions.begin(), run.actions.end());
        // Qt's platform notes on standard error are left out.
        const Result result = RunCommand(command, false);
        EXPECT_EQ(result.status, 0) << run.file << ":\n" << result.output;
        outputs[run.file] = WithoutPageGeometry(result.output);
    }
    EXPECT_TRUE(fs::exists(pictures / "qt-sample-dialog.png"));
    ExpectGoldenTree("qt", "every-kind-program", outputs);
}

// Designer texts that need care in every output (tests/support/HostileTexts.h)
// built as Qt in a dialog and a sidebar: every form passes uic, the resource
// file rcc, every header moc, and the moc output compiles against Qt.
using QtHostileTextTest = QtFixture;

TEST_F(QtHostileTextTest, PassesUicRccMocAndCompiles) {
    if (!kHaveQt)
        GTEST_SKIP() << "Qt 5 development tools were not found when the tests were configured";
    MakeProject();
    // The dialog's title names its files, cut to a class name of 64 characters.
    const std::string title = HostileTitle();
    AddHostileFrame("ID=2 TITLE=\"" + title + "\" SIDEBAR=T", HostileTexts());
    AddHostileFrame("ID=1 TITLE=\"" + title + "\"", HostileTexts());
    Build();
    ASSERT_EQ(Shown(), std::vector<std::string>{"New Qt stub files have been written."})
        << DescribeMessages();

    for (const fs::path &form : FilesWithExtension(root / "ui", ".ui"))
        ExpectToolAccepts(kUic, form, form.parent_path() / ("ui_" + form.stem().string() + ".h"));
    // No bitmap: rcc warns of the empty resource list, but accepts it.
    const fs::path qrc = layoutDirectory() / "quorvinrs_generated.qrc";
    const Result rcc = RunCommand({kRcc, qrc.string(), "-o", (root / "qrc.cpp").string()});
    EXPECT_EQ(rcc.status, 0) << rcc.output;

    // Each moc output includes its class header, which includes its ui_ and
    // definitions headers.
    std::vector<fs::path> headers;
    for (const fs::path &header : FilesWithExtension(root / "ui", ".h")) {
        const std::string name = header.filename().string();
        if (name.rfind("ui_", 0) != 0 && name.find("efs") == std::string::npos)
            headers.push_back(header);
    }
    ASSERT_EQ(headers.size(), 2u); // the dialog and the main window
    std::string mocOutputs;
    for (const fs::path &header : headers) {
        SCOPED_TRACE(header);
        const fs::path moc = root / ("moc_" + header.stem().string() + ".cpp");
        ASSERT_NO_FATAL_FAILURE(ExpectToolAccepts(kMoc, header, moc));
        mocOutputs += "#include \"" + moc.string() + "\"\n";
    }
    WriteFile(root / "moc_all.cpp", mocOutputs); // one compiler run for both
    CompileAgainstQt(root, root / "moc_all.cpp", root / "moc_all.o");
}

} // namespace
} // namespace qgbtest
