#include "model/Settings.h"

namespace quorvin::builder {

BuilderSettingsT BuilderSettings;
AddOn_pa AddOnHandle = nullptr;
Set_pa FormPageSets[kLinkGroupCount] = {};
Set_pa TabPageSets[kLinkGroupCount] = {};
StringList_pa BuildNameList = nullptr;
AnchorTableT AnchorTable;

Set_pa FormPageSet(int group) {
    if (group < 1 || group > kLinkGroupCount)
        return nullptr;
    return FormPageSets[group - 1];
}

Set_pa TabPageSet(int group) {
    if (group < 1 || group > kLinkGroupCount)
        return nullptr;
    return TabPageSets[group - 1];
}

void AllocatePageSets() {
    for (int i = 0; i < kLinkGroupCount; ++i) {
        FormPageSets[i] = QorUtilSetAlloc(TRUE);
        TabPageSets[i] = QorUtilSetAlloc(TRUE);
    }
}

void FreeHostObjects() {
    if (BuildNameList)
        QorUtilStringListDealloc(&BuildNameList);
    BuildNameList = nullptr;
    for (int i = 0; i < kLinkGroupCount; ++i) {
        if (TabPageSets[i])
            QorUtilSetDealloc(&TabPageSets[i]);
        TabPageSets[i] = nullptr;
        if (FormPageSets[i])
            QorUtilSetDealloc(&FormPageSets[i]);
        FormPageSets[i] = nullptr;
    }
}

} // namespace quorvin::builder
