// The Qt output compared byte for byte with tests/golden/qt/<design>/, which
// mirrors the project's tree: "layout/quorvinrs_generated.qrc",
// "ui/dialogs/..." and "ui/mainwindow/qt/...". Every sample design in
// examples/ is built by the build command (a second build must write the same
// bytes, and uic must accept every form); the hand-made design with every kind
// of element is written by the writer itself.
#include "QtTools.h"

namespace qgbtest {
namespace {

TEST_F(QtGoldenTest, EverySampleDesign) {
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty()) << "no sample design under examples/";
    for (const fs::path &layout : layouts) {
        const std::string design = layout.parent_path().filename().string();
        SCOPED_TRACE(layout.string());
        std::map<std::string, std::string> built;
        for (const char *copy : {"-1", "-2"}) {
            // A copy of the design in "<project>/layout", loaded and built.
            const fs::path project = root / (design + copy);
            fs::create_directories(project / "ui" / "mainwindow" / "qt");
            fs::copy(layout.parent_path(), project / "layout", fs::copy_options::recursive);
            FreshHost();
            std::string error;
            ASSERT_TRUE(
                host().loadLayout((project / "layout" / layout.filename()).string(), &error))
                << error;
            Build();
            ASSERT_EQ(Shown(), std::vector<std::string>{"New Qt stub files have been written."})
                << DescribeMessages();
            // A second build of another copy writes the same bytes.
            if (built.empty())
                built = QtOutput(project);
            else
                EXPECT_TRUE(QtOutput(project) == built) << "two builds differ";
        }
        const fs::path first = root / (design + "-1");
        for (const auto &[path, text] : built)
            if (kHaveQt && path.size() > 3 && path.compare(path.size() - 3, 3, ".ui") == 0)
                ExpectToolAccepts(kUic, first / path, "/dev/null");
        ExpectGoldenTree("qt", design, built);
    }
}

TEST_F(QtGoldenTest, EveryKindOfElement) {
    MakeProject();
    AddSampleDesign();
    ASSERT_TRUE(WriteAll()) << DescribeMessages();
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
    ExpectGoldenTree("qt", "every-kind", QtOutput(root));
}

} // namespace
} // namespace qgbtest
