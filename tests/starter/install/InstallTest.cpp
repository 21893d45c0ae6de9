// The installed package alone: the build is installed into a temporary
// prefix once, and starter projects of every language are configured, built
// and run from that prefix, with no path into this source or build tree.
#include "Run.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <map>

namespace qgbtest {
namespace {

fs::path gRoot, gPrefix;

class Install : public ::testing::Environment {
  public:
    void SetUp() override {
        gRoot = FreshTempPath("qgb-install-");
        gPrefix = gRoot / "prefix";
        fs::create_directories(gRoot);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::string output;
        ASSERT_EQ(Shell(Quote(QGB_CMAKE) + " --install " + Quote(QGB_BINARY_DIR) + " --prefix " +
                            Quote(gPrefix.string()),
                        &output),
                  0)
            << output;
    }
    void TearDown() override {
        std::error_code ec;
        if (!::testing::UnitTest::GetInstance()->Failed())
            fs::remove_all(gRoot, ec);
    }
};

[[maybe_unused]] ::testing::Environment *const gInstall =
    ::testing::AddGlobalTestEnvironment(new Install);

// Runs a command that must succeed; its output.
std::string Must(const std::string &command) {
    std::string output;
    EXPECT_EQ(Shell(command, &output), 0) << command << "\n" << output;
    return output;
}

std::string Qgb() {
    return Quote((gPrefix / "bin" / "qgb").string());
}

std::string Build(const fs::path &project) {
    return Must(Quote(QGB_CMAKE) + " --build " + Quote((project / "build").string()) + " -j2");
}

// A starter project in a new folder NAME, configured and built.
fs::path NewBuiltProject(const std::string &name, const std::string &language) {
    const fs::path project = gRoot / name;
    Must(Qgb() + " new " + Quote(project.string()) + " --language " + language);
    Must(Quote(QGB_CMAKE) + " -S " + Quote(project.string()) + " -B " +
         Quote((project / "build").string()) +
         " -G Ninja -DCMAKE_PREFIX_PATH=" + Quote(gPrefix.string()));
    Build(project);
    return project;
}

bool IsPng(const fs::path &file) {
    return ReadFile(file).rfind("\x89PNG\r\n", 0) == 0;
}

class Starter : public ::testing::TestWithParam<const char *> {};

TEST_P(Starter, BuildsAndRunsFromTheInstalledPrefixAlone) {
    const std::string language = GetParam();
    if (language == "fortran" && std::string(QGB_GFORTRAN).empty())
        GTEST_SKIP() << "gfortran is not installed";
    if (language == "qt" && !QGB_HAVE_QT)
        GTEST_SKIP() << "Qt 5 is not installed";
    const std::string name = "starter_" + language;
    const fs::path project = NewBuiltProject(name, language);
    for (const char *file : {"CMakeCache.txt", "build.ninja"})
        EXPECT_EQ(ReadFile(project / "build" / file).find(std::string(QGB_SOURCE_DIR) + "/"),
                  std::string::npos)
            << file << " names the source or build tree";

    if (language == "qt") {
        const std::string controls = Must(Quote((project / "build" / name).string()) + " --list");
        for (const char *line : {"Prompt_LBL_D1 QLabel \"Your name:\"\n", "Name_TF_D1 QLineEdit\n",
                                 "Dialog1_buttonBox QDialogButtonBox \"OK\" \"Cancel\" \"Help\"\n"})
            EXPECT_NE(controls.find(line), std::string::npos) << line << controls;
        Must(Quote((project / "build" / name).string()) + " --snapshot " +
             Quote((project / "greeting.png").string()));
        EXPECT_TRUE(IsPng(project / "greeting.png"));
    } else if (language == "fortran") {
        // The build's own check of FORTRAN output, on the starter's sources.
        const fs::path design = project / "build" / "qgb" / name / "generated" / "design";
        for (const char *file : {"addon.F", "callbacks.F"})
            Must(std::string(QGB_GFORTRAN) +
                 " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
                 " -fallow-argument-mismatch -I " +
                 Quote(project.string()) + " -I " + Quote(design.string()) + " " +
                 Quote((project / file).string()));
    } else {
        // The script checks the label, the text field and the dialog's buttons;
        // the text field's callback traces the value typed.
        const std::string run = Must(Qgb() + " run " + Quote((project / "greeting.qgb").string()));
        EXPECT_NE(run.find("New value is: World"), std::string::npos) << run;
        EXPECT_TRUE(IsPng(project / "greeting.png"));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Starter, ::testing::Values("c", "cpp", "qt", "fortran"),
                         [](const auto &info) { return std::string(info.param); });

// Every generated file with its modification time.
std::map<std::string, fs::file_time_type> Stamps(const fs::path &folder) {
    std::map<std::string, fs::file_time_type> stamps;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            stamps[fs::relative(entry.path(), folder).string()] = entry.last_write_time();
    return stamps;
}

// The file touched but not changed: the project's generation runs again and
// replaces nothing, so nothing is compiled.
void TouchedOnly(const fs::path &project, const fs::path &file, const fs::path &generated) {
    const auto before = Stamps(generated);
    fs::last_write_time(file, fs::file_time_type::clock::now());
    const std::string output = Build(project);
    EXPECT_NE(output.find("qgb_generate(regenerate): building"), std::string::npos) << output;
    EXPECT_EQ(output.find("Building C object"), std::string::npos) << output;
    EXPECT_EQ(Stamps(generated), before);
}

TEST(Generate, RegeneratesWhenTheLayoutOrAnImageChangesAndRecompilesOnlyChangedOutput) {
    const fs::path project = NewBuiltProject("regenerate", "c");
    const fs::path layout = project / "design" / "greeting.lay.json";
    const fs::path image = project / "design" / "button.bmp";
    const fs::path generated = project / "build" / "qgb" / "regenerate" / "generated";
    EXPECT_NE(Build(project).find("no work to do"), std::string::npos);
    TouchedOnly(project, layout, generated);
    EXPECT_NE(Build(project).find("no work to do"), std::string::npos);

    // A bitmap button added: its stub is merged and the changed output compiled.
    fs::copy_file(fs::path(QGB_SOURCE_DIR) / "examples" / "sample" / "button.bmp", image);
    nlohmann::json doc = nlohmann::json::parse(ReadFile(layout));
    doc["frames"][0]["geoms"].push_back(nlohmann::json::parse(
        R"({"type": "image", "coordSys": "frame", "x": 80.0, "y": 20.0, "z": 0.0, "drawOrder": 0,)"
        R"( "command": "VarName=Wave Type=PushButton", "file": "button.bmp", "width": 5.0})"));
    WriteFile(layout, doc.dump(2));
    std::string output = Build(project);
    EXPECT_NE(output.find("callbacks.c.o"), std::string::npos) << output;
    EXPECT_NE(ReadFile(project / "callbacks.c").find("Wave_BB_D1_CB(void)"), std::string::npos);
    EXPECT_NE(Build(project).find("no work to do"), std::string::npos);

    // The image touched, then changed: only the change reaches the compiler.
    TouchedOnly(project, image, generated);
    const auto before = Stamps(generated);
    std::string pixels = ReadFile(image);
    pixels.back() = static_cast<char>(~pixels.back());
    WriteFile(image, pixels);
    output = Build(project);
    EXPECT_NE(output.find("callbacks.c.o"), std::string::npos) << output;
    EXPECT_NE(Stamps(generated)["design/guibld.c"], before.at("design/guibld.c"));
    EXPECT_EQ(ReadFile(project / "design" / "button.bmp"), pixels);
}

// docs/tutorial.md runs as written: its sh blocks, in order, as one bash
// script with HOME in a temporary folder and this build tree as the
// "build" folder of the source folder it starts in.
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
