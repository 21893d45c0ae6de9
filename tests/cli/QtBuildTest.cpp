// "qgb build --language qt" end to end, with the real tool and module, on
// every sample design copied as a designer's project: the layout in a
// directory "layout" with "ui/mainwindow/qt" beside it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;

const char *const kSuccess = "info: New Qt stub files have been written.\n";

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string Quote(const std::string &arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Read(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Every regular file under a directory, by path relative to it.
std::map<std::string, std::string> Files(const fs::path &directory) {
    std::map<std::string, std::string> files;
    if (!fs::exists(directory))
        return files;
    for (const auto &entry : fs::recursive_directory_iterator(directory))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), directory).generic_string()] = Read(entry.path());
    return files;
}

// The sample designs: examples/<design>/<name>.lay.json, in name order.
std::vector<fs::path> SampleLayouts() {
    std::vector<fs::path> layouts;
    for (const auto &design : fs::directory_iterator(fs::path(QGB_SOURCE_DIR) / "examples"))
        if (design.is_directory())
            for (const auto &file : fs::directory_iterator(design.path())) {
                const std::string name = file.path().filename().string();
                if (name.size() > 9 && name.compare(name.size() - 9, 9, ".lay.json") == 0)
                    layouts.push_back(file.path());
            }
    std::sort(layouts.begin(), layouts.end());
    return layouts;
}

class QtCli : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        dir_ = fs::temp_directory_path() /
               ("qgb-qt-" + std::to_string(random()) + "-" + std::to_string(random()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        if (!HasFailure())
            fs::remove_all(dir_, ec);
    }

    Outcome Qgb(const std::vector<std::string> &args) {
        std::string command = Quote(QGB_CLI_PATH);
        for (const std::string &a : args)
            command += " " + Quote(a);
        const fs::path out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
        command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
        Outcome run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = Read(out);
        run.err = Read(err);
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    // Copies a sample design into "<dir>/<project>/layout"; returns the
    // copied layout's path.
    fs::path CopyAsProject(const fs::path &layout, const std::string &project,
                           bool withMainWindowDirectory) {
        const fs::path root = dir_ / project;
        fs::create_directories(root / "layout");
        fs::copy(layout.parent_path(), root / "layout", fs::copy_options::recursive);
        if (withMainWindowDirectory)
            fs::create_directories(root / "ui" / "mainwindow" / "qt");
        return root / "layout" / layout.filename();
    }

    fs::path dir_;
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

        // Each dialog directory is its class name in lower case and holds
        // the form, the class header, the definitions and an empty "_build".
        std::vector<std::string> dialogs;
        for (const auto &entry : fs::directory_iterator(root / "ui" / "dialogs")) {
            std::vector<std::string> names;
            for (const auto &file : fs::directory_iterator(entry.path()))
                names.push_back(file.path().filename().string());
            std::sort(names.begin(), names.end());
            ASSERT_EQ(names.size(), 4u) << entry.path();
            const std::string className = names[0].substr(0, names[0].find('.'));
            EXPECT_EQ(names, (std::vector<std::string>{className + ".h", className + ".ui",
                                                       className + "_guidefs.h", "_build"}));
            ASSERT_GT(className.size(), 6u);
            EXPECT_EQ(className.compare(className.size() - 6, 6, "Dialog"), 0) << className;
            std::string lower = className.substr(0, className.size() - 6);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            EXPECT_EQ(entry.path().filename().string(), lower);
            EXPECT_TRUE(fs::is_empty(entry.path() / "_build"));
            dialogs.push_back(lower);
        }
        EXPECT_FALSE(dialogs.empty());
        for (const char *name :
             {"MainWindowGenerated.ui", "MainWindowGenerated.h", "MainWindowDefs_generated.h"})
            EXPECT_TRUE(fs::exists(root / "ui" / "mainwindow" / "qt" / name)) << name;
        EXPECT_TRUE(fs::exists(root / "layout" / "quorvinrs_generated.qrc"));
        EXPECT_FALSE(fs::exists(root / "layout" / "guicb.tmp"));

        // What the tool wrote is what the in-process build's golden files
        // hold, and a second run writes the same bytes.
        std::map<std::string, std::string> written = Files(root / "ui");
        written["quorvinrs_generated.qrc"] = Read(root / "layout" / "quorvinrs_generated.qrc");
        std::map<std::string, std::string> golden =
            Files(fs::path(QGB_SOURCE_DIR) / "tests" / "golden" / "qt" / design / "ui");
        golden["quorvinrs_generated.qrc"] =
            Read(fs::path(QGB_SOURCE_DIR) / "tests" / "golden" / "qt" / design / "layout" /
                 "quorvinrs_generated.qrc");
        EXPECT_TRUE(written == golden)
            << "the Qt files of " << design << " differ from tests/golden/qt/" << design;

        const Outcome second = Qgb({"build", layout.string(), "--language", "qt"});
        EXPECT_EQ(second.status, 0) << second.err;
        std::map<std::string, std::string> again = Files(root / "ui");
        again["quorvinrs_generated.qrc"] = Read(root / "layout" / "quorvinrs_generated.qrc");
        EXPECT_TRUE(again == written) << "two builds of " << design << " differ";
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
}

} // namespace
} // namespace qgbtest
