// Control texts: each kind of control is a host text with a fixed look, a
// recognisable prefix and its settings in the macro-function command.
#include "commands/CommandUtil.h"
#include "commands/Commands.h"
#include "model/Kinds.h"

#include <cstring>

namespace quorvin::builder {

namespace {

// The blanks and line feeds of the initial texts give each box its starting
// size. Tab and form texts are formats filled with the prefix and the group.
const ControlRow kControlRows[] = {
    {Tab, "Tab", "%sGroup=%d  \n\n\n\n\n", "TAB", TextBox_Filled, 45, 0, 1.0},
    {Form, "Form", "%s:Group=%d  \n\n\n\n\n", "FM", TextBox_Filled, 45, 0, 1.0},
    {Spin, "Text Field with Spin Control", "TFS:            ", "TF", TextBox_Filled, 45, 0, 1.0},
    {TextField, "Text Field", "TF:            ", "TF", TextBox_Filled, 45, 0, 1.0},
    {Text, "Multi-Line Text", "T:             \n\n\n", "MT", TextBox_Filled, 45, 0, 1.0},
    {ReadOnlyText, "Multi-Line Read-Only Text", "TRO:           \n\n\n", "RT", TextBox_Filled, 45,
     0, 1.0},
    {Label, "Label", "Label", "LBL", TextBox_None, 0.2, 0, 1.0},
    {PushButton, "Push Button", "Push Button", "BTN", TextBox_Filled, 45, 0, 1.0},
    {OptionMenu, "Option Menu", "OPT:           ", "OPT", TextBox_Filled, 45, 0, 1.0},
    {MultiList, "Multi-Selection List Box", "MLST:         \n\n\n\n\n", "ML", TextBox_Filled, 45, 0,
     1.0},
    {SingleList, "Single Selection List", "SLST:         \n\n\n\n\n", "SL", TextBox_Filled, 45, 0,
     1.0},
    {Scale, "Scale", "SC:            ", "SC", TextBox_Filled, 25, 0, 1.0},
    {Toggle, "Toggle", "<math>7</math>   Toggle", "TGL", TextBox_None, 20, 0, 1.0},
    {RadioBox, "Radio Button",
     "<math>7</math>  Radio1\n<math>7</math>  Radio2\n<math>7</math>  Radio3", "RB", TextBox_Hollow,
     55, 7, 1.5},
};

constexpr size_t kMaxControlText = 220;

void InsertRow(ControlKind kind) {
    const ControlRow *row = FindControlRow(kind);
    InsertControl(row->kind, row->initialText, row->varNameBase, row->boxType, row->boxColor,
                  row->margin, row->lineSpacing);
}

// Tab and form controls: draw a free linking group, then insert the text.
void InsertGroupControl(ControlKind kind, const char *prefix, const char *noGroupMessage) {
    if (!RequireCurrentFrame())
        return;
    const int group = NextLinkGroup();
    if (group < 1) {
        QorUtilDialogErrMsg(noGroupMessage);
        return;
    }
    const ControlRow *row = FindControlRow(kind);
    const std::string text = FormatText(row->initialText, prefix, group);
    InsertControl(row->kind, text.c_str(), row->varNameBase, row->boxType, row->boxColor,
                  row->margin, row->lineSpacing);
}

} // namespace

bool RequireCurrentFrame() {
    if (QorUtilFrameGetCount() > 0)
        return true;
    QorUtilDialogErrMsg("There is no frame to insert into. Insert a dialog, a sidebar or a page "
                        "first.");
    return false;
}

const ControlRow *FindControlRow(ControlKind kind) {
    for (const ControlRow &row : kControlRows)
        if (row.kind == kind)
            return &row;
    return nullptr;
}

void InsertControl(ControlKind kind, const char *text, const char *varNameBase, TextBox_e boxType,
                   ColorIndex_t boxColor, double margin, double lineSpacing) {
    if (std::strlen(text) > kMaxControlText) {
        QorUtilDialogErrMsg("Text in control too big");
        return;
    }
    if (!RequireCurrentFrame())
        return;
    const int number = CountFrameTexts() + 1;

    std::string string = text;
    std::string command;
    if (varNameBase) {
        command = FormatText("%s=%s%d", "VarName", varNameBase, number);
    } else {
        string += FormatText("%d", number);
    }
    const char *typeName = ControlKindName(kind);
    command += FormatText(" %s=%s", "Type", typeName ? typeName : "");
    // A new scale starts without its value label.
    if (varNameBase && std::strlen(varNameBase) >= 2 && std::strncmp(varNameBase, "SC", 2) == 0)
        command += FormatText(" %s%s", "SHOWLABEL", "=F");

    Text_ID created = QorUtilTextCreate(CoordSys_Frame, 50, 50, Units_Point, 16, string.c_str());
    if (!created || !QorUtilTextIsValid(created))
        return;
    if (!command.empty())
        QorUtilTextSetMacroFunctionCmd(created, command.c_str());
    QorUtilTextSetColor(created, 0);
    QorUtilTextSetFont(created, 1);
    QorUtilTextBoxSetType(created, boxType);
    QorUtilTextBoxSetMargin(created, margin);
    QorUtilTextBoxSetLineThickness(created, 0.1);
    QorUtilTextBoxSetColor(created, boxColor);
    QorUtilTextBoxSetFillColor(created, 9);
    QorUtilTextSetAngle(created, 0);
    QorUtilTextSetAnchor(created, 0);
    QorUtilTextSetLineSpacing(created, lineSpacing);
    QorUtilTextSetScope(created, 1);
    QorUtilRedraw(TRUE);
}

void InsertTab() {
    InsertGroupControl(Tab, "TAB:",
                       "Cannot create a new tab because there is no frame linking group number "
                       "available.");
}

void InsertForm() {
    InsertGroupControl(Form, "FM",
                       "Cannot create a new form because there are no frame linking group "
                       "number available.");
}

void InsertSpinTextField() {
    InsertRow(Spin);
}
void InsertTextField() {
    InsertRow(TextField);
}
void InsertMultiLineText() {
    InsertRow(Text);
}
void InsertReadOnlyText() {
    InsertRow(ReadOnlyText);
}
void InsertLabel() {
    InsertRow(Label);
}
void InsertPushButton() {
    InsertRow(PushButton);
}
void InsertOptionMenu() {
    InsertRow(OptionMenu);
}
void InsertMultiList() {
    InsertRow(MultiList);
}
void InsertSingleList() {
    InsertRow(SingleList);
}
void InsertScale() {
    InsertRow(Scale);
}
void InsertToggle() {
    InsertRow(Toggle);
}
void InsertRadioBox() {
    InsertRow(RadioBox);
}

} // namespace quorvin::builder
