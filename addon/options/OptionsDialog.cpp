// The modal "File Options" dialog: output language and identifier length.
// It changes the settings in memory only; the build writes "dlb.cfg".
#include "options/Options.h"

#include "QORADDON.h"
#include "model/HostResources.h"
#include "model/Settings.h"

namespace quorvin::builder {

namespace {

constexpr GUIInt_t kNoParentDialog = -1;

GUIInt_t OptionsDialogId = BADDIALOGID;
GUIInt_t LimitLengthToggleId = BADDIALOGID;
GUIInt_t LanguageRadioBoxId = BADDIALOGID;

// The Qt language has no button: OK keeps it unless the user chose a button.
bool LanguageChosen = false;
GUIInt_t LanguageButtonAtInit = 0;

void OnLimitLengthToggle(const GUIInt_t * /*value*/) {}

void OnLanguageRadioBox(const GUIInt_t * /*value*/) {
    LanguageChosen = true;
}

void OnInit() {
    QorUtilLockStart(AddOnHandle);
    switch (BuilderSettings.Language) {
    case LanguageC:
        QorGUIRadioBoxSetToggle(LanguageRadioBoxId, 1);
        break;
    case LanguageCPP:
        QorGUIRadioBoxSetToggle(LanguageRadioBoxId, 2);
        break;
    case LanguageFORTRAN:
        QorGUIRadioBoxSetToggle(LanguageRadioBoxId, 3);
        break;
    default:
        break;
    }
    QorGUIToggleSet(LimitLengthToggleId, BuilderSettings.LimitIdentLength ? TRUE : FALSE);
    LanguageChosen = false;
    LanguageButtonAtInit = QorGUIRadioBoxGetToggle(LanguageRadioBoxId);
}

void OnOk() {
    const GUIInt_t button = QorGUIRadioBoxGetToggle(LanguageRadioBoxId);
    const bool keepQt =
        BuilderSettings.Language == LanguageQt && !LanguageChosen && button == LanguageButtonAtInit;
    if (!keepQt) {
        switch (button) {
        case 1:
            BuilderSettings.Language = LanguageC;
            break;
        case 2:
            BuilderSettings.Language = LanguageCPP;
            break;
        case 3:
            BuilderSettings.Language = LanguageFORTRAN;
            break;
        default:
            break;
        }
    }
    BuilderSettings.LimitIdentLength = QorGUIToggleGet(LimitLengthToggleId) != FALSE;
    QorGUIDialogDrop(OptionsDialogId);
    QorUtilLockFinish(AddOnHandle);
}

void OnCancel() {
    QorGUIDialogDrop(OptionsDialogId);
    QorUtilLockFinish(AddOnHandle);
}

void OnHelp() {
    LockGuard lock(AddOnHandle);
    QorUtilDialogMessageBox("On-line Help not available for this dialog.", MessageBox_Information);
}

void BuildOptionsDialog() {
    OptionsDialogId = QorGUIDialogCreateModal(kNoParentDialog, 6455, 950, "File Options", OnInit,
                                              OnOk, nullptr, OnCancel, OnHelp);
    if (OptionsDialogId == BADDIALOGID)
        return;
    LimitLengthToggleId =
        QorGUIToggleAdd(OptionsDialogId, 314, 775, 5152, 120,
                        "Limit variable name length to 30 characters", OnLimitLengthToggle);
    QorGUIFrameAdd(OptionsDialogId, 257, 90, 2232, 589, "Language");
    LanguageRadioBoxId = QorGUIRadioBoxAdd(OptionsDialogId, 586, 174, 1502, 432, "C", "C++",
                                           "FORTRAN", nullptr, nullptr, OnLanguageRadioBox);
}

} // namespace

void OptionsDialog() {
    if (OptionsDialogId == BADDIALOGID)
        BuildOptionsDialog();
    // A dialog that is already up keeps its lock and its values.
    if (OptionsDialogId != BADDIALOGID && !QorGUIDialogIsUp(OptionsDialogId))
        QorGUIDialogLaunch(OptionsDialogId);
}

void ResetOptionsDialog() {
    OptionsDialogId = BADDIALOGID;
    LimitLengthToggleId = BADDIALOGID;
    LanguageRadioBoxId = BADDIALOGID;
    LanguageChosen = false;
    LanguageButtonAtInit = 0;
}

} // namespace quorvin::builder
