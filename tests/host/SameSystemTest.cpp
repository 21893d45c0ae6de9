// A conversion from a coordinate system to itself gives the value back
// exactly: the arrange commands compare such values for equality.
#include "HostFixture.h"

namespace quorvin::host::testing {
namespace {

TEST(SameSystemTest, ConvertingToTheSameSystemIsExact) {
    Host::instance().reset();
    Host::instance().addFrame({"F", 1.3, 0.7, 7.1, 3.3});
    using Convert = double (*)(CoordSys_e, CoordSys_e, double);
    for (Convert convert : {QorUtilConvertXPosition, QorUtilConvertYPosition,
                            QorUtilConvertXDimension, QorUtilConvertYDimension})
        for (CoordSys_e system : {CoordSys_Frame, CoordSys_Paper, CoordSys_Screen})
            for (double v : {10.0, 0.1, 12.3456789, -7.7, 1e300})
                EXPECT_EQ(convert(system, system, v), v) << "system " << system << ", " << v;
    EXPECT_TRUE(Host::instance().faults().empty());
    Host::instance().reset();
}

} // namespace
} // namespace quorvin::host::testing
