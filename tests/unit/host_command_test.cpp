// Commands for the host application travel as one copy-data message.
#include <gtest/gtest.h>

#include "fakes/fake_host_messages.h"
#include "host/sendcommand.h"

namespace kestro {
namespace {

TEST(HostCommand, CarriesTagOneTheByteCountAndAZeroByteAfterTheText) {
    fakes::FakeHostMessages host;
    const WindowRef w = host.openWindow("DashOrbit");
    sendcommand(host, "DashOrbit", "blank");
    ASSERT_EQ(host.received().size(), 1u);
    const auto& m = host.received()[0];
    EXPECT_EQ(m.window, w);
    EXPECT_EQ(m.tag, 1u);
    EXPECT_EQ(m.bytes, "blank");
    EXPECT_EQ(m.after, '\0');
}

// Regression: the count was of characters, which cut multi-byte texts short.
TEST(HostCommand, AMultiByteTextIsSentWhole) {
    fakes::FakeHostMessages host;
    host.openWindow("DashOrbit");
    const std::string text = "caf\xC3\xA9 \x81\x40";
    sendcommand(host, "DashOrbit", text);
    ASSERT_EQ(host.received().size(), 1u);
    EXPECT_EQ(host.received()[0].bytes, text);
    EXPECT_EQ(host.received()[0].bytes.size(), 8u);
}

TEST(HostCommand, TheWindowIsFoundByTitleWhateverItsLetterCase) {
    fakes::FakeHostMessages host;
    host.openWindow("DASHORBIT");
    sendcommand(host, "DashOrbit", "play");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"play"});
}

TEST(HostCommand, AnEmptyTextSendsNothingEvenWhenTheHostRuns) {
    fakes::FakeHostMessages host;
    host.openWindow("DashOrbit");
    sendcommand(host, "DashOrbit", "");
    EXPECT_TRUE(host.received().empty());
    EXPECT_EQ(host.lookups, 0);
}

TEST(HostCommand, WithoutAHostWindowTheCommandGoesNowhere) {
    fakes::FakeHostMessages host;
    host.openWindow("Another program");
    sendcommand(host, "DashOrbit", "play");
    EXPECT_TRUE(host.received().empty());
    EXPECT_EQ(host.lookups, 1);
}

}  // namespace
}  // namespace kestro
