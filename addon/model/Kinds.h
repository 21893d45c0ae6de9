// Kinds of frames and controls, the generated names of controls, and the
// free dialog numbers, page numbers and linking groups.
#pragma once

#include <string>

#include "QORADDON.h"

namespace quorvin::builder {

enum FrameKind : unsigned {
    ModalDialog = 0,
    ModelessDialog = 1,
    TabPage = 2,
    FormPage = 3,
    Sidebar = 4,
};

enum ControlKind : int {
    Tab = 0,
    Form = 1,
    Spin = 2,
    TextField = 3,
    Text = 4,
    ReadOnlyText = 5,
    Label = 6,
    PushButton = 7,
    OptionMenu = 8,
    MultiList = 9,
    SingleList = 10,
    Scale = 11,
    Toggle = 12,
    RadioBox = 13,
    NotAControl = 25,
};

// The "Type" value of a kind ("Tab" ... "RadioBox"), null for NotAControl.
const char *ControlKindName(ControlKind kind);
// The name tag ("TB", "TF", "LBL", ...), null for NotAControl.
const char *ControlKindTag(ControlKind kind);
// The display name used in messages ("Text Field", ...), null for NotAControl.
const char *ControlKindDisplayName(ControlKind kind);
// The string prefix of a filled-box kind ("TF:", "TAB:", ...), "" for the
// kinds recognised otherwise.
const char *ControlKindPrefix(ControlKind kind);
// The string past the kind's prefix (the whole string when it has none): the
// label text a control is named from ("TF:Name" gives "Name").
const char *ControlLabelText(ControlKind kind, const char *string);

// Kind of the current frame, whose name is given.
// With report off, unrecognised flags count as false without a warning.
FrameKind GetFrameKind(const char *frameName, bool report = true);
// Kind of a text with the "Type" override; group for Tab and Form, else -1.
void ClassifyText(Text_ID text, ControlKind &kind, int &group);
// The build's classification: box type and string prefix only (no "Type",
// no GROUP check). Hollow boxes are RadioBox here; the build itself skips a
// hollow box that does not begin with a toggle marker.
ControlKind ClassifyByPrefix(TextBox_e boxType, const char *string);
// True when the string begins with "<math>7</math>" or "~7".
bool StartsWithToggleMarker(const char *string);
// True for a bitmap button, false for a bitmap toggle.
bool IsBitmapButton(Geom_ID geom);

// The generated identifier of a control as a new host string (tag
// "FunctionName"), or null (reported when report is set).
char *MakeControlName(FrameKind frameKind, const char *labelText, const char *nameSource,
                      const char *tag, const char *displayName, int number, bool report);
// Name source from the text's command (VarName, whole command, or the label).
char *GetControlVarName(FrameKind frameKind, const char *labelText, const char *command,
                        const char *tag, const char *displayName, int number, bool report);
// The same identifier as GetControlVarName as the add-on's own string (empty
// when there is none), for the generator, which makes one per control.
std::string ControlVarName(FrameKind frameKind, const char *labelText, const char *command,
                           const char *tag, const char *displayName, int number, bool report);
// Images need VarName; without it the image gets no name (reported when
// report is set).
char *GetImageVarName(FrameKind frameKind, Geom_ID geom, int number, bool report);

// Free numbers for the insert commands.
int NextDialogId(bool sidebars); // 0 after "All frames must have names"
int NextLinkGroup();             // -1 when 1 to 32 are taken
int NextPageId(int group);
int NextPagePosition(int group);

} // namespace quorvin::builder
