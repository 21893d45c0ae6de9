// The frame stack: popping, the lightweight walk, names, unique IDs, linking,
// picking and the state changes the host sends for frame operations.
#include "HostFixture.h"

#include <set>

namespace quorvin::host::testing {
namespace {

class FramesTest : public HostTest {
  protected:
    void addFrames(std::initializer_list<const char *> names) {
        double x = 0.5;
        for (const char *n : names)
            host().addFrame({n, x += 0.25, 0.5, 3, 2});
    }
};

TEST_F(FramesTest, PopBringsOneFrameToTheTopAndRepeatedBottomPopsCycle) {
    addFrames({"A", "B", "C", "D"});
    ASSERT_TRUE(QorUtilFramePop(2));
    EXPECT_EQ(frameNames(), (Names{"A", "C", "D", "B"})); // only B moved
    Names seen;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(QorUtilFramePop(1));
        seen.push_back(CurrentName());
    }
    EXPECT_EQ(seen, (Names{"A", "C", "D", "B"}));
    EXPECT_EQ(frameNames(), (Names{"A", "C", "D", "B"})); // a full cycle restores the order
    EXPECT_FALSE(QorUtilFramePop(0));
    EXPECT_FALSE(QorUtilFramePop(5));
    EXPECT_EQ(takeFaults().size(), 2u);
    EXPECT_EQ(CurrentName(), "B");
}

TEST_F(FramesTest, LightweightWalkVisitsBottomFirstAndRestoresTheCurrentFrame) {
    EXPECT_FALSE(QorUtilFrameLightweightPopStart()); // no frames: nothing to walk
    EXPECT_FALSE(QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
    EXPECT_EQ(takeFaults().size(), 2u);

    addFrames({"A", "B", "C"});
    ASSERT_TRUE(QorUtilFramePop(2));
    Names seen;
    ASSERT_TRUE(QorUtilFrameLightweightPopStart());
    do
        seen.push_back(CurrentName());
    while (QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
    EXPECT_EQ(seen, (Names{"A", "C", "B"}));
    EXPECT_EQ(CurrentName(), "B");
    EXPECT_EQ(frameNames(), (Names{"A", "C", "B"}));

    ASSERT_TRUE(QorUtilFrameLightweightPopStart());
    QorUtilFramePop(1); // a real pop ends the walk
    expectFault("lightweight frame walk");
}

TEST_F(FramesTest, NewFramesGetUniqueDefaultNamesAndIdsThatAreNeverReused) {
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    EXPECT_EQ(CurrentName(), "Frame 1");
    host().addFrame({"Frame 3", 1, 1, 2, 2});
    ASSERT_TRUE(QorUtilFrameCreateNew(TRUE, 1, 1, 2, 2));
    EXPECT_EQ(CurrentName(), "Frame 4"); // "Frame 3" is taken
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    const UniqueID_t last = QorUtilFrameGetUniqueID();
    std::set<UniqueID_t> ids{0};
    for (const Frame &f : host().frames())
        ids.insert(f.uniqueId);
    EXPECT_EQ(ids.size(), 5u); // four different IDs, none of them 0

    host().reset();
    host().addFrame(FrameSpec());
    EXPECT_GT(QorUtilFrameGetUniqueID(), last);
    EXPECT_FALSE(QorUtilFramePopByUniqueID(last));
    expectFault("no frame has unique ID");
}

TEST_F(FramesTest, LinkedFramesShareTheirPositionAndSize) {
    auto linked = [](const char *name, double x, double w, int32_t group) {
        return host().addFrame({name, x, 0.7, w, 2, group, true});
    };
    const UniqueID_t first = linked("TABPAGE=T ID=1", 3, 4, 3);
    const UniqueID_t second = linked("TABPAGE=T ID=2", 5, 1, 3); // takes the group's place
    const UniqueID_t other = linked("ID=1", 1, 2, 4);
    EXPECT_EQ(host().findFrame(second)->spec.width, 4);

    ASSERT_TRUE(QorUtilFramePopByUniqueID(first));
    ASSERT_TRUE(QorUtilFrameSetPosAndSize(2, 1.5, 6, 3));
    for (UniqueID_t id : {first, second}) {
        const FrameSpec &s = host().findFrame(id)->spec;
        EXPECT_EQ(std::vector<double>({s.x, s.y, s.width, s.height}),
                  std::vector<double>({2, 1.5, 6, 3}));
    }
    EXPECT_EQ(host().findFrame(other)->spec.width, 2);

    // Switching linking on through the SDK joins the group as well.
    host().addFrame({"new page", 0, 0, 1, 1});
    ASSERT_TRUE(QorUtilFrameSetLinking("LinkGroup", 3));
    ASSERT_TRUE(QorUtilFrameSetLinking("LinkFrameSizeAndPosition", 1));
    double x, y, w, h;
    QorUtilFrameGetPosAndSize(&x, &y, &w, &h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(6.0, 3.0));
    LgIndex_t value = -1;
    EXPECT_TRUE(QorUtilFrameGetLinking("LinkGroup", &value));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(QorUtilFrameSetLinking("LinkFrameSizeAndPosition", 2));
    EXPECT_FALSE(QorUtilFrameGetLinking("LinkColor", &value));
    EXPECT_EQ(takeFaults().size(), 2u);
}

// ---- state changes and picking

TEST_F(FramesTest, FrameOperationsSendTheirCodes) {
    listen();
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    EXPECT_EQ(codes(), Codes{26});
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    changes_.clear();
    ASSERT_TRUE(QorUtilFramePop(2)); // already on top: nothing changes
    EXPECT_EQ(codes(), Codes{});
    ASSERT_TRUE(QorUtilFramePop(1));
    EXPECT_EQ(codes(), Codes{27});
    ASSERT_TRUE(QorUtilFrameSetPosAndSize(1, 1, 2, 2));
    EXPECT_EQ(codes(), Codes{31});
    ASSERT_TRUE(host().setFramePosAndSize(1, 1, 3, 3, nullptr));
    EXPECT_EQ(codes(), Codes{7});
    QorUtilStateChanged(35, 0);
    EXPECT_EQ(codes(), Codes{35});
    host().quit();
    EXPECT_EQ(codes(), Codes{15});
    EXPECT_FALSE(QorUtilFrameLightweightPopStart() && QorUtilFrameLightweightPopNext() &&
                 QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
    EXPECT_EQ(codes(), Codes{}); // the lightweight walk sends nothing
}

TEST_F(FramesTest, PicksFillThePickListInOrderAndEachSendsAPickChange) {
    addFrames({"A", "B"});
    listen();
    // Picking a frame makes it current before the change is sent.
    ASSERT_TRUE(host().pickFrame(host().frames().front().uniqueId, nullptr));
    EXPECT_EQ(changes_, (decltype(changes_){{28, "A"}}));
    EXPECT_EQ(QorUtilPickListGetType(1), PickObject_Frame);
    changes_.clear();

    TextSpec t;
    t.string = "first";
    Text_ID first = host().addText(t), second = host().addText(t);
    Geom_ID rect =
        host().addGeom({GeomType_Rectangle, CoordSys_Frame, 0, 0, 0, "", 10, 10, {}, ""});
    ASSERT_TRUE(host().pickText(second, false, nullptr));
    ASSERT_TRUE(host().pickText(first, true, nullptr));
    ASSERT_TRUE(host().pickGeom(rect, true, nullptr));
    EXPECT_EQ(codes(), (Codes{28, 28, 28}));
    ASSERT_EQ(QorUtilPickListGetCount(), 3);
    EXPECT_EQ(QorUtilPickListGetText(1), second);
    EXPECT_EQ(QorUtilPickListGetText(2), first);
    EXPECT_EQ(QorUtilPickListGetGeom(3), rect);
    EXPECT_EQ(QorUtilPickListGetText(3), nullptr); // a geometry, not a text
    expectFault("is not a text");

    // A deleted text leaves the pick list; texts of other frames cannot be picked.
    ASSERT_TRUE(QorUtilTextDelete(first));
    EXPECT_EQ(QorUtilPickListGetCount(), 2);
    host().addFrame(FrameSpec());
    std::string error;
    EXPECT_FALSE(host().pickText(second, false, &error));
    EXPECT_NE(error.find("not in the current frame"), std::string::npos) << error;
}

} // namespace
} // namespace quorvin::host::testing
