// The streamed layout reading: what the fast parser and the library's parser
// disagree on, repeated keys, and which problem wins when there are several.
#include "HostFixture.h"

#include <fstream>

namespace quorvin::host::testing {
namespace {

using LayoutStreamTest = HostTest;

TEST_F(LayoutStreamTest, ProblemsAndAcceptanceMatchAWholeDocumentCheck) {
    const std::string frame = R"({"name": "F", "x": 1, "y": 1, "width": 2, "height": 2)";
    struct Case {
        std::string content, expected; // expected: "" loads, else the error after "<file>: "
    };
    const std::vector<Case> cases = {
        // A byte order mark is skipped; a lone escaped surrogate and a number
        // past double's range are refused.
        {"\xEF\xBB\xBF{\"formatVersion\": 1, \"frames\": [" + frame + "}]}", ""},
        {R"({"formatVersion": 1, "frames": [)" + frame + R"(, "name": "\uDC00"}]})",
         "line 1, column 102: not valid JSON"},
        {R"({"formatVersion": 1, "frames": [)" + frame + R"(, "x": 2e308}]})",
         "line 1, column 97: number out of range"},
        // A repeated key: the last value counts, the earlier one's problems
        // do not.
        {R"({"formatVersion": 1, "frames": [)" + frame +
             R"(, "texts": [{"x": 1}], "texts": [{"string": "a"}]}]})",
         ""},
        {R"({"formatVersion": 1, "frames": [{"x": 1}], "frames": [)" + frame + "}]}", ""},
        // A syntax error after a checked problem wins; so does a root
        // problem after a frame's, and a frame's own over its texts'.
        {R"({"formatVersion": 1, "frames": [{"name": 3}] x)", "line 1, column 46: not valid JSON"},
        {R"({"formatVersion": 1, "frames": [{"name": 3}], "zoom": 1})", "zoom: unknown key"},
        {R"({"formatVersion": 1, "frames": [{"texts": [{"x": 1}], "name": "F"}]})",
         "frames[0].x: missing"},
        {R"({"formatVersion": 1, "frames": [)" + frame +
             R"(, "geoms": [{"type": "line", "polylines": [[[0, 0], [1]], [[0]]]}]}]})",
         "frames[0].geoms[0].polylines[0][1]: must be a point [x, y]"},
        {R"({"formatVersion": 1, "frames": [)" + frame +
             R"(, "geoms": [{"file": "a.png", "polylines": [[[0, 0], [1, 1]]], "type": "line"}]}]})",
         "frames[0].geoms[0].file: unknown key"},
    };
    for (const Case &c : cases) {
        const auto path = (scratch() / "stream.lay.json").string();
        std::ofstream(path, std::ios::trunc | std::ios::binary) << c.content;
        std::string error;
        EXPECT_EQ(host().loadLayout(path, &error), c.expected.empty()) << c.content;
        if (!c.expected.empty())
            EXPECT_EQ(error.rfind(path + ": " + c.expected, 0), 0u) << error;
        else
            EXPECT_EQ(host().frames().size(), 1u) << c.content;
    }
}

} // namespace
} // namespace quorvin::host::testing
