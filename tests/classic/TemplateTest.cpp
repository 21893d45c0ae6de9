// Exact-template checks: small designs whose generated text was worked out by
// hand from the templates (blank counts, dialog units with the cell 7 x 16).
#include "ClassicSupport.h"

#include "classic/BuildState.h"
#include "classic/Generator.h"
#include "model/HostResources.h"
#include "model/Validation.h"
#include "model/Settings.h"

#include <gtest/gtest.h>

namespace qgbtest {
namespace {

using namespace quorvin::builder;

std::string P(int blanks) {
    return std::string(static_cast<size_t>(blanks), ' ');
}

// C arguments, one a line after the blanks, each followed by a comma.
std::string Args(int blanks, std::initializer_list<const char *> args) {
    std::string text;
    for (const char *arg : args)
        text += P(blanks) + arg + ",\n";
    return text;
}

// FORTRAN arguments, one a continuation line each, followed by a comma.
std::string FArgs(std::initializer_list<const char *> args) {
    std::string text;
    for (const char *arg : args)
        text += std::string("     &") + arg + ",\n";
    return text;
}

// The head of every FORTRAN builder subroutine up to its guard.
std::string FortranBuilderHead(const std::string &subroutine, const std::string &manager) {
    return "      SUBROUTINE " + subroutine +
           "\n      INCLUDE 'ADDGLBL.INC'\n      INTEGER*4    Parent\n"
           "      INCLUDE 'FGLUE.INC'\n      INCLUDE 'GUICB.INC'\n      INCLUDE 'GUIDEFS.INC'\n"
           "      POINTER (NULLPTRHANDLE,NULLPTRVAR)\n      INTEGER*4 NULLPTRVAR\n"
           "      INTEGER*4 III\n\n      NULLPTRHANDLE = 0\n      if (" +
           manager + ".ne.BADDIALOGID) Return\n\n";
}

class TemplateTest : public ClassicFixture {
  protected:
    void SetUp() override {
        ClassicFixture::SetUp();
        SetCharacterCell(7, 16);
    }

    // The control statements of the current frame alone.
    MemoryFiles::Texts Controls(int32_t language, const std::vector<ImageName> &images = {}) {
        BuildState.Language = language;
        HostString name = CurrentFrameName();
        MemoryFiles out;
        EmitControls(ReadContainer(name.get()), images, out.files(), language);
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
    EXPECT_EQ(out.builder, "  Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,\n" +
                               Args(32, {"142", "31", "1714", "125"}) + P(23) +
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
    EXPECT_EQ(out.builder, "      Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,\n" +
                               FArgs({"142", "31", "1714", "125"}) + "     &Name_TF_D1_CB)\n\n");
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

TEST_F(TemplateTest, StatementOfTextControlsInC) {
    struct Case {
        PixelText text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // The name comes from the label, or from the whole command when it
        // has no VarName; UNITWIDTH replaces the width (7 glyphs: 800).
        {{"TF:Name", ""},
         "  Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,\n" +
             Args(32, {"200", "100", "800", "100"}) + P(23) + "Name_TF_D1_CB);\n\n"},
        {{"TF:Name", "UNITWIDTH=500"},
         "  UNITWIDTH500_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,\n" +
             Args(40, {"200", "100", "500", "100"}) + P(23) + "UNITWIDTH500_TF_D1_CB);\n\n"},
        {{"Press", "VarName=Press ToolTip=\"Press me\""},
         "  Press_BTN_D1 = QorGUIButtonAdd(Dialog1Manager,\n" +
             Args(31, {"200", "100", "571", "100"}) + Args(20, {"\"Press\""}) + P(20) +
             "Press_BTN_D1_CB);\n\n" + "  QorGUISetToolTip(Press_BTN_D1,\"Press me\");\n"},
        // A toggle gets half its height more above and below, and three
        // times its height more width: y 100 - 50, w 914 + 300, h 100 + 100.
        {{"~7 Check", "", TextBox_None},
         "  Check_TOG_D1 = QorGUIToggleAdd(Dialog1Manager,\n" +
             Args(31, {"200", "50", "1214", "200", "\"Check\""}) + P(31) + "Check_TOG_D1_CB);\n\n"},
        // Labels have no width or height; one without letters has no variable.
        {{"Hello there", "", TextBox_None},
         "  Hellothere_LBL_D1 = QorGUILabelAdd(Dialog1Manager,\n" + Args(35, {"200", "100"}) +
             P(20) + "\"Hello there\");\n\n"},
        {{"12 %", "", TextBox_None},
         "  QorGUILabelAdd(Dialog1Manager,\n" + Args(13, {"200", "100"}) + P(20) +
             "\"12 %\");\n\n"},
    };
    for (Case c : cases) {
        AddFrameAt("ID=1");
        c.text.x = 14; // 200 units
        c.text.y = 16; // 100 units
        AddPixelText(c.text);
        EXPECT_EQ(Controls(LanguageC).builder, c.expected)
            << c.text.string << " " << c.text.command;
    }
}

TEST_F(TemplateTest, StatementsOfGroupFramesAndSeparatorsInC) {
    AddFrameAt("ID=1");
    AddPixelRectangle(14, 16, 70, 32, "Options");
    AddPixelLine(14, 16, 84, 16);
    AddPixelLine(14, 48, 14, 16);
    AddPixelLine(14, 16, 84, 48); // a diagonal line is no control
    // Neither is a rotated text.
    QorUtilTextSetAngle(AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16}), 90);
    // The upward line: trunc(16 - 48 + 0.499) = -31, turned around from
    // y 48 to y 17 (106 units), 31 pixels (193 units) long.
    EXPECT_EQ(Controls(LanguageC).builder,
              "  QorGUIFrameAdd(Dialog1Manager,\n" + Args(13, {"200", "100", "1000", "200"}) +
                  P(20) + "\"Options\");\n\n" + "  QorGUIHorzSeparatorAdd(Dialog1Manager,\n" +
                  Args(21, {"200", "100"}) + P(21) + "1000);\n" +
                  "  QorGUIVertSeparatorAdd(Dialog1Manager,\n" + Args(21, {"200", "106"}) + P(21) +
                  "193);\n");
}

TEST_F(TemplateTest, StatementsInFortran) {
    AddFrameAt("ID=4");
    AddPixelText({"~7 Alpha\n~7 Beta", "VarName=Choice ToolTip=\"It's\"", TextBox_Hollow, 14, 16});
    AddPixelText({"12 %", "", TextBox_None, 14, 16});
    AddPixelText({"OPT:Mode", "", TextBox_Filled, 14, 16});
    const MemoryFiles::Texts out = Controls(LanguageFORTRAN);
    EXPECT_EQ(out.builder,
              "      Choice_RADIO_D4 = QorGUIRadioBoxAdd(Dialog4Manager,\n" +
                  FArgs({"200", "100", "914", "200", "'Alpha'//char(0)", "'Beta'//char(0)",
                         "''//char(0)", "''//char(0)", "''//char(0)"}) +
                  "     &Choice_RADIO_D4_CB)\n\n"
                  "      CALL QorGUISetToolTip(Choice_RADIO_D4,\n"
                  "     &'It''s'\n     &//char(0))\n"
                  "      III = QorGUILabelAdd(Dialog4Manager,\n" +
                  FArgs({"200", "100"}) + "     &'12 %'//char(0))\n\n" +
                  "      Mode_OPT_D4 = QorGUIOptionMenuAdd(Dialog4Manager,\n" +
                  FArgs({"200", "100", "914", "100", "Mode_OPT_D4_List"}) +
                  "     &Mode_OPT_D4_CB)\n\n");
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
                  Args(42, {"4800", "1200", "\"Main\"", "Dialog1Init_CB", "Dialog1OkButton_CB",
                            "NULL", "Dialog1CancelButton_CB"}) +
                  P(42) + "Dialog1HelpButton_CB);\n}\n");

    AddFrameAt("ID=2 TITLE=\"Tools \\\"A\\\"\" MODE=MODELESS HELPBUTTON=F APPLYBUTTON=T");
    const MemoryFiles::Texts modeless = Container(LanguageC);
    EXPECT_EQ(modeless.builder, "\n/**\n */\nvoid BuildDialog2(GUIInt_t  ParentDialog)\n{\n"
                                "  if (Dialog2Manager != BADDIALOGID)\n    return;\n\n"
                                "  Dialog2Manager = QorGUIDialogCreateModeless(ParentDialog,\n" +
                                    Args(45, {"4800", "1200", "\"Tools \\\"A\\\"\"",
                                              "Dialog2Init_CB", "Dialog2CloseButton_CB"}) +
                                    P(45) + "NULL);\n}\n");
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
    EXPECT_EQ(out.builder, FortranBuilderHead("BuildDialog1(Parent)", "Dialog1Manager") +
                               "      Dialog1Manager = QorGUIDialogCreateModal(Parent,\n" +
                               FArgs({"4800", "1200", "'Main'//char(0)", "Dialog1Init_CB",
                                      "Dialog1OkButton_CB", "NULLPTRVAR", "NULLPTRVAR"}) +
                               "     &Dialog1HelpButton_CB)\n\n      RETURN\n      END\n\n");
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
                             Args(38, {"AddOnID", "2742", "2400", "Sidebar3Activate_CB"}) + P(38) +
                             "Sidebar3Deactivate_CB);\n}\n");
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

    EXPECT_EQ(Container(LanguageFORTRAN).builder,
              FortranBuilderHead("BuildSidebar3()", "Sidebar3Manager") +
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
    // The FORTRAN stubs of the same dialog are in the golden outputs.
}

// A 3 x 3 bitmap 21 pixels square (300 x 131 units): its bitmap button and
// its data in C, and its data in FORTRAN.
TEST_F(TemplateTest, ThreeByThreeBitmapInCAndFortran) {
    std::vector<unsigned char> rgb(27);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 9);
    rgb[26] = 255;
    const std::string bmp = dir + "pic.bmp";
    WriteBmp(bmp, 3, 3, rgb);
    AddFrameAt("ID=1");
    AddPixelImage(bmp, 14, 37, 21, "VarName=Pic TransparentColor=FF00FF ToolTip=\"Picture\"");
    const std::vector<ImageName> images = {{QorUtilGeomGetBase(), "Pic_BB_D1"}};

    const MemoryFiles::Texts button = Controls(LanguageC, images);
    EXPECT_EQ(button.builder, "  Pic_BB_D1 = QorGUIBitmapButtonAdd(Dialog1Manager,\n" +
                                  Args(34, {"200", "100", "300", "131"}) +
                                  Args(30, {"3", "3", "Pic_BB_D1_BD", "1", "255", "0", "255"}) +
                                  P(30) + "Pic_BB_D1_CB);\n\n" +
                                  "  QorGUISetToolTip(Pic_BB_D1,\"Picture\");\n");
    EXPECT_EQ(button.callback, "\n\n/**\n */\nstatic void Pic_BB_D1_CB(void)\n{\n"
                               "  QorUtilLockStart(AddOnID);\n"
                               "  TRACE(\"Pic_BB_D1 Bitmap Button pushed\\n\");\n"
                               "  QorUtilLockFinish(AddOnID);\n}\n");

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

// The FORTRAN InitDLB resets the manager of every frame, from the current
// frame on in the host's frame order, and leaves the current frame as it was.
TEST_F(TemplateTest, FortranInitDlbCoversEveryFrame) {
    AddFrameAt("ID=5 SIDEBAR=T");
    AddFrameAt("TABPAGE=T ID=2", 3.5, 2, true, 7);
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 4);
    AddFrameAt("ID=3 MODE=MODELESS");
    QorUtilStringListAppendString(BuildNameList, "Mode_OPT_D3");
    BuildState.Language = LanguageFORTRAN;
    const UniqueID_t current = host().currentFrame()->uniqueId;
    MemoryFiles f;
    WriteInitDlb(f.files().builder, LanguageFORTRAN);
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

} // namespace
} // namespace qgbtest
