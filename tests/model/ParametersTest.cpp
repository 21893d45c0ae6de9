#include "HostFixture.h"
#include "Workspace.h"

#include "model/HostResources.h"
#include "model/Parameters.h"

using namespace quorvin::builder;

namespace qgbtest {
namespace {

const std::string kTitleWarning =
    "Warning: title=\"Dialog Title\" not found. Default title will be used";

// The value's index shown as the rest of the string, so the table reads as
// the design text does; "-1" when not found.
std::string Found(const char *str, const char *key) {
    const int index = FindParameter(str, key);
    return index < 0 ? std::to_string(index) : std::string(str + index);
}

TEST(FindParameter, FindsKeysOutsideQuotedAndBracketedRuns) {
    // The string from the found index on; null for -1.
    // clang-format off
    const struct { const char *str, *key, *valueFrom; } cases[] = {
        {"VarName=Radio1 TITLE=\"a=b\"", "TITLE", "\"a=b\""},
        {"VarName=Radio1 TITLE=\"a=b\"", "b", nullptr}, // only inside the quotes
        {"ID = 5", "ID", "5"},
        {"VALID=3 ID=7", "ID", "3 ID=7"}, // a substring of an earlier word
        {"id=4", "ID", "4"},
        {"XID=1 ID=2", "ID", "1 ID=2"},
        {"ID x=5", "ID", "5"}, // anything may stand between key and "="
        {"[ID=3] ID=4", "ID", "4"},
        {"[ID=3", "ID", nullptr},
        {"\"ID=3", "ID", nullptr}, // an open quote runs to the end
        {"TITLE=\"x\" ID=1", "ID", "1"},
        {"TITLE=\"x\"\"ID=9\"", "ID", nullptr}, // a second quoted run right after the first
        {"A=\"x\"[ID=2]ID=8", "ID", "8"},
        {"ID=", "ID", nullptr},
        {"ID=   ", "ID", nullptr},
        {"ID", "ID", nullptr},
        {"", "ID", nullptr},
        {"MODE=MODELESS", "MODE", "MODELESS"},
        {"tab Mode=x", "mODE", "x"}, // the key's first letter folds too
        {"ID=1", "", nullptr},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(Found(c.str, c.key), c.valueFrom ? c.valueFrom : "-1") << c.str << " / " << c.key;
    EXPECT_EQ(FindParameter(nullptr, "ID"), -1);
}

TEST(GetIntParameter, ReadsWithAtoiRules) {
    EXPECT_EQ(std::vector<int>(
                  {GetIntParameter("ID = 5", "ID", -1), GetIntParameter("VALID=3 ID=7", "ID", -1),
                   GetIntParameter("POS=-4x", "POS", 0), GetIntParameter("POS=abc", "POS", 9),
                   GetIntParameter("TITLE=\"x\"", "POS", 9),
                   GetIntParameter("ID=99999999999999999999", "ID", 0),
                   GetFrameId("TITLE=\"Page\" TABPAGE=T"), GetFrameId("ID=12 TITLE=\"Page\"")}),
              std::vector<int>({5, 3, -4, 0, 9, 2147483647, -1, 12}));
}

class ParametersTest : public HostFixture {};

TEST_F(ParametersTest, GetStringTagCopiesToTheNextQuoteOrTheEnd) {
    // clang-format off
    const struct { const char *str, *key, *value; } cases[] = { // a null value: key absent
        {"VarName=SC3 Type=Scale SHOWLABEL=F", "Type", "Scale SHOWLABEL=F"},
        {"VarName=SC3 Type=Scale", "Type", "Scale"},
        {"ToolTip=\"Press here\" Type=PushButton", "ToolTip", "Press here"},
        {"ToolTip=\"open", "ToolTip", "open"},
        {"A=\"\" B=1", "A", ""},
        {"A=foo\"bar\"", "A", "foo"},
        {"VarName=TF1", "Type", nullptr},
    };
    // clang-format on
    for (const auto &c : cases) {
        HostString value(GetStringTag(c.str, c.key));
        EXPECT_EQ(value ? std::string("\"") + value.get() + "\"" : "null",
                  c.value ? std::string("\"") + c.value + "\"" : "null")
            << c.str;
    }
    HostString tagged(GetStringTag("A=xyz", "A"));
    ASSERT_TRUE(tagged);
    EXPECT_EQ(host().liveStringsByTag()["GetStringTag"], 1u);
}

// Each word parsed over both starting values: 1 true, 0 false, -1 not
// recognised (the value left alone).
TEST(ParseBoolean, ComparesPrefixesInOrder) {
    const std::pair<const char *, int> cases[] = {
        {"TRUE", 1}, {"true", 1}, {"Tx", 1},     {"YES", 1}, {"yes", 1},   {"ON", 1},   {"on", 1},
        {"T", 1},    {"t", 1},    {"1", 1},      {"10", 1},  {"FALSE", 0}, {"fals", 0}, {"NO", 0},
        {"no", 0},   {"OFF", 0},  {"F", 0},      {"f", 0},   {"0", 0},     {"Foo", 0},  {"Y", -1},
        {"N", -1},   {"O", -1},   {"maybe", -1}, {"", -1},   {" T", -1},   {"2", -1},
    };
    for (const auto &[word, expected] : cases)
        for (const bool start : {false, true}) {
            bool value = start;
            EXPECT_EQ(ParseBoolean(word, value), expected >= 0) << word;
            EXPECT_EQ(value, expected < 0 ? start : expected == 1) << word << " from " << start;
        }
}

// The booleans of frame names and commands: the value, and the warning for
// a value not recognised. GetBoolParameter keeps its default, SHOWLABEL is
// true unless clearly false. A plain dialog frame reads the page flags,
// which count such a value as false, FORMPAGE first (key: the one warned
// about); asked silently first, it warns of nothing.
TEST_F(ParametersTest, BooleanParameters) {
    enum Reader { Bool, ShowLabel, Plain };
    // clang-format off
    const struct { Reader reader; const char *str, *key; bool defaultValue, expected, warned; } cases[] = {
        {Bool, "OKCLOSEBUTTON=maybe", "OKCLOSEBUTTON", true, true, true},
        {Bool, "OKCLOSEBUTTON=maybe", "OKCLOSEBUTTON", false, false, true},
        {Bool, "APPLYBUTTON=F", "APPLYBUTTON", true, false, false},
        {Bool, "ID=1", "HELPBUTTON", true, true, false},
        {Bool, "ID=1", "APPLYBUTTON", false, false, false},
        {Bool, "OKCLOSEBUTTON=T APPLYBUTTON=F", "OKCLOSEBUTTON", false, true, false},
        {ShowLabel, "", "", true, true, false},
        {ShowLabel, "VarName=SC1", "", true, true, false},
        {ShowLabel, "SHOWLABEL=maybe", "", true, true, false},
        {ShowLabel, "VarName=SC1 Type=Scale SHOWLABEL=F", "", true, false, false},
        {ShowLabel, "SHOWLABEL=yes", "", true, true, false},
        {Plain, "ID=1 TITLE=\"Dialog\"", "", false, true, false},
        {Plain, "FORMPAGE=T", "", false, false, false},
        {Plain, "TABPAGE=yes", "", false, false, false},
        {Plain, "FORMPAGE=F TABPAGE=F", "", false, true, false},
        {Plain, "FORMPAGE=maybe", "FORMPAGE", false, true, true},
        {Plain, "FORMPAGE=maybe TABPAGE=T", "FORMPAGE", false, false, true},
        {Plain, "TABPAGE=perhaps", "TABPAGE", false, true, true},
        {Plain, "TITLE=\"FORMPAGE=T\"", "", false, true, false}, // inside a quoted title
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.str);
        host().clearMessages();
        if (c.reader == Plain) {
            EXPECT_EQ(IsPlainDialogFrame(c.str, false), c.expected);
        }
        EXPECT_EQ(c.reader == Bool        ? GetBoolParameter(c.str, c.key, c.defaultValue)
                  : c.reader == ShowLabel ? GetShowLabel(c.str)
                                          : IsPlainDialogFrame(c.str, true),
                  c.expected);
        const std::string warning = "MessageBox(" + std::to_string(MessageBox_Warning) +
                                    "): Value for dialog parameter " + c.key +
                                    " not recognized. Must be \"TRUE\" or \"FALSE\"\n";
        EXPECT_EQ(DescribeMessages(), c.warned ? warning : "");
    }
    EXPECT_TRUE(IsPlainDialogFrame(nullptr, true));
}

TEST_F(ParametersTest, DialogTitles) {
    // clang-format off
    const struct { std::string frameName, title; bool warned; } cases[] = {
        {"ID=1 TITLE=\"Hello World\" MODE=MODAL", "Hello World", false},
        {"ID=1 TITLE=\"Say \\\"hi\\\" now\"", "Say \"hi\" now", false},
        {"ID=1 TITLE=\"\"", "", false},
        {"ID=1 TITLE=\"never closed", "Untitled", true},
        {"ID=1 TITLE=Bare", "Untitled", true},
        {"ID=1", "Untitled", true},
        {"ID=1 TITLE=\"Sidebar", "Untitled", true},
        {"ID=2 SIDEBAR=T", "Untitled", true}, // sidebars are warned too
        {"TABPAGE=T ID=2 POS=1", "Untitled", false},
        {"FORMPAGE=T ID=2", "Untitled", false},
        {"TABPAGE=F FORMPAGE=T ID=2", "Untitled", false},
        {"TABPAGE=F ID=2", "Untitled", true},
        // Cut at 511 characters; exactly at the limit and without a closing
        // quote still counts as read.
        {"ID=1 TITLE=\"" + std::string(600, 'x') + "\"", std::string(511, 'x'), false},
        {"ID=1 TITLE=\"" + std::string(511, 'y'), std::string(511, 'y'), false},
        {"ID=1 TITLE=\"" + std::string(510, 'y'), "Untitled", true},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.frameName);
        host().clearMessages();
        EXPECT_EQ(std::string(GetDialogTitle(c.frameName.c_str())), c.title);
        EXPECT_EQ(DescribeMessages(), c.warned ? "ErrMsg: " + kTitleWarning + "\n" : "");
    }
}

TEST_F(ParametersTest, TransparentColors) {
    // clang-format off
    const struct { const char *command; bool read; int red, green, blue; } cases[] = {
        {"VarName=B1 TransparentColor=FF8000", true, 255, 128, 0},
        {"TransparentColor=0a0B0c ToolTip=\"x\"", true, 10, 11, 12},
        {"TransparentColor=\"C0C0C0\"", true, 192, 192, 192},
        {"TransparentColor=ABCD", false, 0, 0, 0},
        {"TransparentColor=ZZ0000", false, 0, 0, 0},
        {"TransparentColor=00GG00", false, 0, 0, 0},
        {"VarName=B1", false, 0, 0, 0},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command);
        int red = -1, green = -1, blue = -1;
        EXPECT_EQ(GetTransparentColor(c.command, red, green, blue), c.read);
        if (c.read) {
            EXPECT_EQ(std::vector<int>({red, green, blue}),
                      std::vector<int>({c.red, c.green, c.blue}));
        }
    }
}

} // namespace
} // namespace qgbtest
