// The controls of one container: each host text and geometry that is a
// control becomes a ControlRecord, and each record one creation statement
// (with its tool tip, page calls and definitions) and its callback stubs.
#include "classic/BuildState.h"
#include "classic/Emit.h"
#include "classic/Generator.h"

#include "model/Format.h"
#include "model/HostResources.h"
#include "model/Parameters.h"
#include "model/Validation.h"
#include "model/Settings.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

namespace quorvin::builder {

namespace {

constexpr int kMaxRadioLabels = 5;

// trunc(value + 0.499), held inside the range of int.
int RoundPixels(double value) {
    value += 0.499;
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

// A negative size is turned around: the position moves by it.
void FlipNegative(int &position, int &size) {
    if (size < 0) {
        position += size;
        size = -size;
    }
}

bool IsC(int32_t language) {
    return language == LanguageC || language == LanguageCPP;
}

std::string HostText(char *owned) {
    HostString s(owned);
    return s ? std::string(s.get()) : std::string();
}

// UNITWIDTH n gives the width directly, otherwise CHARWIDTH n a width of
// n + 2 characters; below 1 there is none (0).
int ReadWidthOverride(const char *command) {
    if (!command)
        return 0;
    int width = 0;
    if (FindParameter(command, "UNITWIDTH") >= 0)
        width = GetIntParameter(command, "UNITWIDTH", 0);
    else if (FindParameter(command, "CHARWIDTH") >= 0)
        width = CharWidthToDialogUnits(GetIntParameter(command, "CHARWIDTH", 0));
    return width >= 1 ? width : 0;
}

// The identifier of a text control made from its command and label text; the
// caller owns nothing (an empty result means none).
std::string TextControlName(const ContainerInfo &c, const char *labelText, const char *command,
                            const char *tag, ControlKind kind, bool report) {
    return ControlVarName(c.kind, labelText, command, tag, ControlKindDisplayName(kind), c.number,
                          report);
}

// Everything a text control shares, read in the order the statement needs it.
struct TextReading {
    std::string string;
    std::string command;
    bool hasCommand = false;
    std::string toolTip;
    bool showLabel = true;
    int x = 0, y = 0, w = 0, h = 0; // pixels
    int widthOverride = 0;
};

// The command is the one the tab order was read from.
TextReading ReadText(const ContainerInfo &c, Text_ID text, const HostString &command,
                     bool &warnOnce) {
    TextReading r;
    HostString string = TextString(text);
    r.hasCommand = command != nullptr;
    r.command = ToStdString(command);
    r.string = ToStdString(string);
    if (command)
        r.toolTip = HostText(GetStringTag(command.get(), "ToolTip"));
    r.showLabel = GetShowLabel(command ? command.get() : "");

    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
    QorUtilTextBoxGetPosition(text, &x1, &y1, &x2, &y2, &x3, &y3, &x4, &y4);
    r.x = std::max(0, RoundPixels(x1 - c.x0));
    r.y = std::max(0, RoundPixels(y3 - c.y0));
    r.w = RoundPixels(x2 - x1);
    r.h = RoundPixels(y1 - y4);
    r.widthOverride = ReadWidthOverride(command ? command.get() : nullptr);
    FlipNegative(r.x, r.w);
    FlipNegative(r.y, r.h);
    ClipToDialog(r.x, r.y, warnOnce, false);
    return r;
}

// Fills the shared fields of a text control's record.
void SetTextGeometry(ControlRecord &rec, const TextReading &r, bool sized) {
    rec.pixelX = r.x;
    rec.pixelY = r.y;
    rec.pixelWidth = r.w;
    rec.pixelHeight = r.h;
    rec.x = ToDialogUnitsX(r.x);
    rec.y = ToDialogUnitsY(r.y);
    if (sized) {
        // The add call of a sized control writes its width and height only
        // when they are above 0, and its parameters are fixed: an empty
        // label, 0 units wide, would drop an argument.
        rec.width = std::max(ToDialogUnitsX(r.w), 1);
        rec.height = std::max(ToDialogUnitsY(r.h), 1);
    }
}

// The record of one host text, or false when it makes no control.
bool RecordText(const ContainerInfo &c, Text_ID text, const HostString &textCommand, bool &warnOnce,
                ControlRecord &rec) {
    if (QorUtilTextGetAngle(text) != 0)
        return false;
    const TextReading r = ReadText(c, text, textCommand, warnOnce);

    const TextBox_e box = QorUtilTextBoxGetType(text);
    const ControlKind kind = ClassifyByPrefix(box, r.string.c_str());
    if (kind == NotAControl)
        return false;
    if (kind == RadioBox && !StartsWithToggleMarker(r.string.c_str()))
        return false;

    const char *command = r.hasCommand ? r.command.c_str() : nullptr;
    const char *labelText = ControlLabelText(kind, r.string.c_str());
    rec.type = kind;
    rec.text = r.string;
    rec.toolTip = r.toolTip;
    rec.showLabel = r.showLabel;
    SetTextGeometry(rec, r, kind != Label);

    if (kind == Form) {
        rec.group = GetIntParameter(r.string.c_str(), "GROUP", 0);
        // A form control without pages of its own produces nothing at all.
        if (!FormPageSet(rec.group))
            return false;
    }

    rec.identifier =
        TextControlName(c, labelText, command, ControlKindTag(kind), kind, kind != Label);
    if (rec.identifier.empty() && kind != Label)
        return false;

    switch (kind) {
    case Tab:
        rec.addName = "Tab";
        rec.group = GetIntParameter(r.string.c_str(), "GROUP", 0);
        rec.callback = TextControlName(c, labelText, command, "TBA", kind, true);
        rec.callback2 = TextControlName(c, labelText, command, "TBD", kind, true);
        if (rec.callback.empty() || rec.callback2.empty())
            return false;
        break;
    case Form:
        rec.addName = "Form";
        break;
    case Spin:
        rec.addName = "SpinTextField";
        rec.callback = rec.identifier + "_ValueChanged";
        rec.callback2 = rec.identifier + "_ButtonUp";
        rec.callback3 = rec.identifier + "_ButtonDown";
        break;
    case TextField:
        rec.addName = "TextField";
        rec.callback = rec.identifier;
        break;
    case Text:
    case ReadOnlyText:
        rec.addName = "Text";
        if (kind == Text)
            rec.callback = rec.identifier;
        break;
    case Label:
        rec.addName = "Label";
        rec.label = r.string;
        break;
    case PushButton:
        rec.label = r.string;
        rec.callback = rec.identifier;
        if (command && FindParameter(command, "ColorIndex") >= 0) {
            rec.type = kColoredButton;
            rec.addName = "ColoredButton";
            const std::string value = HostText(GetStringTag(command, "ColorIndex"));
            rec.colorIndex = std::atoi(value.c_str());
        } else {
            rec.addName = "Button";
        }
        break;
    case OptionMenu:
        rec.addName = "OptionMenu";
        rec.callback = rec.identifier;
        break;
    case MultiList:
    case SingleList:
        rec.addName = "List";
        rec.callback = rec.identifier;
        break;
    case Scale:
        rec.addName = "Scale";
        rec.callback = rec.identifier;
        rec.callback2 = TextControlName(c, labelText, command, "SCD", kind, true);
        if (rec.callback2.empty())
            return false;
        break;
    case Toggle: {
        rec.addName = "Toggle";
        size_t cursor = 0;
        if (!NextRadioLabel(r.string, cursor, rec.label))
            return false; // a toggle without a label
        rec.callback = rec.identifier;
        // The toggle's box holds its indicator too: the call gets half a
        // line more above and below and room for the indicator beside it.
        const int half = rec.height / 2;
        rec.y -= half;
        rec.width += 6 * half;
        rec.height += 2 * half;
        break;
    }
    case RadioBox: {
        rec.addName = "RadioBox";
        rec.callback = rec.identifier;
        size_t cursor = 0;
        std::string label;
        int found = 0;
        while (NextRadioLabel(r.string, cursor, label)) {
            if (++found <= kMaxRadioLabels)
                rec.radioLabels.push_back(label);
        }
        if (found > kMaxRadioLabels) {
            const std::string message = FormatText(
                "The radio box %s in frame\n%s\nhas %d toggle labels; a radio box holds at most "
                "%d. Only the first %d are built.",
                rec.identifier.c_str(), c.frameName.c_str(), found, kMaxRadioLabels,
                kMaxRadioLabels);
            QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
        }
        break;
    }
    default:
        return false;
    }
    if (kind != Label && r.widthOverride >= 1)
        rec.width = r.widthOverride;
    return true;
}

// A bitmap button or toggle.
bool RecordImage(const ContainerInfo &c, Geom_ID geom, const std::string &identifier,
                 const std::string &command, bool &warnOnce, ControlRecord &rec) {
    if (identifier.empty()) {
        // The names were made silently; an unnamed image is reported here,
        // among the other controls' messages in tab order.
        HostText(GetImageVarName(c.kind, geom, c.number, true));
        return false;
    }
    rec.type = IsBitmapButton(geom) ? kBitmapButton : kBitmapToggle;
    rec.addName = rec.type == kBitmapButton ? "BitmapButton" : "BitmapToggle";
    rec.identifier = identifier;
    rec.callback = identifier;
    rec.geom = geom;
    rec.text = command;
    if (!command.empty())
        rec.toolTip = HostText(GetStringTag(command.c_str(), "ToolTip"));
    if (FindParameter(command.c_str(), "TransparentColor") >= 0) {
        int red = 0, green = 0, blue = 0;
        if (GetTransparentColor(command.c_str(), red, green, blue)) {
            rec.transparent = true;
            rec.red = red;
            rec.green = green;
            rec.blue = blue;
        } else {
            const std::string message =
                FormatText("Missing or incorrectly formatted bitmap transparent color for bitmap "
                           "button \"%s\". No transparent color will be used for this bitmap "
                           "button.",
                           identifier.c_str());
            QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
        }
    }

    // The anchor is the image's lower-left corner; its size is given in the
    // anchor's coordinate system.
    double ax = 0, ay = 0, az = 0, width = 0, height = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &ax, &ay, &az);
    const CoordSys_e sys = QorUtilGeomGetPositionCoordSys(geom);
    QorUtilGeomImageGetSize(geom, &width, &height);
    const double left = QorUtilConvertXPosition(sys, CoordSys_Screen, ax);
    const double bottom = QorUtilConvertYPosition(sys, CoordSys_Screen, ay);
    const double pixelWidth = QorUtilConvertXDimension(sys, CoordSys_Screen, width);
    const double pixelHeight = QorUtilConvertYDimension(sys, CoordSys_Screen, height);
    int x = RoundPixels(left - c.x0);
    int y = RoundPixels(bottom - pixelHeight - c.y0);
    int w = RoundPixels(pixelWidth);
    int h = RoundPixels(pixelHeight);
    FlipNegative(x, w);
    FlipNegative(y, h);
    ClipToDialog(x, y, warnOnce, false);
    if (w <= 0 || h <= 0)
        return false;

    GUIInt_t bitmapWidth = 0, bitmapHeight = 0;
    QorUtilGeomImageGetImage(geom, &bitmapWidth, &bitmapHeight, nullptr);
    rec.bitmapWidth = bitmapWidth;
    rec.bitmapHeight = bitmapHeight;
    char *fileName = nullptr;
    if (QorUtilGeomImageGetFileName(geom, &fileName))
        rec.imageFile = HostText(fileName);

    rec.pixelX = x;
    rec.pixelY = y;
    rec.pixelWidth = w;
    rec.pixelHeight = h;
    rec.x = ToDialogUnitsX(x);
    rec.y = ToDialogUnitsY(y);
    rec.width = ToDialogUnitsX(w);
    rec.height = ToDialogUnitsY(h);
    return true;
}

// A group frame: a rectangle, captioned with its command text.
bool RecordRectangle(const ContainerInfo &c, Geom_ID geom, const std::string &command,
                     bool &warnOnce, ControlRecord &rec) {
    // The anchor is the rectangle's upper-left corner; its size is given in
    // the anchor's coordinate system.
    double ax = 0, ay = 0, az = 0, width = 0, height = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &ax, &ay, &az);
    const CoordSys_e sys = QorUtilGeomGetPositionCoordSys(geom);
    QorUtilGeomRectangleGetSize(geom, &width, &height);
    int x = RoundPixels(QorUtilConvertXPosition(sys, CoordSys_Screen, ax) - c.x0);
    int y = RoundPixels(QorUtilConvertYPosition(sys, CoordSys_Screen, ay) - c.y0);
    int w = RoundPixels(QorUtilConvertXDimension(sys, CoordSys_Screen, width));
    int h = RoundPixels(QorUtilConvertYDimension(sys, CoordSys_Screen, height));
    FlipNegative(x, w);
    FlipNegative(y, h);
    ClipToDialog(x, y, warnOnce, !command.empty());
    if (w <= 0 || h <= 0)
        return false;
    rec.type = kGroupFrame;
    rec.addName = "Frame";
    rec.text = command;
    rec.label = command;
    rec.pixelX = x;
    rec.pixelY = y;
    rec.pixelWidth = w;
    rec.pixelHeight = h;
    rec.x = ToDialogUnitsX(x);
    rec.y = ToDialogUnitsY(y);
    rec.width = ToDialogUnitsX(w);
    rec.height = ToDialogUnitsY(h);
    return true;
}

// A separator: a line of one polyline with two points, horizontal or
// vertical.
bool RecordLine(const ContainerInfo &c, Geom_ID geom, bool &warnOnce, ControlRecord &rec) {
    if (QorUtilGeomPolyGetPolylineCnt(geom) != 1 || QorUtilGeomPolyGetPointCount(geom, 1) != 2)
        return false;
    double ax = 0, ay = 0, az = 0, px1 = 0, py1 = 0, px2 = 0, py2 = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &ax, &ay, &az);
    const CoordSys_e sys = QorUtilGeomGetPositionCoordSys(geom);
    QorUtilGeom2DMPolyGetPoint(geom, 1, 1, &px1, &py1);
    QorUtilGeom2DMPolyGetPoint(geom, 1, 2, &px2, &py2);
    const double x1 = QorUtilConvertXPosition(sys, CoordSys_Screen, ax + px1);
    const double y1 = QorUtilConvertYPosition(sys, CoordSys_Screen, ay + py1);
    const double x2 = QorUtilConvertXPosition(sys, CoordSys_Screen, ax + px2);
    const double y2 = QorUtilConvertYPosition(sys, CoordSys_Screen, ay + py2);
    int x = RoundPixels(x1 - c.x0);
    int y = RoundPixels(y1 - c.y0);
    int w = RoundPixels(x2 - x1);
    int h = RoundPixels(y2 - y1);
    FlipNegative(x, w);
    FlipNegative(y, h);
    ClipToDialog(x, y, warnOnce, false);
    rec.pixelX = x;
    rec.pixelY = y;
    rec.x = ToDialogUnitsX(x);
    rec.y = ToDialogUnitsY(y);
    if (h == 0 && w > 0) {
        rec.type = kHorzSeparator;
        rec.addName = "HorzSeparator";
        rec.pixelWidth = w;
        rec.width = ToDialogUnitsX(w);
        return true;
    }
    if (w == 0 && h != 0) {
        rec.type = kVertSeparator;
        rec.addName = "VertSeparator";
        rec.pixelHeight = h;
        rec.height = ToDialogUnitsY(h);
        return true;
    }
    return false;
}

bool RecordGeom(const ContainerInfo &c, Geom_ID geom, const HostString &geomCommand,
                const std::vector<ImageName> &images, bool &warnOnce, ControlRecord &rec) {
    const std::string command = ToStdString(geomCommand);
    switch (QorUtilGeomGetType(geom)) {
    case GeomType_Image:
        for (const ImageName &image : images) {
            if (image.geom == geom)
                return RecordImage(c, geom, image.identifier, command, warnOnce, rec);
        }
        return false;
    case GeomType_Rectangle:
        return RecordRectangle(c, geom, command, warnOnce, rec);
    case GeomType_LineSegs:
        return RecordLine(c, geom, warnOnce, rec);
    default:
        return false;
    }
}

// What a control is called in a warning: its identifier and where it stands
// in the frame (dialog units), since the texts of a design are often alike.
struct ControlPlace {
    std::string identifier;
    int x = 0, y = 0;
};

// The controls of one container by identifier (only looked up, never walked).
using IdentifierPlaces = std::unordered_map<std::string, ControlPlace>;

ControlPlace PlaceOf(const ControlRecord &rec) {
    return {rec.identifier, rec.x, rec.y};
}

std::string DescribeControl(const ControlPlace &place) {
    return FormatText("%s at x %d, y %d", place.identifier.c_str(), place.x, place.y);
}

// Two controls of one container whose identifiers the compiler takes as one
// make code that does not compile; the designer is told which, and the build
// goes on.
void WarnClash(const ContainerInfo &c, const char *how, const ControlPlace &first,
               const ControlPlace &rec) {
    const std::string message = FormatText(
        "Two controls of frame\n%s\nget %s:\n%s\nand\n%s\n"
        "The generated code will not compile until one of them gets another VarName.",
        c.frameName.c_str(), how, DescribeControl(first).c_str(), DescribeControl(rec).c_str());
    QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
}

// FORTRAN names hold at most this many characters.
constexpr size_t kFortranNameLimit = 63;

void WarnLongFortranName(const ContainerInfo &c, const ControlPlace &rec) {
    const std::string message = FormatText(
        "The control\n%s\nof frame\n%s\ngets an identifier of %d characters; FORTRAN allows "
        "at most %d.\nThe generated code will not compile until it gets a shorter VarName or "
        "the identifier length is limited.",
        DescribeControl(rec).c_str(), c.frameName.c_str(), static_cast<int>(rec.identifier.size()),
        static_cast<int>(kFortranNameLimit));
    QorUtilDialogMessageBox(message.c_str(), MessageBox_Warning);
}

std::string FoldCase(std::string text) {
    for (char &ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

// Warns about an identifier that repeats one before it in the container, and
// in FORTRAN (which ignores case and limits the length) about one that differs
// only by case or is too long.
void CheckIdentifier(const ContainerInfo &container, const ControlPlace &rec, int32_t language,
                     IdentifierPlaces &seen, IdentifierPlaces &folded) {
    const auto same = seen.find(rec.identifier);
    if (same != seen.end()) {
        WarnClash(container, "the same identifier", same->second, rec);
        return;
    }
    seen.emplace(rec.identifier, rec);
    if (language != LanguageFORTRAN)
        return;
    const auto [it, inserted] = folded.emplace(FoldCase(rec.identifier), rec);
    if (!inserted)
        WarnClash(container, "identifiers that differ only by case, which FORTRAN takes as one",
                  it->second, rec);
    if (rec.identifier.size() > kFortranNameLimit)
        WarnLongFortranName(container, rec);
}

void WriteTextArgument(GeneratedFile *b, int32_t language, const std::string &text, int indent,
                       bool last) {
    const std::string escaped = EscapeNewlines(text);
    EmitStringArg(b, language, &escaped, indent, last);
}

void WritePageCalls(const ControlRecord &rec, GeneratedFile *b, int32_t language) {
    const char *id = rec.identifier.c_str();
    if (rec.type == Form) {
        Set_pa pages = FormPageSet(rec.group);
        if (!pages)
            return;
        for (SetIndex_t page = QorUtilSetGetNextMember(pages, QORSET_NOT_MEMBER);
             page != QORSET_NOT_MEMBER; page = QorUtilSetGetNextMember(pages, page)) {
            if (IsC(language))
                EmitCode(b, "  BuildForm%d_%d(%s);\n", page, rec.group, id);
            else
                EmitCode(b, "      CALL BuildForm%d_%d(%s)\n", page, rec.group, id);
        }
        return;
    }
    const TabPageRow *row = TabPageRowOf(rec.group);
    if (!row)
        return;
    for (int i = 0; i < row->count; ++i) {
        const int page = row->entries[i].pageId;
        if (IsC(language))
            EmitCode(b, "  BuildTab%d_%d(%s);\n", page, rec.group, id);
        else
            EmitCode(b, "      CALL BuildTab%d_%d(%s)\n", page, rec.group, id);
    }
}

bool HasToolTipLine(int type) {
    switch (type) {
    case Tab:
    case Form:
    case Label:
    case kGroupFrame:
    case kHorzSeparator:
    case kVertSeparator:
        return false;
    default:
        return true;
    }
}

} // namespace

void ClipToDialog(int &x, int &y, bool &warnOnce, bool labelled) {
    const bool captionFits = !labelled || ToDialogUnitsY(y) >= 50;
    if (x >= 0 && y >= 0 && captionFits)
        return;
    if (warnOnce) {
        QorUtilDialogMessageBox("One or more controls are positioned beyond the dialog frame edge. "
                                "The position of these controls will be clipped to the dialog "
                                "edge.",
                                MessageBox_Warning);
        warnOnce = false;
    }
    if (x < 0)
        x = 0;
    if (y < 0 || !captionFits)
        y = labelled ? 1 + static_cast<int>(CellHeight() / 2) : 0;
}

bool NextRadioLabel(const std::string &text, size_t &cursor, std::string &label) {
    label.clear();
    if (cursor >= text.size())
        return false;
    const size_t math = text.find("<math>7</math>", cursor);
    const size_t tilde = text.find("~7", cursor);
    size_t marker = std::string::npos;
    size_t markerLength = 0;
    if (math != std::string::npos && (tilde == std::string::npos || math < tilde)) {
        marker = math;
        markerLength = std::strlen("<math>7</math>");
    } else if (tilde != std::string::npos) {
        marker = tilde;
        markerLength = 2;
    }
    if (marker == std::string::npos) {
        QorUtilDialogErrMsg("Invalid Radio box toggle label");
        cursor = text.size();
        return false;
    }
    size_t start = marker + markerLength;
    while (start < text.size() && text[start] == ' ')
        ++start;
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
        end = text.size();
    cursor = end;
    size_t last = end;
    while (last > start && (text[last - 1] == ' ' || text[last - 1] == '\n'))
        --last;
    label = text.substr(start, last - start);
    return !label.empty();
}

void EmitAddCall(const OutputFiles &files, const char *kindName, const std::string &variable,
                 int32_t language, int x, int y, int w, int h, const std::string &parent,
                 bool last) {
    GeneratedFile *b = files.builder;
    const bool named = !variable.empty();
    const char *var = variable.c_str();
    if (IsC(language)) {
        int pad = static_cast<int>(std::strlen(kindName));
        if (named)
            pad += static_cast<int>(variable.size()) + 5;
        pad = std::max(pad, 1);
        if (named)
            EmitCode(b, "  %s = QorGUI%sAdd(%s,\n", var, kindName, parent.c_str());
        else
            EmitCode(b, "  QorGUI%sAdd(%s,\n", kindName, parent.c_str());
        EmitCode(b, "%*s        %d,\n%*s        %d,\n", pad, "", x, pad, "", y);
        if (w > 0)
            EmitCode(b, "%*s        %d%s\n", pad, "", w, last && !(h > 0) ? ");" : ",");
        if (h > 0)
            EmitCode(b, "%*s        %d%s\n", pad, "", h, last ? ");" : ",");
        if (named) {
            EmitCode(files.definitionsHeader, "extern GUIInt_t  %s;\n", var);
            EmitCode(files.definitionsSource, "GUIInt_t %s = BADDIALOGID;\n", var);
        }
        return;
    }
    if (language != LanguageFORTRAN)
        return;
    // Whole lines fold alike in one write or several: the lines of the call
    // share as few writes as their conditions allow.
    if (named)
        EmitCode(b, "      %s = QorGUI%sAdd(%s,\n     &%d,\n     &%d,\n", var, kindName,
                 parent.c_str(), x, y);
    else
        EmitCode(b, "      III = QorGUI%sAdd(%s,\n     &%d,\n     &%d,\n", kindName, parent.c_str(),
                 x, y);
    if (w > 0 && h > 0)
        EmitCode(b, "     &%d,\n     &%d%s\n", w, h, last ? ")" : ",");
    else if (w > 0 || h > 0)
        EmitCode(b, "     &%d%s\n", w > 0 ? w : h, last ? ")" : ",");
    if (named) {
        EmitCode(files.definitionsHeader, "      INTEGER*4 %s\n      COMMON /%s_C/ %s\n", var, var,
                 var);
    }
}

// A C argument line is one write. The FORTRAN argument writers put each
// piece of a line in its own write, as the FORTRAN folding counts columns per
// write.
void EmitIntArg(GeneratedFile *file, int32_t language, int value, int indent) {
    if (IsC(language)) {
        EmitCode(file, "%*s%d,\n", std::max(indent, 1), "", value);
    } else if (language == LanguageFORTRAN) {
        EmitCode(file, "     &%d", value);
        EmitCode(file, ",\n");
    }
}

void EmitStringArg(GeneratedFile *file, int32_t language, const std::string *text, int indent,
                   bool last) {
    if (IsC(language)) {
        const int pad = std::max(indent, 1);
        const char *end = last ? ");\n\n" : ",\n";
        if (text)
            EmitCode(file, "%*s\"%s\"%s", pad, "", EscapeCString(*text).c_str(), end);
        else
            EmitCode(file, "%*s(char *)NULL%s", pad, "", end);
    } else if (language == LanguageFORTRAN) {
        EmitCode(file, "     &");
        if (text)
            EmitCode(file, "'%s'//char(0)", EscapeFortranString(*text).c_str());
        else
            EmitCode(file, "''//char(0)");
        EmitCode(file, last ? ")\n\n" : ",\n");
    }
}

void EmitCallbackArg(GeneratedFile *file, int32_t language, const std::string *name,
                     const char *suffix, int indent, bool last) {
    if (IsC(language)) {
        const int pad = std::max(indent, 1);
        const char *end = last ? ");\n\n" : ",\n";
        const char *value = name ? name->c_str() : "NULL";
        if (suffix)
            EmitCode(file, "%*s%s_%s%s", pad, "", value, suffix, end);
        else
            EmitCode(file, "%*s%s%s", pad, "", value, end);
    } else if (language == LanguageFORTRAN) {
        EmitCode(file, "     &");
        EmitCode(file, "%s", name ? name->c_str() : "NULLPTRVAR");
        if (name && suffix)
            EmitCode(file, "_%s", suffix);
        EmitCode(file, last ? ")\n\n" : ",\n");
    }
}

void EmitToolTip(GeneratedFile *file, const std::string &toolTip, const std::string &name,
                 int32_t language) {
    if (toolTip.empty())
        return;
    if (IsC(language))
        EmitCode(file, "  QorGUISetToolTip(%s,\"%s\");\n", name.c_str(),
                 EscapeCString(toolTip).c_str());
    else if (language == LanguageFORTRAN)
        EmitCode(file, "      CALL QorGUISetToolTip(%s,\n     &'%s'\n     &//char(0))\n",
                 name.c_str(), EscapeFortranString(toolTip).c_str());
}

void EmitControl(const ContainerInfo &container, const std::string &parent,
                 const ControlRecord &rec, const OutputFiles &files, int32_t language) {
    GeneratedFile *b = files.builder;
    const std::string &id = rec.identifier;
    const auto add = [&](bool last) {
        EmitAddCall(files, rec.addName, id, language, rec.x, rec.y, rec.width, rec.height, parent,
                    last);
    };
    const auto callback = [&](const std::string &name, int indent, bool last) {
        EmitCallbackArg(b, language, &name, "CB", indent, last);
    };

    switch (rec.type) {
    case TextField:
        add(false);
        callback(rec.callback, 23, true);
        break;
    case Text:
        add(false);
        EmitIntArg(b, language, 0, 23);
        callback(rec.callback, 23, true);
        break;
    case ReadOnlyText:
        add(false);
        EmitIntArg(b, language, 1, 23);
        EmitCallbackArg(b, language, nullptr, nullptr, 23, true);
        break;
    case SingleList:
    case MultiList:
        add(false);
        EmitIntArg(b, language, rec.type == MultiList ? 1 : 0, 23);
        callback(rec.callback, 23, true);
        break;
    case Spin:
        add(false);
        callback(rec.callback, 23, false);
        callback(rec.callback2, 23, false);
        callback(rec.callback3, 23, true);
        break;
    case Form:
        add(true);
        break;
    case Tab:
        add(false);
        callback(rec.callback, 20, false);
        callback(rec.callback2, 20, true);
        break;
    case Scale:
        add(false);
        EmitIntArg(b, language, 0, 20);
        EmitIntArg(b, language, 100, 20);
        EmitIntArg(b, language, 0, 20);
        callback(rec.callback, 20, false);
        callback(rec.callback2, 20, true);
        break;
    case OptionMenu:
        add(false);
        EmitCallbackArg(b, language, &id, "List", 24, false);
        callback(rec.callback, 24, true);
        break;
    case PushButton:
        add(false);
        WriteTextArgument(b, language, rec.label, 20, false);
        callback(rec.callback, 20, true);
        break;
    case kColoredButton:
        add(false);
        WriteTextArgument(b, language, rec.label, 20, false);
        EmitIntArg(b, language, rec.colorIndex, 20);
        callback(rec.callback, 20, true);
        break;
    case RadioBox:
        add(false);
        for (int i = 0; i < kMaxRadioLabels; ++i) {
            const bool present = i < static_cast<int>(rec.radioLabels.size());
            EmitStringArg(b, language, present ? &rec.radioLabels[static_cast<size_t>(i)] : nullptr,
                          33, false);
        }
        callback(rec.callback, 33, true);
        break;
    case Toggle:
        add(false);
        EmitStringArg(b, language, &rec.label, 31, false);
        callback(rec.callback, 31, true);
        break;
    case Label:
        EmitAddCall(files, "Label", id, language, rec.x, rec.y, 0, 0, parent, false);
        WriteTextArgument(b, language, rec.label, 20, true);
        break;
    case kBitmapButton:
    case kBitmapToggle:
        add(false);
        EmitIntArg(b, language, rec.bitmapWidth, 30);
        EmitIntArg(b, language, rec.bitmapHeight, 30);
        EmitCallbackArg(b, language, &id, "BD", 30, false);
        EmitIntArg(b, language, rec.transparent ? 1 : 0, 30);
        EmitIntArg(b, language, rec.red, 30);
        EmitIntArg(b, language, rec.green, 30);
        EmitIntArg(b, language, rec.blue, 30);
        callback(rec.callback, 30, true);
        break;
    case kGroupFrame:
        add(false);
        EmitStringArg(b, language, &rec.label, 20, true);
        break;
    case kHorzSeparator:
    case kVertSeparator:
        add(true);
        break;
    default:
        return;
    }

    if (HasToolTipLine(rec.type) && language != LanguageQt)
        EmitToolTip(b, rec.toolTip, id, language);

    if (rec.type == Form || rec.type == Tab)
        WritePageCalls(rec, b, language);
    if (rec.type == Scale) {
        if (IsC(language))
            EmitCode(b, "\n  QorGUIScaleShowNumericDisplay(%s,%s);\n\n", id.c_str(),
                     rec.showLabel ? "TRUE" : "FALSE");
        else if (language == LanguageFORTRAN)
            EmitCode(b, "       CALL QorGUIScaleShowNumericDisplay(%s,%s)\n", id.c_str(),
                     rec.showLabel ? "1" : "0");
    }
    if (rec.type == OptionMenu) {
        if (IsC(language)) {
            EmitCode(files.callback, "\n\nchar *%s_List = \"Option 1,Option 2,Option 3\";\n\n",
                     id.c_str());
        } else if (language == LanguageFORTRAN) {
            if (BuildNameList)
                QorUtilStringListAppendString(BuildNameList, id.c_str());
            EmitCode(files.definitionsHeader, "      CHARACTER*512 %s_List\n", id.c_str());
            EmitCode(files.definitionsHeader, "      COMMON /%s_LC/ %s_List\n", id.c_str(),
                     id.c_str());
        }
    }

    // The one place a control is made live (preview) or recorded (Qt).
    if (BuildHooks.control)
        BuildHooks.control(container, rec);

    WriteControlStubs(rec, files, language);
}

void EmitControls(const ContainerInfo &container, const std::vector<ImageName> &images,
                  const OutputFiles &files, int32_t language) {
    bool warnOnce = true;
    // Identifier (and, for FORTRAN, identifier in lower case) -> the control
    // that has it, to find identifiers the compiler takes as one.
    IdentifierPlaces seen, folded;
    seen.reserve(64);
    if (language == LanguageFORTRAN)
        folded.reserve(64);
    const std::string parent = container.ManagerName();
    for (const TabOrderEntry &entry : CollectTabOrder()) {
        ControlRecord rec;
        const bool accepted =
            entry.isText ? RecordText(container, entry.text, entry.command, warnOnce, rec)
                         : RecordGeom(container, entry.geom, entry.command, images, warnOnce, rec);
        if (!accepted)
            continue;
        if (!rec.identifier.empty())
            CheckIdentifier(container, PlaceOf(rec), language, seen, folded);
        EmitControl(container, parent, rec, files, language);
    }
}

} // namespace quorvin::builder
