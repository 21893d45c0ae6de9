#include "model/Picked.h"

namespace quorvin::builder {

PickedObject PickedObjects[kMaxPickedObjects];

bool IsUsablePickedText(Text_ID text) {
    return QorUtilTextGetAngle(text) == 0.0;
}

bool IsUsablePickedGeom(Geom_ID geom) {
    switch (QorUtilGeomGetType(geom)) {
    case GeomType_Rectangle:
    case GeomType_Image:
        return true;
    case GeomType_LineSegs:
        return QorUtilGeomPolyGetPolylineCnt(geom) == 1 &&
               QorUtilGeomPolyGetPointCount(geom, 1) == 2;
    default:
        return false;
    }
}

void CollectPicked(int &count, PickedObject (&objects)[kMaxPickedObjects], bool report) {
    count = 0;
    const LgIndex_t entries = QorUtilPickListGetCount();
    for (LgIndex_t i = 1; i <= entries; ++i) {
        PickedObject object;
        switch (QorUtilPickListGetType(i)) {
        case PickObject_Text:
            object.IsText = true;
            object.Text = QorUtilPickListGetText(i);
            if (!IsUsablePickedText(object.Text))
                continue;
            break;
        case PickObject_Geom:
            object.Geom = QorUtilPickListGetGeom(i);
            if (!IsUsablePickedGeom(object.Geom))
                continue;
            break;
        default:
            continue;
        }
        // Only a usable object beyond the 255th exceeds the maximum.
        if (count == kMaxPickedObjects) {
            if (report)
                QorUtilDialogErrMsg("Maximum number of picked objects exceeded");
            return;
        }
        objects[count++] = object;
    }
}

} // namespace quorvin::builder
