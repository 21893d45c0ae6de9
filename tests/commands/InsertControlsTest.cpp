// Control texts: the row values of every kind, the common look, variable
// names, the length limit and the linking groups of tab and form controls.
#include "CommandsFixture.h"

#include "model/Kinds.h"

namespace qgbtest {
namespace {

using quorvin::host::Text;

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
    TextBox_e boxType;
    double margin;
    ColorIndex_t boxColor;
    double lineSpacing;
};

const std::string kToggleMark = "<math>7</math>";

std::vector<ExpectedControl> ExpectedControls() {
    return {
        {qb::InsertTab, qb::Tab, "TAB:Group=1" + Blanks(2) + LineFeeds(5), "VarName=TAB1 Type=Tab",
         TextBox_Filled, 45, 0, 1.0},
        {qb::InsertForm, qb::Form, "FM:Group=1" + Blanks(2) + LineFeeds(5), "VarName=FM1 Type=Form",
         TextBox_Filled, 45, 0, 1.0},
        {qb::InsertSpinTextField, qb::Spin, "TFS:" + Blanks(12), "VarName=TF1 Type=Spin",
         TextBox_Filled, 45, 0, 1.0},
        {qb::InsertTextField, qb::TextField, "TF:" + Blanks(12), "VarName=TF1 Type=TextField",
         TextBox_Filled, 45, 0, 1.0},
        {qb::InsertMultiLineText, qb::Text, "T:" + Blanks(13) + LineFeeds(3),
         "VarName=MT1 Type=Text", TextBox_Filled, 45, 0, 1.0},
        {qb::InsertReadOnlyText, qb::ReadOnlyText, "TRO:" + Blanks(11) + LineFeeds(3),
         "VarName=RT1 Type=ReadOnlyText", TextBox_Filled, 45, 0, 1.0},
        {qb::InsertLabel, qb::Label, "Label", "VarName=LBL1 Type=Label", TextBox_None, 0.2, 0, 1.0},
        {qb::InsertPushButton, qb::PushButton, "Push Button", "VarName=BTN1 Type=PushButton",
         TextBox_Filled, 45, 0, 1.0},
        {qb::InsertOptionMenu, qb::OptionMenu, "OPT:" + Blanks(11), "VarName=OPT1 Type=OptionMenu",
         TextBox_Filled, 45, 0, 1.0},
        {qb::InsertMultiList, qb::MultiList, "MLST:" + Blanks(9) + LineFeeds(5),
         "VarName=ML1 Type=MultiList", TextBox_Filled, 45, 0, 1.0},
        {qb::InsertSingleList, qb::SingleList, "SLST:" + Blanks(9) + LineFeeds(5),
         "VarName=SL1 Type=SingleList", TextBox_Filled, 45, 0, 1.0},
        {qb::InsertScale, qb::Scale, "SC:" + Blanks(12), "VarName=SC1 Type=Scale SHOWLABEL=F",
         TextBox_Filled, 25, 0, 1.0},
        {qb::InsertToggle, qb::Toggle, kToggleMark + "   Toggle", "VarName=TGL1 Type=Toggle",
         TextBox_None, 20, 0, 1.0},
        {qb::InsertRadioBox, qb::RadioBox,
         kToggleMark + "  Radio1\n" + kToggleMark + "  Radio2\n" + kToggleMark + "  Radio3",
         "VarName=RB1 Type=RadioBox", TextBox_Hollow, 55, 7, 1.5},
    };
}

using InsertControlsTest = CommandsTest;

TEST_F(InsertControlsTest, EveryKindGetsItsRowAndTheCommonLook) {
    for (const ExpectedControl &expected : ExpectedControls()) {
        SCOPED_TRACE(qb::ControlKindName(expected.kind));
        host().reset();
        RegisterAddOn();
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
        EXPECT_DOUBLE_EQ(t.x, 50);
        EXPECT_DOUBLE_EQ(t.y, 50);
        EXPECT_EQ(t.sizeUnits, Units_Point);
        EXPECT_DOUBLE_EQ(t.height, 16);
        EXPECT_EQ(t.color, 0);
        EXPECT_EQ(t.font, 1);
        EXPECT_DOUBLE_EQ(t.lineThickness, 0.1);
        EXPECT_EQ(t.fillColor, 9);
        EXPECT_DOUBLE_EQ(t.angle, 0);
        EXPECT_EQ(t.anchor, 0);
        EXPECT_EQ(t.scope, 1);
        // What was inserted is recognised as that kind again, with and
        // without the Type setting.
        qb::ControlKind kind = qb::NotAControl;
        int group = -1;
        qb::ClassifyText(TextHandle(Current().texts[0]), kind, group);
        EXPECT_EQ(kind, expected.kind);
        EXPECT_EQ(qb::ClassifyByPrefix(t.boxType, t.string.c_str()), expected.kind);
        EXPECT_TRUE(MessageTexts().empty()) << DescribeMessages();
    }
}

TEST_F(InsertControlsTest, VariableNamesCountTheTextsOfTheFrame) {
    AddFrame("ID=1 TITLE=\"D\"");
    Run(qb::InsertTextField);
    Run(qb::InsertTextField);
    Run(qb::InsertSpinTextField);
    Run(qb::InsertScale);
    Run(qb::InsertRadioBox);
    std::vector<std::string> commands;
    for (const Text &t : Current().texts)
        commands.push_back(t.spec.command);
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "VarName=TF1 Type=TextField", "VarName=TF2 Type=TextField",
                            "VarName=TF3 Type=Spin", "VarName=SC4 Type=Scale SHOWLABEL=F",
                            "VarName=RB5 Type=RadioBox"}));
}

TEST_F(InsertControlsTest, DeletingAControlCanRepeatAName) {
    AddFrame("ID=1 TITLE=\"D\"");
    Run(qb::InsertLabel);
    Run(qb::InsertLabel);
    {
        qb::LockGuard lock(qb::AddOnHandle);
        QorUtilTextDelete(TextHandle(Current().texts[0]));
    }
    Run(qb::InsertLabel);
    ASSERT_EQ(Current().texts.size(), 2u);
    EXPECT_EQ(Current().texts[0].spec.command, "VarName=LBL2 Type=Label");
    EXPECT_EQ(Current().texts[1].spec.command, "VarName=LBL2 Type=Label");
}

TEST_F(InsertControlsTest, TextLongerThan220CharactersIsRefused) {
    AddFrame("ID=1 TITLE=\"D\"");
    {
        qb::LockGuard lock(qb::AddOnHandle);
        qb::InsertControl(qb::Label, std::string(221, 'x').c_str(), "LBL", TextBox_None, 0, 0.2,
                          1.0);
    }
    ExpectClean();
    EXPECT_TRUE(Current().texts.empty());
    ASSERT_EQ(host().messages().size(), 1u);
    EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
    EXPECT_EQ(host().messages()[0].text, "Text in control too big");

    {
        qb::LockGuard lock(qb::AddOnHandle);
        qb::InsertControl(qb::Label, std::string(220, 'x').c_str(), "LBL", TextBox_None, 0, 0.2,
                          1.0);
    }
    ExpectClean();
    ASSERT_EQ(Current().texts.size(), 1u);
    EXPECT_EQ(Current().texts[0].spec.string, std::string(220, 'x'));
}

TEST_F(InsertControlsTest, WithoutABaseTheNumberGoesIntoTheText) {
    AddFrame("ID=1 TITLE=\"D\"");
    AddLabel("x", 1, 1);
    {
        qb::LockGuard lock(qb::AddOnHandle);
        qb::InsertControl(qb::PushButton, "Button", nullptr, TextBox_Filled, 0, 45, 1.0);
    }
    ExpectClean();
    ASSERT_EQ(Current().texts.size(), 2u);
    EXPECT_EQ(Current().texts[1].spec.string, "Button2");
    EXPECT_EQ(Current().texts[1].spec.command, " Type=PushButton");
}

TEST_F(InsertControlsTest, TabsAndFormsDrawTheSmallestFreeGroupOfAllFrames) {
    // Group 1 is a linked tab page; group 2 a form control in another frame;
    // group 4 a tab control text of the current frame.
    AddFrame("TABPAGE=T ID=1 POS=1", 3, 0.7, 2, 2, 1, true);
    AddFrame("ID=2 TITLE=\"Other\"");
    TextSpec spec;
    spec.boxType = TextBox_Filled;
    spec.command = "VarName=FM1";
    spec.string = "FM:Group=2  \n";
    host().addText(spec);
    AddFrame("ID=1 TITLE=\"D\"");
    spec.string = "TAB:Group=4  \n";
    host().addText(spec);

    Run(qb::InsertTab);
    Run(qb::InsertForm);
    Run(qb::InsertTab);
    ASSERT_EQ(Current().texts.size(), 4u) << DescribeMessages();
    EXPECT_EQ(Current().texts[1].spec.string, "TAB:Group=3  \n\n\n\n\n");
    EXPECT_EQ(Current().texts[1].spec.command, "VarName=TAB2 Type=Tab");
    EXPECT_EQ(Current().texts[2].spec.string, "FM:Group=5  \n\n\n\n\n");
    EXPECT_EQ(Current().texts[2].spec.command, "VarName=FM3 Type=Form");
    EXPECT_EQ(Current().texts[3].spec.string, "TAB:Group=6  \n\n\n\n\n");
}

TEST_F(InsertControlsTest, The33rdTabOrFormIsRefused) {
    AddFrame("ID=1 TITLE=\"D\"");
    TextSpec spec;
    spec.boxType = TextBox_Filled;
    spec.command = "VarName=T";
    for (int group = 1; group <= 32; ++group) {
        spec.string = (group % 2 ? "TAB:Group=" : "FM:Group=") + std::to_string(group) + "  \n";
        host().addText(spec);
    }
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
