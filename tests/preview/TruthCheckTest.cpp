// The generated code checked against the preview, in-process: for a
// hand-made design and random designs of the design generator, the C++
// builder functions the build writes must make the GUI tree the preview of
// the same frame makes, with the preview's own differences named (the
// comparison is qgb verify's; the sample designs are checked through qgb
// verify itself). The differences each design must show are listed with it.
#include "PreviewSupport.h"

#include "Verify.h"
#include "classic/Build.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "model/Settings.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;

class TruthCheck : public PreviewFixture {
  protected:
    // A new directory under the build tree for one design.
    static std::string WorkDir(const std::string &name) { return OutputDir("truth-" + name) + "/"; }

    // Previews, builds, runs and compares every dialog and sidebar of the
    // design the workspace holds, in-process; returns the differences named.
    std::set<std::string> Check(const std::string &name) {
        const std::string dir = WorkDir(name);
        qgb::VerifySteps steps;
        steps.builder = qb::AddOnHandle;
        steps.preview = [] {
            Preview();
            return Handle();
        };
        steps.nextSidebarNumber = qb::SidebarPreviewNumber;
        steps.build = [&] {
            host().setLayoutFileName(dir + "design.lay");
            qb::LockGuard lock(qb::AddOnHandle);
            qb::GoBuild(qb::LanguageCPP, false);
            for (const std::string &text : MessageTexts())
                if (text.rfind("New GUI stub files have been written.", 0) == 0)
                    return true;
            return false;
        };
        qgb::VerifyOptions options;
        options.folder = dir;
        options.compiler = QGB_CXX;
        options.includeDirs = {std::string(QGB_SOURCE_DIR) + "/sdk",
                               std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates"};
        const qgb::VerifyResult result = qgb::VerifyWorkspace(steps, options);
        EXPECT_EQ(result.failure, "") << DescribeMessages();
        std::string report;
        for (const std::string &m : result.differences)
            report += "  " + m + "\n";
        EXPECT_TRUE(result.differences.empty()) << name << ":\n" << report;

        // The host lets go of the generated callbacks before the library goes.
        FreshHost();
        if (result.library)
            ::dlclose(result.library);
        if (!HasFailure())
            fs::remove_all(dir);
        return result.named;
    }

    // Every difference in the list was met.
    static void ExpectNamed(const std::set<std::string> &named,
                            const std::vector<std::string> &expected) {
        std::string all;
        for (const std::string &n : named)
            all += n + "; ";
        ::testing::Test::RecordProperty("named_differences", all);
        for (const std::string &n : expected)
            EXPECT_TRUE(named.count(n)) << n << " not met; named: " << all;
    }
};

// What the samples lack: a form control with pages out of POS order, a
// modeless dialog without a close button, awkward label texts.
TEST_F(TruthCheck, HandMadeDesign) {
    AddFrame("FORMPAGE=T ID=2 POS=1", 3);
    AddControl("Second", "VarName=Second", TextBox_Filled, 10, 70);
    AddFrame("FORMPAGE=T ID=1 POS=2", 3);
    AddControl("<math>7</math> One\n~7 Two", "VarName=Choice", TextBox_Hollow, 10, 60);
    AddFrame("ID=4 TITLE=\"No close\" MODE=MODELESS OKCLOSEBUTTON=F HELPBUTTON=F");
    AddControl("Say \"hi\"\\nthere", "VarName=Hi ToolTip=\"a tip\"", TextBox_Filled, 10, 80);
    AddControl("FM:GROUP=3\n\n\n", "VarName=Pages", TextBox_Filled, 10, 50);
    AddControl("Path C:\\dir", "", TextBox_None, 10, 20);
    ExpectNamed(Check("hand-made"),
                {"close button", "form as tab", "title", "no parent", "callbacks"});
}

#ifdef QGB_HAVE_DESIGN_GENERATOR
TEST_F(TruthCheck, RandomDesigns) {
    // Each design costs a compile of a few seconds: 20 of them, or
    // QGB_RANDOM_DESIGNS for a longer run.
    const char *count = std::getenv("QGB_RANDOM_DESIGNS");
    const uint32_t last = count ? static_cast<uint32_t>(std::stoul(count)) : 20;
    std::set<std::string> named;
    for (uint32_t seed = 1; seed <= last && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        FreshHost();
        const std::string images = WorkDir("images-" + std::to_string(seed));
        ASSERT_TRUE(qgbbench::WriteSyntheticImage(images + "image.bmp", 6, 5));
        qgbbench::AddSyntheticDesign(RandomDesignOptions(seed, images + "image.bmp"));
        const std::set<std::string> seen = Check("random-" + std::to_string(seed));
        named.insert(seen.begin(), seen.end());
        fs::remove_all(images);
    }
    ExpectNamed(named, {"title", "no parent", "callbacks", "sidebar add-on", "form as tab",
                        "option items"});
}
#endif

} // namespace
} // namespace qgbtest
