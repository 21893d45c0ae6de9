// qgb's conventions as a user meets them: usage errors, the --help examples,
// the scripts' --help, and the script commands that check and author designs.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Ran {
    int status = -1;
    std::string output; // standard output and error
};

// Runs command with sh in folder, qgb's folder first on PATH.
Ran Shell(const std::string &command, const fs::path &folder) {
    const fs::path log = folder / "conventions.log";
    const std::string line = "cd '" + folder.string() + "' && PATH='" +
                             fs::path(QGB_CLI_PATH).parent_path().string() + "':$PATH " + command +
                             " >'" + log.string() + "' 2>&1";
    Ran ran;
    const int raw = std::system(line.c_str());
    ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(log);
    std::ostringstream text;
    text << in.rdbuf();
    ran.output = text.str();
    fs::remove(log);
    return ran;
}

class Conventions : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("qgb-conv-" + std::to_string(random()));
        fs::create_directories(dir_ / "build");
        fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", dir_ / "build" / "example-run",
                 fs::copy_options::recursive);
        fs::create_directory_symlink(fs::path(QGB_SOURCE_DIR) / "examples", dir_ / "examples");
        fs::create_directory_symlink(fs::path(QGB_SOURCE_DIR) / "tests", dir_ / "tests");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
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

} // namespace
