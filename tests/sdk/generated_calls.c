/*
 * An add-on written the way the builder's classic C and C++ output is: the
 * callback stubs, the builder functions with their creation statements and
 * the definitions, with every GUI call made in the form its template writes.
 * Compiled as C99 here and as C++17 through generated_calls_cpp.cpp; the test
 * runs both against the reference host. The layout follows the generated
 * text, so the formatter leaves this file alone.
 */
/* clang-format off */
#include "QORADDON.h"
#include "generated_calls.h"

/* What the generated add-on's own "ADDGLBL.h" supplies. */
#define TRACE(s)
#define TRACE0(s)
#define TRACE1(s, a) ((void)(a))

#ifdef __cplusplus
#define GENERATED_ENTRY GeneratedAddOnCpp
#define LANGUAGE_LABEL "Generated C++"
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
static GUIInt_t Notes_T_D1 = BADDIALOGID;
static GUIInt_t Log_T_D1 = BADDIALOGID;
static GUIInt_t Items_SLST_D1 = BADDIALOGID;
static GUIInt_t Picks_MLST_D1 = BADDIALOGID;
static GUIInt_t Count_TFS_D1 = BADDIALOGID;
static GUIInt_t Pages_FM_D1 = BADDIALOGID;
static GUIInt_t Tabs_TB_D1 = BADDIALOGID;
static GUIInt_t Level_SC_D1 = BADDIALOGID;
static GUIInt_t Choice_OPT_D1 = BADDIALOGID;
static GUIInt_t Go_BTN_D1 = BADDIALOGID;
static GUIInt_t Colour_BTN_D1 = BADDIALOGID;
static GUIInt_t Mode_RADIO_D1 = BADDIALOGID;
static GUIInt_t Toggle_TOG_D1 = BADDIALOGID;
static GUIInt_t Name_LBL_D1 = BADDIALOGID;
static GUIInt_t BB2_BB_D1 = BADDIALOGID;
static GUIInt_t BB3_BB_D1 = BADDIALOGID;
static GUIInt_t Inner_TF_F2_1 = BADDIALOGID;
static GUIInt_t Find_TF_D2 = BADDIALOGID;
static GUIInt_t Run_BTN_S1 = BADDIALOGID;

/* ---- callback stubs ("guicb.tmp") */

static void Dialog1HelpButton_CB(void)
{
  QorUtilLockStart(AddOnID);
  QorUtilDialogMessageBox("On-line Help not available for this dialog.",
                          MessageBox_Information);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1CancelButton_CB(void)
{
  QorGUIDialogDrop(Dialog1Manager);
  /* Modal Dialogs must call QorUtilLockStart prior to coming */
  /* up and then call QorUtilLockFinish when the Ok or Cancel */
  /* button is pressed.  Only QorUtilLockFinish is supplied here. */
  QorUtilLockFinish(AddOnID);
}

static void Dialog1OkButton_CB(void)
{
  QorGUIDialogDrop(Dialog1Manager);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1ApplyButton_CB(void)
{
  QorUtilLockStart(AddOnID);
  QorGUIDialogApplySetSensitivity(Dialog1Manager, FALSE);
  QorUtilLockFinish(AddOnID);
}

static void Dialog1Init_CB(void)
{
  /* Modal Dialogs must call QorUtilLockStart prior to coming */
  /* up and then call QorUtilLockFinish when the Ok or Cancel */
  /* button is pressed. */
  QorUtilLockStart(AddOnID);
  /* <<< Add init code (if necessary) here>>> */
}

static GUIInt_t  Name_TF_D1_CB(const char *S)
{
  GUIInt_t IsOk = 1;
  QorUtilLockStart(AddOnID);
  TRACE1("Text field (Name_TF_D1) Value Changed,  New value is: %s\n",S);
  QorUtilLockFinish(AddOnID);
  return (IsOk);
}

static GUIInt_t  Notes_T_D1_CB(const char *S)
{
  GUIInt_t IsOk = 1;
  QorUtilLockStart(AddOnID);
  TRACE1("Multi-Line Text field (Notes_T_D1) Value Changed,  New value is: %s\n",S);
  QorUtilLockFinish(AddOnID);
  return (IsOk);
}

static void Items_SLST_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("Single selection list (Items_SLST_D1) item selected,  Item is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static GUIInt_t  Count_TFS_D1_ValueChanged_CB(const char *S)
{
  GUIInt_t IsOk = 1;
  QorUtilLockStart(AddOnID);
  TRACE1("Spin Control Text field (Count_TFS_D1) Value Changed,  New value is: %s\n",S);
  QorUtilLockFinish(AddOnID);
  return (IsOk);
}

static void Count_TFS_D1_ButtonUp_CB(void)
{
  QorUtilLockStart(AddOnID);
  TRACE0("Spin control (Count_TFS_D1) up callback called.\n");
  QorUtilLockFinish(AddOnID);
}

static void Count_TFS_D1_ButtonDown_CB(void)
{
  QorUtilLockStart(AddOnID);
  TRACE0("Spin control (Count_TFS_D1) down callback called.\n");
  QorUtilLockFinish(AddOnID);
}

static void Tabs_TBA_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE0("Activate callback for tab (Tabs_TB_D1) called\n");
  (void)I;
  QorUtilLockFinish(AddOnID);
}

static void Tabs_TBD_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE0("Deactivate callback for tab (Tabs_TB_D1) called\n");
  (void)I;
  QorUtilLockFinish(AddOnID);
}

static void Level_SC_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("Scale (Level_SC_D1) Value Changed,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static void Level_SCD_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("Scale (Level_SC_D1) Value Changed on drag,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

#ifdef __cplusplus
/* Both builds link into one test program: the C++ one renames its global. */
#define Choice_OPT_D1_List Choice_OPT_D1_List_Cpp
#endif

char *Choice_OPT_D1_List = "Option 1,Option 2,Option 3";

static void Choice_OPT_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("Option Menu (Choice_OPT_D1) value changed,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static void Go_BTN_D1_CB(void)
{
  QorUtilLockStart(AddOnID);
  TRACE("Push Button Button Pushed\n");
  QorUtilLockFinish(AddOnID);
}

static void Colour_BTN_D1_CB(void)
{
  ColorIndex_t Color = 0;
  QorUtilLockStart(AddOnID);
  if ( QorUtilDialogGetColor(FALSE, &Color) )
    QorGUIColoredButtonSetColor(Colour_BTN_D1, Color);
  QorUtilLockFinish(AddOnID);
}

static void Mode_RADIO_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("RadioBox (Mode_RADIO_D1) Value Changed,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static void Toggle_TOG_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("Toggle (Toggle_TOG_D1) Value Changed,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static void BB2_BB_D1_CB(void)
{
  QorUtilLockStart(AddOnID);
  TRACE("BB2_BB_D1 Bitmap Button pushed\n");
  QorUtilLockFinish(AddOnID);
}

static void BB3_BB_D1_CB(const GUIInt_t *I)
{
  QorUtilLockStart(AddOnID);
  TRACE1("Bitmap Toggle (BB3_BB_D1) Value Changed,  New value is: %d\n",*I);
  QorUtilLockFinish(AddOnID);
}

static GUIInt_t  Inner_TF_F2_1_CB(const char *S)
{
  GUIInt_t IsOk = 1;
  QorUtilLockStart(AddOnID);
  TRACE1("Text field (Inner_TF_F2_1) Value Changed,  New value is: %s\n",S);
  QorUtilLockFinish(AddOnID);
  return (IsOk);
}

static void Dialog2HelpButton_CB(void)
{
  QorUtilLockStart(AddOnID);
  QorUtilDialogMessageBox("On-line Help not available for this dialog.",
                          MessageBox_Information);
  QorUtilLockFinish(AddOnID);
}

static void Dialog2CloseButton_CB(void)
{
  QorUtilLockStart(AddOnID);
  QorGUIDialogDrop(Dialog2Manager);
  QorUtilLockFinish(AddOnID);
}

static void Dialog2Init_CB(void)
{
  QorUtilLockStart(AddOnID);
  /* <<< Add init code (if necessary) here>>> */
  QorUtilLockFinish(AddOnID);
}

static GUIInt_t  Find_TF_D2_CB(const char *S)
{
  GUIInt_t IsOk = 1;
  QorUtilLockStart(AddOnID);
  TRACE1("Text field (Find_TF_D2) Value Changed,  New value is: %s\n",S);
  QorUtilLockFinish(AddOnID);
  return (IsOk);
}

static void Sidebar1Activate_CB(void)
{
  /*  <<< This function is called when sidebar "Tools" is activated >>> */
}

static void Sidebar1Deactivate_CB(void)
{
  /*   <<< This function is called when sidebar "Tools" is deactivated >>> */
}

static void Run_BTN_S1_CB(void)
{
  QorUtilLockStart(AddOnID);
  TRACE("Run Button Pushed\n");
  QorUtilLockFinish(AddOnID);
}

/* ---- builder functions ("guibld.c") */

static const char BB2_BB_D1_BD[12] =
{
  '\x0','\xff','\x7f','\x80','\x1','\x2','\x3','\x4','\xfe',
  '\x10','\x20','\x30'
};

static const char BB3_BB_D1_BD[3] =
{
  '\xff','\x0','\x0'
};

/**
 */
static void BuildForm1_2(GUIInt_t  Parent)
{
  if (Form1_2Manager != BADDIALOGID)
    return;

  Form1_2Manager = QorGUIFormAddPage(Parent);

  Inner_TF_F2_1 = QorGUITextFieldAdd(Form1_2Manager,
                                     10,
                                     10,
                                     800,
                                     125,
                       Inner_TF_F2_1_CB);

}

/**
 */
static void BuildTab1_3(GUIInt_t  Parent)
{
  if (Tab1_3Manager != BADDIALOGID)
    return;

  Tab1_3Manager = QorGUITabAddPage(Parent,
                               "Page 1");
}

/**
 */
static void BuildDialog1(GUIInt_t  ParentDialog)
{
  if (Dialog1Manager != BADDIALOGID)
    return;

  Dialog1Manager = QorGUIDialogCreateModal(ParentDialog,
                                          5000,
                                          4000,
                                          "Sample Settings",
                                          Dialog1Init_CB,
                                          Dialog1OkButton_CB,
                                          Dialog1ApplyButton_CB,
                                          Dialog1CancelButton_CB,
                                          Dialog1HelpButton_CB);
  Name_TF_D1 = QorGUITextFieldAdd(Dialog1Manager,
                                142,
                                31,
                                1714,
                                125,
                       Name_TF_D1_CB);

  QorGUISetToolTip(Name_TF_D1,"Your \"name\"");
  Notes_T_D1 = QorGUITextAdd(Dialog1Manager,
                           100,
                           300,
                           1500,
                           400,
                       0,
                       Notes_T_D1_CB);

  Log_T_D1 = QorGUITextAdd(Dialog1Manager,
                         1700,
                         300,
                         1500,
                         400,
                       1,
                       NULL);

  Items_SLST_D1 = QorGUIListAdd(Dialog1Manager,
                              100,
                              800,
                              1400,
                              600,
                       0,
                       Items_SLST_D1_CB);

  Picks_MLST_D1 = QorGUIListAdd(Dialog1Manager,
                              1700,
                              800,
                              1400,
                              600,
                       1,
                       Items_SLST_D1_CB);

  Count_TFS_D1 = QorGUISpinTextFieldAdd(Dialog1Manager,
                                     142,
                                     200,
                                     900,
                                     125,
                       Count_TFS_D1_ValueChanged_CB,
                       Count_TFS_D1_ButtonUp_CB,
                       Count_TFS_D1_ButtonDown_CB);

  Pages_FM_D1 = QorGUIFormAdd(Dialog1Manager,
                            3300,
                            100,
                            1500,
                            1000);
  BuildForm1_2(Pages_FM_D1);
  Tabs_TB_D1 = QorGUITabAdd(Dialog1Manager,
                          3300,
                          1200,
                          1500,
                          1000,
                    Tabs_TBA_D1_CB,
                    Tabs_TBD_D1_CB);

  BuildTab1_3(Tabs_TB_D1);
  Level_SC_D1 = QorGUIScaleAdd(Dialog1Manager,
                             100,
                             1500,
                             1400,
                             125,
                    0,
                    100,
                    0,
                    Level_SC_D1_CB,
                    Level_SCD_D1_CB);


  QorGUIScaleShowNumericDisplay(Level_SC_D1,FALSE);

  Choice_OPT_D1 = QorGUIOptionMenuAdd(Dialog1Manager,
                                    1700,
                                    1500,
                                    1400,
                                    125,
                        Choice_OPT_D1_List,
                        Choice_OPT_D1_CB);

  Go_BTN_D1 = QorGUIButtonAdd(Dialog1Manager,
                            100,
                            1800,
                            1000,
                            150,
                    "Push Button",
                    Go_BTN_D1_CB);

  Colour_BTN_D1 = QorGUIColoredButtonAdd(Dialog1Manager,
                                       1200,
                                       1800,
                                       1000,
                                       150,
                    "Colour",
                    3,
                    Colour_BTN_D1_CB);

  Mode_RADIO_D1 = QorGUIRadioBoxAdd(Dialog1Manager,
                                  100,
                                  2100,
                                  1000,
                                  400,
                                 "Radio1",
                                 "Radio2",
                                 (char *)NULL,
                                 (char *)NULL,
                                 (char *)NULL,
                                 Mode_RADIO_D1_CB);

  Toggle_TOG_D1 = QorGUIToggleAdd(Dialog1Manager,
                                1200,
                                2050,
                                1100,
                                200,
                               "Toggle",
                               Toggle_TOG_D1_CB);

  Name_LBL_D1 = QorGUILabelAdd(Dialog1Manager,
                             100,
                             2600,
                    "Name:");

  QorGUILabelAdd(Dialog1Manager,
                         100,
                         2800,
                    "Unnamed");

  BB2_BB_D1 = QorGUIBitmapButtonAdd(Dialog1Manager,
                                    2400,
                                    2600,
                                    300,
                                    300,
                              2,
                              2,
                              BB2_BB_D1_BD,
                              1,
                              255,
                              0,
                              0,
                              BB2_BB_D1_CB);

  BB3_BB_D1 = QorGUIBitmapToggleAdd(Dialog1Manager,
                                    2800,
                                    2600,
                                    300,
                                    300,
                              1,
                              1,
                              BB3_BB_D1_BD,
                              0,
                              0,
                              0,
                              0,
                              BB3_BB_D1_CB);

  QorGUIFrameAdd(Dialog1Manager,
                      3200,
                      2400,
                      1500,
                      1000,
                    "Options");

  QorGUIHorzSeparatorAdd(Dialog1Manager,
                              100,
                              3500,
                              4800);
  QorGUIVertSeparatorAdd(Dialog1Manager,
                              3150,
                              100,
                              3300);
}

/**
 */
static void BuildDialog2(GUIInt_t  ParentDialog)
{
  if (Dialog2Manager != BADDIALOGID)
    return;

  Dialog2Manager = QorGUIDialogCreateModeless(ParentDialog,
                                             3000,
                                             2000,
                                             "Find",
                                             Dialog2Init_CB,
                                             Dialog2CloseButton_CB,
                                             Dialog2HelpButton_CB);
  Find_TF_D2 = QorGUITextFieldAdd(Dialog2Manager,
                                100,
                                100,
                                1500,
                                125,
                       Find_TF_D2_CB);

}

/**
 */
static void BuildSidebar1(void)
{
  if (Sidebar1Manager != BADDIALOGID)
    return;

  Sidebar1Manager = QorGUISidebarRegister("Tools",
                                      AddOnID,
                                      2000,
                                      6000,
                                      Sidebar1Activate_CB,
                                      Sidebar1Deactivate_CB);
  Run_BTN_S1 = QorGUIButtonAdd(Sidebar1Manager,
                             100,
                             100,
                             800,
                             150,
                    "Run",
                    Run_BTN_S1_CB);

}

/* ---- the generated add-on's own start-up */

static void ShowDialogs(void)
{
  QorUtilLockStart(AddOnID);
  BuildDialog1(BADDIALOGID);
  BuildDialog2(BADDIALOGID);
  BuildSidebar1();
  QorGUIDialogLaunch(Dialog2Manager);
  QorGUISidebarActivate(Sidebar1Manager);
  QorGUIDialogLaunch(Dialog1Manager);
  QorUtilLockFinish(AddOnID);
}

static void InitGeneratedAddOn(void)
{
  QorUtilLockOn();
  AddOnID = QorUtilAddOnRegister(100, LANGUAGE_LABEL, "1.0", "Test");
  QorUtilMenuAddOption("Tools", LANGUAGE_LABEL, 'G', ShowDialogs);
  QorUtilLockOff();
}

GeneratedAddOn GENERATED_ENTRY(void)
{
  GeneratedAddOn addOn;
  addOn.init = InitGeneratedAddOn;
  addOn.dialog1 = &Dialog1Manager;
  addOn.dialog2 = &Dialog2Manager;
  addOn.sidebar1 = &Sidebar1Manager;
  addOn.colourButton = &Colour_BTN_D1;
  addOn.formPage = &Form1_2Manager;
  return addOn;
}
