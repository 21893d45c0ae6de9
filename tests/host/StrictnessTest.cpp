// The host's strictness: misuse is recorded as a fault with a safe result,
// resources are counted so that leaks show, and locks are judged per command.
#include "HostFixture.h"

#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace quorvin::host::testing {
namespace {

class StrictnessTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        host().addFrame({"F", 1, 1, 4, 4});
        TextSpec t;
        t.string = "Label";
        text_ = host().addText(t);
    }
    Text_ID text_ = nullptr;
};

// Each misuse, in turn, must leave exactly one fault that says what went
// wrong, and a safe result.
TEST_F(StrictnessTest, MisuseIsRecordedAsAFaultWithASafeResult) {
    char *s = nullptr, *copy = nullptr, local[4] = "abc";
    Set_pa set = nullptr, setCopy = nullptr;
    StringList_pa list = nullptr;
    Text_ID text = nullptr;
    ColorIndex_t color = 3;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // clang-format off
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"invalid text handle", [&] { s = local; EXPECT_FALSE(QorUtilTextGetString(reinterpret_cast<Text_ID>(0x42), &s)); EXPECT_EQ(s, nullptr); }},
        {"QorUtilTextGetHeight: invalid text handle", [&] { QorUtilTextDelete(text_); EXPECT_EQ(QorUtilTextGetHeight(text_), 0.0); EXPECT_FALSE(QorUtilTextIsValid(text_)); }}, // asking is no misuse
        {"invalid geometry handle", [&] { EXPECT_EQ(QorUtilGeomGetNext(reinterpret_cast<Geom_ID>(0x42)), nullptr); }},
        {"already freed", [&] { copy = s = QorUtilStringAlloc(4, "test"); QorUtilStringDealloc(&s); EXPECT_EQ(s, nullptr); QorUtilStringDealloc(&copy); }},
        {"not allocated by the host", [&] { s = local; QorUtilStringDealloc(&s); EXPECT_STREQ(local, "abc"); }},
        {"below 0", [&] { set = QorUtilSetAlloc(TRUE); EXPECT_FALSE(QorUtilSetAddMember(set, -1, TRUE)); }},
        {"already freed", [&] { setCopy = set; QorUtilSetDealloc(&set); QorUtilSetDealloc(&setCopy); }},
        {"string number 1 is not 1 to 0", [&] { list = QorUtilStringListAlloc(); EXPECT_EQ(QorUtilStringListGetString(list, 1), nullptr); QorUtilStringListDealloc(&list); }},
        {"lock finish without a lock start", [&] { QorUtilLockFinish(QorUtilAddOnRegister(100, "Probe", "1", "Us")); }},
        {"no QorUtilLockOn", [&] { QorUtilLockOff(); }},
        {"anchor must be 0, 1 or 2", [&] { text = host().addText(TextSpec()); QorUtilTextSetAnchor(text, 5); EXPECT_EQ(QorUtilTextGetAnchor(text), 0); }},
        {"unsupported macro command", [&] { EXPECT_TRUE(QorUtilMacroExecuteCommand("$!FRAMENAME = 'G'")); EXPECT_EQ(host().currentFrame()->spec.name, "G"); EXPECT_FALSE(QorUtilMacroExecuteCommand("$!REDRAWALL")); }},
        {"unsupported macro command", [&] { EXPECT_FALSE(QorUtilMacroExecuteCommand("FRAMENAME = 'H'")); EXPECT_EQ(host().currentFrame()->spec.name, "G"); }},
        {"the frame name must be quoted", [&] { EXPECT_FALSE(QorUtilMacroExecuteCommand("$!FRAMENAME = 'unterminated")); EXPECT_EQ(host().currentFrame()->spec.name, "G"); }},
        {"unanswered question: \"Resize all?\"", [&] { EXPECT_FALSE(QorUtilDialogMessageBox("Resize all?", MessageBox_YesNo)); }},
        {"unanswered file chooser: \"Bitmap (*.bmp)\"", [&] { s = nullptr; EXPECT_FALSE(QorUtilDialogGetFileName(0, &s, "Bitmap", nullptr, "*.bmp")); EXPECT_EQ(s, nullptr); }},
        {"unanswered colour chooser", [&] { EXPECT_FALSE(QorUtilDialogGetColor(FALSE, &color)); EXPECT_EQ(color, 3); }},
        {"parent 99 is no dialog", [&] { EXPECT_EQ(QorGUIButtonAdd(99, 0, 0, 10, 10, "OK", nullptr), BADDIALOGID); }},
        {"no dialog with identifier 77", [&] { QorGUIDialogLaunch(77); }},
        {"needs a title and a width and height of 0 or more", [&] { EXPECT_EQ(QorGUIDialogCreateModal(0, 10, 10, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), BADDIALOGID); }},
        {"LinkGroup must be 0 or more", [&] { EXPECT_TRUE(QorUtilFrameSetLinking("LinkGroup", 0)); EXPECT_FALSE(QorUtilFrameSetLinking("LinkGroup", -1)); }},
        {"the minimum must not exceed the maximum", [&] { EXPECT_NE(QorGUIScaleAdd(QorGUIDialogCreateModal(0, 90, 90, "E", nullptr, nullptr, nullptr, nullptr, nullptr), 0, 0, 50, 10, 5, 5, 0, nullptr, nullptr), BADDIALOGID); EXPECT_EQ(QorGUIScaleAdd(QorGUIDialogCreateModal(0, 90, 90, "D", nullptr, nullptr, nullptr, nullptr, nullptr), 0, 0, 50, 10, 5, 1, 0, nullptr, nullptr), BADDIALOGID); }},
        {"margin must be 0 or more", [&] { QorUtilTextBoxSetMargin(text, 5); QorUtilTextBoxSetMargin(text, -1); EXPECT_EQ(QorUtilTextBoxGetMargin(text), 5.0); }},
        {"line points must be finite", [&] { EXPECT_EQ(host().addGeom({GeomType_LineSegs, CoordSys_Frame, 0, 0, 0, "", 0, 0, {{{0, 0}, {1, nan}}}, ""}), nullptr); }},
        {"line points must be finite", [&] { EXPECT_EQ(host().addGeom({GeomType_LineSegs, CoordSys_Frame, 0, 0, 0, "", 0, 0, {{{nan, 0}, {1, 1}}}, ""}), nullptr); }},
    };
    // clang-format on
    for (const auto &[fault, misuse] : cases) {
        SCOPED_TRACE(fault);
        misuse();
        expectFault(fault);
    }
}

TEST_F(StrictnessTest, LiveResourcesAreCountedUntilFreed) {
    char *a = QorUtilStringAlloc(10, "GetStringTag");
    char *b = QorUtilStringAlloc(0, "GetStringTag");
    char *name = nullptr;
    ASSERT_TRUE(QorUtilFrameGetName(&name));
    std::memset(a, 'x', 10); // room for MaxLength characters and the NUL
    EXPECT_EQ(a[10], '\0');
    EXPECT_EQ(b[0], '\0');
    Set_pa set = QorUtilSetAlloc(TRUE);
    StringList_pa list = QorUtilStringListAlloc();
    ArgList_pa args = QorUtilArgListAlloc();
    auto live = [] {
        return std::vector<size_t>({host().liveStrings(), host().liveSets(),
                                    host().liveStringLists(), host().liveArgLists()});
    };
    EXPECT_EQ(host().liveStringsByTag(),
              (std::map<std::string, size_t>{{"FrameGetName", 1}, {"GetStringTag", 2}}));
    EXPECT_EQ(live(), std::vector<size_t>({3, 1, 1, 1}));
    for (char **s : {&a, &b, &name})
        QorUtilStringDealloc(s);
    QorUtilSetDealloc(&set);
    QorUtilStringListDealloc(&list);
    QorUtilArgListDealloc(&args);
    EXPECT_EQ(set, nullptr);
    EXPECT_EQ(live(), std::vector<size_t>({0, 0, 0, 0}));
}

// Thousands of strings live at once and freed out of order: each is known
// until it is freed, and only then refused.
TEST_F(StrictnessTest, ManyLiveStringsAreEachFreedOnce) {
    std::vector<char *> strings;
    for (int i = 0; i < 5000; ++i)
        strings.push_back(QorUtilStringAlloc(i % 40, i % 2 ? "odd" : "even"));
    EXPECT_EQ(host().liveStringsByTag(),
              (std::map<std::string, size_t>{{"even", 2500}, {"odd", 2500}}));
    std::vector<char *> freed;
    for (size_t step : {7u, 3u, 1u})
        for (size_t i = 0; i < strings.size(); i += step)
            if (strings[i]) {
                freed.push_back(strings[i]);
                QorUtilStringDealloc(&strings[i]);
                ASSERT_TRUE(host().faults().empty()) << "string " << i;
            }
    EXPECT_EQ(freed.size(), 5000u);
    EXPECT_EQ(host().liveStrings(), 0u);
    QorUtilStringDealloc(&freed[1234]);
    EXPECT_EQ(host().faults().size(), 1u);
    host().clearFaults();
}

TEST_F(StrictnessTest, SetsIterateInAscendingOrderAndStringListsCountFromOne) {
    Set_pa set = QorUtilSetAlloc(TRUE);
    for (SetIndex_t m : {5, 1, 3, 1})
        QorUtilSetAddMember(set, m, TRUE);
    std::vector<SetIndex_t> members;
    for (SetIndex_t m = QorUtilSetGetNextMember(set, QORSET_NOT_MEMBER); m != QORSET_NOT_MEMBER;
         m = QorUtilSetGetNextMember(set, m))
        members.push_back(m);
    EXPECT_EQ(members, (std::vector<SetIndex_t>{1, 3, 5}));
    EXPECT_EQ(QorUtilSetGetMemberCount(set), 3);
    QorUtilSetClear(set);
    EXPECT_EQ(QorUtilSetGetNextMember(set, QORSET_NOT_MEMBER), QORSET_NOT_MEMBER);
    QorUtilSetDealloc(&set);

    StringList_pa list = QorUtilStringListAlloc();
    QorUtilStringListAppendString(list, "Name_OPT_D1");
    QorUtilStringListAppendString(list, "Other_OPT_D1");
    ASSERT_EQ(QorUtilStringListGetCount(list), 2);
    char *second = QorUtilStringListGetString(list, 2); // a copy the caller frees
    EXPECT_STREQ(second, "Other_OPT_D1");
    QorUtilStringDealloc(&second);
    QorUtilStringListClear(list);
    EXPECT_EQ(QorUtilStringListGetCount(list), 0);
    QorUtilStringListDealloc(&list);
}

TEST_F(StrictnessTest, QuestionsTakeTheQueuedAnswersInOrder) {
    host().queueAnswer(true);
    host().queueAnswer(false);
    EXPECT_TRUE(QorUtilDialogMessageBox("Upgrade controls?", MessageBox_Question));
    EXPECT_FALSE(QorUtilDialogMessageBox("Resize?", MessageBox_YesNo));
    EXPECT_TRUE(QorUtilDialogMessageBox("Careful", MessageBox_Warning)); // takes no answer
    QorUtilDialogErrMsg("Text in control too big");
    const auto &m = host().messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(std::make_pair(m[0].answer, m[1].answer), std::make_pair(true, false));
    EXPECT_EQ(std::make_pair(m[3].call, m[3].text),
              std::make_pair(Message::Call::ErrMsg, std::string("Text in control too big")));
}

// Black, red, green, blue, cyan, yellow, purple, white.
TEST_F(StrictnessTest, BasicColoursAreThePrimariesAndTheirMixes) {
    const std::vector<std::vector<int>> expected = {{0, 0, 0},     {255, 0, 0},    {0, 255, 0},
                                                    {0, 0, 255},   {0, 255, 255},  {255, 255, 0},
                                                    {255, 0, 255}, {255, 255, 255}};
    for (ColorIndex_t c = 0; c < 8; ++c) {
        uint8_t r, g, b;
        QorUtilColorMapGetBasicColorRGB(c, &r, &g, &b);
        EXPECT_EQ(std::vector<int>({r, g, b}), expected[static_cast<size_t>(c)]) << c;
    }
}

// ---- locks and commands

AddOn_pa gAddOn = nullptr;
void (*const StartOnly)() = [] { QorUtilLockStart(gAddOn); };
void (*const Balanced)() = [] {
    QorUtilLockStart(gAddOn);
    QorUtilLockFinish(gAddOn);
};
void (*const Throws)() = [] {
    QorUtilLockStart(gAddOn);
    throw std::runtime_error("broken command");
};
void (*const InitBalanced)() = [] {
    QorUtilLockOn();
    gAddOn = QorUtilAddOnRegister(100, "Test", "1", "Us");
    QorUtilLockOff();
};

TEST_F(StrictnessTest, LocksAreJudgedWhenEachCommandEnds) {
    host().startAddOn(InitBalanced);
    ASSERT_EQ(host().registrations().size(), 1u);
    EXPECT_EQ(host().registrations()[0].name, "Test");

    QorUtilMenuAddOption("Tools", "Balanced", 'B', Balanced);
    QorUtilMenuAddOption("Tools", "Leaky", 'L', StartOnly);
    QorUtilMenuAddOption("Tools", "Throws", 'T', Throws);
    EXPECT_TRUE(host().chooseMenuOption("Tools", "Balanced", nullptr));
    EXPECT_FALSE(host().lockHeld());

    EXPECT_TRUE(host().chooseMenuOption("Tools", "Leaky", nullptr));
    expectFault("ended with 1 lock(s) still held");
    EXPECT_FALSE(host().lockHeld()); // judged and released: the next command starts clean

    EXPECT_TRUE(host().chooseMenuOption("Tools", "Throws", nullptr));
    expectFaults({"threw an exception: broken command", "lock(s) still held"});

    std::string error;
    EXPECT_FALSE(host().chooseMenuOption("Tools", "Missing", &error));
    EXPECT_EQ(error, "no menu option \"Missing\" in the \"Tools\" menu");

    host().startAddOn([] { QorUtilLockOn(); });
    expectFault("QorUtilLockOn not matched");
}

std::vector<std::string> gIdleOrder;
void (*const IdleA)(ArbParam_t) = [](ArbParam_t) { gIdleOrder.push_back("A"); };
void (*const IdleB)(ArbParam_t) = [](ArbParam_t data) {
    gIdleOrder.push_back("B" + std::to_string(data));
    QorUtilOnIdleQueueAddCallback(IdleA, 0); // runs at the next idle time
};

TEST_F(StrictnessTest, IdleCallbacksRunOnceEachInOrder) {
    gIdleOrder.clear();
    QorUtilOnIdleQueueAddCallback(IdleB, 7);
    QorUtilOnIdleQueueAddCallback(IdleA, 0);
    EXPECT_EQ(host().runIdle(), 2);
    EXPECT_EQ(gIdleOrder, (std::vector<std::string>{"B7", "A"}));
    EXPECT_EQ(host().runIdle(), 1);
    EXPECT_EQ(host().runIdle(), 0);
}

TEST_F(StrictnessTest, BasePathsKeepTheirSlashAndAnUnsavedLayoutHasNoName) {
    EXPECT_EQ(QorUtilGetCurLayoutFName(), nullptr);
    for (auto [file, base] : {std::make_pair("/work/designs/tools.lay.json", "/work/designs/"),
                              std::make_pair("tools.lay.json", "./")}) {
        char *path = QorUtilGetBasePath(file);
        EXPECT_STREQ(path, base);
        QorUtilStringDealloc(&path);
    }
}

} // namespace
} // namespace quorvin::host::testing
