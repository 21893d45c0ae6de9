#include "shell/StateChange.h"

#include "model/HostResources.h"
#include "options/Options.h"
#include "model/Settings.h"
#include "shell/ToolDialog.h"

#include <string>

namespace quorvin::builder {

bool IdlePending = false;

namespace {

bool HasQuit = false;

// Code 6: another layout may be current; its "dlb.cfg" is read when the
// layout file name differs from the one the file was last read for.
void FollowLayoutFile() {
    HostString name(QorUtilGetCurLayoutFName());
    if (!name)
        return;
    TrimSpace(name.get());
    const std::string current = name.get();
    if (current.empty() || current == BuilderSettings.LayoutFileName)
        return;
    ReadConfigFile();
    BuilderSettings.LayoutFileName = current;
}

void QueueIdle() {
    if (IdlePending)
        return;
    IdlePending = true;
    QorUtilOnIdleQueueAddCallback(OnIdle, 0);
}

bool OneFramePicked() {
    return QorUtilPickListGetCount() == 1 && QorUtilPickListGetType(1) == PickObject_Frame;
}

} // namespace

void ResetStateChangeState() {
    AnchorTable.Count = 0;
    AnchorTable.FrameWidth = 0;
    AnchorTable.FrameHeight = 0;
    AnchorTable.FrameX = 0;
    AnchorTable.FrameY = 0;
    AnchorTable.FrameId = 0;
    IdlePending = false;
    HasQuit = false;
}

bool AddOnHasQuit() {
    return HasQuit;
}

void CaptureAnchors() {
    AnchorTable.Count = 0;
    double x = 0, y = 0, width = 0, height = 0;
    QorUtilFrameGetPosAndSize(&x, &y, &width, &height);
    AnchorTable.FrameWidth = width;
    AnchorTable.FrameHeight = height;
    AnchorTable.FrameX = x;
    AnchorTable.FrameY = y;
    AnchorTable.FrameId = QorUtilFrameGetUniqueID();

    for (Text_ID text = QorUtilTextGetBase(); text && AnchorTable.Count < kMaxAnchorRecords;
         text = QorUtilTextGetNext(text)) {
        AnchorRecord &record = AnchorTable.Records[AnchorTable.Count++];
        record = AnchorRecord{};
        record.IsText = true;
        record.Text = text;
        double tx = 0, ty = 0;
        QorUtilTextGetXYPos(text, &tx, &ty);
        const CoordSys_e system = QorUtilTextGetPositionCoordSys(text);
        record.X = QorUtilConvertXPosition(system, CoordSys_Paper, tx);
        record.Y = QorUtilConvertYPosition(system, CoordSys_Paper, ty);
    }

    for (Geom_ID geom = QorUtilGeomGetBase(); geom && AnchorTable.Count < kMaxAnchorRecords;
         geom = QorUtilGeomGetNext(geom)) {
        AnchorRecord &record = AnchorTable.Records[AnchorTable.Count++];
        record = AnchorRecord{};
        record.Geom = geom;
        record.GeomType = QorUtilGeomGetType(geom);
        double gx = 0, gy = 0, gz = 0;
        QorUtilGeomGetXYZAnchorPos(geom, &gx, &gy, &gz);
        const CoordSys_e system = QorUtilGeomGetPositionCoordSys(geom);
        record.X = QorUtilConvertXPosition(system, CoordSys_Paper, gx);
        record.Y = QorUtilConvertYPosition(system, CoordSys_Paper, gy);
        double w = 0, h = 0;
        if (record.GeomType == GeomType_Image) {
            QorUtilGeomImageGetSize(geom, &w, &h);
            record.Width = QorUtilConvertXDimension(system, CoordSys_Paper, w);
        } else if (record.GeomType == GeomType_Rectangle) {
            QorUtilGeomRectangleGetSize(geom, &w, &h);
            record.Width = QorUtilConvertXDimension(system, CoordSys_Paper, w);
            record.Height = QorUtilConvertYDimension(system, CoordSys_Paper, h);
        }
    }
}

void ReanchorControls() {
    // The records hold the controls of the frame picked last; resizing any
    // other frame leaves them where they are.
    if (AnchorTable.Count == 0 || QorUtilFrameGetUniqueID() != AnchorTable.FrameId)
        return;
    double x = 0, y = 0, width = 0, height = 0;
    QorUtilFrameGetPosAndSize(&x, &y, &width, &height);
    if (width == AnchorTable.FrameWidth && height == AnchorTable.FrameHeight) {
        // Moved, not resized: the controls went along with the frame, so the
        // places to keep move with it. A later resize then keeps them where
        // the user sees them, not where the frame was when it was picked.
        const double dx = x - AnchorTable.FrameX, dy = y - AnchorTable.FrameY;
        for (int i = 0; i < AnchorTable.Count; ++i) {
            AnchorTable.Records[i].X += dx;
            AnchorTable.Records[i].Y += dy;
        }
        AnchorTable.FrameX = x;
        AnchorTable.FrameY = y;
        return;
    }
    AnchorTable.FrameWidth = width;
    AnchorTable.FrameHeight = height;
    AnchorTable.FrameX = x;
    AnchorTable.FrameY = y;

    for (int i = 0; i < AnchorTable.Count; ++i) {
        const AnchorRecord &record = AnchorTable.Records[i];
        if (record.IsText) {
            if (!QorUtilTextIsValid(record.Text))
                continue;
            const CoordSys_e system = QorUtilTextGetPositionCoordSys(record.Text);
            QorUtilTextSetXYPos(record.Text,
                                QorUtilConvertXPosition(CoordSys_Paper, system, record.X),
                                QorUtilConvertYPosition(CoordSys_Paper, system, record.Y));
            continue;
        }
        if (!QorUtilGeomIsValid(record.Geom))
            continue;
        const CoordSys_e system = QorUtilGeomGetPositionCoordSys(record.Geom);
        double gx = 0, gy = 0, gz = 0;
        QorUtilGeomGetXYZAnchorPos(record.Geom, &gx, &gy, &gz);
        QorUtilGeomSetXYZAnchorPos(record.Geom,
                                   QorUtilConvertXPosition(CoordSys_Paper, system, record.X),
                                   QorUtilConvertYPosition(CoordSys_Paper, system, record.Y), gz);
        if (record.GeomType == GeomType_Image) {
            QorUtilGeomImageSetWidth(
                record.Geom, QorUtilConvertXDimension(CoordSys_Paper, system, record.Width));
        } else if (record.GeomType == GeomType_Rectangle) {
            QorUtilGeomRectangleSetSize(
                record.Geom, QorUtilConvertXDimension(CoordSys_Paper, system, record.Width),
                QorUtilConvertYDimension(CoordSys_Paper, system, record.Height));
        }
    }
}

void OnStateChange(StateChange_e code, ArbParam_t /*argument*/) {
    // After quit the add-on owns nothing any more and reacts to nothing.
    if (HasQuit)
        return;
    LockGuard lock(AddOnHandle);
    switch (code) {
    case StateChange_LayoutOpened:
        AnchorTable.Count = 0;
        if (ToolDialogIsUp())
            FollowLayoutFile();
        break;
    case StateChange_FrameMovedByUser:
    case StateChange_FrameMovedByCommand:
        if (ToolDialogIsUp() && BuilderSettings.AnchorToPaper)
            ReanchorControls();
        break;
    case StateChange_QuitQuorvin:
        FreeHostObjects();
        HasQuit = true;
        return; // nothing is queued once the add-on has let go of the host
    case StateChange_FramesCreated:
    case StateChange_FramesDeleted:
        AnchorTable.Count = 0;
        break;
    case StateChange_PickListChanged:
        if (OneFramePicked() && ToolDialogIsUp() && BuilderSettings.AnchorToPaper)
            CaptureAnchors();
        break;
    default:
        break;
    }
    QueueIdle();
}

void OnIdle(ArbParam_t /*clientData*/) {
    if (HasQuit)
        return;
    LockGuard lock(AddOnHandle);
    UpdateToolSensitivity();
    IdlePending = false;
}

} // namespace quorvin::builder
