// Restyles every control text of every frame to the look the insert
// commands give a new control today. Strings, commands and positions stay.
#include "commands/Commands.h"
#include "model/HostResources.h"
#include "model/Kinds.h"

namespace quorvin::builder {

namespace {

struct ControlStandard {
    ColorIndex_t boxColor;
    double margin;
    double lineSpacing;
};

// Indexed by control kind, Tab to RadioBox.
const ControlStandard kStandards[] = {
    {0, 45.0, 1.0}, // Tab
    {0, 45.0, 1.0}, // Form
    {0, 45.0, 1.0}, // Spin
    {0, 45.0, 1.0}, // TextField
    {0, 45.0, 1.0}, // Text
    {0, 45.0, 1.0}, // ReadOnlyText
    {0, 0.2, 1.0},  // Label
    {0, 45.0, 1.0}, // PushButton
    {0, 45.0, 1.0}, // OptionMenu
    {0, 45.0, 1.0}, // MultiList
    {0, 45.0, 1.0}, // SingleList
    {0, 25.0, 1.0}, // Scale
    {0, 20.0, 1.0}, // Toggle
    {7, 55.0, 1.5}, // RadioBox
};

constexpr double kStandardHeight = 16.0;

// Margins and spacings are compared as stored in single precision, so a
// 0.2 written by an older version still counts as standard.
bool SameSingle(double a, double b) {
    return static_cast<float>(a) == static_cast<float>(b);
}

bool IsStandard(Text_ID text, const ControlStandard &standard) {
    return QorUtilTextBoxGetColor(text) == standard.boxColor &&
           QorUtilTextGetHeight(text) == kStandardHeight &&
           SameSingle(QorUtilTextBoxGetMargin(text), standard.margin) &&
           SameSingle(QorUtilTextGetLineSpacing(text), standard.lineSpacing) &&
           QorUtilTextGetAnchor(text) == 0;
}

void MakeStandard(Text_ID text, const ControlStandard &standard) {
    QorUtilTextBoxSetColor(text, standard.boxColor);
    QorUtilTextBoxSetMargin(text, standard.margin);
    QorUtilTextSetLineSpacing(text, standard.lineSpacing);
    QorUtilTextSetAnchor(text, 0);
    QorUtilTextSetHeight(text, kStandardHeight);
}

} // namespace

void UpgradeControls() {
    if (!QorUtilDialogMessageBox("Upgrade controls to new standards?", MessageBox_Question))
        return;

    bool allValid = true;
    bool anyModified = false;
    {
        DrawingOff drawingOff;
        // One pop of the bottom frame per frame visits every frame, starting
        // with the current one, and ends with it current again.
        const LgIndex_t frameCount = QorUtilFrameGetCount();
        for (LgIndex_t i = 0; i < frameCount; ++i) {
            bool frameModified = false;
            for (Text_ID text = QorUtilTextGetBase(); allValid && text;
                 text = QorUtilTextGetNext(text)) {
                ControlKind kind = NotAControl;
                int group = -1;
                ClassifyText(text, kind, group);
                if (kind < Tab || kind > RadioBox) {
                    allValid = false;
                    break;
                }
                const ControlStandard &standard = kStandards[kind];
                if (!IsStandard(text, standard)) {
                    MakeStandard(text, standard);
                    frameModified = true;
                }
            }
            if (frameModified)
                QorUtilStateChanged(StateChange_Text, 0);
            QorUtilFramePop(1);
            anyModified = anyModified || frameModified;
        }
    }

    if (!allValid)
        QorUtilDialogErrMsg("Some text objects were not valid DLB controls.");
    if (anyModified)
        QorUtilDialogMessageBox(
            "At least one control was modified. Be sure to save the changes to your layout.",
            MessageBox_Information);
    else
        QorUtilDialogMessageBox("All controls are already using the current standards, "
                                "therefore no changes were made to your layout.",
                                MessageBox_Information);
}

} // namespace quorvin::builder
