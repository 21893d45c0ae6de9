#include "shell/Startup.h"

#include "classic/BuildState.h"
#include "commands/Commands.h"
#include "commands/Preview.h"
#include "options/Options.h"
#include "model/Settings.h"
#include "shell/StateChange.h"
#include "shell/ToolDialog.h"

#include <string>

namespace quorvin::builder {

namespace {

constexpr int32_t kAddOnBaseVersion = 100;
constexpr const char *kVersionText = "2022.2.0.18713 (2022.2.0.18713) Dec  6 2022";
constexpr const char *kAuthorText = "Quorvin Tools Group";
constexpr int32_t kOldestHostVersion = 1000300;

// Every setting and every identifier back to its first value, so that a
// second start in one process begins as the first did.
void SetDefaults() {
    BuilderSettings = BuilderSettingsT{};
    AddOnHandle = nullptr;
    for (int i = 0; i < kLinkGroupCount; ++i)
        FormPageSets[i] = TabPageSets[i] = nullptr;
    BuildNameList = nullptr;
    ResetStateChangeState();
    ResetToolDialogIds();
    ResetOptionsDialog();
    ForgetBitmapButtonDialog();
    ResetPreviewState();
    BuildState.Preview = false;
    BuildState.PreviewHandle = BADDIALOGID;
}

} // namespace

void InitAddOn() {
    QorUtilLockOn();
    SetDefaults();
    AllocatePageSets();
    AddOnHandle = QorUtilAddOnRegister(kAddOnBaseVersion, kAddOnName, kVersionText, kAuthorText);
    BuildNameList = QorUtilStringListAlloc();

    if (QorUtilGetQuorvinVersion() < kOldestHostVersion) {
        const std::string message = std::string("Add-on \"") + kAddOnName +
                                    "\" requires Quorvin version " + kReleaseNumber +
                                    " or greater.";
        QorUtilDialogErrMsg(message.c_str());
        // Inert on this host: nothing of ours stays allocated.
        FreeHostObjects();
    } else {
        QorUtilMenuAddOption("Tools", kAddOnName, 'B', OnToolsMenu);
        QorUtilStateChangeAddCallback(OnStateChange);
        QorUtilStateChangeSetMode(OnStateChange, StateChangeMode_v80);
        OnStateChange(StateChange_LayoutOpened, 0);
    }
    QorUtilLockOff();
}

} // namespace quorvin::builder
