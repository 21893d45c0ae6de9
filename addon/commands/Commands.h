// The editing commands: insert containers and controls, arrange picked
// controls, upgrade old-style controls, insert bitmap buttons.
//
// Every command expects the caller (the tool dialog's dispatch) to hold the
// add-on lock. The callbacks of the bitmap button dialog take the lock
// themselves.
#pragma once

#include "QORADDON.h"
#include "model/Kinds.h"
#include "model/Picked.h"

namespace quorvin::builder {

// ---- Containers ------------------------------------------------------------

// A new modal (true) or modeless (false) dialog frame.
void InsertDialog(bool modal);
void InsertModalDialog();
void InsertModelessDialog();
void InsertSidebar();
// A group frame rectangle in the current frame.
void InsertGroupFrame();
// A new page for the first picked tab or form control.
void InsertPage();
// kind: 0 tab page, 1 form page. Width and height in paper inches.
void CreatePageFrame(int kind, int group, double width, double height);
void ResizePages();
void PopNextPage();

// ---- Controls --------------------------------------------------------------

// One row of the control table: what a new control of a kind looks like.
struct ControlRow {
    ControlKind kind;
    const char *toolTip;     // the command's name in the tool dialog
    const char *initialText; // tab and form: a format taking the group
    const char *varNameBase;
    TextBox_e boxType;
    double margin;
    ColorIndex_t boxColor;
    double lineSpacing;
};
// The row of a kind (Tab .. RadioBox); null for any other value.
const ControlRow *FindControlRow(ControlKind kind);

// Creates one control text in the current frame. varNameBase may be null:
// the text then gets the running number appended instead.
void InsertControl(ControlKind kind, const char *text, const char *varNameBase, TextBox_e boxType,
                   ColorIndex_t boxColor, double margin, double lineSpacing);

void InsertTab();
void InsertForm();
void InsertSpinTextField();
void InsertTextField();
void InsertMultiLineText();
void InsertReadOnlyText();
void InsertLabel();
void InsertPushButton();
void InsertOptionMenu();
void InsertMultiList();
void InsertSingleList();
void InsertScale();
void InsertToggle();
void InsertRadioBox();

// ---- Arrange picked controls -------------------------------------------------

// The extent of a text or geometry in frame coordinates (percent of the
// frame, y upward). Any output may be null.
void GetExtent(const PickedObject &object, double *left, double *bottom, double *width,
               double *height);
// Moves the object so that its extent's left (bottom) edge is at the value;
// the other coordinate stays.
void MoveLeftTo(const PickedObject &object, double x);
void MoveBottomTo(const PickedObject &object, double y);

void AlignLeft();
void AlignHorzCenter();
void AlignRight();
void AlignTop();
void AlignVertCenter();
void AlignBottom();
void SpaceHorizontally();
void SpaceVertically();
void CenterVertically();
void CenterHorizontally();

// ---- Upgrade -----------------------------------------------------------------

void UpgradeControls();

// ---- Bitmap buttons ------------------------------------------------------------

// Asks for a bitmap file and shows the "Insert Bitmap Button" dialog.
void InsertBitmapButton();
// As InsertBitmapButton, with "Toggle" chosen in the dialog.
void InsertBitmapToggle();
// Sizes an image of the current frame so that it covers on the paper what
// the button will cover in the built dialog. Needs the character cell.
void SizeBitmapImage(Geom_ID image);
// The pixel width used in sizing for a frame width in dialog units, with
// the host's base font size and the ratio of its dots per inch.
int BitmapPixelWidth(int frameWidthDialogUnits, int baseFontSize, double dpiRatio);

// Identifiers of the bitmap button dialog and its controls (BADDIALOGID
// until built).
struct BitmapButtonDialogIds {
    GUIInt_t dialog = BADDIALOGID;
    GUIInt_t fileName = BADDIALOGID;
    GUIInt_t browse = BADDIALOGID;
    GUIInt_t toolTip = BADDIALOGID;
    GUIInt_t color = BADDIALOGID;
    GUIInt_t useColor = BADDIALOGID;
    GUIInt_t buttonType = BADDIALOGID;
};
const BitmapButtonDialogIds &BitmapButtonDialog();
// Forgets the dialog (a fresh host has none); it is built again on next use.
void ForgetBitmapButtonDialog();

} // namespace quorvin::builder
