// Align, space evenly and center. Expected positions are worked out from the
// reference host's documented text metrics (glyph width half the height,
// box margin a percentage of the height) in a frame 8 by 4 inches.
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

constexpr double kFrameWidth = 8, kFrameHeight = 4; // inches

struct Box {
    double left, bottom, width, height;
};

// Text height in frame percent along x and y.
double HeightX(double points) {
    return points / 72 / kFrameWidth * 100;
}
double HeightY(double points) {
    return points / 72 / kFrameHeight * 100;
}

// The box of a one-line text at anchor 0 in frame coordinates.
Box ExpectedBox(const TextSpec &t) {
    const double hx = HeightX(t.height), hy = HeightY(t.height);
    const double m = t.boxType == TextBox_None ? 0 : t.margin / 100;
    const double glyphs = static_cast<double>(t.string.size());
    return {t.x - m * hx, t.y - m * hy, glyphs * 0.5 * hx + 2 * m * hx, hy + 2 * m * hy};
}

class ArrangeTest : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        AddFrame("ID=1 TITLE=\"D\"", 1, 1, kFrameWidth, kFrameHeight);
    }

    Text_ID AddBoxed(const std::string &string, double x, double y, double points, double margin) {
        return AddText(string, x, y, points, TextBox_Filled, margin);
    }

    Geom_ID AddRect(double x, double y, double width, double height,
                    CoordSys_e system = CoordSys_Frame) {
        GeomSpec spec;
        spec.type = GeomType_Rectangle;
        spec.coordSys = system;
        spec.x = x;
        spec.y = y;
        spec.width = width;
        spec.height = height;
        return host().addGeom(spec);
    }

    Geom_ID AddLine(double x, double y, double dx, double dy) {
        GeomSpec spec;
        spec.type = GeomType_LineSegs;
        spec.x = x;
        spec.y = y;
        spec.polylines = {{{0, 0}, {dx, dy}}};
        return host().addGeom(spec);
    }

    const GeomSpec &GeomOf(Geom_ID geom) { return host().findGeom(geom)->spec; }

    void PickAll(const std::vector<Text_ID> &texts) {
        for (size_t i = 0; i < texts.size(); ++i)
            Pick(texts[i], i > 0);
    }
};

// Each align command brings an edge or center of every other box onto the
// first box's, and leaves the other coordinate alone.
TEST_F(ArrangeTest, AlignCommandsUseTheFirstPickedBox) {
    struct Case {
        const char *name;
        void (*command)();
        bool horizontal;
        double fraction; // 0 low edge, 0.5 center, 1 high edge
    };
    const Case cases[] = {
        {"left", qb::AlignLeft, true, 0},
        {"horz center", qb::AlignHorzCenter, true, 0.5},
        {"right", qb::AlignRight, true, 1},
        {"bottom", qb::AlignBottom, false, 0},
        {"vert center", qb::AlignVertCenter, false, 0.5},
        {"top", qb::AlignTop, false, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AddFrame(std::string("ID=2 TITLE=\"") + c.name + "\"", 1, 1, kFrameWidth, kFrameHeight);
        Text_ID reference = AddBoxed("Button", 20, 30, 16, 45);
        Text_ID other = AddBoxed("Hi", 60, 70, 12, 20);
        Text_ID third = AddText("Label text", 5, 5, 16);
        PickAll({reference, other, third});
        const TextSpec referenceBefore = TextOf(reference);
        const TextSpec otherBefore = TextOf(other);
        const TextSpec thirdBefore = TextOf(third);
        Run(c.command);

        EXPECT_DOUBLE_EQ(TextOf(reference).x, referenceBefore.x);
        EXPECT_DOUBLE_EQ(TextOf(reference).y, referenceBefore.y);
        const Box r = ExpectedBox(TextOf(reference));
        const double target =
            c.horizontal ? r.left + c.fraction * r.width : r.bottom + c.fraction * r.height;
        for (const auto &[text, before] :
             {std::make_pair(other, otherBefore), std::make_pair(third, thirdBefore)}) {
            const Box b = ExpectedBox(TextOf(text));
            if (c.horizontal) {
                EXPECT_NEAR(b.left + c.fraction * b.width, target, 1e-9);
                EXPECT_DOUBLE_EQ(TextOf(text).y, before.y);
            } else {
                EXPECT_NEAR(b.bottom + c.fraction * b.height, target, 1e-9);
                EXPECT_DOUBLE_EQ(TextOf(text).x, before.x);
            }
        }
        EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
    }
}

TEST_F(ArrangeTest, GeometriesMoveByTheirAnchors) {
    Text_ID reference = AddText("ab", 20, 30);
    Geom_ID rect = AddRect(60, 80, 10, 20);                    // anchor: upper-left
    Geom_ID line = AddLine(70, 10, 15, 0);                     // horizontal
    Geom_ID back = AddLine(50, 50, -10, -10);                  // runs left and down
    Geom_ID paper = AddRect(7, 1.5, 0.5, 0.8, CoordSys_Paper); // paper inches, y down
    Pick(reference);
    for (Geom_ID g : {rect, line, back, paper})
        PickGeom(g, true);

    Run(qb::AlignLeft);
    EXPECT_NEAR(GeomOf(rect).x, 20, 1e-9);
    EXPECT_NEAR(GeomOf(line).x, 20, 1e-9);
    EXPECT_NEAR(GeomOf(back).x, 30, 1e-9); // its left end is 10 left of the anchor
    EXPECT_NEAR(GeomOf(paper).x, 1 + 0.20 * kFrameWidth, 1e-9);
    EXPECT_DOUBLE_EQ(GeomOf(rect).y, 80);

    Run(qb::AlignBottom);
    EXPECT_NEAR(GeomOf(rect).y, 30 + 20, 1e-9);
    EXPECT_NEAR(GeomOf(line).y, 30, 1e-9);
    EXPECT_NEAR(GeomOf(back).y, 40, 1e-9);
    // Bottom at 30 % means top at 30 % + 0.8 in, i.e. 50 %: 2 in below the
    // frame's top edge at paper y 1.
    EXPECT_NEAR(GeomOf(paper).y, 1 + 0.5 * kFrameHeight, 1e-9);
    EXPECT_NEAR(GeomOf(paper).x, 1 + 0.20 * kFrameWidth, 1e-9);
}

TEST_F(ArrangeTest, SpacingCentersTheMiddleObjects) {
    const double w = HeightX(12); // "ab" at 12 points is one height wide
    Text_ID right = AddText("ab", 40 - w / 2, 10);
    Text_ID left = AddText("ab", 10 - w / 2, 50);
    Text_ID middle = AddText("ab", 12 - w / 2, 70);
    PickAll({right, left, middle});
    Run(qb::SpaceHorizontally);
    EXPECT_NEAR(TextOf(middle).x + w / 2, 25, 1e-9);
    EXPECT_NEAR(TextOf(left).x + w / 2, 10, 1e-12);
    EXPECT_NEAR(TextOf(right).x + w / 2, 40, 1e-12);
    EXPECT_DOUBLE_EQ(TextOf(middle).y, 70);
}

TEST_F(ArrangeTest, SpacingVerticallyUsesBottomsAndHeights) {
    const double h = HeightY(12);
    Text_ID a = AddText("ab", 5, 10 - h / 2);
    Text_ID b = AddText("ab", 50, 30 - h / 2);
    Text_ID c = AddText("ab", 70, 90 - h / 2);
    Text_ID d = AddText("ab", 20, 80 - h / 2);
    PickAll({c, a, d, b});
    Run(qb::SpaceVertically);
    // Sorted: a 10, b 30, d 80, c 90 -> steps of 80/3.
    EXPECT_NEAR(TextOf(b).y + h / 2, 10 + 80.0 / 3, 1e-9);
    EXPECT_NEAR(TextOf(d).y + h / 2, 10 + 160.0 / 3, 1e-9);
    EXPECT_NEAR(TextOf(a).y + h / 2, 10, 1e-12);
    EXPECT_NEAR(TextOf(c).y + h / 2, 90, 1e-12);
}

// End centers that are equal, or differ only by rounding (the same place
// measured through different coordinate systems), leave nothing to space.
TEST_F(ArrangeTest, SpacingWithEqualEndCentersMovesNothing) {
    struct Case {
        const char *name;
        CoordSys_e system;
        double y, height;
        double x[3], width[3]; // the end centers are equal
    };
    const Case cases[] = {
        {"frame", CoordSys_Frame, 50, 5, {10, 12, 14}, {10, 2, 2}}, // centers 15, 13, 15
        {"inside", CoordSys_Frame, 50, 5, {10, 11, 12}, {6, 1, 2}}, // centers 13, 11.5, 13
        // Centers 2.2, 1.7, 2.2 inches, a rounding step apart in frame percent.
        {"paper", CoordSys_Paper, 2, 0.2, {1.2, 1.6, 2.1}, {2.0, 0.2, 0.2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AddFrame("ID=1 TITLE=\"D\"", 1, 1, kFrameWidth, kFrameHeight);
        Geom_ID geoms[3];
        for (int i = 0; i < 3; ++i) {
            geoms[i] = AddRect(c.x[i], c.y, c.width[i], c.height, c.system);
            PickGeom(geoms[i], i > 0);
        }
        Run(qb::SpaceHorizontally);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(GeomOf(geoms[i]).x, c.x[i]) << i;
    }
}

TEST_F(ArrangeTest, TooFewObjectsChangeNothingSilently) {
    Text_ID a = AddText("ab", 10, 10);
    Text_ID b = AddText("ab", 40, 60);
    Pick(a);
    for (auto command : {qb::AlignLeft, qb::AlignTop, qb::AlignHorzCenter, qb::SpaceVertically})
        Run(command);
    Pick(b, true);
    Run(qb::SpaceHorizontally);
    Run(qb::SpaceVertically);
    host().clearPicks();
    for (auto command : {qb::AlignLeft, qb::CenterHorizontally, qb::CenterVertically})
        Run(command);
    EXPECT_DOUBLE_EQ(TextOf(a).x, 10);
    EXPECT_DOUBLE_EQ(TextOf(a).y, 10);
    EXPECT_DOUBLE_EQ(TextOf(b).x, 40);
    EXPECT_DOUBLE_EQ(TextOf(b).y, 60);
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(ArrangeTest, CenteringOneObjectVerticallyPutsItsMiddleInTheFrame) {
    Text_ID t = AddBoxed("OK", 10, 10, 16, 45);
    Pick(t);
    Run(qb::CenterVertically);
    const Box b = ExpectedBox(TextOf(t));
    EXPECT_NEAR(b.bottom + b.height / 2, 50, 1e-9);
    EXPECT_DOUBLE_EQ(TextOf(t).x, 10);
}

TEST_F(ArrangeTest, CenteringTakesTheSpanFromTheObjectWithTheLargestLeft) {
    Geom_ID a = AddRect(10, 90, 5, 5);
    Geom_ID wide = AddRect(20, 80, 50, 5);
    Geom_ID c = AddRect(30, 70, 2, 5);
    PickGeom(wide);
    PickGeom(c, true);
    PickGeom(a, true);
    Run(qb::CenterHorizontally);
    // Span 10 .. 32 (not .. 70): shift 50 - 11 - 10 = 29.
    EXPECT_NEAR(GeomOf(a).x, 39, 1e-9);
    EXPECT_NEAR(GeomOf(wide).x, 49, 1e-9);
    EXPECT_NEAR(GeomOf(c).x, 59, 1e-9);
    EXPECT_DOUBLE_EQ(GeomOf(a).y, 90);
}

TEST_F(ArrangeTest, ThreeHundredPicksArrangeTheFirst255) {
    std::vector<Text_ID> texts;
    for (int i = 0; i < 300; ++i)
        texts.push_back(AddText("ab", 10 + i * 0.1, 50));
    PickAll(texts);
    Run(qb::AlignLeft);
    ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
    EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
    EXPECT_EQ(host().messages()[0].text, "Maximum number of picked objects exceeded");
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(TextOf(texts[static_cast<size_t>(i)]).x, i < 255 ? 10 : 10 + i * 0.1, 1e-9);
    }
}

TEST_F(ArrangeTest, ImagesMeasureFromTheirLowerLeftAnchor) {
    GeomSpec spec;
    spec.type = GeomType_Image;
    spec.x = 30;
    spec.y = 40;
    spec.width = 20; // 1.6 inches; the square bitmap is as high: 40 % of the frame
    spec.imageFile = kBitmap;
    Geom_ID image = host().addGeom(spec);
    ASSERT_NE(image, nullptr);
    Pick(AddText("ab", 5, 7));
    PickGeom(image, true);
    Run(qb::AlignLeft);
    Run(qb::AlignBottom);
    EXPECT_NEAR(GeomOf(image).x, 5, 1e-9);
    EXPECT_NEAR(GeomOf(image).y, 7, 1e-9);
    Run(qb::AlignTop);
    EXPECT_NEAR(GeomOf(image).y, 7 + HeightY(12) - 40, 1e-9);
}

} // namespace
} // namespace qgbtest
