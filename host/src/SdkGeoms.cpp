// The QorUtil functions of the SDK: geometries. Every function records its call, checks
// its handles and arguments, records a fault for anything invalid and then
// returns a safe default; none of them throws or crashes on bad input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

// ---------------------------------------------------------------------------
// Geometries

Geom_ID QorUtilGeomGetBase(void) {
    ENTER();
    Frame *f = h.current();
    if (!f || f->geoms.empty())
        return nullptr;
    return qh::toHandle<Geom_ID>(f->geoms.front().handle);
}

Geom_ID QorUtilGeomGetNext(Geom_ID GeomID) {
    ENTER();
    Frame *owner = nullptr;
    Geom *g = geomArg(h, GeomID, __func__, &owner);
    if (!g)
        return nullptr;
    size_t index = static_cast<size_t>(g - owner->geoms.data());
    if (index + 1 >= owner->geoms.size()) {
        h.touchedGeom = 0; // the walk is over: no geometry is in hand
        return nullptr;
    }
    return qh::toHandle<Geom_ID>(owner->geoms[index + 1].handle);
}

Boolean_t QorUtilGeomIsValid(Geom_ID GeomID) {
    ENTER();
    return h.geom(qh::fromHandle(GeomID)) ? TRUE : FALSE;
}

Boolean_t QorUtilGeomDelete(Geom_ID GeomID) {
    ENTER();
    Geom *g = geomArg(h, GeomID, __func__);
    if (!g)
        return FALSE;
    const uint64_t handle = g->handle;
    h.removeGeom(handle);
    removePicks(h, handle);
    return TRUE;
}

GeomType_e QorUtilGeomGetType(Geom_ID GeomID) {
    ENTER();
    Geom *g = geomArg(h, GeomID, __func__);
    return g ? g->spec.type : GeomType_LineSegs;
}

Boolean_t QorUtilGeomGetMacroFunctionCmd(Geom_ID GeomID, char **Command) {
    ENTER();
    if (!nonNull(h, Command, __func__, "output pointer"))
        return FALSE;
    *Command = nullptr;
    Geom *g = geomArg(h, GeomID, __func__);
    if (!g)
        return FALSE;
    return giveString(h, Command, g->spec.command, "GeomGetMacroFunctionCmd");
}

Boolean_t QorUtilGeomSetMacroFunctionCmd(Geom_ID GeomID, const char *Command) {
    ENTER();
    Geom *g = geomArg(h, GeomID, __func__);
    if (!g || !nonNull(h, Command, __func__, "command"))
        return FALSE;
    g->spec.command = Command;
    return TRUE;
}

void QorUtilGeomGetXYZAnchorPos(Geom_ID GeomID, double *X, double *Y, double *Z) {
    ENTER();
    if (!nonNull(h, X, __func__, "X") || !nonNull(h, Y, __func__, "Y") ||
        !nonNull(h, Z, __func__, "Z"))
        return;
    *X = *Y = *Z = 0;
    if (Geom *g = geomArg(h, GeomID, __func__)) {
        *X = g->spec.x;
        *Y = g->spec.y;
        *Z = g->spec.z;
    }
}

void QorUtilGeomSetXYZAnchorPos(Geom_ID GeomID, double X, double Y, double Z) {
    ENTER();
    Geom *g = geomArg(h, GeomID, __func__);
    if (!g)
        return;
    if (!isFinite(X) || !isFinite(Y) || !isFinite(Z)) {
        h.fault(fn(__func__) + "anchor must be finite");
        return;
    }
    g->spec.x = X;
    g->spec.y = Y;
    g->spec.z = Z;
}

CoordSys_e QorUtilGeomGetPositionCoordSys(Geom_ID GeomID) {
    ENTER();
    Geom *g = geomArg(h, GeomID, __func__);
    return g ? g->spec.coordSys : CoordSys_Frame;
}

void QorUtilGeomSetDrawOrder(Geom_ID GeomID, DrawOrder_e DrawOrder) {
    ENTER();
    Geom *g = geomArg(h, GeomID, __func__);
    if (!g)
        return;
    if (DrawOrder != DrawOrder_AfterData && DrawOrder != DrawOrder_BeforeData) {
        h.fault(fn(__func__) + "draw order must be 0 or 1");
        return;
    }
    g->drawOrder = DrawOrder;
}

Geom_ID QorUtilGeomRectangleCreate(CoordSys_e PositionCoordSys, double X, double Y, double Width,
                                   double Height) {
    ENTER();
    if (!qh::validCoordSys(PositionCoordSys) || !isFinite(X) || !isFinite(Y) || !isFinite(Width) ||
        !isFinite(Height)) {
        h.fault(fn(__func__) + "invalid coordinate system, anchor or size");
        return nullptr;
    }
    Frame *f = h.current();
    if (!f)
        return nullptr;
    Geom g;
    g.spec.type = GeomType_Rectangle;
    g.spec.coordSys = PositionCoordSys;
    g.spec.x = X;
    g.spec.y = Y;
    g.spec.width = Width;
    g.spec.height = Height;
    return qh::toHandle<Geom_ID>(h.addGeom(*f, std::move(g)));
}

void QorUtilGeomRectangleGetSize(Geom_ID GeomID, double *Width, double *Height) {
    ENTER();
    if (!nonNull(h, Width, __func__, "Width") || !nonNull(h, Height, __func__, "Height"))
        return;
    *Width = *Height = 0;
    if (Geom *g = geomOfType(h, GeomID, GeomType_Rectangle, __func__)) {
        *Width = g->spec.width;
        *Height = g->spec.height;
    }
}

void QorUtilGeomRectangleSetSize(Geom_ID GeomID, double Width, double Height) {
    ENTER();
    Geom *g = geomOfType(h, GeomID, GeomType_Rectangle, __func__);
    if (!g)
        return;
    if (!isFinite(Width) || !isFinite(Height)) {
        h.fault(fn(__func__) + "size must be finite");
        return;
    }
    g->spec.width = Width;
    g->spec.height = Height;
}

LgIndex_t QorUtilGeomPolyGetPolylineCnt(Geom_ID GeomID) {
    ENTER();
    Geom *g = geomOfType(h, GeomID, GeomType_LineSegs, __func__);
    return g ? static_cast<LgIndex_t>(g->spec.polylines.size()) : 0;
}

LgIndex_t QorUtilGeomPolyGetPointCount(Geom_ID GeomID, LgIndex_t PolyNum) {
    ENTER();
    Geom *g = geomOfType(h, GeomID, GeomType_LineSegs, __func__);
    if (!g)
        return 0;
    if (PolyNum < 1 || static_cast<size_t>(PolyNum) > g->spec.polylines.size()) {
        h.fault(fn(__func__) + "polyline " + std::to_string(PolyNum) + " does not exist");
        return 0;
    }
    return static_cast<LgIndex_t>(g->spec.polylines[static_cast<size_t>(PolyNum - 1)].size());
}

void QorUtilGeom2DMPolyGetPoint(Geom_ID GeomID, LgIndex_t PolyNum, LgIndex_t PointIndex, double *X,
                                double *Y) {
    ENTER();
    if (!nonNull(h, X, __func__, "X") || !nonNull(h, Y, __func__, "Y"))
        return;
    *X = *Y = 0;
    Geom *g = geomOfType(h, GeomID, GeomType_LineSegs, __func__);
    if (!g)
        return;
    if (PolyNum < 1 || static_cast<size_t>(PolyNum) > g->spec.polylines.size()) {
        h.fault(fn(__func__) + "polyline " + std::to_string(PolyNum) + " does not exist");
        return;
    }
    const auto &poly = g->spec.polylines[static_cast<size_t>(PolyNum - 1)];
    if (PointIndex < 1 || static_cast<size_t>(PointIndex) > poly.size()) {
        h.fault(fn(__func__) + "point " + std::to_string(PointIndex) + " does not exist");
        return;
    }
    *X = poly[static_cast<size_t>(PointIndex - 1)].x;
    *Y = poly[static_cast<size_t>(PointIndex - 1)].y;
}

Geom_ID QorUtilGeomImageCreate(const char *FileName, double X, double Y, double Size) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "file name"))
        return nullptr;
    if (!isFinite(X) || !isFinite(Y) || !isFinite(Size) || Size <= 0) {
        h.fault(fn(__func__) + "anchor must be finite and the size positive");
        return nullptr;
    }
    Frame *f = h.current();
    if (!f)
        return nullptr;
    Geom g;
    g.spec.type = GeomType_Image;
    g.spec.coordSys = CoordSys_Frame;
    g.spec.x = X;
    g.spec.y = Y;
    g.spec.width = Size;
    g.spec.imageFile = FileName;
    if (!Host::Impl::loadImage(FileName, g, nullptr))
        return nullptr; // an unreadable file is an ordinary failure: result 0
    return qh::toHandle<Geom_ID>(h.addGeom(*f, std::move(g)));
}

Boolean_t QorUtilGeomImageGetFileName(Geom_ID GeomID, char **FileName) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "output pointer"))
        return FALSE;
    *FileName = nullptr;
    Geom *g = geomOfType(h, GeomID, GeomType_Image, __func__);
    if (!g)
        return FALSE;
    return giveString(h, FileName, g->spec.imageFile, "GeomImageGetFileName");
}

void QorUtilGeomImageGetSize(Geom_ID GeomID, double *Width, double *Height) {
    ENTER();
    if (!nonNull(h, Width, __func__, "Width") || !nonNull(h, Height, __func__, "Height"))
        return;
    *Width = *Height = 0;
    Frame *owner = nullptr;
    Geom *g = geomOfType(h, GeomID, GeomType_Image, __func__, &owner);
    if (!g)
        return;
    *Width = g->spec.width;
    *Height = qh::imageHeight(*g, qh::rectOf(owner));
}

void QorUtilGeomImageSetWidth(Geom_ID GeomID, double Width) {
    ENTER();
    Geom *g = geomOfType(h, GeomID, GeomType_Image, __func__);
    if (!g)
        return;
    if (!isFinite(Width) || Width <= 0) {
        h.fault(fn(__func__) + "width must be positive");
        return;
    }
    g->spec.width = Width;
}

void QorUtilGeomImageResetAspectRatio(Geom_ID GeomID) {
    ENTER();
    // The height always follows the width and the pixel aspect ratio.
    geomOfType(h, GeomID, GeomType_Image, __func__);
}

Boolean_t QorUtilGeomImageGetImage(Geom_ID GeomID, GUIInt_t *Width, GUIInt_t *Height,
                                   unsigned char **RGBData) {
    ENTER();
    if (!nonNull(h, Width, __func__, "Width") || !nonNull(h, Height, __func__, "Height"))
        return FALSE;
    *Width = *Height = 0;
    if (RGBData)
        *RGBData = nullptr;
    Geom *g = geomOfType(h, GeomID, GeomType_Image, __func__);
    if (!g)
        return FALSE;
    *Width = g->pixelWidth;
    *Height = g->pixelHeight;
    if (RGBData) {
        auto *copy = static_cast<unsigned char *>(std::malloc(g->rgb.empty() ? 1 : g->rgb.size()));
        if (!copy)
            return FALSE;
        if (!g->rgb.empty())
            std::memcpy(copy, g->rgb.data(), g->rgb.size());
        h.rgbCopies[copy] = g->rgb.size();
        *RGBData = copy;
    }
    return TRUE;
}

void QorUtilImageRGBDataDealloc(unsigned char **RGBData) {
    ENTER();
    if (!nonNull(h, RGBData, __func__, "pointer"))
        return;
    if (!*RGBData)
        return;
    auto it = h.rgbCopies.find(*RGBData);
    if (it == h.rgbCopies.end()) {
        h.fault(fn(__func__) + "pixel data not handed out by the host, or already freed");
        return;
    }
    h.rgbCopies.erase(it);
    std::free(*RGBData);
    *RGBData = nullptr;
}

} // extern "C"
