// What the compilers refuse, the design checks find first: problem designs
// are built and their output given to gcc, g++, gfortran or uic, and every
// refusal must come with an error among the checks' findings. A sound design
// compiles in every language, so the compile steps can tell the two apart.
#include "Check.h"

#include "AddOnFixture.h"
#include "Run.h"
#include "classic/Build.h"
#include "model/Settings.h"

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
using qgb::Finding;
using quorvin::host::FrameSpec;
using quorvin::host::TextSpec;

constexpr const char *kDialog = "ID=1 TITLE=\"D\" MODE=MODAL OKCLOSEBUTTON=T";
const std::string kIncludes = " -I" + Quote(std::string(QGB_SOURCE_DIR) + "/sdk") + " -I" +
                              Quote(std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates");

TextSpec Control(const std::string &string, const std::string &command = {}) {
    TextSpec spec;
    spec.string = string;
    spec.command = command;
    spec.boxType = TextBox_Filled;
    return spec;
}

class CompilersTest : public AddOnFixture {
  protected:
    void SetUp() override {
        AddOnFixture::SetUp();
        // The Qt build writes its forms to ../ui beside the layout.
        root = OutputDir("check-compilers");
        dir = root + "/design/";
        fs::create_directories(root + "/ui/mainwindow/qt");
        fs::create_directories(dir);
    }

    void Build(int language) {
        host().setLayoutFileName(dir + "design.lay");
        QorUtilLockStart(qb::AddOnHandle);
        qb::GoBuild(language, false);
        QorUtilLockFinish(qb::AddOnHandle);
    }

    // The compiler's command for the last build's output, as a user compiles
    // it (no warning made an error); an empty command when the tool is missing.
    std::string CompileCommand(int language) const {
        const std::string d = Quote(dir);
        switch (language) {
        case qb::LanguageC:
        case qb::LanguageCPP: {
            const bool cpp = language == qb::LanguageCPP;
            const std::string compiler = std::string(cpp ? QGB_CXX : QGB_CC) +
                                         (cpp ? " -std=c++17" : " -std=c99") + kIncludes + " -I" +
                                         d + " -fsyntax-only ";
            return compiler + (cpp ? "-x c++ " : "-x c ") + Quote(dir + "guicb.tmp") + " && " +
                   compiler + Quote(dir + (cpp ? "guidefs.cpp" : "guidefs.c"));
        }
        case qb::LanguageFORTRAN:
            // The bitmap DATA lines are left out: gfortran refuses them
            // under every flag (see the classic compile checks).
            if (!*QGB_GFORTRAN)
                return "";
            return "cd " + d + " && mkdir -p f && cp guicb.tmp GUICB.INC GUIDEFS.INC f/ && " +
                   "grep -v '^      DATA(' guibld.F > f/guibld.F && " + QGB_GFORTRAN +
                   " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
                   " -fallow-argument-mismatch" +
                   kIncludes + " -If f/guicb.tmp";
        default:
            if (!*QGB_UIC)
                return "";
            return "cd " + Quote(root + "/ui/mainwindow/qt") + " && for f in *.ui; do " + QGB_UIC +
                   " -o /dev/null \"$f\" || exit 1; done";
        }
    }

    std::string root;
    std::string dir;
};

TEST_F(CompilersTest, EveryRefusalIsAnErrorTheChecksFoundFirst) {
    const std::string longName(60, 'a');
    const struct {
        const char *what;
        std::vector<std::pair<std::string, std::vector<TextSpec>>> frames;
        std::vector<int> languages;
        bool refused;                // by the compiler of every language listed
        bool unlimitedNames = false; // LimitIdentLength off
    } designs[] = {
        {"sound",
         {{kDialog, {Control("OK"), Control("Cancel")}}},
         {qb::LanguageC, qb::LanguageCPP, qb::LanguageFORTRAN, qb::LanguageQt},
         false},
        {"repeat",
         {{kDialog, {Control("OK"), Control("OK")}}},
         {qb::LanguageC, qb::LanguageCPP, qb::LanguageFORTRAN},
         true},
        {"repeat after the limit",
         {{kDialog,
           {Control("A", "VarName=" + longName + "x"), Control("B", "VarName=" + longName + "y")}}},
         {qb::LanguageC},
         true},
        {"fortran case",
         {{kDialog, {Control("A", "VarName=abc"), Control("B", "VarName=ABC")}}},
         {qb::LanguageFORTRAN},
         true},
        {"fortran length",
         {{kDialog, {Control("SP:a", "VarName=" + longName)}}},
         {qb::LanguageFORTRAN},
         true,
         true},
        {"same manager",
         {{kDialog, {Control("A")}}, {kDialog, {Control("B")}}},
         {qb::LanguageCPP},
         true},
        {"qt class empty",
         {{"ID=1 TITLE=\"#\" MODE=MODELESS", {Control("A")}}},
         {qb::LanguageQt},
         false},
    };
    for (const auto &design : designs) {
        for (int language : design.languages) {
            SCOPED_TRACE(std::string(design.what) + ", language " + std::to_string(language));
            FreshHost();
            qb::BuilderSettings.LimitIdentLength = !design.unlimitedNames;
            fs::remove_all(dir);
            fs::remove_all(root + "/ui/mainwindow/qt");
            fs::create_directories(dir);
            fs::create_directories(root + "/ui/mainwindow/qt");
            for (const auto &frame : design.frames) {
                FrameSpec spec;
                spec.name = frame.first;
                host().addFrame(spec);
                for (const TextSpec &text : frame.second)
                    host().addText(text);
            }
            const std::vector<Finding> findings = qgb::CheckDesign(language);
            Build(language);
            const std::string command = CompileCommand(language);
            if (command.empty())
                continue; // that compiler is not installed
            std::string output;
            const bool refused = Shell("{ " + command + "; }", &output) != 0;
            EXPECT_EQ(refused, design.refused) << command << "\n" << output;
            if (!refused)
                continue;
            bool error = false;
            for (const Finding &f : findings)
                error = error || f.severity == Finding::Severity::Error;
            EXPECT_TRUE(error) << "the compiler refused what the checks let through:\n" << output;
        }
    }
}

} // namespace
} // namespace qgbtest
