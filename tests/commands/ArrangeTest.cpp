// Align, space evenly and center in a frame 8 by 4 inches. The golden file
// shows each case's workspace afterwards; the positions follow the reference
// host's documented text metrics (glyph width half the height, box margin a
// percentage of the height).
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

class ArrangeTest : public CommandsTest {
  protected:
    Geom_ID AddLine(double x, double y, double dx, double dy) {
        return host().addGeom(
            {GeomType_LineSegs, CoordSys_Frame, x, y, 0, "", 0, 0, {{{0, 0}, {dx, dy}}}, ""});
    }
    // 1.6 inches wide; the square bitmap is as high: 40 % of the frame.
    Geom_ID AddImage() {
        return host().addGeom({GeomType_Image, CoordSys_Frame, 30, 40, 0, "", 20, 0, {}, kBitmap});
    }
    void PickAll(const std::vector<Text_ID> &texts) {
        for (size_t i = 0; i < texts.size(); ++i)
            Pick(texts[i], i > 0);
    }
};

TEST_F(ArrangeTest, AlignSpaceAndCenter) {
    const double w = 12.0 / 72 / 8 * 100, h = 12.0 / 72 / 4 * 100; // "ab" at 12 points
    Cases cases;
    // Each align command brings an edge or center of every other box onto
    // the first box's, and leaves the other coordinate alone.
    for (auto [name, command] :
         std::vector<std::pair<std::string, void (*)()>>{{"left", qb::AlignLeft},
                                                         {"horz center", qb::AlignHorzCenter},
                                                         {"right", qb::AlignRight},
                                                         {"bottom", qb::AlignBottom},
                                                         {"vert center", qb::AlignVertCenter},
                                                         {"top", qb::AlignTop}})
        cases.push_back({"align " + name, [this, command] {
                             PickAll({AddText("Button", 20, 30, 16, TextBox_Filled, 45),
                                      AddText("Hi", 60, 70, 12, TextBox_Filled, 20),
                                      AddText("Label text", 5, 5, 16)});
                             Run(command);
                         }});
    // Rectangles by their upper-left anchor (paper y runs down), lines by
    // their ends.
    cases.push_back({"geometries move by their anchors", [this] {
                         Pick(AddText("ab", 20, 30));
                         for (Geom_ID g : {AddRect(60, 80, 10, 20), AddLine(70, 10, 15, 0),
                                           AddLine(50, 50, -10, -10),
                                           AddRect(7, 1.5, 0.5, 0.8, CoordSys_Paper)})
                             PickGeom(g, true);
                         Run(qb::AlignLeft);
                         Run(qb::AlignBottom);
                     }});
    cases.push_back({"images measure from their lower left anchor", [this] {
                         Pick(AddText("ab", 5, 7));
                         PickGeom(AddImage(), true);
                         Run(qb::AlignLeft);
                         Run(qb::AlignBottom);
                     }});
    cases.push_back({"images: top", [this] {
                         Pick(AddText("ab", 5, 7));
                         PickGeom(AddImage(), true);
                         Run(qb::AlignTop);
                     }});
    // Centers 40, 10, 12: the middle one goes to 25.
    cases.push_back({"spacing across centers the middle objects", [=] {
                         PickAll({AddText("ab", 40 - w / 2, 10), AddText("ab", 10 - w / 2, 50),
                                  AddText("ab", 12 - w / 2, 70)});
                         Run(qb::SpaceHorizontally);
                     }});
    // Centers sorted 10, 30, 80, 90: steps of 80/3.
    cases.push_back({"spacing down", [=] {
                         PickAll({AddText("ab", 70, 90 - h / 2), AddText("ab", 5, 10 - h / 2),
                                  AddText("ab", 20, 80 - h / 2), AddText("ab", 50, 30 - h / 2)});
                         Run(qb::SpaceVertically);
                     }});
    // End centers that are equal, or differ only by rounding (the same place
    // measured through different coordinate systems), leave nothing to space.
    struct Rects {
        const char *name;
        CoordSys_e system;
        double y, height, x[3], width[3];
    };
    for (const Rects &r :
         {Rects{"15, 13, 15", CoordSys_Frame, 50, 5, {10, 12, 14}, {10, 2, 2}},
          Rects{"13, 11.5, 13", CoordSys_Frame, 50, 5, {10, 11, 12}, {6, 1, 2}},
          Rects{"2.2, 1.7, 2.2 inches", CoordSys_Paper, 2, 0.2, {1.2, 1.6, 2.1}, {2.0, 0.2, 0.2}}})
        cases.push_back({std::string("spacing with end centers ") + r.name, [this, r] {
                             for (int i = 0; i < 3; ++i)
                                 PickGeom(AddRect(r.x[i], r.y, r.width[i], r.height, r.system),
                                          i > 0);
                             Run(qb::SpaceHorizontally);
                         }});
    cases.push_back(
        {"too few objects change nothing, silently", [this] {
             const Text_ID a = AddText("ab", 10, 10), b = AddText("ab", 40, 60);
             Pick(a);
             for (auto command :
                  {qb::AlignLeft, qb::AlignTop, qb::AlignHorzCenter, qb::SpaceVertically})
                 Run(command);
             Pick(b, true);
             Run(qb::SpaceHorizontally);
             Run(qb::SpaceVertically);
             host().clearPicks();
             for (auto command : {qb::AlignLeft, qb::CenterHorizontally, qb::CenterVertically})
                 Run(command);
         }});
    cases.push_back({"centering one object vertically", [this] {
                         Pick(AddText("OK", 10, 10, 16, TextBox_Filled, 45));
                         Run(qb::CenterVertically);
                     }});
    // Span 10 .. 32 (not .. 70): shift 50 - 11 - 10 = 29.
    cases.push_back({"centering takes the span from the object with the largest left", [this] {
                         const Geom_ID a = AddRect(10, 90, 5, 5);
                         PickGeom(AddRect(20, 80, 50, 5));
                         PickGeom(AddRect(30, 70, 2, 5), true);
                         PickGeom(a, true);
                         Run(qb::CenterHorizontally);
                     }});
    ExpectCasesGolden("golden/commands/arrange.txt", cases);
}

// Only a usable object beyond the 255th exceeds the maximum; the first 255
// are still arranged.
TEST_F(ArrangeTest, PicksBeyond255ArrangeTheFirst255) {
    for (int picks : {255, 256}) {
        SCOPED_TRACE(picks);
        FreshWorkspace();
        AddFrame("ID=1 TITLE=\"D\"", 1, 1, 8, 4);
        std::vector<Text_ID> texts;
        for (int i = 0; i < picks; ++i)
            texts.push_back(AddText("ab", 10 + i * 0.1, 50));
        PickAll(texts);
        Run(qb::AlignLeft);
        if (picks > 255)
            ExpectOnlyMessage(Message::Call::ErrMsg, "Maximum number of picked objects exceeded");
        else
            EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
        for (int i = 0; i < picks; ++i)
            EXPECT_NEAR(host().findText(texts[static_cast<size_t>(i)])->spec.x,
                        i < 255 ? 10 : 10 + i * 0.1, 1e-9)
                << i;
    }
}

} // namespace
} // namespace qgbtest
