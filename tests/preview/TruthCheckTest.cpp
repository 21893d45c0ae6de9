// The generated code checked against the preview: for every sample design,
// a hand-made design and random designs of the design generator, the C++
// builder functions the build writes are compiled, loaded and run against
// the reference host, and the GUI tree each creates must equal the tree the
// preview of the same frame creates (kinds, positions, sizes, labels, item
// lists, tool tips, values, which callbacks exist). Each of the preview's own
// differences is checked exactly and named (see Dialogs and Controls):
// "title", "no parent", "close button", "callbacks", "sidebar add-on",
// "form as tab" and "option items". Coloured buttons and scales, which the
// preview sets up itself, must come out equal.
#include "PreviewSupport.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "model/Settings.h"
#include "shell/ToolDialog.h"

#ifdef QGB_HAVE_DESIGN_GENERATOR
#include "DesignGenerator.h"
#endif

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qgbtest {
namespace {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
namespace qh = quorvin::host;
using qh::GuiControl;
using qh::GuiDialog;

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

class TruthCheck : public PreviewFixture {
  protected:
    // A new directory under the build tree for one design.
    static std::string WorkDir(const std::string &name) {
        const fs::path dir = fs::path(QGB_BINARY_DIR) / "test-output" / ("truth-" + name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir.string() + "/";
    }

    // Every dialog and sidebar frame of the workspace, previewed.
    static std::vector<Container> PreviewAll() {
        std::vector<Container> list;
        for (const qh::Frame &frame : host().frames()) {
            host().makeCurrent(frame.uniqueId);
            const char *name = frame.spec.name.c_str();
            if (!qb::IsPlainDialogFrame(name, false))
                continue;
            SCOPED_TRACE("preview of " + frame.spec.name);
            Container c{frame.uniqueId, name, qb::GetFrameKind(name), qb::GetFrameId(name)};
            host().clearMessages();
            c.sidebarNumber = qb::SidebarPreviewNumber();
            Preview();
            c.preview = Handle();
            EXPECT_TRUE(Errors().empty()) << DescribeMessages();
            for (const std::string &text : MessageTexts())
                c.closeMessage = c.closeMessage || text == kCloseButtonMessage;
            EXPECT_NE(c.preview, BADDIALOGID) << DescribeMessages();
            list.push_back(c);
        }
        EXPECT_FALSE(list.empty());
        return list;
    }

    static bool BuildCpp(const std::string &dir) {
        host().clearMessages();
        host().setLayoutFileName(dir + "design.lay");
        {
            qb::LockGuard lock(qb::AddOnHandle);
            qb::GoBuild(qb::LanguageCPP, false);
        }
        for (const std::string &text : MessageTexts())
            if (text.rfind("New GUI stub files have been written.", 0) == 0)
                return true;
        ADD_FAILURE() << DescribeMessages();
        return false;
    }

    // Compiles the generated files with a small driver that runs each
    // container's builder function and returns its manager.
    static void *CompileAndLoad(const std::string &dir, const std::vector<Container> &containers) {
        std::ofstream driver(dir + "run.cpp");
        driver << "#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\nAddOn_pa AddOnID = 0;\n"
                  "extern \"C\" void QgbStart(AddOn_pa addOn) {\n    AddOnID = addOn;\n"
                  "    InitDLB();\n}\n";
        for (size_t i = 0; i < containers.size(); ++i) {
            const bool sidebar = containers[i].kind == qb::Sidebar;
            const std::string name =
                (sidebar ? "Sidebar" : "Dialog") + std::to_string(containers[i].id);
            driver << "extern \"C\" GUIInt_t QgbBuild" << i << "() {\n    Build" << name
                   << (sidebar ? "()" : "(BADDIALOGID)") << ";\n    return " << name
                   << "Manager;\n}\n";
        }
        driver.close();
        std::string output;
        const int status =
            RunShell(std::string(QGB_CXX) + " -std=c++17 -shared -fPIC -w -I" +
                         Quote(std::string(QGB_SOURCE_DIR) + "/sdk") + " -I" +
                         Quote(std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates") + " -I" +
                         Quote(dir) + " -x c++ " + Quote(dir + "guicb.tmp") + " " +
                         Quote(dir + "guidefs.cpp") + " " + Quote(dir + "run.cpp") + " -o " +
                         Quote(dir + "generated.so"),
                     &output);
        EXPECT_EQ(status, 0) << output;
        void *library =
            status == 0 ? ::dlopen((dir + "generated.so").c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
        EXPECT_TRUE(status != 0 || library) << ::dlerror();
        return library;
    }

    // Previews, builds, runs and compares every dialog and sidebar of the
    // design the workspace holds; returns the differences named.
    std::set<std::string> Check(const std::string &name) {
        QorUtilLockOn();
        const AddOn_pa generatedAddOn =
            QorUtilAddOnRegister(113, "Generated add-on", "1.0", "tests");
        QorUtilLockOff();
        const std::string dir = WorkDir(name);
        std::vector<Container> containers = PreviewAll();
        void *library = BuildCpp(dir) ? CompileAndLoad(dir, containers) : nullptr;
        if (!library)
            return {};
        reinterpret_cast<void (*)(AddOn_pa)>(::dlsym(library, "QgbStart"))(generatedAddOn);
        for (size_t i = 0; i < containers.size(); ++i) {
            auto build = reinterpret_cast<GUIInt_t (*)()>(
                ::dlsym(library, ("QgbBuild" + std::to_string(i)).c_str()));
            containers[i].generated = build ? build() : BADDIALOGID;
        }
        TreeComparison compare(dir + "generated.so", qb::AddOnHandle, generatedAddOn);
        for (const Container &c : containers)
            compare.Dialogs(c);
        std::string report;
        for (const std::string &m : compare.mismatches)
            report += "  " + m + "\n";
        EXPECT_TRUE(compare.mismatches.empty()) << name << ":\n" << report;

        // The host lets go of the generated callbacks before the library goes.
        FreshHost();
        ::dlclose(library);
        if (!HasFailure())
            fs::remove_all(dir);
        return compare.named;
    }

    // Every difference in the list was met.
    static void ExpectNamed(const std::set<std::string> &named,
                            const std::vector<std::string> &expected) {
        std::string all;
        for (const std::string &n : named)
            all += n + "; ";
        ::testing::Test::RecordProperty("named_differences", all);
        for (const std::string &n : expected)
            EXPECT_TRUE(named.count(n)) << n << " not met; named: " << all;
    }
};

TEST_F(TruthCheck, SampleDesigns) {
    // The differences each design must show: "sample" has dialogs, a sidebar
    // and option menus, "forms" a dialog with a form control. Any design has
    // a title and callbacks.
    const std::map<std::string, std::vector<std::string>> differences = {
        {"sample", {"title", "no parent", "callbacks", "sidebar add-on", "option items"}},
        {"forms", {"title", "no parent", "callbacks", "form as tab"}},
    };
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    for (const fs::path &source : layouts) {
        SCOPED_TRACE(source.string());
        FreshHost();
        const std::string copy = WorkDir("sample-copy");
        fs::copy(source.parent_path(), copy, fs::copy_options::recursive);
        std::string error;
        ASSERT_TRUE(host().loadLayout(copy + source.filename().string(), &error)) << error;
        const std::string design = source.parent_path().filename().string();
        const auto expected = differences.find(design);
        ExpectNamed(Check(design), expected != differences.end()
                                       ? expected->second
                                       : std::vector<std::string>{"title", "callbacks"});
        fs::remove_all(copy);
    }
}

// What the samples lack: a form control with pages out of POS order, a
// modeless dialog without a close button, awkward label texts.
TEST_F(TruthCheck, HandMadeDesign) {
    AddFrame("FORMPAGE=T ID=2 POS=1", 3);
    AddControl("Second", "VarName=Second", TextBox_Filled, 10, 70);
    AddFrame("FORMPAGE=T ID=1 POS=2", 3);
    AddControl("<math>7</math> One\n~7 Two", "VarName=Choice", TextBox_Hollow, 10, 60);
    AddFrame("ID=4 TITLE=\"No close\" MODE=MODELESS OKCLOSEBUTTON=F HELPBUTTON=F");
    AddControl("Say \"hi\"\\nthere", "VarName=Hi ToolTip=\"a tip\"", TextBox_Filled, 10, 80);
    AddControl("FM:GROUP=3\n\n\n", "VarName=Pages", TextBox_Filled, 10, 50);
    AddControl("Path C:\\dir", "", TextBox_None, 10, 20);
    ExpectNamed(Check("hand-made"),
                {"close button", "form as tab", "title", "no parent", "callbacks"});
}

#ifdef QGB_HAVE_DESIGN_GENERATOR
TEST_F(TruthCheck, RandomDesigns) {
    std::set<std::string> named;
    for (uint32_t seed = 1; seed <= 20 && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        FreshHost();
        const std::string images = WorkDir("images-" + std::to_string(seed));
        ASSERT_TRUE(qgbbench::WriteSyntheticImage(images + "image.bmp", 6, 5));
        qgbbench::DesignOptions options;
        options.seed = seed;
        options.dialogs = 1 + static_cast<int>(seed % 3);
        options.controlsPerDialog = 17 + static_cast<int>(seed % 5);
        options.sidebars = static_cast<int>(seed % 2);
        options.pagesPerControl = 1 + static_cast<int>(seed % 3);
        options.imageFile = images + "image.bmp";
        qgbbench::AddSyntheticDesign(options);
        const std::set<std::string> seen = Check("random-" + std::to_string(seed));
        named.insert(seen.begin(), seen.end());
        fs::remove_all(images);
    }
    ExpectNamed(named, {"title", "no parent", "callbacks", "sidebar add-on", "form as tab",
                        "option items"});
}
#endif

} // namespace
} // namespace qgbtest
