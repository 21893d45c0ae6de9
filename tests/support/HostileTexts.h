// Designer texts that every output must carry safely: quotes, backslashes,
// markup, comment marks, format characters, line feeds, tabs, UTF-8, long
// texts, names that start with digits and empty labels. Each test lays the
// rows out one under the other in a frame of kHostileFrameWidth inches.
#pragma once

#include "PixelDesign.h"

#include <string>
#include <vector>

namespace qgbtest {

struct HostileText {
    std::string string, command;
    TextBox_e box = TextBox_Filled;
    bool caseTwin = false; // its name differs from another row's only by case
};

// Wide enough for the longest row at 12 points.
constexpr double kHostileFrameWidth = 18;

// A title of 600 characters (its own rule: a double quote inside it is
// written \", and a backslash before the closing quote would end it early).
inline std::string HostileTitle() {
    std::string title = "Title \\\"x\\\" it's 100% & <b> ]]> */ /* C:\\dir\\ \t caf\xc3\xa9 "
                        "\xe6\xbc\xa2\xe5\xad\x97 \xf0\x9f\x98\x80 ";
    while (title.size() < 600)
        title += 'T';
    return title;
}

inline std::vector<HostileText> HostileTexts() {
    std::string longText;
    while (longText.size() < 190)
        longText += "A long label, far over 72 columns, 'quoted' & 100% sure; ";
    return {
        {"Say \"hi\" and 'bye'", "VarName=Quotes ToolTip=\"it's <b>&amp;</b> ]]> 50%\""},
        {"C:\\dir\\", "VarName=Trailing ToolTip=\"ends in C:\\\""},
        {"Line\\nbreak typed", "VarName=TypedNewline"},
        {"100% %s %d %% & <b> ]]> */ /* c", "VarName=Marks"},
        {"Two\tcolumns\nand a second line", "VarName=Lines", TextBox_None},
        {"Caf\xc3\xa9 \xe6\xbc\xa2\xe5\xad\x97 \xf0\x9f\x98\x80", "VarName=Unicode"},
        {longText, "VarName=Long", TextBox_None},
        {"~75 items", "", TextBox_None},
        {"~7 100% done\n~7 It's \"on\" \\\n~7 ", "", TextBox_Hollow},
        {"Go", "VarName=9lives"},
        {"Go", "VarName=Case", TextBox_Filled, true},
        {"Go", "VarName=case", TextBox_Filled, true},
        {"TF:", "VarName=EmptyField ToolTip=\"\""},
        {"~7", "VarName=EmptyToggle", TextBox_None},
        {"", "VarName=EmptyButton"},
        {"OPT:*/ 'x' \\", "VarName=Choice"},
    };
}

// Two controls whose names are alike once cut to the identifier limit (30
// characters, on by default): no compiler takes them, so the build warns.
inline std::vector<HostileText> HostileClashes() {
    return {{"Go", "VarName=AbcdefghijklOne"}, {"Go", "VarName=AbcdefghijklTwo"}};
}

// A frame holding the rows one under the other, 20 pixels a line.
inline void AddHostileFrame(const std::string &name, const std::vector<HostileText> &rows) {
    AddFrameAt(name, kHostileFrameWidth, 7);
    double y = 8;
    for (const HostileText &row : rows) {
        AddPixelText({row.string, row.command, row.box, 14, y});
        y += 20 * static_cast<double>(1 + std::count(row.string.begin(), row.string.end(), '\n'));
    }
}

} // namespace qgbtest
