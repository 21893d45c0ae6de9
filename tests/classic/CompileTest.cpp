// The generated code checked with the real compilers, against the SDK
// headers and the fixture headers of the generated add-on
// (tests/fixtures/classic):
//  - C: guicb.tmp (which includes guibld.c) and guidefs.c with gcc -Wall
//    -Wextra -Werror (-Wno-unused-parameter: the tab stubs do not use their
//    value);
//  - C++: the same with g++; -Wno-write-strings because the option list
//    template gives a string literal to a "char *";
//  - FORTRAN: gfortran -fsyntax-only -ffixed-line-length-none (lines reach
//    column 76) -fcray-pointer (the POINTER line) -fallow-argument-mismatch
//    (NULLPTRVAR passed where other calls pass a callback). The bitmap DATA
//    lines are left out of the check: they put integer values into CHARACTER
//    arrays, which gfortran rejects under every flag; they are kept in the
//    output as they are.
//  - The C++ of the sample design is built into a shared object, loaded and
//    run: its builder functions create the dialogs in the reference host.
#include "ClassicSupport.h"

#if defined(QGB_HAVE_DESIGN_GENERATOR)
#include "DesignGenerator.h"
#endif

#include "model/Validation.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <dlfcn.h>
#include <fstream>

namespace qgbtest {
namespace {

using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;

const std::string kSdk = std::string(QGB_SOURCE_DIR) + "/sdk";
const std::string kFixtures = std::string(QGB_SOURCE_DIR) + "/tests/fixtures/classic";

class CompileTest : public ClassicFixture {
  protected:
    // Builds the current workspace in the language into dir (the layout is
    // dir/design.lay) and expects success.
    void BuildHere(int32_t language) {
        host().clearMessages();
        NameLayout();
        Build(language);
        ASSERT_FALSE(Shown().empty());
        ASSERT_EQ(Shown().back().rfind("New GUI stub files have been written.", 0), 0u)
            << DescribeMessages();
    }

    // Copies a sample design into dir and loads it.
    void LoadExample(const std::string &layout) {
        const std::string design = layout.substr(0, layout.find('/'));
        ASSERT_EQ(RunCommand("cp -R '" + std::string(QGB_SOURCE_DIR) + "/examples/" + design +
                                 "/.' '" + dir + "'",
                             nullptr),
                  0);
        std::string error;
        ASSERT_TRUE(host().loadLayout(dir + layout.substr(design.size() + 1), &error)) << error;
    }

    void CompileC(bool cpp) {
        const std::string compiler = cpp ? QGB_CXX : QGB_CC;
        const std::string language = cpp ? "c++" : "c";
        const std::string flags = " -Wall -Wextra -Wno-unused-parameter -Werror" +
                                  std::string(cpp ? " -std=c++17 -Wno-write-strings" : "") +
                                  " -I'" + kSdk + "' -I'" + kFixtures + "' -I'" + dir + "' -c";
        const std::string source = cpp ? "guidefs.cpp" : "guidefs.c";
        std::string output;
        EXPECT_EQ(RunCommand(compiler + flags + " -x " + language + " '" + dir + "guicb.tmp' -o '" +
                                 dir + "guicb.o'",
                             &output),
                  0)
            << output;
        EXPECT_EQ(RunCommand(compiler + flags + " '" + dir + source + "' -o '" + dir + "guidefs.o'",
                             &output),
                  0)
            << output;
    }

    void CheckFortran() {
        if (std::string(QGB_GFORTRAN).empty())
            GTEST_SKIP() << "gfortran is not installed";
        // The checked copy leaves out only the bitmap DATA lines.
        const std::string check = dir + "fortran-check/";
        ASSERT_EQ(RunCommand("mkdir -p '" + check + "' && cp '" + dir + "guicb.tmp' '" + dir +
                                 "GUICB.INC' '" + dir + "GUIDEFS.INC' '" + check +
                                 "' && grep -v '^      DATA(' '" + dir + "guibld.F' > '" + check +
                                 "guibld.F'",
                             nullptr),
                  0);
        std::string output;
        EXPECT_EQ(RunCommand(std::string(QGB_GFORTRAN) +
                                 " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
                                 " -fallow-argument-mismatch -I'" +
                                 check + "' -I'" + kFixtures + "' '" + check + "guicb.tmp'",
                             &output),
                  0)
            << output;
    }

    void CheckAllLanguages() {
        for (int32_t language = 0; language <= 2; ++language) {
            SCOPED_TRACE(language);
            BuildHere(language);
            if (language == 2)
                CheckFortran();
            else
                CompileC(language == 1);
        }
    }
};

TEST_F(CompileTest, SampleDesignsCompileInEveryLanguage) {
    const std::vector<std::string> layouts = ExampleLayouts();
    ASSERT_FALSE(layouts.empty());
    for (const std::string &layout : layouts) {
        SCOPED_TRACE(layout);
        ResetWorkspace();
        LoadExample(layout);
        CheckAllLanguages();
    }
}

TEST_F(CompileTest, EveryKindWithAwkwardTextsCompilesInEveryLanguage) {
    AddEveryKindDesign(dir);
    CheckAllLanguages();
    // The bitmap data are there, though left out of the FORTRAN check.
    EXPECT_NE(Output("guibld.F").find("      DATA(Picture_BB_D1_BD(III),III=48,48) /235/\n"),
              std::string::npos);
}

#if defined(QGB_HAVE_DESIGN_GENERATOR)
TEST_F(CompileTest, RandomDesignsCompileInEveryLanguage) {
    for (uint32_t seed : {3u, 2024u}) {
        SCOPED_TRACE(seed);
        ResetWorkspace();
        qgbbench::DesignOptions options;
        options.dialogs = 3;
        options.controlsPerDialog = 19; // the two page controls and one of every kind
        options.sidebars = 1;
        options.seed = seed;
        options.imageFile = dir + "synthetic.bmp";
        ASSERT_TRUE(qgbbench::WriteSyntheticImage(options.imageFile, 5, 4));
        qgbbench::AddSyntheticDesign(options);
        CheckAllLanguages();
    }
}
#endif

// trunc(trunc(v + 0.499) * 100 / cell): a pixel length in dialog units.
int Units(double pixels, double cell) {
    return static_cast<int>(static_cast<int>(pixels + 0.499) * 100 / cell);
}

TEST_F(CompileTest, GeneratedCppOfTheSampleCreatesItsDialogsInTheHost) {
    const std::vector<std::string> layouts = ExampleLayouts();
    ASSERT_FALSE(layouts.empty());
    ASSERT_NO_FATAL_FAILURE(LoadExample(layouts[0]));
    ASSERT_NO_FATAL_FAILURE(BuildHere(1));

    // What the design describes: every frame that is a dialog or sidebar,
    // with its size in dialog units of the 12-point cell.
    const double wc = 1.1 * 12 * 0.42 / 72 * 96, hc = 1.1 * 12 / 72 * 96;
    struct Expected {
        std::string title, kind, call;
        int width = 0, height = 0;
    };
    std::vector<Expected> expected;
    for (const quorvin::host::Frame &frame : host().frames()) {
        const std::string &name = frame.spec.name;
        if (frame.spec.linkSizeAndPosition)
            continue;
        Expected e;
        const size_t t = name.find("TITLE=\"") + 7;
        e.title = name.substr(t, name.find('"', t) - t);
        const size_t i = name.find("ID=") + 3;
        const int id = std::atoi(name.c_str() + i);
        if (name.find("SIDEBAR=T") != std::string::npos) {
            e.kind = "Sidebar";
            e.call = "BuildSidebar" + std::to_string(id) + "();";
        } else {
            e.kind = name.find("MODELESS") != std::string::npos ? "Modeless" : "Modal";
            e.call = "BuildDialog" + std::to_string(id) + "(BADDIALOGID);";
        }
        e.width = static_cast<int>(frame.spec.width * 96 * 100 / wc);
        e.height = static_cast<int>(frame.spec.height * 96 * 100 / hc);
        expected.push_back(e);
    }
    ASSERT_FALSE(expected.empty());

    std::string calls;
    for (const Expected &e : expected)
        calls += "    " + e.call + "\n";
    std::ofstream(dir + "run.cpp") << "#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\n"
                                      "AddOn_pa AddOnID = 0;\n"
                                      "extern \"C\" void QgbRunBuilders(AddOn_pa addOn) {\n"
                                      "    AddOnID = addOn;\n    InitDLB();\n"
                                   << calls << "}\n";
    std::string output;
    ASSERT_EQ(RunCommand(std::string(QGB_CXX) +
                             " -std=c++17 -shared -fPIC -Wall -Wno-write-strings -I'" + kSdk +
                             "' -I'" + kFixtures + "' -I'" + dir + "' -x c++ '" + dir +
                             "guicb.tmp' '" + dir + "guidefs.cpp' '" + dir + "run.cpp' -o '" + dir +
                             "generated.so'",
                         &output),
              0)
        << output;
    void *library = ::dlopen((dir + "generated.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    auto run = reinterpret_cast<void (*)(AddOn_pa)>(::dlsym(library, "QgbRunBuilders"));
    ASSERT_NE(run, nullptr);
    run(quorvin::builder::AddOnHandle);
    EXPECT_TRUE(host().faults().empty()) << host().faults().front();

    for (const Expected &e : expected) {
        SCOPED_TRACE(e.title);
        const GuiDialog *dialog = host().findDialogByTitle(e.title);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->kind, e.kind);
        EXPECT_EQ(dialog->width, e.width);
        EXPECT_EQ(dialog->height, e.height);
        EXPECT_NE(dialog->init != nullptr || dialog->activate != nullptr, false);
    }

    // The modal dialog of the sample: its controls in the design's order
    // (geometries first, then texts), each where the design has it.
    const GuiDialog *modal = host().findDialogByTitle("Sample Settings");
    ASSERT_NE(modal, nullptr);
    const quorvin::host::Frame *frame = nullptr;
    for (const auto &f : host().frames())
        if (f.spec.name.find("Sample Settings") != std::string::npos)
            frame = &f;
    ASSERT_NE(frame, nullptr);
    std::vector<std::string> kinds;
    for (GUIInt_t id : modal->controls)
        kinds.push_back(host().findControl(id)->kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"Frame", "BitmapButton", "HorzSeparator", "Label",
                                               "TextField", "Label", "SpinTextField", "Text",
                                               "Text", "List", "List", "OptionMenu", "Scale",
                                               "Button", "ColoredButton", "Toggle", "RadioBox"}));
    ASSERT_EQ(modal->controls.size(), kinds.size());

    // Texts: the box corners from the host, relative to the frame's corner.
    const double x0 = frame->spec.x * 96, y0 = frame->spec.y * 96;
    const size_t firstText = 3;
    for (size_t i = 0; i < frame->texts.size(); ++i) {
        const quorvin::host::Text &text = frame->texts[i];
        const GuiControl *control = host().findControl(modal->controls[firstText + i]);
        SCOPED_TRACE(text.spec.string);
        double x1, y1, x2, y2, x3, y3, x4, y4;
        QorUtilTextBoxGetPosition(reinterpret_cast<Text_ID>(text.handle), &x1, &y1, &x2, &y2, &x3,
                                  &y3, &x4, &y4);
        EXPECT_EQ(control->x, Units(x1 - x0, wc));
        const int h = Units(y1 - y4, hc);
        if (control->kind == "Toggle") {
            EXPECT_EQ(control->y, Units(y3 - y0, hc) - h / 2);
            EXPECT_EQ(control->height, h + 2 * (h / 2));
            EXPECT_EQ(control->labels, std::vector<std::string>{"Toggle"});
        } else if (control->kind == "Label") {
            EXPECT_EQ(control->y, Units(y3 - y0, hc));
            EXPECT_EQ(control->labels, std::vector<std::string>{text.spec.string});
        } else {
            EXPECT_EQ(control->y, Units(y3 - y0, hc));
            EXPECT_EQ(control->width, Units(x2 - x1, wc));
            EXPECT_EQ(control->height, h);
        }
    }
    const GuiControl *radio = host().findControl(modal->controls.back());
    EXPECT_EQ(radio->labels, (std::vector<std::string>{"Radio1", "Radio2", "Radio3"}));
    const GuiControl *button = host().findControl(modal->controls[13]);
    EXPECT_EQ(button->labels, std::vector<std::string>{"Push Button"});
    EXPECT_NE(button->voidCallback, nullptr);
    const GuiControl *group = host().findControl(modal->controls[0]);
    EXPECT_EQ(group->labels, std::vector<std::string>{"Options"});

    // The host drops the generated callbacks before the library goes.
    ResetWorkspace();
    ::dlclose(library);
}

} // namespace
} // namespace qgbtest
