#include "AddOnFixture.h"

#include "classic/Build.h"
#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "model/Settings.h"

namespace qgbtest {

namespace qb = quorvin::builder;

void AddOnFixture::SetUp() {
    HostFixture::SetUp();
    StartAddOn();
}

void AddOnFixture::TearDown() {
    EXPECT_TRUE(host().drawingOn());
    qb::FreeHostObjects();
    qb::BuildState = qb::BuildStateT{};
    HostFixture::TearDown();
}

void AddOnFixture::StartAddOn() {
    qb::BuildState = qb::BuildStateT{};
    qb::BuildHooks = qb::GeneratorHooks{};
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::ResetPreviewState();
    qb::AllocatePageSets();
    qb::BuildNameList = QorUtilStringListAlloc();
    RegisterAddOn();
}

void AddOnFixture::FreshHost() {
    qb::FreeHostObjects();
    // Nothing of the case before may be left behind unnoticed.
    EXPECT_TRUE(host().faults().empty()) << host().faults().front();
    EXPECT_EQ(host().liveStrings(), 0u);
    host().reset();
    StartAddOn();
}

void AddOnFixture::Build(int32_t language) {
    qb::LockGuard lock(qb::AddOnHandle);
    qb::GoBuild(language, false);
}

std::vector<std::string> AddOnFixture::Shown() {
    std::vector<std::string> shown;
    for (const quorvin::host::Message &m : host().messages())
        if (m.call == quorvin::host::Message::Call::ErrMsg ||
            m.call == quorvin::host::Message::Call::MessageBox)
            shown.push_back(m.text);
    return shown;
}

} // namespace qgbtest
