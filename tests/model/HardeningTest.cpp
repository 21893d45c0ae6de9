#include "HostFixture.h"
#include "Workspace.h"

#include "model/HostResources.h"
#include "model/Kinds.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorvin::builder;

namespace qgbtest {
namespace {

class ModelHardeningTest : public HostFixture {};

std::string Name(char *identifier) {
    HostString owned(identifier);
    return owned ? std::string(owned.get()) : std::string();
}

// Digits after a skipped "~7" never start an identifier; with no letter at all
// the control has no name and the missing-name report is shown.
TEST_F(ModelHardeningTest, ControlNamesNeverStartWithADigit) {
    AddFrame("ID=1");
    struct Case {
        const char *label;
        const char *tag;
        int number;
        const char *expected;
    } cases[] = {
        {"~75 items", "TOG", 1, "items_TOG_D1"},
        {"~7 100% done\n~7 sdn", "RADIO", 2, "done7sdn_RADIO_D2"},
        {"~7 \xe6\xbc\xa2\xe5\xad\x97\n~7 second", "RADIO", 2, "second_RADIO_D2"},
        {"~7~7 9 Go", "TOG", 3, "Go_TOG_D3"},
        {"~7 <b>x</b>Real", "TOG", 4, "Real_TOG_D4"},
        {"~7 100 %", "TOG", 5, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        host().clearMessages();
        EXPECT_EQ(
            Name(GetControlVarName(ModalDialog, c.label, "", c.tag, "Toggle", c.number, true)),
            c.expected);
        EXPECT_EQ(host().messages().size(), *c.expected ? 0u : 1u) << DescribeMessages();
    }
}

} // namespace
} // namespace qgbtest
