// Coordinate conversions, the fixed text metrics behind text box corners,
// geometry sizes, and the authoring calls that place and size objects. Expected values are worked
// out by hand from the documented conventions (docs/reference-host.md).
#include "HostFixture.h"

#include <cmath>
#include <functional>
#include <limits>

namespace quorvin::host::testing {
namespace {

class CoordinatesTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        frame_ = host().addFrame({"F", 1, 2, 4, 5}); // paper inches
    }
    UniqueID_t frame_ = 0;
};

// Every conversion is undone by its inverse and lengths keep their sign; to
// its own system a value comes back exactly (the arrange commands compare
// such values), on a frame whose round trip through paper inches rounds.
TEST_F(CoordinatesTest, EveryConversionIsUndoneByItsInverseAndExactToItsOwnSystem) {
    host().addFrame({"G", 1.3, 0.7, 7.1, 3.3});
    const CoordSys_e systems[] = {CoordSys_Frame, CoordSys_Paper, CoordSys_Screen};
    using Convert = double (*)(CoordSys_e, CoordSys_e, double);
    const Convert positions[] = {QorUtilConvertXPosition, QorUtilConvertYPosition};
    const Convert lengths[] = {QorUtilConvertXDimension, QorUtilConvertYDimension};
    for (const Convert *group : {positions, lengths})
        for (int i = 0; i < 2; ++i)
            for (CoordSys_e from : systems)
                for (CoordSys_e to : systems)
                    for (double v : {-12.5, -7.7, 0.0, 0.1, 0.3, 10.0, 12.3456789, 250.0, 1e300}) {
                        SCOPED_TRACE(::testing::Message() << from << " to " << to << ": " << v);
                        const double there = group[i](from, to, v);
                        EXPECT_NEAR(group[i](to, from, there), v,
                                    std::max(1e-9, std::abs(v) * 1e-12));
                        EXPECT_TRUE(from != to || there == v) << there;
                        EXPECT_TRUE(group == positions || v < 0 || there >= 0) << there;
                    }
}

TEST_F(CoordinatesTest, UnknownSystemsAndMissingFramesAreFaults) {
    EXPECT_EQ(QorUtilConvertXPosition(CoordSys_Frame, 7, 5.0), 5.0);
    expectFault("unknown coordinate system 7");
    host().reset();
    EXPECT_EQ(QorUtilConvertXPosition(CoordSys_Frame, CoordSys_Paper, 5.0), 5.0);
    expectFault("need a current frame");
    EXPECT_EQ(QorUtilConvertXPosition(CoordSys_Paper, CoordSys_Screen, 1.0), 96.0);
}

// The corners in screen pixels must be 1 lower-left, 2 lower-right, 3 upper-
// right, 4 upper-left of the box given in paper inches.
void ExpectBox(Text_ID text, double left, double top, double right, double bottom) {
    double x[4], y[4];
    QorUtilTextBoxGetPosition(text, &x[0], &y[0], &x[1], &y[1], &x[2], &y[2], &x[3], &y[3]);
    const double xs[4] = {left, right, right, left}, ys[4] = {bottom, bottom, top, top};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(x[i], xs[i] * 96, 1e-9) << "corner " << i + 1;
        EXPECT_NEAR(y[i], ys[i] * 96, 1e-9) << "corner " << i + 1;
    }
}

TEST_F(CoordinatesTest, TextBoxCornersFollowTheDocumentedMetrics) {
    // At (1, 2) on the paper, 18 points: H = 0.25 in, a glyph 0.125 in wide.
    // clang-format off
    const struct { const char *what, *string; TextBox_e box; double margin; int32_t anchor; double spacing, left, top, right, bottom; } cases[] = { // the box in paper inches
        {"filled box adds the margin on every side", "TF:ab", 1, 20, 0, 1, 0.95, 1.70, 1.675, 2.05},
        {"no box: the text block alone", "TF:ab", 0, 20, 0, 1, 1.0, 1.75, 1.625, 2.0},
        {"centred on the position", "abcd", 0, 0, 1, 1, 0.75, 1.75, 1.25, 2.0},
        {"right-aligned on the position", "abcd", 0, 0, 2, 1, 0.5, 1.75, 1.0, 2.0},
        {"the toggle mark is one glyph, other tags none", "<math>7</math>  <b>ab</b>", 0, 0, 0, 1, 1.0, 1.75, 1.625, 2.0},
        {"lines: widest line, height H + (n-1) H spacing", "<math>7</math>  Radio1\n<math>7</math>  Radio22", 2, 0, 0, 1.5, 1.0, 1.375, 2.25, 2.0},
        {"trailing line feeds are lines", "T:\n\n\n", 0, 0, 0, 1, 1.0, 1.0, 1.25, 2.0},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // string, command, system, x, y, units, height, angle, anchor, font, colour, box, margin,
        // box colour, fill colour, line thickness, line spacing
        Text_ID text = host().addText({c.string, "", CoordSys_Paper, 1, 2, Units_Point, 18, 0,
                                       c.anchor, 1, 0, c.box, c.margin, 0, 9, 0.1, c.spacing});
        ASSERT_NE(text, nullptr);
        ExpectBox(text, c.left, c.top, c.right, c.bottom);
    }
}

TEST_F(CoordinatesTest, FrameUnitHeightsAndFramePositionsUseTheTextsFrame) {
    // At paper x 1 + 1 = 2 and y 2 + 5 - 1 = 6, 10 % of 5 in = 0.5 in high.
    Text_ID text = host().addText({"ab", "", CoordSys_Frame, 25, 20, Units_Frame, 10});
    const UniqueID_t owner = QorUtilFrameGetUniqueID();
    host().addFrame({"elsewhere", 0, 0, 1, 1});
    ExpectBox(text, 2.0, 5.5, 2.5, 6.0);
    ASSERT_TRUE(host().makeCurrent(owner));
    double x, y;
    QorUtilTextGetXYPos(text, &x, &y);
    EXPECT_EQ(QorUtilConvertXPosition(QorUtilTextGetPositionCoordSys(text), CoordSys_Paper, x), 2);
}

TEST_F(CoordinatesTest, ImagesKeepTheirPixelAspectRatio) {
    const auto file = scratch() / "wide.bmp";
    writeTestImage(file, 8, 4);
    double w, h;
    QorUtilGeomImageGetSize(
        host().addGeom({GeomType_Image, CoordSys_Paper, 0, 0, 0, "", 0, 0, {}, file.string()}), &w,
        &h);
    // Natural size: a pixel per screen pixel.
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(8 / 96.0, 4 / 96.0));

    // Created through the SDK: frame units, the size is the width; 2 in of the
    // 4 in wide frame and 1 in of the 5 in high frame.
    Geom_ID framed = QorUtilGeomImageCreate(file.string().c_str(), 10, 10, 50);
    ASSERT_NE(framed, nullptr);
    QorUtilGeomImageGetSize(framed, &w, &h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(50.0, 20.0));
    QorUtilGeomImageSetWidth(framed, 25);
    QorUtilGeomImageResetAspectRatio(framed);
    QorUtilGeomImageGetSize(framed, &w, &h);
    EXPECT_EQ(h, 10);

    GUIInt_t pw = 0, ph = 0;
    unsigned char *rgb = nullptr;
    ASSERT_TRUE(QorUtilGeomImageGetImage(framed, &pw, &ph, &rgb));
    EXPECT_EQ(std::make_pair(pw, ph), std::make_pair(8, 4));
    const unsigned char *pixel = rgb + (2 * 8 + 3) * 3; // (3, 2) from the top
    EXPECT_EQ(std::vector<int>(pixel, pixel + 3), std::vector<int>({90, 120, 7}));
    EXPECT_EQ(host().liveStrings(), 1u);
    QorUtilImageRGBDataDealloc(&rgb);
    EXPECT_EQ(rgb, nullptr);
    EXPECT_EQ(host().liveStrings(), 0u);

    EXPECT_EQ(QorUtilGeomImageCreate((scratch() / "missing.bmp").string().c_str(), 1, 1, 5),
              nullptr);
}

TEST_F(CoordinatesTest, LinePointsAreReadByNumberAndGeometriesInOrder) {
    Geom_ID rect = QorUtilGeomRectangleCreate(CoordSys_Frame, 25, 25, 25, 20);
    ASSERT_NE(rect, nullptr);
    const std::vector<std::vector<Point2>> lines = {{{0, 0}, {30, 0}}, {{1, 2}, {3, 4}, {5, 6}}};
    Geom_ID separator =
        host().addGeom({GeomType_LineSegs, CoordSys_Frame, 0, 0, 0, "", 0, 0, lines, ""});
    EXPECT_EQ(QorUtilGeomPolyGetPolylineCnt(separator), 2);
    EXPECT_EQ(QorUtilGeomPolyGetPointCount(separator, 2), 3);
    double x, y;
    QorUtilGeom2DMPolyGetPoint(separator, 2, 3, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5.0, 6.0));
    EXPECT_EQ(QorUtilGeomPolyGetPolylineCnt(rect), 0); // not a line
    QorUtilGeom2DMPolyGetPoint(separator, 1, 3, &x, &y);
    EXPECT_EQ(takeFaults().size(), 2u);
    EXPECT_EQ(QorUtilGeomGetNext(QorUtilGeomGetBase()), separator);
    EXPECT_EQ(QorUtilGeomGetNext(separator), nullptr);
}

// ---- the authoring calls of the driving API: paper positions and sizes land
// in each object's own coordinate system, texts report state 35, and bad
// handles or values change nothing.

TEST_F(CoordinatesTest, EditsLandInTheObjectsOwnSystemAndTextsSendState35) {
    listen();
    const Text_ID text = host().addText({}); // frame percent
    const Geom_ID rect =
        host().addGeom({GeomType_Rectangle, CoordSys_Frame, 0, 0, 0, "", 10, 10, {}, ""});
    std::string error;

    ASSERT_TRUE(host().placeText(text, 3, 7, &error)) << error; // the frame's middle bottom
    EXPECT_EQ(std::make_pair(host().findText(text)->spec.x, host().findText(text)->spec.y),
              std::make_pair(50.0, 0.0));
    ASSERT_TRUE(host().sizeText(text, 18, &error));
    EXPECT_EQ(host().findText(text)->spec.sizeUnits, Units_Point);
    ASSERT_TRUE(host().setTextString(text, "OK", &error));
    ASSERT_TRUE(host().setTextCommand(text, "ID=OK", &error));
    EXPECT_EQ(host().findText(text)->spec.command, "ID=OK");
    EXPECT_EQ(codes(), Codes(4, StateChange_Text));

    changes_.clear();
    ASSERT_TRUE(host().placeGeom(rect, 1, 2, &error)); // the frame's top left
    EXPECT_DOUBLE_EQ(host().findGeom(rect)->spec.y, 100);
    ASSERT_TRUE(host().sizeGeom(rect, 2, 1, &error));
    EXPECT_EQ(std::make_pair(host().findGeom(rect)->spec.width, host().findGeom(rect)->spec.height),
              std::make_pair(50.0, 20.0));
    ASSERT_TRUE(host().setGeomCommand(rect, "ID=G", &error));
    ASSERT_TRUE(host().setFrameName(frame_, "MODE=MODAL", &error));
    EXPECT_EQ(host().currentFrame()->spec.name, "MODE=MODAL");
    EXPECT_TRUE(changes_.empty());
}

TEST_F(CoordinatesTest, RefusalsChangeNothing) {
    listen();
    const Text_ID text = host().addText({});
    const Geom_ID line = host().addGeom(
        {GeomType_LineSegs, CoordSys_Frame, 0, 0, 0, "", 0, 0, {{{0, 0}, {1, 1}}}, ""});
    const Text_ID stale = host().addText({});
    ASSERT_TRUE(QorUtilTextDelete(stale));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // clang-format off
    const struct { const char *what; std::function<bool(std::string *)> call; const char *says; } cases[] = {
        {"stale text", [&](std::string *e) { return host().setTextString(stale, "x", e); }, "no text with handle"},
        {"text nan", [&](std::string *e) { return host().placeText(text, nan, 1, e); }, "finite"},
        {"zero height", [&](std::string *e) { return host().sizeText(text, 0, e); }, "positive"},
        {"line size", [&](std::string *e) { return host().sizeGeom(line, 1, 1, e); }, "only rectangles and images"},
        {"stale geometry", [&](std::string *e) { return host().placeGeom(nullptr, 1, 1, e); }, "no geometry"},
        {"unknown frame", [&](std::string *e) { return host().setFrameName(frame_ + 99, "x", e); }, "no frame with unique ID"},
    };
    // clang-format on
    const TextSpec before = host().findText(text)->spec;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_FALSE(c.call(&error));
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
    const TextSpec &after = host().findText(text)->spec;
    EXPECT_EQ(std::make_pair(after.x, after.height), std::make_pair(before.x, before.height));
    EXPECT_EQ(host().currentFrame()->spec.name, "F");
    EXPECT_TRUE(changes_.empty());
}

} // namespace
} // namespace quorvin::host::testing
