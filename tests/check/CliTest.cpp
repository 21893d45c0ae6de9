// qgb check and info as a user runs them: findings with their place and
// advice, as text or JSON, and the exit code; and every example layout of
// docs/design-vocabulary.md runs as printed: qgb check finds no error in it,
// and qgb info --json gives the kinds and identifiers its "Gives:" line says.
#include "Run.h"

#include <nlohmann/json.hpp>

namespace qgbtest {
namespace {

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
