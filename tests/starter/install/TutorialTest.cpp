// docs/tutorial.md runs as written: its sh blocks, in order, as one bash
// script with HOME in a temporary folder and this build tree as the
// "build" folder of the source folder it starts in.
#include "Run.h"

#include <sstream>

namespace qgbtest {
namespace {

using Tutorial = TempFolderTest;

TEST_F(Tutorial, EveryCommandRuns) {
    std::istringstream doc(ReadFile(fs::path(QGB_SOURCE_DIR) / "docs" / "tutorial.md"));
    std::string line, script = "set -ex\n";
    bool inBlock = false;
    int blocks = 0;
    while (std::getline(doc, line)) {
        if (!inBlock && line == "```sh")
            inBlock = true, ++blocks;
        else if (inBlock && line == "```")
            inBlock = false;
        else if (inBlock)
            script += line + "\n";
    }
    ASSERT_GE(blocks, 5);
    fs::create_directories(dir / "src");
    fs::create_directory_symlink(QGB_BINARY_DIR, dir / "src" / "build");
    WriteFile(dir / "tutorial.sh", script);
    std::string output;
    EXPECT_EQ(Shell("cd " + Quote((dir / "src").string()) + " && HOME=" + Quote(dir.string()) +
                        " QT_QPA_PLATFORM=offscreen bash " + Quote((dir / "tutorial.sh").string()),
                    &output),
              0)
        << output;
    // The edited callback ran after the design changed and was rebuilt.
    EXPECT_NE(output.rfind("Hello, World!"), std::string::npos) << output;
    EXPECT_NE(output.find("Hello_BTN_D1 QPushButton \"Say hello\""), std::string::npos);
    // Each rebuild kept the callbacks file as it was and added the new
    // button's stub after it (before the builder file's include, the last line).
    for (const char *project : {"greeting", "greeting_qt"}) {
        const fs::path folder = dir / "addons" / project;
        std::string kept = ReadFile(folder / "callbacks.cpp.before");
        const std::string after = ReadFile(folder / "callbacks.cpp"),
                          include = "#include \"guibld.cpp\"\n";
        if (kept.size() > include.size() &&
            kept.compare(kept.size() - include.size(), include.size(), include) == 0)
            kept.resize(kept.size() - include.size());
        EXPECT_EQ(after.compare(0, kept.size(), kept), 0) << project << "\n" << after;
        EXPECT_NE(after.find("Hello_BTN_D1_CB(", kept.size()), std::string::npos) << project;
    }
}

} // namespace
} // namespace qgbtest
