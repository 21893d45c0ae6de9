// Small readers of the current frame and the lightweight walk over every
// frame, shared by the model, the build, the commands and the tool dialog.
#pragma once

#include "QORADDON.h"

namespace quorvin::builder {

// A linking value ("LinkGroup", "LinkFrameSizeAndPosition") of the current
// frame; 0 when it cannot be read.
inline LgIndex_t FrameLinking(const char *key) {
    LgIndex_t value = 0;
    if (!QorUtilFrameGetLinking(key, &value))
        return 0;
    return value;
}

// Whether the current frame is a size-and-position linked frame of the group.
inline bool IsLinkedPageOfGroup(int group) {
    return FrameLinking("LinkFrameSizeAndPosition") != 0 && FrameLinking("LinkGroup") == group;
}

// Visits every frame once without drawing, the frame that was current coming
// last; visit returns false to stop early. The frame that was current is
// current again afterwards.
template <typename Visit> void ForEachFrameLightweight(Visit visit) {
    if (!QorUtilFrameLightweightPopStart())
        return;
    do {
        if (!visit())
            break;
    } while (QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
}

} // namespace quorvin::builder
