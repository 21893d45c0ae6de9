// qgb's conventions as a user meets them: usage errors, the --help examples,
// the scripts' --help, and the script commands that check and author designs.
#include "Run.h"

#include <nlohmann/json.hpp>

#include <string>

namespace {

using namespace qgbtest;

struct Ran {
    int status = -1;
    std::string output; // standard output and error
};

class Conventions : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        dir_ = dir;
        fs::create_directories(dir_ / "build");
        fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", dir_ / "build" / "example-run",
                 fs::copy_options::recursive);
        fs::create_directory_symlink(fs::path(QGB_SOURCE_DIR) / "examples", dir_ / "examples");
        fs::create_directory_symlink(fs::path(QGB_SOURCE_DIR) / "tests", dir_ / "tests");
    }
    // Runs command with sh in the test's folder, qgb's folder first on PATH.
    Ran Shell(const std::string &command, const fs::path &folder) {
        Ran ran;
        ran.status = qgbtest::Shell("cd " + Quote(folder.string()) + " && PATH=" +
                                        Quote(fs::path(QGB_CLI_PATH).parent_path().string()) +
                                        ":$PATH " + command,
                                    &ran.output);
        return ran;
    }
    fs::path dir_;
};

TEST_F(Conventions, UsageErrorsNameTheSlipAndExitTwo) {
    const std::string layout = "build/example-run/sample.lay.json";
    struct Row {
        std::string args;
        int status;
        std::string said;
    } rows[] = {
        {"--version", 0, "Quorvin GUI Builder add-on 2022.2.0.18713"},
        {"biuld " + layout, 2, "unknown verb \"biuld\"; did you mean \"build\"?"},
        {"info --hepl", 2, "did you mean \"--help\"?"},
        {"callbacks merge " + layout + " --intoo x.c", 2, "did you mean \"--into\"?"},
        {"preview " + layout + " -o x.jpg", 2, "must end in .svg or .png"},
        {"info build", 1, "build is a folder, not a layout file"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.args);
        const Ran ran = Shell("qgb " + row.args, dir_);
        EXPECT_EQ(ran.status, row.status) << ran.output;
        EXPECT_NE(ran.output.find(row.said), std::string::npos) << ran.output;
    }
}

TEST_F(Conventions, EveryHelpExampleRunsAsPrinted) {
    std::istringstream help(Shell("qgb --help", dir_).output);
    int examples = 0;
    for (std::string line; std::getline(help, line);)
        if (line.rfind("  qgb ", 0) == 0) {
            ++examples;
            const Ran ran = Shell(line, dir_);
            EXPECT_EQ(ran.status, 0) << line << "\n" << ran.output;
        }
    EXPECT_GE(examples, 3);
}

TEST_F(Conventions, EveryScriptHonoursHelp) {
    for (const auto &entry : fs::directory_iterator(fs::path(QGB_SOURCE_DIR) / "scripts")) {
        if (entry.path().extension() != ".sh")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const Ran ran = Shell("bash '" + entry.path().string() + "' --help", dir_);
        EXPECT_EQ(ran.status, 0) << ran.output;
        EXPECT_NE(ran.output.find("scripts/" + entry.path().filename().string()), std::string::npos)
            << ran.output;
        EXPECT_EQ(Shell("bash '" + entry.path().string() + "' --bogus", dir_).status, 2);
    }
    EXPECT_FALSE(fs::exists(fs::path(QGB_SOURCE_DIR) / "--help"));
}

// Each script's last line is what the run must say; the status is the exit code.
TEST_F(Conventions, ScriptsCheckErrorsContextAndAuthoring) {
    const std::string start = "load ${WORK}/build/example-run/sample.lay.json\naddon\n"
                              "menu \"Tools > Quorvin GUI Builder\"\nframe \"Sample Settings\"\n";
    const std::string sampleFrame = (dir_ / "build/example-run/sample.lay.json").string() +
                                    ", frame 5 \"ID=1 TITLE=\"Sample Settings\" MODE=MODAL "
                                    "OKCLOSEBUTTON=T APPLYBUTTON=F CANCELBUTTON=T HELPBUTTON=T\"";
    struct Row {
        std::string what, lines;
        int status;
        std::string said;
    } rows[] = {
        {"an unchecked error fails", "frame General\npress \"Preview Layout\"\n", 1,
         "no \"expect error\" line checked"},
        {"allow-errors opts out", "allow-errors\nframe General\npress \"Preview Layout\"\n", 0, ""},
        {"a message names its place", "allow-errors\nframe General\npress \"Preview Layout\"\n", 0,
         "try again\n  in " + (dir_ / "build/example-run/sample.lay.json").string() +
             ", frame 1 \"TABPAGE=T ID=1 POS=1 TITLE=\"General\"\""},
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
        std::ofstream(dir_ / "case.qgb") << start << row.lines;
        const Ran ran = Shell("qgb run case.qgb --var WORK=" + dir_.string(), dir_);
        EXPECT_EQ(ran.status, row.status) << ran.output;
        EXPECT_NE(ran.output.find(row.said), std::string::npos) << ran.output;
    }
}

// The authoring commands land in the saved layout: positions are paper inches
// converted to each object's own system, sizes and commands as given.
TEST_F(Conventions, AuthoringCommandsLandInTheSavedLayout) {
    std::ofstream(dir_ / "author.qgb")
        << "load ${WORK}/build/example-run/sample.lay.json\nframe \"Sample Settings\"\n"
           "place text \"#1\" 0.5 0.25\nplace text \"#2\" 1.5 0.25\nplace geom 2 0.5 0.25\n"
           "size text \"#1\" 14\nsize geom \"#2\" 0.75 0.5\n"
           "command text \"#1\" \"VarName=Moved Type=Label\"\n"
           "command geom 2 \"VarName=Pic Type=PushButton\"\n"
           "frame-key TITLE Again\nframe-key HELPBUTTON \"\"\n"
           "save ${WORK}/out.lay.json\n";
    Ran ran = Shell("qgb run author.qgb --var WORK=" + dir_.string(), dir_);
    ASSERT_EQ(ran.status, 0) << ran.output;
    ran = Shell("qgb info --json out.lay.json", dir_);
    ASSERT_EQ(ran.status, 0) << ran.output;
    const nlohmann::json frame = nlohmann::json::parse(ran.output)["frames"].back();
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
