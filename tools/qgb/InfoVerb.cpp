#include "InfoVerb.h"

#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "options/Options.h"
#include "model/Settings.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>
#include <map>

namespace qgb {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
using quorvin::host::Frame;
using quorvin::host::Host;

namespace {

// A host string shown on one line: quoted, with line feeds as \n.
std::string Quoted(const std::string &text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

const char *FrameKindName(qb::FrameKind kind) {
    switch (kind) {
    case qb::ModalDialog:
        return "ModalDialog";
    case qb::ModelessDialog:
        return "ModelessDialog";
    case qb::TabPage:
        return "TabPage";
    case qb::FormPage:
        return "FormPage";
    case qb::Sidebar:
        return "Sidebar";
    }
    return "?";
}

const char *KindName(qb::ControlKind kind) {
    const char *name = qb::ControlKindName(kind);
    return name ? name : "NotAControl";
}

struct FrameFacts {
    std::string name;
    qb::FrameKind kind = qb::ModalDialog;
    int number = -1; // ID of dialogs and sidebars, LinkGroup of pages
};

// The file an image geometry was read from ("" when the host has none).
std::string ImageFileName(Geom_ID geom) {
    char *file = nullptr;
    std::string fileName;
    if (QorUtilGeomImageGetFileName(geom, &file) && file) {
        fileName = file;
        QorUtilStringDealloc(&file);
    }
    return fileName;
}

// What the build makes of one text or geometry: its kind and identifier,
// or why it gets none.
struct ControlView {
    qb::ControlKind built = qb::NotAControl;  // texts: the build's classification
    qb::ControlKind edited = qb::NotAControl; // texts: with the "Type" item honoured
    int group = -1;                           // tab and form controls: GROUP
    std::string kind;                         // the kind's name in qgb info --json
    std::string identifier;                   // empty when there is none
    std::string whyNone;                      // why there is no identifier (or none is needed)
};

void TakeIdentifier(ControlView &view, char *name, const char *why) {
    if (!name) {
        view.whyNone = why;
        return;
    }
    view.identifier = name;
    QorUtilStringDealloc(&name);
}

ControlView ViewOfText(Text_ID text, const std::string &label, const std::string &cmd,
                       const FrameFacts &frame) {
    ControlView view;
    // The build classifies by box and prefix; the editing commands also
    // honour a "Type" item.
    view.built = qb::ClassifyByPrefix(QorUtilTextBoxGetType(text), label.c_str());
    int group = -1;
    qb::ClassifyText(text, view.edited, group);
    const bool paged = view.built == qb::Tab || view.built == qb::Form;
    if (paged)
        view.group = qb::GetIntParameter(label.c_str(), "GROUP", -1);
    view.kind = KindName(view.built);
    if (view.built == qb::PushButton && qb::FindParameter(cmd.c_str(), "ColorIndex") >= 0)
        view.kind = "ColoredButton";

    if (view.built == qb::NotAControl) {
        view.whyNone = "not a control";
    } else if (view.built == qb::RadioBox && !qb::StartsWithToggleMarker(label.c_str())) {
        view.whyNone =
            "a hollow box that does not begin with a toggle marker is skipped by the build";
    } else if (paged && view.group == -1) {
        view.whyNone = "no GROUP in the text";
    } else {
        char *name =
            qb::GetControlVarName(frame.kind, qb::ControlLabelText(view.built, label.c_str()),
                                  cmd.c_str(), qb::ControlKindTag(view.built),
                                  qb::ControlKindDisplayName(view.built), frame.number, false);
        TakeIdentifier(view, name,
                       view.built == qb::Label
                           ? "the label has no letters to name it by (left unnamed)"
                           : "neither VarName, the command nor the label give a name");
    }
    return view;
}

ControlView ViewOfGeom(Geom_ID geom, const std::string &cmd, const FrameFacts &frame) {
    ControlView view;
    switch (QorUtilGeomGetType(geom)) {
    case GeomType_Image:
        view.kind = qb::IsBitmapButton(geom) ? "BitmapButton" : "BitmapToggle";
        if (qb::FindParameter(cmd.c_str(), "VarName") < 0)
            view.whyNone = "VarName missing from the command";
        else
            TakeIdentifier(view, qb::GetImageVarName(frame.kind, geom, frame.number, false),
                           "VarName gives no letters");
        return view;
    case GeomType_Rectangle:
        view.kind = "GroupFrame";
        view.whyNone = "no identifier needed";
        return view;
    case GeomType_LineSegs:
        view.kind = "NotAControl";
        view.whyNone = "not a control (a separator is one line of two points)";
        if (QorUtilGeomPolyGetPolylineCnt(geom) == 1 &&
            QorUtilGeomPolyGetPointCount(geom, 1) == 2) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            QorUtilGeom2DMPolyGetPoint(geom, 1, 1, &x1, &y1);
            QorUtilGeom2DMPolyGetPoint(geom, 1, 2, &x2, &y2);
            view.whyNone = "no identifier needed";
            if (y1 == y2 && x1 != x2)
                view.kind = "HorzSeparator";
            else if (x1 == x2 && y1 != y2)
                view.kind = "VertSeparator";
            else
                view.whyNone = "not a control (a separator is horizontal or vertical)";
        }
        return view;
    default:
        view.kind = "NotAControl";
        view.whyNone = "not a control";
        return view;
    }
}

std::string IdentifierOrWhyNot(const ControlView &view) {
    return view.identifier.empty() ? "no identifier: " + view.whyNone
                                   : "identifier " + view.identifier;
}

void PrintText(std::ostream &out, int index, Text_ID text, const FrameFacts &frame) {
    qb::HostString string = qb::TextString(text);
    qb::HostString command = qb::TextCommand(text);
    const std::string label = qb::ToStdString(string);
    const std::string cmd = qb::ToStdString(command);
    out << "      " << index << ". " << Quoted(label);
    if (!cmd.empty())
        out << "  command " << Quoted(cmd);
    out << "\n";

    // Both kinds are shown when they differ.
    const ControlView view = ViewOfText(text, label, cmd, frame);
    out << "         kind " << KindName(view.built);
    if (view.edited != view.built)
        out << " (editing commands: " << KindName(view.edited) << ")";
    if (view.built == qb::Tab || view.built == qb::Form)
        out << ", pages in linking group " << view.group;
    out << "; " << IdentifierOrWhyNot(view) << "\n";
}

void PrintGeom(std::ostream &out, int index, Geom_ID geom, const FrameFacts &frame) {
    double x = 0, y = 0, z = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &x, &y, &z);
    const std::string at = " at " + FormatNumber(x) + ", " + FormatNumber(y) +
                           " (coordinate system " +
                           std::to_string(QorUtilGeomGetPositionCoordSys(geom)) + ")";
    qb::HostString command = qb::GeomCommand(geom);
    const std::string cmd = qb::ToStdString(command);
    const ControlView view = ViewOfGeom(geom, cmd, frame);
    out << "      " << index << ". ";
    switch (QorUtilGeomGetType(geom)) {
    case GeomType_Image: {
        out << "image " << Quoted(ImageFileName(geom)) << at;
        if (!cmd.empty())
            out << "  command " << Quoted(cmd);
        out << "\n         kind " << view.kind << "; " << IdentifierOrWhyNot(view) << "\n";
        return;
    }
    case GeomType_Rectangle: {
        double width = 0, height = 0;
        QorUtilGeomRectangleGetSize(geom, &width, &height);
        out << "rectangle" << at << ", size " << FormatNumber(width) << " x "
            << FormatNumber(height) << "\n         kind group frame; no identifier needed\n";
        return;
    }
    case GeomType_LineSegs:
        out << "line" << at << "\n         kind ";
        if (view.kind == "HorzSeparator")
            out << "horizontal separator; " << view.whyNone << "\n";
        else if (view.kind == "VertSeparator")
            out << "vertical separator; " << view.whyNone << "\n";
        else
            out << "none; " << view.whyNone << "\n";
        return;
    default:
        out << "geometry of type " << QorUtilGeomGetType(geom) << at
            << "\n         kind none; not a control\n";
        return;
    }
}

// The current frame, as the build sees it.
FrameFacts ReadCurrentFrame() {
    FrameFacts facts;
    qb::HostString name = qb::CurrentFrameName();
    facts.name = qb::ToStdString(name);
    facts.kind = qb::GetFrameKind(facts.name.c_str());
    if (facts.kind == qb::TabPage || facts.kind == qb::FormPage) {
        LgIndex_t group = 0;
        QorUtilFrameGetLinking("LinkGroup", &group);
        facts.number = group;
    } else {
        facts.number = qb::GetFrameId(facts.name.c_str());
    }
    return facts;
}

void PrintCurrentFrame(std::ostream &out, int index, const Frame &frame) {
    const FrameFacts facts = ReadCurrentFrame();
    const auto &spec = frame.spec;
    out << "  " << index << ". " << Quoted(facts.name) << "\n";
    out << "      position " << FormatNumber(spec.x) << ", " << FormatNumber(spec.y) << " in; size "
        << FormatNumber(spec.width) << " x " << FormatNumber(spec.height)
        << " in; linking: LinkGroup " << spec.linkGroup << ", size and position "
        << (spec.linkSizeAndPosition ? "linked" : "not linked") << "\n";
    out << "      FrameKind " << FrameKindName(facts.kind) << " ("
        << static_cast<unsigned>(facts.kind) << ")";
    if (facts.kind == qb::TabPage || facts.kind == qb::FormPage)
        out << ", page ID " << qb::GetFrameId(facts.name.c_str()) << " of linking group "
            << facts.number;
    else
        out << ", ID " << facts.number;
    out << "\n";

    out << "    Texts (" << frame.texts.size() << "):\n";
    int i = 0;
    for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text))
        PrintText(out, ++i, text, facts);
    out << "    Geometries (" << frame.geoms.size() << "):\n";
    i = 0;
    for (Geom_ID geom = QorUtilGeomGetBase(); geom; geom = QorUtilGeomGetNext(geom))
        PrintGeom(out, ++i, geom, facts);
}

// ---- qgb info --json (docs/info-json.md): every number as the SDK gives it.

nlohmann::ordered_json XY(double x, double y) {
    return {{"x", x}, {"y", y}};
}

nlohmann::ordered_json ControlJson(const ControlView &view, bool text) {
    nlohmann::ordered_json control = {{"kind", view.kind}};
    if (text && view.edited != view.built)
        control["editingKind"] = KindName(view.edited);
    if (text && (view.built == qb::Tab || view.built == qb::Form))
        control["group"] = view.group;
    if (view.identifier.empty()) {
        control["identifier"] = nullptr;
        control["whyNone"] = view.whyNone;
    } else {
        control["identifier"] = view.identifier;
    }
    return control;
}

nlohmann::ordered_json TextJson(int index, Text_ID text, const FrameFacts &frame) {
    qb::HostString string = qb::TextString(text);
    qb::HostString command = qb::TextCommand(text);
    const std::string label = qb::ToStdString(string);
    const std::string cmd = qb::ToStdString(command);
    double x = 0, y = 0;
    QorUtilTextGetXYPos(text, &x, &y);
    double c[8] = {};
    QorUtilTextBoxGetPosition(text, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5], &c[6], &c[7]);
    nlohmann::ordered_json corners = nlohmann::ordered_json::array();
    for (int i = 0; i < 8; i += 2)
        corners.push_back(XY(c[i], c[i + 1]));
    nlohmann::ordered_json position = XY(x, y);
    position["coordSys"] = QorUtilTextGetPositionCoordSys(text);
    return {{"index", index},
            {"string", label},
            {"command", cmd},
            {"position", position},
            {"boxType", QorUtilTextBoxGetType(text)},
            {"angle", QorUtilTextGetAngle(text)},
            {"sizeUnits", QorUtilTextGetSizeUnits(text)},
            {"height", QorUtilTextGetHeight(text)},
            {"corners", corners},
            {"control", ControlJson(ViewOfText(text, label, cmd, frame), true)}};
}

nlohmann::ordered_json GeomJson(int index, Geom_ID geom, const FrameFacts &frame) {
    qb::HostString command = qb::GeomCommand(geom);
    const std::string cmd = qb::ToStdString(command);
    double x = 0, y = 0, z = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &x, &y, &z);
    const GeomType_e type = QorUtilGeomGetType(geom);
    const CoordSys_e sys = QorUtilGeomGetPositionCoordSys(geom);
    nlohmann::ordered_json json = {{"index", index},
                                   {"type", type},
                                   {"command", cmd},
                                   {"coordSys", sys},
                                   {"anchor", {{"x", x}, {"y", y}, {"z", z}}}};
    double width = 0, height = 0;
    if (type == GeomType_Rectangle) {
        QorUtilGeomRectangleGetSize(geom, &width, &height);
        json["size"] = {{"width", width}, {"height", height}};
    } else if (type == GeomType_Image) {
        QorUtilGeomImageGetSize(geom, &width, &height);
        json["size"] = {{"width", width}, {"height", height}};
        json["imageFile"] = ImageFileName(geom);
        GUIInt_t pixelWidth = 0, pixelHeight = 0;
        QorUtilGeomImageGetImage(geom, &pixelWidth, &pixelHeight, nullptr);
        json["pixelSize"] = {{"width", pixelWidth}, {"height", pixelHeight}};
        json["paperWidth"] = QorUtilConvertXDimension(sys, CoordSys_Paper, width);
    } else if (type == GeomType_LineSegs) {
        nlohmann::ordered_json polylines = nlohmann::ordered_json::array();
        for (LgIndex_t p = 1; p <= QorUtilGeomPolyGetPolylineCnt(geom); ++p) {
            nlohmann::ordered_json points = nlohmann::ordered_json::array();
            for (LgIndex_t i = 1; i <= QorUtilGeomPolyGetPointCount(geom, p); ++i) {
                double px = 0, py = 0;
                QorUtilGeom2DMPolyGetPoint(geom, p, i, &px, &py);
                points.push_back(XY(px, py));
            }
            polylines.push_back(points);
        }
        json["polylines"] = polylines;
    }
    json["control"] = ControlJson(ViewOfGeom(geom, cmd, frame), false);
    return json;
}

nlohmann::ordered_json CurrentFrameJson(int index, UniqueID_t current) {
    const FrameFacts facts = ReadCurrentFrame();
    double x = 0, y = 0, width = 0, height = 0;
    QorUtilFrameGetPosAndSize(&x, &y, &width, &height);
    LgIndex_t group = 0, linked = 0;
    QorUtilFrameGetLinking("LinkGroup", &group);
    QorUtilFrameGetLinking("LinkFrameSizeAndPosition", &linked);
    nlohmann::ordered_json container = {{"kind", FrameKindName(facts.kind)},
                                        {"frameKind", static_cast<unsigned>(facts.kind)}};
    if (facts.kind == qb::TabPage || facts.kind == qb::FormPage) {
        container["pageId"] = qb::GetFrameId(facts.name.c_str());
        container["group"] = facts.number;
    } else {
        container["id"] = facts.number;
    }
    nlohmann::ordered_json texts = nlohmann::ordered_json::array(),
                           geoms = nlohmann::ordered_json::array();
    int i = 0;
    for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text))
        texts.push_back(TextJson(++i, text, facts));
    i = 0;
    for (Geom_ID geom = QorUtilGeomGetBase(); geom; geom = QorUtilGeomGetNext(geom))
        geoms.push_back(GeomJson(++i, geom, facts));
    return {{"index", index},
            {"name", facts.name},
            {"uniqueId", QorUtilFrameGetUniqueID()},
            {"current", QorUtilFrameGetUniqueID() == current},
            {"position", XY(x, y)},
            {"size", {{"width", width}, {"height", height}}},
            {"linking", {{"group", group}, {"sizeAndPosition", linked != 0}}},
            {"container", container},
            {"texts", texts},
            {"geometries", geoms}};
}

} // namespace

void PrintOptions(std::ostream &out, const std::string &layoutPath) {
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::ReadConfigFile();
    const fs::path config = fs::path(layoutPath).parent_path() / "dlb.cfg";
    std::error_code ec;
    out << "Options";
    if (fs::exists(config, ec))
        out << " (from " << config.string() << ")";
    else
        out << " (defaults: there is no " << config.string() << ")";
    out << ":\n";
    const qb::BuilderSettingsT &s = qb::BuilderSettings;
    out << "  Language=" << LanguageWord(s.Language) << "\n";
    out << "  LimitIdentLength=" << (s.LimitIdentLength ? "TRUE" : "FALSE") << "\n";
    out << "  identifier length limit: " << (s.LimitIdentLength ? s.MaxIdentLength : 256)
        << " characters\n";
    out << "  MaxFortranLineLen=" << s.MaxFortranLineLen << "\n";
}

void PrintAddOn(std::ostream &out) {
    Host &h = Session::host();
    out << "Host version: " << h.version() << "\n";
    out << "Add-ons registered (" << h.registrations().size() << "):\n";
    for (const auto &r : h.registrations())
        out << "  " << Quoted(r.name) << " version " << Quoted(r.version) << " by "
            << Quoted(r.author) << "\n";
    out << "Menu options added (" << h.menuOptions().size() << "):\n";
    for (const auto &m : h.menuOptions()) {
        out << "  " << m.menu << " > " << m.label;
        if (m.mnemonic)
            out << " (mnemonic " << m.mnemonic << ")";
        out << "\n";
    }
}

void PrintFrames(std::ostream &out) {
    Host &h = Session::host();
    std::map<UniqueID_t, const Frame *> byId;
    for (const Frame &frame : h.frames())
        byId[frame.uniqueId] = &frame;
    out << "Frames (" << h.frames().size()
        << ", bottom of the stack first; the last is current):\n";
    if (!QorUtilFrameLightweightPopStart())
        return;
    int index = 0;
    do {
        auto it = byId.find(QorUtilFrameGetUniqueID());
        if (it != byId.end())
            PrintCurrentFrame(out, ++index, *it->second);
    } while (QorUtilFrameLightweightPopNext());
    QorUtilFrameLightweightPopEnd();
}

nlohmann::ordered_json DesignJson(const std::string &layoutPath) {
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::ReadConfigFile();
    const qb::BuilderSettingsT &s = qb::BuilderSettings;
    const fs::path config = fs::path(layoutPath).parent_path() / "dlb.cfg";
    std::error_code ec;
    nlohmann::ordered_json options = {
        {"configFile", nullptr},
        {"language", LanguageWord(s.Language)},
        {"limitIdentLength", s.LimitIdentLength},
        {"maxIdentLength", s.LimitIdentLength ? s.MaxIdentLength : 256},
        {"maxFortranLineLen", s.MaxFortranLineLen}};
    if (fs::exists(config, ec))
        options["configFile"] = config.string();

    nlohmann::ordered_json frames = nlohmann::ordered_json::array();
    const UniqueID_t current = QorUtilFrameGetUniqueID();
    if (QorUtilFrameLightweightPopStart()) {
        int index = 0;
        do
            frames.push_back(CurrentFrameJson(++index, current));
        while (QorUtilFrameLightweightPopNext());
        QorUtilFrameLightweightPopEnd();
    }
    return {{"schema", kInfoJsonSchema},
            {"file", layoutPath},
            {"options", options},
            {"frames", frames}};
}

int RunInfo(const GlobalOptions &options, const std::string &layoutPath, bool json) {
    Session session(options);
    if (!session.loadLayout(layoutPath))
        return kExitFailure;
    if (json) {
        std::cout << DesignJson(layoutPath).dump(2) << std::endl;
        return session.reportNewFaults() ? kExitFailure : kExitSuccess;
    }
    if (!session.loadAddOn())
        return kExitFailure;
    PrintAddOn(std::cout);
    PrintOptions(std::cout, layoutPath);
    PrintFrames(std::cout);
    std::cout.flush();
    const bool faults = session.reportNewFaults();
    return faults || session.errorShown() ? kExitFailure : kExitSuccess;
}

int RunOptions(const GlobalOptions &options, const std::string &layoutPath) {
    Session session(options);
    if (!session.loadLayout(layoutPath))
        return kExitFailure;
    std::cout << "Layout: " << layoutPath << "\n";
    PrintOptions(std::cout, layoutPath);
    std::cout.flush();
    return session.reportNewFaults() ? kExitFailure : kExitSuccess;
}

} // namespace qgb
