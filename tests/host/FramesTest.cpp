// The frame stack: popping, the lightweight walk, names, unique IDs, linking
// and the state changes the host sends for frame operations.
#include "HostFixture.h"

#include <utility>

namespace quorvin::host::testing {
namespace {

std::string CurrentName() {
    char *name = nullptr;
    if (!QorUtilFrameGetName(&name))
        return "<none>";
    std::string s = name;
    QorUtilStringDealloc(&name);
    return s;
}

class FramesTest : public HostTest {
  protected:
    void addFrames(std::initializer_list<const char *> names) {
        double x = 0.5;
        for (const char *n : names) {
            host().addFrame(frameAt(n, x, 0.5, 3, 2));
            x += 0.25;
        }
    }
};

TEST_F(FramesTest, PopOfTheBottomFrameCyclesThroughAllFrames) {
    addFrames({"A", "B", "C", "D"});
    ASSERT_EQ(CurrentName(), "D");
    std::vector<std::string> seen;
    for (int i = 0; i < QorUtilFrameGetCount(); ++i) {
        ASSERT_TRUE(QorUtilFramePop(1));
        seen.push_back(CurrentName());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C", "D"}));
    // After a full cycle the stack is in its first order again.
    std::vector<std::string> order;
    for (const Frame &f : host().frames())
        order.push_back(f.spec.name);
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(FramesTest, PopOfAMiddleFrameMovesOnlyThatFrame) {
    addFrames({"A", "B", "C"});
    ASSERT_TRUE(QorUtilFramePop(2));
    std::vector<std::string> order;
    for (const Frame &f : host().frames())
        order.push_back(f.spec.name);
    EXPECT_EQ(order, (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_FALSE(QorUtilFramePop(0));
    EXPECT_FALSE(QorUtilFramePop(4));
    EXPECT_EQ(takeFaults().size(), 2u);
    EXPECT_EQ(CurrentName(), "B");
}

TEST_F(FramesTest, LightweightWalkVisitsBottomFirstAndRestoresTheCurrentFrame) {
    addFrames({"A", "B", "C"});
    std::vector<std::string> seen;
    ASSERT_TRUE(QorUtilFrameLightweightPopStart());
    do
        seen.push_back(CurrentName());
    while (QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(CurrentName(), "C");
    std::vector<std::string> order;
    for (const Frame &f : host().frames())
        order.push_back(f.spec.name);
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(FramesTest, LightweightWalkMisuseIsAFault) {
    EXPECT_FALSE(QorUtilFrameLightweightPopStart()); // no frames: nothing to walk
    EXPECT_FALSE(QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
    EXPECT_EQ(takeFaults().size(), 2u);

    addFrames({"A", "B"});
    ASSERT_TRUE(QorUtilFrameLightweightPopStart());
    EXPECT_EQ(CurrentName(), "A");
    QorUtilFramePop(1); // a real pop ends the walk
    EXPECT_TRUE(anyContains(takeFaults(), "lightweight frame walk"));
}

TEST_F(FramesTest, NewFramesGetUniqueDefaultNamesAndIdsThatAreNeverReused) {
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    EXPECT_EQ(CurrentName(), "Frame 1");
    host().addFrame(frameAt("Frame 3", 1, 1, 2, 2));
    ASSERT_TRUE(QorUtilFrameCreateNew(TRUE, 1, 1, 2, 2));
    EXPECT_EQ(CurrentName(), "Frame 4"); // "Frame 3" is taken
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    const UniqueID_t last = QorUtilFrameGetUniqueID();

    std::set<UniqueID_t> ids;
    for (const Frame &f : host().frames())
        ids.insert(f.uniqueId);
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(ids.count(0), 0u);

    host().reset();
    host().addFrame(FrameSpec());
    EXPECT_GT(QorUtilFrameGetUniqueID(), last);
    EXPECT_FALSE(QorUtilFramePopByUniqueID(last));
    EXPECT_TRUE(anyContains(takeFaults(), "no frame has unique ID"));
}

TEST_F(FramesTest, LinkedFramesShareTheirPositionAndSize) {
    FrameSpec page = frameAt("TABPAGE=T ID=1", 3, 0.7, 4, 2);
    page.linkGroup = 3;
    page.linkSizeAndPosition = true;
    const UniqueID_t first = host().addFrame(page);
    FrameSpec other = frameAt("TABPAGE=T ID=2", 5, 1, 1, 1);
    other.linkGroup = 3;
    other.linkSizeAndPosition = true;
    const UniqueID_t second = host().addFrame(other); // joins: takes the group's place
    FrameSpec unrelated = frameAt("ID=1", 1, 1, 2, 2);
    unrelated.linkGroup = 4;
    unrelated.linkSizeAndPosition = true;
    const UniqueID_t third = host().addFrame(unrelated);
    EXPECT_EQ(host().findFrame(second)->spec.width, 4);

    ASSERT_TRUE(QorUtilFramePopByUniqueID(first));
    ASSERT_TRUE(QorUtilFrameSetPosAndSize(2, 1.5, 6, 3));
    for (UniqueID_t id : {first, second}) {
        const FrameSpec &s = host().findFrame(id)->spec;
        EXPECT_EQ(std::make_pair(s.x, s.y), std::make_pair(2.0, 1.5));
        EXPECT_EQ(std::make_pair(s.width, s.height), std::make_pair(6.0, 3.0));
    }
    EXPECT_EQ(host().findFrame(third)->spec.width, 2);

    // Switching linking on through the SDK joins the group as well.
    host().addFrame(frameAt("new page", 0, 0, 1, 1));
    ASSERT_TRUE(QorUtilFrameSetLinking("LinkGroup", 3));
    ASSERT_TRUE(QorUtilFrameSetLinking("LinkFrameSizeAndPosition", 1));
    double x, y, w, h;
    QorUtilFrameGetPosAndSize(&x, &y, &w, &h);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 3);
    LgIndex_t value = -1;
    EXPECT_TRUE(QorUtilFrameGetLinking("LinkGroup", &value));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(QorUtilFrameSetLinking("LinkFrameSizeAndPosition", 2));
    EXPECT_FALSE(QorUtilFrameGetLinking("LinkColor", &value));
    EXPECT_EQ(takeFaults().size(), 2u);
}

// ---- state changes

std::vector<std::pair<StateChange_e, std::string>> gSeen;

void Record(StateChange_e code, ArbParam_t) {
    gSeen.emplace_back(code, CurrentName());
}

class StateChangeTest : public FramesTest {
  protected:
    void SetUp() override {
        FramesTest::SetUp();
        gSeen.clear();
        ASSERT_TRUE(QorUtilStateChangeAddCallback(Record));
        ASSERT_TRUE(QorUtilStateChangeSetMode(Record, StateChangeMode_v80));
    }
    std::vector<StateChange_e> codes() {
        std::vector<StateChange_e> c;
        for (const auto &s : gSeen)
            c.push_back(s.first);
        gSeen.clear();
        return c;
    }
};

TEST_F(StateChangeTest, FrameOperationsSendTheirCodes) {
    using Codes = std::vector<StateChange_e>;
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    EXPECT_EQ(codes(), Codes{26});
    ASSERT_TRUE(QorUtilFrameCreateNew(FALSE, 0, 0, 0, 0));
    gSeen.clear();
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
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(StateChangeTest, PickingAFrameMakesItCurrentBeforeThePickChangeIsSent) {
    addFrames({"A", "B"});
    const UniqueID_t a = host().frames().front().uniqueId;
    ASSERT_TRUE(host().pickFrame(a, nullptr));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0], std::make_pair(StateChange_e(28), std::string("A")));
    EXPECT_EQ(QorUtilPickListGetCount(), 1);
    EXPECT_EQ(QorUtilPickListGetType(1), PickObject_Frame);
}

TEST_F(StateChangeTest, PickingTextsAndGeometriesFillsThePickListInOrder) {
    addFrames({"A"});
    TextSpec t;
    t.string = "first";
    Text_ID first = host().addText(t);
    t.string = "second";
    Text_ID second = host().addText(t);
    GeomSpec g;
    g.width = g.height = 10;
    Geom_ID rect = host().addGeom(g);
    ASSERT_TRUE(host().pickText(second, false, nullptr));
    ASSERT_TRUE(host().pickText(first, true, nullptr));
    ASSERT_TRUE(host().pickGeom(rect, true, nullptr));
    EXPECT_EQ(codes(), (std::vector<StateChange_e>{28, 28, 28}));
    ASSERT_EQ(QorUtilPickListGetCount(), 3);
    EXPECT_EQ(QorUtilPickListGetText(1), second);
    EXPECT_EQ(QorUtilPickListGetText(2), first);
    EXPECT_EQ(QorUtilPickListGetGeom(3), rect);
    EXPECT_EQ(QorUtilPickListGetText(3), nullptr); // a geometry, not a text
    EXPECT_TRUE(anyContains(takeFaults(), "is not a text"));

    // A deleted text leaves the pick list; texts of other frames cannot be picked.
    ASSERT_TRUE(QorUtilTextDelete(first));
    EXPECT_EQ(QorUtilPickListGetCount(), 2);
    host().addFrame(FrameSpec());
    std::string error;
    EXPECT_FALSE(host().pickText(second, false, &error));
    EXPECT_NE(error.find("not in the current frame"), std::string::npos);
}

} // namespace
} // namespace quorvin::host::testing
