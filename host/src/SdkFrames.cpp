// The QorUtil functions of the SDK: frames, drawing, picking and coordinate conversions. Every
// function records its call, checks its handles and arguments, records a fault for anything invalid
// and then returns a safe default; none of them throws or crashes on bad input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

// ---------------------------------------------------------------------------
// Frames

Boolean_t QorUtilFrameCreateNew(Boolean_t UseSuppliedFrameSize, double X, double Y, double Width,
                                double Height) {
    ENTER();
    qh::FrameSpec spec;
    if (UseSuppliedFrameSize) {
        if (!isFinite(X) || !isFinite(Y) || !isFinite(Width) || !isFinite(Height) || Width <= 0 ||
            Height <= 0) {
            h.fault(fn(__func__) + "a frame needs a finite position and a positive size");
            return FALSE;
        }
        spec.x = X;
        spec.y = Y;
        spec.width = Width;
        spec.height = Height;
    }
    h.addFrame(spec);
    h.deliverStateChange(StateChange_FramesCreated, 0);
    return TRUE;
}

Boolean_t QorUtilFrameGetName(char **Name) {
    ENTER();
    if (!nonNull(h, Name, __func__, "output pointer"))
        return FALSE;
    *Name = nullptr;
    Frame *f = h.current();
    if (!f)
        return FALSE;
    return giveString(h, Name, f->spec.name, "FrameGetName");
}

Boolean_t QorUtilFrameSetName(const char *Name) {
    ENTER();
    if (!nonNull(h, Name, __func__, "name"))
        return FALSE;
    Frame *f = h.current();
    if (!f)
        return FALSE;
    f->spec.name = Name;
    return TRUE;
}

Boolean_t QorUtilFrameGetLinking(const char *Key, LgIndex_t *Value) {
    ENTER();
    if (!nonNull(h, Key, __func__, "key") || !nonNull(h, Value, __func__, "output pointer"))
        return FALSE;
    Frame *f = h.current();
    if (!f)
        return FALSE;
    if (std::strcmp(Key, "LinkGroup") == 0)
        *Value = f->spec.linkGroup;
    else if (std::strcmp(Key, "LinkFrameSizeAndPosition") == 0)
        *Value = f->spec.linkSizeAndPosition ? 1 : 0;
    else {
        h.fault(fn(__func__) + "unknown linking key \"" + Key + "\"");
        return FALSE;
    }
    return TRUE;
}

Boolean_t QorUtilFrameSetLinking(const char *Key, LgIndex_t Value) {
    ENTER();
    if (!nonNull(h, Key, __func__, "key"))
        return FALSE;
    Frame *f = h.current();
    if (!f)
        return FALSE;
    if (std::strcmp(Key, "LinkGroup") == 0) {
        if (Value < 0) {
            h.fault(fn(__func__) + "LinkGroup must be 0 or more");
            return FALSE;
        }
        f->spec.linkGroup = Value;
    } else if (std::strcmp(Key, "LinkFrameSizeAndPosition") == 0) {
        if (Value != 0 && Value != 1) {
            h.fault(fn(__func__) + "LinkFrameSizeAndPosition must be 0 or 1");
            return FALSE;
        }
        f->spec.linkSizeAndPosition = Value == 1;
    } else {
        h.fault(fn(__func__) + "unknown linking key \"" + Key + "\"");
        return FALSE;
    }
    h.joinLinkGroup(*f);
    return TRUE;
}

void QorUtilFrameGetPosAndSize(double *X, double *Y, double *Width, double *Height) {
    ENTER();
    if (!nonNull(h, X, __func__, "X") || !nonNull(h, Y, __func__, "Y") ||
        !nonNull(h, Width, __func__, "Width") || !nonNull(h, Height, __func__, "Height"))
        return;
    Frame *f = h.current();
    *X = f ? f->spec.x : 0;
    *Y = f ? f->spec.y : 0;
    *Width = f ? f->spec.width : 0;
    *Height = f ? f->spec.height : 0;
}

Boolean_t QorUtilFrameSetPosAndSize(double X, double Y, double Width, double Height) {
    ENTER();
    Frame *f = h.current();
    if (!f)
        return FALSE;
    if (!isFinite(X) || !isFinite(Y) || !isFinite(Width) || !isFinite(Height) || Width <= 0 ||
        Height <= 0) {
        h.fault(fn(__func__) + "a frame needs a finite position and a positive size");
        return FALSE;
    }
    h.setPosAndSize(*f, X, Y, Width, Height);
    h.deliverStateChange(StateChange_FrameMovedByCommand, 0);
    return TRUE;
}

LgIndex_t QorUtilFrameGetCount(void) {
    ENTER();
    return static_cast<LgIndex_t>(h.stack.size());
}

Boolean_t QorUtilFramePop(LgIndex_t FrameNum) {
    ENTER();
    if (FrameNum < 1 || static_cast<size_t>(FrameNum) > h.stack.size()) {
        h.fault(fn(__func__) + "frame number " + std::to_string(FrameNum) + " is not 1 to " +
                std::to_string(h.stack.size()));
        return FALSE;
    }
    const size_t index = static_cast<size_t>(FrameNum - 1);
    const bool reorders = index + 1 != h.stack.size();
    h.popFrame(index);
    if (reorders)
        h.deliverStateChange(StateChange_FramesDeleted, 0);
    return TRUE;
}

Boolean_t QorUtilFramePopByUniqueID(UniqueID_t UniqueID) {
    ENTER();
    for (size_t i = 0; i < h.stack.size(); ++i)
        if (h.stack[i]->uniqueId == UniqueID) {
            const bool reorders = i + 1 != h.stack.size();
            h.popFrame(i);
            if (reorders)
                h.deliverStateChange(StateChange_FramesDeleted, 0);
            return TRUE;
        }
    h.fault(fn(__func__) + "no frame has unique ID " + std::to_string(UniqueID));
    return FALSE;
}

UniqueID_t QorUtilFrameGetUniqueID(void) {
    ENTER();
    Frame *f = h.current();
    return f ? f->uniqueId : 0;
}

Boolean_t QorUtilFrameLightweightPopStart(void) {
    ENTER();
    if (h.walking)
        h.fault(fn(__func__) + "a lightweight walk was already running; it starts again");
    h.walking = false;
    if (h.stack.empty())
        return FALSE;
    h.walking = true;
    h.walkIndex = 0; // the bottom frame first, the frame that was current last
    return TRUE;
}

Boolean_t QorUtilFrameLightweightPopNext(void) {
    ENTER();
    if (!h.walking) {
        h.fault(fn(__func__) + "no lightweight walk is running");
        return FALSE;
    }
    if (h.walkIndex + 1 >= h.stack.size())
        return FALSE;
    ++h.walkIndex;
    return TRUE;
}

void QorUtilFrameLightweightPopEnd(void) {
    ENTER();
    if (!h.walking) {
        h.fault(fn(__func__) + "no lightweight walk is running");
        return;
    }
    h.walking = false;
}

// ---------------------------------------------------------------------------
// Drawing

Boolean_t QorUtilDrawGraphics(Boolean_t DoDrawing) {
    ENTER();
    h.drawing = DoDrawing != 0;
    return TRUE;
}

void QorUtilRedraw(Boolean_t DoFullDrawing) {
    ENTER();
    (void)DoFullDrawing;
}

void QorUtilRedrawAll(Boolean_t DoFullDrawing) {
    ENTER();
    (void)DoFullDrawing;
}

// ---------------------------------------------------------------------------
// Picking

LgIndex_t QorUtilPickListGetCount(void) {
    ENTER();
    return static_cast<LgIndex_t>(h.picks.size());
}

PickObjects_e QorUtilPickListGetType(LgIndex_t PickListIndex) {
    ENTER();
    if (PickListIndex < 1 || static_cast<size_t>(PickListIndex) > h.picks.size()) {
        h.fault(fn(__func__) + "pick index " + std::to_string(PickListIndex) + " is not 1 to " +
                std::to_string(h.picks.size()));
        return PickObject_None;
    }
    return h.picks[static_cast<size_t>(PickListIndex - 1)].type;
}

Text_ID QorUtilPickListGetText(LgIndex_t PickListIndex) {
    ENTER();
    if (PickListIndex < 1 || static_cast<size_t>(PickListIndex) > h.picks.size() ||
        h.picks[static_cast<size_t>(PickListIndex - 1)].type != PickObject_Text) {
        h.fault(fn(__func__) + "pick " + std::to_string(PickListIndex) + " is not a text");
        return nullptr;
    }
    return qh::toHandle<Text_ID>(h.picks[static_cast<size_t>(PickListIndex - 1)].handle);
}

Geom_ID QorUtilPickListGetGeom(LgIndex_t PickListIndex) {
    ENTER();
    if (PickListIndex < 1 || static_cast<size_t>(PickListIndex) > h.picks.size() ||
        h.picks[static_cast<size_t>(PickListIndex - 1)].type != PickObject_Geom) {
        h.fault(fn(__func__) + "pick " + std::to_string(PickListIndex) + " is not a geometry");
        return nullptr;
    }
    return qh::toHandle<Geom_ID>(h.picks[static_cast<size_t>(PickListIndex - 1)].handle);
}

Boolean_t QorUtilPickSetMouseMode(MouseButtonMode_e MouseMode) {
    ENTER();
    if (MouseMode < 0) {
        h.fault(fn(__func__) + "unknown mouse mode " + std::to_string(MouseMode));
        return FALSE;
    }
    h.mouseMode = MouseMode;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Coordinate conversions, through paper inches

double QorUtilConvertXPosition(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys, double OldX) {
    ENTER();
    if (!frameSystemNeedsFrame(h, OldCoordSys, NewCoordSys, __func__))
        return OldX;
    FrameRect f = qh::rectOf(h.current());
    return qh::paperToPositionX(NewCoordSys, qh::positionToPaperX(OldCoordSys, OldX, f), f);
}

double QorUtilConvertYPosition(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys, double OldY) {
    ENTER();
    if (!frameSystemNeedsFrame(h, OldCoordSys, NewCoordSys, __func__))
        return OldY;
    FrameRect f = qh::rectOf(h.current());
    return qh::paperToPositionY(NewCoordSys, qh::positionToPaperY(OldCoordSys, OldY, f), f);
}

double QorUtilConvertXDimension(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys,
                                double OldDimension) {
    ENTER();
    if (!frameSystemNeedsFrame(h, OldCoordSys, NewCoordSys, __func__))
        return OldDimension;
    FrameRect f = qh::rectOf(h.current());
    return qh::paperToLengthX(NewCoordSys, qh::lengthToPaperX(OldCoordSys, OldDimension, f), f);
}

double QorUtilConvertYDimension(CoordSys_e OldCoordSys, CoordSys_e NewCoordSys,
                                double OldDimension) {
    ENTER();
    if (!frameSystemNeedsFrame(h, OldCoordSys, NewCoordSys, __func__))
        return OldDimension;
    FrameRect f = qh::rectOf(h.current());
    return qh::paperToLengthY(NewCoordSys, qh::lengthToPaperY(OldCoordSys, OldDimension, f), f);
}

} // extern "C"
