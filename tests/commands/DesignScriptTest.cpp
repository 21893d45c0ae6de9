// A whole design made from an empty workspace with the builder's own
// commands (tests/commands/scripts/every-control.qgb, run by the real qgb
// with the real module), then built with `qgb build` in C, C++ and FORTRAN
// and checked with the real compilers against the SDK headers and the
// fixture headers of a generated add-on.
#include "CommandsFixture.h"
#include "Run.h"

namespace qgbtest {
namespace {

using DesignScriptTest = CommandsTest;

// The saved design (one modal dialog with every kind of control, three tab
// pages of group 1, two form pages of group 2, each with a control, the
// controls arranged) is in the golden file.
TEST_F(DesignScriptTest, ScriptBuildsADesignThatCompilesInEveryLanguage) {
    const std::string dir = OutputDir("design-script");
    // Runs a shell command in dir and expects it to succeed.
    std::string output;
    auto shell = [&](const std::string &command) {
        ASSERT_EQ(Shell("cd " + Quote(dir) + " && " + command, &output), 0) << command << "\n"
                                                                            << output;
    };
    const std::string source = QGB_SOURCE_DIR;
    ASSERT_NO_FATAL_FAILURE(shell(Quote(QGB_CLI_PATH) + " run " +
                                  Quote(source + "/tests/commands/scripts/every-control.qgb") +
                                  " --var WORK=" + Quote(dir)));
    EXPECT_EQ(output.find("error:"), std::string::npos) << output;
    Do(&Host::loadLayout, dir + "/design.lay.json");
    ExpectGolden("golden/commands/design-script.txt", Describe());

    // The tab stubs do not use their value; the option list template gives
    // a string literal to a "char *". gfortran rejects integer DATA into
    // CHARACTER arrays under every flag: its copy leaves out the bitmap
    // DATA lines only.
    const std::string includes =
        " -I" + Quote(source + "/sdk") + " -I" + Quote(source + "/tools/qgb/templates") + " -I.";
    const std::string warnings = " -Wall -Wextra -Wno-unused-parameter -Werror" + includes + " -c";
    const std::string cxx = QGB_CXX + warnings + " -std=c++17 -Wno-write-strings";
    const std::pair<const char *, std::vector<std::string>> languages[] = {
        {"c", {QGB_CC + warnings + " -x c guicb.tmp -o guicb.o", QGB_CC + warnings + " guidefs.c"}},
        {"cpp", {cxx + " -x c++ guicb.tmp -o guicb.o", cxx + " guidefs.cpp"}},
        {"fortran",
         {"mkdir -p check && cp guicb.tmp GUICB.INC GUIDEFS.INC check/ && "
          "grep -v '^      DATA(' guibld.F > check/guibld.F",
          "cd check && " + std::string(QGB_GFORTRAN) +
              " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
              " -fallow-argument-mismatch" +
              includes + " guicb.tmp"}},
    };
    for (const auto &[language, checks] : languages) {
        SCOPED_TRACE(language);
        ASSERT_NO_FATAL_FAILURE(
            shell(Quote(QGB_CLI_PATH) + " build design.lay.json --language " + language));
        EXPECT_NE(output.find("info: New GUI stub files have been written."), std::string::npos)
            << output;
        EXPECT_EQ(output.find("error:"), std::string::npos) << output;
        EXPECT_EQ(output.find("warning:"), std::string::npos) << output;
        if (std::string(language) == "fortran" && std::string(QGB_GFORTRAN).empty())
            GTEST_SKIP() << "gfortran is not installed";
        for (const std::string &check : checks)
            shell(check);
    }
}

} // namespace
} // namespace qgbtest
