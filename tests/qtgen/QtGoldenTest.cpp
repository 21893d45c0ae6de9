// The Qt output of every sample design in examples/, built by the build
// command and compared byte for byte with tests/golden/qt/<design>/, which
// mirrors the project's tree: "layout/quorvinrs_generated.qrc", "ui/dialogs/..."
// and "ui/mainwindow/qt/...". A second build must write the same bytes, and
// Qt's uic must accept every form. scripts/update-golden.sh regenerates the
// golden files (QGB_UPDATE_GOLDEN names a directory to write the new outputs
// to instead of comparing) and prints the differences.
#include "QtTestSupport.h"

#include <cstdlib>
#include <map>
#include <sstream>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;

#if defined(QGB_QT_UIC)
const char *const kUic = QGB_QT_UIC;
#else
const char *const kUic = nullptr;
#endif

// The layout files of the sample designs, relative to examples/ (one
// directory per design), in name order.
std::vector<fs::path> ExampleLayouts() {
    std::vector<fs::path> layouts;
    const fs::path examples = fs::path(QGB_SOURCE_DIR) / "examples";
    for (const auto &design : fs::directory_iterator(examples)) {
        if (!design.is_directory())
            continue;
        for (const auto &file : fs::directory_iterator(design.path())) {
            const std::string name = file.path().filename().string();
            if (name.size() > 9 && name.compare(name.size() - 9, 9, ".lay.json") == 0)
                layouts.push_back(fs::relative(file.path(), examples));
        }
    }
    std::sort(layouts.begin(), layouts.end());
    return layouts;
}

// The Qt output of a project: every file under "ui" and the resource file,
// by path relative to the project's root. Directories are listed with an
// empty text and a trailing "/", so an empty "_build" counts too.
std::map<std::string, std::string> QtOutput(const fs::path &project) {
    std::map<std::string, std::string> files;
    if (fs::exists(project / "ui"))
        for (const auto &entry : fs::recursive_directory_iterator(project / "ui")) {
            const std::string relative = fs::relative(entry.path(), project).generic_string();
            if (entry.is_directory())
                files[relative + "/"] = "";
            else
                files[relative] = ReadFile(entry.path());
        }
    const fs::path resources = project / "layout" / "quorvinrs_generated.qrc";
    if (fs::exists(resources))
        files["layout/quorvinrs_generated.qrc"] = ReadFile(resources);
    return files;
}

// The golden files of a design (regular files only: git keeps no empty
// directory).
std::map<std::string, std::string> GoldenFiles(const fs::path &golden) {
    std::map<std::string, std::string> files;
    if (!fs::exists(golden))
        return files;
    for (const auto &entry : fs::recursive_directory_iterator(golden))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), golden).generic_string()] = ReadFile(entry.path());
    return files;
}

std::string FirstDifference(const std::string &built, const std::string &golden) {
    std::istringstream a(built), e(golden);
    std::string al, el;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, al));
        const bool moreE = static_cast<bool>(std::getline(e, el));
        if (!moreA && !moreE)
            return "same lines, different line ends";
        if (!moreA || !moreE || al != el)
            return "line " + std::to_string(line) + ":\n  built:  " + (moreA ? al : "<end>") +
                   "\n  golden: " + (moreE ? el : "<end>");
    }
}

class QtGoldenTest : public QtBuildFixture {
  protected:
    // Copies a sample design into "<project>/layout", makes
    // "<project>/ui/mainwindow/qt", loads the layout and builds it for Qt.
    void BuildCopy(const fs::path &layout, const fs::path &project) {
        fs::remove_all(project);
        fs::create_directories(project / "layout");
        fs::create_directories(project / "ui" / "mainwindow" / "qt");
        fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / layout.parent_path(), project / "layout",
                 fs::copy_options::recursive);
        ResetWorkspace();
        std::string error;
        ASSERT_TRUE(host().loadLayout((project / "layout" / layout.filename()).string(), &error))
            << error;
        Build();
        ASSERT_EQ(Shown(), std::vector<std::string>{"New Qt stub files have been written."})
            << DescribeMessages();
    }
};

TEST_F(QtGoldenTest, EverySampleDesign) {
    const std::vector<fs::path> layouts = ExampleLayouts();
    ASSERT_FALSE(layouts.empty()) << "no sample design under examples/";
    const char *update = std::getenv("QGB_UPDATE_GOLDEN");

    for (const fs::path &layout : layouts) {
        const std::string design = layout.parent_path().string();
        SCOPED_TRACE(layout.string());
        const fs::path first = root / (design + "-1"), second = root / (design + "-2");
        ASSERT_NO_FATAL_FAILURE(BuildCopy(layout, first));
        const std::map<std::string, std::string> built = QtOutput(first);

        // Every dialog directory holds its three files and an empty "_build".
        ASSERT_TRUE(fs::exists(first / "ui" / "dialogs"));
        for (const auto &dialog : fs::directory_iterator(first / "ui" / "dialogs")) {
            EXPECT_TRUE(fs::is_directory(dialog.path() / "_build")) << dialog.path();
            EXPECT_TRUE(fs::is_empty(dialog.path() / "_build")) << dialog.path();
            int files = 0;
            for (const auto &file : fs::directory_iterator(dialog.path()))
                files += file.is_regular_file();
            EXPECT_EQ(files, 3) << dialog.path();
        }
        for (const char *name :
             {"MainWindowGenerated.ui", "MainWindowGenerated.h", "MainWindowDefs_generated.h"})
            EXPECT_EQ(built.count(std::string("ui/mainwindow/qt/") + name), 1u) << name;
        EXPECT_EQ(built.count("layout/quorvinrs_generated.qrc"), 1u);

        // A second build of another copy writes the same bytes.
        ASSERT_NO_FATAL_FAILURE(BuildCopy(layout, second));
        EXPECT_TRUE(QtOutput(second) == built) << "two builds of " << design << " differ";

        // Qt's own compiler of forms accepts every form.
        if (kUic) {
            for (const auto &[path, text] : built) {
                if (path.size() < 3 || path.compare(path.size() - 3, 3, ".ui") != 0)
                    continue;
                const Result uic = RunCommand({kUic, (first / path).string(), "-o", "/dev/null"});
                EXPECT_EQ(uic.status, 0) << path << ":\n" << uic.output;
                EXPECT_EQ(uic.output, "") << path;
            }
        }

        std::map<std::string, std::string> builtFiles;
        for (const auto &[path, text] : built)
            if (path.back() != '/')
                builtFiles[path] = text;
        if (update) {
            for (const auto &[path, text] : builtFiles) {
                const fs::path target = fs::path(update) / design / path;
                fs::create_directories(target.parent_path());
                WriteFile(target, text);
            }
            continue;
        }
        const fs::path goldenRoot = fs::path(QGB_SOURCE_DIR) / "tests" / "golden" / "qt" / design;
        const std::map<std::string, std::string> golden = GoldenFiles(goldenRoot);
        ASSERT_FALSE(golden.empty()) << goldenRoot << " is missing; run scripts/update-golden.sh";
        std::vector<std::string> builtNames, goldenNames;
        for (const auto &[path, text] : builtFiles)
            builtNames.push_back(path);
        for (const auto &[path, text] : golden)
            goldenNames.push_back(path);
        EXPECT_EQ(builtNames, goldenNames);
        for (const auto &[path, text] : builtFiles) {
            const auto expected = golden.find(path);
            if (expected == golden.end())
                continue;
            EXPECT_TRUE(text == expected->second) << path << " differs from the golden file at "
                                                  << FirstDifference(text, expected->second);
        }
    }
}

} // namespace
} // namespace qgbtest
