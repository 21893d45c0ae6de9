// The classic output byte for byte against tests/golden/classic/<design>/<language>/:
// every sample design in examples/, and designs built here: every kind of
// control with awkward texts, the edge cases of the templates and of the
// warnings that let a build go on, and identifiers only FORTRAN rejects. The
// samples and every kind are also checked with the real compilers
// (CompileFixture.h; the bitmap DATA lines left out of the FORTRAN check
// are in the golden output).
// scripts/update-golden.sh regenerates the golden files (QGB_UPDATE_GOLDEN
// names a directory to write the new outputs to instead of comparing) and
// prints the differences; review them by hand.
#include "CompileFixture.h"
#include "GoldenTree.h"

#include "model/Settings.h"

#include <functional>

namespace qgbtest {
namespace {

const char *const kLanguageDirs[] = {"c", "cpp", "fortran"};

// The edge cases: page calls in POS and ID order and pages named alike in
// two groups; a dialog of statements no sample holds (names from the label
// or the whole command, UNITWIDTH, toggle sizes, labels without letters,
// group frames, upward and diagonal lines, a rotated text, a quote in a
// FORTRAN tooltip, a 3 x 3 bitmap of exactly three data lines); dialogs with
// a modeless HELPBUTTON=F APPLYBUTTON=T, a modal CANCELBUTTON=F, a sidebar;
// and designs that warn while the build goes on.
void AddEdgeCaseDesign(const std::string &dir) {
    AddFrameAt("TABPAGE=T ID=1 POS=2 TITLE=\"Second\"", 3.5, 2, true, 2);
    AddFrameAt("FORMPAGE=T ID=2", 3.5, 2, true, 3);
    AddFrameAt("TABPAGE=T ID=2 POS=1 TITLE=\"First\"", 3.5, 2, true, 2);
    AddFrameAt("FORMPAGE=T ID=1", 3.5, 2, true, 3);
    for (int group = 4; group <= 5; ++group) {
        AddFrameAt("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", 3.5, 2, true, group);
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
        AddFrameAt("TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\"", 3.5, 2, true, group);
    }
    AddFrameAt("ID=4 TITLE=\"Pages\"", 6, 4);
    AddPixelText({"TAB:Group=2  \n\n\n\n\n", "VarName=Tabs", TextBox_Filled, 14, 16});
    AddPixelText({"FM:Group=3", "VarName=Pages", TextBox_Filled, 14, 130});
    AddPixelText({"TAB:Group=4", "VarName=TabsA", TextBox_Filled, 14, 160});
    AddPixelText({"TAB:Group=5", "VarName=TabsB", TextBox_Filled, 14, 190});

    AddFrameAt("ID=5 TITLE=\"Side\" SIDEBAR=T", 2, 4);
    AddPixelText({"Run", "VarName=Run", TextBox_Filled, 14, 16});
    AddFrameAt("ID=2 TITLE=\"Tools \\\"A\\\"\" MODE=MODELESS HELPBUTTON=F APPLYBUTTON=T");
    AddPixelText({"Run", "VarName=Run", TextBox_Filled, 14, 16});
    AddFrameAt("ID=10 TITLE=\"No cancel\" CANCELBUTTON=F");
    AddPixelText({"Run", "VarName=Run", TextBox_Filled, 14, 16});

    // Warnings: six radio labels (five built), radio labels ending in a line
    // feed, two controls of one identifier, one manager for two frames, and
    // controls beyond the edge in two containers (clipped to 0, 0; a
    // captioned group frame's y to 1 + trunc(Hc / 2)).
    AddFrameAt("ID=6 TITLE=\"Six\"");
    AddPixelText({"~7 A\n~7 B\n~7 C\n~7 D\n~7 E\n~7 F", "VarName=Six", TextBox_Hollow, 14, 16});
    AddPixelText({"~7 A\n~7 B\n", "VarName=Two", TextBox_Hollow, 200, 16});
    AddPixelText({"Save", "VarName=Go", TextBox_Filled, 14, 150});
    AddPixelText({"Start", "VarName=Go", TextBox_Filled, 100, 150});
    for (const char *title : {"A", "B"}) {
        AddFrameAt("ID=7 TITLE=\"" + std::string(title) + "\"");
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
    }
    for (const char *id : {"8", "9"}) {
        AddFrameAt("ID=" + std::string(id) + " TITLE=\"Clip\"");
        AddPixelText({"Press", "VarName=Press", TextBox_Filled, 14, 16});
        AddPixelRectangle(-20, -30, 70, 60, "");
        AddPixelLine(-10, -5, 60, -5);
        AddPixelRectangle(14, 4, 70, 60, "Caption");
    }

    // The statements, one a row of 24 pixels, in the current frame.
    AddFrameAt("ID=3 TITLE=\"Main\"", 6, 5);
    const std::vector<PixelText> rows = {
        {"TF:Name", ""},
        {"TF:Name", "UNITWIDTH=500"},
        {"Press", "VarName=Press ToolTip=\"Press me\""},
        {"~7 Check", "", TextBox_None},
        {"Hello there", "", TextBox_None},
        {"12 %", "", TextBox_None},
        {"~7 Alpha\n~7 Beta", "VarName=Choice ToolTip=\"It's\"", TextBox_Hollow},
        {},
        {"OPT:Mode", ""},
    };
    AddPixelRows(24, rows);
    AddPixelRectangle(250, 16, 70, 32, "Options");
    AddPixelLine(250, 60, 320, 60);
    AddPixelLine(250, 100, 250, 68); // drawn upwards
    AddPixelLine(260, 70, 330, 100); // a diagonal line is no control
    // Neither is a rotated text.
    QorUtilTextSetAngle(AddPixelText({"Turned", "VarName=Turned", TextBox_Filled, 250, 120}), 90);
    std::vector<unsigned char> rgb(27);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 9);
    rgb[26] = 255;
    WriteBmp(dir + "pic.bmp", 3, 3, rgb);
    AddPixelImage(dir + "pic.bmp", 350, 37, 21,
                  "VarName=Pic TransparentColor=FF00FF ToolTip=\"Picture\"");
}

// Identifiers that clash only where FORTRAN reads them: two that differ by
// case alone, and one of 77 characters (the length not limited).
void AddIdentifierDesign(const std::string &) {
    quorvin::builder::BuilderSettings.LimitIdentLength = false;
    AddFrameAt("ID=1 TITLE=\"Main\"");
    AddPixelText({"Go", "VarName=Name", TextBox_Filled, 14, 16});
    AddPixelText({"Go", "VarName=name", TextBox_Filled, 14, 40});
    AddPixelText({"Go", "VarName=" + std::string(70, 'L'), TextBox_Filled, 14, 64});
}

struct Design {
    std::string name;
    std::function<void(const std::string &dir)> add;
    std::function<std::vector<std::string>(int32_t language)> warnings;
    bool compiles = false; // the other designs warn of code that will not compile
};

using GoldenTest = CompileFixture;

// Each design built twice in a row in each language, with its warnings: the
// same bytes both times, those of the golden files, and the frames left in
// the order they had; then the real compilers check the output if it is meant
// to compile. The sample designs are built from a copy: nothing is written
// into the source tree.
TEST_F(GoldenTest, EveryDesignInEveryClassicLanguage) {
    const std::string clipped =
        "One or more controls are positioned beyond the dialog frame edge. The position of these "
        "controls will be clipped to the dialog edge.";
    const std::string noCompile = "\nThe generated code will not compile until ";
    // clang-format off
    std::vector<Design> designs = {
        {"every-kind", AddEveryKindDesign, [](int32_t) { return std::vector<std::string>{kEveryKindWarning}; }, true},
        {"edge-cases", AddEdgeCaseDesign, [&](int32_t) {
             return std::vector<std::string>{
                 "The radio box Six_RADIO_D6 in frame\nID=6 TITLE=\"Six\"\nhas 6 toggle labels; a radio box holds at most 5. Only the first 5 are built.",
                 "Invalid Radio box toggle label",
                 "Two controls of frame\nID=6 TITLE=\"Six\"\nget the same identifier:\nGo_BTN_D6 at x 189, y 852\nand\nGo_BTN_D6 at x 1352, y 852" + noCompile + "one of them gets another VarName.",
                 "The frames\nID=7 TITLE=\"A\"\nand\nID=7 TITLE=\"B\"\nboth make Dialog7Manager." + noCompile + "one of them gets another ID.",
                 clipped, clipped};
         }},
        {"identifiers", AddIdentifierDesign, [&](int32_t language) {
             if (language != quorvin::builder::LanguageFORTRAN)
                 return std::vector<std::string>{};
             return std::vector<std::string>{
                 "Two controls of frame\nID=1 TITLE=\"Main\"\nget identifiers that differ only by case, which FORTRAN takes as one:\nName_BTN_D1 at x 189, y 90\nand\nname_BTN_D1 at x 189, y 227" + noCompile + "one of them gets another VarName.",
                 "The control\n" + std::string(70, 'L') + "_BTN_D1 at x 189, y 363\nof frame\nID=1 TITLE=\"Main\"\ngets an identifier of 77 characters; FORTRAN allows at most 63." + noCompile + "it gets a shorter VarName or the identifier length is limited."};
         }},
    };
    // clang-format on
    const std::vector<fs::path> layouts = SampleLayouts();
    ASSERT_FALSE(layouts.empty()) << "no sample design under examples/";
    for (const fs::path &layout : layouts)
        designs.push_back({layout.parent_path().filename().string(),
                           [this, layout](const std::string &) { LoadExample(layout); },
                           [](int32_t) { return std::vector<std::string>{}; }, true});
    const auto frameOrder = [this] {
        std::vector<UniqueID_t> order;
        for (const auto &frame : host().frames())
            order.push_back(frame.uniqueId);
        return order;
    };
    const auto outputs = [this](int32_t language) {
        std::map<std::string, std::string> files;
        for (const std::string &name : OutputFileNames(language))
            files[name] = Output(name);
        return files;
    };
    for (const Design &design : designs)
        for (int32_t language = 0; language <= 2; ++language) {
            SCOPED_TRACE(design.name + " " + kLanguageDirs[language]);
            FreshHost();
            ASSERT_NO_FATAL_FAILURE(design.add(dir));
            const std::vector<std::string> warnings = design.warnings(language);
            const std::vector<UniqueID_t> order = frameOrder();
            ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language, warnings));
            const std::map<std::string, std::string> first = outputs(language);
            ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language, warnings));
            EXPECT_TRUE(outputs(language) == first) << "two builds differ";
            ExpectGoldenTree("classic", design.name + "/" + kLanguageDirs[language], first);
            EXPECT_EQ(frameOrder(), order);
            if (design.compiles)
                Compile(language);
        }
}

} // namespace
} // namespace qgbtest
