// A Qt file that cannot be written says why, in the system's words.
#include "qtgen/QtText.h"
#include "quorvin/Host.h"

#include <gtest/gtest.h>

namespace {

using quorvin::host::Host;

TEST(QtWriteFailureTest, AFullDiskIsNamedAfterTheMessage) {
    Host &host = Host::instance();
    host.reset();
    // Larger than any stream buffer, so that the failure is met while writing.
    EXPECT_FALSE(quorvin::qorutilmisc::qt::WriteWholeFile("/dev/full", std::string(1 << 17, 'x')));
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, "Error: Cannot write file: /dev/full. The disk may be full "
                                       "or the file may be in use.\nNo space left on device");
    host.reset();
}

} // namespace
