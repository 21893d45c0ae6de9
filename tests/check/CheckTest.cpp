// The design checks on a corpus of small problem designs: each design must
// give its finding, and a sound design gives none.
#include "Check.h"

#include "quorvin/Host.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

namespace {

using quorvin::host::FrameSpec;
using quorvin::host::Host;
using quorvin::host::TextSpec;
namespace qb = quorvin::builder;

using qgb::Finding;

constexpr const char *kDialog = "ID=1 MODE=MODAL OKCLOSEBUTTON=T";

TextSpec Control(const std::string &string, const std::string &command = {},
                 TextBox_e box = TextBox_Filled) {
    TextSpec spec;
    spec.string = string;
    spec.command = command;
    spec.boxType = box;
    return spec;
}

struct Design {
    const char *what;
    std::vector<std::pair<std::string, std::vector<TextSpec>>> frames;
    int language;
    const char *finding; // empty: no finding at all
    Finding::Severity severity;
};

std::vector<qgb::Finding> CheckBuilt(const Design &design) {
    Host &host = Host::instance();
    host.reset();
    qb::BuilderSettings = qb::BuilderSettingsT{};
    for (const auto &frame : design.frames) {
        FrameSpec spec;
        spec.name = frame.first;
        host.addFrame(spec);
        for (const TextSpec &text : frame.second)
            host.addText(text);
    }
    return qgb::CheckDesign(design.language);
}

} // namespace


TEST(CheckTest, EachProblemDesignGivesItsFinding) {
    TextSpec outside = Control("Far");
    outside.x = 150;
    TextSpec frameUnits = Control("Units");
    frameUnits.sizeUnits = Units_Frame;
    const std::string longName(70, 'a');
    const Finding::Severity E = Finding::Severity::Error, W = Finding::Severity::Warning;
    const Design designs[] = {
        {"sound", {{kDialog, {Control("OK"), Control("Cancel")}}}, 1, "", E},
        {"repeat", {{kDialog, {Control("OK"), Control("OK")}}}, 1, "repeats", E},
        {"fortran case",
         {{kDialog, {Control("A", "VarName=abc"), Control("B", "VarName=ABC")}}},
         2,
         "FORTRAN ignores case",
         E},
        {"fortran length", {{kDialog, {Control("A", "VarName=" + longName)}}}, 2, "at most 63", E},
        {"unknown prefix", {{kDialog, {Control("LIST:a")}}}, 1, "not a control prefix", W},
        {"unknown type", {{kDialog, {Control("x", "Type=Listbox")}}}, 1, "matches no control", W},
        {"boolean",
         {{std::string(kDialog) + " CANCELBUTTON=maybe", {Control("OK")}}},
         1,
         "not a boolean",
         W},
        {"outside", {{kDialog, {outside}}}, 1, "outside its frame", W},
        {"no ID", {{"MODE=MODAL OKCLOSEBUTTON=T", {Control("OK")}}}, 1, "Missing ID=", E},
        {"not points", {{kDialog, {frameUnits}}}, 1, "sized using points", E},
        {"tab without pages", {{kDialog, {Control("TAB:t GROUP=3")}}}, 1, "has no page frames", W},
        {"same manager", {{kDialog, {Control("A")}}, {kDialog, {Control("B")}}}, 1, "both make", E},
        {"qt class",
         {{"ID=1 TITLE=\"A b\" MODE=MODELESS", {Control("A")}},
          {"ID=2 TITLE=\"Ab\" MODE=MODELESS", {Control("B")}}},
         3,
         "makes the Qt class",
         E},
        {"no controls", {{kDialog, {}}}, 1, "at least one control", E},
    };
    for (const Design &design : designs) {
        SCOPED_TRACE(design.what);
        const std::vector<Finding> findings = CheckBuilt(design);
        if (!*design.finding) {
            EXPECT_TRUE(findings.empty()) << findings.front().message;
            continue;
        }
        ASSERT_FALSE(findings.empty());
        const Finding &f = findings.front();
        EXPECT_NE(f.message.find(design.finding), std::string::npos) << f.message;
        EXPECT_EQ(f.severity, design.severity) << f.message;
        EXPECT_GE(f.frameIndex, 1);
        EXPECT_FALSE(f.advice.empty());
    }
    Host::instance().reset();
}
