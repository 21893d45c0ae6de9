#include "HostFixture.h"

#include "options/Options.h"
#include "model/Settings.h"

#include <sstream>

namespace qgbtest {

using quorvin::host::Host;
using quorvin::host::Message;

void HostFixture::SetUp() {
    Host &h = host();
    h.reset();
    h.clearFaults();
    h.clearMessages();

    namespace qb = quorvin::builder;
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::AddOnHandle = nullptr;
    for (int i = 0; i < qb::kLinkGroupCount; ++i) {
        qb::FormPageSets[i] = nullptr;
        qb::TabPageSets[i] = nullptr;
    }
    qb::BuildNameList = nullptr;
    qb::ResetOptionsDialog();
}

// The host's faults, one an indented line.
static std::string FaultLines() {
    std::string faults;
    for (const std::string &f : Host::instance().faults())
        faults += "  " + f + "\n";
    return faults;
}

void HostFixture::TearDown() {
    Host &h = host();
    EXPECT_TRUE(h.faults().empty()) << "host faults:\n" << FaultLines();
    std::string live;
    for (const auto &[tag, count] : h.liveStringsByTag())
        live += "  " + tag + ": " + std::to_string(count) + "\n";
    EXPECT_EQ(h.liveStrings(), 0u) << "live host strings by tag:\n" << live;
    EXPECT_EQ(h.liveArgLists(), 0u);
    if (!allowHeldLock) {
        EXPECT_FALSE(h.lockHeld());
    }
}

void HostFixture::ExpectHostSound(const std::string &after, bool lockHeld) {
    EXPECT_TRUE(host().faults().empty()) << "after " << after << ":\n" << FaultLines();
    EXPECT_EQ(host().liveStrings() + host().liveArgLists(), 0u) << "after " << after;
    EXPECT_EQ(host().lockHeld(), lockHeld) << "after " << after;
    EXPECT_TRUE(host().drawingOn()) << "after " << after;
}

AddOn_pa HostFixture::RegisterAddOn() {
    QorUtilLockOn();
    AddOn_pa handle = QorUtilAddOnRegister(113, "Quorvin GUI Builder test", "1.0", "tests");
    QorUtilLockOff();
    quorvin::builder::AddOnHandle = handle;
    return handle;
}

std::vector<std::string> HostFixture::MessageTexts() {
    std::vector<std::string> texts;
    for (const Message &m : host().messages())
        texts.push_back(m.text);
    return texts;
}

std::string HostFixture::DescribeMessages() {
    static const char *const kCalls[] = {"ErrMsg", "MessageBox", "PleaseWait", "Help"};
    std::ostringstream out;
    for (const Message &m : host().messages()) {
        out << kCalls[static_cast<int>(m.call)];
        if (m.call == Message::Call::MessageBox)
            out << "(" << m.boxType << ")";
        out << ": " << m.text << "\n";
    }
    return out.str();
}

} // namespace qgbtest
