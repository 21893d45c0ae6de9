// qgb end to end: the real tool and the real module, run as a user runs them,
// on copies of the bundled example in a temporary directory.
#include "Run.h"

namespace qgbtest {
namespace {

class Cli : public TempFolderTest {
  protected:
    static Outcome Qgb(const std::vector<std::string> &args) { return RunQgb(args); }

    // A copy of the bundled example; returns the layout's path.
    std::string CopyExample() {
        fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", dir / "example",
                 fs::copy_options::recursive);
        return (dir / "example" / "sample.lay.json").string();
    }
};

TEST_F(Cli, HelpDocumentsEveryVerbAndOption) {
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
}

TEST_F(Cli, UsageErrorsExitWith2) {
    for (const std::vector<std::string> &args : {std::vector<std::string>{},
                                                 {"info"},
                                                 {"frobnicate"},
                                                 {"build", "x.lay", "--language", "cobol"},
                                                 {"info", "a.lay", "--host-version", "many"}}) {
        SCOPED_TRACE(args.empty() ? "(nothing)" : args[0]);
        EXPECT_EQ(Qgb(args).status, 2);
    }
}

TEST_F(Cli, InfoShowsTheAddOnFramesKindsAndIdentifiers) {
    const std::string layout = CopyExample();
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
    const std::string layout = CopyExample();
    const Outcome run = Qgb({"info", layout, "--host-version", "1000299"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "error: Add-on \"Quorvin GUI Builder\" requires Quorvin version "
                       "2022.2.0.18713 or greater.\n");
    EXPECT_NE(run.out.find("Host version: 1000299"), std::string::npos);
    EXPECT_NE(run.out.find("Menu options added (0)"), std::string::npos);
    const Outcome build = Qgb({"build", layout, "--host-version", "999999"});
    EXPECT_EQ(build.status, 1);
    EXPECT_NE(build.err.find("requires Quorvin version"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "example" / "guibld.cpp"));
}

TEST_F(Cli, UnreadableLayoutsFailNamingTheFile) {
    const fs::path broken = dir / "broken.lay.json";
    std::ofstream(broken) << "{\"formatVersion\": 1, \"frames\": [";
    // A number past the range of double once ended every verb with an abort.
    const fs::path huge = dir / "huge.lay.json";
    std::ofstream(huge) << "{\"formatVersion\": 1, \"current\": 1, \"frames\": [1e400]}";
    for (const std::string &path :
         {(dir / "missing.lay.json").string(), broken.string(), huge.string()}) {
        SCOPED_TRACE(path);
        for (const char *verb : {"info", "options", "build"}) {
            const Outcome run = Qgb({verb, path});
            EXPECT_EQ(run.status, 1) << verb;
            EXPECT_EQ(run.err.rfind("error: ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
        }
    }
}

TEST_F(Cli, OptionsShowsWhatDlbCfgSets) {
    const std::string layout = CopyExample();
    Outcome run = Qgb({"options", layout});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Language=CPP"), std::string::npos);
    EXPECT_NE(run.out.find("defaults"), std::string::npos);
    std::ofstream(dir / "example" / "dlb.cfg") << "#!DLB 2022\nlanguage = fortran # comment\n"
                                                  "LimitIdentLength=no\n";
    run = Qgb({"options", layout});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Language=FORTRAN"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("LimitIdentLength=FALSE"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("identifier length limit: 256"), std::string::npos) << run.out;
}

TEST_F(Cli, BuildWritesTheFilesBesideTheLayoutAndListsThem) {
    const std::string layout = CopyExample();
    const Outcome run = Qgb({"build", layout});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("info: New GUI stub files have been written.\nNew layout file "
                           "written to: " +
                           layout + "\n"),
              std::string::npos)
        << run.err;
    const fs::path folder = dir / "example";
    std::string expected;
    for (const char *file :
         {"GUIDEFS.h", "dlb.cfg", "guibld.cpp", "guicb.tmp", "guidefs.cpp", "sample.lay.json"})
        expected += (folder / file).string() + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(ReadFile(folder / "dlb.cfg").find("Language=CPP"), std::string::npos);

    // Building again writes the same bytes.
    const std::string first = ReadFile(folder / "guibld.cpp");
    ASSERT_EQ(Qgb({"build", layout}).status, 0);
    EXPECT_EQ(ReadFile(folder / "guibld.cpp"), first);
}

TEST_F(Cli, BuildLanguageGoesIntoDlbCfgKeepingTheOtherSetting) {
    const std::string layout = CopyExample();
    const fs::path folder = dir / "example";
    std::ofstream(folder / "dlb.cfg") << "#!DLB 2022\nLanguage=CPP\nLimitIdentLength=FALSE\n";
    struct Case {
        const char *language;
        const char *word;
        const char *builder;
    } cases[] = {
        {"c", "C", "guibld.c"}, {"FORTRAN", "FORTRAN", "guibld.F"}, {"cpp", "CPP", "guibld.cpp"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        const Outcome run = Qgb({"build", layout, "--language", c.language});
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string config = ReadFile(folder / "dlb.cfg");
        EXPECT_NE(config.find(std::string("Language=") + c.word + "\n"), std::string::npos)
            << config;
        EXPECT_NE(config.find("LimitIdentLength=FALSE"), std::string::npos) << config;
        EXPECT_NE(run.out.find((folder / c.builder).string()), std::string::npos) << run.out;
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

// ---- scripts

TEST_F(Cli, ScriptsDriveTheHostAsAUserDoes) {
    for (const char *script :
         {"build.qgb", "sensitivity.qgb", "options.qgb", "anchor.qgb", "bitmap.qgb"}) {
        SCOPED_TRACE(script);
        const fs::path work = dir / (std::string(script) + ".work");
        const Outcome run =
            Qgb({"run", (fs::path(QGB_SOURCE_DIR) / "tests/cli/scripts" / script).string(), "--var",
                 "WORK=" + work.string(), "--var",
                 "EXAMPLES=" + (fs::path(QGB_SOURCE_DIR) / "examples").string()});
        EXPECT_EQ(run.status, 0) << run.err;
    }
}

TEST_F(Cli, AFailingScriptLineIsNamedAndStopsTheScript) {
    const fs::path script = dir / "failing.qgb";
    std::ofstream(script) << "# a comment\n"
                             "echo first\n"
                             "\n"
                             "expect frames 3\n"
                             "echo never\n";
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
        std::ofstream(script) << c.line << "\n";
        const Outcome failed = Qgb({"run", script.string()});
        EXPECT_EQ(failed.status, 1);
        EXPECT_EQ(failed.err, script.string() + ":1: error: " + c.error + "\n");
    }
}

} // namespace
} // namespace qgbtest
