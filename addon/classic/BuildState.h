// State that a build shares with its writers and that outlives one build:
// the preview flag and handle, the element collector, the language the line
// writer folds for, and the tab page order of every linking group.
#pragma once

#include "QORADDON.h"

#include <cstdint>

namespace quorvin::qorutilmisc {
class Parser;
}

namespace quorvin::builder {

struct ContainerInfo;
struct ControlRecord;

struct BuildStateT {
    // Set while a preview is built: the line writer then writes nothing. It
    // keeps its value until the next build or preview, because the preview
    // dialog's callbacks run later.
    bool Preview = false;
    // The dialog or sidebar the last preview created; BADDIALOGID before.
    GUIInt_t PreviewHandle = BADDIALOGID;
    // Collects the element trees for the Qt output; null when none is kept.
    qorutilmisc::Parser *Collector = nullptr;
    // The output language of the text being written (0 C, 1 C++, 2 FORTRAN,
    // 3 Qt): FORTRAN text is folded into continuation lines.
    int32_t Language = 1;
};

extern BuildStateT BuildState;

// Where a live preview or the Qt element recording joins the generator. Each
// hook is optional and runs in builds and previews alike; a hook looks at
// BuildState to decide whether it has work to do.
struct GeneratorHooks {
    // Once per container, after its declarations and before its builder
    // function is written (the container's creation).
    void (*container)(const ContainerInfo &container) = nullptr;
    // Once per accepted control, right after its creation statement and
    // before its callback stubs: the one place a control is made.
    void (*control)(const ContainerInfo &container, const ControlRecord &control) = nullptr;
    // After the container's last control (a preview page pops its parent).
    void (*containerEnd)(const ContainerInfo &container) = nullptr;
    // The frame walk of a preview: GoBuild calls it in place of the three
    // passes of a build, after the tab page table is rebuilt and the page
    // sets are cleared; it generates the previewed frame and its pages
    // (GenerateFrame with no files) and leaves that frame current.
    void (*previewWalk)() = nullptr;
};

extern GeneratorHooks BuildHooks;

// The tab pages of one linking group, in the order their tab control shows
// them (ascending POS; pages of equal POS keep the host's frame order).
constexpr int kMaxTabPagesPerGroup = 32;
struct TabPageEntry {
    int32_t position = 0;
    int32_t pageId = -1;
};
struct TabPageRow {
    int count = 0;
    TabPageEntry entries[kMaxTabPagesPerGroup];
};

// Row of linking group 1 to 32; null for any other group.
const TabPageRow *TabPageRowOf(int group);
// Rebuilds every row from the tab page frames of the layout (lightweight
// frame walk). Groups outside 1 to 32 and pages beyond 32 in a group are left
// out; the build refuses such designs before it gets here.
void BuildTabPageTable();

} // namespace quorvin::builder
