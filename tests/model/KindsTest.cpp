#include "HostFixture.h"
#include "Workspace.h"

#include "model/HostResources.h"
#include "model/Kinds.h"
#include "model/Settings.h"

using namespace quorvin::builder;

namespace qgbtest {
namespace {

TEST(ClassifyByPrefix, FilledBoxPrefixesHollowAndPlainTexts) {
    // clang-format off
    const struct { TextBox_e box; const char *string; ControlKind kind; } cases[] = {
        {TextBox_Filled, "TF:            ", TextField},
        {TextBox_Filled, "TFS:            ", Spin}, // "TF:" does not match "TFS:"
        {TextBox_Filled, "T:             \n\n\n", Text},
        {TextBox_Filled, "TRO:           \n\n\n", ReadOnlyText},
        {TextBox_Filled, "SLST:         \n", SingleList},
        {TextBox_Filled, "MLST:         \n", MultiList},
        {TextBox_Filled, "FM:Group=1  \n\n", Form},
        {TextBox_Filled, "TAB:Group=2  \n\n", Tab},
        {TextBox_Filled, "SC:            ", Scale},
        {TextBox_Filled, "OPT:           ", OptionMenu},
        {TextBox_Filled, "Push Button", PushButton},
        {TextBox_Filled, "tf:lower case", PushButton},
        {TextBox_Filled, "TF", PushButton},
        {TextBox_Hollow, "<math>7</math>  Radio1", RadioBox},
        {TextBox_Hollow, "no marker", RadioBox},
        {TextBox_None, "<math>7</math>   Toggle", Toggle},
        {TextBox_None, "~7 Toggle", Toggle},
        {TextBox_None, " ~7 Toggle", Label},
        {TextBox_None, "TF:Label", Label},
        {TextBox_None, "", Label},
        {3, "TF:", NotAControl},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.string);
        EXPECT_EQ(ClassifyByPrefix(c.box, c.string), c.kind);
    }
    EXPECT_EQ(ClassifyByPrefix(TextBox_Filled, nullptr), NotAControl);
}

// The names shown in reports; the kinds' tags, type names and prefixes
// show in the golden files of the generated code and the inserted controls.
TEST(ControlKinds, DisplayNames) {
    EXPECT_STREQ(ControlKindDisplayName(SingleList), "Single Selection List");
    EXPECT_EQ(ControlKindName(NotAControl), nullptr);
}

class KindsTest : public HostFixture {
  protected:
    // Exactly the error message given was shown (none for an empty text).
    static void ExpectReported(const std::string &text) {
        EXPECT_EQ(DescribeMessages(), text.empty() ? "" : "ErrMsg: " + text + "\n");
    }
};

TEST_F(KindsTest, ClassifyTextWithTypeOverrideAndGroups) {
    AddFrame("ID=1");
    // clang-format off
    const struct { const char *string, *command; TextBox_e box; ControlKind kind; int group; } cases[] = {
        {"Label", "VarName=LBL1 Type=Label", TextBox_None, Label, -1},
        {"Label", "VarName=TF1 Type=TextField", TextBox_None, TextField, -1},
        {"Label", "Type=TextField SHOWLABEL=F", TextBox_None, Label, -1}, // value runs on
        {"Label", "Type=textfield", TextBox_None, TextField, -1},
        {"Label", "Type=Text", TextBox_None, Text, -1},
        {"TF:   ", "VarName=TF1 Type=Bogus", TextBox_Filled, TextField, -1},
        {"Push", "Type=Scale", TextBox_Filled, Scale, -1},
        {"Label", "", TextBox_None, NotAControl, -1}, // no command
        {"TAB:Group=3  \n\n", "VarName=TAB1 Type=Tab", TextBox_Filled, Tab, 3},
        {"FM:Group=7  \n\n", "VarName=FM1", TextBox_Filled, Form, 7},
        {"TAB:  \n\n", "VarName=TAB1 Type=Tab", TextBox_Filled, NotAControl, -1},
        {"TAB:Group=-1", "VarName=TAB1", TextBox_Filled, NotAControl, -1},
        {"Hello", "Type=Tab", TextBox_None, NotAControl, -1},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.string) + " / " + c.command);
        const Text_ID text = AddText(c.string, c.command, {c.box});
        ControlKind kind = Label;
        int group = 99;
        ClassifyText(text, kind, group);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(group, c.group);
    }
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(KindsTest, FrameKinds) {
    // clang-format off
    const struct { const char *name; bool linked; FrameKind kind; int messages; } cases[] = {
        {"ID=1 TITLE=\"D\" MODE=MODAL", false, ModalDialog, 0},
        {"ID=1 MODE=MODELESS", false, ModelessDialog, 0},
        {"ID=1 MODE=modeless OKCLOSEBUTTON=T", false, ModelessDialog, 0},
        {"MODE = ModelessX", false, ModelessDialog, 0}, // the first eight letters count
        {"ID=1 MODE=MODELES", false, ModalDialog, 0},
        {"ID=1 TITLE=\"MODE=MODELESS\"", false, ModalDialog, 0},
        {"ID=1 SIDEBAR=T", false, Sidebar, 0},
        {"ID=1 SIDEBAR=T MODE=MODELESS", false, Sidebar, 0},
        {"TABPAGE=T ID=1 POS=1", true, TabPage, 0},
        {"TABPAGE=T ID=1 POS=1", false, ModalDialog, 0}, // pages need linking
        {"FORMPAGE=T ID=1", true, FormPage, 0},
        {"FORMPAGE=T TABPAGE=T ID=1", true, FormPage, 0},
        {"FORMPAGE=F TABPAGE=T ID=1", true, TabPage, 0},
        {"ID=1 SIDEBAR=maybe", false, ModalDialog, 1},
        {"ID=1", true, ModalDialog, 0},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        host().clearMessages();
        AddFrame(c.name, c.linked, c.linked ? 1 : 0);
        EXPECT_EQ(GetFrameKind(c.name), c.kind);
        EXPECT_EQ(static_cast<int>(host().messages().size()), c.messages) << DescribeMessages();
    }
}

// The identifier as a std::string (empty for none), freeing the host string.
std::string Name(char *identifier) {
    HostString owned(identifier);
    return owned ? std::string(owned.get()) : std::string();
}

// Control identifiers: from the VarName, else the label, else the whole
// command (cut at 583 characters); letters first, digits after a skipped
// "~7" never start one; at most 13 characters before the tag unless the
// length is not limited; page controls carry the page's ID and group. A
// control without a name is reported when asked, with its kind's name.
TEST_F(KindsTest, ControlNames) {
    const std::string missing = "Missing Control Name for: \n", blanks(30, ' ');
    const std::string letters = "VarName=" + std::string(300, 'a');
    // clang-format off
    struct Case {
        FrameKind frame; const char *label; std::string command; const char *tag; int number; bool report;
        std::string expected, reported = ""; // the report shown, if any
        bool limit = true;
    };
    const Case cases[] = {
        {ModalDialog, "Name", "", "TF", 1, false, "Name_TF_D1"},
        {ModalDialog, "<math>7</math>   Toggle", "", "TOG", 1, false, "Toggle_TOG_D1"},
        {ModalDialog, "<math>7</math>   Toggle", "VarName=Toggle3 Type=Toggle", "TOG", 2, false, "Toggle3_TOG_D2"},
        {ModelessDialog, "~7Go on", "", "TOG", 4, false, "Goon_TOG_D4"},
        {Sidebar, "Label", "VarName=LBL1 Type=Label", "LBL", 2, false, "LBL1_LBL_S2"},
        {ModalDialog, "1 Word & Other", "", "BTN", 1, false, "WordOther_BTN_D1"},
        {ModalDialog, "<b>1</b> Word", "", "BTN", 1, false, "Word_BTN_D1"},
        {ModalDialog, "<b>12</b>", "", "BTN", 1, false, ""},
        {ModalDialog, "x", "Type=Label", "LBL", 1, false, "TypeLabel_LBL_D1"},
        {ModalDialog, "Fallback", "VarName=_x", "BTN", 1, false, "Fallback_BTN_D1"},
        {ModalDialog, "", "VarName=9lives", "BTN", 1, false, "lives_BTN_D1"},
        {ModalDialog, "Long", "VarName=abcdefghijklmnopqrstuvwxyz", "TF", 1, false, "abcdefghijklm_TF_D1"},
        {ModalDialog, "Long", "VarName=abcdefghijklmnopqrstuvwxyz", "RADIO", 1, false, "abcdefghij_RADIO_D1"},
        {ModalDialog, "~75 items", "", "TOG", 1, true, "items_TOG_D1"},
        {ModalDialog, "~7 100% done\n~7 sdn", "", "RADIO", 2, true, "done7sdn_RADIO_D2"},
        {ModalDialog, "~7 \xe6\xbc\xa2\xe5\xad\x97\n~7 second", "", "RADIO", 2, true, "second_RADIO_D2"},
        {ModalDialog, "~7~7 9 Go", "", "TOG", 3, true, "Go_TOG_D3"},
        {ModalDialog, "~7 <b>x</b>Real", "", "TOG", 4, true, "Real_TOG_D4"},
        {ModalDialog, "~7 100 %", "", "TOG", 5, true, "", missing + "TOG: ~7 100 %" + std::string(22, ' ')},
        {ModalDialog, "", "", "TF", 1, true, "", missing + "TF: " + blanks},
        {ModalDialog, "12 !", "", "BTN", 1, true, "", missing + "BTN: 12 !" + std::string(26, ' ')},
        {ModalDialog, "12 !", "", "LBL", 1, false, ""},
        {ModalDialog, "", letters, "TF", 1, true, std::string(13, 'a') + "_TF_D1"},
        {ModalDialog, "", letters, "TF", 1, true, std::string(256 - 2 - 15, 'a') + "_TF_D1", "", false},
        {ModalDialog, "", std::string(580, '.') + "Name", "BTN", 1, true, "Nam_BTN_D1", "", false},
        {ModalDialog, "", std::string(583, '.') + "Name", "BTN", 1, true, "", missing + "BTN: " + blanks, false},
        {TabPage, "Name", "", "TF", 3, true, "Name_TF_T2_3"},
        {FormPage, "", "VarName=SL1", "SLST", 1, true, "SL1_SLST_F5_1"},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.label) + " / " + c.command);
        host().reset();
        host().clearMessages();
        if (c.frame == TabPage)
            AddFrame("TABPAGE=T ID=2 POS=1 TITLE=\"Page 2\"", true, 3);
        else if (c.frame == FormPage)
            AddFrame("FORMPAGE=T ID=5", true, 1);
        else
            AddFrame("ID=1 TITLE=\"D\"");
        BuilderSettings.LimitIdentLength = c.limit;
        EXPECT_EQ(Name(GetControlVarName(c.frame, c.label, c.command.c_str(), c.tag, c.tag,
                                         c.number, c.report)),
                  c.expected);
        ExpectReported(c.reported);
    }
}

// Images are bitmap buttons unless of Type=Toggle (all of it) or without a
// command; their names, and the reports of missing ones, show in the build
// tests and the golden files of the generated code.
TEST_F(KindsTest, WhichImagesAreBitmapButtons) {
    AddFrame("ID=1");
    const std::pair<const char *, bool> cases[] = {{"VarName=Open1 ToolTip=\"Open\"", true},
                                                   {"VarName=Grid Type=toggleX", false},
                                                   {"VarName=Grid Type=Togg", true},
                                                   {"", false}};
    for (const auto &[command, bitmapButton] : cases) {
        quorvin::host::GeomSpec spec;
        spec.type = GeomType_Image;
        spec.x = spec.y = spec.width = 20;
        spec.imageFile = QGB_SOURCE_DIR "/examples/sample/button.bmp";
        spec.command = command;
        EXPECT_EQ(IsBitmapButton(host().addGeom(spec)), bitmapButton) << command;
    }
}

// The next free dialog (or sidebar) ID over every frame, frames named like
// the current one or the first included, leaving the frames as they were;
// 0 and a report when a frame has no name.
TEST_F(KindsTest, NextDialogId) {
    // clang-format off
    const struct { std::vector<std::pair<std::string, bool>> frames; int dialog, sidebar; const char *reported; } cases[] = {
        {{{"ID=1 TITLE=\"A\"", false}, {"ID=2 TITLE=\"B\"", false}, {"ID=1 SIDEBAR=T TITLE=\"S\"", false},
          {"TABPAGE=T ID=4 POS=1", true}, // the page's 4 is taken too
          {"ID=3 TITLE=\"C\"", false}, {"ID=3 TITLE=\"C\"", false}}, 5, 2, ""},
        {{{"ID=1 TITLE=\"Same\"", false}, {"ID=2 TITLE=\"Other\"", false}, {"ID=1 TITLE=\"Same\"", false}}, 3, 1, ""},
        {{{"ID=1", false}, {"", false}, {"ID=3", false}}, 0, 0, "All frames must have names"},
    }; // frames as name and linked; the report shown, if any
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.frames.front().first);
        host().reset();
        host().clearMessages();
        for (const auto &[name, linked] : c.frames) {
            AddFrame(name.empty() ? "unnamed" : name, linked, linked ? 1 : 0);
            if (name.empty()) {
                ASSERT_TRUE(QorUtilFrameSetName(""));
            }
        }
        const UniqueID_t current = CurrentFrameId();
        const std::vector<UniqueID_t> order = FrameOrder();
        EXPECT_EQ(NextDialogId(false), c.dialog);
        ExpectReported(c.reported);
        if (!*c.reported) {
            EXPECT_EQ(NextDialogId(true), c.sidebar);
        }
        EXPECT_EQ(CurrentFrameId(), current);
        EXPECT_EQ(FrameOrder(), order);
    }
}

TEST_F(KindsTest, NextLinkGroupLooksAtEveryFrameUpTo32) {
    AddFrame("ID=1 TITLE=\"One\"");
    AddText("TAB:Group=1  \n\n", "VarName=TAB1 Type=Tab", Filled());
    AddText("FM:Group=2  \n\n", "VarName=FM1 Type=Form", Filled());
    AddFrame("TABPAGE=T ID=1 POS=1", true, 3);
    AddFrame("FORMPAGE=T ID=1", false, 4); // not linked: no page
    AddFrame("ID=2 TITLE=\"Two\"");
    AddText("TAB:Group=-1", "", Filled());
    const UniqueID_t current = CurrentFrameId();
    EXPECT_EQ(NextLinkGroup(), 4);
    EXPECT_EQ(CurrentFrameId(), current);

    host().reset();
    for (int group = 1; group <= 31; ++group)
        AddFrame("TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", true, group);
    AddFrame("ID=1");
    EXPECT_EQ(NextLinkGroup(), 32);
    AddText("FM:Group=32  \n\n", "VarName=FM1", Filled());
    EXPECT_EQ(NextLinkGroup(), -1);
}

// The next page ID and position of a group, as pairs.
TEST_F(KindsTest, NextPageIdAndPosition) {
    using P = std::pair<int, int>;
    AddFrame("ID=1");
    EXPECT_EQ(P(NextPageId(2), NextPagePosition(2)), P(1, 1));
    AddFrame("TABPAGE=T ID=3 POS=2", true, 2);
    AddFrame("TABPAGE=T POS=7", true, 2); // no ID counts as -1
    AddFrame("TABPAGE=T ID=9 POS=9", true, 5);
    AddFrame("TABPAGE=T ID=8 POS=8", false, 2); // not linked
    EXPECT_EQ(P(NextPageId(2), NextPagePosition(2)), P(4, 8));
    EXPECT_EQ(P(NextPageId(5), NextPagePosition(6)), P(10, 1));
}

} // namespace
} // namespace qgbtest
