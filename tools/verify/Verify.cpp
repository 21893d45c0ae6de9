#include "Verify.h"

#include "model/Kinds.h"
#include "model/Parameters.h"
#include "quorvin/Host.h"

#include <dlfcn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace qgb {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
namespace qh = quorvin::host;
using qh::GuiControl;
using qh::GuiDialog;

const char *const kPreviewCloseButtonMessage =
    "The preview dialog will have a close button since that is the only way the preview dialog "
    "can be closed.\nThe dialog generated in the source code will not have a close button.";

namespace {

// One dialog or sidebar of a design, previewed and generated.
struct Container {
    UniqueID_t frame = 0;
    std::string name;
    qb::FrameKind kind = qb::ModalDialog;
    int id = -1;
    GUIInt_t preview = BADDIALOGID;
    int sidebarNumber = 0;     // the n of "[Preview n]"
    bool closeMessage = false; // the close-button message was shown
    GUIInt_t generated = BADDIALOGID;
};

// Property values as text, for comparing and reporting.
template <class T> std::string Text(const T &v) {
    std::ostringstream out;
    out << v;
    return out.str();
}
std::string Text(const std::string &s) {
    return "\"" + s + "\"";
}
std::string Text(const std::vector<std::string> &v) {
    std::string s = "{";
    for (const std::string &x : v)
        s += Text(x) + " ";
    return s + "}";
}
std::string Text(const std::vector<unsigned char> &bytes) {
    uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (unsigned char b : bytes)
        hash = (hash ^ b) * 1099511628211ull;
    return std::to_string(bytes.size()) + " bytes #" + std::to_string(hash);
}

// What is compared of every control (kind and children apart).
std::vector<std::pair<std::string, std::string>> Properties(const GuiControl &c) {
    return {{"place", Text(c.x) + "," + Text(c.y) + " " + Text(c.width) + "x" + Text(c.height)},
            {"labels", Text(c.labels)},
            {"option items", Text(c.optionList)},
            {"tool tip", Text(c.toolTip)},
            {"sensitive, read-only, multi-selection",
             Text(c.sensitive) + Text(c.readOnly) + Text(c.multiSelection)},
            {"scale range, decimals, numeric display", Text(c.scaleMin) + ".." + Text(c.scaleMax) +
                                                           " " + Text(c.decimals) + " " +
                                                           Text(c.numericDisplay)},
            {"colour", Text(c.color)},
            {"bitmap", Text(c.bitmapWidth) + "x" + Text(c.bitmapHeight) + " " + Text(c.bitmap)},
            {"transparent colour", Text(c.useTransparentColor) + " " + Text(c.transparentRed) +
                                       "," + Text(c.transparentGreen) + "," +
                                       Text(c.transparentBlue)},
            {"value, text", Text(c.intValue) + " " + Text(c.stringValue)}};
}

class TreeComparison {
  public:
    TreeComparison(std::string library, AddOn_pa builder, AddOn_pa generatedAddOn)
        : library_(std::move(library)), builder_(builder), generatedAddOn_(generatedAddOn) {
        for (const auto &[id, c] : qh::Host::instance().controls())
            if (c.kind.rfind("Menu", 0) != 0)      // menu bars, menus and items are no part
                children_[c.parent].push_back(&c); // in creation order
    }

    void Dialogs(const Container &c);

    std::vector<std::string> mismatches;
    std::set<std::string> named;

  private:
    void Mismatch(const std::string &path, const std::string &what) {
        mismatches.push_back(path + ": " + what);
    }
    template <class T>
    void Same(const std::string &path, const std::string &field, const T &preview,
              const T &generated) {
        if (!(preview == generated))
            Mismatch(path, field + " differs: preview " + Text(preview) + ", generated " +
                               Text(generated));
    }

    // Where a callback lives: the builder's own code, or the library built
    // from the generated files.
    bool InGeneratedLibrary(const void *function) const {
        Dl_info info{};
        return ::dladdr(function, &info) && info.dli_fname &&
               fs::path(info.dli_fname).filename() == fs::path(library_).filename();
    }
    template <class F>
    void Callback(const std::string &path, const std::string &which, F preview, F generated,
                  bool samePresence = true) {
        if (samePresence && (preview != nullptr) != (generated != nullptr))
            Mismatch(path, which + " callback present in only one tree");
        if (preview && InGeneratedLibrary(reinterpret_cast<const void *>(preview)))
            Mismatch(path, which + " callback of the preview is generated code");
        if (generated && !InGeneratedLibrary(reinterpret_cast<const void *>(generated)))
            Mismatch(path, which + " callback of the generated tree is not its own");
        if (preview || generated)
            named.insert("callbacks");
    }

    std::vector<const GuiControl *> ChildrenOf(GUIInt_t parent) const {
        auto it = children_.find(parent);
        return it == children_.end() ? std::vector<const GuiControl *>{} : it->second;
    }
    void Controls(const std::string &path, const GuiControl &p, const GuiControl &g);
    void ChildLists(const std::string &path, std::vector<const GuiControl *> p,
                    const std::vector<const GuiControl *> &g, bool formPages);

    std::string library_;
    AddOn_pa builder_, generatedAddOn_;
    std::map<GUIInt_t, std::vector<const GuiControl *>> children_;
};

void TreeComparison::Dialogs(const Container &c) {
    const std::string &path = c.name;
    const GuiDialog *p = qh::Host::instance().findDialog(c.preview);
    const GuiDialog *g = qh::Host::instance().findDialog(c.generated);
    if (!p || !g)
        return Mismatch(path,
                        std::string(p ? "" : "no preview ") + (g ? "" : "no generated dialog"));
    Same(path, "kind", p->kind, g->kind);
    Same(path, "size", Text(p->width) + "x" + Text(p->height),
         Text(g->width) + "x" + Text(g->height));
    named.insert("title");
    if (g->kind == "Sidebar") {
        Same(path, "title", p->title, g->title + " [Preview " + Text(c.sidebarNumber) + "]");
        Same(path, "preview sidebar's add-on", p->addOn, builder_);
        Same(path, "generated sidebar's add-on", g->addOn, generatedAddOn_);
        named.insert("sidebar add-on");
    } else {
        Same(path, "title", p->title, g->title + " - [Preview]");
        Same(path, "preview parent", p->parent, -1);
        Same(path, "generated parent", g->parent, BADDIALOGID);
        named.insert("no parent");
    }
    Callback(path, "init", p->init, g->init);
    Callback(path, "apply", p->apply, g->apply);
    Callback(path, "cancel", p->cancel, g->cancel);
    Callback(path, "help", p->help, g->help);
    Callback(path, "activate", p->activate, g->activate);
    Callback(path, "deactivate", p->deactivate, g->deactivate);
    // OK (modal) or close (modeless): the preview adds the one the designer
    // left out, and says so.
    bool forcedAny = false;
    for (auto [which, pc, gc] :
         {std::make_tuple("OK", p->ok, g->ok), std::make_tuple("close", p->close, g->close)}) {
        const bool forced = pc && !gc && c.closeMessage;
        Callback(path, which, pc, gc, !forced);
        forcedAny = forcedAny || forced;
    }
    if (forcedAny)
        named.insert("close button");
    else if (c.closeMessage)
        Mismatch(path, "the close-button message was shown but the preview has no extra button");
    ChildLists(path, ChildrenOf(p->id), ChildrenOf(g->id), false);
}

void TreeComparison::ChildLists(const std::string &path, std::vector<const GuiControl *> p,
                                const std::vector<const GuiControl *> &g, bool formPages) {
    if (formPages) {
        // The preview's tabs "[Form <ID>]" in POS order against the
        // generated pages in page ID order.
        const auto pageId = [](const GuiControl *c) {
            int id = -1;
            if (c->labels.empty() || std::sscanf(c->labels[0].c_str(), "[Form %d]", &id) != 1 ||
                c->labels[0] != "[Form " + Text(id) + "]")
                return -1;
            return id;
        };
        std::stable_sort(p.begin(), p.end(), [&](const GuiControl *a, const GuiControl *b) {
            return pageId(a) < pageId(b);
        });
        for (const GuiControl *page : p)
            if (pageId(page) < 0)
                Mismatch(path, "a form page's tab is not labelled \"[Form <ID>]\"");
    }
    if (p.size() != g.size())
        return Mismatch(path,
                        "preview has " + Text(p.size()) + " children, generated " + Text(g.size()));
    for (size_t i = 0; i < p.size(); ++i)
        Controls(path + " / " + Text(i + 1) + " " + g[i]->kind, *p[i], *g[i]);
}

void TreeComparison::Controls(const std::string &path, const GuiControl &p, const GuiControl &g) {
    const bool form = g.kind == "Form", formPage = g.kind == "FormPage";
    const bool option = g.kind == "OptionMenu";
    if (form || formPage) {
        Same(path, "kind (form shown as a tab control)", p.kind,
             std::string(form ? "Tab" : "TabPage"));
        named.insert("form as tab");
    } else {
        Same(path, "kind", p.kind, g.kind);
    }
    if (option) {
        Same(path, "preview option items", p.optionList, std::string("Option1,Option2,Option3"));
        Same(path, "generated option items", g.optionList,
             std::string("Option 1,Option 2,Option 3"));
        named.insert("option items");
    }
    const auto pp = Properties(p), gp = Properties(g);
    for (size_t i = 0; i < pp.size(); ++i)
        if (!(formPage && pp[i].first == "labels") && !(option && pp[i].first == "option items"))
            Same(path, pp[i].first, pp[i].second, gp[i].second);

    Callback(path, "button", p.voidCallback, g.voidCallback);
    Callback(path, "spin down", p.voidCallback2, g.voidCallback2);
    Callback(path, "text", p.textCallback, g.textCallback);
    // A form has no callbacks; the tab control standing for it has both.
    Callback(path, "value", p.intCallback, g.intCallback, !form);
    Callback(path, "second value", p.intCallback2, g.intCallback2, !form);
    if (form && (!p.intCallback || !p.intCallback2))
        Mismatch(path, "the tab control of a form has no tab callbacks");
    ChildLists(path, ChildrenOf(p.id), ChildrenOf(g.id), form);
}

// Every dialog and sidebar frame of the workspace, previewed; false with
// the reason when a preview showed an error or made nothing.
bool PreviewAll(const VerifySteps &steps, std::vector<Container> &list, std::string &failure) {
    qh::Host &host = qh::Host::instance();
    const std::vector<qh::Frame> frames = host.frames();
    for (const qh::Frame &frame : frames) {
        host.makeCurrent(frame.uniqueId);
        const char *name = frame.spec.name.c_str();
        if (!qb::IsPlainDialogFrame(name, false))
            continue;
        Container c{frame.uniqueId, name, qb::GetFrameKind(name, false), qb::GetFrameId(name)};
        const size_t shown = host.messages().size();
        c.sidebarNumber = steps.nextSidebarNumber();
        c.preview = steps.preview();
        for (size_t i = shown; i < host.messages().size(); ++i) {
            const qh::Message &m = host.messages()[i];
            if (m.call == qh::Message::Call::ErrMsg) {
                failure = "the preview of frame \"" + c.name + "\" showed an error: " + m.text;
                return false;
            }
            c.closeMessage = c.closeMessage || m.text == kPreviewCloseButtonMessage;
        }
        if (c.preview == BADDIALOGID) {
            failure = "the preview of frame \"" + c.name + "\" made no dialog";
            return false;
        }
        list.push_back(c);
    }
    if (list.empty())
        failure = "the layout has no dialog or sidebar frame";
    return !list.empty();
}

// Writes a small driver that runs each container's builder function and
// returns its manager, compiles it with the generated files into a module
// and loads it.
void *CompileAndLoad(const VerifyOptions &options, const std::vector<Container> &containers,
                     std::string &failure) {
    const std::string dir = (fs::path(options.folder) / "").string();
    std::ofstream driver(dir + "run.cpp");
    driver << "#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\nAddOn_pa AddOnID = 0;\n"
              "extern \"C\" void QgbStart(AddOn_pa addOn) {\n    AddOnID = addOn;\n"
              "    InitDLB();\n}\n";
    for (size_t i = 0; i < containers.size(); ++i) {
        const bool sidebar = containers[i].kind == qb::Sidebar;
        const std::string name =
            (sidebar ? "Sidebar" : "Dialog") + std::to_string(containers[i].id);
        driver << "extern \"C\" GUIInt_t QgbBuild" << i << "() {\n    Build" << name
               << (sidebar ? "()" : "(BADDIALOGID)") << ";\n    return " << name << "Manager;\n}\n";
    }
    driver.close();
    std::string command = options.compiler + " -std=c++17 -shared -fPIC -w";
    for (const std::string &include : options.includeDirs)
        command += " -I" + Quote(include);
    command += " -I" + Quote(dir) + " -x c++ " + Quote(dir + "guicb.tmp") + " " +
               Quote(dir + "guidefs.cpp") + " " + Quote(dir + "run.cpp") + " -o " +
               Quote(dir + "generated.so");
    std::string output;
    if (RunShell(command, &output) != 0) {
        failure = "the generated code does not compile:\n" + command + "\n" + output;
        return nullptr;
    }
    void *library = ::dlopen((dir + "generated.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        failure = std::string("the compiled module does not load: ") + ::dlerror();
    return library;
}

} // namespace

// The argument quoted for the shell.
std::string Quote(const std::string &arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a shell command; its exit status, with its output in *output.
int RunShell(const std::string &command, std::string *output) {
    std::FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    output->clear();
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output->append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

VerifyResult VerifyWorkspace(const VerifySteps &steps, const VerifyOptions &options) {
    VerifyResult result;
    qh::Host &host = qh::Host::instance();
    const qh::Frame *current = host.currentFrame();
    const UniqueID_t start = current ? current->uniqueId : 0;
    QorUtilLockOn();
    const AddOn_pa generatedAddOn = QorUtilAddOnRegister(113, "Generated add-on", "1.0", "qgb");
    QorUtilLockOff();

    std::vector<Container> containers;
    const bool previewed = PreviewAll(steps, containers, result.failure);
    host.makeCurrent(start);
    if (!previewed)
        return result;
    if (!steps.build()) {
        result.failure = "the C++ build did not report success";
        return result;
    }
    if (steps.beforeCompile)
        steps.beforeCompile(options.folder);
    result.library = CompileAndLoad(options, containers, result.failure);
    if (!result.library)
        return result;
    const std::string library = (fs::path(options.folder) / "generated.so").string();
    auto startGenerated = reinterpret_cast<void (*)(AddOn_pa)>(::dlsym(result.library, "QgbStart"));
    if (!startGenerated) {
        result.failure = "the compiled module has no QgbStart";
        return result;
    }
    startGenerated(generatedAddOn);
    for (size_t i = 0; i < containers.size(); ++i) {
        auto build = reinterpret_cast<GUIInt_t (*)()>(
            ::dlsym(result.library, ("QgbBuild" + std::to_string(i)).c_str()));
        containers[i].generated = build ? build() : BADDIALOGID;
    }
    TreeComparison compare(library, steps.builder, generatedAddOn);
    for (const Container &c : containers)
        compare.Dialogs(c);
    result.differences = std::move(compare.mismatches);
    result.named = std::move(compare.named);
    result.containers = static_cast<int>(containers.size());
    return result;
}

} // namespace qgb
