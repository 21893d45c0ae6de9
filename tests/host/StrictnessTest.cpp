// The host's strictness: misuse is recorded as a fault with a safe result,
// resources are counted so that leaks show, and locks are judged per command.
#include "HostFixture.h"

#include <cstring>
#include <functional>
#include <stdexcept>

namespace quorvin::host::testing {
namespace {

class StrictnessTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        host().addFrame(frameAt("F", 1, 1, 4, 4));
        TextSpec t;
        t.string = "Label";
        text_ = host().addText(t);
    }
    Text_ID text_ = nullptr;
};

TEST_F(StrictnessTest, MisuseIsRecordedAsAFaultWithASafeResult) {
    struct Case {
        const char *what;
        std::function<bool()> call; // true when the result is the safe default
        const char *fault;
    };
    TextSpec doomed;
    doomed.string = "doomed";
    Text_ID stale = host().addText(doomed);
    const Case cases[] = {
        {"unknown text handle",
         [] {
             char *s = reinterpret_cast<char *>(1);
             return !QorUtilTextGetString(reinterpret_cast<Text_ID>(0x42), &s) && s == nullptr;
         },
         "invalid text handle"},
        {"deleted text",
         [&] {
             QorUtilTextDelete(stale);
             return QorUtilTextGetHeight(stale) == 0.0 && !QorUtilTextIsValid(stale);
         },
         "QorUtilTextGetHeight: invalid text handle"},
        {"unknown geometry handle",
         [] { return QorUtilGeomGetNext(reinterpret_cast<Geom_ID>(0x42)) == nullptr; },
         "invalid geometry handle"},
        {"string freed twice",
         [] {
             char *s = QorUtilStringAlloc(4, "test");
             char *copy = s;
             QorUtilStringDealloc(&s);
             QorUtilStringDealloc(&copy);
             return s == nullptr;
         },
         "already freed"},
        {"string the host never gave out",
         [] {
             char local[4] = "abc";
             char *p = local;
             QorUtilStringDealloc(&p);
             return std::strcmp(local, "abc") == 0;
         },
         "not allocated by the host"},
        {"set freed twice",
         [] {
             Set_pa s = QorUtilSetAlloc(TRUE);
             Set_pa copy = s;
             QorUtilSetDealloc(&s);
             QorUtilSetDealloc(&copy);
             return s == nullptr && copy != nullptr;
         },
         "already freed"},
        {"negative set member",
         [] {
             Set_pa s = QorUtilSetAlloc(TRUE);
             bool refused = !QorUtilSetAddMember(s, -1, TRUE);
             QorUtilSetDealloc(&s);
             return refused;
         },
         "below 0"},
        {"string list index out of range",
         [] {
             StringList_pa l = QorUtilStringListAlloc();
             bool none = QorUtilStringListGetString(l, 1) == nullptr;
             QorUtilStringListDealloc(&l);
             return none;
         },
         "string number 1 is not 1 to 0"},
        {"lock finish without a start",
         [] {
             QorUtilLockFinish(QorUtilAddOnRegister(100, "Probe", "1", "Us"));
             return true;
         },
         "lock finish without a lock start"},
        {"lock off without lock on",
         [] {
             QorUtilLockOff();
             return true;
         },
         "no QorUtilLockOn"},
        {"anchor out of range",
         [&] {
             QorUtilTextSetAnchor(text_, 5);
             return QorUtilTextGetAnchor(text_) == 0;
         },
         "anchor must be 0, 1 or 2"},
        {"unsupported macro command", [] { return !QorUtilMacroExecuteCommand("$!REDRAWALL"); },
         "unsupported macro command"},
        {"unanswered question",
         [] { return !QorUtilDialogMessageBox("Resize all?", MessageBox_YesNo); },
         "unanswered question: \"Resize all?\""},
        {"unanswered file chooser",
         [] {
             char *name = nullptr;
             return !QorUtilDialogGetFileName(0, &name, "Bitmap", nullptr, "*.bmp") &&
                    name == nullptr;
         },
         "unanswered file chooser: \"Bitmap (*.bmp)\""},
        {"unanswered colour chooser",
         [] {
             ColorIndex_t c = 3;
             return !QorUtilDialogGetColor(FALSE, &c) && c == 3;
         },
         "unanswered colour chooser"},
        {"control with an unknown parent",
         [] { return QorGUIButtonAdd(99, 0, 0, 10, 10, "OK", nullptr) == BADDIALOGID; },
         "parent 99 is no dialog"},
        {"launching a dialog that does not exist",
         [] {
             QorGUIDialogLaunch(77);
             return true;
         },
         "no dialog with identifier 77"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        host().clearFaults();
        EXPECT_TRUE(c.call());
        ASSERT_EQ(host().faults().size(), 1u);
        EXPECT_NE(host().faults()[0].find(c.fault), std::string::npos) << host().faults()[0];
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
    EXPECT_EQ(host().liveStrings(), 3u);
    EXPECT_EQ(host().liveStringsByTag(),
              (std::map<std::string, size_t>{{"FrameGetName", 1}, {"GetStringTag", 2}}));
    EXPECT_EQ(host().liveSets(), 1u);
    EXPECT_EQ(host().liveStringLists(), 1u);
    EXPECT_EQ(host().liveArgLists(), 1u);

    QorUtilStringDealloc(&a);
    QorUtilStringDealloc(&b);
    QorUtilStringDealloc(&name);
    QorUtilSetDealloc(&set);
    QorUtilStringListDealloc(&list);
    QorUtilArgListDealloc(&args);
    EXPECT_EQ(set, nullptr);
    EXPECT_EQ(host().liveStrings() + host().liveSets() + host().liveStringLists() +
                  host().liveArgLists(),
              0u);
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(StrictnessTest, SetsIterateInAscendingOrder) {
    Set_pa set = QorUtilSetAlloc(TRUE);
    for (SetIndex_t m : {5, 1, 3, 1})
        QorUtilSetAddMember(set, m, TRUE);
    std::vector<SetIndex_t> members;
    for (SetIndex_t m = QorUtilSetGetNextMember(set, QORSET_NOT_MEMBER); m != QORSET_NOT_MEMBER;
         m = QorUtilSetGetNextMember(set, m))
        members.push_back(m);
    EXPECT_EQ(members, (std::vector<SetIndex_t>{1, 3, 5}));
    EXPECT_EQ(QorUtilSetGetMemberCount(set), 3);
    EXPECT_TRUE(QorUtilSetIsMember(set, 3));
    QorUtilSetClear(set);
    EXPECT_EQ(QorUtilSetGetNextMember(set, QORSET_NOT_MEMBER), QORSET_NOT_MEMBER);
    QorUtilSetDealloc(&set);
}

TEST_F(StrictnessTest, StringListsCountFromOneAndHandOutCopies) {
    StringList_pa list = QorUtilStringListAlloc();
    QorUtilStringListAppendString(list, "Name_OPT_D1");
    QorUtilStringListAppendString(list, "Other_OPT_D1");
    ASSERT_EQ(QorUtilStringListGetCount(list), 2);
    char *second = QorUtilStringListGetString(list, 2);
    EXPECT_STREQ(second, "Other_OPT_D1");
    QorUtilStringDealloc(&second);
    QorUtilStringListClear(list);
    EXPECT_EQ(QorUtilStringListGetCount(list), 0);
    QorUtilStringListDealloc(&list);
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(StrictnessTest, StylesAndMacroCommandsChangeTheCurrentFrame) {
    ArgList_pa args = QorUtilArgListAlloc();
    QorUtilArgListAppendString(args, "P1", "FrameLayout");
    QorUtilArgListAppendString(args, "P2", "ShowHeader");
    QorUtilArgListAppendInt(args, "IValue", 0);
    EXPECT_EQ(QorUtilStyleSetLowLevelX(args), SetValue_Ok);
    QorUtilArgListClear(args);
    QorUtilArgListAppendString(args, "P1", "FrameLayout");
    QorUtilArgListAppendString(args, "P2", "BackgroundColor");
    QorUtilArgListAppendInt(args, "IValue", 33);
    EXPECT_EQ(QorUtilStyleSetLowLevelX(args), SetValue_Ok);
    QorUtilArgListDealloc(&args);
    EXPECT_FALSE(host().currentFrame()->spec.showHeader);
    EXPECT_EQ(host().currentFrame()->spec.backgroundColor, 33);

    EXPECT_TRUE(QorUtilMacroExecuteCommand("$!FRAMELAYOUT SHOWHEADER = YES"));
    EXPECT_TRUE(QorUtilMacroExecuteCommand("$!FRAMELAYOUT BACKGROUNDCOLOR = CUSTOM2"));
    EXPECT_TRUE(QorUtilMacroExecuteCommand(
        "$!FRAMENAME = 'ID=2 TITLE=\"Untitled\" MODE=MODAL OKCLOSEBUTTON=T'"));
    EXPECT_TRUE(host().currentFrame()->spec.showHeader);
    EXPECT_EQ(host().currentFrame()->spec.backgroundColor, 9);
    EXPECT_EQ(host().currentFrame()->spec.name,
              "ID=2 TITLE=\"Untitled\" MODE=MODAL OKCLOSEBUTTON=T");
    EXPECT_TRUE(QorUtilMacroExecuteCommand("$!FRAMELAYOUT BACKGROUNDCOLOR = CYAN"));
    EXPECT_EQ(host().currentFrame()->spec.backgroundColor, 4);
    EXPECT_FALSE(QorUtilMacroExecuteCommand("$!FRAMENAME = 'unterminated"));
    EXPECT_EQ(takeFaults().size(), 1u);
}

TEST_F(StrictnessTest, QuestionsTakeTheQueuedAnswersAndAreRecorded) {
    host().queueAnswer(true);
    host().queueAnswer(false);
    EXPECT_TRUE(QorUtilDialogMessageBox("Upgrade controls to new standards?", MessageBox_Question));
    EXPECT_FALSE(QorUtilDialogMessageBox("Resize?", MessageBox_YesNo));
    EXPECT_TRUE(QorUtilDialogMessageBox("Careful", MessageBox_Warning));
    QorUtilDialogErrMsg("Text in control too big");
    const auto &m = host().messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0].boxType, MessageBox_Question);
    EXPECT_TRUE(m[0].answer);
    EXPECT_FALSE(m[1].answer);
    EXPECT_EQ(m[2].boxType, MessageBox_Warning);
    EXPECT_EQ(m[3].call, Message::Call::ErrMsg);
    EXPECT_EQ(m[3].text, "Text in control too big");
    EXPECT_TRUE(host().faults().empty());
}

// ---- locks and commands

AddOn_pa gAddOn = nullptr;
void StartOnly() {
    QorUtilLockStart(gAddOn);
}
void Balanced() {
    QorUtilLockStart(gAddOn);
    QorUtilLockFinish(gAddOn);
}
void Throws() {
    QorUtilLockStart(gAddOn);
    throw std::runtime_error("broken command");
}
void InitBalanced() {
    QorUtilLockOn();
    gAddOn = QorUtilAddOnRegister(100, "Test", "1", "Us");
    QorUtilLockOff();
}
void InitUnbalanced() {
    QorUtilLockOn();
}

TEST_F(StrictnessTest, LocksAreJudgedWhenEachCommandEnds) {
    host().startAddOn(InitBalanced);
    EXPECT_TRUE(host().faults().empty());
    ASSERT_EQ(host().registrations().size(), 1u);
    EXPECT_EQ(host().registrations()[0].name, "Test");

    QorUtilMenuAddOption("Tools", "Balanced", 'B', Balanced);
    QorUtilMenuAddOption("Tools", "Leaky", 'L', StartOnly);
    QorUtilMenuAddOption("Tools", "Throws", 'T', Throws);
    EXPECT_TRUE(host().chooseMenuOption("Tools", "Balanced", nullptr));
    EXPECT_TRUE(host().faults().empty());
    EXPECT_FALSE(host().lockHeld());

    EXPECT_TRUE(host().chooseMenuOption("Tools", "Leaky", nullptr));
    EXPECT_TRUE(anyContains(takeFaults(), "ended with 1 lock(s) still held"));
    EXPECT_FALSE(host().lockHeld()); // judged and released: the next command starts clean

    EXPECT_TRUE(host().chooseMenuOption("Tools", "Throws", nullptr));
    auto faults = takeFaults();
    EXPECT_TRUE(anyContains(faults, "threw an exception: broken command"));
    EXPECT_TRUE(anyContains(faults, "lock(s) still held"));

    std::string error;
    EXPECT_FALSE(host().chooseMenuOption("Tools", "Missing", &error));
    EXPECT_EQ(error, "no menu option \"Missing\" in the \"Tools\" menu");

    host().startAddOn(InitUnbalanced);
    EXPECT_TRUE(anyContains(takeFaults(), "QorUtilLockOn not matched"));
}

std::vector<std::string> gIdleOrder;
void IdleA(ArbParam_t) {
    gIdleOrder.push_back("A");
}
void IdleB(ArbParam_t data) {
    gIdleOrder.push_back("B" + std::to_string(data));
    QorUtilOnIdleQueueAddCallback(IdleA, 0); // runs at the next idle time
}

TEST_F(StrictnessTest, IdleCallbacksRunOnceEachInOrder) {
    gIdleOrder.clear();
    QorUtilOnIdleQueueAddCallback(IdleB, 7);
    QorUtilOnIdleQueueAddCallback(IdleA, 0);
    EXPECT_EQ(host().runIdle(), 2);
    EXPECT_EQ(gIdleOrder, (std::vector<std::string>{"B7", "A"}));
    EXPECT_EQ(host().runIdle(), 1);
    EXPECT_EQ(host().runIdle(), 0);
}

TEST_F(StrictnessTest, CallsAreRecordedByNameWhileRecording) {
    QorUtilFrameGetCount();
    host().recordCalls(true);
    QorUtilFrameGetCount();
    QorUtilGetQuorvinVersion();
    host().recordCalls(false);
    QorUtilFrameGetCount();
    EXPECT_EQ(host().calls(),
              (std::vector<std::string>{"QorUtilFrameGetCount", "QorUtilGetQuorvinVersion"}));
}

TEST_F(StrictnessTest, HostStringsAndPathsFollowTheConventions) {
    EXPECT_EQ(QorUtilGetCurLayoutFName(), nullptr); // never saved
    char *base = QorUtilGetBasePath("/work/designs/tools.lay.json");
    EXPECT_STREQ(base, "/work/designs/");
    QorUtilStringDealloc(&base);
    base = QorUtilGetBasePath("tools.lay.json");
    EXPECT_STREQ(base, "./");
    QorUtilStringDealloc(&base);
    double h = 0, v = 0;
    QorUtilInterfaceGetDotsPerInch(&h, &v);
    EXPECT_EQ(std::make_pair(h, v), std::make_pair(96.0, 96.0));
    EXPECT_EQ(QorUtilInterfaceGetBaseFontSize(), 16);
    uint8_t r, g, b;
    QorUtilColorMapGetBasicColorRGB(Cyan_C, &r, &g, &b);
    EXPECT_EQ(std::vector<int>({r, g, b}), std::vector<int>({0, 255, 255}));
    host().setVersion(1000299);
    EXPECT_EQ(QorUtilGetQuorvinVersion(), 1000299);
    EXPECT_TRUE(host().faults().empty());
}

} // namespace
} // namespace quorvin::host::testing
