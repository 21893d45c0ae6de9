// The options: the dialog the user opens from a menu, and "dlb.cfg" beside the
// layout, read and written.
#include "HostFixture.h"
#include "Run.h"

#include "model/Settings.h"
#include "options/Options.h"

using namespace quorvin::builder;
using quorvin::host::GuiControl;
using quorvin::host::GuiDialog;
using quorvin::host::Message;

namespace qgbtest {
namespace {

// A layout saved in a directory of its own, so "dlb.cfg" lies beside it, and
// the options dialog on a menu option.
class OptionsTest : public HostFixture {
  protected:
    void SetUp() override {
        HostFixture::SetUp();
        directory_ = OutputDir(std::string("options-") +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        host().setLayoutFileName((directory_ / "design.lay").string());
        RegisterAddOn();
        ASSERT_TRUE(QorUtilMenuAddOption("Tools", "Options test", 'O', [] { OptionsDialog(); }));
    }
    fs::path ConfigPath() const { return directory_ / "dlb.cfg"; }
    // Reads the text as "dlb.cfg", starting from settings no file sets by
    // default, so any change shows.
    void Read(const std::string &text, int32_t language, bool limit) {
        BuilderSettings.Language = language;
        BuilderSettings.LimitIdentLength = limit;
        WriteFile(ConfigPath(), text);
        ReadConfigFile();
    }
    fs::path directory_;

    // Opens the dialog as the user does, from a menu option.
    const GuiDialog &Open() {
        Do(&Host::chooseMenuOption, "Tools", "Options test");
        for (const auto &[id, candidate] : host().dialogs())
            if (candidate.title == "File Options" && candidate.up)
                return candidate;
        ADD_FAILURE() << "the dialog is not up";
        static GuiDialog none;
        return none;
    }
    const GuiControl &Control(const GuiDialog &dialog, const std::string &kind) {
        for (GUIInt_t id : dialog.controls)
            if (const GuiControl *control = host().findControl(id); control->kind == kind)
                return *control;
        ADD_FAILURE() << "no " << kind;
        static GuiControl none;
        return none;
    }
    void Press(const GuiDialog &dialog, const char *which) {
        Do(&Host::pressDialogButton, dialog.id, which);
    }
};

TEST_F(OptionsTest, IsBuiltOnceWithItsItems) {
    const GuiDialog &dialog = Open();
    EXPECT_EQ(dialog.kind, "Modal");
    EXPECT_EQ(std::make_pair(dialog.width, dialog.height), std::make_pair(6455, 950));
    EXPECT_TRUE(dialog.init && dialog.ok && dialog.cancel && dialog.help && !dialog.apply);
    // Each item as "kind x y width height labels...".
    std::vector<std::string> items;
    for (GUIInt_t id : dialog.controls) {
        const GuiControl *c = host().findControl(id);
        std::string item = c->kind + " " + std::to_string(c->x) + " " + std::to_string(c->y) + " " +
                           std::to_string(c->width) + " " + std::to_string(c->height);
        for (const std::string &label : c->labels)
            if (!label.empty())
                item += " " + label;
        items.push_back(item);
    }
    EXPECT_EQ(items,
              (std::vector<std::string>{
                  "Toggle 314 775 5152 120 Limit variable name length to 30 characters",
                  "Frame 257 90 2232 589 Language", "RadioBox 586 174 1502 432 C C++ FORTRAN"}));
    // Initial values follow the settings (C++ and the limit by default).
    EXPECT_EQ(Control(dialog, "RadioBox").intValue, 2);
    EXPECT_EQ(Control(dialog, "Toggle").intValue, 1);
    EXPECT_TRUE(host().lockHeld());

    // Asked again while it is up, the dialog stays as it is.
    Do(&Host::setRadioBox, Control(dialog, "RadioBox").id, 3);
    OptionsDialog();
    EXPECT_EQ(Control(dialog, "RadioBox").intValue, 3);

    // Help shows an information box and leaves the dialog up.
    Press(dialog, "Help");
    ASSERT_EQ(MessageTexts(),
              std::vector<std::string>{"On-line Help not available for this dialog."});
    EXPECT_EQ(host().messages()[0].call, Message::Call::MessageBox);
    EXPECT_EQ(host().messages()[0].boxType, MessageBox_Information);
    EXPECT_TRUE(dialog.up);

    const GUIInt_t id = dialog.id;
    Press(dialog, "Cancel");
    EXPECT_FALSE(host().lockHeld());
    const GuiDialog &again = Open();
    EXPECT_EQ(again.id, id);
    EXPECT_EQ(host().dialogs().size(), 1u);
    Press(again, "Cancel");
    // Reset, the dialog is built anew.
    ResetOptionsDialog();
    const GuiDialog &fresh = Open();
    EXPECT_NE(fresh.id, id);
    Press(fresh, "Cancel");
}

// OK takes the choices into memory only; Cancel keeps the settings.
TEST_F(OptionsTest, OkTakesTheChoicesIntoMemoryOnly) {

    // clang-format off
    struct Case {
        int32_t start;
        GUIInt_t shown, button; // the button shown first (0: none), the one chosen (0: none)
        bool toggle;
        const char *press;
        int32_t language;
    } cases[] = {
        {LanguageCPP, 2, 1, false, "OK", LanguageC}, {LanguageC, 1, 3, true, "OK", LanguageFORTRAN},
        {LanguageFORTRAN, 3, 2, false, "OK", LanguageCPP}, {LanguageFORTRAN, 3, 0, true, "OK", LanguageFORTRAN},
        {LanguageQt, 0, 0, true, "OK", LanguageQt}, // Qt has no button: kept
        {LanguageQt, 0, 1, true, "OK", LanguageC}, {LanguageQt, 0, 2, false, "OK", LanguageCPP},
        {LanguageQt, 0, 2, true, "OK", LanguageCPP}, // the button already shown, chosen again
        {LanguageFORTRAN, 3, 1, false, "Cancel", LanguageFORTRAN},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " -> " + std::to_string(c.button) + " " + c.press);
        BuilderSettings.Language = c.start;
        BuilderSettings.LimitIdentLength = !c.toggle;
        const GuiDialog &dialog = Open();
        EXPECT_TRUE(!c.shown || Control(dialog, "RadioBox").intValue == c.shown);
        if (c.button)
            Do(&Host::setRadioBox, Control(dialog, "RadioBox").id, c.button);
        Do(&Host::setToggle, Control(dialog, "Toggle").id, c.toggle);
        Press(dialog, c.press);
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.toggle == (c.press[0] == 'O'));
        EXPECT_FALSE(dialog.up);
        EXPECT_FALSE(host().lockHeld());
    }
    EXPECT_FALSE(fs::exists(ConfigPath()));
}

// The header accepts a version up to 2022: the number after its last blank.
TEST_F(OptionsTest, HeaderRule) {
    // clang-format off
    const struct { const char *header; bool accepted; } cases[] = {
        {"#!DLB 2022", true}, {"#!DLB 7", true}, {"  #!DLB 2022  ", true}, {"#!DLB version 1 2000", true},
        {"#!DLB -5", true}, {"#!DLB +7", true}, {"#!DLBX 7", true},
        {"#!DLB -99999999999999999999", true}, // past long, still below 2022
        {"#!DLB 2023", false}, {"#!DLB 2022a", false}, {"#!DLB7", false}, {"#!DLB", false},
        {"#!DLB 2000 x", false}, {"#!DLB -", false}, {"#!DLB 99999999999999999999999", false},
        {"#!dlb 7", false}, {"", false}, {"Language=FORTRAN", false}};
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.header);
        Read(std::string(c.header) + "\nLanguage=FORTRAN\nLimitIdentLength=FALSE\n", LanguageCPP,
             true);
        EXPECT_EQ(BuilderSettings.Language, c.accepted ? LanguageFORTRAN : LanguageCPP);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, !c.accepted);
    }
}

TEST_F(OptionsTest, Entries) {
    // Start values that no line sets, so that "unchanged" shows.
    constexpr int32_t kKept = 7;
    // clang-format off
    struct Case { const char *lines; int32_t language; bool startLimit, limit; } cases[] = {
        {"   language = fortran # the compiler we use\n", LanguageFORTRAN, true, true},
        {"Language=C # one # two\n", kKept, true, true}, // cut at the last "#" only
        {"Language=c\n", LanguageC, true, true}, {"Language=F\n", LanguageFORTRAN, true, true},
        {"Language=cp\n", LanguageCPP, true, true}, {"Language=CPP\n", LanguageCPP, true, true},
        {"Language=CPPX\n", kKept, true, true},
        {"Language=C\nLanguage=FORTRAN\n", LanguageFORTRAN, true, true}, // the second wins
        {"Language=FORTRAN\nLanguage=C\n", LanguageC, true, true},
        {"Language=\n", kKept, true, true}, {"Language=C++\n", kKept, true, true},
        {"Language=QT\n", LanguageQt, true, true}, {"Language=q\n", LanguageQt, true, true},
        {"Language=qt\n", LanguageQt, true, true}, {"Languages=C\n", kKept, true, true},
        {"LANGUAGE=fortran\n", LanguageFORTRAN, true, true},
        {"LimitIdentLength=\n", kKept, true, false}, {"LimitIdentLength=yes\n", kKept, true, false},
        {"LimitIdentLength=FALSE\n", kKept, true, false}, {"LimitIdentLength=t\n", kKept, false, true},
        {"limitidentlength = Tr\n", kKept, false, true}, {"LimitIdentLength=TRUEST\n", kKept, true, false},
        {"MaxFortranLineLen=99\n", kKept, true, true},
        {"Language FORTRAN\n", kKept, true, true}, // no "=": skipped
        {"\n\n# Language=C\nOther=1\nLanguage=F=1\n", kKept, true, true},
        {"Language=FORTRAN#Language=C\n", LanguageFORTRAN, true, true},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines);
        BuilderSettings.MaxFortranLineLen = 70;
        Read(std::string("#!DLB 2022\n") + c.lines, kKept, c.startLimit);
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.limit);
        EXPECT_EQ(BuilderSettings.MaxFortranLineLen, 70);
    }
}

TEST_F(OptionsTest, LongLinesAreReadIn511CharacterPieces) {
    // clang-format off
    const struct { std::string text; int32_t language; } cases[] = {
        {"#!DLB 2022\n" + std::string(511, 'x') + "Language=FORTRAN\n", LanguageFORTRAN},
        {"#!DLB 2022\n" + std::string(510, 'x') + "Language=FORTRAN\n", LanguageCPP},
        // The header is a piece too: a long first line is judged by its first 511.
        {"#!DLB 7" + std::string(504, ' ') + "x\nLanguage=C\n", LanguageC},
    };
    // clang-format on
    for (const auto &c : cases) {
        Read(c.text, LanguageCPP, true);
        EXPECT_EQ(BuilderSettings.Language, c.language) << c.text.size();
    }
}

TEST_F(OptionsTest, NothingHappensWithoutAFileOrALayoutName) {
    BuilderSettings.Language = LanguageFORTRAN;
    BuilderSettings.LimitIdentLength = false;
    ReadConfigFile(); // no file yet
    Read("", LanguageFORTRAN, false);
    EXPECT_EQ(BuilderSettings.Language, LanguageFORTRAN);
    EXPECT_FALSE(BuilderSettings.LimitIdentLength);

    fs::remove(ConfigPath());
    host().setLayoutFileName("");
    EXPECT_EQ(OpenConfigFile("w"), nullptr);
    WriteConfigFile();
    EXPECT_FALSE(fs::exists(ConfigPath()));
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(OptionsTest, WritesFourLinesThatReadBackUnchanged) {
    // clang-format off
    const struct { int32_t language; bool limit; const char *name, *limitText; } cases[] = {
        {LanguageCPP, true, "CPP", "TRUE"}, {LanguageC, false, "C", "FALSE"},
        {LanguageFORTRAN, true, "FORTRAN", "TRUE"}, {LanguageQt, true, "QT", "TRUE"}};
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        BuilderSettings.Language = c.language;
        BuilderSettings.LimitIdentLength = c.limit;
        WriteConfigFile();
        const std::string text = ReadFile(ConfigPath());
        EXPECT_EQ(text, std::string("#!DLB 2022\nLanguage=") + c.name +
                            "\nLimitIdentLength=" + c.limitText + "\nMaxFortranLineLen=70\n");
        Read(text, c.language == LanguageC ? LanguageCPP : LanguageC, !c.limit);
        EXPECT_EQ(BuilderSettings.Language, c.language);
        EXPECT_EQ(BuilderSettings.LimitIdentLength, c.limit);
    }
}

TEST(ConfigText, TrimSpaceAndPrefixMatchNoCase) {
    // clang-format off
    const struct { const char *in, *out; } trims[] = {
        {"  a b  ", "a b"}, {"\t\r\nkey\r\n", "key"}, {"", ""}, {"   ", ""}, {"x", "x"}, {"\v x \f", "x"}};
    const struct { const char *a, *b; int count; bool match; } prefixes[] = {
        {"abc", "ABD", 2, true}, {"abc", "ABD", 3, false}, {"x", "y", 0, true}, {"x", "y", -3, true},
        {"cp", "CPP", 2, true}, {"cpp", "C", 3, false}, {"C", "c", 5, true}};
    // clang-format on
    for (const auto &c : trims) {
        std::string text = c.in;
        TrimSpace(&text[0]);
        EXPECT_STREQ(text.c_str(), c.out) << '"' << c.in << '"';
    }
    TrimSpace(nullptr);
    for (const auto &c : prefixes)
        EXPECT_EQ(PrefixMatchNoCase(c.a, c.b, c.count), c.match)
            << c.a << " " << c.b << " " << c.count;
}

} // namespace
} // namespace qgbtest
