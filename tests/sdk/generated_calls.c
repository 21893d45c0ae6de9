/*
 * An add-on written the way the builder's classic C and C++ output is: the
 * callback stubs of each signature, the builder functions and the
 * definitions, with one call of every GUI function in each form its templates
 * write (argument types, casts and NULLs as generated; one argument a line is
 * not kept). Compiled as C99 here and as C++17 through
 * generated_calls_cpp.cpp; the test runs both against the reference host.
 */
/* clang-format off */
#include "QORADDON.h"
#include "generated_calls.h"

/* What the generated add-on's own "ADDGLBL.h" supplies. */
#define TRACE(s)
#define TRACE1(s, a) ((void)(a))

#ifdef __cplusplus
#define GENERATED_ENTRY GeneratedAddOnCpp
#define LANGUAGE_LABEL "Generated C++"
/* Both builds link into one test program: the C++ one renames its global. */
#define Choice_OPT_D1_List Choice_OPT_D1_List_Cpp
#else
#define GENERATED_ENTRY GeneratedAddOnC
#define LANGUAGE_LABEL "Generated C"
#endif

static AddOn_pa AddOnID;

/* ---- definitions ("guidefs.c") */
static GUIInt_t Dialog1Manager = BADDIALOGID;
static GUIInt_t Dialog2Manager = BADDIALOGID;
static GUIInt_t Sidebar1Manager = BADDIALOGID;
static GUIInt_t Form1_2Manager = BADDIALOGID;
static GUIInt_t Tab1_3Manager = BADDIALOGID;
static GUIInt_t Name_TF_D1 = BADDIALOGID;
static GUIInt_t Pages_FM_D1 = BADDIALOGID;
static GUIInt_t Tabs_TB_D1 = BADDIALOGID;
static GUIInt_t Level_SC_D1 = BADDIALOGID;
static GUIInt_t Colour_BTN_D1 = BADDIALOGID;
/* Controls that nothing else refers to. */
static GUIInt_t Notes_T_D1 = BADDIALOGID, Log_T_D1 = BADDIALOGID, Items_SLST_D1 = BADDIALOGID,
                Count_TFS_D1 = BADDIALOGID, Choice_OPT_D1 = BADDIALOGID, Go_BTN_D1 = BADDIALOGID,
                Mode_RADIO_D1 = BADDIALOGID, Toggle_TOG_D1 = BADDIALOGID,
                Name_LBL_D1 = BADDIALOGID, BB2_BB_D1 = BADDIALOGID, BB3_BB_D1 = BADDIALOGID;

/* ---- callback stubs ("guicb.tmp"): the dialog buttons, then one stub of
   each control signature, shared by the controls of that signature */

static void DialogHelpButton_CB(void) {
  QorUtilLockStart(AddOnID);
  QorUtilDialogMessageBox("On-line Help not available for this dialog.",
                          MessageBox_Information);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1CancelButton_CB(void) {
  QorGUIDialogDrop(Dialog1Manager);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1OkButton_CB(void) {
  QorGUIDialogDrop(Dialog1Manager);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1ApplyButton_CB(void) {
  QorUtilLockStart(AddOnID);
  QorGUIDialogApplySetSensitivity(Dialog1Manager, FALSE);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1Init_CB(void) {
  /* Modal Dialogs must call QorUtilLockStart prior to coming */
  /* up and then call QorUtilLockFinish when the Ok or Cancel */
  /* button is pressed. */
  QorUtilLockStart(AddOnID);
}

static void Dialog2CloseButton_CB(void) {
  QorUtilLockStart(AddOnID);
  QorGUIDialogDrop(Dialog2Manager);
  QorUtilLockFinish(AddOnID);
}

static void Dialog2Init_CB(void) {
  QorUtilLockStart(AddOnID);
  QorUtilLockFinish(AddOnID);
}

static void Sidebar1Activate_CB(void) {}
static void Sidebar1Deactivate_CB(void) {}

static GUIInt_t  Text_CB(const char *S) {
  GUIInt_t IsOk = 1;
  QorUtilLockStart(AddOnID);
  TRACE1("Text field Value Changed,  New value is: %s\n",S);
  QorUtilLockFinish(AddOnID);
  return (IsOk);
}

static void Value_CB(const GUIInt_t *I) {
  QorUtilLockStart(AddOnID);
  TRACE1("Value Changed,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static void Button_CB(void) {
  QorUtilLockStart(AddOnID);
  TRACE("Push Button Button Pushed\n");
  QorUtilLockFinish(AddOnID);
}

char *Choice_OPT_D1_List = "Option 1,Option 2,Option 3";

static void Colour_BTN_D1_CB(void) {
  ColorIndex_t Color = 0;
  QorUtilLockStart(AddOnID);
  if ( QorUtilDialogGetColor(FALSE, &Color) )
    QorGUIColoredButtonSetColor(Colour_BTN_D1, Color);
  QorUtilLockFinish(AddOnID);
}

/* ---- builder functions ("guibld.c") */

static const char BB2_BB_D1_BD[12] =
{ '\x0','\xff','\x7f','\x80','\x1','\x2','\x3','\x4','\xfe','\x10','\x20','\x30' };
static const char BB3_BB_D1_BD[3] = { '\xff','\x0','\x0' };

static void BuildForm1_2(GUIInt_t  Parent) {
  if (Form1_2Manager != BADDIALOGID)
    return;
  Form1_2Manager = QorGUIFormAddPage(Parent);
}

static void BuildTab1_3(GUIInt_t  Parent) {
  if (Tab1_3Manager != BADDIALOGID)
    return;
  Tab1_3Manager = QorGUITabAddPage(Parent, "Page 1");
}

static void BuildDialog1(GUIInt_t  ParentDialog) {
  if (Dialog1Manager != BADDIALOGID)
    return;

  Dialog1Manager = QorGUIDialogCreateModal(ParentDialog, 5000, 4000, "Sample Settings",
                                           Dialog1Init_CB, Dialog1OkButton_CB,
                                           Dialog1ApplyButton_CB, Dialog1CancelButton_CB,
                                           DialogHelpButton_CB);
  Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager, 142, 31, 1714, 125, Text_CB);
  QorGUISetToolTip(Name_TF_D1,"Your \"name\"");
  Notes_T_D1 = QorGUITextAdd(Dialog1Manager, 100, 300, 1500, 400, 0, Text_CB);
  Log_T_D1 = QorGUITextAdd(Dialog1Manager, 1700, 300, 1500, 400, 1, NULL);
  Items_SLST_D1 = QorGUIListAdd(Dialog1Manager, 100, 800, 1400, 600, 0, Value_CB);
  Count_TFS_D1 = QorGUISpinTextFieldAdd(Dialog1Manager, 142, 200, 900, 125,
                                        Text_CB, Button_CB, Button_CB);
  Pages_FM_D1 = QorGUIFormAdd(Dialog1Manager, 3300, 100, 1500, 1000);
  BuildForm1_2(Pages_FM_D1);
  Tabs_TB_D1 = QorGUITabAdd(Dialog1Manager, 3300, 1200, 1500, 1000, Value_CB, Value_CB);
  BuildTab1_3(Tabs_TB_D1);
  Level_SC_D1 = QorGUIScaleAdd(Dialog1Manager, 100, 1500, 1400, 125, 0, 100, 0,
                               Value_CB, Value_CB);

  QorGUIScaleShowNumericDisplay(Level_SC_D1,FALSE);

  Choice_OPT_D1 = QorGUIOptionMenuAdd(Dialog1Manager, 1700, 1500, 1400, 125,
                                      Choice_OPT_D1_List, Value_CB);
  Go_BTN_D1 = QorGUIButtonAdd(Dialog1Manager, 100, 1800, 1000, 150, "Push Button", Button_CB);
  Colour_BTN_D1 = QorGUIColoredButtonAdd(Dialog1Manager, 1200, 1800, 1000, 150, "Colour", 3,
                                         Colour_BTN_D1_CB);
  Mode_RADIO_D1 = QorGUIRadioBoxAdd(Dialog1Manager, 100, 2100, 1000, 400,
                                    "Radio1", "Radio2", (char *)NULL, (char *)NULL, (char *)NULL,
                                    Value_CB);
  Toggle_TOG_D1 = QorGUIToggleAdd(Dialog1Manager, 1200, 2050, 1100, 200, "Toggle", Value_CB);
  Name_LBL_D1 = QorGUILabelAdd(Dialog1Manager, 100, 2600, "Name:");
  QorGUILabelAdd(Dialog1Manager, 100, 2800, "Unnamed");
  BB2_BB_D1 = QorGUIBitmapButtonAdd(Dialog1Manager, 2400, 2600, 300, 300, 2, 2, BB2_BB_D1_BD,
                                    1, 255, 0, 0, Button_CB);
  BB3_BB_D1 = QorGUIBitmapToggleAdd(Dialog1Manager, 2800, 2600, 300, 300, 1, 1, BB3_BB_D1_BD,
                                    0, 0, 0, 0, Value_CB);
  QorGUIFrameAdd(Dialog1Manager, 3200, 2400, 1500, 1000, "Options");
  QorGUIHorzSeparatorAdd(Dialog1Manager, 100, 3500, 4800);
  QorGUIVertSeparatorAdd(Dialog1Manager, 3150, 100, 3300);
}

static void BuildDialog2(GUIInt_t  ParentDialog) {
  if (Dialog2Manager != BADDIALOGID)
    return;
  Dialog2Manager = QorGUIDialogCreateModeless(ParentDialog, 3000, 2000, "Find",
                                              Dialog2Init_CB, Dialog2CloseButton_CB,
                                              DialogHelpButton_CB);
}

static void BuildSidebar1(void) {
  if (Sidebar1Manager != BADDIALOGID)
    return;
  Sidebar1Manager = QorGUISidebarRegister("Tools", AddOnID, 2000, 6000,
                                          Sidebar1Activate_CB, Sidebar1Deactivate_CB);
}

/* ---- the generated add-on's own start-up */

static void ShowDialogs(void) {
  QorUtilLockStart(AddOnID);
  BuildDialog1(BADDIALOGID);
  BuildDialog2(BADDIALOGID);
  BuildSidebar1();
  QorGUIDialogLaunch(Dialog2Manager);
  QorGUISidebarActivate(Sidebar1Manager);
  QorGUIDialogLaunch(Dialog1Manager);
  QorUtilLockFinish(AddOnID);
}

static void InitGeneratedAddOn(void) {
  QorUtilLockOn();
  AddOnID = QorUtilAddOnRegister(100, LANGUAGE_LABEL, "1.0", "Test");
  QorUtilMenuAddOption("Tools", LANGUAGE_LABEL, 'G', ShowDialogs);
  QorUtilLockOff();
}

GeneratedAddOn GENERATED_ENTRY(void) {
  GeneratedAddOn addOn;
  addOn.init = InitGeneratedAddOn;
  addOn.dialog1 = &Dialog1Manager;
  addOn.dialog2 = &Dialog2Manager;
  addOn.sidebar1 = &Sidebar1Manager;
  addOn.colourButton = &Colour_BTN_D1;
  addOn.formPage = &Form1_2Manager;
  return addOn;
}
