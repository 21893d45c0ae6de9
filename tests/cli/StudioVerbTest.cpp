// qgb studio runs qgb-studio from beside qgb, with qgb's add-on module, and
// names the program when it is missing.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(StudioVerb, RunsTheStudioBesideQgbOrNamesIt) {
    const fs::path dir =
        fs::temp_directory_path() / ("qgb-studio-" + std::to_string(std::random_device()()));
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
        const fs::path log = dir / "out.log";
        const std::string leaks = c.qtLeaks ? "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " : "";
        const int raw = std::system((leaks + "QT_QPA_PLATFORM=offscreen '" + c.qgb.string() + "' " +
                                     c.arguments + " >'" + log.string() + "' 2>&1")
                                        .c_str());
        std::ostringstream output;
        output << std::ifstream(log).rdbuf();
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status) << output.str();
        EXPECT_NE(output.str().find(c.output), std::string::npos) << output.str();
    }
    std::ifstream shot(dir / "shot.png", std::ios::binary);
    char magic[4] = {};
    shot.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace
