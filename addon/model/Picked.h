// The usable objects of the host's pick list: unrotated texts, rectangles,
// images and two-point lines. The arrange commands and the tool dialog's
// sensitivity work on them.
#pragma once

#include "QORADDON.h"

namespace quorvin::builder {

struct PickedObject {
    bool IsText = false;
    Text_ID Text = nullptr; // when IsText
    Geom_ID Geom = nullptr; // otherwise
};

constexpr int kMaxPickedObjects = 255;

// Kept for the whole add-on; every command refills it.
extern PickedObject PickedObjects[kMaxPickedObjects];

// Fills objects from the pick list in its order and sets count. At most 255
// are taken; when more usable objects remain, "Maximum number of picked
// objects exceeded" is shown (only when report is set: the idle sensitivity
// update is silent).
void CollectPicked(int &count, PickedObject (&objects)[kMaxPickedObjects], bool report = true);

// Whether a picked text or geometry counts as an arrangeable object.
bool IsUsablePickedText(Text_ID text);
bool IsUsablePickedGeom(Geom_ID geom);

} // namespace quorvin::builder
