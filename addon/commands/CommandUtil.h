// Small helpers shared by the editing commands.
#pragma once

#include "QORADDON.h"

#include "model/Format.h"

namespace quorvin::builder {

// The first picked text that is a tab (kind 0) or form (kind 1) control,
// in pick order. False when there is none.
bool FindPickedTabOrForm(int &kind, int &group, Text_ID &text);

// Number of texts in the current frame.
int CountFrameTexts();

// True when there is a current frame; otherwise reports that there is
// nothing to insert into.
bool RequireCurrentFrame();

} // namespace quorvin::builder
