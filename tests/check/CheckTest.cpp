// The design checks on a corpus of small problem designs: each design gives
// its finding, every warning or error the build then shows is among the
// findings, every refusal of the compilers is an error found first, and the
// sample designs give no finding.
#include "Check.h"

#include "AddOnFixture.h"
#include "Run.h"
#include "classic/Build.h"
#include "classic/BuildState.h"
#include "model/Settings.h"

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
using qgb::Finding;
using quorvin::host::Message;
using quorvin::host::TextSpec;

constexpr const char *kDialog = "ID=1 TITLE=\"D\" MODE=MODAL OKCLOSEBUTTON=T";

TextSpec Control(const std::string &string, const std::string &command = {},
                 TextBox_e box = TextBox_Filled) {
    TextSpec spec;
    spec.string = string;
    spec.command = command;
    spec.boxType = box;
    return spec;
}

// Frames by name, each with its texts.
using Frames = std::vector<std::pair<std::string, std::vector<TextSpec>>>;

void AddDesign(const Frames &frames) {
    for (const auto &frame : frames) {
        const bool page = frame.first.rfind("TABPAGE", 0) == 0; // a linked page of group 2
        quorvin::host::Host::instance().addFrame({frame.first, 1, 0.25, 9, 8, page ? 2 : 0, page});
        for (const TextSpec &text : frame.second)
            quorvin::host::Host::instance().addText(text);
    }
}

struct Design {
    const char *what;
    Frames frames;
    int language;
    const char *finding; // empty: no finding at all
    Finding::Severity severity;
    bool unlimitedNames = false; // LimitIdentLength off
};

const std::string kIncludes = " -I" + Quote(std::string(QGB_SOURCE_DIR) + "/sdk") + " -I" +
                              Quote(std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates");

// The compiler's command for the last build's output, as a user compiles
// it (no warning made an error); an empty command when the tool is missing.
std::string CompileCommand(const std::string &root, int language) {
    const std::string dir = root + "/design/";
    const std::string d = Quote(dir);
    switch (language) {
    case qb::LanguageC:
    case qb::LanguageCPP: {
        const bool cpp = language == qb::LanguageCPP;
        const std::string compiler = std::string(cpp ? QGB_CXX : QGB_CC) +
                                     (cpp ? " -std=c++17" : " -std=c99") + kIncludes + " -I" + d +
                                     " -fsyntax-only ";
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

using CheckTest = AddOnFixture;

TEST_F(CheckTest, EachProblemDesignGivesItsFindingAndEveryBuildMessage) {
    // The Qt build writes its forms to ../ui beside the layout.
    const std::string root = OutputDir("check-designs");
    fs::create_directories(root + "/ui/mainwindow/qt");
    fs::create_directories(root + "/design");
    // The warnings and errors a build of the workspace shows.
    auto buildMessages = [&](int language) {
        host().clearMessages();
        host().setLayoutFileName(root + "/design/design.lay");
        QorUtilLockStart(qb::AddOnHandle);
        qb::GoBuild(language, false);
        QorUtilLockFinish(qb::AddOnHandle);
        std::vector<std::string> shown;
        for (const Message &m : host().messages())
            if (m.call == Message::Call::ErrMsg ||
                (m.call == Message::Call::MessageBox &&
                 (m.boxType == MessageBox_Error || m.boxType == MessageBox_Warning)))
                shown.push_back(m.text);
        return shown;
    };
    TextSpec outside = Control("Far");
    outside.x = 150;
    TextSpec frameUnits = Control("Units");
    frameUnits.sizeUnits = Units_Frame;
    TextSpec bigger = Control("Big");
    bigger.height = 18;
    const std::string longName(60, 'a');
    const Finding::Severity E = Finding::Severity::Error, W = Finding::Severity::Warning;
    // clang-format off
    const Design designs[] = {
        {"sound", {{kDialog, {Control("OK"), Control("Cancel")}}}, 1, "", E},
        {"repeat", {{kDialog, {Control("OK"), Control("OK")}}}, 1, "same identifier", E},
        {"repeat after the limit", {{kDialog, {Control("A", "VarName=" + longName + "x"), Control("B", "VarName=" + longName + "y")}}}, 1, "same identifier", E},
        {"fortran case", {{kDialog, {Control("A", "VarName=abc"), Control("B", "VarName=ABC")}}}, 2, "FORTRAN ignores case", E},
        {"fortran length", {{kDialog, {Control("SP:a", "VarName=" + longName)}}}, 2, "at most 63", E, true},
        {"unknown prefix", {{kDialog, {Control("LIST:a")}}}, 1, "not a control prefix", W},
        {"unknown type", {{kDialog, {Control("x", "Type=Listbox")}}}, 1, "matches no control", W},
        {"boolean", {{std::string(kDialog) + " CANCELBUTTON=maybe", {Control("OK")}}}, 1, "not recognized", W},
        {"outside", {{kDialog, {outside}}}, 1, "outside its frame", W},
        {"no ID", {{"TITLE=\"D\" MODE=MODAL OKCLOSEBUTTON=T", {Control("OK")}}}, 1, "Missing ID=", E},
        {"no title", {{"ID=1 MODE=MODAL OKCLOSEBUTTON=T", {Control("OK")}}}, 1, "title=", W},
        {"not points", {{kDialog, {frameUnits}}}, 1, "sized using points", E},
        {"heights", {{kDialog, {Control("A"), bigger}}}, 1, "same character height", E},
        {"tab without pages", {{kDialog, {Control("TAB:t GROUP=3")}}}, 1, "has no page frames", W},
        {"page no control shows", {{kDialog, {Control("OK")}}, {"TABPAGE=T ID=1", {Control("P")}}}, 1, "never shown", W},
        {"same manager", {{kDialog, {Control("A")}}, {kDialog, {Control("B")}}}, 1, "both make", E},
        {"qt class", {{"ID=1 TITLE=\"A b\" MODE=MODELESS", {Control("A")}}, {"ID=2 TITLE=\"Ab\" MODE=MODELESS", {Control("B")}}}, 3, "is not unique", E},
        {"qt class empty", {{"ID=1 TITLE=\"#\" MODE=MODELESS", {Control("A")}}}, 3, "no class", W},
        {"no controls", {{kDialog, {}}}, 1, "at least one control", E},
    };
    // clang-format on
    for (const Design &design : designs) {
        SCOPED_TRACE(design.what);
        FreshHost();
        qb::BuilderSettings.LimitIdentLength = !design.unlimitedNames;
        AddDesign(design.frames);
        const std::vector<Finding> findings = qgb::CheckDesign(design.language);
        if (!*design.finding) {
            EXPECT_TRUE(findings.empty()) << findings.front().message;
        } else {
            bool found = false;
            for (const Finding &f : findings) {
                if (f.message.find(design.finding) == std::string::npos)
                    continue;
                found = true;
                EXPECT_EQ(f.severity, design.severity) << f.message;
                EXPECT_FALSE(f.advice.empty());
            }
            EXPECT_TRUE(found) << (findings.empty() ? "no finding" : findings.front().message);
        }
        for (const std::string &shown : buildMessages(design.language)) {
            bool reported = false;
            // The build names a clashing control by identifier and place in
            // dialog units; a finding on that identifier reports the same clash.
            for (const Finding &f : findings)
                reported = reported || f.message == shown ||
                           (!f.control.empty() && f.key == "VarName" &&
                            shown.find(f.control + " at x ") != std::string::npos);
            EXPECT_TRUE(reported) << "the build showed \"" << shown << "\"";
        }
    }
    fs::remove_all(root);
}

TEST_F(CheckTest, SampleDesignsHaveNoFinding) {
    for (const char *sample : {"sample/sample.lay.json", "forms/forms.lay.json"}) {
        SCOPED_TRACE(sample);
        std::string error;
        ASSERT_TRUE(host().loadLayout(std::string(QGB_SOURCE_DIR) + "/examples/" + sample, &error))
            << error;
        for (int language = 0; language <= 3; ++language)
            for (const Finding &f : qgb::CheckDesign(language))
                ADD_FAILURE() << language << ": " << f.frameName << ": " << f.message;
    }
}

// What the compilers refuse, the checks find first: problem designs are built
// and their output given to gcc, g++, gfortran or uic; every refusal must come
// with an error among the findings. A sound design compiles in every language,
// so the compile steps can tell the two apart.
TEST_F(CheckTest, EveryRefusalOfTheCompilersIsAnErrorTheChecksFoundFirst) {
    const std::string root = OutputDir("check-compilers"), dir = root + "/design/";
    const std::string longName(60, 'a');
    const struct {
        const char *what;
        Frames frames;
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
            AddDesign(design.frames);
            const std::vector<Finding> findings = qgb::CheckDesign(language);
            host().setLayoutFileName(dir + "design.lay");
            QorUtilLockStart(qb::AddOnHandle);
            qb::GoBuild(language, false);
            QorUtilLockFinish(qb::AddOnHandle);
            const std::string command = CompileCommand(root, language);
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
