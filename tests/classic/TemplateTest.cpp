// Exact-template checks: small designs whose generated text was worked out by
// hand from the templates (blank counts, dialog units with the cell 7 x 16).
#include "ClassicSupport.h"

#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "classic/Generator.h"
#include "model/HostResources.h"
#include "model/Validation.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

std::string P(int blanks) {
    return std::string(static_cast<size_t>(blanks), ' ');
}

class TemplateTest : public ClassicFixture {
  protected:
    void SetUp() override {
        ClassicFixture::SetUp();
        SetCharacterCell(7, 16);
    }

    // The control statements of the current frame alone.
    MemoryFiles::Texts Controls(int32_t language) {
        BuildState.Language = language;
        HostString name = CurrentFrameName();
        const ContainerInfo c = ReadContainer(name.get());
        MemoryFiles out;
        EmitControls(c, {}, out.files(), language);
        return out.Finish();
    }

    // The whole container of the current frame.
    MemoryFiles::Texts Container(int32_t language) {
        HostString name = CurrentFrameName();
        MemoryFiles out;
        GenerateFrame(name.get(), out.files(), language);
        return out.Finish();
    }
};

// The text field of the worked example: 10 x 5 pixels from the frame's
// corner, 120 x 20 pixels large (12 glyphs of a 20-pixel font).
void AddExampleTextField() {
    AddFrameAt("ID=1 TITLE=\"Untitled\" MODE=MODAL");
    AddPixelText({"TF:Name text", "VarName=Name", TextBox_Filled, 10, 5, 20});
}

TEST_F(TemplateTest, TextFieldExampleInC) {
    AddExampleTextField();
    const MemoryFiles::Texts out = Controls(LanguageC);
    const std::string args = P(32);
    EXPECT_EQ(out.builder, "  Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,\n" + args + "142,\n" +
                               args + "31,\n" + args + "1714,\n" + args + "125,\n" + P(23) +
                               "Name_TF_D1_CB);\n\n");
    EXPECT_EQ(out.definitionsHeader, "extern GUIInt_t  Name_TF_D1;\n");
    EXPECT_EQ(out.definitionsSource, "GUIInt_t Name_TF_D1 = BADDIALOGID;\n");
    EXPECT_EQ(out.callback,
              "\n\n/**\n */\nstatic GUIInt_t  Name_TF_D1_CB(const char *S)\n{\n"
              "  GUIInt_t IsOk = 1;\n"
              "  QorUtilLockStart(AddOnID);\n"
              "  TRACE1(\"Text field (Name_TF_D1) Value Changed,  New value is: %s\\n\",S);\n"
              "  QorUtilLockFinish(AddOnID);\n"
              "  return (IsOk);\n"
              "}\n");
    EXPECT_EQ(out.callbackInclude, "");
}

TEST_F(TemplateTest, TextFieldExampleInFortran) {
    AddExampleTextField();
    const MemoryFiles::Texts out = Controls(LanguageFORTRAN);
    EXPECT_EQ(out.builder, "      Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,\n"
                           "     &142,\n"
                           "     &31,\n"
                           "     &1714,\n"
                           "     &125,\n"
                           "     &Name_TF_D1_CB)\n\n");
    EXPECT_EQ(out.definitionsHeader,
              "      INTEGER*4 Name_TF_D1\n      COMMON /Name_TF_D1_C/ Name_TF_D1\n");
    EXPECT_EQ(out.definitionsSource, "");
    EXPECT_EQ(out.callback, "\n\n      INTEGER*4 FUNCTION Name_TF_D1_CB(S)\n"
                            "      INCLUDE 'ADDGLBL.INC'\n"
                            "      !DEC$ attributes C::Name_TF_D1_CB\n"
                            "      LOGICAL*1 S(1)\n"
                            "      CHARACTER*256 S2\n"
                            "      INTEGER*4 I,ILEN\n\n"
                            "      INCLUDE 'FGLUE.INC'\n"
                            "      INCLUDE 'GUIDEFS.INC'\n"
                            "      Name_TF_D1_CB = 1\n"
                            "      Call QorUtilLockStart(AddOnID)\n"
                            "      CALL FExtGetCharFromCString(S,S2,ILen)\n"
                            "C     WRITE(*,*) 'New Text field string = ',S2(1:ILen)\n"
                            "      Call QorUtilLockFinish(AddOnID)\n"
                            "      RETURN\n"
                            "      END\n\n");
    EXPECT_EQ(out.callbackInclude, "      EXTERNAL Name_TF_D1_CB\n"
                                   "      !DEC$ attributes C::Name_TF_D1_CB\n"
                                   "      INTEGER*4 Name_TF_D1_CB\n");
}

TEST_F(TemplateTest, TextFieldNamedFromItsLabelAndWidenedByUnitWidth) {
    AddFrameAt("ID=1");
    AddPixelText({"TF:Name", "UNITWIDTH=500", TextBox_Filled, 14, 16});
    // With a command but no VarName the whole command is the name source.
    AddFrameAt("ID=2");
    AddPixelText({"TF:Name", "", TextBox_Filled, 14, 16});
    const std::vector<std::string> second = Lines(Controls(LanguageC).builder);
    ASSERT_GE(second.size(), 1u);
    EXPECT_EQ(second[0], "  Name_TF_D2 = QorGUITextFieldAdd(Dialog2Manager,");

    host().makeCurrent(host().frames()[0].uniqueId);
    const std::vector<std::string> first = Lines(Controls(LanguageC).builder);
    ASSERT_EQ(first.size(), 7u);
    EXPECT_EQ(first[0], "  UNITWIDTH500_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,");
    // 7 glyphs of 8 pixels would be 800 units; the override replaces it.
    EXPECT_EQ(first[3], P(9 + 18 + 5 + 8) + "500,");
    EXPECT_EQ(first[4], P(40) + "100,");
}

TEST_F(TemplateTest, StatementOfEveryTextControlKindInC) {
    struct Case {
        PixelText text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{"T:Notes", ""},
         "  Notes_T_D1 = QorGUITextAdd(Dialog1Manager,\n" + P(27) + "200,\n" + P(27) + "100,\n" +
             P(27) + "800,\n" + P(27) + "100,\n" + P(23) + "0,\n" + P(23) + "Notes_T_D1_CB);\n\n"},
        {{"TRO:Info", ""},
         "  Info_T_D1 = QorGUITextAdd(Dialog1Manager,\n" + P(26) + "200,\n" + P(26) + "100,\n" +
             P(26) + "914,\n" + P(26) + "100,\n" + P(23) + "1,\n" + P(23) + "NULL);\n\n"},
        {{"SLST:Items", ""},
         "  Items_SLST_D1 = QorGUIListAdd(Dialog1Manager,\n" + P(30) + "200,\n" + P(30) + "100,\n" +
             P(30) + "1142,\n" + P(30) + "100,\n" + P(23) + "0,\n" + P(23) +
             "Items_SLST_D1_CB);\n\n"},
        {{"MLST:Many", ""},
         "  Many_MLST_D1 = QorGUIListAdd(Dialog1Manager,\n" + P(29) + "200,\n" + P(29) + "100,\n" +
             P(29) + "1028,\n" + P(29) + "100,\n" + P(23) + "1,\n" + P(23) +
             "Many_MLST_D1_CB);\n\n"},
        {{"TFS:Count", ""},
         "  Count_TFS_D1 = QorGUISpinTextFieldAdd(Dialog1Manager,\n" + P(38) + "200,\n" + P(38) +
             "100,\n" + P(38) + "1028,\n" + P(38) + "100,\n" + P(23) +
             "Count_TFS_D1_ValueChanged_CB,\n" + P(23) + "Count_TFS_D1_ButtonUp_CB,\n" + P(23) +
             "Count_TFS_D1_ButtonDown_CB);\n\n"},
        {{"SC:Level", "VarName=Level SHOWLABEL=F"},
         "  Level_SC_D1 = QorGUIScaleAdd(Dialog1Manager,\n" + P(29) + "200,\n" + P(29) + "100,\n" +
             P(29) + "914,\n" + P(29) + "100,\n" + P(20) + "0,\n" + P(20) + "100,\n" + P(20) +
             "0,\n" + P(20) + "Level_SC_D1_CB,\n" + P(20) + "Level_SCD_D1_CB);\n\n" +
             "\n  QorGUIScaleShowNumericDisplay(Level_SC_D1,FALSE);\n\n"},
        {{"OPT:Mode", ""},
         "  Mode_OPT_D1 = QorGUIOptionMenuAdd(Dialog1Manager,\n" + P(34) + "200,\n" + P(34) +
             "100,\n" + P(34) + "914,\n" + P(34) + "100,\n" + P(24) + "Mode_OPT_D1_List,\n" +
             P(24) + "Mode_OPT_D1_CB);\n\n"},
        {{"Press", "VarName=Press ToolTip=\"Press me\""},
         "  Press_BTN_D1 = QorGUIButtonAdd(Dialog1Manager,\n" + P(31) + "200,\n" + P(31) +
             "100,\n" + P(31) + "571,\n" + P(31) + "100,\n" + P(20) + "\"Press\",\n" + P(20) +
             "Press_BTN_D1_CB);\n\n" + "  QorGUISetToolTip(Press_BTN_D1,\"Press me\");\n"},
        {{"Color", "VarName=Color ColorIndex=3"},
         "  Color_BTN_D1 = QorGUIColoredButtonAdd(Dialog1Manager,\n" + P(38) + "200,\n" + P(38) +
             "100,\n" + P(38) + "571,\n" + P(38) + "100,\n" + P(20) + "\"Color\",\n" + P(20) +
             "3,\n" + P(20) + "Color_BTN_D1_CB);\n\n"},
        {{"~7 Alpha\n~7 Beta", "VarName=Choice", TextBox_Hollow},
         "  Choice_RADIO_D1 = QorGUIRadioBoxAdd(Dialog1Manager,\n" + P(36) + "200,\n" + P(36) +
             "100,\n" + P(36) + "914,\n" + P(36) + "200,\n" + P(33) + "\"Alpha\",\n" + P(33) +
             "\"Beta\",\n" + P(33) + "(char *)NULL,\n" + P(33) + "(char *)NULL,\n" + P(33) +
             "(char *)NULL,\n" + P(33) + "Choice_RADIO_D1_CB);\n\n"},
        // A toggle gets half its height more above and below, and three
        // times its height more width: y 100 - 50, w 914 + 300, h 100 + 100.
        {{"~7 Check", "", TextBox_None},
         "  Check_TOG_D1 = QorGUIToggleAdd(Dialog1Manager,\n" + P(31) + "200,\n" + P(31) + "50,\n" +
             P(31) + "1214,\n" + P(31) + "200,\n" + P(31) + "\"Check\",\n" + P(31) +
             "Check_TOG_D1_CB);\n\n"},
        // Labels have no width or height; one without letters has no variable.
        {{"Hello there", "", TextBox_None},
         "  Hellothere_LBL_D1 = QorGUILabelAdd(Dialog1Manager,\n" + P(35) + "200,\n" + P(35) +
             "100,\n" + P(20) + "\"Hello there\");\n\n"},
        {{"12 %", "", TextBox_None},
         "  QorGUILabelAdd(Dialog1Manager,\n" + P(13) + "200,\n" + P(13) + "100,\n" + P(20) +
             "\"12 %\");\n\n"},
    };
    for (Case c : cases) {
        AddFrameAt("ID=1");
        c.text.x = 14; // 200 units
        c.text.y = 16; // 100 units
        AddPixelText(c.text);
        EXPECT_EQ(Controls(LanguageC).builder, c.expected) << c.text.string;
    }
}

TEST_F(TemplateTest, StatementsOfGroupFramesSeparatorsAndBitmapsInC) {
    AddFrameAt("ID=1");
    AddPixelRectangle(14, 16, 70, 32, "Options");
    AddPixelLine(14, 16, 84, 16);
    AddPixelLine(14, 48, 14, 16);
    AddPixelLine(14, 16, 84, 48); // a diagonal line is no control
    // The upward line: trunc(16 - 48 + 0.499) = -31, turned around from
    // y 48 to y 17 (106 units), 31 pixels (193 units) long.
    EXPECT_EQ(Controls(LanguageC).builder,
              "  QorGUIFrameAdd(Dialog1Manager,\n" + P(13) + "200,\n" + P(13) + "100,\n" + P(13) +
                  "1000,\n" + P(13) + "200,\n" + P(20) + "\"Options\");\n\n" +
                  "  QorGUIHorzSeparatorAdd(Dialog1Manager,\n" + P(21) + "200,\n" + P(21) +
                  "100,\n" + P(21) + "1000);\n" + "  QorGUIVertSeparatorAdd(Dialog1Manager,\n" +
                  P(21) + "200,\n" + P(21) + "106,\n" + P(21) + "193);\n");

    const std::string bmp = dir + "pic.bmp";
    WriteBmp(bmp, 3, 3, std::vector<unsigned char>(27, 128));
    AddFrameAt("ID=1");
    AddPixelImage(bmp, 14, 37, 21, "VarName=Pic TransparentColor=FF00FF ToolTip=\"Picture\"");
    HostString name = CurrentFrameName();
    const ContainerInfo c = ReadContainer(name.get());
    MemoryFiles out;
    BuildState.Language = LanguageC;
    const Geom_ID geom = QorUtilGeomGetBase();
    EmitControls(c, {{geom, "Pic_BB_D1"}}, out.files(), LanguageC);
    const MemoryFiles::Texts texts = out.Finish();
    // 21 pixels square: 300 x 131 units.
    EXPECT_EQ(texts.builder, "  Pic_BB_D1 = QorGUIBitmapButtonAdd(Dialog1Manager,\n" + P(34) +
                                 "200,\n" + P(34) + "100,\n" + P(34) + "300,\n" + P(34) + "131,\n" +
                                 P(30) + "3,\n" + P(30) + "3,\n" + P(30) + "Pic_BB_D1_BD,\n" +
                                 P(30) + "1,\n" + P(30) + "255,\n" + P(30) + "0,\n" + P(30) +
                                 "255,\n" + P(30) + "Pic_BB_D1_CB);\n\n" +
                                 "  QorGUISetToolTip(Pic_BB_D1,\"Picture\");\n");
    EXPECT_EQ(texts.callback, "\n\n/**\n */\nstatic void Pic_BB_D1_CB(void)\n{\n"
                              "  QorUtilLockStart(AddOnID);\n"
                              "  TRACE(\"Pic_BB_D1 Bitmap Button pushed\\n\");\n"
                              "  QorUtilLockFinish(AddOnID);\n}\n");
}

TEST_F(TemplateTest, StatementsInFortran) {
    AddFrameAt("ID=4");
    AddPixelText({"~7 Alpha\n~7 Beta", "VarName=Choice ToolTip=\"It's\"", TextBox_Hollow, 14, 16});
    AddPixelText({"12 %", "", TextBox_None, 14, 16});
    AddPixelText({"OPT:Mode", "", TextBox_Filled, 14, 16});
    const MemoryFiles::Texts out = Controls(LanguageFORTRAN);
    EXPECT_EQ(out.builder, "      Choice_RADIO_D4 = QorGUIRadioBoxAdd(Dialog4Manager,\n"
                           "     &200,\n     &100,\n     &914,\n     &200,\n"
                           "     &'Alpha'//char(0),\n     &'Beta'//char(0),\n"
                           "     &''//char(0),\n     &''//char(0),\n     &''//char(0),\n"
                           "     &Choice_RADIO_D4_CB)\n\n"
                           "      CALL QorGUISetToolTip(Choice_RADIO_D4,\n"
                           "     &'It''s'\n     &//char(0))\n"
                           "      III = QorGUILabelAdd(Dialog4Manager,\n"
                           "     &200,\n     &100,\n     &'12 %'//char(0))\n\n"
                           "      Mode_OPT_D4 = QorGUIOptionMenuAdd(Dialog4Manager,\n"
                           "     &200,\n     &100,\n     &914,\n     &100,\n"
                           "     &Mode_OPT_D4_List,\n     &Mode_OPT_D4_CB)\n\n");
    EXPECT_EQ(out.definitionsHeader, "      INTEGER*4 Choice_RADIO_D4\n"
                                     "      COMMON /Choice_RADIO_D4_C/ Choice_RADIO_D4\n"
                                     "      INTEGER*4 Mode_OPT_D4\n"
                                     "      COMMON /Mode_OPT_D4_C/ Mode_OPT_D4\n"
                                     "      CHARACTER*512 Mode_OPT_D4_List\n"
                                     "      COMMON /Mode_OPT_D4_LC/ Mode_OPT_D4_List\n");
    ASSERT_EQ(QorUtilStringListGetCount(BuildNameList), 1);
    HostString listed(QorUtilStringListGetString(BuildNameList, 1));
    EXPECT_STREQ(listed.get(), "Mode_OPT_D4");
}

// 3.5 x 2 inches: 336 x 192 pixels, 4800 x 1200 units.
TEST_F(TemplateTest, ModalAndModelessCreationStatementsInC) {
    AddFrameAt("ID=1 TITLE=\"Main\" MODE=MODAL");
    EXPECT_EQ(Container(LanguageC).builder,
              "\n/**\n */\nvoid BuildDialog1(GUIInt_t  ParentDialog)\n{\n"
              "  if (Dialog1Manager != BADDIALOGID)\n    return;\n\n"
              "  Dialog1Manager = QorGUIDialogCreateModal(ParentDialog,\n" +
                  P(42) + "4800,\n" + P(42) + "1200,\n" + P(42) + "\"Main\",\n" + P(42) +
                  "Dialog1Init_CB,\n" + P(42) + "Dialog1OkButton_CB,\n" + P(42) + "NULL,\n" +
                  P(42) + "Dialog1CancelButton_CB,\n" + P(42) + "Dialog1HelpButton_CB);\n}\n");

    AddFrameAt("ID=2 TITLE=\"Tools \\\"A\\\"\" MODE=MODELESS HELPBUTTON=F APPLYBUTTON=T");
    const MemoryFiles::Texts modeless = Container(LanguageC);
    EXPECT_EQ(modeless.builder, "\n/**\n */\nvoid BuildDialog2(GUIInt_t  ParentDialog)\n{\n"
                                "  if (Dialog2Manager != BADDIALOGID)\n    return;\n\n"
                                "  Dialog2Manager = QorGUIDialogCreateModeless(ParentDialog,\n" +
                                    P(45) + "4800,\n" + P(45) + "1200,\n" + P(45) +
                                    "\"Tools \\\"A\\\"\",\n" + P(45) + "Dialog2Init_CB,\n" + P(45) +
                                    "Dialog2CloseButton_CB,\n" + P(45) + "NULL);\n}\n");
    EXPECT_EQ(modeless.definitionsHeader, "extern GUIInt_t Dialog2Manager;\n"
                                          "extern void BuildDialog2(GUIInt_t  ParentDialog);\n\n");
    EXPECT_EQ(modeless.definitionsSource, "GUIInt_t Dialog2Manager = BADDIALOGID;\n");
    // A modeless dialog ignores APPLYBUTTON: close and init stubs only.
    EXPECT_EQ(modeless.callback,
              "\n\n/**\n */\nstatic void Dialog2CloseButton_CB(void)\n{\n"
              "  QorUtilLockStart(AddOnID);\n  QorGUIDialogDrop(Dialog2Manager);\n"
              "  QorUtilLockFinish(AddOnID);\n}\n"
              "\n\n/**\n */\nstatic void Dialog2Init_CB(void)\n{\n"
              "  QorUtilLockStart(AddOnID);\n/* <<< Add init code (if necessary) here>>> */\n"
              "  QorUtilLockFinish(AddOnID);\n}\n");
}

TEST_F(TemplateTest, ModalCreationStatementInFortran) {
    AddFrameAt("ID=1 TITLE=\"Main\" CANCELBUTTON=F");
    const MemoryFiles::Texts out = Container(LanguageFORTRAN);
    EXPECT_EQ(out.builder, "      SUBROUTINE BuildDialog1(Parent)\n"
                           "      INCLUDE 'ADDGLBL.INC'\n"
                           "      INTEGER*4    Parent\n"
                           "      INCLUDE 'FGLUE.INC'\n"
                           "      INCLUDE 'GUICB.INC'\n"
                           "      INCLUDE 'GUIDEFS.INC'\n"
                           "      POINTER (NULLPTRHANDLE,NULLPTRVAR)\n"
                           "      INTEGER*4 NULLPTRVAR\n"
                           "      INTEGER*4 III\n\n"
                           "      NULLPTRHANDLE = 0\n"
                           "      if (Dialog1Manager.ne.BADDIALOGID) Return\n\n"
                           "      Dialog1Manager = QorGUIDialogCreateModal(Parent,\n"
                           "     &4800,\n     &1200,\n     &'Main'//char(0),\n"
                           "     &Dialog1Init_CB,\n     &Dialog1OkButton_CB,\n"
                           "     &NULLPTRVAR,\n     &NULLPTRVAR,\n"
                           "     &Dialog1HelpButton_CB)\n\n"
                           "      RETURN\n      END\n\n");
    EXPECT_EQ(out.definitionsHeader,
              "      INTEGER*4 Dialog1Manager\n      COMMON /Dialog1Manager_C/ Dialog1Manager\n");
}

// 2 x 4 inches: 192 x 384 pixels, 2742 x 2400 units.
TEST_F(TemplateTest, SidebarInCAndFortran) {
    AddFrameAt("ID=3 TITLE=\"Side */ bar\" SIDEBAR=T", 2, 4);
    const MemoryFiles::Texts c = Container(LanguageC);
    EXPECT_EQ(c.builder, "\n/**\n */\nvoid BuildSidebar3(void)\n{\n"
                         "  if (Sidebar3Manager != BADDIALOGID)\n    return;\n\n"
                         "  Sidebar3Manager = QorGUISidebarRegister(\"Side */ bar\",\n" +
                             P(38) + "AddOnID,\n" + P(38) + "2742,\n" + P(38) + "2400,\n" + P(38) +
                             "Sidebar3Activate_CB,\n" + P(38) + "Sidebar3Deactivate_CB);\n}\n");
    EXPECT_EQ(c.definitionsHeader,
              "extern GUIInt_t Sidebar3Manager;\nextern void BuildSidebar3(void);\n");
    // Neither stub takes the lock; the title is made harmless in the comment.
    EXPECT_EQ(c.callback,
              "\n\n/**\n */\nstatic void Sidebar3Activate_CB(void)\n{\n"
              "/*  <<< This function is called when sidebar \"Side * / bar\" is activated >>> */\n"
              "}\n"
              "\n\n/**\n */\nstatic void Sidebar3Deactivate_CB(void)\n{\n"
              "/*   <<< This function is called when sidebar \"Side * / bar\" is deactivated >>> "
              "*/\n}\n");

    const MemoryFiles::Texts f = Container(LanguageFORTRAN);
    EXPECT_EQ(f.builder, "      SUBROUTINE BuildSidebar3()\n"
                         "      INCLUDE 'ADDGLBL.INC'\n"
                         "      INTEGER*4    Parent\n"
                         "      INCLUDE 'FGLUE.INC'\n"
                         "      INCLUDE 'GUICB.INC'\n"
                         "      INCLUDE 'GUIDEFS.INC'\n"
                         "      POINTER (NULLPTRHANDLE,NULLPTRVAR)\n"
                         "      INTEGER*4 NULLPTRVAR\n"
                         "      INTEGER*4 III\n\n"
                         "      NULLPTRHANDLE = 0\n"
                         "      if (Sidebar3Manager.ne.BADDIALOGID) Return\n\n"
                         "      Sidebar3Manager = \n     & QorGUISidebarRegister(\n"
                         "     &'Side */ bar'//char(0),\n     &   AddOnID,\n     &   2742,\n"
                         "     &   2400,\n     &   Sidebar3Activate_CB,\n"
                         "     &   Sidebar3Deactivate_CB)\n"
                         "      RETURN\n      END\n\n");
}

TEST_F(TemplateTest, StubsOfADefaultModalDialogInTheirOrder) {
    AddFrameAt("ID=1 TITLE=\"Main\"");
    const std::string head = "\n\n/**\n */\nstatic void ";
    const std::string lockComment =
        "/* Modal Dialogs must call QorUtilLockStart prior to coming */\n"
        "/* up and then call QorUtilLockFinish when the Ok or Cancel */\n";
    const std::string finishOnly =
        "/* button is pressed.  Only QorUtilLockFinish is supplied here. */\n";
    EXPECT_EQ(Container(LanguageC).callback,
              head + "Dialog1HelpButton_CB(void)\n{\n  QorUtilLockStart(AddOnID);\n" +
                  "  QorUtilDialogMessageBox(\"On-line Help not available for this dialog.\",\n" +
                  P(26) + "MessageBox_Information);\n  QorUtilLockFinish(AddOnID);\n}\n" + head +
                  "Dialog1CancelButton_CB(void)\n{\n  QorGUIDialogDrop(Dialog1Manager);\n" +
                  lockComment + finishOnly + "  QorUtilLockFinish(AddOnID);\n}\n" + head +
                  "Dialog1OkButton_CB(void)\n{\n  QorGUIDialogDrop(Dialog1Manager);\n" +
                  lockComment + finishOnly + "  QorUtilLockFinish(AddOnID);\n}\n" + head +
                  "Dialog1Init_CB(void)\n{\n" + lockComment + "/* button is pressed. */\n" +
                  "  QorUtilLockStart(AddOnID);\n/* <<< Add init code (if necessary) here>>> */\n" +
                  "}\n");

    const MemoryFiles::Texts f = Container(LanguageFORTRAN);
    const std::string fhead = "\n\n      SUBROUTINE ";
    const std::string fbody = "      INCLUDE 'ADDGLBL.INC'\n";
    const std::string includes = "      INCLUDE 'FGLUE.INC'\n      INCLUDE 'GUIDEFS.INC'\n";
    const std::string flock = "C... Modal Dialogs must call QorUtilLockStart prior to coming\n"
                              "C... up and then call QorUtilLockFinish when the Ok or Cancel\n";
    const auto stubHead = [&](const std::string &name) {
        return fhead + name + "_CB()\n" + fbody + "      !DEC$ attributes C::" + name + "_CB\n" +
               "      INTEGER*4 I,ILEN\n\n" + includes;
    };
    const std::string end = "      RETURN\n      END\n\n";
    EXPECT_EQ(f.callback,
              stubHead("Dialog1HelpButton") + "      Call QorUtilLockStart(AddOnID)\n" +
                  "      I = QorUtilDialogMessageBox(\n" +
                  "     & 'On-line Help not available for this dialog.'//char(0),\n" +
                  "     & MessageBox_Information)\n" + "      Call QorUtilLockFinish(AddOnID)\n" +
                  end + stubHead("Dialog1CancelButton") +
                  "      CALL QorGUIDialogDrop(Dialog1Manager)\n" + flock +
                  "C... button is pressed.  Only QorUtilLockFinish is supplied here.\n" +
                  "      Call QorUtilLockFinish(AddOnID)\n" + end + stubHead("Dialog1OkButton") +
                  "      CALL QorGUIDialogDrop(Dialog1Manager)\n" + flock +
                  "C... button is pressed.  Only QorUtilLockFinish is supplied here.\n" +
                  "      Call QorUtilLockFinish(AddOnID)\n" + end + stubHead("Dialog1Init") +
                  flock + "C... button is pressed.\n" + "        Call QorUtilLockStart(AddOnID)\n" +
                  "C... <<< Add init code (if necessary) here>>>\n" + end);
    EXPECT_EQ(
        f.callbackInclude,
        "      EXTERNAL Dialog1HelpButton_CB\n      !DEC$ attributes C::Dialog1HelpButton_CB\n"
        "      EXTERNAL Dialog1CancelButton_CB\n"
        "      !DEC$ attributes C::Dialog1CancelButton_CB\n"
        "      EXTERNAL Dialog1OkButton_CB\n      !DEC$ attributes C::Dialog1OkButton_CB\n"
        "      EXTERNAL Dialog1Init_CB\n      !DEC$ attributes C::Dialog1Init_CB\n");
}

TEST_F(TemplateTest, ThreeByThreeBitmapInCAndFortran) {
    std::vector<unsigned char> rgb(27);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 9);
    rgb[26] = 255;
    const std::string bmp = dir + "pic.bmp";
    WriteBmp(bmp, 3, 3, rgb);
    AddFrameAt("ID=1");
    AddPixelImage(bmp, 14, 37, 21, "VarName=Pic");
    const std::vector<ImageName> images = {{QorUtilGeomGetBase(), "Pic_BB_D1"}};

    BuildState.Language = LanguageC;
    MemoryFiles c;
    WriteBitmapData(LanguageC, images, c.files().builder);
    // Nine values a line; the line break also follows the last value.
    EXPECT_EQ(c.Finish().builder,
              "\n\nstatic const char Pic_BB_D1_BD[27] =\n{\n"
              "  '\\x0','\\x9','\\x12','\\x1b','\\x24','\\x2d','\\x36','\\x3f','\\x48',\n"
              "  '\\x51','\\x5a','\\x63','\\x6c','\\x75','\\x7e','\\x87','\\x90','\\x99',\n"
              "  '\\xa2','\\xab','\\xb4','\\xbd','\\xc6','\\xcf','\\xd8','\\xe1','\\xff'\n"
              "  \n};\n");

    BuildState.Language = LanguageFORTRAN;
    MemoryFiles f;
    WriteBitmapData(LanguageFORTRAN, images, f.files().builder);
    std::string expected = "\n      character Pic_BB_D1_BD(27)\n";
    const char *values[] = {"0",   "9",   "18",  "27",  "36",  "45",  "54",  "63",  "72",
                            "81",  "90",  "99",  "108", "117", "126", "135", "144", "153",
                            "162", "171", "180", "189", "198", "207", "216", "225", "255"};
    for (int i = 1; i <= 27; ++i)
        expected += "      DATA(Pic_BB_D1_BD(III),III=" + std::to_string(i) + "," +
                    std::to_string(i) + ") /" + values[i - 1] + "/\n";
    EXPECT_EQ(f.Finish().builder, expected);
}

TEST_F(TemplateTest, InitDlbInCAndFortran) {
    AddFrameAt("ID=5 SIDEBAR=T");
    AddFrameAt("TABPAGE=T ID=2", 3.5, 2, true, 7);
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 4);
    AddFrameAt("ID=3 MODE=MODELESS");
    QorUtilStringListAppendString(BuildNameList, "Mode_OPT_D3");

    BuildState.Language = LanguageC;
    MemoryFiles c;
    WriteInitDlb(c.files().builder, LanguageC);
    EXPECT_EQ(c.Finish().builder,
              "\n\n/**\n */\nvoid InitDLB(void)\n{\n/* Currently not used */\n}\n");

    BuildState.Language = LanguageFORTRAN;
    const UniqueID_t current = host().currentFrame()->uniqueId;
    MemoryFiles f;
    WriteInitDlb(f.files().builder, LanguageFORTRAN);
    // From the current frame on in the host's frame order.
    EXPECT_EQ(f.Finish().builder,
              "      Subroutine InitDLB()\n      INCLUDE 'ADDGLBL.INC'\n"
              "      INCLUDE 'FGLUE.INC'\n      INCLUDE 'GUIDEFS.INC'\n"
              "      Dialog3Manager = BADDIALOGID\n      Sidebar5Manager = BADDIALOGID\n"
              "      Tab2_7Manager = BADDIALOGID\n      Form1_4Manager = BADDIALOGID\n"
              "C... Def value for Mode_OPT_D3_List.  Do not set here.  Set at end of "
              "InitQorAddOn\n"
              "      Mode_OPT_D3_List = \n     &'Option 1,Option 2,Option 3'//char(0)\n"
              "      Return\n      End\n");
    EXPECT_EQ(host().currentFrame()->uniqueId, current);
    EXPECT_TRUE(host().drawingOn());
}

TEST_F(TemplateTest, FileHeaders) {
    BuildState.Language = LanguageC;
    MemoryFiles c;
    WriteFileHeader(c.files().builder, LanguageC);
    const std::string stars(51, '*');
    const std::string inner(49, ' ');
    EXPECT_EQ(c.Finish().builder, "/" + stars + "\n *" + inner + "*\n" +
                                      " *  NOTE!  This file is automatically generated by *\n" +
                                      " *         the Quorvin GUI Builder.  It is highly  *\n" +
                                      " *         recommended that you never edit this    *\n" +
                                      " *         file directly!                          *\n" +
                                      " *" + inner + "*\n " + stars + "/\n\n\n");
    BuildState.Language = LanguageFORTRAN;
    MemoryFiles f;
    WriteFileHeader(f.files().builder, LanguageFORTRAN);
    const std::vector<std::string> lines = Lines(f.Finish().builder);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "C   " + stars);
    EXPECT_EQ(lines[1], "C   *" + inner + "*");
    EXPECT_EQ(lines[7], "C   " + stars);
    EXPECT_EQ(lines[8], "");
}

} // namespace
} // namespace qgbtest
