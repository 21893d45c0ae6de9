// "qgb build --language qt" end to end, with the real tool and module, on
// every sample design copied as a designer's project: the layout in a
// directory "layout" with "ui/mainwindow/qt" beside it.
#include "Run.h"

#include <map>

namespace qgbtest {
namespace {

const char *const kSuccess = "info: New Qt stub files have been written.\n";

// Every regular file under a directory, by path relative to it.
std::map<std::string, std::string> Files(const fs::path &directory) {
    std::map<std::string, std::string> files;
    if (!fs::exists(directory))
        return files;
    for (const auto &entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), directory).generic_string()] = ReadFile(entry.path());
    return files;
}

// A project's Qt output: the files under ui/ and the resource file beside
// the layout (a golden directory has the same shape).
std::map<std::string, std::string> QtFiles(const fs::path &root) {
    std::map<std::string, std::string> files = Files(root / "ui");
    files["quorvinrs_generated.qrc"] = ReadFile(root / "layout" / "quorvinrs_generated.qrc");
    return files;
}

class QtCli : public TempFolderTest {
  protected:
    static Outcome Qgb(const std::vector<std::string> &args) { return RunQgb(args); }

    // Copies a sample design into "<dir>/<project>/layout"; returns the
    // copied layout's path.
    fs::path CopyAsProject(const fs::path &layout, const std::string &project,
                           bool withMainWindowDirectory) {
        const fs::path root = dir / project;
        fs::create_directories(root / "layout");
        fs::copy(layout.parent_path(), root / "layout", fs::copy_options::recursive);
        if (withMainWindowDirectory)
            fs::create_directories(root / "ui" / "mainwindow" / "qt");
        return root / "layout" / layout.filename();
    }
};

TEST_F(QtCli, EverySampleDesignBuildsIntoTheProjectsUiDirectory) {
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    for (const fs::path &sample : layouts) {
        const std::string design = sample.parent_path().filename().string();
        SCOPED_TRACE(design);
        const fs::path layout = CopyAsProject(sample, design, true);
        const fs::path root = layout.parent_path().parent_path();

        const Outcome first = Qgb({"build", layout.string(), "--language", "qt"});
        EXPECT_EQ(first.status, 0) << first.err;
        EXPECT_NE(first.err.find(kSuccess), std::string::npos) << first.err;
        EXPECT_EQ(first.err.find("error:"), std::string::npos) << first.err;

        // The dialogs' and main window's files, by name and content, are
        // checked against the golden files below; each dialog directory also
        // holds an empty "_build".
        int dialogs = 0;
        for (const auto &entry : fs::directory_iterator(root / "ui" / "dialogs")) {
            const fs::path build = entry.path() / "_build";
            EXPECT_TRUE(fs::is_directory(build) && fs::is_empty(build)) << build;
            ++dialogs;
        }
        EXPECT_GT(dialogs, 0);
        EXPECT_FALSE(fs::exists(root / "layout" / "guicb.tmp"));

        // What the tool wrote is what the in-process build's golden files
        // hold, and a second run writes the same bytes.
        const std::map<std::string, std::string> written = QtFiles(root);
        EXPECT_TRUE(written == QtFiles(fs::path(QGB_SOURCE_DIR) / "tests/golden/qt" / design))
            << "the Qt files of " << design << " differ from tests/golden/qt/" << design;

        const Outcome second = Qgb({"build", layout.string(), "--language", "qt"});
        EXPECT_EQ(second.status, 0) << second.err;
        EXPECT_TRUE(QtFiles(root) == written) << "two builds of " << design << " differ";
    }
}

TEST_F(QtCli, WithoutTheMainWindowDirectoryTheBuildFails) {
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    const fs::path layout = CopyAsProject(layouts.front(), "nomain", false);
    const fs::path root = layout.parent_path().parent_path();

    const Outcome run = Qgb({"build", layout.string(), "--language", "qt"});
    EXPECT_EQ(run.status, 1);
    const std::string expected =
        "error: Error: Cannot open file: " + layout.parent_path().string() +
        "/../ui/mainwindow/qt/MainWindowGenerated.uifor writing.\n";
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("New Qt stub files"), std::string::npos) << run.err;
    // Nothing of the main window is made; the dialogs and resources are.
    EXPECT_FALSE(fs::exists(root / "ui" / "mainwindow"));
    EXPECT_TRUE(fs::exists(root / "ui" / "dialogs"));
    EXPECT_TRUE(fs::exists(root / "layout" / "quorvinrs_generated.qrc"));
    // The language is kept in dlb.cfg all the same.
    EXPECT_NE(ReadFile(root / "layout" / "dlb.cfg").find("Language=QT"), std::string::npos);
}

} // namespace
} // namespace qgbtest
