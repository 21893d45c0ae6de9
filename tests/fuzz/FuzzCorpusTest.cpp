// The fuzz targets' seeds and stored findings, run through the normal suite:
// in-process through the same property checks the targets use, and through
// qgb itself, which must end with 0, 1 or 2 on every one of them, never on a
// signal. Stored layouts named "refused-*" must be refused when they load.
#include "Properties.h"
#include "Run.h"

namespace qgbtest {
namespace {

const fs::path kSource = QGB_SOURCE_DIR;
const fs::path kRegressions = kSource / "tests" / "fuzz-regressions";

bool IsPicture(const fs::path &path) {
    return path.extension() == ".bmp" || path.extension() == ".png";
}

// Every input file below the directories (pictures are only what inputs
// name), sorted: the seed corpora of scripts/fuzz.sh, by target.
std::vector<fs::path> Inputs(const std::vector<fs::path> &dirs) {
    std::vector<fs::path> files;
    for (const fs::path &dir : dirs)
        for (const fs::directory_entry &entry : fs::recursive_directory_iterator(dir))
            if (entry.is_regular_file() && !IsPicture(entry.path()))
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}
const std::vector<fs::path> kLayoutInputs = Inputs({kSource / "examples", kRegressions / "layout"});
const std::vector<fs::path> kConfigInputs = Inputs({kRegressions / "config"});

TEST(FuzzCorpus, EveryStoredInputHoldsItsTargetsProperty) {
    const struct {
        const char *name;
        std::vector<fs::path> inputs;
        std::string (*check)(const std::string &);
    } targets[] = {
        {"layout", kLayoutInputs, qgbfuzz::CheckLayoutRoundTrip},
        {"build", kLayoutInputs, qgbfuzz::CheckWholeBuild},
        {"config", kConfigInputs, qgbfuzz::CheckConfigFile},
        {"text", Inputs({kRegressions / "text", kSource / "examples"}), qgbfuzz::CheckTextReaders},
    };
    for (const auto &target : targets) {
        EXPECT_GE(target.inputs.size(), 3u) << target.name << ": corpus missing";
        for (const fs::path &input : target.inputs)
            EXPECT_EQ(target.check(ReadFile(input)), "") << target.name << ": " << input;
    }
}

class QgbOnCorpus : public TempFolderTest {
  protected:
    // A fresh layout folder holding every picture the inputs name, inside a
    // project that has the folder the Qt main window files go to.
    fs::path Project(const std::string &name) {
        const fs::path project = dir / name / "design";
        fs::create_directories(project);
        fs::create_directories(dir / name / "ui" / "mainwindow" / "qt");
        for (const fs::path &from : {kSource / "examples" / "sample",
                                     kSource / "examples" / "forms", kRegressions / "images"})
            for (const fs::directory_entry &entry : fs::directory_iterator(from))
                if (IsPicture(entry.path()))
                    fs::copy_file(entry.path(), project / entry.path().filename(),
                                  fs::copy_options::overwrite_existing);
        return project;
    }

    // qgb's exit code, its output in output; -1 when it ended on a signal
    // (or past the codes it has).
    int Qgb(const std::string &args) {
        const int status = Shell(Quote(QGB_CLI_PATH) + " " + args, &output);
        return status > 2 ? -1 : status;
    }

    std::string output;
};

TEST_F(QgbOnCorpus, InfoAndBuildEndWithAnExitCodeOnEveryLayoutInput) {
    static const char *const kLanguages[] = {"c", "cpp", "fortran", "qt"};
    size_t n = 0;
    for (const fs::path &input : kLayoutInputs) {
        const fs::path project = Project("p" + std::to_string(n));
        const std::string layout = (project / "design.lay.json").string();
        fs::copy_file(input, layout);
        const bool refused = input.filename().string().rfind("refused-", 0) == 0;
        EXPECT_EQ(Qgb("info " + Quote(layout)), refused ? 1 : 0) << input << "\n" << output;
        if (refused) {
            EXPECT_NE(output.find(layout + ": "), std::string::npos) << input << "\n" << output;
        }
        const int build = Qgb("build " + Quote(layout) + " --language " + kLanguages[n++ % 4]);
        EXPECT_TRUE(build == 0 || build == 1) << input << "\n" << output;
    }
}

TEST_F(QgbOnCorpus, OptionsAndBuildEndWithAnExitCodeOnEveryConfigInput) {
    size_t n = 0;
    for (const fs::path &input : kConfigInputs) {
        const fs::path project = Project("c" + std::to_string(n++));
        fs::copy_file(kSource / "examples" / "sample" / "sample.lay.json",
                      project / "sample.lay.json");
        fs::copy_file(input, project / "dlb.cfg");
        const std::string layout = Quote((project / "sample.lay.json").string());
        EXPECT_EQ(Qgb("options " + layout), 0) << input << "\n" << output;
        EXPECT_EQ(Qgb("build " + layout), 0) << input << "\n" << output;
    }
}

} // namespace
} // namespace qgbtest
