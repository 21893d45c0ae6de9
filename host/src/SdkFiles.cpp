// The QorUtil functions of the SDK: layout files and help. Every function records its call, checks
// its handles and arguments, records a fault for anything invalid and then
// returns a safe default; none of them throws or crashes on bad input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

// ---------------------------------------------------------------------------
// Layout files and help

char *QorUtilGetCurLayoutFName(void) {
    ENTER();
    if (h.layoutFile.empty())
        return nullptr;
    return h.newString(h.layoutFile, "GetCurLayoutFName");
}

char *QorUtilGetBasePath(const char *FileName) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "file name"))
        return nullptr;
    std::string name = FileName;
    size_t slash = name.find_last_of('/');
    std::string base = slash == std::string::npos ? std::string("./") : name.substr(0, slash + 1);
    return h.newString(base, "GetBasePath");
}

Boolean_t QorUtilSaveLayout(const char *FileName, Boolean_t UseRelativePaths) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "file name"))
        return FALSE;
    if (h.failSave) {
        h.failSave = false;
        return FALSE;
    }
    std::string error;
    if (!qh::writeLayoutFile(h, FileName, UseRelativePaths != 0, &error))
        return FALSE;
    if (h.layoutFile != FileName) {
        h.layoutFile = FileName;
        h.deliverStateChange(StateChange_LayoutOpened, 0);
    }
    return TRUE;
}

Boolean_t QorUtilDialogGetFileName(SelectFileOption_e DialogOption, char **FileName,
                                   const char *FileTypeName, const char *DefaultFileName,
                                   const char *DefaultFilter) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "output pointer"))
        return FALSE;
    *FileName = nullptr;
    qh::promptForFileName(h, DialogOption, FileTypeName, DefaultFileName, DefaultFilter);
    if (h.fileNames.empty()) {
        h.fault("unanswered file chooser: " +
                qh::describeText(std::string(FileTypeName ? FileTypeName : "") + " (" +
                                 (DefaultFilter ? DefaultFilter : "") + ")"));
        return FALSE;
    }
    std::optional<std::string> answer = h.fileNames.front();
    h.fileNames.pop_front();
    if (!answer)
        return FALSE;
    return giveString(h, FileName, *answer, "DialogGetFileName");
}

void QorUtilHelp(const char *HelpFileOrURL, Boolean_t GoToID, int32_t HelpID) {
    ENTER();
    (void)GoToID;
    (void)HelpID;
    if (!nonNull(h, HelpFileOrURL, __func__, "help file"))
        return;
    Message m;
    m.call = Message::Call::Help;
    m.text = HelpFileOrURL;
    h.show(m);
}

} // extern "C"
