// Positions that differ only by rounding (the same place measured through
// different coordinate systems) are one position for the arrange commands.
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

class ArrangeEqualPositionsTest : public CommandsTest {};

TEST_F(ArrangeEqualPositionsTest, SpacingWithEqualEndCentersMovesNothing) {
    struct Rect {
        double x, width;
    };
    struct Case {
        const char *name;
        CoordSys_e system;
        Rect first, middle, last; // left to right; the end centers are equal
    };
    const Case cases[] = {
        // Frame percent: centers 15, 13, 15.
        {"frame", CoordSys_Frame, {10, 10}, {12, 2}, {14, 2}},
        // Paper inches: centers 2.2, 1.7, 2.2, a rounding step apart in frame percent.
        {"paper", CoordSys_Paper, {1.2, 2.0}, {1.6, 0.2}, {2.1, 0.2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FreshWorkspace();
        AddFrame("ID=1 TITLE=\"D\"", 1, 1, 8, 4);
        std::vector<Geom_ID> geoms;
        for (const Rect &r : {c.first, c.middle, c.last}) {
            GeomSpec spec;
            spec.type = GeomType_Rectangle;
            spec.coordSys = c.system;
            spec.x = r.x;
            spec.y = c.system == CoordSys_Frame ? 50 : 2;
            spec.width = r.width;
            spec.height = c.system == CoordSys_Frame ? 5 : 0.2;
            geoms.push_back(host().addGeom(spec));
            PickGeom(geoms.back(), geoms.size() > 1);
        }
        Run(qb::SpaceHorizontally);
        EXPECT_EQ(host().findGeom(geoms[0])->spec.x, c.first.x);
        EXPECT_EQ(host().findGeom(geoms[1])->spec.x, c.middle.x);
        EXPECT_EQ(host().findGeom(geoms[2])->spec.x, c.last.x);
    }
}

} // namespace
} // namespace qgbtest
