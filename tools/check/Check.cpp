#include "Check.h"

#include "model/DialogElement.h"
#include "model/Frames.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "quorvin/Host.h"
#include "model/Settings.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>

namespace qgb {

namespace qb = quorvin::builder;
using quorvin::host::Host;

const char *SeverityName(Finding::Severity severity) {
    return severity == Finding::Severity::Error ? "error" : "warning";
}

namespace {

constexpr Finding::Severity kError = Finding::Severity::Error;
constexpr Finding::Severity kWarning = Finding::Severity::Warning;
// The longest name FORTRAN compilers accept.
constexpr size_t kFortranNameLimit = 63;
// The longest title the build reads.
constexpr size_t kTitleLimit = 511;

struct FrameContext {
    int index = 0;
    std::string name;
    qb::FrameKind kind = qb::ModalDialog;
    int number = -1; // ID of dialogs and sidebars, linking group of pages
    bool current = false;
};

struct Control {
    std::string identifier, text;
    // How much longer the longest name is that the generated code makes from
    // the identifier for the control's callbacks and lists.
    size_t longestExtra = 3;
    std::string described; // as the build's messages name it
    int frameIndex = 0;
};

size_t LongestExtra(qb::ControlKind kind) {
    switch (kind) {
    case qb::Spin:
        return std::strlen("_ValueChanged_CB");
    case qb::OptionMenu:
        return std::strlen("_List");
    case qb::Tab:
    case qb::Scale:
        return std::strlen("A_CB"); // the tag grows by a letter (TBA, SCD)
    default:
        return std::strlen("_CB");
    }
}

std::string EscapeNewlines(const std::string &text) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

std::string Lower(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

class Checker {
  public:
    explicit Checker(int language) : language_(language) {}

    void frame(const FrameContext &frame) {
        frame_ = frame;
        checkFrameName();
        std::vector<Control> controls;
        for (Text_ID text = QorUtilTextGetBase(); text; text = QorUtilTextGetNext(text))
            checkText(text, controls);
        for (Geom_ID geom = QorUtilGeomGetBase(); geom; geom = QorUtilGeomGetNext(geom))
            checkGeom(geom, controls);
        checkIdentifiers(controls);
    }

    // Checks that need every frame: managers, pages, Qt class names, heights.
    std::vector<Finding> finish() {
        for (const auto &entry : pagesOfGroup_)
            if (!showsGroup_.count(entry.first))
                for (const FrameContext &page : entry.second)
                    add(page, kWarning, {}, {}, "LinkGroup",
                        "no tab or form control shows the pages of linking group " +
                            std::to_string(entry.first) + ", so this page is never shown",
                        "add a TAB: or FM: control with GROUP=" + std::to_string(entry.first) +
                            " to a dialog, or link the page to a shown group");
        for (const auto &entry : controlsOfGroup_)
            if (!pagesOfGroup_.count(entry.first))
                for (const auto &place : entry.second)
                    add(place.first, kWarning, place.second.identifier, place.second.text, "GROUP",
                        "the control shows linking group " + std::to_string(entry.first) +
                            ", which has no page frames",
                        "insert a tab or form page into the group, or change GROUP");
        if (!anyMeasured_)
            add({}, kError, {}, {}, {},
                "Error: You must have at least one control that is not text",
                "add a control other than a text field; the build measures its text");
        return std::move(findings_);
    }

  private:
    void add(const FrameContext &frame, Finding::Severity severity, std::string control,
             std::string text, std::string key, std::string message, std::string advice) {
        findings_.push_back({severity, frame.index, frame.name, std::move(control), std::move(text),
                             std::move(key), std::move(message), std::move(advice)});
    }
    void add(Finding::Severity severity, std::string key, std::string message, std::string advice) {
        add(frame_, severity, {}, {}, std::move(key), std::move(message), std::move(advice));
    }

    void checkBoolean(const std::string &from, const char *key, const Control &control) {
        qb::HostString value{qb::GetStringTag(from.c_str(), key)};
        bool ignored = false;
        if (value && !qb::ParseBoolean(value.get(), ignored))
            add(frame_, kWarning, control.identifier, control.text, key,
                std::string("Value for dialog parameter ") + key +
                    " not recognized. Must be \"TRUE\" or \"FALSE\"",
                std::string("the value \"") + value.get() +
                    "\" is not a boolean, so the build takes the default; write TRUE or FALSE "
                    "(also YES, NO, ON, OFF, 1, 0)");
    }

    void checkFrameName() {
        const std::string &name = frame_.name;
        for (const char *key : {"APPLYBUTTON", "CANCELBUTTON", "OKCLOSEBUTTON", "HELPBUTTON",
                                "TABPAGE", "FORMPAGE", "SIDEBAR"})
            checkBoolean(name, key, {});
        const bool page = frame_.kind == qb::TabPage || frame_.kind == qb::FormPage;
        const int id = qb::GetFrameId(name.c_str());
        if (page) {
            if (qb::FrameLinking("LinkFrameSizeAndPosition") == 0)
                add(kWarning, "LinkFrameSizeAndPosition",
                    "the page frame is not size-and-position linked, so the build takes it for "
                    "no page",
                    "switch on LinkFrameSizeAndPosition and give it the tab's linking group");
            else
                pagesOfGroup_[frame_.number].push_back(frame_);
        }
        if (id == -1 && (!page || qb::FrameLinking("LinkFrameSizeAndPosition") != 0))
            add(kError, "ID", "Missing ID= from frame name",
                "add ID=n (0 or more) to the frame name");
        else if (id < -1)
            add(kError, "ID",
                "Invalid ID=" + std::to_string(id) + " in frame name: an ID must be 0 or more.",
                "give the frame an ID of 0 or more");
        if (frame_.kind == qb::ModalDialog || frame_.kind == qb::ModelessDialog ||
            frame_.kind == qb::Sidebar) {
            std::string manager = frame_.kind == qb::Sidebar ? "Sidebar" : "Dialog";
            manager += std::to_string(id) + "Manager";
            checkManager(manager);
        } else if (page) {
            checkManager((frame_.kind == qb::TabPage ? "Tab" : "Form") +
                         std::to_string(frame_.number) + "_" + std::to_string(id) + "Manager");
        }
        if (frame_.kind == qb::ModalDialog && frame_.current &&
            !qb::GetBoolParameter(name.c_str(), "OKCLOSEBUTTON", true))
            add(kError, "OKCLOSEBUTTON",
                "a modal dialog needs an OK button; the build refuses this frame",
                "add OKCLOSEBUTTON=TRUE to the frame name, or make it MODE=MODELESS");
        std::string title = "Untitled";
        if (!page && !TitleOf(name, title))
            add(kWarning, "TITLE",
                "Warning: title=\"Dialog Title\" not found. Default title will be used",
                "add TITLE=\"...\" to the frame name; the build uses \"Untitled\"");
        const bool dialog = frame_.kind == qb::ModalDialog || frame_.kind == qb::ModelessDialog;
        if (language_ == qb::LanguageQt && (dialog || frame_.kind == qb::Sidebar)) {
            const std::string className = quorvin::qorutilmisc::ContainerClassName(
                title, dialog ? "Dialog" : "Sidebar", static_cast<uint32_t>(id));
            if (quorvin::qorutilmisc::MakeClassName(title).empty())
                add(kWarning, "TITLE",
                    "The title of frame \"" + frame_.name + "\" gives no class name; \"" +
                        className + "\" is used instead.",
                    "give the frame a TITLE with an ASCII letter to name its Qt class");
            // Each dialog's class names its own directory and files.
            if (dialog && !qtClasses_.emplace(className, frame_.name).second)
                add(kError, "TITLE",
                    "Error: dialog title " + className +
                        " is not unique. All dialog title must be unique.",
                    "the title makes the Qt class " + className + ", as the frame " +
                        qtClasses_[className] + " does: give one of the dialogs another TITLE");
        }
    }

    // The title as the build reads it, without its warning: false when the
    // frame name has none (or its quote is not closed).
    static bool TitleOf(const std::string &name, std::string &title) {
        const int index = qb::FindParameter(name.c_str(), "TITLE");
        const size_t open = index < 0 ? std::string::npos : name.find('"', index);
        if (open == std::string::npos)
            return false;
        std::string read;
        for (size_t p = open + 1; p < name.size() && read.size() < kTitleLimit; ++p) {
            if (name[p] == '"') {
                title = read;
                return true;
            }
            if (name[p] == '\\' && p + 1 < name.size() && name[p + 1] == '"')
                ++p;
            read += name[p];
        }
        if (read.size() < kTitleLimit)
            return false;
        title = read;
        return true;
    }

    void checkManager(const std::string &manager) {
        auto inserted = managers_.emplace(manager, frame_.name);
        if (!inserted.second)
            add(kError, "ID",
                "The frames\n" + inserted.first->second + "\nand\n" + frame_.name + "\nboth make " +
                    manager +
                    ".\nThe generated code will not compile until one of them gets another ID.",
                "give one of them another ID");
    }

    void checkText(Text_ID text, std::vector<Control> &controls) {
        qb::HostString stringHandle = qb::TextString(text);
        qb::HostString commandHandle = qb::TextCommand(text);
        const std::string string = qb::ToStdString(stringHandle);
        const std::string command = qb::ToStdString(commandHandle);
        const TextBox_e box = QorUtilTextBoxGetType(text);
        const qb::ControlKind kind = qb::ClassifyByPrefix(box, string.c_str());
        Control control;
        control.text = string;

        if (qb::HostString typeHandle{qb::GetStringTag(command.c_str(), "Type")}) {
            // An unquoted value runs on over the command's other keys: its first word counts.
            std::string type = typeHandle.get();
            type = type.substr(0, type.find(' '));
            bool known = false;
            for (int k = qb::Tab; k <= qb::RadioBox; ++k)
                known = known || Lower(type) == Lower(qb::ControlKindName(qb::ControlKind(k)));
            if (!known)
                add(frame_, kWarning, {}, string, "Type",
                    "the Type \"" + type + "\" matches no control kind",
                    "use one of Tab, Form, Spin, TextField, Text, ReadOnlyText, Label, "
                    "PushButton, OptionMenu, MultiList, SingleList, Scale, Toggle, RadioBox");
        }
        if (kind == qb::NotAControl || QorUtilTextGetAngle(text) != 0)
            return;
        if (kind == qb::PushButton && box == TextBox_Filled) {
            const size_t colon = string.find(':');
            const bool prefixLike = colon != std::string::npos && colon > 0 &&
                                    std::all_of(string.begin(), string.begin() + colon, [](char c) {
                                        return std::isupper(static_cast<unsigned char>(c));
                                    });
            if (prefixLike)
                add(frame_, kWarning, {}, string, {},
                    "the prefix \"" + string.substr(0, colon + 1) +
                        "\" is not a control prefix, so this filled box becomes a push button",
                    "use a known prefix (TF:, TFS:, T:, TRO:, OPT:, MLST:, SLST:, SC:, TAB:, "
                    "FM:) or drop it");
        }
        checkMeasure(text, kind, string);
        checkPosition(text, string);
        if (kind == qb::RadioBox && !qb::StartsWithToggleMarker(string.c_str()))
            return;
        if (kind == qb::Tab || kind == qb::Form) {
            const int group = qb::GetIntParameter(string.c_str(), "GROUP", -1);
            if (group == -1)
                return;
            if (group < -1 || group > 32) {
                add(frame_, kError, {}, string, "GROUP",
                    "GROUP=" + std::to_string(group) + " names no frame linking group from 1 to 32",
                    "set GROUP to the linking group of the pages, 1 to 32");
                return;
            }
            showsGroup_.insert(group);
            controlsOfGroup_[group].push_back({frame_, control});
        }
        char *name = qb::GetControlVarName(frame_.kind, qb::ControlLabelText(kind, string.c_str()),
                                           command.c_str(), qb::ControlKindTag(kind),
                                           qb::ControlKindDisplayName(kind), frame_.number, false);
        if (!name)
            return;
        control.identifier = name;
        control.longestExtra = LongestExtra(kind);
        control.described =
            string.empty() ? qb::ControlKindDisplayName(kind) : EscapeNewlines(string);
        control.frameIndex = frame_.index;
        QorUtilStringDealloc(&name);
        if (kind == qb::Tab || kind == qb::Form)
            controlsOfGroup_[qb::GetIntParameter(string.c_str(), "GROUP", -1)].back().first =
                frame_;
        controls.push_back(control);
    }

    void checkMeasure(Text_ID text, qb::ControlKind kind, const std::string &string) {
        if (kind == qb::TextField)
            return;
        const double height = QorUtilTextGetHeight(text);
        if (QorUtilTextGetSizeUnits(text) != Units_Point || height <= 0) {
            add(frame_, kError, {}, string, {}, "All controls must use text sized using points",
                "give the text a height in points (size units 2)");
            return;
        }
        if (anyMeasured_ && height != height_)
            add(frame_, kError, {}, string, {},
                "All non-text field controls must use the same character height.",
                "use the height of the other controls (" + std::to_string(height_) + " points)");
        if (!anyMeasured_) {
            anyMeasured_ = true;
            height_ = height;
        }
    }

    static bool outside(CoordSys_e cs, double x, double y) {
        const double px = QorUtilConvertXPosition(cs, CoordSys_Frame, x);
        const double py = QorUtilConvertYPosition(cs, CoordSys_Frame, y);
        return px < 0 || px > 100 || py < 0 || py > 100;
    }

    void checkPosition(Text_ID text, const std::string &string) {
        double x = 0, y = 0;
        QorUtilTextGetXYPos(text, &x, &y);
        if (outside(QorUtilTextGetPositionCoordSys(text), x, y))
            add(frame_, kWarning, {}, string, {},
                "the control lies outside its frame; the build clips it to the frame's edge",
                "move it inside the frame");
    }

    void checkGeom(Geom_ID geom, std::vector<Control> &controls) {
        double x = 0, y = 0, z = 0;
        QorUtilGeomGetXYZAnchorPos(geom, &x, &y, &z);
        qb::HostString commandHandle = qb::GeomCommand(geom);
        const std::string command = qb::ToStdString(commandHandle);
        const GeomType_e type = QorUtilGeomGetType(geom);
        std::string text = command;
        if (type == GeomType_Image) {
            char *file = nullptr;
            if (QorUtilGeomImageGetFileName(geom, &file) && file) {
                text = file;
                QorUtilStringDealloc(&file);
            }
            const auto *record = Host::instance().findGeom(geom);
            if (!record || record->pixelWidth <= 0)
                add(frame_, kError, {}, text, {}, "the image file is missing or unreadable",
                    "put a readable BMP or PNG file at that path");
            if (qb::FindParameter(command.c_str(), "VarName") < 0) {
                add(frame_, kError, {}, text, "VarName",
                    "the image has no VarName, so the build skips it",
                    "add VarName=name to the image's macro-function command");
            } else if (char *name = qb::GetImageVarName(frame_.kind, geom, frame_.number, false)) {
                Control image;
                image.identifier = name;
                image.text = text;
                image.described = text;
                image.frameIndex = frame_.index;
                controls.push_back(image);
                QorUtilStringDealloc(&name);
            }
        }
        if (type == GeomType_Image || type == GeomType_Rectangle || type == GeomType_LineSegs) {
            if (outside(QorUtilGeomGetPositionCoordSys(geom), x, y))
                add(frame_, kWarning, {}, text, {},
                    "the control lies outside its frame; the build clips it to the frame's edge",
                    "move it inside the frame");
        }
    }

    void checkIdentifiers(const std::vector<Control> &controls) {
        // Identifiers are global names of the generated code: they must differ
        // across the whole build, not only within a frame.
        const auto &settings = qb::BuilderSettings;
        for (const Control &c : controls) {
            auto e = exact_.emplace(c.identifier, c);
            if (!e.second) {
                const Control &first = e.first->second;
                add(frame_, kError, c.identifier, c.text, "VarName",
                    first.frameIndex == frame_.index
                        ? "Two controls of frame\n" + frame_.name + "\nget the same identifier " +
                              c.identifier + ":\n\"" + first.described + "\"\nand\n\"" +
                              c.described +
                              "\"\nThe generated code will not compile until one of them gets "
                              "another VarName."
                        : "the identifier " + c.identifier + " repeats that of \"" +
                              first.described + "\" in frame " + std::to_string(first.frameIndex) +
                              "; the generated code will not compile",
                    "give one of the controls another VarName");
                continue;
            }
            if (settings.LimitIdentLength && settings.MaxIdentLength > 0 &&
                c.identifier.size() > static_cast<size_t>(settings.MaxIdentLength)) {
                const std::string cut = c.identifier.substr(0, settings.MaxIdentLength);
                auto l = limited_.emplace(cut, c);
                if (!l.second)
                    add(frame_, kError, c.identifier, c.text, "VarName",
                        "the identifiers " + l.first->second.identifier + " and " + c.identifier +
                            " are the same in their first " +
                            std::to_string(settings.MaxIdentLength) + " characters",
                        "shorten one VarName so they differ early, or raise the identifier limit");
            }
            if (language_ == qb::LanguageFORTRAN) {
                auto f = folded_.emplace(Lower(c.identifier), c);
                if (!f.second)
                    add(frame_, kError, c.identifier, c.text, "VarName",
                        "FORTRAN ignores case, so " + c.identifier + " clashes with " +
                            f.first->second.identifier,
                        "give one of the controls another VarName");
                const size_t longest = c.identifier.size() + c.longestExtra;
                if (longest > kFortranNameLimit)
                    add(frame_, kError, c.identifier, c.text, "VarName",
                        "the FORTRAN output makes names of up to " + std::to_string(longest) +
                            " characters from the identifier " + c.identifier +
                            "; FORTRAN names have at most 63",
                        "give the control a shorter VarName, or switch on LimitIdentLength");
            }
        }
    }

    int language_;
    FrameContext frame_;
    std::vector<Finding> findings_;
    std::map<std::string, std::string> managers_, qtClasses_;
    std::map<std::string, Control> exact_, limited_, folded_;
    std::map<int, std::vector<FrameContext>> pagesOfGroup_;
    std::map<int, std::vector<std::pair<FrameContext, Control>>> controlsOfGroup_;
    std::set<int> showsGroup_;
    bool anyMeasured_ = false;
    double height_ = 0;
};

} // namespace

std::vector<Finding> CheckDesign(int language) {
    Checker checker(language < 0 ? qb::BuilderSettings.Language : language);
    const UniqueID_t current = QorUtilFrameGetUniqueID();
    int index = 0;
    qb::ForEachFrameLightweight([&] {
        FrameContext frame;
        frame.index = ++index;
        qb::HostString name = qb::CurrentFrameName();
        frame.name = qb::ToStdString(name);
        frame.kind = qb::GetFrameKind(frame.name.c_str(), false);
        frame.number = frame.kind == qb::TabPage || frame.kind == qb::FormPage
                           ? qb::FrameLinking("LinkGroup")
                           : qb::GetFrameId(frame.name.c_str());
        frame.current = QorUtilFrameGetUniqueID() == current;
        checker.frame(frame);
        return true;
    });
    if (index == 0)
        return {{Finding::Severity::Error,
                 0,
                 {},
                 {},
                 {},
                 {},
                 "There is no frame to build.",
                 "insert a dialog or sidebar frame"}};
    return checker.finish();
}

} // namespace qgb
