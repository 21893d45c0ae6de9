// Control texts: the row values of every kind, the common look, variable
// names, the length limit and the linking groups of tab and form controls.
#include "CommandsFixture.h"

namespace qgbtest {
namespace {

std::string Blanks(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}
std::string LineFeeds(int n) {
    return std::string(static_cast<size_t>(n), '\n');
}

// One row of the control table as a designer reads it.
struct ExpectedControl {
    void (*command)();
    qb::ControlKind kind;
    std::string string;
    std::string command1; // the command of the control in an empty frame
    TextBox_e boxType = TextBox_Filled;
    double margin = 45;
    ColorIndex_t boxColor = 0;
    double lineSpacing = 1.0;
};

const std::string kMark = "<math>7</math>";

// clang-format off
const std::vector<ExpectedControl> kControls = {
    {qb::InsertTab, qb::Tab, "TAB:Group=1" + Blanks(2) + LineFeeds(5), "VarName=TAB1 Type=Tab"},
    {qb::InsertForm, qb::Form, "FM:Group=1" + Blanks(2) + LineFeeds(5), "VarName=FM1 Type=Form"},
    {qb::InsertSpinTextField, qb::Spin, "TFS:" + Blanks(12), "VarName=TF1 Type=Spin"},
    {qb::InsertTextField, qb::TextField, "TF:" + Blanks(12), "VarName=TF1 Type=TextField"},
    {qb::InsertMultiLineText, qb::Text, "T:" + Blanks(13) + LineFeeds(3), "VarName=MT1 Type=Text"},
    {qb::InsertReadOnlyText, qb::ReadOnlyText, "TRO:" + Blanks(11) + LineFeeds(3),
     "VarName=RT1 Type=ReadOnlyText"},
    {qb::InsertLabel, qb::Label, "Label", "VarName=LBL1 Type=Label", TextBox_None, 0.2},
    {qb::InsertPushButton, qb::PushButton, "Push Button", "VarName=BTN1 Type=PushButton"},
    {qb::InsertOptionMenu, qb::OptionMenu, "OPT:" + Blanks(11), "VarName=OPT1 Type=OptionMenu"},
    {qb::InsertMultiList, qb::MultiList, "MLST:" + Blanks(9) + LineFeeds(5),
     "VarName=ML1 Type=MultiList"},
    {qb::InsertSingleList, qb::SingleList, "SLST:" + Blanks(9) + LineFeeds(5),
     "VarName=SL1 Type=SingleList"},
    {qb::InsertScale, qb::Scale, "SC:" + Blanks(12), "VarName=SC1 Type=Scale SHOWLABEL=F",
     TextBox_Filled, 25},
    {qb::InsertToggle, qb::Toggle, kMark + "   Toggle", "VarName=TGL1 Type=Toggle", TextBox_None,
     20},
    {qb::InsertRadioBox, qb::RadioBox, kMark + "  Radio1\n" + kMark + "  Radio2\n" + kMark +
     "  Radio3", "VarName=RB1 Type=RadioBox", TextBox_Hollow, 55, 7, 1.5},
};
// clang-format on

using InsertControlsTest = CommandsTest;

TEST_F(InsertControlsTest, EveryKindGetsItsRowAndTheCommonLook) {
    for (const ExpectedControl &expected : kControls) {
        SCOPED_TRACE(qb::ControlKindName(expected.kind));
        FreshWorkspace();
        AddFrame("ID=1 TITLE=\"D\"");
        Run(expected.command);
        ASSERT_EQ(Current().texts.size(), 1u) << DescribeMessages();
        const TextSpec &t = Current().texts[0].spec;
        EXPECT_EQ(t.string, expected.string);
        EXPECT_EQ(t.command, expected.command1);
        EXPECT_EQ(t.boxType, expected.boxType);
        EXPECT_DOUBLE_EQ(t.margin, expected.margin);
        EXPECT_EQ(t.boxColor, expected.boxColor);
        EXPECT_DOUBLE_EQ(t.lineSpacing, expected.lineSpacing);
        // The look every new control shares.
        EXPECT_EQ(t.coordSys, CoordSys_Frame);
        EXPECT_EQ(std::vector<double>({t.x, t.y, t.height, t.lineThickness, t.angle}),
                  std::vector<double>({50, 50, 16, 0.1, 0}));
        EXPECT_EQ(t.sizeUnits, Units_Point);
        EXPECT_EQ(std::vector<int>({t.color, t.font, t.fillColor, t.anchor, t.scope}),
                  std::vector<int>({0, 1, 9, 0, 1}));
        EXPECT_TRUE(MessageTexts().empty()) << DescribeMessages();
    }
}

TEST_F(InsertControlsTest, VariableNamesCountTheTextsOfTheFrame) {
    AddFrame("ID=1 TITLE=\"D\"");
    for (auto insert : {qb::InsertTextField, qb::InsertTextField, qb::InsertSpinTextField,
                        qb::InsertScale, qb::InsertRadioBox})
        Run(insert);
    std::vector<std::string> commands;
    for (const quorvin::host::Text &t : Current().texts)
        commands.push_back(t.spec.command);
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "VarName=TF1 Type=TextField", "VarName=TF2 Type=TextField",
                            "VarName=TF3 Type=Spin", "VarName=SC4 Type=Scale SHOWLABEL=F",
                            "VarName=RB5 Type=RadioBox"}));
}

TEST_F(InsertControlsTest, TextLengthLimitAndTextsWithoutAVariableBase) {
    AddFrame("ID=1 TITLE=\"D\"");
    auto insert = [this](qb::ControlKind kind, const std::string &text, const char *base) {
        {
            qb::LockGuard lock(qb::AddOnHandle);
            qb::InsertControl(kind, text.c_str(), base, TextBox_None, 0, 0.2, 1.0);
        }
        ExpectClean();
    };
    insert(qb::Label, std::string(221, 'x'), "LBL");
    EXPECT_TRUE(Current().texts.empty());
    ExpectOnlyMessage(Message::Call::ErrMsg, "Text in control too big");

    insert(qb::Label, std::string(220, 'x'), "LBL");
    ASSERT_EQ(Current().texts.size(), 1u);
    EXPECT_EQ(Current().texts[0].spec.string, std::string(220, 'x'));

    // Without a base the number goes into the text.
    insert(qb::PushButton, "Button", nullptr);
    ASSERT_EQ(Current().texts.size(), 2u);
    EXPECT_EQ(Current().texts[1].spec.string, "Button2");
    EXPECT_EQ(Current().texts[1].spec.command, " Type=PushButton");
}

// The free group is found over all frames (the model tests that); here it
// must land in the control's text.
TEST_F(InsertControlsTest, TabsAndFormsTakeTheSmallestFreeGroup) {
    AddFrame("ID=1 TITLE=\"D\"");
    AddGroupControl("TAB:", 1);
    AddGroupControl("FM:", 3);
    Run(qb::InsertForm);
    Run(qb::InsertTab);
    ASSERT_EQ(Current().texts.size(), 4u) << DescribeMessages();
    EXPECT_EQ(Current().texts[2].spec.string, "FM:Group=2  \n\n\n\n\n");
    EXPECT_EQ(Current().texts[2].spec.command, "VarName=FM3 Type=Form");
    EXPECT_EQ(Current().texts[3].spec.string, "TAB:Group=4  \n\n\n\n\n");
    EXPECT_EQ(Current().texts[3].spec.command, "VarName=TAB4 Type=Tab");
}

TEST_F(InsertControlsTest, The33rdTabOrFormIsRefused) {
    AddFrame("ID=1 TITLE=\"D\"");
    for (int group = 1; group <= 32; ++group)
        AddGroupControl(group % 2 ? "TAB:" : "FM:", group);
    Run(qb::InsertTab);
    Run(qb::InsertForm);
    EXPECT_EQ(Current().texts.size(), 32u);
    ASSERT_EQ(host().messages().size(), 2u) << DescribeMessages();
    EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
    EXPECT_EQ(host().messages()[0].text, "Cannot create a new tab because there is no frame "
                                         "linking group number available.");
    EXPECT_EQ(host().messages()[1].text, "Cannot create a new form because there are no frame "
                                         "linking group number available.");
}

} // namespace
} // namespace qgbtest
