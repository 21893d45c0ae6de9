// "qgb preview" of every sample design: each dialog and sidebar frame of the
// bundled examples drawn as PNG and SVG under the build directory, with the
// picture's size following the frame and the design's controls where the
// design has them; and what the verb refuses.
#include "PreviewSupport.h"

#include "model/Kinds.h"
#include "quorvin/Render.h"
#include "model/Parameters.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
namespace qh = quorvin::host;

// Runs "qgb preview LAYOUT --frame N -o PICTURE"; its exit status.
int QgbPreview(const fs::path &layout, const std::string &frame, const fs::path &picture,
               std::string *output) {
    return Shell(Quote(QGB_CLI_PATH) + " preview " + Quote(layout.string()) + " --frame " +
                     Quote(frame) + " -o " + Quote(picture.string()),
                 output);
}

// The layout's folder copied under the build directory: nothing is ever
// written beside the bundled examples.
fs::path CopyOf(const fs::path &layout, const fs::path &to) {
    fs::remove_all(to);
    fs::copy(layout.parent_path(), to, fs::copy_options::recursive);
    return to / layout.filename();
}

class SamplePictures : public HostFixture {};

TEST_F(SamplePictures, EveryDialogAndSidebarOfEverySampleIsDrawn) {
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    const fs::path out = OutputDir("sample-pictures");
    int drawn = 0;
    for (const fs::path &source : layouts) {
        const std::string stem = source.parent_path().filename().string();
        const fs::path layout = CopyOf(source, out / (stem + "-layout"));
        Do(&Host::loadLayout, layout.string());
        const std::vector<qh::Frame> frames = host().frames();
        for (size_t n = 1; n <= frames.size(); ++n) {
            const qh::Frame &frame = frames[n - 1];
            ASSERT_TRUE(host().makeCurrent(frame.uniqueId));
            if (!qb::IsPlainDialogFrame(frame.spec.name.c_str(), false))
                continue;
            SCOPED_TRACE(source.string() + " frame " + std::to_string(n) + " " + frame.spec.name);
            const fs::path picture = out / (stem + "-" + std::to_string(n));
            for (const char *extension : {".png", ".svg"}) {
                std::string output;
                ASSERT_EQ(
                    QgbPreview(layout, std::to_string(n), picture.string() + extension, &output), 0)
                    << output;
            }
            ++drawn;

            // Size: the frame's screen size (96 pixels an inch, through
            // dialog units and back), the title bar and the button row.
            Picture png;
            ASSERT_TRUE(png.load(picture.string() + ".png"));
            const bool sidebar = qb::GetFrameKind(frame.spec.name.c_str()) == qb::Sidebar;
            EXPECT_NEAR(png.width, static_cast<int>(frame.spec.width * 96 + 0.5), 1);
            EXPECT_NEAR(png.height,
                        qh::kTitleBarHeight + static_cast<int>(frame.spec.height * 96 + 0.5) +
                            (sidebar ? 0 : qh::kButtonRowHeight),
                        1);
            const std::string svg = ReadFile(picture.string() + ".svg");
            EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
            EXPECT_NE(svg.find("width=\"" + std::to_string(png.width) + "px\""), std::string::npos);
            // The title is legible in its bar.
            EXPECT_GT(png.darkPixels(4, 4, png.width - 8, 20, sidebar ? 110 : 256), 40);

            // Every control text of the frame leaves its mark where it lies
            // on the paper (frame corner at paper x, y inches).
            const double left = frame.spec.x * 96, top = frame.spec.y * 96;
            int checked = 0;
            for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text)) {
                char *string = nullptr;
                if (!QorUtilTextGetString(text, &string))
                    continue;
                const qb::ControlKind control =
                    qb::ClassifyByPrefix(QorUtilTextBoxGetType(text), string);
                QorUtilStringDealloc(&string);
                if (control == qb::NotAControl || QorUtilTextGetAngle(text) != 0)
                    continue;
                double x1, y1, x2, y2, x3, y3, x4, y4;
                QorUtilTextBoxGetPosition(text, &x1, &y1, &x2, &y2, &x3, &y3, &x4, &y4);
                const int x = static_cast<int>(x1 - left) + 2;
                const int y = static_cast<int>(y4 - top) + qh::kTitleBarHeight + 2;
                const int w = static_cast<int>(x2 - x1) - 4, h = static_cast<int>(y1 - y4) - 4;
                if (w <= 0 || h <= 0)
                    continue;
                EXPECT_LT(png.pixelsOf(kFace, x, y, w, h), w * h)
                    << "nothing drawn at " << x << ", " << y << " (" << w << " x " << h << ")";
                ++checked;
            }
            EXPECT_GT(checked, 0);
        }
    }
    EXPECT_GT(drawn, 0);
}

TEST(QgbPreview, RefusalsExitWithFailureAndWriteNoPicture) {
    const fs::path out = OutputDir("preview-refusals");
    const fs::path layout =
        CopyOf(fs::path(QGB_SOURCE_DIR) / "examples/sample/sample.lay.json", out / "sample");
    struct Row {
        const char *what, *frame, *file;
        int status;
        std::string said;
    };
    // Frame 1 of the sample is a tab page; it has five frames.
    const std::vector<Row> rows = {
        {"a page", "1", "page.png", 1,
         "Preview is not available.\nPlease select a modal or modeless dialog and try again"},
        {"no such frame", "9", "nine.png", 2, "has 5 frame(s)"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path picture = out / row.file;
        fs::remove(picture);
        std::string output;
        EXPECT_EQ(QgbPreview(layout, row.frame, picture, &output), row.status);
        EXPECT_NE(output.find(row.said), std::string::npos) << output;
        EXPECT_FALSE(fs::exists(picture));
    }
    // Nothing was written beside the layout.
    std::vector<std::string> files;
    for (const auto &entry : fs::directory_iterator(layout.parent_path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"button.bmp", "sample.lay.json"}));
}

} // namespace
} // namespace qgbtest
