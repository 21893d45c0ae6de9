#include "classic/BuildState.h"

#include "model/HostResources.h"
#include "model/Parameters.h"
#include "shell/Settings.h"

#include <algorithm>

namespace quorvin::builder {

BuildStateT BuildState;
GeneratorHooks BuildHooks;

namespace {

TabPageRow TabPageTable[kLinkGroupCount];

LgIndex_t FrameLinking(const char *key) {
    LgIndex_t value = 0;
    if (!QorUtilFrameGetLinking(key, &value))
        return 0;
    return value;
}

} // namespace

const TabPageRow *TabPageRowOf(int group) {
    if (group < 1 || group > kLinkGroupCount)
        return nullptr;
    return &TabPageTable[group - 1];
}

void BuildTabPageTable() {
    for (TabPageRow &row : TabPageTable)
        row.count = 0;
    if (QorUtilFrameLightweightPopStart()) {
        do {
            HostString name = CurrentFrameName();
            if (!name || FindParameter(name.get(), "TABPAGE") < 0)
                continue;
            if (!GetFlagParameter(name.get(), "TABPAGE") ||
                FrameLinking("LinkFrameSizeAndPosition") == 0)
                continue;
            const int group = FrameLinking("LinkGroup");
            if (group < 1 || group > kLinkGroupCount)
                continue;
            TabPageRow &row = TabPageTable[group - 1];
            if (row.count >= kMaxTabPagesPerGroup)
                continue;
            row.entries[row.count].position = GetIntParameter(name.get(), "POS", 0);
            row.entries[row.count].pageId = GetFrameId(name.get());
            ++row.count;
        } while (QorUtilFrameLightweightPopNext());
        QorUtilFrameLightweightPopEnd();
    }
    // Pages of equal POS keep the frame order, so every build writes the same.
    for (TabPageRow &row : TabPageTable) {
        std::stable_sort(
            row.entries, row.entries + row.count,
            [](const TabPageEntry &a, const TabPageEntry &b) { return a.position < b.position; });
    }
}

} // namespace quorvin::builder
