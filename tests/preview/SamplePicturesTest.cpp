// "qgb preview" of every sample design: each dialog and sidebar frame of the
// bundled examples drawn as PNG and SVG under the build directory, with the
// picture's size following the frame and the design's controls where the
// design has them.
#include "HostFixture.h"
#include "PictureSupport.h"

#include "model/Kinds.h"
#include "quorvin/Render.h"
#include "shell/ToolDialog.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
namespace qh = quorvin::host;

std::string Quote(const std::string &arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs qgb; its exit status (or -1).
int Qgb(const std::vector<std::string> &args, const fs::path &log) {
    std::string command = Quote(QGB_CLI_PATH);
    for (const std::string &a : args)
        command += " " + Quote(a);
    command += " > " + Quote(log.string()) + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<fs::path> SampleLayouts() {
    std::vector<fs::path> layouts;
    for (const auto &entry :
         fs::recursive_directory_iterator(fs::path(QGB_SOURCE_DIR) / "examples"))
        if (entry.is_regular_file() && entry.path().string().size() > 9 &&
            entry.path().string().rfind(".lay.json") == entry.path().string().size() - 9)
            layouts.push_back(entry.path());
    std::sort(layouts.begin(), layouts.end());
    return layouts;
}

const Rgb8 kFace{236, 236, 236};

class SamplePictures : public HostFixture {};

TEST_F(SamplePictures, EveryDialogAndSidebarOfEverySampleIsDrawn) {
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    const fs::path out = PictureDir("samples");
    int drawn = 0;
    for (const fs::path &source : layouts) {
        // A copy: nothing is ever written beside the bundled examples.
        const std::string stem = source.parent_path().filename().string();
        const fs::path work = fs::path(out) / (stem + "-layout");
        fs::remove_all(work);
        fs::copy(source.parent_path(), work, fs::copy_options::recursive);
        const fs::path layout = work / source.filename();

        std::string error;
        ASSERT_TRUE(host().loadLayout(layout.string(), &error)) << error;
        const std::vector<qh::Frame> frames = host().frames();
        for (size_t n = 1; n <= frames.size(); ++n) {
            const qh::Frame &frame = frames[n - 1];
            ASSERT_TRUE(host().makeCurrent(frame.uniqueId));
            if (!qb::IsPlainDialogFrame(frame.spec.name.c_str(), false))
                continue;
            const qb::FrameKind kind = qb::GetFrameKind(frame.spec.name.c_str());
            SCOPED_TRACE(source.string() + " frame " + std::to_string(n) + " " + frame.spec.name);

            const fs::path png = fs::path(out) / (stem + "-" + std::to_string(n) + ".png");
            const fs::path svg = fs::path(out) / (stem + "-" + std::to_string(n) + ".svg");
            const fs::path log = fs::path(out) / (stem + "-" + std::to_string(n) + ".log");
            ASSERT_EQ(
                Qgb({"preview", layout.string(), "--frame", std::to_string(n), "-o", png.string()},
                    log),
                0)
                << ReadFile(log.string());
            ASSERT_EQ(
                Qgb({"preview", layout.string(), "--frame", std::to_string(n), "-o", svg.string()},
                    log),
                0)
                << ReadFile(log.string());
            ++drawn;

            // Size: the frame's screen size (96 pixels an inch, through
            // dialog units and back), the title bar and the button row.
            Picture picture;
            ASSERT_TRUE(picture.load(png.string()));
            const bool sidebar = kind == qb::Sidebar;
            const int clientWidth = static_cast<int>(frame.spec.width * 96 + 0.5);
            const int clientHeight = static_cast<int>(frame.spec.height * 96 + 0.5);
            const int below = sidebar ? 0 : qh::kButtonRowHeight;
            EXPECT_NEAR(picture.width, clientWidth, 1);
            EXPECT_NEAR(picture.height, qh::kTitleBarHeight + clientHeight + below, 1);
            const std::string vector = ReadFile(svg.string());
            EXPECT_EQ(vector.rfind("<?xml", 0), 0u);
            EXPECT_NE(vector.find("width=\"" + std::to_string(picture.width) + "px\""),
                      std::string::npos);

            // The title is legible in its bar.
            EXPECT_GT(picture.darkPixels(4, 4, picture.width - 8, 20, sidebar ? 110 : 256), 40);

            // Every control text of the frame leaves its mark where it
            // lies on the paper (frame corner at paper x, y inches).
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
                EXPECT_LT(picture.pixelsOf(kFace, x, y, w, h), w * h)
                    << "nothing drawn at " << x << ", " << y << " (" << w << " x " << h << ")";
                ++checked;
            }
            EXPECT_GT(checked, 0);
        }
    }
    EXPECT_GT(drawn, 0);
}

TEST(QgbPreview, RefusalsExitWithFailureAndWriteNoPicture) {
    const fs::path out = PictureDir("refusals");
    const fs::path layout = fs::path(out) / "sample.lay.json";
    fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", out,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    struct Row {
        const char *what;
        std::string frame, file;
        int status;
        std::string said;
    };
    // Frame 1 of the sample is a tab page; it has five frames.
    const std::vector<Row> rows = {
        {"a page", "1", "page.png", 1, "Preview is not available."},
        {"no such frame", "9", "nine.png", 2, "has 5 frame(s)"},
        {"unknown picture format", "5", "dialog.jpg", 1, "must end in .svg or .png"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path picture = fs::path(out) / row.file;
        const fs::path log = fs::path(out) / (row.file + ".log");
        fs::remove(picture);
        EXPECT_EQ(
            Qgb({"preview", layout.string(), "--frame", row.frame, "-o", picture.string()}, log),
            row.status);
        EXPECT_NE(ReadFile(log.string()).find(row.said), std::string::npos)
            << ReadFile(log.string());
        EXPECT_FALSE(fs::exists(picture));
    }
    // Nothing was written beside the layout.
    size_t files = 0;
    for (const auto &entry : fs::directory_iterator(out))
        files += entry.path().extension() == ".json" ? 1 : 0;
    EXPECT_EQ(files, 1u);
    EXPECT_FALSE(fs::exists(fs::path(out) / "dlb.cfg"));
    EXPECT_FALSE(fs::exists(fs::path(out) / "guibld.cpp"));
}

} // namespace
} // namespace qgbtest
