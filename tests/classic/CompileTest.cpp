// The generated C and C++ of every kind of control (compiled with the real
// compilers in GoldenTest, as the sample designs are) run in the reference
// host from a shared object: they build the dialogs and controls the design
// has (their places and sizes, in dialog units, are pinned by the golden
// output), launch, and answer as a user expects, the lock kept balanced. The
// designer texts that need care in every output compile in every language.
#include "CompileFixture.h"
#include "HostileTexts.h"

#include "model/Settings.h"

#include <map>

namespace qgbtest {
namespace {

using namespace quorvin::builder;
using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;

class CompileTest : public CompileFixture {};

// The add-on's own start-up around the generated builders: InitDLB once, the
// dialogs built and launched, the sidebar activated.
const char *const kShowEveryKind =
    "ENTRY void QgbShow(AddOn_pa addOn) {\n"
    "  static int started = 0;\n"
    "  AddOnID = addOn;\n"
    "  if (!started) InitDLB();\n"
    "  started = 1;\n"
    "  QorUtilLockStart(AddOnID);\n"
    "  BuildDialog1(BADDIALOGID);\n  BuildDialog2(BADDIALOGID);\n  BuildSidebar3();\n"
    "  QorGUIDialogLaunch(Dialog2Manager);\n  QorGUISidebarActivate(Sidebar3Manager);\n"
    "  QorGUIDialogLaunch(Dialog1Manager);\n"
    "  QorUtilLockFinish(AddOnID);\n}\n";

TEST_F(CompileTest, GeneratedCodeOfEveryKindRunsInTheHost) {
    for (const bool cpp : {false, true}) {
        SCOPED_TRACE(cpp ? "C++" : "C");
        FreshHost();
        AddEveryKindDesign(dir);
        ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(cpp ? 1 : 0, {kEveryKindWarning}));
        void *library = LoadGenerated(cpp, kShowEveryKind);
        ASSERT_NE(library, nullptr);
        const auto show = reinterpret_cast<void (*)(AddOn_pa)>(::dlsym(library, "QgbShow"));
        const auto manager = [library](const char *name) {
            return *static_cast<GUIInt_t *>(::dlsym(library, name));
        };
        ASSERT_NE(show, nullptr);
        show(quorvin::builder::AddOnHandle);
        ASSERT_TRUE(host().faults().empty()) << host().faults().front();

        // The modal dialog holds the lock its initialisation started.
        const GUIInt_t dialog1 = manager("Dialog1Manager"), dialog2 = manager("Dialog2Manager");
        const GuiDialog *modal = host().findDialog(dialog1);
        ASSERT_NE(modal, nullptr);
        EXPECT_EQ(modal->kind, "Modal");
        EXPECT_EQ(modal->title, "Untitled");
        EXPECT_TRUE(modal->up && modal->init && modal->ok && modal->apply && modal->cancel &&
                    modal->help);
        EXPECT_TRUE(host().lockHeld());
        std::vector<std::string> kinds;
        std::map<std::string, const GuiControl *> byKind; // the first of each kind
        for (GUIInt_t id : modal->controls) {
            kinds.push_back(host().findControl(id)->kind);
            byKind.emplace(kinds.back(), host().findControl(id));
        }
        // Geometries first (frame, separators, bitmaps), then the texts; the
        // pages with their controls after their tab (POS order) or form (ID
        // order).
        EXPECT_EQ(
            kinds,
            (std::vector<std::string>{
                "Frame",         "HorzSeparator", "VertSeparator", "BitmapButton", "BitmapToggle",
                "TextField",     "Text",          "Text",          "List",         "List",
                "SpinTextField", "Scale",         "OptionMenu",    "Button",       "Button",
                "ColoredButton", "Toggle",        "RadioBox",      "Label",        "Tab",
                "TabPage",       "Toggle",        "TabPage",       "TextField",    "Form",
                "FormPage",      "Label",         "FormPage",      "Button"}));
        EXPECT_EQ(byKind["RadioBox"]->labels,
                  (std::vector<std::string>{"Alpha", "Beta's", "Gamma"}));
        std::vector<unsigned char> rgb(4 * 4 * 3);
        for (size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = static_cast<unsigned char>(i * 5);
        EXPECT_EQ(byKind["BitmapButton"]->bitmap, rgb);
        EXPECT_TRUE(byKind["BitmapButton"]->useTransparentColor);
        EXPECT_EQ(std::vector<GUIInt_t>({byKind["BitmapButton"]->transparentRed,
                                         byKind["BitmapButton"]->transparentGreen,
                                         byKind["BitmapButton"]->transparentBlue}),
                  std::vector<GUIInt_t>({255, 0, 255}));
        EXPECT_EQ(byKind["Frame"]->labels, std::vector<std::string>{"Options \"all\""});
        EXPECT_NE(byKind["Button"]->voidCallback, nullptr);
        EXPECT_EQ(byKind["OptionMenu"]->optionList, "Option 1,Option 2,Option 3");
        EXPECT_FALSE(byKind["Scale"]->numericDisplay);
        EXPECT_EQ(host().findControl(manager("Form1_2Manager"))->parent, byKind["Form"]->id);
        EXPECT_EQ(host().findControl(manager("Tab2_1Manager"))->labels,
                  std::vector<std::string>{"First"});

        const GuiDialog *modeless = host().findDialog(dialog2);
        const GuiDialog *sidebar = host().findDialog(manager("Sidebar3Manager"));
        ASSERT_TRUE(modeless && sidebar);
        EXPECT_EQ(modeless->kind + " " + sidebar->kind, "Modeless Sidebar");
        EXPECT_TRUE(modeless->up && modeless->close && modeless->help && !modeless->ok);
        EXPECT_TRUE(sidebar->active && sidebar->addOn == quorvin::builder::AddOnHandle);

        // Acting on the dialogs: the stubs keep the lock balanced.
        std::string error;
        ASSERT_TRUE(host().setTextField(byKind["TextField"]->id, "Ada", &error)) << error;
        host().queueColor(5);
        ASSERT_TRUE(host().press("Colour", &error)) << error;
        EXPECT_EQ(byKind["ColoredButton"]->color, 5);
        ASSERT_TRUE(host().pressDialogButton(dialog1, "Apply", &error)) << error;
        EXPECT_FALSE(host().findDialog(dialog1)->applySensitive);
        host().clearMessages();
        ASSERT_TRUE(host().pressDialogButton(dialog1, "Help", &error)) << error;
        ASSERT_EQ(host().messages().size(), 1u);
        EXPECT_EQ(host().messages().back().text, "On-line Help not available for this dialog.");
        EXPECT_EQ(host().messages().back().boxType, MessageBox_Information);
        ASSERT_TRUE(host().pressDialogButton(dialog2, "Close", &error)) << error;
        ASSERT_TRUE(host().pressDialogButton(dialog1, "OK", &error)) << error;
        EXPECT_FALSE(host().findDialog(dialog1)->up);
        EXPECT_FALSE(host().lockHeld());

        // The builders do not build twice; the dialog comes up again.
        const size_t dialogs = host().dialogs().size();
        show(quorvin::builder::AddOnHandle);
        EXPECT_EQ(host().dialogs().size(), dialogs);
        EXPECT_TRUE(host().findDialog(dialog1)->up);
        ASSERT_TRUE(host().pressDialogButton(dialog1, "Cancel", &error)) << error;
        EXPECT_TRUE(host().faults().empty()) << host().faults().front();
        EXPECT_FALSE(host().lockHeld());
        // The host drops the generated callbacks before the library goes.
        FreshHost();
        ::dlclose(library);
    }
}

// The texts of tests/support/HostileTexts.h, checked by the real compilers;
// the rows no compiler could take are built apart and must be warned about,
// the build still reporting success. FORTRAN last: without gfortran its check
// is skipped.
TEST_F(CompileTest, HostileTextsCompileInEveryLanguage) {
    for (const int32_t language : {LanguageC, LanguageCPP, LanguageFORTRAN}) {
        SCOPED_TRACE(language);
        FreshHost();
        std::vector<HostileText> compiled, clashing = HostileClashes();
        for (const HostileText &row : HostileTexts())
            (row.caseTwin && language == LanguageFORTRAN ? clashing : compiled).push_back(row);
        AddHostileFrame("ID=1 TITLE=\"" + HostileTitle() + "\"", compiled);
        ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language));
        Compile(language);

        FreshHost();
        AddHostileFrame("ID=1 TITLE=\"Clashes\"", clashing);
        NameLayout();
        Build(language);
        const std::vector<std::string> shown = Shown();
        ASSERT_EQ(shown.size(), language == LanguageFORTRAN ? 3u : 2u) << DescribeMessages();
        EXPECT_EQ(shown[0].rfind("Two controls of frame\nID=1 TITLE=\"Clashes\"\nget the same "
                                 "identifier:\nAbcdefghijkl_BTN_D1 at x",
                                 0),
                  0u)
            << shown[0];
        EXPECT_EQ(shown[1].find("get identifiers that differ only by case, which FORTRAN takes "
                                "as one:\nCase_BTN_D1 at x") != std::string::npos,
                  language == LanguageFORTRAN)
            << shown[1];
        EXPECT_EQ(shown.back().rfind("New GUI stub files have been written.", 0), 0u);
    }
}

} // namespace
} // namespace qgbtest
