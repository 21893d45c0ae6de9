#include "classic/BuildState.h"

#include "model/HostResources.h"
#include "model/Parameters.h"
#include "model/Settings.h"
#include "model/Frames.h"

#include <algorithm>

namespace quorvin::builder {

BuildStateT BuildState;
GeneratorHooks BuildHooks;

namespace {

TabPageRow TabPageTable[kLinkGroupCount];

} // namespace

const TabPageRow *TabPageRowOf(int group) {
    if (group < 1 || group > kLinkGroupCount)
        return nullptr;
    return &TabPageTable[group - 1];
}

void BuildTabPageTable() {
    for (TabPageRow &row : TabPageTable)
        row.count = 0;
    ForEachFrameLightweight([&] {
        HostString name = CurrentFrameName();
        if (!name || FindParameter(name.get(), "TABPAGE") < 0)
            return true;
        if (!GetFlagParameter(name.get(), "TABPAGE") ||
            FrameLinking("LinkFrameSizeAndPosition") == 0)
            return true;
        const int group = FrameLinking("LinkGroup");
        if (group < 1 || group > kLinkGroupCount)
            return true;
        TabPageRow &row = TabPageTable[group - 1];
        if (row.count >= kMaxTabPagesPerGroup)
            return true;
        row.entries[row.count].position = GetIntParameter(name.get(), "POS", 0);
        row.entries[row.count].pageId = GetFrameId(name.get());
        ++row.count;
        return true;
    });
    // Pages of equal POS keep the frame order, so every build writes the same.
    for (TabPageRow &row : TabPageTable) {
        std::stable_sort(
            row.entries, row.entries + row.count,
            [](const TabPageEntry &a, const TabPageEntry &b) { return a.position < b.position; });
    }
}

} // namespace quorvin::builder
