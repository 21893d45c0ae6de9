#include "HostFixture.h"
#include "Workspace.h"

#include "model/HostResources.h"
#include "model/Parameters.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace quorvin::builder;
using quorvin::host::Message;

namespace qgbtest {
namespace {

const char *const kNotRecognizedOk =
    "Value for dialog parameter OKCLOSEBUTTON not recognized. Must be \"TRUE\" or \"FALSE\"";
const char *const kTitleWarning =
    "Warning: title=\"Dialog Title\" not found. Default title will be used";

struct FindCase {
    const char *str;
    const char *key;
    const char *valueFrom; // the string from the found index on; null for -1
};

// The value's index shown as the rest of the string, so the table reads as
// the design text does.
std::optional<std::string> Found(const char *str, const char *key) {
    const int index = FindParameter(str, key);
    if (index < 0)
        return std::nullopt;
    return std::string(str + index);
}

TEST(FindParameter, FindsKeysOutsideQuotedAndBracketedRuns) {
    const FindCase cases[] = {
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
        {"ID=1", "", nullptr},
    };
    for (const FindCase &c : cases) {
        SCOPED_TRACE(std::string(c.str) + " / " + c.key);
        const std::optional<std::string> found = Found(c.str, c.key);
        if (c.valueFrom) {
            ASSERT_TRUE(found.has_value());
            EXPECT_EQ(*found, c.valueFrom);
        } else {
            EXPECT_FALSE(found.has_value()) << *found;
        }
    }
    EXPECT_EQ(FindParameter(nullptr, "ID"), -1);
}

TEST(GetIntParameter, ReadsWithAtoiRules) {
    EXPECT_EQ(GetIntParameter("ID = 5", "ID", -1), 5);
    EXPECT_EQ(GetIntParameter("VALID=3 ID=7", "ID", -1), 3);
    EXPECT_EQ(GetIntParameter("POS=-4x", "POS", 0), -4);
    EXPECT_EQ(GetIntParameter("POS=abc", "POS", 9), 0);
    EXPECT_EQ(GetIntParameter("TITLE=\"x\"", "POS", 9), 9);
    EXPECT_EQ(GetIntParameter("ID=99999999999999999999", "ID", 0), 2147483647);
    EXPECT_EQ(GetFrameId("TITLE=\"Page\" TABPAGE=T"), -1);
    EXPECT_EQ(GetFrameId("ID=12 TITLE=\"Page\""), 12);
}

class ParametersTest : public HostFixture {};

TEST_F(ParametersTest, GetStringTagCopiesToTheNextQuoteOrTheEnd) {
    struct Case {
        const char *str;
        const char *key;
        const char *value; // null: key absent
    } cases[] = {
        {"VarName=SC3 Type=Scale SHOWLABEL=F", "Type", "Scale SHOWLABEL=F"},
        {"VarName=SC3 Type=Scale", "Type", "Scale"},
        {"ToolTip=\"Press here\" Type=PushButton", "ToolTip", "Press here"},
        {"ToolTip=\"open", "ToolTip", "open"},
        {"A=\"\" B=1", "A", ""},
        {"A=foo\"bar\"", "A", "foo"},
        {"VarName=TF1", "Type", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.str);
        HostString value(GetStringTag(c.str, c.key));
        if (c.value) {
            ASSERT_TRUE(value);
            EXPECT_STREQ(value.get(), c.value);
        } else {
            EXPECT_FALSE(value);
        }
    }
    HostString tagged(GetStringTag("A=xyz", "A"));
    ASSERT_TRUE(tagged);
    EXPECT_EQ(host().liveStringsByTag()["GetStringTag"], 1u);
}

TEST(ParseBoolean, ComparesPrefixesInOrder) {
    const char *const trueWords[] = {"TRUE", "true", "Tx", "YES", "yes", "ON",
                                     "on",   "T",    "t",  "1",   "10"};
    const char *const falseWords[] = {"FALSE", "fals", "NO", "no", "OFF", "F", "f", "0", "Foo"};
    const char *const unknownWords[] = {"Y", "N", "O", "maybe", "", " T", "2"};
    for (const char *word : trueWords) {
        bool value = false;
        EXPECT_TRUE(ParseBoolean(word, value)) << word;
        EXPECT_TRUE(value) << word;
    }
    for (const char *word : falseWords) {
        bool value = true;
        EXPECT_TRUE(ParseBoolean(word, value)) << word;
        EXPECT_FALSE(value) << word;
    }
    for (const char *word : unknownWords) {
        bool value = true;
        EXPECT_FALSE(ParseBoolean(word, value)) << word;
        EXPECT_TRUE(value) << word << ": the value must be left alone";
        value = false;
        EXPECT_FALSE(ParseBoolean(word, value)) << word;
        EXPECT_FALSE(value) << word;
    }
}

TEST_F(ParametersTest, UnrecognisedBooleanWarnsAndKeepsTheDefault) {
    EXPECT_TRUE(GetBoolParameter("OKCLOSEBUTTON=maybe", "OKCLOSEBUTTON", true));
    ASSERT_EQ(host().messages().size(), 1u);
    const Message &m = host().messages()[0];
    EXPECT_EQ(m.call, Message::Call::MessageBox);
    EXPECT_EQ(m.boxType, MessageBox_Warning);
    EXPECT_EQ(m.text, kNotRecognizedOk);

    host().clearMessages();
    EXPECT_FALSE(GetBoolParameter("APPLYBUTTON=F", "APPLYBUTTON", true));
    EXPECT_TRUE(GetBoolParameter("ID=1", "HELPBUTTON", true));
    EXPECT_FALSE(GetBoolParameter("ID=1", "APPLYBUTTON", false));
    EXPECT_TRUE(GetBoolParameter("OKCLOSEBUTTON=T APPLYBUTTON=F", "OKCLOSEBUTTON", false));
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST_F(ParametersTest, PageAndSidebarFlagsCountUnrecognisedValuesAsFalse) {
    EXPECT_TRUE(GetFlagParameter("ID=1 SIDEBAR=T", "SIDEBAR"));
    EXPECT_FALSE(GetFlagParameter("ID=1", "SIDEBAR"));
    EXPECT_TRUE(host().messages().empty());
    EXPECT_FALSE(GetFlagParameter("ID=1 TABPAGE=perhaps", "TABPAGE"));
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(MessageTexts()[0],
              "Value for dialog parameter TABPAGE not recognized. Must be \"TRUE\" or \"FALSE\"");
}

TEST_F(ParametersTest, ShowLabelIsTrueUnlessClearlyFalse) {
    EXPECT_TRUE(GetShowLabel(""));
    EXPECT_TRUE(GetShowLabel("VarName=SC1"));
    EXPECT_TRUE(GetShowLabel("SHOWLABEL=maybe"));
    EXPECT_FALSE(GetShowLabel("VarName=SC1 Type=Scale SHOWLABEL=F"));
    EXPECT_TRUE(GetShowLabel("SHOWLABEL=yes"));
    EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
}

TEST(IsModeless, NeedsAllEightLetters) {
    EXPECT_TRUE(IsModeless("ID=1 MODE=MODELESS"));
    EXPECT_TRUE(IsModeless("ID=1 MODE=modeless OKCLOSEBUTTON=T"));
    EXPECT_TRUE(IsModeless("MODE = ModelessX"));
    EXPECT_FALSE(IsModeless("ID=1 MODE=MODELES"));
    EXPECT_FALSE(IsModeless("ID=1 MODE=MODAL"));
    EXPECT_FALSE(IsModeless("ID=1 TITLE=\"MODE=MODELESS\""));
    EXPECT_FALSE(IsModeless("ID=1"));
}

TEST_F(ParametersTest, DialogTitles) {
    struct Case {
        std::string frameName;
        std::string title;
        bool warned;
    } cases[] = {
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
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frameName);
        host().clearMessages();
        EXPECT_EQ(std::string(GetDialogTitle(c.frameName.c_str())), c.title);
        if (c.warned) {
            ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
            EXPECT_EQ(host().messages()[0].call, Message::Call::ErrMsg);
            EXPECT_EQ(host().messages()[0].text, kTitleWarning);
        } else {
            EXPECT_TRUE(host().messages().empty()) << DescribeMessages();
        }
    }
}

TEST_F(ParametersTest, TitlesAreCutAt511Characters) {
    const std::string longTitle(600, 'x');
    const std::string name = "ID=1 TITLE=\"" + longTitle + "\"";
    EXPECT_EQ(std::string(GetDialogTitle(name.c_str())), std::string(511, 'x'));
    // Exactly at the limit and without a closing quote still counts as read.
    const std::string open = "ID=1 TITLE=\"" + std::string(511, 'y');
    EXPECT_EQ(std::string(GetDialogTitle(open.c_str())), std::string(511, 'y'));
    const std::string shortOpen = "ID=1 TITLE=\"" + std::string(510, 'y');
    EXPECT_EQ(std::string(GetDialogTitle(shortOpen.c_str())), "Untitled");
    EXPECT_EQ(MessageTexts().size(), 1u);
}

TEST_F(ParametersTest, TransparentColors) {
    struct Case {
        const char *command;
        bool read;
        int red, green, blue;
    } cases[] = {
        {"VarName=B1 TransparentColor=FF8000", true, 255, 128, 0},
        {"TransparentColor=0a0B0c ToolTip=\"x\"", true, 10, 11, 12},
        {"TransparentColor=\"C0C0C0\"", true, 192, 192, 192},
        {"TransparentColor=ABCD", false, 0, 0, 0},
        {"TransparentColor=ZZ0000", false, 0, 0, 0},
        {"TransparentColor=00GG00", false, 0, 0, 0},
        {"VarName=B1", false, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        int red = -1, green = -1, blue = -1;
        EXPECT_EQ(GetTransparentColor(c.command, red, green, blue), c.read);
        if (c.read) {
            EXPECT_EQ(red, c.red);
            EXPECT_EQ(green, c.green);
            EXPECT_EQ(blue, c.blue);
        }
    }
}

TEST_F(ParametersTest, TabOrderPutsGeometriesFirstAndKeepsEqualValuesInOrder) {
    AddFrame("ID=1");
    const Text_ID t1 = AddText("TF:a", "VarName=A TabOrder=2", Filled());
    const Text_ID t2 = AddText("TF:b", "VarName=B", Filled());
    const Text_ID t3 = AddText("Label");
    const Text_ID t4 = AddText("TF:d", "TabOrder=-1", Filled());
    const Text_ID t5 = AddText("TF:e", "TabOrder=2", Filled());
    const Geom_ID g1 = AddRectangle("Group");
    const Geom_ID g2 = AddRectangle("TabOrder=2");

    const std::vector<TabOrderEntry> entries = CollectTabOrder();
    ASSERT_EQ(entries.size(), 7u);
    struct Expected {
        bool isText;
        int tabOrder;
        Text_ID text;
        Geom_ID geom;
    } expected[] = {
        {true, -1, t4, nullptr}, {false, 0, nullptr, g1}, {true, 0, t2, nullptr},
        {true, 0, t3, nullptr},  {false, 2, nullptr, g2}, {true, 2, t1, nullptr},
        {true, 2, t5, nullptr},
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].isText, expected[i].isText);
        EXPECT_EQ(entries[i].tabOrder, expected[i].tabOrder);
        EXPECT_EQ(entries[i].text, expected[i].text);
        EXPECT_EQ(entries[i].geom, expected[i].geom);
    }
}

} // namespace
} // namespace qgbtest
