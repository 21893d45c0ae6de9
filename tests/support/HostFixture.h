// A gtest fixture for tests that run add-on code against the reference host:
// every test starts with a fresh host and default builder settings, and ends
// with a check that the host recorded no fault and nothing was leaked.
#pragma once

#include "QORADDON.h"
#include "quorvin/Host.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qgbtest {

class HostFixture : public ::testing::Test {
  public:
    // The messages, one a line, with their call and box type (for failure
    // output and transcripts).
    static std::string DescribeMessages();

  protected:
    // Fresh host (no frames, no messages, no faults), default settings, no
    // add-on handle, none of the add-on's own dialogs created yet.
    void SetUp() override;
    // Fails the test on any host fault, live host string or argument list,
    // and (unless allowHeldLock is set) a lock still held.
    void TearDown() override;

    using Host = quorvin::host::Host;
    static Host &host() { return Host::instance(); }
    // Drives the host as a user would, through one of its calls that report
    // a refusal in their last argument: Do(&Host::pickText, text, false).
    // A refusal fails the test with the host's reason.
    template <typename... Args, typename... Given>
    static void Do(bool (Host::*call)(Args...), Given &&...given) {
        std::string error;
        EXPECT_TRUE((host().*call)(std::forward<Given>(given)..., &error)) << error;
    }

    // Registers a test add-on with the host and makes it the builder's
    // AddOnHandle, as start-up would.
    AddOn_pa RegisterAddOn();

    // A rectangle geometry in the current frame.
    static Geom_ID AddRect(double x, double y, double width, double height,
                           CoordSys_e system = CoordSys_Frame) {
        return host().addGeom({GeomType_Rectangle, system, x, y, 0, "", width, height, {}, ""});
    }

    // What every command must leave: no host fault, no live string or
    // argument list, the lock held only by a dialog still up, drawing on.
    static void ExpectHostSound(const std::string &after, bool lockHeld = false);

    // Texts of every message shown so far, in order.
    static std::vector<std::string> MessageTexts();

    // Set by tests that end with one of the add-on's modal dialogs still up.
    bool allowHeldLock = false;
};

} // namespace qgbtest
