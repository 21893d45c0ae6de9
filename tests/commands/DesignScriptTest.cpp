// A whole design made from an empty workspace with the builder's own
// commands (tests/commands/scripts/every-control.qgb, run by the real qgb
// with the real module), then built with `qgb build` in C, C++ and FORTRAN
// and checked with the real compilers against the SDK headers and the
// fixture headers of a generated add-on.
#include "HostFixture.h"

#include "model/Kinds.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;

const std::string kSource = QGB_SOURCE_DIR;
const std::string kScript = kSource + "/tests/commands/scripts/every-control.qgb";
const std::string kSdk = kSource + "/sdk";
const std::string kFixtures = kSource + "/tools/qgb/templates";

std::string Quote(const std::string &arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class DesignScriptTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        std::random_device random;
        dir = fs::temp_directory_path() / ("qgb-design-" + std::to_string(random()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
        HostFixture::TearDown();
    }

    // Runs a shell command in dir; the exit status, with its output.
    int Shell(const std::string &command, std::string &output) {
        const fs::path log = dir / "command.log";
        const int raw = std::system(
            ("cd " + Quote(dir.string()) + " && " + command + " >" + Quote(log.string()) + " 2>&1")
                .c_str());
        output = ReadFile(log);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    void BuildIn(const char *language) {
        std::string output;
        ASSERT_EQ(
            Shell(Quote(QGB_CLI_PATH) + " build design.lay.json --language " + language, output), 0)
            << output;
        EXPECT_NE(output.find("info: New GUI stub files have been written."), std::string::npos)
            << output;
        EXPECT_EQ(output.find("error:"), std::string::npos) << output;
        EXPECT_EQ(output.find("warning:"), std::string::npos) << output;
    }

    void CompileC(bool cpp) {
        const std::string compiler = cpp ? QGB_CXX : QGB_CC;
        // The tab stubs do not use their value; the option list template
        // gives a string literal to a "char *".
        const std::string flags = " -Wall -Wextra -Wno-unused-parameter -Werror" +
                                  std::string(cpp ? " -std=c++17 -Wno-write-strings" : "") + " -I" +
                                  Quote(kSdk) + " -I" + Quote(kFixtures) + " -I. -c";
        std::string output;
        EXPECT_EQ(Shell(compiler + flags + " -x " + (cpp ? "c++" : "c") + " guicb.tmp -o guicb.o",
                        output),
                  0)
            << output;
        EXPECT_EQ(Shell(compiler + flags + (cpp ? " guidefs.cpp" : " guidefs.c") + " -o guidefs.o",
                        output),
                  0)
            << output;
    }

    void CheckFortran() {
        if (std::string(QGB_GFORTRAN).empty())
            GTEST_SKIP() << "gfortran is not installed";
        // gfortran rejects integer DATA into CHARACTER arrays under every
        // flag: the checked copy leaves out the bitmap DATA lines only.
        std::string output;
        ASSERT_EQ(Shell("mkdir -p check && cp guicb.tmp GUICB.INC GUIDEFS.INC check/ && "
                        "grep -v '^      DATA(' guibld.F > check/guibld.F",
                        output),
                  0)
            << output;
        EXPECT_EQ(Shell("cd check && " + std::string(QGB_GFORTRAN) +
                            " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
                            " -fallow-argument-mismatch -I. -I" +
                            Quote(kFixtures) + " guicb.tmp",
                        output),
                  0)
            << output;
    }

    fs::path dir;
};

TEST_F(DesignScriptTest, ScriptBuildsADesignThatCompilesInEveryLanguage) {
    std::string output;
    ASSERT_EQ(
        Shell(Quote(QGB_CLI_PATH) + " run " + Quote(kScript) + " --var WORK=" + Quote(dir.string()),
              output),
        0)
        << output;
    EXPECT_EQ(output.find("error:"), std::string::npos) << output;

    // The saved design: one modal dialog with every kind of control, three
    // tab pages of group 1, two form pages of group 2, each with a control.
    std::string error;
    ASSERT_TRUE(host().loadLayout((dir / "design.lay.json").string(), &error)) << error;
    // Each frame: its link group, linked or not, and its number of texts.
    std::map<std::string, std::string> frames;
    UniqueID_t dialog = 0;
    for (const quorvin::host::Frame &f : host().frames()) {
        frames[f.spec.name] = std::to_string(f.spec.linkGroup) +
                              (f.spec.linkSizeAndPosition ? " linked " : " ") +
                              std::to_string(f.texts.size());
        if (f.spec.linkGroup == 0)
            dialog = f.uniqueId;
    }
    const std::map<std::string, std::string> expected = {
        {"ID=1 TITLE=\"Untitled\" MODE=MODAL OKCLOSEBUTTON=T APPLYBUTTON=F CANCELBUTTON=T "
         "HELPBUTTON=T",
         "0 14"},
        {"TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", "1 linked 1"},
        {"TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\"", "1 linked 1"},
        {"TABPAGE=T ID=3 POS=3 TITLE=\"Page 3\"", "1 linked 1"},
        {"FORMPAGE=T ID=1", "2 linked 1"},
        {"FORMPAGE=T ID=2", "2 linked 1"},
    };
    ASSERT_EQ(frames, expected);

    ASSERT_TRUE(host().makeCurrent(dialog));
    std::set<int> kinds; // its 14 texts are one control of every kind
    for (const quorvin::host::Text &text : host().currentFrame()->texts) {
        qb::ControlKind kind = qb::NotAControl;
        int group = -1;
        qb::ClassifyText(reinterpret_cast<Text_ID>(static_cast<uintptr_t>(text.handle)), kind,
                         group);
        EXPECT_TRUE(kind >= qb::Tab && kind <= qb::RadioBox) << text.spec.string;
        kinds.insert(kind);
    }
    EXPECT_EQ(kinds.size(), 14u);
    std::vector<std::string> geoms;
    for (const quorvin::host::Geom &g : host().currentFrame()->geoms)
        geoms.push_back(g.spec.command);
    EXPECT_EQ(geoms, (std::vector<std::string>{
                         "New Frame", "VarName=BB2 Type=PushButton ToolTip=\"Open a file\"",
                         "VarName=BB3 Type=Toggle TransparentColor=FF0000"}));

    for (const char *language : {"c", "cpp", "fortran"}) {
        SCOPED_TRACE(language);
        ASSERT_NO_FATAL_FAILURE(BuildIn(language));
        if (std::string(language) == "fortran")
            CheckFortran();
        else
            CompileC(std::string(language) == "cpp");
    }
}

} // namespace
} // namespace qgbtest
