// qgb studio runs qgb-studio from beside qgb, with qgb's add-on module, and
// names the program when it is missing.
#include "Run.h"

#include <string>

namespace {

using namespace qgbtest;

using StudioVerb = TempFolderTest;

TEST_F(StudioVerb, RunsTheStudioBesideQgbOrNamesIt) {
    fs::create_directories(dir / "lonely");
    // A qgb with no studio beside it.
    fs::copy_file(QGB_CLI_PATH, dir / "lonely" / "qgb");
    const std::string layout = std::string(QGB_SOURCE_DIR) + "/examples/sample/sample.lay.json";
    const struct {
        fs::path qgb;
        std::string arguments;
        int status;
        std::string output; // a part of standard output and error
        // Qt's offscreen platform leaks its screen when the application ends;
        // the studio's own leaks are checked in-process by the studio tests.
        bool qtLeaks = false;
    } cases[] = {
        {QGB_CLI_PATH, "studio --screenshot '" + (dir / "shot.png").string() + "' '" + layout + "'",
         0, (dir / "shot.png").string(), true},
        {dir / "lonely" / "qgb", "studio", 1,
         "error: qgb studio needs the program " + (dir / "lonely" / "qgb-studio").string()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments);
        const std::string leaks = c.qtLeaks ? "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " : "";
        std::string output;
        const int status =
            Shell(leaks + "QT_QPA_PLATFORM=offscreen " + Quote(c.qgb.string()) + " " + c.arguments,
                  &output);
        EXPECT_EQ(status, c.status) << output;
        EXPECT_NE(output.find(c.output), std::string::npos) << output;
    }
    EXPECT_EQ(ReadFile(dir / "shot.png").substr(1, 3), "PNG");
}

} // namespace
