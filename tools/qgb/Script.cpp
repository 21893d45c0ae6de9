#include "Script.h"

#include "ScriptAddOn.h"
#include "ScriptAuthoring.h"
#include "Usage.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>

namespace qgb {

namespace fs = std::filesystem;
using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Host;
using quorvin::host::Message;

bool SplitScriptLine(const std::string &line, const std::map<std::string, std::string> &variables,
                     std::vector<std::string> &words, std::string &error) {
    words.clear();
    size_t i = 0;
    const size_t n = line.size();
    auto expandVariable = [&](std::string &out) {
        // At "${": copies the variable's value and moves past "}".
        const size_t close = line.find('}', i + 2);
        if (close == std::string::npos) {
            error = "\"${\" without a closing \"}\"";
            return false;
        }
        const std::string name = line.substr(i + 2, close - i - 2);
        auto it = variables.find(name);
        if (it != variables.end()) {
            out += it->second;
        } else if (const char *env = std::getenv(name.c_str())) {
            out += env;
        } else {
            error = "unknown variable ${" + name + "}";
            return false;
        }
        i = close + 1;
        return true;
    };
    while (i < n) {
        while (i < n && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= n || line[i] == '#')
            break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                const char c = line[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '\\' && i + 1 < n) {
                    const char e = line[i + 1];
                    i += 2;
                    switch (e) {
                    case 'n':
                        word += '\n';
                        break;
                    case 't':
                        word += '\t';
                        break;
                    case '"':
                    case '\\':
                    case '$':
                        word += e;
                        break;
                    default:
                        error = std::string("unknown escape \\") + e;
                        return false;
                    }
                    continue;
                }
                if (c == '$' && i + 1 < n && line[i + 1] == '{') {
                    if (!expandVariable(word))
                        return false;
                    continue;
                }
                word += c;
                ++i;
            }
            if (!closed) {
                error = "a quoted word has no closing double quote";
                return false;
            }
            if (i < n && !std::isspace(static_cast<unsigned char>(line[i]))) {
                error = "a blank must follow a quoted word";
                return false;
            }
        } else {
            while (i < n && !std::isspace(static_cast<unsigned char>(line[i]))) {
                if (line[i] == '$' && i + 1 < n && line[i + 1] == '{') {
                    if (!expandVariable(word))
                        return false;
                    continue;
                }
                word += line[i++];
            }
        }
        words.push_back(word);
    }
    return true;
}

namespace {

// A failed line: what went wrong.
struct LineError {
    std::string text;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string &text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// "Layout > Align > Left" -> {"Layout", "Align", "Left"}.
std::vector<std::string> SplitMenuPath(const std::string &path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t at = path.find('>', start);
        parts.push_back(
            Trim(path.substr(start, at == std::string::npos ? std::string::npos : at - start)));
        if (at == std::string::npos)
            break;
        start = at + 1;
    }
    return parts;
}

class ScriptRunner {
  public:
    ScriptRunner(const GlobalOptions &options, const fs::path &scriptPath,
                 std::map<std::string, std::string> variables)
        : options_(options), session_(options), scriptDir_(scriptPath.parent_path()),
          variables_(std::move(variables)) {
        if (scriptDir_.empty())
            scriptDir_ = ".";
        variables_["SCRIPT_DIR"] = scriptDir_.string();
    }

    // Runs one line; false with error set when it failed.
    bool runLine(const std::string &line, std::string &error) {
        std::vector<std::string> words;
        if (!SplitScriptLine(line, variables_, words, error))
            return false;
        if (words.empty())
            return true;
        try {
            execute(words);
        } catch (const LineError &e) {
            error = e.text;
            return false;
        }
        // Every line leaves the host sound: a fault fails the line.
        const auto &faults = host().faults();
        if (faultsSeen_ < faults.size()) {
            error = "host fault: " + faults[faultsSeen_];
            for (size_t i = faultsSeen_ + 1; i < faults.size(); ++i)
                error += "; " + faults[i];
            faultsSeen_ = faults.size();
            return false;
        }
        return true;
    }

  private:
    static Host &host() { return Session::host(); }

    [[noreturn]] static void Fail(const std::string &text) { throw LineError{text}; }

    static void Need(const std::vector<std::string> &w, size_t min, size_t max, const char *usage) {
        if (w.size() < min || w.size() > max)
            Fail(std::string("usage: ") + usage);
    }

    static double Number(const std::string &word) {
        char *end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        if (word.empty() || *end != '\0')
            Fail("not a number: " + word);
        return value;
    }

    static long Integer(const std::string &word) {
        char *end = nullptr;
        const long value = std::strtol(word.c_str(), &end, 10);
        if (word.empty() || *end != '\0')
            Fail("not a whole number: " + word);
        return value;
    }

    static bool OnOff(const std::string &word) {
        const std::string w = Lower(word);
        if (w == "on" || w == "true" || w == "yes" || w == "1")
            return true;
        if (w == "off" || w == "false" || w == "no" || w == "0")
            return false;
        Fail("expected on or off, not " + word);
    }

    fs::path Path(const std::string &word) const {
        fs::path path(word);
        return path.is_absolute() ? path : scriptDir_ / path;
    }

    // ---- finding controls of dialogs that are up

    // The dialog a control belongs to (through pages and menus), or null.
    static const GuiDialog *OwningDialog(GUIInt_t id) {
        for (int depth = 0; depth < 64; ++depth) {
            if (const GuiControl *control = host().findControl(id)) {
                if (const GuiDialog *dialog = host().findDialog(control->parent))
                    return dialog;
                id = control->parent;
                continue;
            }
            return host().findDialog(id);
        }
        return nullptr;
    }

    static bool InDialogThatIsUp(GUIInt_t id) {
        const GuiDialog *dialog = OwningDialog(id);
        return dialog && dialog->up;
    }

    // The labels from the menu bar down to a menu item ("Layout", "Align",
    // "Left").
    static std::vector<std::string> MenuPathOf(const GuiControl &item) {
        std::vector<std::string> path;
        const GuiControl *c = &item;
        for (int depth = 0; c && depth < 64; ++depth) {
            if (c->kind == "MenuBar")
                break;
            path.insert(path.begin(), c->labels.empty() ? std::string() : c->labels.front());
            c = host().findControl(c->parent);
        }
        return path;
    }

    static bool IsMenuItem(const GuiControl &c) { return c.kind == "MenuItem"; }

    // A control of a dialog that is up, by label, tool tip or menu path
    // ("Layout > Align > Left"). Buttons and toggles come before menu items
    // of the same name; a path names a menu item.
    static const GuiControl &FindControl(const std::string &name,
                                         const std::function<bool(const GuiControl &)> &accept) {
        std::vector<const GuiControl *> direct, items;
        const bool isPath = name.find('>') != std::string::npos;
        const std::vector<std::string> path = SplitMenuPath(name);
        for (const auto &[id, control] : host().controls()) {
            if (!accept(control) || !InDialogThatIsUp(id))
                continue;
            if (isPath) {
                if (IsMenuItem(control) && MenuPathOf(control) == path)
                    items.push_back(&control);
                continue;
            }
            const bool labelled = std::find(control.labels.begin(), control.labels.end(), name) !=
                                  control.labels.end();
            if (!labelled && control.toolTip != name)
                continue;
            (IsMenuItem(control) ? items : direct).push_back(&control);
        }
        const std::vector<const GuiControl *> &found = direct.empty() ? items : direct;
        if (found.empty())
            Fail("no control \"" + name + "\" in a dialog that is up");
        if (found.size() > 1)
            Fail(std::to_string(found.size()) + " controls are named \"" + name +
                 "\"; give a menu path such as \"Layout > Align > Left\"");
        return *found.front();
    }

    static const GuiControl &FindAnyControl(const std::string &name) {
        return FindControl(name, [](const GuiControl &) { return true; });
    }

    static const GuiDialog &FindDialog(const std::string &title) {
        const GuiDialog *dialog = host().findDialogByTitle(title);
        if (!dialog)
            Fail("no dialog titled \"" + title + "\"");
        return *dialog;
    }

    static const quorvin::host::Frame &FindFrame(const std::string &name) {
        const quorvin::host::Frame *match = nullptr;
        int containing = 0;
        for (const auto &frame : host().frames()) {
            if (frame.spec.name == name)
                return frame;
            if (frame.spec.name.find(name) != std::string::npos) {
                match = &frame;
                ++containing;
            }
        }
        if (containing == 1)
            return *match;
        Fail(containing ? "several frames have names containing \"" + name + "\""
                        : "no frame named \"" + name + "\"");
    }

    static const quorvin::host::Frame &CurrentFrame() {
        const quorvin::host::Frame *frame = host().currentFrame();
        if (!frame)
            Fail("there is no frame");
        return *frame;
    }

    static Text_ID FindText(const std::string &name) {
        std::string error;
        const Text_ID text = FindScriptText(name, error);
        if (!text)
            Fail(error);
        return text;
    }

    // ---- messages

    static bool MessageIsKind(const Message &m, const std::string &kind) {
        if (kind == "message")
            return true;
        if (kind == "error")
            return m.call == Message::Call::ErrMsg ||
                   (m.call == Message::Call::MessageBox && m.boxType == MessageBox_Error);
        if (kind == "help")
            return m.call == Message::Call::Help;
        if (m.call != Message::Call::MessageBox)
            return false;
        if (kind == "warning")
            return m.boxType == MessageBox_Warning || m.boxType == MessageBox_WarningOkCancel;
        if (kind == "info")
            return m.boxType == MessageBox_Information;
        if (kind == "question")
            return m.boxType == MessageBox_YesNo || m.boxType == MessageBox_YesNoCancel ||
                   m.boxType == MessageBox_Question;
        return false;
    }

    static std::string ShownMessages() {
        std::string shown;
        for (const Message &m : host().messages())
            shown += "\n  " + DescribeMessage(m);
        return shown.empty() ? " none" : shown;
    }

    // ---- the commands

    void execute(const std::vector<std::string> &w) {
        Host &h = host();
        const std::string &verb = w[0];
        std::string error;
        if (verb == "set") {
            Need(w, 3, 3, "set NAME VALUE");
            variables_[w[1]] = w[2];
        } else if (verb == "echo") {
            std::string text;
            for (size_t i = 1; i < w.size(); ++i)
                text += (i > 1 ? " " : "") + w[i];
            std::cout << text << std::endl;
        } else if (verb == "host-version") {
            Need(w, 2, 2, "host-version N");
            h.setVersion(static_cast<int32_t>(Integer(w[1])));
        } else if (verb == "copy") {
            Need(w, 3, 3, "copy SOURCE DESTINATION");
            std::error_code ec;
            const fs::path source = Path(w[1]), destination = Path(w[2]);
            fs::remove_all(destination, ec);
            fs::create_directories(destination.parent_path(), ec);
            fs::copy(source, destination,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
            if (ec)
                Fail("cannot copy " + source.string() + " to " + destination.string() + ": " +
                     ec.message());
        } else if (verb == "load") {
            Need(w, 2, 2, "load LAYOUT");
            error = LayoutPathProblem(Path(w[1]).string());
            if (!error.empty() || !h.loadLayout(Path(w[1]).string(), &error))
                Fail(error);
            session_.rememberFrameOrder();
        } else if (verb == "save") {
            Need(w, 1, 2, "save [LAYOUT]");
            const std::string path = w.size() == 2 ? Path(w[1]).string() : h.layoutFileName();
            if (path.empty())
                Fail("the layout has no name yet: save LAYOUT");
            if (!h.saveLayout(path, &error))
                Fail(error);
        } else if (verb == "addon") {
            Need(w, 1, 2, "addon [MODULE]");
            const std::string module = w.size() == 2 ? Path(w[1]).string() : options_.modulePath;
            if (!h.loadAddOnModule(module, &error))
                Fail(error);
        } else if (verb == "menu") {
            Need(w, 2, 2, "menu \"MENU > OPTION\"");
            const std::vector<std::string> path = SplitMenuPath(w[1]);
            if (path.size() != 2)
                Fail("a host menu option is given as \"MENU > OPTION\"");
            if (!h.chooseMenuOption(path[0], path[1], &error))
                Fail(error);
        } else if (verb == "press") {
            Need(w, 2, 2, "press NAME");
            const GuiControl &control = FindAnyControl(w[1]);
            if (!control.sensitive)
                Fail("\"" + w[1] +
                     "\" is insensitive and cannot be pressed; the tool dialog brings its "
                     "buttons up to date with the selection when the host is idle: run \"idle\" "
                     "after picking");
            if (!h.pressControl(control.id, &error))
                Fail(error);
        } else if (verb == "dialog") {
            Need(w, 3, 3, "dialog TITLE OK|Cancel|Apply|Help|Close");
            if (!h.pressDialogButton(FindDialog(w[1]).id, w[2], &error))
                Fail(error);
        } else if (verb == "toggle") {
            Need(w, 3, 3, "toggle NAME on|off");
            const GuiControl &control = FindControl(w[1], [](const GuiControl &c) {
                return c.kind == "Toggle" || c.kind == "BitmapToggle";
            });
            if (!h.setToggle(control.id, OnOff(w[2]), &error))
                Fail(error);
        } else if (verb == "radio") {
            Need(w, 3, 3, "radio NAME BUTTON");
            const GuiControl &control =
                FindControl(w[1], [](const GuiControl &c) { return c.kind == "RadioBox"; });
            GUIInt_t which = 0;
            auto label = std::find(control.labels.begin(), control.labels.end(), w[2]);
            if (label != control.labels.end())
                which = static_cast<GUIInt_t>(label - control.labels.begin()) + 1;
            else
                which = static_cast<GUIInt_t>(Integer(w[2]));
            if (!h.setRadioBox(control.id, which, &error))
                Fail(error);
        } else if (verb == "text") {
            Need(w, 4, 4, "text DIALOG N VALUE");
            const GuiDialog &dialog = FindDialog(w[1]);
            const long wanted = Integer(w[2]);
            long seen = 0;
            GUIInt_t field = BADDIALOGID;
            for (GUIInt_t id : dialog.controls) {
                const GuiControl *c = h.findControl(id);
                if (c &&
                    (c->kind == "TextField" || c->kind == "SpinTextField" || c->kind == "Text") &&
                    ++seen == wanted) {
                    field = id;
                    break;
                }
            }
            if (field == BADDIALOGID)
                Fail("dialog \"" + w[1] + "\" has no text field " + w[2]);
            if (!h.setTextField(field, w[3], &error))
                Fail(error);
        } else if (verb == "frame") {
            Need(w, 2, 2, "frame NAME");
            if (!h.makeCurrent(FindFrame(w[1]).uniqueId))
                Fail("cannot make frame \"" + w[1] + "\" current");
        } else if (verb == "pick") {
            pick(w);
        } else if (verb == "move" || verb == "resize") {
            Need(w, 3, 3, verb == "move" ? "move X Y" : "resize WIDTH HEIGHT");
            const auto spec = CurrentFrame().spec;
            const double a = Number(w[1]), b = Number(w[2]);
            const bool ok = verb == "move"
                                ? h.setFramePosAndSize(a, b, spec.width, spec.height, &error)
                                : h.setFramePosAndSize(spec.x, spec.y, a, b, &error);
            if (!ok)
                Fail(error);
        } else if (verb == "state") {
            Need(w, 2, 2, "state CODE");
            h.sendStateChange(static_cast<StateChange_e>(Integer(w[1])));
        } else if (verb == "idle") {
            Need(w, 1, 2, "idle [EXPECTED-CALLS]");
            const int ran = h.runIdle();
            if (w.size() == 2 && ran != Integer(w[1]))
                Fail(std::to_string(ran) + " idle callbacks ran, expected " + w[1]);
        } else if (verb == "answer") {
            Need(w, 2, 2, "answer yes|no");
            h.queueAnswer(OnOff(w[1]));
        } else if (verb == "file") {
            Need(w, 2, 2, "file PATH|cancel");
            if (w[1] == "cancel")
                h.queueFileName(std::nullopt);
            else
                h.queueFileName(Path(w[1]).string());
        } else if (verb == "color") {
            Need(w, 2, 2, "color INDEX|cancel");
            if (w[1] == "cancel")
                h.queueColor(std::nullopt);
            else
                h.queueColor(static_cast<ColorIndex_t>(Integer(w[1])));
        } else if (verb == "quit") {
            Need(w, 1, 1, "quit");
            session_.quit();
        } else if (verb == "clear-messages") {
            Need(w, 1, 1, "clear-messages");
            for (const std::string &text : UncheckedErrors())
                uncheckedCleared_.push_back(text);
            checkedErrors_.clear();
            h.clearMessages();
        } else if (verb == "allow-errors") {
            Need(w, 1, 1, "allow-errors");
            errorsAllowed_ = true;
        } else if (verb == "expect") {
            expect(w);
        } else if (const auto authoring = RunAuthoringCommand(w)) {
            if (!authoring->empty())
                Fail(*authoring);
        } else {
            // Commands for running a user's add-on (ScriptAddOn.cpp).
            const ScriptCommand done = RunSnapshotCommand(w, scriptDir_, error);
            if (done == ScriptCommand::NotThis) {
                std::vector<std::string> verbs = AuthoringVerbs();
                verbs.insert(verbs.end(), kVerbs.begin(), kVerbs.end());
                Fail(UnknownWordText("command", verb, verbs));
            }
            if (done == ScriptCommand::Failed)
                Fail(error);
        }
    }

    void pick(const std::vector<std::string> &w) {
        Host &h = host();
        std::string error;
        if (w.size() == 2 && w[1] == "none") {
            h.clearPicks();
            return;
        }
        if (w.size() < 3)
            Fail("usage: pick frame NAME | pick text STRING [add] | pick geom N [add] | "
                 "pick none");
        const bool add = w.size() == 4 && w[3] == "add";
        if (w.size() > 4 || (w.size() == 4 && !add))
            Fail("only \"add\" may follow what is picked");
        bool ok = false;
        if (w[1] == "frame") {
            if (add)
                Fail("a frame is picked alone");
            ok = h.pickFrame(FindFrame(w[2]).uniqueId, &error);
        } else if (w[1] == "text") {
            ok = h.pickText(FindText(w[2]), add, &error);
        } else if (w[1] == "geom") {
            const Geom_ID geom = FindScriptGeom(w[2], error);
            if (!geom)
                Fail(error);
            ok = h.pickGeom(geom, add, &error);
        } else {
            Fail("pick frame, text, geom or none");
        }
        if (!ok)
            Fail(error);
    }

    void expect(const std::vector<std::string> &w) {
        Host &h = host();
        if (w.size() < 2)
            Fail("usage: expect WHAT ...");
        const std::string &what = w[1];
        if (what == "message" || what == "error" || what == "warning" || what == "info" ||
            what == "question" || what == "help") {
            Need(w, 3, 3, "expect message|error|warning|info|question|help TEXT");
            bool found = false;
            for (size_t i = 0; i < h.messages().size(); ++i) {
                const Message &m = h.messages()[i];
                if (MessageIsKind(m, what) && m.text.find(w[2]) != std::string::npos) {
                    found = true;
                    if (what == "error")
                        checkedErrors_.insert(i);
                }
            }
            if (found)
                return;
            Fail("no " + what + " containing \"" + w[2] + "\" was shown; shown:" + ShownMessages());
        } else if (what == "no-message" || what == "no-error") {
            Need(w, 2, 2, "expect no-message|no-error");
            for (const Message &m : h.messages())
                if (what == "no-message" || MessageIsKind(m, "error"))
                    Fail("shown: " + DescribeMessage(m));
        } else if (what == "sensitive" || what == "insensitive") {
            Need(w, 3, 3, "expect sensitive|insensitive NAME");
            const bool sensitive = FindAnyControl(w[2]).sensitive;
            if (sensitive != (what == "sensitive"))
                Fail("\"" + w[2] + "\" is " + (sensitive ? "sensitive" : "insensitive"));
        } else if (what == "dialog-up" || what == "dialog-down") {
            Need(w, 3, 3, "expect dialog-up|dialog-down TITLE");
            const GuiDialog *dialog = h.findDialogByTitle(w[2]);
            const bool up = dialog && dialog->up;
            if (up != (what == "dialog-up"))
                Fail("dialog \"" + w[2] + "\" is " + (up ? "up" : "not up"));
        } else if (what == "toggle") {
            Need(w, 4, 4, "expect toggle NAME on|off");
            const GuiControl &c = FindControl(w[2], [](const GuiControl &c) {
                return c.kind == "Toggle" || c.kind == "BitmapToggle";
            });
            if ((c.intValue != 0) != OnOff(w[3]))
                Fail("toggle \"" + w[2] + "\" is " + (c.intValue ? "on" : "off"));
        } else if (what == "radio") {
            Need(w, 4, 4, "expect radio NAME N");
            const GuiControl &c =
                FindControl(w[2], [](const GuiControl &c) { return c.kind == "RadioBox"; });
            if (c.intValue != Integer(w[3]))
                Fail("radio box \"" + w[2] + "\" is at " + std::to_string(c.intValue));
        } else if (what == "file" || what == "no-file") {
            Need(w, 3, what == "file" ? 4 : 3, "expect file PATH [TEXT] | expect no-file PATH");
            const fs::path path = Path(w[2]);
            std::error_code ec;
            const bool exists = fs::exists(path, ec);
            if (what == "no-file") {
                if (exists)
                    Fail(path.string() + " exists");
                return;
            }
            if (!exists)
                Fail(path.string() + " does not exist");
            if (w.size() == 4) {
                std::ifstream in(path, std::ios::binary);
                std::ostringstream content;
                content << in.rdbuf();
                if (content.str().find(w[3]) == std::string::npos)
                    Fail(path.string() + " does not contain \"" + w[3] + "\"");
            }
        } else if (what == "paper-position") {
            Need(w, 5, 6, "expect paper-position TEXT X Y [TOLERANCE]");
            const Text_ID text = FindText(w[2]);
            double tx = 0, ty = 0;
            QorUtilTextGetXYPos(text, &tx, &ty);
            const CoordSys_e system = QorUtilTextGetPositionCoordSys(text);
            const double x = QorUtilConvertXPosition(system, CoordSys_Paper, tx);
            const double y = QorUtilConvertYPosition(system, CoordSys_Paper, ty);
            const double tolerance = w.size() == 6 ? Number(w[5]) : 0.001;
            if (std::fabs(x - Number(w[3])) > tolerance || std::fabs(y - Number(w[4])) > tolerance)
                Fail("text \"" + w[2] + "\" is at " + FormatNumber(x) + ", " + FormatNumber(y) +
                     " on the paper");
        } else if (what == "frames") {
            Need(w, 3, 3, "expect frames N");
            if (static_cast<long>(h.frames().size()) != Integer(w[2]))
                Fail("there are " + std::to_string(h.frames().size()) + " frames");
        } else if (what == "texts") {
            Need(w, 3, 3, "expect texts N");
            if (static_cast<long>(CurrentFrame().texts.size()) != Integer(w[2]))
                Fail("the current frame has " + std::to_string(CurrentFrame().texts.size()) +
                     " texts");
        } else if (what == "current-frame") {
            Need(w, 3, 3, "expect current-frame NAME");
            if (CurrentFrame().uniqueId != FindFrame(w[2]).uniqueId)
                Fail("the current frame is \"" + CurrentFrame().spec.name + "\"");
        } else {
            // Checks of a user's add-on's dialogs (ScriptAddOn.cpp).
            std::string error;
            const ScriptCommand done = RunExpectControl(w, error);
            if (done == ScriptCommand::NotThis)
                Fail("unknown expectation \"" + what + "\"");
            if (done == ScriptCommand::Failed)
                Fail(error);
        }
    }

  public:
    // The errors shown that no "expect error" line checked, unless the script
    // allowed errors.
    std::vector<std::string> UncheckedErrors() const {
        std::vector<std::string> texts = uncheckedCleared_;
        if (errorsAllowed_)
            return {};
        const auto &messages = host().messages();
        for (size_t i = 0; i < messages.size(); ++i)
            if (MessageIsKind(messages[i], "error") && !checkedErrors_.count(i))
                texts.push_back(messages[i].text);
        return texts;
    }

  private:
    // The commands of execute(), for "did you mean".
    inline static const std::vector<std::string> kVerbs = {
        "set",   "echo",  "host-version",   "copy",         "load",   "save",    "addon",
        "menu",  "press", "dialog",         "toggle",       "radio",  "text",    "frame",
        "pick",  "move",  "resize",         "state",        "idle",   "answer",  "file",
        "color", "quit",  "clear-messages", "allow-errors", "expect", "snapshot"};

    const GlobalOptions &options_;
    Session session_;
    std::set<size_t> checkedErrors_;            // indexes into the host's messages
    std::vector<std::string> uncheckedCleared_; // forgotten by clear-messages unchecked
    bool errorsAllowed_ = false;
    fs::path scriptDir_;
    std::map<std::string, std::string> variables_;
    size_t faultsSeen_ = 0;
};

} // namespace

int RunScript(const GlobalOptions &options, const std::string &scriptPath,
              const std::map<std::string, std::string> &variables) {
    std::ifstream in(scriptPath);
    if (!in) {
        PrintError("cannot read script " + scriptPath);
        return kExitFailure;
    }
    ScriptRunner runner(options, scriptPath, variables);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string error;
        if (!runner.runLine(line, error)) {
            std::fflush(stdout);
            std::cerr << scriptPath << ":" << number << ": error: " << error << std::endl;
            return kExitFailure;
        }
    }
    const std::vector<std::string> unchecked = runner.UncheckedErrors();
    if (!unchecked.empty()) {
        std::fflush(stdout);
        std::cerr << scriptPath << ": error: the add-on showed " << unchecked.size()
                  << " error(s) that no \"expect error\" line checked:";
        for (const std::string &text : unchecked)
            std::cerr << "\n  " << text;
        std::cerr << "\ncheck each with \"expect error TEXT\", or add an \"allow-errors\" line"
                  << std::endl;
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace qgb
