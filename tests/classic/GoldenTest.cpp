// The classic output of every sample design in examples/, byte for byte
// against tests/golden/classic/<design>/<language>/. scripts/update-golden.sh
// regenerates the golden files (QGB_UPDATE_GOLDEN names a directory to write
// the new outputs to instead of comparing) and prints the differences.
#include "ClassicSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace qgbtest {
namespace {

class GoldenTest : public ClassicFixture {};

TEST_F(GoldenTest, EverySampleDesignInEveryClassicLanguage) {
    const std::vector<std::string> layouts = ExampleLayouts();
    ASSERT_FALSE(layouts.empty()) << "no sample design under examples/";
    const char *update = std::getenv("QGB_UPDATE_GOLDEN");
    const char *const languageDirs[] = {"c", "cpp", "fortran"};

    for (const std::string &layout : layouts) {
        const std::string design = layout.substr(0, layout.find('/'));
        for (int32_t language = 0; language <= 2; ++language) {
            SCOPED_TRACE(layout + " " + languageDirs[language]);
            // Built from a copy: nothing is written into the source tree.
            ResetWorkspace();
            ASSERT_NO_FATAL_FAILURE(LoadExample(layout));
            ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language));

            const std::string relative = design + "/" + languageDirs[language] + "/";
            for (const std::string &name : OutputFileNames(language)) {
                if (update) {
                    const std::string target = std::string(update) + "/" + relative;
                    ASSERT_EQ(RunCommand("mkdir -p '" + target + "'"), 0);
                    std::ofstream(target + name, std::ios::binary) << Output(name);
                    continue;
                }
                const std::string golden =
                    std::string(QGB_SOURCE_DIR) + "/tests/golden/classic/" + relative + name;
                ASSERT_TRUE(FileExists(golden)) << golden << " is missing; run "
                                                << "scripts/update-golden.sh";
                EXPECT_EQ(Output(name), ReadFile(golden)) << name << " differs from " << golden;
            }
        }
    }
}

} // namespace
} // namespace qgbtest
