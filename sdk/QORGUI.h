/*
 * Quorvin add-on SDK: the QorGUI functions (dialogs, sidebars, controls and
 * menus). Positions and sizes are in dialog units: hundredths of a character
 * cell. Creation returns the new identifier, or BADDIALOGID on failure.
 */
#ifndef QORGUI_H_
#define QORGUI_H_

#include "QORTYPES.h"
#include "QORUTIL.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Dialogs and sidebars ---- */
QOR_EXPORT GUIInt_t QorGUIDialogCreateModal(GUIInt_t ParentDialog, GUIInt_t Width, GUIInt_t Height,
                                            const char *Title, QorGUIVoidCallback_pf InitCallback,
                                            QorGUIVoidCallback_pf OkButtonCallback,
                                            QorGUIVoidCallback_pf ApplyButtonCallback,
                                            QorGUIVoidCallback_pf CancelButtonCallback,
                                            QorGUIVoidCallback_pf HelpButtonCallback);
QOR_EXPORT GUIInt_t QorGUIDialogCreateModeless(GUIInt_t ParentDialog, GUIInt_t Width,
                                               GUIInt_t Height, const char *Title,
                                               QorGUIVoidCallback_pf InitCallback,
                                               QorGUIVoidCallback_pf CloseButtonCallback,
                                               QorGUIVoidCallback_pf HelpButtonCallback);
QOR_EXPORT void QorGUIDialogLaunch(GUIInt_t DialogID);
QOR_EXPORT void QorGUIDialogDrop(GUIInt_t DialogID);
QOR_EXPORT Boolean_t QorGUIDialogIsUp(GUIInt_t DialogID);
QOR_EXPORT void QorGUIDialogApplySetSensitivity(GUIInt_t DialogID, Boolean_t IsSensitive);
/* Returns BADDIALOGID when no further sidebar can be registered. */
QOR_EXPORT GUIInt_t QorGUISidebarRegister(const char *Title, AddOn_pa AddOnID, GUIInt_t Width,
                                          GUIInt_t Height, QorGUIVoidCallback_pf ActivateCallback,
                                          QorGUIVoidCallback_pf DeactivateCallback);
QOR_EXPORT void QorGUISidebarActivate(GUIInt_t SidebarID);

/* ---- Containers inside dialogs ---- */
QOR_EXPORT GUIInt_t QorGUIFormAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                  GUIInt_t Height);
QOR_EXPORT GUIInt_t QorGUIFormAddPage(GUIInt_t FormID);
QOR_EXPORT GUIInt_t QorGUITabAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                 GUIInt_t Height, QorGUIIntCallback_pf ActivateCallback,
                                 QorGUIIntCallback_pf DeactivateCallback);
QOR_EXPORT GUIInt_t QorGUITabAddPage(GUIInt_t TabID, const char *Title);
QOR_EXPORT GUIInt_t QorGUIFrameAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                   GUIInt_t Height, const char *Label);
QOR_EXPORT GUIInt_t QorGUIHorzSeparatorAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                           GUIInt_t Width);
QOR_EXPORT GUIInt_t QorGUIVertSeparatorAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                           GUIInt_t Height);

/* ---- Controls ---- */
QOR_EXPORT GUIInt_t QorGUITextFieldAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                       GUIInt_t Width, GUIInt_t Height,
                                       QorGUITextCallback_pf ValueChangedCallback);
QOR_EXPORT GUIInt_t QorGUITextAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                  GUIInt_t Height, Boolean_t IsReadOnly,
                                  QorGUITextCallback_pf ValueChangedCallback);
QOR_EXPORT GUIInt_t QorGUISpinTextFieldAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                           GUIInt_t Width, GUIInt_t Height,
                                           QorGUITextCallback_pf ValueChangedCallback,
                                           QorGUIVoidCallback_pf ButtonUpCallback,
                                           QorGUIVoidCallback_pf ButtonDownCallback);
QOR_EXPORT GUIInt_t QorGUIListAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                  GUIInt_t Height, Boolean_t IsMultiSelection,
                                  QorGUIIntCallback_pf ValueChangedCallback);
QOR_EXPORT GUIInt_t QorGUIScaleAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                   GUIInt_t Height, GUIInt_t ScaleMin, GUIInt_t ScaleMax,
                                   GUIInt_t DecimalPrecision,
                                   QorGUIIntCallback_pf ValueChangedCallback,
                                   QorGUIIntCallback_pf DragValueChangedCallback);
QOR_EXPORT void QorGUIScaleShowNumericDisplay(GUIInt_t ScaleID, Boolean_t ShowDisplay);
/* OptionList: the items separated by commas. */
QOR_EXPORT GUIInt_t QorGUIOptionMenuAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                        GUIInt_t Width, GUIInt_t Height, const char *OptionList,
                                        QorGUIIntCallback_pf ValueChangedCallback);
QOR_EXPORT GUIInt_t QorGUIButtonAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                    GUIInt_t Height, const char *Label,
                                    QorGUIVoidCallback_pf ButtonCallback);
QOR_EXPORT GUIInt_t QorGUIColoredButtonAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                           GUIInt_t Width, GUIInt_t Height, const char *Label,
                                           ColorIndex_t Color, QorGUIVoidCallback_pf ButtonCallback);
QOR_EXPORT void QorGUIColoredButtonSetColor(GUIInt_t ButtonID, ColorIndex_t Color);
/* Up to five labels; unused ones are NULL. */
QOR_EXPORT GUIInt_t QorGUIRadioBoxAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                      GUIInt_t Width, GUIInt_t Height, const char *Label1,
                                      const char *Label2, const char *Label3, const char *Label4,
                                      const char *Label5, QorGUIIntCallback_pf ValueChangedCallback);
QOR_EXPORT GUIInt_t QorGUIToggleAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y, GUIInt_t Width,
                                    GUIInt_t Height, const char *Label,
                                    QorGUIIntCallback_pf ValueChangedCallback);
QOR_EXPORT GUIInt_t QorGUILabelAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                   const char *Label);
/* BitmapData: BitmapWidth x BitmapHeight pixels, 3 bytes each (red, green,
   blue), rows from the top. */
QOR_EXPORT GUIInt_t QorGUIBitmapButtonAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                          GUIInt_t Width, GUIInt_t Height, GUIInt_t BitmapWidth,
                                          GUIInt_t BitmapHeight, const char *BitmapData,
                                          Boolean_t UseTransparentColor, GUIInt_t TransparentRed,
                                          GUIInt_t TransparentGreen, GUIInt_t TransparentBlue,
                                          QorGUIVoidCallback_pf ButtonCallback);
QOR_EXPORT GUIInt_t QorGUIBitmapToggleAdd(GUIInt_t ParentDialog, GUIInt_t X, GUIInt_t Y,
                                          GUIInt_t Width, GUIInt_t Height, GUIInt_t BitmapWidth,
                                          GUIInt_t BitmapHeight, const char *BitmapData,
                                          Boolean_t UseTransparentColor, GUIInt_t TransparentRed,
                                          GUIInt_t TransparentGreen, GUIInt_t TransparentBlue,
                                          QorGUIIntCallback_pf ValueChangedCallback);

/* ---- Control values and state ---- */
QOR_EXPORT void QorGUISetSensitivity(GUIInt_t ControlID, Boolean_t IsSensitive);
QOR_EXPORT void QorGUISetToolTip(GUIInt_t ControlID, const char *ToolTip);
QOR_EXPORT void QorGUIToggleSet(GUIInt_t ToggleID, Boolean_t Value);
QOR_EXPORT Boolean_t QorGUIToggleGet(GUIInt_t ToggleID);
/* Buttons count from 1. */
QOR_EXPORT void QorGUIRadioBoxSetToggle(GUIInt_t RadioBoxID, GUIInt_t Which);
QOR_EXPORT GUIInt_t QorGUIRadioBoxGetToggle(GUIInt_t RadioBoxID);
QOR_EXPORT void QorGUITextFieldSetString(GUIInt_t TextFieldID, const char *Text);
/* A new host string: free it with QorUtilStringDealloc. */
QOR_EXPORT char *QorGUITextFieldGetString(GUIInt_t TextFieldID);

/* ---- Menus ---- */
QOR_EXPORT GUIInt_t QorGUIMenuBarAdd(GUIInt_t DialogID);
/* A submenu of a menu bar or of another menu. */
QOR_EXPORT GUIInt_t QorGUIMenuAdd(GUIInt_t ParentMenuID, const char *Label);
QOR_EXPORT GUIInt_t QorGUIMenuAddItem(GUIInt_t MenuID, const char *Label, const char *HelpText,
                                      QorGUIVoidCallback_pf Callback);
QOR_EXPORT GUIInt_t QorGUIMenuAddSeparator(GUIInt_t MenuID);

#ifdef __cplusplus
}
#endif

#endif /* QORGUI_H_ */
