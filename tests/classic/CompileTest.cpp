// The generated code checked with the real compilers, against the SDK
// headers and the add-on headers "qgb new" writes (tools/qgb/templates):
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

#include "model/Settings.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fstream>

namespace qgbtest {
namespace {

using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;

const std::string kIncludes = " -I'" + std::string(QGB_SOURCE_DIR) + "/sdk' -I'" +
                              std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates'";

class CompileTest : public ClassicFixture {
  protected:
    void Expect(const std::string &command) {
        std::string output;
        EXPECT_EQ(RunCommand(command, &output), 0) << command << "\n" << output;
    }

    void CompileC(bool cpp) {
        const std::string compiler =
            std::string(cpp ? QGB_CXX : QGB_CC) + " -Wall -Wextra -Wno-unused-parameter -Werror" +
            (cpp ? " -std=c++17 -Wno-write-strings" : "") + kIncludes + " -I'" + dir + "' -c ";
        Expect(compiler + (cpp ? "-x c++ '" : "-x c '") + dir + "guicb.tmp' -o '" + dir +
               "guicb.o'");
        Expect(compiler + "'" + dir + (cpp ? "guidefs.cpp" : "guidefs.c") + "' -o '" + dir +
               "guidefs.o'");
    }

    void CheckFortran() {
        if (std::string(QGB_GFORTRAN).empty())
            GTEST_SKIP() << "gfortran is not installed";
        // The checked copy leaves out only the bitmap DATA lines.
        const std::string check = dir + "fortran-check/";
        ASSERT_EQ(RunCommand("mkdir -p '" + check + "' && cp '" + dir + "guicb.tmp' '" + dir +
                             "GUICB.INC' '" + dir + "GUIDEFS.INC' '" + check +
                             "' && grep -v '^      DATA(' '" + dir + "guibld.F' > '" + check +
                             "guibld.F'"),
                  0);
        Expect(std::string(QGB_GFORTRAN) +
               " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
               " -fallow-argument-mismatch" +
               kIncludes + " -I'" + check + "' '" + check + "guicb.tmp'");
    }

    void CheckAllLanguages(const std::vector<std::string> &warnings = {}) {
        for (int32_t language = 0; language <= 2; ++language) {
            SCOPED_TRACE(language);
            ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language, warnings));
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
    // The dialog's title ends in a backslash, which escapes its closing quote: the title
    // runs to the end of the name and the default title is used, with the warning.
    CheckAllLanguages({"Warning: title=\"Dialog Title\" not found. Default title will be used"});
    // The bitmap data are there, though left out of the FORTRAN check.
    EXPECT_NE(Output("guibld.F").find("      DATA(Picture_BB_D1_BD(III),III=48,48) /235/\n"),
              std::string::npos);
}

// trunc(trunc(v + 0.499) * 100 / cell): a pixel length in dialog units.
int Units(double pixels, double cell) {
    return static_cast<int>(static_cast<int>(pixels + 0.499) * 100 / cell);
}

TEST_F(CompileTest, GeneratedCppOfTheSampleCreatesItsDialogsInTheHost) {
    ASSERT_NO_FATAL_FAILURE(LoadExample("sample/sample.lay.json"));
    ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(1));

    // What the design describes: every frame that is a dialog or sidebar,
    // its size in dialog units of the 12-point cell, and the call that
    // builds it.
    const double wc = 1.1 * 12 * 0.42 / 72 * 96, hc = 1.1 * 12 / 72 * 96;
    struct Expected {
        std::string title, kind;
        int width, height;
    };
    std::vector<Expected> expected;
    std::string calls;
    const quorvin::host::Frame *modalFrame = nullptr;
    for (const quorvin::host::Frame &frame : host().frames()) {
        const std::string &name = frame.spec.name;
        if (frame.spec.linkSizeAndPosition)
            continue;
        const size_t t = name.find("TITLE=\"") + 7;
        const std::string id = std::to_string(std::atoi(name.c_str() + name.find("ID=") + 3));
        const bool sidebar = name.find("SIDEBAR=T") != std::string::npos;
        const bool modeless = name.find("MODELESS") != std::string::npos;
        expected.push_back({name.substr(t, name.find('"', t) - t),
                            sidebar    ? "Sidebar"
                            : modeless ? "Modeless"
                                       : "Modal",
                            static_cast<int>(frame.spec.width * 96 * 100 / wc),
                            static_cast<int>(frame.spec.height * 96 * 100 / hc)});
        calls += sidebar ? "    BuildSidebar" + id + "();\n"
                         : "    BuildDialog" + id + "(BADDIALOGID);\n";
        if (expected.back().title == "Sample Settings")
            modalFrame = &frame;
    }
    ASSERT_NE(modalFrame, nullptr);

    std::ofstream(dir + "run.cpp") << "#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\n"
                                      "AddOn_pa AddOnID = 0;\n"
                                      "extern \"C\" void QgbRunBuilders(AddOn_pa addOn) {\n"
                                      "    AddOnID = addOn;\n    InitDLB();\n"
                                   << calls << "}\n";
    std::string output;
    ASSERT_EQ(RunCommand(std::string(QGB_CXX) +
                             " -std=c++17 -shared -fPIC -Wall -Wno-write-strings" + kIncludes +
                             " -I'" + dir + "' -x c++ '" + dir + "guicb.tmp' '" + dir +
                             "guidefs.cpp' '" + dir + "run.cpp' -o '" + dir + "generated.so'",
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
        EXPECT_TRUE(dialog->init != nullptr || dialog->activate != nullptr);
    }

    // The modal dialog of the sample: its controls in the design's order
    // (geometries first, then texts), each where the design has it.
    const GuiDialog *modal = host().findDialogByTitle("Sample Settings");
    std::vector<const GuiControl *> controls;
    std::vector<std::string> kinds;
    for (GUIInt_t id : modal->controls) {
        controls.push_back(host().findControl(id));
        kinds.push_back(controls.back()->kind);
    }
    ASSERT_EQ(kinds, (std::vector<std::string>{"Frame", "BitmapButton", "HorzSeparator", "Label",
                                               "TextField", "Label", "SpinTextField", "Text",
                                               "Text", "List", "List", "OptionMenu", "Scale",
                                               "Button", "ColoredButton", "Toggle", "RadioBox"}));
    EXPECT_EQ(controls[0]->labels, std::vector<std::string>{"Options"});
    EXPECT_EQ(controls[13]->labels, std::vector<std::string>{"Push Button"});
    EXPECT_NE(controls[13]->voidCallback, nullptr);
    EXPECT_EQ(controls[16]->labels, (std::vector<std::string>{"Radio1", "Radio2", "Radio3"}));

    // Texts: the box corners from the host, relative to the frame's corner.
    const double x0 = modalFrame->spec.x * 96, y0 = modalFrame->spec.y * 96;
    const size_t firstText = 3;
    for (size_t i = 0; i < modalFrame->texts.size(); ++i) {
        const quorvin::host::Text &text = modalFrame->texts[i];
        const GuiControl *control = controls[firstText + i];
        SCOPED_TRACE(text.spec.string);
        double x1, y1, x2, y2, x3, y3, x4, y4;
        QorUtilTextBoxGetPosition(reinterpret_cast<Text_ID>(text.handle), &x1, &y1, &x2, &y2, &x3,
                                  &y3, &x4, &y4);
        EXPECT_EQ(control->x, Units(x1 - x0, wc));
        const int y = Units(y3 - y0, hc), h = Units(y1 - y4, hc);
        if (control->kind == "Toggle") {
            EXPECT_EQ(control->y, y - h / 2);
            EXPECT_EQ(control->height, h + 2 * (h / 2));
            EXPECT_EQ(control->labels, std::vector<std::string>{"Toggle"});
        } else if (control->kind == "Label") {
            EXPECT_EQ(control->y, y);
            EXPECT_EQ(control->labels, std::vector<std::string>{text.spec.string});
        } else {
            EXPECT_EQ(control->y, y);
            EXPECT_EQ(control->width, Units(x2 - x1, wc));
            EXPECT_EQ(control->height, h);
        }
    }

    // The host drops the generated callbacks before the library goes.
    ResetWorkspace();
    ::dlclose(library);
}

} // namespace
} // namespace qgbtest
