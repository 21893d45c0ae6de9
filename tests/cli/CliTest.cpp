// qgb end to end: the real tool and the real module, run as a user runs them,
// on copies of the bundled examples in a temporary folder: the verbs, usage
// errors, the --help examples, the scripts' --help, qgb studio, and the
// script commands that drive the host, check and author designs.
#include "GoldenTree.h"
#include "Run.h"

#include <nlohmann/json.hpp>

namespace qgbtest {
namespace {

class Cli : public TempFolderTest {
  protected:
    // The example in build/example-run, with examples/ and tests/ beside it
    // as in the source folder, so that the --help examples run as printed.
    void SetUp() override {
        TempFolderTest::SetUp();
        example = dir / "build" / "example-run";
        layout = (example / "sample.lay.json").string();
        fs::create_directories(dir / "build");
        fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", example,
                 fs::copy_options::recursive);
        fs::create_directory_symlink(fs::path(QGB_SOURCE_DIR) / "examples", dir / "examples");
        fs::create_directory_symlink(fs::path(QGB_SOURCE_DIR) / "tests", dir / "tests");
    }
    static Outcome Qgb(const std::vector<std::string> &args) { return RunQgb(args); }
    // Runs command with sh in the test's folder, qgb's folder first on PATH;
    // standard output and error joined in out.
    Outcome Sh(const std::string &command) const {
        Outcome ran;
        ran.status = Shell("cd " + Quote(dir.string()) +
                               " && PATH=" + Quote(fs::path(QGB_CLI_PATH).parent_path().string()) +
                               ":$PATH " + command,
                           &ran.out);
        return ran;
    }
    fs::path example;
    std::string layout;
};

TEST_F(Cli, HelpDocumentsEveryVerbAndOptionAndItsExamplesRunAsPrinted) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<const char *>>> rows = {
        {{"--help"},
         {"info", "options", "build", "run", "--host-version", "--module", "Exit codes",
          "docs/scripts.md", "error:", "warning:", "info:"}},
        {{"build", "--help"}, {"--language", "fortran"}},
        {{"run", "--help"}, {"--var"}},
    };
    for (const auto &[args, words] : rows) {
        const Outcome run = Qgb(args);
        EXPECT_EQ(run.status, 0) << args[0];
        for (const char *word : words)
            EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
    std::istringstream help(Qgb({"--help"}).out);
    int examples = 0;
    for (std::string line; std::getline(help, line);)
        if (line.rfind("  qgb ", 0) == 0) {
            ++examples;
            const Outcome ran = Sh(line);
            EXPECT_EQ(ran.status, 0) << line << "\n" << ran.out;
        }
    EXPECT_GE(examples, 3);
}

TEST_F(Cli, UsageErrorsNameTheSlipAndExitTwo) {
    const std::string layout = "build/example-run/sample.lay.json";
    struct Row {
        std::string args;
        int status;
        std::string said;
    } rows[] = {
        {"--version", 0, "Quorvin GUI Builder add-on 2022.2.0.18713"},
        {"", 2, "A subcommand is required"},
        {"info", 2, "LAYOUT is required"},
        {"biuld " + layout, 2, "unknown verb \"biuld\"; did you mean \"build\"?"},
        {"frobnicate", 2, "unknown verb \"frobnicate\""},
        {"build x.lay --language cobol", 2, "cobol not in {c,cpp,fortran,qt}"},
        {"info a.lay --host-version many", 2, "Could not convert: --host-version = many"},
        {"info --hepl", 2, "did you mean \"--help\"?"},
        {"callbacks merge " + layout + " --intoo x.c", 2, "did you mean \"--into\"?"},
        {"preview " + layout + " -o x.jpg", 2, "must end in .svg or .png"},
        {"info build", 1, "build is a folder, not a layout file"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args);
        const Outcome ran = Sh("qgb " + row.args);
        EXPECT_EQ(ran.status, row.status) << ran.out;
        EXPECT_NE(ran.out.find(row.said), std::string::npos) << ran.out;
    }
}

TEST_F(Cli, EveryScriptHonoursHelp) {
    for (const auto &entry : fs::directory_iterator(fs::path(QGB_SOURCE_DIR) / "scripts")) {
        if (entry.path().extension() != ".sh")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const Outcome ran = Sh("bash '" + entry.path().string() + "' --help");
        EXPECT_EQ(ran.status, 0) << ran.out;
        EXPECT_NE(ran.out.find("scripts/" + entry.path().filename().string()), std::string::npos)
            << ran.out;
        EXPECT_EQ(Sh("bash '" + entry.path().string() + "' --bogus").status, 2);
    }
    EXPECT_FALSE(fs::exists(fs::path(QGB_SOURCE_DIR) / "--help"));
}

TEST_F(Cli, InfoShowsTheAddOnFramesKindsAndIdentifiers) {
    const Outcome run = Qgb({"info", layout});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    for (const char *line :
         {"Host version: 1000300",
          "  \"Quorvin GUI Builder\" version \"2022.2.0.18713 (2022.2.0.18713) Dec  6 2022\"",
          "  Tools > Quorvin GUI Builder (mnemonic B)", "  Language=CPP",
          "FrameKind ModalDialog (0), ID 1", "FrameKind TabPage (2), page ID 1 of linking group 1",
          "FrameKind Sidebar (4), ID 1", "kind TextField; identifier TF2_TF_D1",
          "kind Toggle; identifier TGL1_TOG_T1_1", "kind BitmapButton; identifier BB2_BB_D1",
          "kind group frame", "kind horizontal separator"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}

TEST_F(Cli, AnOldHostIsRefusedAndNothingIsBuilt) {
    const Outcome run = Qgb({"info", layout, "--host-version", "1000299"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: Add-on \"Quorvin GUI Builder\" requires Quorvin version "
                       "2022.2.0.18713 or greater.\n");
    EXPECT_NE(run.out.find("Host version: 1000299"), std::string::npos);
    EXPECT_NE(run.out.find("Menu options added (0)"), std::string::npos);
    const Outcome build = Qgb({"build", layout, "--host-version", "999999"});
    EXPECT_EQ(build.status, 1);
    EXPECT_NE(build.err.find("requires Quorvin version"), std::string::npos);
    EXPECT_FALSE(fs::exists(example / "guibld.cpp"));
}

TEST_F(Cli, UnreadableLayoutsFailNamingTheFile) {
    const fs::path broken = dir / "broken.lay.json";
    WriteFile(broken, "{\"formatVersion\": 1, \"frames\": [");
    for (const std::string &path : {(dir / "missing.lay.json").string(), broken.string()}) {
        SCOPED_TRACE(path);
        for (const char *verb : {"info", "options", "build"}) {
            const Outcome run = Qgb({verb, path});
            EXPECT_EQ(run.status, 1) << verb;
            EXPECT_EQ(run.err.rfind("error: ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
        }
    }
}

// The options come from dlb.cfg; build --language changes the language there
// and keeps the other settings.
TEST_F(Cli, OptionsShowWhatDlbCfgSetsAndBuildChangesOnlyItsLanguage) {
    Outcome run = Qgb({"options", layout});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Language=CPP"), std::string::npos);
    EXPECT_NE(run.out.find("defaults"), std::string::npos);
    WriteFile(example / "dlb.cfg", "#!DLB 2022\nlanguage = fortran # comment\n"
                                   "LimitIdentLength=no\n");
    run = Qgb({"options", layout});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Language=FORTRAN"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("LimitIdentLength=FALSE"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("identifier length limit: 256"), std::string::npos) << run.out;

    run = Qgb({"build", layout, "--language", "C"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find((example / "guibld.c").string()), std::string::npos) << run.out;
    const std::string config = ReadFile(example / "dlb.cfg");
    EXPECT_NE(config.find("Language=C\n"), std::string::npos) << config;
    EXPECT_NE(config.find("LimitIdentLength=FALSE"), std::string::npos) << config;
}

TEST_F(Cli, BuildWritesTheFilesBesideTheLayoutAndListsThem) {
    const Outcome run = Qgb({"build", layout});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("info: New GUI stub files have been written.\nNew layout file "
                           "written to: " +
                           layout + "\n"),
              std::string::npos)
        << run.err;
    std::string expected;
    for (const char *file :
         {"GUIDEFS.h", "dlb.cfg", "guibld.cpp", "guicb.tmp", "guidefs.cpp", "sample.lay.json"})
        expected += (example / file).string() + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(ReadFile(example / "dlb.cfg").find("Language=CPP"), std::string::npos);

    // Building again writes the same bytes.
    const std::string first = ReadFile(example / "guibld.cpp");
    ASSERT_EQ(Qgb({"build", layout}).status, 0);
    EXPECT_EQ(ReadFile(example / "guibld.cpp"), first);
}

// A project's Qt output as the golden files hold it: the files under ui/ and
// the resource file beside the layout.
std::map<std::string, std::string> QtFiles(const fs::path &root) {
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(root / "ui"))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = ReadFile(entry.path());
    files["layout/quorvinrs_generated.qrc"] = ReadFile(root / "layout" / "quorvinrs_generated.qrc");
    return files;
}

// Every sample design copied as a designer's project, the layout in "layout"
// with "ui/mainwindow/qt" beside it: what the tool writes, and writes again,
// is what the in-process build's golden files hold.
TEST_F(Cli, EverySampleDesignBuildsAsQtIntoTheProjectsUiFolder) {
    const std::vector<fs::path> samples = SampleLayouts();
    ASSERT_FALSE(samples.empty());
    for (const fs::path &sample : samples) {
        const std::string design = sample.parent_path().filename().string();
        SCOPED_TRACE(design);
        const fs::path root = dir / design, layout = root / "layout" / sample.filename();
        fs::create_directories(root / "ui" / "mainwindow" / "qt");
        fs::copy(sample.parent_path(), root / "layout", fs::copy_options::recursive);
        for (int run = 0; run < 2; ++run) {
            const Outcome built = Qgb({"build", layout.string(), "--language", "qt"});
            EXPECT_EQ(built.status, 0) << built.err;
            EXPECT_NE(built.err.find("info: New Qt stub files have been written.\n"),
                      std::string::npos)
                << built.err;
            EXPECT_EQ(built.err.find("error:"), std::string::npos) << built.err;
            ExpectGoldenTree("qt", design, QtFiles(root));
        }
    }
}

TEST_F(Cli, AFailedBuildExitsOneAndListsNothing) {
    // A modal dialog without an OK button cannot be built.
    fs::create_directories(dir / "nook");
    const std::string layout = (dir / "nook" / "nook.lay.json").string();
    WriteFile(layout, R"({"formatVersion": 1, "frames": [{"name": "ID=1 TITLE=\"No OK\")"
                      R"( MODE=MODAL OKCLOSEBUTTON=F", "x": 1, "y": 1, "width": 4, "height": 3,)"
                      R"( "texts": [{"string": "Label"}]}]})");
    const Outcome run = Qgb({"build", layout});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("error: Cannot build dialog.\nModeless dialogs must have an OK button."),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_FALSE(fs::exists(dir / "nook" / "guibld.cpp"));
}

// qgb studio runs qgb-studio from beside qgb, with qgb's add-on module, and
// names the program when it is missing. Qt's offscreen platform leaks its
// screen when the application ends; the studio's own leaks are checked
// in-process by the studio tests.
TEST_F(Cli, StudioRunsTheStudioBesideQgbOrNamesIt) {
    const std::string shot = (dir / "shot.png").string();
    std::string output;
    EXPECT_EQ(Shell("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" QT_QPA_PLATFORM=offscreen " +
                        Quote(QGB_CLI_PATH) + " studio --screenshot " + Quote(shot) + " " +
                        Quote(layout),
                    &output),
              0)
        << output;
    EXPECT_NE(output.find(shot), std::string::npos) << output;
    EXPECT_EQ(ReadFile(shot).substr(1, 3), "PNG");
    // A qgb with no studio beside it.
    fs::create_directories(dir / "lonely");
    fs::copy_file(QGB_CLI_PATH, dir / "lonely" / "qgb");
    EXPECT_EQ(Shell(Quote((dir / "lonely" / "qgb").string()) + " studio", &output), 1) << output;
    EXPECT_NE(output.find("error: qgb studio needs the program " +
                          (dir / "lonely" / "qgb-studio").string()),
              std::string::npos)
        << output;
}

// ---- scripts

TEST_F(Cli, ScriptsDriveTheHostAsAUserDoes) {
    for (const auto &script :
         fs::directory_iterator(fs::path(QGB_SOURCE_DIR) / "tests/cli/scripts")) {
        SCOPED_TRACE(script.path().filename().string());
        const Outcome run =
            Qgb({"run", script.path().string(), "--var",
                 "WORK=" + (dir / script.path().filename()).string() + ".work", "--var",
                 "EXAMPLES=" + (fs::path(QGB_SOURCE_DIR) / "examples").string()});
        EXPECT_EQ(run.status, 0) << run.err;
    }
}

TEST_F(Cli, AFailingScriptLineIsNamedAndStopsTheScript) {
    const fs::path script = dir / "failing.qgb";
    WriteFile(script, "# a comment\necho first\n\nexpect frames 3\necho never\n");
    const Outcome run = Qgb({"run", script.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "first\n");
    EXPECT_EQ(run.err, script.string() + ":4: error: there are 0 frames\n");

    struct Case {
        const char *line;
        const char *error;
    } cases[] = {
        {"frobnicate", "unknown command \"frobnicate\""},
        {"press \"Go Build\"", "no control \"Go Build\" in a dialog that is up"},
        {"echo \"unclosed", "a quoted word has no closing double quote"},
        {"load ${NOWHERE_AT_ALL_123}/x.lay", "unknown variable ${NOWHERE_AT_ALL_123}"},
        {"menu \"Tools > Quorvin GUI Builder\"",
         "no menu option \"Quorvin GUI Builder\" in the \"Tools\" menu"},
        {"idle 2", "0 idle callbacks ran, expected 2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        WriteFile(script, std::string(c.line) + "\n");
        const Outcome failed = Qgb({"run", script.string()});
        EXPECT_EQ(failed.status, 1);
        EXPECT_EQ(failed.err, script.string() + ":1: error: " + c.error + "\n");
    }
}

// Each script's last line is what the run must say; the status is the exit code.
TEST_F(Cli, ScriptsCheckErrorsContextAndAuthoring) {
    const std::string start = "load ${WORK}/build/example-run/sample.lay.json\naddon\n"
                              "menu \"Tools > Quorvin GUI Builder\"\nframe \"Sample Settings\"\n";
    const std::string sampleFrame = layout +
                                    ", frame 5 \"ID=1 TITLE=\"Sample Settings\" MODE=MODAL "
                                    "OKCLOSEBUTTON=T APPLYBUTTON=F CANCELBUTTON=T "
                                    "HELPBUTTON=T\"";
    struct Row {
        std::string what, lines;
        int status;
        std::string said;
    } rows[] = {
        {"an unchecked error fails", "frame General\npress \"Preview Layout\"\n", 1,
         "no \"expect error\" line checked"},
        {"allow-errors opts out; a message names its place",
         "allow-errors\nframe General\npress \"Preview Layout\"\n", 0,
         "try again\n  in " + layout + ", frame 1 \"TABPAGE=T ID=1 POS=1 TITLE=\"General\"\""},
        {"a message names its text",
         "command text \"#1\" \"VarName=Twin Type=Label\"\n"
         "command text \"#3\" \"VarName=Twin Type=Label\"\npress \"Go Build\"\n",
         0, "another VarName.\n  in " + sampleFrame + ", text #3 \"Count:\"\n"},
        {"a message names its geometry",
         "allow-errors\ncommand geom 2 \"Type=PushButton\"\npress \"Go Build\"\n", 0,
         "for this image.\n  in " + sampleFrame + ", geometry #2\n"},
        {"an insensitive press says why", "pick none\nidle\npress \"Align Left\"\n", 1,
         "run \"idle\""},
        {"relabel, then pick by the new string",
         "relabel \"Name:\" \"Nom:\"\npick text \"Nom:\"\nexpect no-error\n", 0, ""},
        {"a name of several texts lists them",
         "relabel \"#2\" Twin\nrelabel \"#3\" Twin\npick text Twin\n", 1,
         "2 texts of the current frame are \"Twin\": #2 \"Twin\", #3 \"Twin\""},
        {"a text by number past the end", "pick text \"#99\"\n", 1, "no text #99"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        WriteFile(dir / "case.qgb", start + row.lines);
        const Outcome ran = Sh("qgb run case.qgb --var WORK=" + dir.string());
        EXPECT_EQ(ran.status, row.status) << ran.out;
        EXPECT_NE(ran.out.find(row.said), std::string::npos) << ran.out;
    }
}

// The authoring commands land in the saved layout: positions are paper inches
// converted to each object's own system, sizes and commands as given.
TEST_F(Cli, AuthoringCommandsLandInTheSavedLayout) {
    WriteFile(dir / "author.qgb",
              "load ${WORK}/build/example-run/sample.lay.json\nframe \"Sample Settings\"\n"
              "place text \"#1\" 0.5 0.25\nplace text \"#2\" 1.5 0.25\nplace geom 2 0.5 0.25\n"
              "size text \"#1\" 14\nsize geom \"#2\" 0.75 0.5\n"
              "command text \"#1\" \"VarName=Moved Type=Label\"\n"
              "command geom 2 \"VarName=Pic Type=PushButton\"\n"
              "frame-key TITLE Again\nframe-key HELPBUTTON \"\"\n"
              "save ${WORK}/out.lay.json\n");
    Outcome ran = Sh("qgb run author.qgb --var WORK=" + dir.string());
    ASSERT_EQ(ran.status, 0) << ran.out;
    ran = Qgb({"info", "--json", (dir / "out.lay.json").string()});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const nlohmann::json frame = nlohmann::json::parse(ran.out)["frames"].back();
    const nlohmann::json &label = frame["texts"][0], &field = frame["texts"][1];
    const nlohmann::json &image = frame["geometries"][1];
    EXPECT_EQ(frame["name"], "ID=1 TITLE=Again MODE=MODAL OKCLOSEBUTTON=T APPLYBUTTON=F "
                             "CANCELBUTTON=T");
    EXPECT_EQ(label["command"], "VarName=Moved Type=Label");
    EXPECT_EQ(label["height"], 14.0);
    EXPECT_EQ(image["command"], "VarName=Pic Type=PushButton");
    EXPECT_DOUBLE_EQ(image["paperWidth"].get<double>(), 0.75);
    // The same paper point in one frame system, and one inch further right
    // as many frame units as the 0.75-inch image is wide per inch.
    EXPECT_NEAR(image["anchor"]["x"].get<double>(), label["position"]["x"].get<double>(), 1e-9);
    EXPECT_NEAR(image["anchor"]["y"].get<double>(), label["position"]["y"].get<double>(), 1e-9);
    EXPECT_NEAR(field["position"]["x"].get<double>() - label["position"]["x"].get<double>(),
                image["size"]["width"].get<double>() / 0.75, 1e-9);
    EXPECT_NEAR(field["position"]["y"].get<double>(), label["position"]["y"].get<double>(), 1e-9);
}

} // namespace
} // namespace qgbtest
