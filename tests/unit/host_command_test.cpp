// Commands for the host application travel as one copy-data message.
#include <gtest/gtest.h>

#include "fakes/fake_host_messages.h"
#include "host/host_command.h"
#include "platform/portable/copy_data.h"

namespace kestro {
namespace {

TEST(HostCommand, GoesToTheHostWindowWithTagOne) {
    fakes::FakeHostMessages host;
    host.openWindow("Another program");
    const WindowRef w = host.openWindow("DashOrbit");
    sendHostCommand(host, "DashOrbit", "blank");
    ASSERT_EQ(host.received().size(), 1u);
    EXPECT_EQ(host.received()[0].window, w);
    EXPECT_EQ(host.received()[0].tag, 1u);
    EXPECT_EQ(host.received()[0].bytes, "blank");
}

TEST(CopyDataMessage, CountsTheBytesAndPutsAZeroByteAfterThem) {
    const auto data = makeCopyData(1, "blank");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->tag, 1u);
    EXPECT_EQ(data->count, 5u);
    EXPECT_EQ(data->buffer, std::string("blank\0", 6));
}

// The count is of bytes, so multi-byte texts arrive whole.
TEST(CopyDataMessage, AMultiByteTextIsCountedInBytes) {
    const std::string text = "caf\xC3\xA9 \x81\x40";
    const auto data = makeCopyData(1, text);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->count, 8u);
    EXPECT_EQ(data->buffer, text + '\0');
}

TEST(HostCommand, TheWindowIsFoundByTitleWhateverItsLetterCase) {
    fakes::FakeHostMessages host;
    host.openWindow("DASHORBIT");
    sendHostCommand(host, "DashOrbit", "play");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"play"});
}

TEST(HostCommand, AnEmptyTextSendsNothingEvenWhenTheHostRuns) {
    fakes::FakeHostMessages host;
    host.openWindow("DashOrbit");
    sendHostCommand(host, "DashOrbit", "");
    EXPECT_TRUE(host.received().empty());
    EXPECT_EQ(host.lookups, 0);
}

TEST(HostCommand, WithoutAHostWindowTheCommandGoesNowhere) {
    fakes::FakeHostMessages host;
    host.openWindow("Another program");
    sendHostCommand(host, "DashOrbit", "play");
    EXPECT_TRUE(host.received().empty());
    EXPECT_EQ(host.lookups, 1);
}

}  // namespace
}  // namespace kestro
