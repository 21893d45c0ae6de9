// Coordinate conversions, the fixed text metrics behind text box corners, and
// geometry sizes. Expected values are worked out by hand from the documented
// conventions (docs/reference-host.md).
#include "HostFixture.h"

#include <cmath>

namespace quorvin::host::testing {
namespace {

class CoordinatesTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        host().addFrame(frameAt("F", 1, 2, 4, 5)); // paper inches
    }
};

TEST_F(CoordinatesTest, KnownPointsOfEachSystem) {
    // x: frame percent of the width from the left edge.
    EXPECT_DOUBLE_EQ(QorUtilConvertXPosition(CoordSys_Frame, CoordSys_Paper, 50), 3.0);
    EXPECT_DOUBLE_EQ(QorUtilConvertXPosition(CoordSys_Frame, CoordSys_Screen, 50), 288.0);
    // y: frame percent upwards from the bottom edge; paper and screen down.
    EXPECT_DOUBLE_EQ(QorUtilConvertYPosition(CoordSys_Frame, CoordSys_Paper, 0), 7.0);
    EXPECT_DOUBLE_EQ(QorUtilConvertYPosition(CoordSys_Frame, CoordSys_Paper, 100), 2.0);
    EXPECT_DOUBLE_EQ(QorUtilConvertYPosition(CoordSys_Paper, CoordSys_Screen, 2), 192.0);
    // Lengths ignore the frame's position.
    EXPECT_DOUBLE_EQ(QorUtilConvertXDimension(CoordSys_Frame, CoordSys_Paper, 50), 2.0);
    EXPECT_DOUBLE_EQ(QorUtilConvertYDimension(CoordSys_Frame, CoordSys_Screen, 10), 48.0);
    EXPECT_DOUBLE_EQ(QorUtilConvertYDimension(CoordSys_Screen, CoordSys_Frame, 48), 10.0);
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(CoordinatesTest, EveryConversionIsUndoneByItsInverse) {
    const CoordSys_e systems[] = {CoordSys_Frame, CoordSys_Paper, CoordSys_Screen};
    const double values[] = {-12.5, 0, 0.3, 37.25, 250};
    using Convert = double (*)(CoordSys_e, CoordSys_e, double);
    const Convert conversions[] = {QorUtilConvertXPosition, QorUtilConvertYPosition,
                                   QorUtilConvertXDimension, QorUtilConvertYDimension};
    for (Convert convert : conversions)
        for (CoordSys_e from : systems)
            for (CoordSys_e to : systems)
                for (double v : values) {
                    double there = convert(from, to, v);
                    EXPECT_NEAR(convert(to, from, there), v, 1e-9)
                        << "from " << from << " to " << to << " value " << v;
                }
    for (double v : values) {
        if (v >= 0) {
            EXPECT_GE(QorUtilConvertXDimension(CoordSys_Paper, CoordSys_Frame, v), 0);
        }
    }
}

TEST_F(CoordinatesTest, UnknownSystemsAndMissingFramesAreFaults) {
    EXPECT_EQ(QorUtilConvertXPosition(CoordSys_Frame, 7, 5.0), 5.0);
    EXPECT_TRUE(anyContains(takeFaults(), "unknown coordinate system 7"));
    host().reset();
    EXPECT_EQ(QorUtilConvertXPosition(CoordSys_Frame, CoordSys_Paper, 5.0), 5.0);
    EXPECT_TRUE(anyContains(takeFaults(), "need a current frame"));
    EXPECT_EQ(QorUtilConvertXPosition(CoordSys_Paper, CoordSys_Screen, 1.0), 96.0);
}

struct Corners {
    double x[4], y[4];
};

Corners CornersOf(Text_ID text) {
    Corners c;
    QorUtilTextBoxGetPosition(text, &c.x[0], &c.y[0], &c.x[1], &c.y[1], &c.x[2], &c.y[2], &c.x[3],
                              &c.y[3]);
    return c;
}

void ExpectBox(const Corners &c, double left, double top, double right, double bottom) {
    // 1 lower-left, 2 lower-right, 3 upper-right, 4 upper-left, screen pixels.
    const double xs[4] = {left, right, right, left};
    const double ys[4] = {bottom, bottom, top, top};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(c.x[i], xs[i] * 96, 1e-9) << "corner " << i + 1;
        EXPECT_NEAR(c.y[i], ys[i] * 96, 1e-9) << "corner " << i + 1;
    }
}

TEST_F(CoordinatesTest, TextBoxCornersFollowTheDocumentedMetrics) {
    struct Case {
        const char *what;
        TextSpec spec;
        double left, top, right, bottom; // paper inches
    };
    auto spec = [](const char *s, double points, TextBox_e box, double margin, int32_t anchor,
                   double spacing) {
        TextSpec t;
        t.string = s;
        t.coordSys = CoordSys_Paper;
        t.x = 1;
        t.y = 2;
        t.height = points;
        t.boxType = box;
        t.margin = margin;
        t.anchor = anchor;
        t.lineSpacing = spacing;
        return t;
    };
    // 18 points: H = 0.25 in, a glyph 0.125 in wide.
    const Case cases[] = {
        {"filled box adds the margin on every side", spec("TF:ab", 18, 1, 20, 0, 1), 0.95, 1.70,
         1.675, 2.05},
        {"no box: the text block alone", spec("TF:ab", 18, 0, 20, 0, 1), 1.0, 1.75, 1.625, 2.0},
        {"centred on the position", spec("abcd", 18, 0, 0, 1, 1), 0.75, 1.75, 1.25, 2.0},
        {"right-aligned on the position", spec("abcd", 18, 0, 0, 2, 1), 0.5, 1.75, 1.0, 2.0},
        {"the toggle mark is one glyph, other tags none",
         spec("<math>7</math>  <b>ab</b>", 18, 0, 0, 0, 1), 1.0, 1.75, 1.625, 2.0},
        {"lines: widest line, height H + (n-1) H spacing",
         spec("<math>7</math>  Radio1\n<math>7</math>  Radio22", 18, 2, 0, 0, 1.5), 1.0, 1.375,
         2.25, 2.0},
        {"trailing line feeds are lines", spec("T:\n\n\n", 18, 0, 0, 0, 1), 1.0, 1.0, 1.25, 2.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Text_ID t = host().addText(c.spec);
        ASSERT_NE(t, nullptr);
        ExpectBox(CornersOf(t), c.left, c.top, c.right, c.bottom);
    }
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(CoordinatesTest, FrameUnitHeightsAndFramePositionsUseTheTextsFrame) {
    TextSpec t;
    t.string = "ab";
    t.coordSys = CoordSys_Frame;
    t.x = 25; // paper x 1 + 1 = 2
    t.y = 20; // paper y 2 + 5 - 1 = 6
    t.sizeUnits = Units_Frame;
    t.height = 10; // 10 % of 5 in = 0.5 in
    Text_ID text = host().addText(t);
    const UniqueID_t owner = QorUtilFrameGetUniqueID();
    host().addFrame(frameAt("elsewhere", 0, 0, 1, 1));
    ExpectBox(CornersOf(text), 2.0, 5.5, 2.5, 6.0);
    ASSERT_TRUE(host().makeCurrent(owner));
    double x, y;
    QorUtilTextGetXYPos(text, &x, &y);
    EXPECT_EQ(QorUtilConvertXPosition(QorUtilTextGetPositionCoordSys(text), CoordSys_Paper, x), 2);
}

TEST_F(CoordinatesTest, ImagesKeepTheirPixelAspectRatio) {
    const auto file = scratch() / "wide.bmp";
    writeBmp(file, 8, 4, [](int x, int y, unsigned char *c) {
        c[0] = static_cast<unsigned char>(x * 30);
        c[1] = static_cast<unsigned char>(y * 60);
        c[2] = 7;
    });
    GeomSpec natural;
    natural.type = GeomType_Image;
    natural.coordSys = CoordSys_Paper;
    natural.imageFile = file.string();
    Geom_ID image = host().addGeom(natural);
    ASSERT_NE(image, nullptr);
    double w, h;
    QorUtilGeomImageGetSize(image, &w, &h);
    EXPECT_DOUBLE_EQ(w, 8 / 96.0); // natural size: a pixel per screen pixel
    EXPECT_DOUBLE_EQ(h, 4 / 96.0);

    // Created through the SDK: frame units, the size is the width.
    Geom_ID framed = QorUtilGeomImageCreate(file.string().c_str(), 10, 10, 50);
    ASSERT_NE(framed, nullptr);
    QorUtilGeomImageGetSize(framed, &w, &h);
    EXPECT_DOUBLE_EQ(w, 50);            // 2 in of a 4 in wide frame
    EXPECT_DOUBLE_EQ(h, 1 / 5.0 * 100); // 1 in of a 5 in high frame
    QorUtilGeomImageSetWidth(framed, 25);
    QorUtilGeomImageResetAspectRatio(framed);
    QorUtilGeomImageGetSize(framed, &w, &h);
    EXPECT_DOUBLE_EQ(h, 10);

    GUIInt_t pw = 0, ph = 0;
    unsigned char *rgb = nullptr;
    ASSERT_TRUE(QorUtilGeomImageGetImage(framed, &pw, &ph, &rgb));
    EXPECT_EQ(pw, 8);
    EXPECT_EQ(ph, 4);
    // Pixel (3, 2) from the top: rgb(90, 120, 7).
    EXPECT_EQ(rgb[(2 * 8 + 3) * 3 + 0], 90);
    EXPECT_EQ(rgb[(2 * 8 + 3) * 3 + 1], 120);
    EXPECT_EQ(rgb[(2 * 8 + 3) * 3 + 2], 7);
    EXPECT_EQ(host().liveStrings(), 1u);
    QorUtilImageRGBDataDealloc(&rgb);
    EXPECT_EQ(rgb, nullptr);
    EXPECT_EQ(host().liveStrings(), 0u);

    EXPECT_EQ(QorUtilGeomImageCreate((scratch() / "missing.bmp").string().c_str(), 1, 1, 5),
              nullptr);
    EXPECT_TRUE(host().faults().empty()); // an unreadable image is an ordinary failure
}

TEST_F(CoordinatesTest, RectanglesAndLinesKeepWhatTheyWereGiven) {
    Geom_ID rect = QorUtilGeomRectangleCreate(CoordSys_Frame, 25, 25, 25, 25);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(QorUtilGeomGetType(rect), GeomType_Rectangle);
    double w, h, x, y, z;
    QorUtilGeomRectangleGetSize(rect, &w, &h);
    QorUtilGeomGetXYZAnchorPos(rect, &x, &y, &z);
    EXPECT_EQ(std::vector<double>({x, y, z, w, h}), std::vector<double>({25, 25, 0, 25, 25}));

    GeomSpec line;
    line.type = GeomType_LineSegs;
    line.x = 10;
    line.y = 40;
    line.polylines = {{{0, 0}, {30, 0}}};
    Geom_ID separator = host().addGeom(line);
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(QorUtilGeomPolyGetPolylineCnt(separator), 1);
    EXPECT_EQ(QorUtilGeomPolyGetPointCount(separator, 1), 2);
    QorUtilGeom2DMPolyGetPoint(separator, 1, 2, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(30.0, 0.0));
    EXPECT_EQ(QorUtilGeomPolyGetPolylineCnt(rect), 0); // not a line
    QorUtilGeom2DMPolyGetPoint(separator, 1, 3, &x, &y);
    EXPECT_EQ(takeFaults().size(), 2u);
    EXPECT_EQ(QorUtilGeomGetNext(QorUtilGeomGetBase()), separator);
    EXPECT_EQ(QorUtilGeomGetNext(separator), nullptr);
}

} // namespace
} // namespace quorvin::host::testing
