// Pictures of dialogs made through the GUI API: sizes from the character
// cell, pixels of the controls, tabs showing their first page, and the
// failures a caller can meet.
#include "PreviewSupport.h"
#include "quorvin/Render.h"
#include "model/Settings.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace qgbtest {
namespace {

namespace qh = quorvin::host;

void Nothing() {}
void NothingInt(const GUIInt_t *) {}

const Rgb8 kButtonFace{225, 225, 225};
const Rgb8 kWhite{255, 255, 255};

class RenderTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        RegisterAddOn();
        dir = OutputDir(std::string("render-") +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    Picture Render(GUIInt_t dialog, const std::string &name, double scale = 1.0) {
        const std::string path = dir + "/" + name;
        std::string error;
        qh::RenderOptions options;
        options.scale = scale;
        EXPECT_TRUE(qh::renderDialog(dialog, path, &error, options)) << error;
        Picture picture;
        EXPECT_TRUE(picture.load(path)) << path;
        return picture;
    }

    std::string dir;
};

TEST_F(RenderTest, PictureSizeFollowsCellTitleMenuAndButtonRow) {
    struct Row {
        const char *what;
        GUIInt_t dialog;
        int width, height;
    };
    const GUIInt_t modal = QorGUIDialogCreateModal(-1, 4000, 1500, "Modal", nullptr, Nothing,
                                                   nullptr, Nothing, Nothing);
    const GUIInt_t bare = QorGUIDialogCreateModal(-1, 4000, 1000, "Bare", nullptr, nullptr, nullptr,
                                                  nullptr, nullptr);
    const GUIInt_t modeless =
        QorGUIDialogCreateModeless(-1, 2000, 1000, "Modeless", nullptr, Nothing, Nothing);
    const GUIInt_t sidebar =
        QorGUISidebarRegister("Side", quorvin::builder::AddOnHandle, 2000, 1000, nullptr, nullptr);
    const GUIInt_t withMenu =
        QorGUIDialogCreateModeless(-1, 4000, 1000, "Menus", nullptr, Nothing, nullptr);
    const GUIInt_t bar = QorGUIMenuBarAdd(withMenu);
    QorGUIMenuAdd(bar, "Insert");
    QorGUIMenuAdd(bar, "Layout");

    // 4000 units: 295.68 pixels; 1500: 264; 2000: 147.84; 1000: 176.
    const std::vector<Row> rows = {
        {"modal with OK, Cancel, Help", modal, 296, 28 + 264 + 40},
        {"modal without buttons", bare, 296, 28 + 176},
        {"modeless narrower than its Close and Help row", modeless, 2 * 80 + 3 * 8, 28 + 176 + 40},
        {"sidebar", sidebar, 148, 28 + 176},
        {"modeless with a menu bar", withMenu, 296, 28 + 22 + 176 + 40},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        const qh::PictureSize size = qh::dialogPictureSize(row.dialog);
        const Picture png = Render(row.dialog, "size-" + std::to_string(row.dialog) + ".png");
        EXPECT_EQ((std::vector<int>{size.width, size.height, png.width, png.height}),
                  (std::vector<int>{row.width, row.height, row.width, row.height}));
    }
    const Picture twice = Render(modal, "size-twice.png", 2.0);
    EXPECT_EQ(std::make_pair(twice.width, twice.height), std::make_pair(2 * 296, 2 * 332));
    // The line under the menu bar runs to the left edge: at 1.5 times the outer
    // border covers only half of the second column, the line the other half.
    EXPECT_NEAR(Render(withMenu, "menus.png", 1.5).at(1, 74)[0], (160 + 90) / 2, 3);
    EXPECT_EQ(qh::dialogPictureSize(9999).width, 0);
}

TEST_F(RenderTest, ControlsAppearWhereTheirDialogUnitsPutThem) {
    const GUIInt_t d = QorGUIDialogCreateModal(-1, 4000, 1500, "Render test", nullptr, Nothing,
                                               nullptr, Nothing, Nothing);
    QorGUILabelAdd(d, 200, 100, "Hello");
    const GUIInt_t off = QorGUILabelAdd(d, 2000, 100, "Off");
    QorGUISetSensitivity(off, FALSE);
    QorGUIColoredButtonAdd(d, 200, 300, 1500, 200, "Blue", 3, Nothing);
    QorGUITextFieldAdd(d, 2000, 300, 1500, 150, nullptr);

    // A 10 x 10 image: a red (transparent) ring two pixels wide round green.
    std::vector<char> image(10 * 10 * 3);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool ring = x < 2 || y < 2 || x > 7 || y > 7;
            char *p = &image[static_cast<size_t>(y * 10 + x) * 3];
            p[0] = static_cast<char>(ring ? 255 : 0);
            p[1] = static_cast<char>(ring ? 0 : 200);
            p[2] = 0;
        }
    QorGUIBitmapButtonAdd(d, 200, 600, 600, 300, 10, 10, image.data(), TRUE, 255, 0, 0, Nothing);

    const GUIInt_t tab = QorGUITabAdd(d, 2000, 600, 1800, 700, NothingInt, NothingInt);
    const GUIInt_t first = QorGUITabAddPage(tab, "First");
    const GUIInt_t second = QorGUITabAddPage(tab, "Second");
    QorGUIColoredButtonAdd(first, 100, 100, 500, 200, "", 1, Nothing);
    QorGUIColoredButtonAdd(second, 100, 100, 500, 200, "", 2, Nothing);
    // First item selected. Nothing before it sets cairo's pen (2 pixels wide
    // at first): the radio box has to choose its own.
    QorGUIRadioBoxAdd(d, 200, 1000, 1500, 400, "A", "B", nullptr, nullptr, nullptr, nullptr);

    const Picture p = Render(d, "controls.png");
    ASSERT_EQ(std::make_pair(p.width, p.height), std::make_pair(296, 332));
    // Boxes in pixels from the dialog units: label (15, 46), coloured button
    // (15, 81) 111 x 35, text field (148, 81) 111 x 26, bitmap button (15, 134)
    // 44 x 53 with its image centred at (32, 155), tab (148, 134); the OK,
    // Cancel and Help row at the bottom, right-aligned.
    const struct {
        const char *what;
        int x, y;
        Rgb8 colour;
    } points[] = {
        {"title bar", 5, 5, {60, 74, 92}},
        {"client area", 280, 60, kFace},
        {"blue swatch inside the coloured button", 21, 87, {0, 0, 255}},
        {"blue swatch, far corner", 15 + 110 - 6, 81 + 34 - 6, {0, 0, 255}},
        {"text field white inside its border", 152, 84, kWhite},
        {"text field, far corner", 148 + 111 - 3, 81 + 26 - 3, kWhite},
        {"bitmap image", 37, 160, {0, 200, 0}},
        {"transparent colour shows the button", 32, 155, kButtonFace},
        {"the tab's first page's red button", 161, 182, {255, 0, 0}},
        {"the dot of the selected radio item", 24, 221, {40, 90, 160}},
        {"no dot in the other", 24, 256, kWhite},
    };
    for (const auto &point : points)
        EXPECT_EQ(p.at(point.x, point.y), point.colour) << point.what;
    const int kAll = p.width * p.height;
    // clang-format off
    const struct { const char *what; int count, atLeast, atMost; } counts[] = {
        {"title text", p.darkPixels(0, 0, 296, 28, 256), 1, kAll},
        {"label ink", p.darkPixels(15, 46, 45, 18), 31, kAll},
        {"no ink left of the label", p.darkPixels(1, 29, 13, 40), 0, 0},
        {"insensitive label: no dark ink", p.darkPixels(148, 46, 40, 18), 0, 0},
        {"insensitive label: grey ink", p.darkPixels(148, 46, 40, 18, 200), 11, kAll},
        {"the button's label in white on blue", p.pixelsOf(kWhite, 19, 85, 103, 27), 9, kAll},
        {"no transparent red in the bitmap button", p.pixelsOf(Rgb8{255, 0, 0}, 15, 134, 44, 53), 0, 0},
        {"nothing of the tab's second page", p.pixelsOf(Rgb8{0, 255, 0}, 0, 0, p.width, p.height), 0, 0},
        {"first tab header's title", p.darkPixels(150, 136, 45, 20), 16, kAll},
        {"second tab header's title", p.darkPixels(200, 137, 75, 20), 16, kAll},
        {"OK", p.darkPixels(32, 299, 80, 26), 6, kAll},
        {"Help", p.darkPixels(208, 299, 80, 26), 6, kAll},
        {"nothing left of OK", p.darkPixels(1, 293, 29, 38), 0, 0},
        {"a radio ring one pixel wide", p.darkPixels(15, 248, 20, 18, 200), 30, 60},
    };
    // clang-format on
    for (const auto &c : counts) {
        EXPECT_GE(c.count, c.atLeast) << c.what;
        EXPECT_LE(c.count, c.atMost) << c.what;
    }
}

// Every kind leaves a mark inside its own box and nowhere near it.
TEST_F(RenderTest, EveryKindDrawsInsideItsBox) {
    const GUIInt_t d =
        QorGUIDialogCreateModeless(-1, 8000, 3000, "Kinds", nullptr, nullptr, nullptr);
    struct Row {
        const char *kind;
        GUIInt_t id;
    };
    std::vector<Row> rows;
    const GUIInt_t scale = QorGUIScaleAdd(d, 200, 200, 2000, 200, 0, 100, 0, nullptr, nullptr);
    QorGUIScaleShowNumericDisplay(scale, TRUE);
    rows.push_back({"Scale", scale});
    rows.push_back({"OptionMenu", QorGUIOptionMenuAdd(d, 2600, 200, 1500, 200,
                                                      "Option1,Option2,Option3", nullptr)});
    rows.push_back({"Toggle", QorGUIToggleAdd(d, 4500, 200, 1500, 200, "Check me", nullptr)});
    rows.push_back({"RadioBox", QorGUIRadioBoxAdd(d, 200, 700, 1500, 600, "One", "Two", "Three",
                                                  nullptr, nullptr, nullptr)});
    rows.push_back({"List", QorGUIListAdd(d, 2600, 700, 1500, 600, FALSE, nullptr)});
    rows.push_back({"Text", QorGUITextAdd(d, 4500, 700, 1500, 600, TRUE, nullptr)});
    rows.push_back({"SpinTextField",
                    QorGUISpinTextFieldAdd(d, 200, 1600, 1500, 200, nullptr, Nothing, Nothing)});
    rows.push_back({"Button", QorGUIButtonAdd(d, 2600, 1600, 1500, 200, "Press", Nothing)});
    rows.push_back({"Frame", QorGUIFrameAdd(d, 4500, 1600, 2000, 600, "Group")});
    rows.push_back({"HorzSeparator", QorGUIHorzSeparatorAdd(d, 200, 2500, 2000)});
    rows.push_back({"VertSeparator", QorGUIVertSeparatorAdd(d, 2600, 2300, 500)});
    const GUIInt_t form = QorGUIFormAdd(d, 4500, 2300, 2000, 600);
    QorGUIButtonAdd(QorGUIFormAddPage(form), 100, 100, 1000, 200, "In form", Nothing);
    rows.push_back({"Form", form});
    rows.push_back({"Thin button", QorGUIButtonAdd(d, 200, 2800, 1500, 17, "", Nothing)});

    const Picture p = Render(d, "kinds.png");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.kind);
        const qh::GuiControl *c = host().findControl(row.id);
        ASSERT_NE(c, nullptr);
        const int x = qh::dialogUnitsToPixelsX(c->x),
                  y = qh::kTitleBarHeight + qh::dialogUnitsToPixelsY(c->y);
        const int w = std::max(qh::dialogUnitsToPixelsX(c->width), 2);
        const int h = std::max(qh::dialogUnitsToPixelsY(c->height), 2);
        const int ink = w * h - p.pixelsOf(kFace, x, y, w, h);
        EXPECT_GT(ink, 0);
        // The frame's caption sits on its top edge, above the box.
        const int above = row.id == rows[8].id ? 12 : 2;
        EXPECT_EQ(p.pixelsOf(kFace, x - 2, y - above - 2, w + 4, 2), (w + 4) * 2)
            << "nothing drawn just above the box";
    }
    // A separator is a crisp line on its own pixel column, and a text box is
    // filled inside (read-only: light grey).
    const auto inPixels = [](GUIInt_t id) {
        const qh::GuiControl *c = host().findControl(id);
        return std::array<int, 4>{
            qh::dialogUnitsToPixelsX(c->x), qh::kTitleBarHeight + qh::dialogUnitsToPixelsY(c->y),
            qh::dialogUnitsToPixelsX(c->width), qh::dialogUnitsToPixelsY(c->height)};
    };
    const auto vert = inPixels(rows[10].id), text = inPixels(rows[5].id);
    EXPECT_EQ(p.pixelsOf(Rgb8{160, 160, 160}, vert[0], vert[1], 1, vert[3]), vert[3]);
    EXPECT_GT(p.pixelsOf(Rgb8{244, 244, 244}, text[0], text[1], text[2], text[3]),
              text[2] * text[3] / 2);
    // Even a button 3 pixels high has its white bevel.
    const auto thin = inPixels(rows.back().id);
    EXPECT_EQ(p.at(thin[0] + 5, thin[1] + 1), kWhite);
    // Legible texts: the toggle's label, a radio label and the frame caption.
    EXPECT_GT(p.darkPixels(qh::dialogUnitsToPixelsX(4500) + 19, 28 + 35, 60, 18), 30);
    EXPECT_GT(p.darkPixels(qh::dialogUnitsToPixelsX(200) + 20, 28 + 123, 40, 35), 20);
    EXPECT_GT(p.darkPixels(qh::dialogUnitsToPixelsX(4500) + 8, 28 + 282 - 9, 45, 18), 20);
}

TEST_F(RenderTest, SvgIsScalableAndTheSameOnEveryRun) {
    const GUIInt_t d =
        QorGUIDialogCreateModeless(-1, 4000, 1000, "Vector", nullptr, Nothing, nullptr);
    QorGUILabelAdd(d, 200, 100, "Name");
    std::vector<char> image(4 * 4 * 3, 100);
    QorGUIBitmapToggleAdd(d, 200, 400, 400, 300, 4, 4, image.data(), FALSE, 0, 0, 0, NothingInt);
    std::string error;
    ASSERT_TRUE(qh::renderDialog(d, dir + "/vector.svg", &error)) << error;
    ASSERT_TRUE(qh::renderDialog(d, qh::PictureFormat::Svg, dir + "/vector-again.svg", &error))
        << error;
    const std::string svg = ReadFile(dir + "/vector.svg");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("width=\"296px\""), std::string::npos);
    EXPECT_NE(svg.find("height=\"" + std::to_string(28 + 176 + 40) + "px\""), std::string::npos);
    EXPECT_NE(svg.find("<image"), std::string::npos) << "the bitmap is embedded";
    EXPECT_EQ(svg, ReadFile(dir + "/vector-again.svg"));
}

TEST_F(RenderTest, FailuresSayWhyAndLeaveNoFile) {
    const GUIInt_t d = QorGUIDialogCreateModal(-1, 1000, 1000, "Small", nullptr, Nothing, nullptr,
                                               nullptr, nullptr);
    const GUIInt_t huge = QorGUIDialogCreateModal(-1, 2000000, 1000, "Huge", nullptr, nullptr,
                                                  nullptr, nullptr, nullptr);
    struct Row {
        const char *what;
        GUIInt_t dialog;
        std::string path;
        std::string expected; // part of the error
    };
    const std::vector<Row> rows = {
        {"unknown dialog", 4242, dir + "/none.png", "there is none"},
        {"unknown extension", d, dir + "/small.gif", "must end in .svg or .png"},
        {"no extension", d, dir + "/small", "must end in .svg or .png"},
        {"missing directory", d, dir + "/no/such/dir/small.png", "cannot write"},
        {"too large", huge, dir + "/huge.png", "larger than 16384 pixels"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        std::string error;
        EXPECT_FALSE(qh::renderDialog(row.dialog, row.path, &error));
        EXPECT_NE(error.find(row.expected), std::string::npos) << error;
        EXPECT_FALSE(std::filesystem::exists(row.path));
        EXPECT_FALSE(std::filesystem::exists(row.path + ".tmp"));
    }
    EXPECT_EQ(qh::dialogPictureSize(huge).width, 0);
}

TEST_F(RenderTest, UpperCaseExtensionAndInvalidUtf8AreDrawn) {
    const GUIInt_t d =
        QorGUIDialogCreateModeless(-1, 3000, 600, "Bad \xff title", nullptr, Nothing, nullptr);
    QorGUILabelAdd(d, 100, 100, "caf\xc3\xa9 \xc3 end");
    const Picture p = Render(d, "UTF8.PNG");
    // Drawing did not stop at the stray bytes: the label's end is there.
    EXPECT_GT(p.darkPixels(0, 46, p.width, 18), 60);
}

// The chunks of a PNG: each CRC checked (a viewer refuses a file whose CRC
// is wrong), the IDATs' zlib stream inflated with its checksum checked.
// Returns the inflated bytes, or "" with a failure recorded.
std::string CheckedImageData(const std::string &png) {
    const auto be32 = [&](size_t at) {
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i)
            v = v << 8 | static_cast<unsigned char>(png[at + i]);
        return v;
    };
    std::string idat;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t length = be32(at);
        EXPECT_LE(at + 12 + length, png.size());
        if (at + 12 + length > png.size())
            return "";
        const auto *typeAndData = reinterpret_cast<const Bytef *>(png.data() + at + 4);
        EXPECT_EQ(crc32(0, typeAndData, 4 + length), be32(at + 8 + length))
            << png.substr(at + 4, 4);
        if (png.compare(at + 4, 4, "IDAT") == 0)
            idat += png.substr(at + 8, length);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    std::string raw(1 << 22, '\0');
    uLongf size = raw.size();
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef *>(raw.data()), &size,
                         reinterpret_cast<const Bytef *>(idat.data()), idat.size()),
              Z_OK);
    raw.resize(size);
    return raw;
}

// The encoder deflates the top and bottom halves of a picture apart and
// joins them: one row (no top half), odd heights (unequal halves), a stride
// wider than the row, noise (no matches), repeated rows (matches up to the
// seam) and a row longer than the checksum sums between reductions all read
// back pixel for pixel.
TEST(PngEncoding, EveryPictureReadsBackPixelForPixel) {
    struct Row {
        int width, height, stride;
        bool noise;
    };
    for (const Row row : {Row{1, 1, 4, true}, Row{3, 2, 12, true}, Row{5, 3, 32, true},
                          Row{64, 1, 256, false}, Row{200, 7, 804, false}, Row{97, 33, 400, true},
                          Row{300, 301, 1200, false}, Row{4000, 3, 16000, true}}) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
        std::vector<uint32_t> words(static_cast<size_t>(row.stride / 4) * row.height, 0xDEADBEEF);
        uint32_t seed = 12345;
        for (int y = 0; y < row.height; ++y)
            for (int x = 0; x < row.width; ++x) {
                seed = seed * 1103515245 + 12345;
                // Bands of a few colours that change every few rows, or noise.
                words[static_cast<size_t>(y) * (row.stride / 4) + x] =
                    row.noise ? seed >> 8 : ((x / 16 + y / 5) % 3) * 0x405060u + (x % 7 == 0);
            }
        std::string png;
        ASSERT_TRUE(qh::EncodePng(reinterpret_cast<const unsigned char *>(words.data()), row.width,
                                  row.height, row.stride, &png));
        EXPECT_EQ(CheckedImageData(png).size(),
                  static_cast<size_t>(row.height) * (1 + 3 * row.width));
        Picture picture;
        ASSERT_TRUE(picture.decode(png));
        ASSERT_EQ(picture.width, row.width);
        ASSERT_EQ(picture.height, row.height);
        int wrong = 0;
        for (int y = 0; y < row.height; ++y)
            for (int x = 0; x < row.width; ++x) {
                const uint32_t w = words[static_cast<size_t>(y) * (row.stride / 4) + x];
                wrong += picture.at(x, y) !=
                         Rgb8{int(w >> 16 & 0xFF), int(w >> 8 & 0xFF), int(w & 0xFF)};
            }
        EXPECT_EQ(wrong, 0);
    }
    std::string png;
    const uint32_t pixel = 0;
    EXPECT_FALSE(qh::EncodePng(reinterpret_cast<const unsigned char *>(&pixel), 1, 0, 4, &png));
    EXPECT_FALSE(qh::EncodePng(reinterpret_cast<const unsigned char *>(&pixel), 1, 1, 3, &png));
    EXPECT_TRUE(png.empty());
}

} // namespace
} // namespace qgbtest
