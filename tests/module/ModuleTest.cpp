// The real add-on module, loaded with dlopen as the host loads it.
#include "HostFixture.h"
#include "Run.h"

namespace qgbtest {
namespace {

TEST(Module, ExportsOnlyItsEntryPoint) {
    std::string symbols; // the names of the lines "address type name"
    ASSERT_EQ(Capture(std::string("nm -D --defined-only '") + QGB_MODULE_PATH + "' | cut -d' ' -f3",
                      &symbols),
              0);
    EXPECT_EQ(symbols, "InitQorAddOn113\n");
}

class ModuleLoad : public HostFixture {};

TEST_F(ModuleLoad, StartsUpLikeTheHostLoadsIt) {
    std::string error;
    ASSERT_TRUE(host().loadAddOnModule(QGB_MODULE_PATH, &error)) << error;
    ASSERT_EQ(host().registrations().size(), 1u);
    EXPECT_EQ(host().registrations()[0].name, "Quorvin GUI Builder");
    ASSERT_EQ(host().menuOptions().size(), 1u);
    EXPECT_EQ(host().menuOptions()[0].label, "Quorvin GUI Builder");
    EXPECT_EQ(host().stateChangeCallbackCount(), 1u);
    EXPECT_EQ(host().runIdle(), 1);

    // The module's own tool dialog, built from its own copy of the code.
    ASSERT_TRUE(host().chooseMenuOption("Tools", "Quorvin GUI Builder", &error)) << error;
    const auto *dialog = host().findDialogByTitle("GUI Builder");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->up);
    EXPECT_EQ(dialog->kind, "Modeless");

    host().quit();
    EXPECT_EQ(host().liveSets(), 0u);
    EXPECT_EQ(host().liveStringLists(), 0u);
}

TEST_F(ModuleLoad, OnAnOldHostOnlyShowsItsError) {
    host().setVersion(1000299);
    std::string error;
    ASSERT_TRUE(host().loadAddOnModule(QGB_MODULE_PATH, &error)) << error;
    ASSERT_EQ(host().messages().size(), 1u) << DescribeMessages();
    EXPECT_EQ(host().messages()[0].text,
              "Add-on \"Quorvin GUI Builder\" requires Quorvin version 2022.2.0.18713 or greater.");
    EXPECT_TRUE(host().menuOptions().empty());
    EXPECT_EQ(host().liveSets(), 0u);
    EXPECT_EQ(host().liveStringLists(), 0u);
}

} // namespace
} // namespace qgbtest
