// The authoring calls of the driving API: paper positions and sizes land in
// each object's own coordinate system, texts report state 35, and bad handles
// or values change nothing.
#include "HostFixture.h"

#include <functional>
#include <limits>

namespace quorvin::host::testing {
namespace {

class AuthoringTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        frame_ = host().addFrame({"F", 1, 2, 4, 5});
        listen();
    }
    UniqueID_t frame_ = 0;
};

TEST_F(AuthoringTest, EditsLandInTheObjectsOwnSystemAndTextsSendState35) {
    TextSpec ts; // frame percent
    const Text_ID text = host().addText(ts);
    GeomSpec rs; // rectangle, frame percent
    rs.width = rs.height = 10;
    const Geom_ID rect = host().addGeom(rs);
    std::string error;

    ASSERT_TRUE(host().placeText(text, 3, 7, &error)) << error; // the frame's middle bottom
    EXPECT_DOUBLE_EQ(host().findText(text)->spec.x, 50);
    EXPECT_DOUBLE_EQ(host().findText(text)->spec.y, 0);
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
    EXPECT_DOUBLE_EQ(host().findGeom(rect)->spec.width, 50);
    EXPECT_DOUBLE_EQ(host().findGeom(rect)->spec.height, 20);
    ASSERT_TRUE(host().setGeomCommand(rect, "ID=G", &error));
    ASSERT_TRUE(host().setFrameName(frame_, "MODE=MODAL", &error));
    EXPECT_EQ(host().currentFrame()->spec.name, "MODE=MODAL");
    EXPECT_TRUE(changes_.empty());
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(AuthoringTest, RefusalsChangeNothing) {
    const Text_ID text = host().addText({});
    GeomSpec ls;
    ls.type = GeomType_LineSegs;
    ls.polylines = {{{0, 0}, {1, 1}}};
    const Geom_ID line = host().addGeom(ls);
    const Text_ID stale = host().addText({});
    ASSERT_TRUE(QorUtilTextDelete(stale));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *what;
        std::function<bool(std::string *)> call;
        const char *says;
    };
    const Case cases[] = {
        {"stale text", [&](std::string *e) { return host().setTextString(stale, "x", e); },
         "no text with handle"},
        {"text nan", [&](std::string *e) { return host().placeText(text, nan, 1, e); }, "finite"},
        {"zero height", [&](std::string *e) { return host().sizeText(text, 0, e); }, "positive"},
        {"line size", [&](std::string *e) { return host().sizeGeom(line, 1, 1, e); },
         "only rectangles and images"},
        {"stale geometry", [&](std::string *e) { return host().placeGeom(nullptr, 1, 1, e); },
         "no geometry"},
        {"unknown frame", [&](std::string *e) { return host().setFrameName(frame_ + 99, "x", e); },
         "no frame with unique ID"},
    };
    const TextSpec before = host().findText(text)->spec;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_FALSE(c.call(&error));
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
    EXPECT_EQ(host().findText(text)->spec.x, before.x);
    EXPECT_EQ(host().findText(text)->spec.height, before.height);
    EXPECT_EQ(host().currentFrame()->spec.name, "F");
    EXPECT_TRUE(changes_.empty());
}

} // namespace
} // namespace quorvin::host::testing
