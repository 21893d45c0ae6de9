// Every example layout of docs/design-vocabulary.md runs as printed: qgb
// check finds no error in it, and qgb info --json gives the kinds and
// identifiers its "Gives:" line says.
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

} // namespace
} // namespace qgbtest
