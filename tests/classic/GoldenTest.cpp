// The classic output of every sample design in examples/, byte for byte
// against tests/golden/classic/<design>/<language>/. scripts/update-golden.sh
// regenerates the golden files (QGB_UPDATE_GOLDEN names a directory to write
// the new outputs to instead of comparing) and prints the differences.
#include "ClassicSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace qgbtest {
namespace {

const char *const kLanguageDirs[] = {"c", "cpp", "fortran"};

// The first line where two texts differ, for a readable failure.
std::string FirstDifference(const std::string &actual, const std::string &expected) {
    const std::vector<std::string> a = Lines(actual), e = Lines(expected);
    for (size_t i = 0; i < std::max(a.size(), e.size()); ++i) {
        const std::string al = i < a.size() ? a[i] : "<end>";
        const std::string el = i < e.size() ? e[i] : "<end>";
        if (al != el)
            return "line " + std::to_string(i + 1) + ":\n  built:  " + al + "\n  golden: " + el;
    }
    return "same lines, different line ends";
}

class GoldenTest : public ClassicFixture {};

TEST_F(GoldenTest, EverySampleDesignInEveryClassicLanguage) {
    const std::vector<std::string> layouts = ExampleLayouts();
    ASSERT_FALSE(layouts.empty()) << "no sample design under examples/";
    const char *update = std::getenv("QGB_UPDATE_GOLDEN");
    const std::string goldenRoot = std::string(QGB_SOURCE_DIR) + "/tests/golden/classic/";

    for (const std::string &layout : layouts) {
        const std::string design = layout.substr(0, layout.find('/'));
        for (int32_t language = 0; language <= 2; ++language) {
            SCOPED_TRACE(layout + " " + kLanguageDirs[language]);
            ResetWorkspace();
            // Built from a copy: nothing is written into the source tree.
            const std::string copy = dir + design + "-" + kLanguageDirs[language] + "/";
            ASSERT_EQ(RunCommand("mkdir -p '" + copy + "' && cp -R '" + QGB_SOURCE_DIR +
                                     "/examples/" + design + "/.' '" + copy + "'",
                                 nullptr),
                      0);
            std::string error;
            ASSERT_TRUE(host().loadLayout(copy + layout.substr(design.size() + 1), &error))
                << error;
            Build(language);
            ASSERT_EQ(Shown().back().rfind("New GUI stub files have been written.", 0), 0u)
                << DescribeMessages();

            const std::string relative = design + "/" + kLanguageDirs[language] + "/";
            for (const std::string &name : OutputFileNames(language)) {
                const std::string built = ReadFile(copy + name);
                if (update) {
                    const std::string target = std::string(update) + "/" + relative;
                    ASSERT_EQ(RunCommand("mkdir -p '" + target + "'", nullptr), 0);
                    std::ofstream(target + name, std::ios::binary) << built;
                    continue;
                }
                const std::string goldenPath = goldenRoot + relative + name;
                ASSERT_TRUE(FileExists(goldenPath))
                    << goldenPath << " is missing; run scripts/update-golden.sh";
                const std::string golden = ReadFile(goldenPath);
                EXPECT_TRUE(built == golden) << name << " differs from " << goldenPath << " at "
                                             << FirstDifference(built, golden);
            }
        }
    }
}

} // namespace
} // namespace qgbtest
