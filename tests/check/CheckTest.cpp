// The design checks on a corpus of small problem designs: each design gives
// its finding, every warning or error the build then shows is among the
// findings, every refusal of the compilers is an error found first, and the
// sample designs give no finding. Then qgb check and info as a user runs
// them: findings with their place and advice, as text or JSON, and the exit
// code; and every example layout of docs/design-vocabulary.md runs as
// printed: qgb check finds no error in it, and qgb info --json gives the
// kinds and identifiers its "Gives:" line says.
#include "Check.h"

#include "AddOnFixture.h"
#include "Run.h"
#include "model/Settings.h"

#include <nlohmann/json.hpp>

namespace qgbtest {
namespace {

namespace qb = quorvin::builder;
using qgb::Finding;
using quorvin::host::Message;
using quorvin::host::TextSpec;

constexpr const char *kDialog = "ID=1 TITLE=\"D\" MODE=MODAL OKCLOSEBUTTON=T";

TextSpec Control(const std::string &string, const std::string &command = {}) {
    TextSpec spec{string, command};
    spec.boxType = TextBox_Filled;
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

// A design with the finding it gives (empty: no finding at all) in one
// language; compiledIn lists the languages whose compilers then see the
// build's output, and refused says whether every one of them refuses it.
struct Design {
    const char *what;
    Frames frames;
    int language;
    const char *finding;
    Finding::Severity severity;
    bool unlimitedNames = false; // LimitIdentLength off
    std::vector<int> compiledIn = {};
    bool refused = false;
};

std::vector<Design> ProblemDesigns() {
    TextSpec outside = Control("Far");
    outside.x = 150;
    TextSpec frameUnits = Control("Units");
    frameUnits.sizeUnits = Units_Frame;
    TextSpec bigger = Control("Big");
    bigger.height = 18;
    const std::string longName(60, 'a');
    const Finding::Severity E = Finding::Severity::Error, W = Finding::Severity::Warning;
    const int C = qb::LanguageC, Cpp = qb::LanguageCPP, F = qb::LanguageFORTRAN,
              Qt = qb::LanguageQt;
    // clang-format off
    return {
        {"sound", {{kDialog, {Control("OK"), Control("Cancel")}}}, 1, "", E, false, {C, Cpp, F, Qt}},
        {"repeat", {{kDialog, {Control("OK"), Control("OK")}}}, 1, "same identifier", E, false, {C, Cpp, F}, true},
        {"repeat after the limit", {{kDialog, {Control("A", "VarName=" + longName + "x"), Control("B", "VarName=" + longName + "y")}}}, 1, "same identifier", E, false, {C}, true},
        {"fortran case", {{kDialog, {Control("A", "VarName=abc"), Control("B", "VarName=ABC")}}}, 2, "FORTRAN ignores case", E, false, {F}, true},
        {"fortran length", {{kDialog, {Control("SP:a", "VarName=" + longName)}}}, 2, "at most 63", E, true, {F}, true},
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
        {"same manager", {{kDialog, {Control("A")}}, {kDialog, {Control("B")}}}, 1, "both make", E, false, {Cpp}, true},
        {"qt class", {{"ID=1 TITLE=\"A b\" MODE=MODELESS", {Control("A")}}, {"ID=2 TITLE=\"Ab\" MODE=MODELESS", {Control("B")}}}, 3, "is not unique", E},
        {"qt class empty", {{"ID=1 TITLE=\"#\" MODE=MODELESS", {Control("A")}}}, 3, "no class", W, false, {Qt}},
        {"no controls", {{kDialog, {}}}, 1, "at least one control", E},
    };
    // clang-format on
}

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

class CheckTest : public AddOnFixture {
  protected:
    // The design alone in a fresh host, checked and then built into
    // root/design (the Qt build writes its forms to ../ui beside it); the
    // findings.
    std::vector<Finding> CheckAndBuild(const Design &design, int language,
                                       const std::string &root) {
        FreshHost();
        qb::BuilderSettings.LimitIdentLength = !design.unlimitedNames;
        fs::remove_all(root);
        fs::create_directories(root + "/ui/mainwindow/qt");
        fs::create_directories(root + "/design");
        AddDesign(design.frames);
        const std::vector<Finding> findings = qgb::CheckDesign(language);
        host().clearMessages();
        host().setLayoutFileName(root + "/design/design.lay");
        Build(language);
        return findings;
    }
};

TEST_F(CheckTest, EachProblemDesignGivesItsFindingAndEveryBuildMessage) {
    const std::string root = OutputDir("check-designs");
    for (const Design &design : ProblemDesigns()) {
        SCOPED_TRACE(design.what);
        const std::vector<Finding> findings = CheckAndBuild(design, design.language, root);
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
        // Every warning and error the build showed.
        for (const Message &m : host().messages()) {
            if (m.call != Message::Call::ErrMsg &&
                (m.call != Message::Call::MessageBox ||
                 (m.boxType != MessageBox_Error && m.boxType != MessageBox_Warning)))
                continue;
            bool reported = false;
            // The build names a clashing control by identifier and place in
            // dialog units; a finding on that identifier reports the same clash.
            for (const Finding &f : findings)
                reported = reported || f.message == m.text ||
                           (!f.control.empty() && f.key == "VarName" &&
                            m.text.find(f.control + " at x ") != std::string::npos);
            EXPECT_TRUE(reported) << "the build showed \"" << m.text << "\"";
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
    const std::string root = OutputDir("check-compilers");
    for (const Design &design : ProblemDesigns())
        for (int language : design.compiledIn) {
            SCOPED_TRACE(std::string(design.what) + ", language " + std::to_string(language));
            const std::vector<Finding> findings = CheckAndBuild(design, language, root);
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

// What qgb info --json says, written as a "Gives:" line is.
std::string Gives(const nlohmann::json &info) {
    std::string gives;
    for (const nlohmann::json &frame : info.at("frames")) {
        gives += (gives.empty() ? "" : "; ") + frame["container"]["kind"].get<std::string>();
        for (const char *list : {"texts", "geometries"})
            for (const nlohmann::json &item : frame.at(list)) {
                const nlohmann::json &c = item.at("control");
                gives += "; " + c["kind"].get<std::string>();
                if (c["identifier"].is_string())
                    gives += " " + c["identifier"].get<std::string>();
            }
    }
    return gives;
}

TEST(DesignVocabulary, EveryExampleGivesWhatItSays) {
    std::ifstream doc(fs::path(QGB_SOURCE_DIR) / "docs" / "design-vocabulary.md");
    ASSERT_TRUE(doc);
    const fs::path dir = OutputDir("vocabulary");
    fs::copy_file(fs::path(QGB_SOURCE_DIR) / "examples" / "sample" / "button.bmp",
                  dir / "button.bmp");
    std::string line, example;
    bool inExample = false;
    int examples = 0;
    while (std::getline(doc, line)) {
        if (line == "```json" && !inExample) {
            inExample = true;
            example.clear();
        } else if (line == "```" && inExample) {
            inExample = false;
            ASSERT_TRUE(std::getline(doc, line) && line.rfind("Gives: ", 0) == 0)
                << "an example without its Gives: line:\n"
                << example;
            std::string expected;
            for (char c : line.substr(7))
                if (c != '`')
                    expected += c;
            const std::string layout =
                (dir / ("ex" + std::to_string(++examples) + ".lay.json")).string();
            WriteFile(layout, example);
            SCOPED_TRACE(example);
            const Outcome check = RunQgb({"check", layout});
            EXPECT_EQ(check.status, 0) << check.out;
            const Outcome info = RunQgb({"info", "--json", layout});
            ASSERT_EQ(info.status, 0) << info.err;
            EXPECT_EQ(Gives(nlohmann::json::parse(info.out)), expected);
        } else if (inExample) {
            example += line + "\n";
        }
    }
    EXPECT_GE(examples, 6);
}

TEST(CheckCli, FindingsWithPlaceAdviceAndExitCode) {
    const fs::path dir = OutputDir("check-cli");
    const std::string layout = (dir / "bad.lay.json").string();
    WriteFile(layout, R"({"formatVersion": 1, "frames": [
      {"name": "ID=1 TITLE=\"A\" MODE=MODAL OKCLOSEBUTTON=T", "x": 1, "y": 1, "width": 4, "height": 3,
       "texts": [{"string": "OK", "command": "VarName=Go", "x": 10, "y": 80, "boxType": "filled"},
                 {"string": "LIST:x", "x": 10, "y": 50, "boxType": "filled"},
                 {"string": "Again", "command": "VarName=GO", "x": 10, "y": 20, "boxType": "filled"}]}]})");
    const Outcome json = RunQgb({"check", "--json", "--language", "fortran", layout});
    ASSERT_EQ(json.status, 1);
    const nlohmann::json report = nlohmann::json::parse(json.out);
    ASSERT_EQ(report.at("findings").size(), 2u) << json.out;
    using J = nlohmann::json;
    const J &prefix = report["findings"][0], &upper = report["findings"][1];
    EXPECT_EQ(J({prefix["severity"], prefix["file"], prefix["frame"]["index"],
                 prefix["control"]["text"]}),
              J({"warning", layout, 1, "LIST:x"}));
    EXPECT_NE(prefix["message"].get<std::string>().find("push button"), std::string::npos);
    EXPECT_FALSE(prefix["advice"].get<std::string>().empty());
    EXPECT_EQ(J({upper["severity"], upper["frame"]["index"], upper["control"]["identifier"],
                 upper["key"]}),
              J({"error", 1, "GO_BTN_D1", "VarName"}));

    // Without FORTRAN only the warning is left: exit 0, and the text names the frame.
    const Outcome text = RunQgb({"check", "--language", "c", layout});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("frame 1 \"ID=1"), std::string::npos) << text.out;
    fs::remove_all(dir);
}

} // namespace
} // namespace qgbtest
