// The QorUtil functions of the SDK. Every function records its call, checks
// its handles and arguments, records a fault for anything invalid and then
// returns a safe default; none of them throws or crashes on bad input.
#include "HostImpl.h"
#include "StudioHooks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

using quorvin::host::Frame;
using quorvin::host::FrameRect;
using quorvin::host::Geom;
using quorvin::host::Host;
using quorvin::host::Message;
using quorvin::host::Text;
using quorvin::host::TextSpec;
namespace qh = quorvin::host;

#define ENTER()                                                                                    \
    Host::Impl &h = Host::instance().impl();                                                       \
    h.record(__func__)

namespace {

std::string fn(const char *name) {
    return std::string(name) + ": ";
}

bool isFinite(double v) {
    return std::isfinite(v);
}

// The text behind a handle; records a fault when there is none.
Text *textArg(Host::Impl &h, Text_ID id, const char *func, Frame **owner = nullptr) {
    Text *t = h.text(qh::fromHandle(id), owner);
    if (!t)
        h.fault(fn(func) + "invalid text handle");
    h.touchedText = t ? qh::fromHandle(id) : 0;
    h.touchedGeom = 0;
    return t;
}

Geom *geomArg(Host::Impl &h, Geom_ID id, const char *func, Frame **owner = nullptr) {
    Geom *g = h.geom(qh::fromHandle(id), owner);
    if (!g)
        h.fault(fn(func) + "invalid geometry handle");
    h.touchedGeom = g ? qh::fromHandle(id) : 0;
    h.touchedText = 0;
    return g;
}

Geom *geomOfType(Host::Impl &h, Geom_ID id, GeomType_e type, const char *func,
                 Frame **owner = nullptr) {
    Geom *g = geomArg(h, id, func, owner);
    if (g && g->spec.type != type) {
        h.fault(fn(func) + "geometry is of type " + std::to_string(g->spec.type) + ", not " +
                std::to_string(type));
        return nullptr;
    }
    return g;
}

bool nonNull(Host::Impl &h, const void *p, const char *func, const char *what) {
    if (!p)
        h.fault(fn(func) + what + " is NULL");
    return p != nullptr;
}

bool validAddOn(Host::Impl &h, AddOn_pa addOn) {
    for (const auto &r : h.registrations)
        if (r.handle == addOn)
            return true;
    return false;
}

// Hands a string to the add-on through an output argument.
Boolean_t giveString(Host::Impl &h, char **out, const std::string &value, const char *tag) {
    *out = h.newString(value, tag);
    return *out ? TRUE : FALSE;
}

void removePicks(Host::Impl &h, uint64_t handle) {
    h.picks.erase(std::remove_if(h.picks.begin(), h.picks.end(),
                                 [&](const Host::Impl::Pick &p) { return p.handle == handle; }),
                  h.picks.end());
}

std::string upper(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string &s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// Colour names of macro commands: the eight basic colours, CUSTOM1..CUSTOM56.
int colorByName(const std::string &name) {
    static const char *const basic[] = {"BLACK", "RED",    "GREEN",  "BLUE",
                                        "CYAN",  "YELLOW", "PURPLE", "WHITE"};
    std::string n = upper(name);
    for (int i = 0; i < 8; ++i)
        if (n == basic[i])
            return i;
    if (n.rfind("CUSTOM", 0) == 0 && n.size() > 6 && n.size() <= 8) {
        int k = 0;
        for (size_t i = 6; i < n.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(n[i])))
                return -1;
            k = k * 10 + (n[i] - '0');
        }
        if (k >= 1 && k <= qh::kColorCount - 8)
            return 7 + k;
    }
    return -1;
}

bool frameSystemNeedsFrame(Host::Impl &h, CoordSys_e a, CoordSys_e b, const char *func) {
    if (!qh::validCoordSys(a) || !qh::validCoordSys(b)) {
        h.fault(fn(func) + "unknown coordinate system " +
                std::to_string(qh::validCoordSys(a) ? b : a) + " (1 frame, 3 paper, 4 screen)");
        return false;
    }
    if ((a == CoordSys_Frame || b == CoordSys_Frame) && !h.current()) {
        h.fault(fn(func) + "frame coordinates need a current frame");
        return false;
    }
    return true;
}

} // namespace

extern "C" {

// ---------------------------------------------------------------------------
// Registration, version, locks, menus

AddOn_pa QorUtilAddOnRegister(int32_t QuorvinBaseVersion, const char *AddOnName,
                              const char *AddOnVersion, const char *Author) {
    ENTER();
    if (!AddOnName || !AddOnVersion || !Author) {
        h.fault(fn(__func__) + "name, version and author must not be NULL");
        return nullptr;
    }
    Host::Registration r;
    r.handle = qh::toHandle<AddOn_pa>(qh::newHandle());
    r.baseVersion = QuorvinBaseVersion;
    r.name = AddOnName;
    r.version = AddOnVersion;
    r.author = Author;
    h.registrations.push_back(r);
    return r.handle;
}

int32_t QorUtilGetQuorvinVersion(void) {
    ENTER();
    return h.version;
}

void QorUtilLockOn(void) {
    ENTER();
    ++h.lockOnDepth;
}

void QorUtilLockOff(void) {
    ENTER();
    if (h.lockOnDepth == 0) {
        h.fault(fn(__func__) + "no QorUtilLockOn to turn off");
        return;
    }
    --h.lockOnDepth;
}

void QorUtilLockStart(AddOn_pa AddOn) {
    ENTER();
    if (!validAddOn(h, AddOn))
        h.fault(fn(__func__) + "invalid add-on handle");
    ++h.lockDepth; // counted anyway so that the matching finish balances
}

void QorUtilLockFinish(AddOn_pa AddOn) {
    ENTER();
    if (!validAddOn(h, AddOn))
        h.fault(fn(__func__) + "invalid add-on handle");
    if (h.lockDepth == 0) {
        h.fault(fn(__func__) + "lock finish without a lock start");
        return;
    }
    --h.lockDepth;
}

Boolean_t QorUtilMenuAddOption(const char *MenuPath, const char *MenuLabel, char Mnemonic,
                               DynamicMenuCallback_pf Callback) {
    ENTER();
    if (!nonNull(h, MenuPath, __func__, "menu path") ||
        !nonNull(h, MenuLabel, __func__, "menu label") ||
        !nonNull(h, reinterpret_cast<const void *>(Callback), __func__, "callback"))
        return FALSE;
    for (const auto &o : h.menuOptions)
        if (o.menu == MenuPath && o.label == MenuLabel) {
            h.fault(fn(__func__) + "option \"" + MenuLabel + "\" already exists in \"" + MenuPath +
                    "\"");
            return FALSE;
        }
    Host::MenuOption option;
    option.menu = MenuPath;
    option.label = MenuLabel;
    option.mnemonic = Mnemonic;
    option.callback = Callback;
    h.menuOptions.push_back(option);
    return TRUE;
}

// ---------------------------------------------------------------------------
// State changes and idle

Boolean_t QorUtilStateChangeAddCallback(StateChangeAddOnCallback_pf Callback) {
    ENTER();
    if (!nonNull(h, reinterpret_cast<const void *>(Callback), __func__, "callback"))
        return FALSE;
    for (const auto &c : h.stateCallbacks)
        if (c.callback == Callback) {
            h.fault(fn(__func__) + "callback is already installed");
            return FALSE;
        }
    h.stateCallbacks.push_back({Callback, StateChangeMode_v75});
    return TRUE;
}

Boolean_t QorUtilStateChangeSetMode(StateChangeAddOnCallback_pf Callback, StateChangeMode_e Mode) {
    ENTER();
    if (Mode != StateChangeMode_v75 && Mode != StateChangeMode_v80) {
        h.fault(fn(__func__) + "unknown mode " + std::to_string(Mode));
        return FALSE;
    }
    for (auto &c : h.stateCallbacks)
        if (c.callback == Callback) {
            c.mode = Mode;
            return TRUE;
        }
    h.fault(fn(__func__) + "callback is not installed");
    return FALSE;
}

void QorUtilStateChanged(StateChange_e StateChange, ArbParam_t CallData) {
    ENTER();
    h.deliverStateChange(StateChange, CallData);
}

void QorUtilOnIdleQueueAddCallback(OnIdleCallback_pf Callback, ArbParam_t ClientData) {
    ENTER();
    if (!nonNull(h, reinterpret_cast<const void *>(Callback), __func__, "callback"))
        return;
    h.idleQueue.emplace_back(Callback, ClientData);
}

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
// Texts

Text_ID QorUtilTextGetBase(void) {
    ENTER();
    Frame *f = h.current();
    if (!f || f->texts.empty())
        return nullptr;
    return qh::toHandle<Text_ID>(f->texts.front().handle);
}

Text_ID QorUtilTextGetNext(Text_ID TextID) {
    ENTER();
    Frame *owner = nullptr;
    Text *t = textArg(h, TextID, __func__, &owner);
    if (!t)
        return nullptr;
    size_t index = static_cast<size_t>(t - owner->texts.data());
    if (index + 1 >= owner->texts.size()) {
        h.touchedText = 0; // the walk is over: no text is in hand
        return nullptr;
    }
    return qh::toHandle<Text_ID>(owner->texts[index + 1].handle);
}

Text_ID QorUtilTextCreate(CoordSys_e PositionCoordSys, double X, double Y, Units_e HeightUnits,
                          double Height, const char *String) {
    ENTER();
    if (!nonNull(h, String, __func__, "text"))
        return nullptr;
    if (!qh::validCoordSys(PositionCoordSys) || !qh::validSizeUnits(HeightUnits) || !isFinite(X) ||
        !isFinite(Y) || !isFinite(Height) || Height < 0) {
        h.fault(fn(__func__) + "invalid coordinate system, units, position or height");
        return nullptr;
    }
    Frame *f = h.current();
    if (!f)
        return nullptr;
    TextSpec spec;
    spec.string = String;
    spec.coordSys = PositionCoordSys;
    spec.x = X;
    spec.y = Y;
    spec.sizeUnits = HeightUnits;
    spec.height = Height;
    return qh::toHandle<Text_ID>(h.addText(*f, spec));
}

Boolean_t QorUtilTextDelete(Text_ID TextID) {
    ENTER();
    Frame *owner = nullptr;
    Text *t = textArg(h, TextID, __func__, &owner);
    if (!t)
        return FALSE;
    const uint64_t handle = t->handle;
    owner->texts.erase(owner->texts.begin() + (t - owner->texts.data()));
    h.textOwner.erase(handle);
    removePicks(h, handle);
    return TRUE;
}

Boolean_t QorUtilTextIsValid(Text_ID TextID) {
    ENTER();
    return h.text(qh::fromHandle(TextID)) ? TRUE : FALSE;
}

Boolean_t QorUtilTextGetString(Text_ID TextID, char **TextString) {
    ENTER();
    if (!nonNull(h, TextString, __func__, "output pointer"))
        return FALSE;
    *TextString = nullptr;
    Text *t = textArg(h, TextID, __func__);
    if (!t)
        return FALSE;
    return giveString(h, TextString, t->spec.string, "TextGetString");
}

Boolean_t QorUtilTextSetString(Text_ID TextID, const char *TextString) {
    ENTER();
    Text *t = textArg(h, TextID, __func__);
    if (!t || !nonNull(h, TextString, __func__, "text"))
        return FALSE;
    t->spec.string = TextString;
    return TRUE;
}

Boolean_t QorUtilTextGetMacroFunctionCmd(Text_ID TextID, char **Command) {
    ENTER();
    if (!nonNull(h, Command, __func__, "output pointer"))
        return FALSE;
    *Command = nullptr;
    Text *t = textArg(h, TextID, __func__);
    if (!t)
        return FALSE;
    return giveString(h, Command, t->spec.command, "TextGetMacroFunctionCmd");
}

Boolean_t QorUtilTextSetMacroFunctionCmd(Text_ID TextID, const char *Command) {
    ENTER();
    Text *t = textArg(h, TextID, __func__);
    if (!t || !nonNull(h, Command, __func__, "command"))
        return FALSE;
    t->spec.command = Command;
    return TRUE;
}

void QorUtilTextGetXYPos(Text_ID TextID, double *X, double *Y) {
    ENTER();
    if (!nonNull(h, X, __func__, "X") || !nonNull(h, Y, __func__, "Y"))
        return;
    *X = *Y = 0;
    if (Text *t = textArg(h, TextID, __func__)) {
        *X = t->spec.x;
        *Y = t->spec.y;
    }
}

void QorUtilTextSetXYPos(Text_ID TextID, double X, double Y) {
    ENTER();
    Text *t = textArg(h, TextID, __func__);
    if (!t)
        return;
    if (!isFinite(X) || !isFinite(Y)) {
        h.fault(fn(__func__) + "position must be finite");
        return;
    }
    t->spec.x = X;
    t->spec.y = Y;
}

#define TEXT_GETTER(Name, Type, field, fallback)                                                   \
    Type Name(Text_ID TextID) {                                                                    \
        ENTER();                                                                                   \
        Text *t = textArg(h, TextID, __func__);                                                    \
        return t ? static_cast<Type>(t->spec.field) : (fallback);                                  \
    }

#define TEXT_SETTER(Name, Type, field, valid, rule)                                                \
    void Name(Text_ID TextID, Type value) {                                                        \
        ENTER();                                                                                   \
        Text *t = textArg(h, TextID, __func__);                                                    \
        if (!t)                                                                                    \
            return;                                                                                \
        if (!(valid)) {                                                                            \
            h.fault(fn(__func__) + (rule));                                                        \
            return;                                                                                \
        }                                                                                          \
        t->spec.field = value;                                                                     \
    }

TEXT_GETTER(QorUtilTextGetPositionCoordSys, CoordSys_e, coordSys, CoordSys_Frame)
TEXT_GETTER(QorUtilTextGetSizeUnits, Units_e, sizeUnits, Units_Point)
TEXT_GETTER(QorUtilTextGetHeight, double, height, 0.0)
TEXT_SETTER(QorUtilTextSetHeight, double, height, isFinite(value) && value >= 0,
            "height must be 0 or more")
TEXT_GETTER(QorUtilTextGetAngle, double, angle, 0.0)
TEXT_SETTER(QorUtilTextSetAngle, double, angle, isFinite(value), "angle must be finite")
TEXT_GETTER(QorUtilTextGetAnchor, int32_t, anchor, 0)
TEXT_SETTER(QorUtilTextSetAnchor, int32_t, anchor, qh::validAnchor(value),
            "anchor must be 0, 1 or 2")
TEXT_GETTER(QorUtilTextGetColor, ColorIndex_t, color, 0)
TEXT_SETTER(QorUtilTextSetColor, ColorIndex_t, color, qh::validColor(value),
            "colour index must be 0 to 63")
TEXT_GETTER(QorUtilTextGetFont, int32_t, font, 0)
TEXT_SETTER(QorUtilTextSetFont, int32_t, font, qh::validFont(value), "font must be 0 to 12")
TEXT_GETTER(QorUtilTextGetLineSpacing, double, lineSpacing, 1.0)
TEXT_SETTER(QorUtilTextSetLineSpacing, double, lineSpacing, isFinite(value) && value >= 0,
            "line spacing must be 0 or more")
TEXT_GETTER(QorUtilTextGetScope, int32_t, scope, 1)
TEXT_SETTER(QorUtilTextSetScope, int32_t, scope, qh::validScope(value), "scope must be 1 or 2")
TEXT_GETTER(QorUtilTextBoxGetType, TextBox_e, boxType, TextBox_None)
TEXT_SETTER(QorUtilTextBoxSetType, TextBox_e, boxType, qh::validBoxType(value),
            "box type must be 0, 1 or 2")
TEXT_GETTER(QorUtilTextBoxGetMargin, double, margin, 0.0)
TEXT_SETTER(QorUtilTextBoxSetMargin, double, margin, isFinite(value) && value >= 0,
            "margin must be 0 or more")
TEXT_GETTER(QorUtilTextBoxGetColor, ColorIndex_t, boxColor, 0)
TEXT_SETTER(QorUtilTextBoxSetColor, ColorIndex_t, boxColor, qh::validColor(value),
            "colour index must be 0 to 63")
TEXT_GETTER(QorUtilTextBoxGetFillColor, ColorIndex_t, fillColor, 0)
TEXT_SETTER(QorUtilTextBoxSetFillColor, ColorIndex_t, fillColor, qh::validColor(value),
            "colour index must be 0 to 63")
TEXT_GETTER(QorUtilTextBoxGetLineThickness, double, lineThickness, 0.0)
TEXT_SETTER(QorUtilTextBoxSetLineThickness, double, lineThickness, isFinite(value) && value >= 0,
            "line thickness must be 0 or more")

void QorUtilTextBoxGetPosition(Text_ID TextID, double *X1, double *Y1, double *X2, double *Y2,
                               double *X3, double *Y3, double *X4, double *Y4) {
    ENTER();
    double *out[] = {X1, Y1, X2, Y2, X3, Y3, X4, Y4};
    for (double *p : out)
        if (!nonNull(h, p, __func__, "corner output"))
            return;
    for (double *p : out)
        *p = 0;
    Frame *owner = nullptr;
    Text *t = textArg(h, TextID, __func__, &owner);
    if (!t)
        return;
    qh::PaperBox box = qh::textPaperBox(t->spec, qh::rectOf(owner));
    const double left = box.left * qh::kScreenDpi, right = box.right * qh::kScreenDpi;
    const double top = box.top * qh::kScreenDpi, bottom = box.bottom * qh::kScreenDpi;
    *X1 = left;
    *Y1 = bottom;
    *X2 = right;
    *Y2 = bottom;
    *X3 = right;
    *Y3 = top;
    *X4 = left;
    *Y4 = top;
}

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
    Frame *owner = nullptr;
    Geom *g = geomArg(h, GeomID, __func__, &owner);
    if (!g)
        return FALSE;
    const uint64_t handle = g->handle;
    owner->geoms.erase(owner->geoms.begin() + (g - owner->geoms.data()));
    h.geomOwner.erase(handle);
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

// ---------------------------------------------------------------------------
// Sets

Set_pa QorUtilSetAlloc(Boolean_t ShowErr) {
    ENTER();
    (void)ShowErr;
    uint64_t handle = qh::newHandle();
    h.sets[handle];
    return qh::toHandle<Set_pa>(handle);
}

void QorUtilSetDealloc(Set_pa *Set) {
    ENTER();
    if (!nonNull(h, Set, __func__, "pointer") || !*Set)
        return;
    if (!h.sets.erase(qh::fromHandle(*Set))) {
        h.fault(fn(__func__) + "invalid set handle, or the set was already freed");
        return;
    }
    *Set = nullptr;
}

namespace {
std::set<SetIndex_t> *setArg(Host::Impl &h, Set_pa set, const char *func) {
    auto it = h.sets.find(qh::fromHandle(set));
    if (it == h.sets.end()) {
        h.fault(fn(func) + "invalid set handle");
        return nullptr;
    }
    return &it->second;
}
} // namespace

Boolean_t QorUtilSetClear(Set_pa Set) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    if (!s)
        return FALSE;
    s->clear();
    return TRUE;
}

Boolean_t QorUtilSetAddMember(Set_pa Set, SetIndex_t Member, Boolean_t ShowErr) {
    ENTER();
    (void)ShowErr;
    auto *s = setArg(h, Set, __func__);
    if (!s)
        return FALSE;
    if (Member < 0) {
        h.fault(fn(__func__) + "member " + std::to_string(Member) + " is below 0");
        return FALSE;
    }
    s->insert(Member);
    return TRUE;
}

Boolean_t QorUtilSetIsMember(Set_pa Set, SetIndex_t Member) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    return s && s->count(Member) ? TRUE : FALSE;
}

SetIndex_t QorUtilSetGetMemberCount(Set_pa Set) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    return s ? static_cast<SetIndex_t>(s->size()) : 0;
}

SetIndex_t QorUtilSetGetNextMember(Set_pa Set, SetIndex_t Member) {
    ENTER();
    auto *s = setArg(h, Set, __func__);
    if (!s)
        return QORSET_NOT_MEMBER;
    auto it = s->upper_bound(Member);
    return it == s->end() ? QORSET_NOT_MEMBER : *it;
}

// ---------------------------------------------------------------------------
// String lists

StringList_pa QorUtilStringListAlloc(void) {
    ENTER();
    uint64_t handle = qh::newHandle();
    h.stringLists[handle];
    return qh::toHandle<StringList_pa>(handle);
}

void QorUtilStringListDealloc(StringList_pa *StringList) {
    ENTER();
    if (!nonNull(h, StringList, __func__, "pointer") || !*StringList)
        return;
    if (!h.stringLists.erase(qh::fromHandle(*StringList))) {
        h.fault(fn(__func__) + "invalid string list handle, or the list was already freed");
        return;
    }
    *StringList = nullptr;
}

namespace {
std::vector<std::string> *listArg(Host::Impl &h, StringList_pa list, const char *func) {
    auto it = h.stringLists.find(qh::fromHandle(list));
    if (it == h.stringLists.end()) {
        h.fault(fn(func) + "invalid string list handle");
        return nullptr;
    }
    return &it->second;
}
} // namespace

void QorUtilStringListClear(StringList_pa StringList) {
    ENTER();
    if (auto *l = listArg(h, StringList, __func__))
        l->clear();
}

Boolean_t QorUtilStringListAppendString(StringList_pa StringList, const char *String) {
    ENTER();
    auto *l = listArg(h, StringList, __func__);
    if (!l || !nonNull(h, String, __func__, "string"))
        return FALSE;
    l->emplace_back(String);
    return TRUE;
}

LgIndex_t QorUtilStringListGetCount(StringList_pa StringList) {
    ENTER();
    auto *l = listArg(h, StringList, __func__);
    return l ? static_cast<LgIndex_t>(l->size()) : 0;
}

char *QorUtilStringListGetString(StringList_pa StringList, LgIndex_t StringNumber) {
    ENTER();
    auto *l = listArg(h, StringList, __func__);
    if (!l)
        return nullptr;
    if (StringNumber < 1 || static_cast<size_t>(StringNumber) > l->size()) {
        h.fault(fn(__func__) + "string number " + std::to_string(StringNumber) + " is not 1 to " +
                std::to_string(l->size()));
        return nullptr;
    }
    return h.newString((*l)[static_cast<size_t>(StringNumber - 1)], "StringListGetString");
}

// ---------------------------------------------------------------------------
// Host strings

char *QorUtilStringAlloc(LgIndex_t MaxLength, const char *DebugInfo) {
    ENTER();
    if (MaxLength < 0) {
        h.fault(fn(__func__) + "length " + std::to_string(MaxLength) + " is below 0");
        return nullptr;
    }
    const size_t size = static_cast<size_t>(MaxLength) + 1;
    char *s = static_cast<char *>(std::calloc(size, 1));
    if (!s)
        return nullptr;
    h.strings[s] = Host::Impl::StringRecord{DebugInfo ? DebugInfo : "", size};
    return s;
}

void QorUtilStringDealloc(char **String) {
    ENTER();
    if (!nonNull(h, String, __func__, "pointer") || !*String)
        return;
    auto it = h.strings.find(*String);
    if (it == h.strings.end()) {
        h.fault(fn(__func__) + "string not allocated by the host, or already freed");
        return;
    }
    h.strings.erase(it);
    std::free(*String);
    *String = nullptr;
}

// ---------------------------------------------------------------------------
// Argument lists, styles, macro commands

ArgList_pa QorUtilArgListAlloc(void) {
    ENTER();
    uint64_t handle = qh::newHandle();
    h.argLists[handle];
    return qh::toHandle<ArgList_pa>(handle);
}

void QorUtilArgListDealloc(ArgList_pa *ArgList) {
    ENTER();
    if (!nonNull(h, ArgList, __func__, "pointer") || !*ArgList)
        return;
    if (!h.argLists.erase(qh::fromHandle(*ArgList))) {
        h.fault(fn(__func__) + "invalid argument list handle, or the list was already freed");
        return;
    }
    *ArgList = nullptr;
}

namespace {
std::vector<Host::Impl::Arg> *argsArg(Host::Impl &h, ArgList_pa list, const char *func) {
    auto it = h.argLists.find(qh::fromHandle(list));
    if (it == h.argLists.end()) {
        h.fault(fn(func) + "invalid argument list handle");
        return nullptr;
    }
    return &it->second;
}

const Host::Impl::Arg *findArg(const std::vector<Host::Impl::Arg> &args, const char *name) {
    for (const auto &a : args)
        if (a.name == name)
            return &a;
    return nullptr;
}
} // namespace

void QorUtilArgListClear(ArgList_pa ArgList) {
    ENTER();
    if (auto *l = argsArg(h, ArgList, __func__))
        l->clear();
}

Boolean_t QorUtilArgListAppendString(ArgList_pa ArgList, const char *Name, const char *Value) {
    ENTER();
    auto *l = argsArg(h, ArgList, __func__);
    if (!l || !nonNull(h, Name, __func__, "name") || !nonNull(h, Value, __func__, "value"))
        return FALSE;
    Host::Impl::Arg a;
    a.name = Name;
    a.text = Value;
    l->push_back(a);
    return TRUE;
}

Boolean_t QorUtilArgListAppendInt(ArgList_pa ArgList, const char *Name, LgIndex_t Value) {
    ENTER();
    auto *l = argsArg(h, ArgList, __func__);
    if (!l || !nonNull(h, Name, __func__, "name"))
        return FALSE;
    Host::Impl::Arg a;
    a.name = Name;
    a.isString = false;
    a.value = Value;
    l->push_back(a);
    return TRUE;
}

SetValueReturnCode_e QorUtilStyleSetLowLevelX(ArgList_pa ArgList) {
    ENTER();
    auto *l = argsArg(h, ArgList, __func__);
    if (!l)
        return SetValue_Invalid;
    const auto *p1 = findArg(*l, "P1");
    const auto *p2 = findArg(*l, "P2");
    const auto *value = findArg(*l, "IValue");
    if (!p1 || !p2 || !value || !p1->isString || !p2->isString || value->isString) {
        h.fault(fn(__func__) + "needs the strings P1 and P2 and the integer IValue");
        return SetValue_Invalid;
    }
    Frame *f = h.current();
    if (!f) {
        h.fault(fn(__func__) + "there is no frame");
        return SetValue_Invalid;
    }
    const std::string group = upper(p1->text), item = upper(p2->text);
    if (group == "FRAMELAYOUT" && item == "SHOWHEADER" &&
        (value->value == 0 || value->value == 1)) {
        f->spec.showHeader = value->value == 1;
        return SetValue_Ok;
    }
    if (group == "FRAMELAYOUT" && item == "BACKGROUNDCOLOR" && qh::validColor(value->value)) {
        f->spec.backgroundColor = value->value;
        return SetValue_Ok;
    }
    h.fault(fn(__func__) + "unsupported style " + p1->text + "/" + p2->text + " = " +
            std::to_string(value->value));
    return SetValue_Invalid;
}

Boolean_t QorUtilMacroExecuteCommand(const char *Command) {
    ENTER();
    if (!nonNull(h, Command, __func__, "command"))
        return FALSE;
    const std::string command = trim(Command);
    Frame *f = h.current();
    auto refuse = [&](const std::string &why) {
        h.fault(fn(__func__) + why + ": " + qh::describeText(command));
        return FALSE;
    };
    if (!f)
        return refuse("there is no frame for the macro command");
    size_t eq = command.find('=');
    if (command.rfind("$!", 0) != 0 || eq == std::string::npos)
        return refuse("unsupported macro command");
    const std::string head = upper(trim(command.substr(2, eq - 2)));
    const std::string value = trim(command.substr(eq + 1));
    if (head == "FRAMENAME") {
        // The name is quoted with ' or "; inside it the other quote is plain.
        if (value.size() < 2 || (value.front() != '\'' && value.front() != '"') ||
            value.back() != value.front())
            return refuse("the frame name must be quoted");
        f->spec.name = value.substr(1, value.size() - 2);
        return TRUE;
    }
    if (head == "FRAMELAYOUT SHOWHEADER") {
        const std::string v = upper(value);
        if (v != "YES" && v != "NO" && v != "TRUE" && v != "FALSE")
            return refuse("SHOWHEADER must be YES or NO");
        f->spec.showHeader = v == "YES" || v == "TRUE";
        return TRUE;
    }
    if (head == "FRAMELAYOUT BACKGROUNDCOLOR") {
        int color = colorByName(value);
        if (color < 0)
            return refuse("unknown colour");
        f->spec.backgroundColor = color;
        return TRUE;
    }
    return refuse("unsupported macro command");
}

// ---------------------------------------------------------------------------
// Layout files and help

char *QorUtilGetCurLayoutFName(void) {
    ENTER();
    if (h.layoutFile.empty())
        return nullptr;
    return h.newString(h.layoutFile, "GetCurLayoutFName");
}

char *QorUtilGetBasePath(const char *FileName) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "file name"))
        return nullptr;
    std::string name = FileName;
    size_t slash = name.find_last_of('/');
    std::string base = slash == std::string::npos ? std::string("./") : name.substr(0, slash + 1);
    return h.newString(base, "GetBasePath");
}

Boolean_t QorUtilSaveLayout(const char *FileName, Boolean_t UseRelativePaths) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "file name"))
        return FALSE;
    if (h.failSave) {
        h.failSave = false;
        return FALSE;
    }
    std::string error;
    if (!qh::writeLayoutFile(h, FileName, UseRelativePaths != 0, &error))
        return FALSE;
    if (h.layoutFile != FileName) {
        h.layoutFile = FileName;
        h.deliverStateChange(StateChange_LayoutOpened, 0);
    }
    return TRUE;
}

Boolean_t QorUtilDialogGetFileName(SelectFileOption_e DialogOption, char **FileName,
                                   const char *FileTypeName, const char *DefaultFileName,
                                   const char *DefaultFilter) {
    ENTER();
    if (!nonNull(h, FileName, __func__, "output pointer"))
        return FALSE;
    *FileName = nullptr;
    qh::promptForFileName(h, DialogOption, FileTypeName, DefaultFileName, DefaultFilter);
    if (h.fileNames.empty()) {
        h.fault("unanswered file chooser: " +
                qh::describeText(std::string(FileTypeName ? FileTypeName : "") + " (" +
                                 (DefaultFilter ? DefaultFilter : "") + ")"));
        return FALSE;
    }
    std::optional<std::string> answer = h.fileNames.front();
    h.fileNames.pop_front();
    if (!answer)
        return FALSE;
    return giveString(h, FileName, *answer, "DialogGetFileName");
}

void QorUtilHelp(const char *HelpFileOrURL, Boolean_t GoToID, int32_t HelpID) {
    ENTER();
    (void)GoToID;
    (void)HelpID;
    if (!nonNull(h, HelpFileOrURL, __func__, "help file"))
        return;
    Message m;
    m.call = Message::Call::Help;
    m.text = HelpFileOrURL;
    h.show(m);
}

// ---------------------------------------------------------------------------
// Messages

void QorUtilDialogErrMsg(const char *Msg) {
    ENTER();
    if (!nonNull(h, Msg, __func__, "message"))
        return;
    Message m;
    m.call = Message::Call::ErrMsg;
    m.boxType = MessageBox_Error;
    m.text = Msg;
    h.show(m);
}

Boolean_t QorUtilDialogMessageBox(const char *Msg, MessageBoxType_e MessageBoxType) {
    ENTER();
    if (!nonNull(h, Msg, __func__, "message"))
        return FALSE;
    if (MessageBoxType < MessageBox_Error || MessageBoxType > MessageBox_Question) {
        h.fault(fn(__func__) + "unknown message box type " + std::to_string(MessageBoxType));
        return FALSE;
    }
    if (MessageBoxType >= MessageBox_WarningOkCancel) {
        qh::promptForAnswer(h, Msg, MessageBoxType);
        return h.ask(Msg, MessageBoxType) ? TRUE : FALSE;
    }
    Message m;
    m.call = Message::Call::MessageBox;
    m.boxType = MessageBoxType;
    m.text = Msg;
    h.show(m);
    return TRUE;
}

void QorUtilPleaseWait(const char *WaitMessage, Boolean_t DoStart) {
    ENTER();
    Message m;
    m.call = Message::Call::PleaseWait;
    m.text = WaitMessage ? WaitMessage : "";
    m.answer = DoStart != 0; // on or off
    h.show(m);
}

// ---------------------------------------------------------------------------
// Interface and colours

void QorUtilInterfaceGetDotsPerInch(double *HorzDotsPerInch, double *VertDotsPerInch) {
    ENTER();
    if (!nonNull(h, HorzDotsPerInch, __func__, "output") ||
        !nonNull(h, VertDotsPerInch, __func__, "output"))
        return;
    *HorzDotsPerInch = qh::kScreenDpi;
    *VertDotsPerInch = qh::kScreenDpi;
}

int32_t QorUtilInterfaceGetBaseFontSize(void) {
    ENTER();
    return 16;
}

void QorUtilColorMapGetBasicColorRGB(ColorIndex_t BasicColor, uint8_t *Red, uint8_t *Green,
                                     uint8_t *Blue) {
    ENTER();
    if (!nonNull(h, Red, __func__, "Red") || !nonNull(h, Green, __func__, "Green") ||
        !nonNull(h, Blue, __func__, "Blue"))
        return;
    *Red = *Green = *Blue = 0;
    if (!qh::validColor(BasicColor)) {
        h.fault(fn(__func__) + "colour index " + std::to_string(BasicColor) + " is not 0 to 63");
        return;
    }
    qh::colorRGB(BasicColor, Red, Green, Blue);
}

Boolean_t QorUtilDialogGetColor(Boolean_t AllowMultiColor, ColorIndex_t *Color) {
    ENTER();
    (void)AllowMultiColor;
    if (!nonNull(h, Color, __func__, "output pointer"))
        return FALSE;
    qh::promptForColor(h);
    if (h.colors.empty()) {
        h.fault("unanswered colour chooser");
        return FALSE;
    }
    std::optional<ColorIndex_t> answer = h.colors.front();
    h.colors.pop_front();
    if (!answer)
        return FALSE;
    *Color = *answer;
    return TRUE;
}

} // extern "C"
