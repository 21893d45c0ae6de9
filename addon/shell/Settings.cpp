#include "shell/Settings.h"

namespace quorvin::builder {

BuilderSettingsT BuilderSettings;
AddOn_pa AddOnHandle = nullptr;
Set_pa FormPageSets[kLinkGroupCount] = {};
Set_pa TabPageSets[kLinkGroupCount] = {};
StringList_pa BuildNameList = nullptr;

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

} // namespace quorvin::builder
