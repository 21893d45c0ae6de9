// A fixture for tests that run the builder's commands against the reference
// host: the add-on's objects as start-up makes them, freed again at the end.
#pragma once

#include "HostFixture.h"

namespace qgbtest {

class AddOnFixture : public HostFixture {
  protected:
    void SetUp() override;
    // Also fails the test when drawing was left off.
    void TearDown() override;

    // The add-on's objects as start-up makes them, and no preview yet.
    void StartAddOn();
    // A fresh host and a freshly started add-on (the cases of one test),
    // after a check that the case before left no fault and no string.
    void FreshHost();

    // The build command in the language, inside the add-on lock, as the tool
    // dialog runs it.
    static void Build(int32_t language);
    // Error and message box texts shown so far, in order (no please-wait).
    static std::vector<std::string> Shown();
};

} // namespace qgbtest
