// The generated code checked against the preview: for every sample design,
// hand-made designs and random designs of the design generator, the C++
// builder functions the build writes are compiled, loaded into the process
// and run against the reference host, and the GUI tree each creates must
// equal the tree the preview of the same frame creates: kinds, positions,
// sizes, labels, item lists, tool tips, values and which callbacks exist.
// The only differences allowed are the preview's own, and each is checked
// exactly and named:
//   title          " - [Preview]" after a dialog's title, " [Preview n]"
//                  after a sidebar's
//   no parent      the preview dialog has parent -1, the generated one the
//                  parent its builder function was given
//   close button   a dialog that could not be closed gets one in the preview
//                  (after the information message), the generated one not
//   callbacks      the preview's callbacks are the builder's own, the
//                  generated ones those of the generated add-on
//   sidebar add-on the preview registers its sidebar for the builder, the
//                  generated code for the generated add-on (AddOnID)
//   form as tab    a form control is shown as a tab control (with the tab
//                  callbacks), its pages as tabs labelled "[Form <ID>]" in
//                  POS order, the generated pages come in page ID order
//   option items   "Option1,Option2,Option3" against the generated
//                  "Option 1,Option 2,Option 3"
// Coloured buttons (the preview sets the colour again) and scales (the
// preview sets the numeric display itself) must come out equal.
#include "HostFixture.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Parameters.h"
#include "shell/Settings.h"
#include "shell/ToolDialog.h"

#ifdef QGB_HAVE_DESIGN_GENERATOR
#include "DesignGenerator.h"
#endif

#include <dlfcn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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

const std::string kSdk = std::string(QGB_SOURCE_DIR) + "/sdk";
const std::string kFixtures = std::string(QGB_SOURCE_DIR) + "/tests/fixtures/classic";
const char *const kCloseButtonMessage =
    "The preview dialog will have a close button since that is the only way the preview dialog "
    "can be closed.\nThe dialog generated in the source code will not have a close button.";

// Runs a shell command; its exit status, with its output in *output.
int RunShell(const std::string &command, std::string *output) {
    std::FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    std::string text;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    const int status = ::pclose(pipe);
    if (output)
        *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// ---- one container of a design, previewed and generated -------------------

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

// ---- comparing two trees ---------------------------------------------------

class TreeComparison {
  public:
    TreeComparison(std::string library, AddOn_pa builder, AddOn_pa generatedAddOn)
        : library_(std::move(library)), builder_(builder), generatedAddOn_(generatedAddOn) {
        for (const auto &[id, c] : host().controls())
            children_[c.parent].push_back(id); // identifiers grow with creation
    }

    void Dialogs(const Container &c);

    const std::vector<std::string> &mismatches() const { return mismatches_; }
    const std::set<std::string> &named() const { return named_; }

  private:
    static const qh::Host &host() { return qh::Host::instance(); }

    void Mismatch(const std::string &path, const std::string &what) {
        mismatches_.push_back(path + ": " + what);
    }
    template <class T>
    void Same(const std::string &path, const char *field, const T &preview, const T &generated) {
        if (!(preview == generated)) {
            std::ostringstream out;
            out << field << " differs: preview " << Show(preview) << ", generated "
                << Show(generated);
            Mismatch(path, out.str());
        }
    }
    template <class T> static T Show(const T &v) { return v; }
    static std::string Show(const std::vector<std::string> &v) {
        std::string s = "{";
        for (const std::string &x : v)
            s += "\"" + x + "\" ";
        return s + "}";
    }
    static std::string Show(const std::vector<unsigned char> &v) {
        return std::to_string(v.size()) + " bytes";
    }

    // Where a callback lives: the builder's own code, or the library built
    // from the generated files.
    bool InGeneratedLibrary(const void *function) const {
        Dl_info info{};
        if (!::dladdr(function, &info) || !info.dli_fname)
            return false;
        return fs::path(info.dli_fname).filename() == fs::path(library_).filename();
    }
    template <class F>
    void Callback(const std::string &path, const char *which, F preview, F generated,
                  bool expectPresence = true) {
        if (expectPresence && (preview != nullptr) != (generated != nullptr))
            Mismatch(path, std::string(which) + " callback present in only one tree");
        if (preview && InGeneratedLibrary(reinterpret_cast<const void *>(preview)))
            Mismatch(path, std::string(which) + " callback of the preview is generated code");
        if (generated && !InGeneratedLibrary(reinterpret_cast<const void *>(generated)))
            Mismatch(path, std::string(which) + " callback of the generated tree is not its own");
        if (preview || generated)
            named_.insert("callbacks");
    }

    std::vector<const GuiControl *> ChildrenOf(GUIInt_t parent) const {
        std::vector<const GuiControl *> list;
        auto it = children_.find(parent);
        if (it != children_.end())
            for (GUIInt_t id : it->second) {
                const GuiControl *c = host().findControl(id);
                if (c && c->kind != "MenuBar" && c->kind != "Menu" && c->kind != "MenuItem" &&
                    c->kind != "MenuSeparator")
                    list.push_back(c);
            }
        return list;
    }

    void Controls(const std::string &path, const GuiControl &p, const GuiControl &g);
    void ChildLists(const std::string &path, std::vector<const GuiControl *> p,
                    const std::vector<const GuiControl *> &g, bool formPages);

    std::string library_;
    AddOn_pa builder_, generatedAddOn_;
    std::map<GUIInt_t, std::vector<GUIInt_t>> children_;
    std::vector<std::string> mismatches_;
    std::set<std::string> named_;
};

void TreeComparison::Dialogs(const Container &c) {
    const std::string path = c.name;
    const GuiDialog *p = host().findDialog(c.preview);
    const GuiDialog *g = host().findDialog(c.generated);
    if (!p || !g) {
        Mismatch(path, std::string(p ? "" : "no preview ") + (g ? "" : "no generated dialog"));
        return;
    }
    Same(path, "kind", p->kind, g->kind);
    Same(path, "width", p->width, g->width);
    Same(path, "height", p->height, g->height);

    const bool sidebar = g->kind == "Sidebar";
    const std::string title = sidebar
                                  ? g->title + " [Preview " + std::to_string(c.sidebarNumber) + "]"
                                  : g->title + " - [Preview]";
    Same(path, "title (with the preview's mark)", p->title, title);
    named_.insert("title");

    if (sidebar) {
        Same(path, "preview sidebar's add-on", p->addOn, builder_);
        Same(path, "generated sidebar's add-on", g->addOn, generatedAddOn_);
        named_.insert("sidebar add-on");
    } else {
        Same(path, "preview parent", p->parent, -1);
        Same(path, "generated parent", g->parent, BADDIALOGID);
        named_.insert("no parent");
    }

    Callback(path, "init", p->init, g->init);
    Callback(path, "apply", p->apply, g->apply);
    Callback(path, "cancel", p->cancel, g->cancel);
    Callback(path, "help", p->help, g->help);
    Callback(path, "activate", p->activate, g->activate);
    Callback(path, "deactivate", p->deactivate, g->deactivate);
    // OK (modal) or close (modeless): the preview may add the one the
    // designer left out, and says so.
    for (auto [which, pc, gc] :
         {std::make_tuple("OK", p->ok, g->ok), std::make_tuple("close", p->close, g->close)}) {
        const bool forced = pc && !gc && c.closeMessage;
        Callback(path, which, pc, gc, !forced);
        if (forced)
            named_.insert("close button");
    }
    if (c.closeMessage && !((p->ok && !g->ok) || (p->close && !g->close)))
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
            if (!c->labels.empty())
                std::sscanf(c->labels.front().c_str(), "[Form %d]", &id);
            return id;
        };
        std::stable_sort(p.begin(), p.end(), [&](const GuiControl *a, const GuiControl *b) {
            return pageId(a) < pageId(b);
        });
        for (const GuiControl *page : p)
            if (page->labels.empty() ||
                page->labels.front() != "[Form " + std::to_string(pageId(page)) + "]")
                Mismatch(path, "a form page's tab is not labelled \"[Form <ID>]\"");
    }
    if (p.size() != g.size()) {
        Mismatch(path, "preview has " + std::to_string(p.size()) + " children, generated " +
                           std::to_string(g.size()));
        return;
    }
    for (size_t i = 0; i < p.size(); ++i)
        Controls(path + " / " + std::to_string(i + 1) + " " + g[i]->kind, *p[i], *g[i]);
}

void TreeComparison::Controls(const std::string &path, const GuiControl &p, const GuiControl &g) {
    const bool form = g.kind == "Form";
    const bool formPage = g.kind == "FormPage";
    if (form || formPage) {
        Same(path, "kind (form shown as a tab control)", p.kind,
             std::string(form ? "Tab" : "TabPage"));
        named_.insert("form as tab");
    } else {
        Same(path, "kind", p.kind, g.kind);
    }
    Same(path, "x", p.x, g.x);
    Same(path, "y", p.y, g.y);
    Same(path, "width", p.width, g.width);
    Same(path, "height", p.height, g.height);
    if (!formPage)
        Same(path, "labels", p.labels, g.labels);
    if (g.kind == "OptionMenu") {
        Same(path, "preview option items", p.optionList, std::string("Option1,Option2,Option3"));
        Same(path, "generated option items", g.optionList,
             std::string("Option 1,Option 2,Option 3"));
        named_.insert("option items");
    } else {
        Same(path, "option items", p.optionList, g.optionList);
    }
    Same(path, "tool tip", p.toolTip, g.toolTip);
    Same(path, "sensitive", p.sensitive, g.sensitive);
    Same(path, "read-only", p.readOnly, g.readOnly);
    Same(path, "multi-selection", p.multiSelection, g.multiSelection);
    Same(path, "scale minimum", p.scaleMin, g.scaleMin);
    Same(path, "scale maximum", p.scaleMax, g.scaleMax);
    Same(path, "decimals", p.decimals, g.decimals);
    Same(path, "numeric display", p.numericDisplay, g.numericDisplay);
    Same(path, "colour", p.color, g.color);
    Same(path, "bitmap width", p.bitmapWidth, g.bitmapWidth);
    Same(path, "bitmap height", p.bitmapHeight, g.bitmapHeight);
    Same(path, "bitmap", p.bitmap, g.bitmap);
    Same(path, "transparent colour on", p.useTransparentColor, g.useTransparentColor);
    Same(path, "transparent red", p.transparentRed, g.transparentRed);
    Same(path, "transparent green", p.transparentGreen, g.transparentGreen);
    Same(path, "transparent blue", p.transparentBlue, g.transparentBlue);
    Same(path, "value", p.intValue, g.intValue);
    Same(path, "text", p.stringValue, g.stringValue);

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

// ---- the check -----------------------------------------------------------------

class TruthCheck : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        StartAddOn();
    }
    void TearDown() override {
        qb::FreeHostObjects();
        qb::BuildState = qb::BuildStateT{};
        HostFixture::TearDown();
    }

    void StartAddOn() {
        qb::BuildState = qb::BuildStateT{};
        qb::BuildHooks = qb::GeneratorHooks{};
        qb::BuilderSettings = qb::BuilderSettingsT{};
        qb::ResetPreviewState();
        qb::AllocatePageSets();
        qb::BuildNameList = QorUtilStringListAlloc();
        RegisterAddOn();
        QorUtilLockOn();
        generatedAddOn_ = QorUtilAddOnRegister(113, "Generated add-on", "1.0", "tests");
        QorUtilLockOff();
    }

    void FreshHost() {
        qb::FreeHostObjects();
        host().reset();
        StartAddOn();
    }

    // A new directory under the build tree for one design.
    static std::string WorkDir(const std::string &name) {
        const fs::path dir = fs::path(QGB_BINARY_DIR) / "test-output" / ("truth-" + name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir.string() + "/";
    }

    // Every dialog and sidebar frame of the workspace.
    static std::vector<Container> Containers() {
        std::vector<Container> list;
        const std::vector<qh::Frame> frames = host().frames();
        for (const qh::Frame &frame : frames) {
            host().makeCurrent(frame.uniqueId);
            const char *name = frame.spec.name.c_str();
            if (!qb::IsPlainDialogFrame(name, false))
                continue;
            Container c;
            c.frame = frame.uniqueId;
            c.name = frame.spec.name;
            c.kind = qb::GetFrameKind(name);
            c.id = qb::GetFrameId(name);
            list.push_back(c);
        }
        return list;
    }

    void PreviewAll(std::vector<Container> &containers) {
        for (Container &c : containers) {
            SCOPED_TRACE("preview of " + c.name);
            ASSERT_TRUE(host().makeCurrent(c.frame));
            host().clearMessages();
            c.sidebarNumber = qb::SidebarPreviewNumber();
            {
                qb::LockGuard lock(qb::AddOnHandle);
                qb::PreviewCommand();
            }
            c.preview = qb::BuildState.PreviewHandle;
            for (const qh::Message &m : host().messages()) {
                EXPECT_NE(m.call, qh::Message::Call::ErrMsg) << m.text;
                c.closeMessage = c.closeMessage || m.text == kCloseButtonMessage;
            }
            ASSERT_NE(c.preview, BADDIALOGID) << DescribeMessages();
        }
    }

    void BuildCpp(const std::string &dir) {
        host().clearMessages();
        host().setLayoutFileName(dir + "design.lay");
        {
            qb::LockGuard lock(qb::AddOnHandle);
            qb::GoBuild(qb::LanguageCPP, false);
        }
        bool built = false;
        for (const qh::Message &m : host().messages())
            built = built || m.text.rfind("New GUI stub files have been written.", 0) == 0;
        ASSERT_TRUE(built) << DescribeMessages();
    }

    // Compiles the generated files with a small driver that runs each
    // container's builder function and returns its manager.
    void *CompileAndLoad(const std::string &dir, const std::vector<Container> &containers) {
        std::ostringstream driver;
        driver << "#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\n"
                  "AddOn_pa AddOnID = 0;\n"
                  "extern \"C\" void QgbStart(AddOn_pa addOn) {\n"
                  "    AddOnID = addOn;\n    InitDLB();\n}\n";
        for (size_t i = 0; i < containers.size(); ++i) {
            const Container &c = containers[i];
            const std::string id = std::to_string(c.id);
            driver << "extern \"C\" GUIInt_t QgbBuild" << i << "() {\n";
            if (c.kind == qb::Sidebar)
                driver << "    BuildSidebar" << id << "();\n    return Sidebar" << id
                       << "Manager;\n}\n";
            else
                driver << "    BuildDialog" << id << "(BADDIALOGID);\n    return Dialog" << id
                       << "Manager;\n}\n";
        }
        std::ofstream(dir + "run.cpp") << driver.str();
        std::string output;
        const int status =
            RunShell(std::string(QGB_CXX) + " -std=c++17 -shared -fPIC -w -I'" + kSdk + "' -I'" +
                         kFixtures + "' -I'" + dir + "' -x c++ '" + dir + "guicb.tmp' '" + dir +
                         "guidefs.cpp' '" + dir + "run.cpp' -o '" + dir + "generated.so'",
                     &output);
        EXPECT_EQ(status, 0) << output;
        if (status != 0)
            return nullptr;
        void *library = ::dlopen((dir + "generated.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(library, nullptr) << ::dlerror();
        return library;
    }

    // Previews, builds, runs and compares every dialog and sidebar of the
    // design the workspace holds; returns the differences named.
    std::set<std::string> Check(const std::string &name) {
        const std::string dir = WorkDir(name);
        std::vector<Container> containers = Containers();
        EXPECT_FALSE(containers.empty());
        PreviewAll(containers);
        BuildCpp(dir);
        if (HasFatalFailure())
            return {};
        void *library = CompileAndLoad(dir, containers);
        if (!library)
            return {};
        reinterpret_cast<void (*)(AddOn_pa)>(::dlsym(library, "QgbStart"))(generatedAddOn_);
        for (size_t i = 0; i < containers.size(); ++i) {
            auto build = reinterpret_cast<GUIInt_t (*)()>(
                ::dlsym(library, ("QgbBuild" + std::to_string(i)).c_str()));
            containers[i].generated = build ? build() : BADDIALOGID;
        }
        std::string faults;
        for (const std::string &f : host().faults())
            faults += f + "\n";
        EXPECT_TRUE(faults.empty()) << faults;

        TreeComparison compare(dir + "generated.so", qb::AddOnHandle, generatedAddOn_);
        for (const Container &c : containers)
            compare.Dialogs(c);
        std::string report;
        for (const std::string &m : compare.mismatches())
            report += "  " + m + "\n";
        EXPECT_TRUE(compare.mismatches().empty()) << name << ":\n" << report;

        // The host lets go of the generated callbacks before the library goes.
        FreshHost();
        ::dlclose(library);
        if (!HasFailure())
            fs::remove_all(dir);
        return compare.named();
    }

    AddOn_pa generatedAddOn_ = nullptr;
};

std::vector<fs::path> SampleLayouts() {
    std::vector<fs::path> layouts;
    for (const auto &entry :
         fs::recursive_directory_iterator(fs::path(QGB_SOURCE_DIR) / "examples")) {
        const std::string path = entry.path().string();
        if (entry.is_regular_file() && path.size() > 9 &&
            path.compare(path.size() - 9, 9, ".lay.json") == 0)
            layouts.push_back(entry.path());
    }
    std::sort(layouts.begin(), layouts.end());
    return layouts;
}

std::string Names(const std::set<std::string> &names) {
    std::string s;
    for (const std::string &n : names)
        s += (s.empty() ? "" : ", ") + n;
    return s;
}

TEST_F(TruthCheck, SampleDesigns) {
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty());
    for (const fs::path &source : layouts) {
        SCOPED_TRACE(source.string());
        FreshHost();
        const std::string copy = WorkDir("sample-copy");
        fs::copy(source.parent_path(), copy, fs::copy_options::recursive);
        std::string error;
        ASSERT_TRUE(host().loadLayout(copy + source.filename().string(), &error)) << error;
        const std::set<std::string> named = Check(source.parent_path().filename().string());
        // The sample has dialogs, a sidebar and option menus.
        RecordProperty("named_differences", Names(named));
        for (const char *n : {"title", "no parent", "callbacks", "sidebar add-on", "option items"})
            EXPECT_TRUE(named.count(n)) << n << " not met; named: " << Names(named);
        fs::remove_all(copy);
    }
}

// Two small designs with what the samples lack: a form control with pages
// out of POS order, a modeless dialog without a close button, awkward label
// texts.
TEST_F(TruthCheck, HandMadeDesigns) {
    const auto frame = [](const std::string &name, int group) {
        qh::FrameSpec spec;
        spec.name = name;
        spec.width = 4;
        spec.height = 3;
        spec.linkGroup = group;
        spec.linkSizeAndPosition = group != 0;
        return host().addFrame(spec);
    };
    const auto text = [](const std::string &string, const std::string &command, TextBox_e box,
                         double x, double y) {
        qh::TextSpec spec;
        spec.string = string;
        spec.command = command;
        spec.boxType = box;
        spec.x = x;
        spec.y = y;
        host().addText(spec);
    };
    frame("FORMPAGE=T ID=2 POS=1", 3);
    text("Second", "VarName=Second", TextBox_Filled, 10, 70);
    frame("FORMPAGE=T ID=1 POS=2", 3);
    text("<math>7</math> One\n~7 Two", "VarName=Choice", TextBox_Hollow, 10, 60);
    frame("ID=4 TITLE=\"No close\" MODE=MODELESS OKCLOSEBUTTON=F HELPBUTTON=F", 0);
    text("Say \"hi\"\\nthere", "VarName=Hi ToolTip=\"a tip\"", TextBox_Filled, 10, 80);
    text("FM:GROUP=3\n\n\n", "VarName=Pages", TextBox_Filled, 10, 50);
    text("Path C:\\dir", "", TextBox_None, 10, 20);
    const std::set<std::string> named = Check("hand-made");
    RecordProperty("named_differences", Names(named));
    for (const char *n : {"close button", "form as tab", "title", "no parent", "callbacks"})
        EXPECT_TRUE(named.count(n)) << n << " not met; named: " << Names(named);
}

#ifdef QGB_HAVE_DESIGN_GENERATOR
TEST_F(TruthCheck, RandomDesigns) {
    std::set<std::string> named;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
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
        if (HasFailure())
            break;
    }
    for (const char *n :
         {"title", "no parent", "callbacks", "sidebar add-on", "form as tab", "option items"})
        EXPECT_TRUE(named.count(n)) << n << " not met; named: " << Names(named);
}
#endif

} // namespace
} // namespace qgbtest
