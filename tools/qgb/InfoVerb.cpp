#include "InfoVerb.h"

#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "options/Options.h"
#include "model/Settings.h"

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

std::string IdentifierOrWhyNot(char *name, const char *why) {
    if (!name)
        return std::string("no identifier: ") + why;
    std::string identifier = name;
    QorUtilStringDealloc(&name);
    return "identifier " + identifier;
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

    // The build classifies by box and prefix; the editing commands also
    // honour a "Type" item. Both are shown when they differ.
    const qb::ControlKind built = qb::ClassifyByPrefix(QorUtilTextBoxGetType(text), label.c_str());
    qb::ControlKind edited = qb::NotAControl;
    int group = -1;
    qb::ClassifyText(text, edited, group);

    out << "         kind " << KindName(built);
    if (edited != built)
        out << " (editing commands: " << KindName(edited) << ")";
    if (built == qb::Tab || built == qb::Form)
        out << ", pages in linking group " << qb::GetIntParameter(label.c_str(), "GROUP", -1);

    if (built == qb::NotAControl) {
        out << "; no identifier: not a control\n";
        return;
    }
    if (built == qb::RadioBox && !qb::StartsWithToggleMarker(label.c_str())) {
        out << "; no identifier: a hollow box that does not begin with a toggle marker is "
               "skipped by the build\n";
        return;
    }
    if (built == qb::Tab || built == qb::Form) {
        if (qb::GetIntParameter(label.c_str(), "GROUP", -1) == -1) {
            out << "; no identifier: no GROUP in the text\n";
            return;
        }
    }
    char *name = qb::GetControlVarName(frame.kind, qb::ControlLabelText(built, label.c_str()),
                                       cmd.c_str(), qb::ControlKindTag(built),
                                       qb::ControlKindDisplayName(built), frame.number, false);
    out << "; "
        << IdentifierOrWhyNot(name, built == qb::Label
                                        ? "the label has no letters to name it by (left unnamed)"
                                        : "neither VarName, the command nor the label give a name")
        << "\n";
}

void PrintGeom(std::ostream &out, int index, Geom_ID geom, const FrameFacts &frame) {
    double x = 0, y = 0, z = 0;
    QorUtilGeomGetXYZAnchorPos(geom, &x, &y, &z);
    const std::string at = " at " + FormatNumber(x) + ", " + FormatNumber(y) +
                           " (coordinate system " +
                           std::to_string(QorUtilGeomGetPositionCoordSys(geom)) + ")";
    qb::HostString command = qb::GeomCommand(geom);
    const std::string cmd = qb::ToStdString(command);
    out << "      " << index << ". ";
    switch (QorUtilGeomGetType(geom)) {
    case GeomType_Image: {
        char *file = nullptr;
        std::string fileName;
        if (QorUtilGeomImageGetFileName(geom, &file) && file) {
            fileName = file;
            QorUtilStringDealloc(&file);
        }
        const bool button = qb::IsBitmapButton(geom);
        out << "image " << Quoted(fileName) << at;
        if (!cmd.empty())
            out << "  command " << Quoted(cmd);
        out << "\n         kind " << (button ? "BitmapButton" : "BitmapToggle") << "; ";
        if (qb::FindParameter(cmd.c_str(), "VarName") < 0)
            out << "no identifier: VarName missing from the command\n";
        else
            out << IdentifierOrWhyNot(qb::GetImageVarName(frame.kind, geom, frame.number),
                                      "VarName gives no letters")
                << "\n";
        return;
    }
    case GeomType_Rectangle: {
        double width = 0, height = 0;
        QorUtilGeomRectangleGetSize(geom, &width, &height);
        out << "rectangle" << at << ", size " << FormatNumber(width) << " x "
            << FormatNumber(height) << "\n         kind group frame; no identifier needed\n";
        return;
    }
    case GeomType_LineSegs: {
        out << "line" << at << "\n         kind ";
        if (QorUtilGeomPolyGetPolylineCnt(geom) == 1 &&
            QorUtilGeomPolyGetPointCount(geom, 1) == 2) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            QorUtilGeom2DMPolyGetPoint(geom, 1, 1, &x1, &y1);
            QorUtilGeom2DMPolyGetPoint(geom, 1, 2, &x2, &y2);
            if (y1 == y2 && x1 != x2)
                out << "horizontal separator; no identifier needed\n";
            else if (x1 == x2 && y1 != y2)
                out << "vertical separator; no identifier needed\n";
            else
                out << "none; not a control (a separator is horizontal or vertical)\n";
        } else {
            out << "none; not a control (a separator is one line of two points)\n";
        }
        return;
    }
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

int RunInfo(const GlobalOptions &options, const std::string &layoutPath) {
    Session session(options);
    if (!session.loadLayout(layoutPath))
        return kExitFailure;
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
