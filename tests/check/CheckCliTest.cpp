// qgb check as a user runs it: findings with their place and advice, as text
// or JSON, and the exit code.
#include "Run.h"

#include <nlohmann/json.hpp>

namespace qgbtest {
namespace {

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
