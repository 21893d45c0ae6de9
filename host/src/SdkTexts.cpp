// The QorUtil functions of the SDK: texts. Every function records its call, checks
// its handles and arguments, records a fault for anything invalid and then
// returns a safe default; none of them throws or crashes on bad input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

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
    Text *t = textArg(h, TextID, __func__);
    if (!t)
        return FALSE;
    const uint64_t handle = t->handle;
    h.removeText(handle);
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

} // extern "C"
