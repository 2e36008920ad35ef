#include "orvane/protocol/module_link.h"

#include <gtest/gtest.h>

#include "fake_modules.h"
#include "recording_ui.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {
namespace {

using namespace orvane::testing;

const MacAddress kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
const platform::Endpoint kTarget{0x7F000001, 40000};

class ModuleLinkTest : public ::testing::Test {
 protected:
  ModuleLinkTest() { ui.status = &status; }

  Bytes readSystemInfoFrame() { return *buildConfigFrame(CommandCode::ReadSystemInfo, kMac); }

  RecordingUi ui;
  ProcessFlags flags;
  StatusText status{ui, flags};
  FakeTransport transport;
  ModuleLink link{transport, status, kTarget};
};

TEST_F(ModuleLinkTest, RequestGoesToTheDestinationWithTheTabledTimeout) {
  transport.responder = [](const Bytes&) {
    return std::vector<Arrival>{Arrival::datagram(replyFrame(0x09, Bytes(13, 1)))};
  };
  ModuleVersionInfo v;
  ASSERT_TRUE(link.readSystemInfo(kMac, v));
  const auto sent = transport.sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].to, kTarget);
  EXPECT_EQ(sent[0].timeoutMs, 100);
  EXPECT_EQ(transport.openSockets(), 0);  // closed again
  EXPECT_EQ(transport.startups(), 1);
  EXPECT_EQ(transport.cleanups(), 1);
  EXPECT_TRUE(ui.shownTexts().empty());
}

TEST_F(ModuleLinkTest, OtherCodesAreDroppedAndTheWaitStartsAgain) {
  transport.responder = [](const Bytes&) {
    return std::vector<Arrival>{Arrival::datagram(replyFrame(0x06, Bytes(20, 9))),
                                Arrival::datagram({0xAA, 0x05}),  // too short to carry a code
                                Arrival::datagram(replyFrame(0x09, Bytes(13, 2))),
                                Arrival::datagram(replyFrame(0x09, Bytes(13, 3)))};
  };
  Bytes reply(512);
  const auto length = link.exchangeFrame(readSystemInfoFrame(), reply, 100);
  ASSERT_TRUE(length);
  EXPECT_EQ(*length, 18u);
  EXPECT_EQ(reply[4], 2);  // the first matching reply ends the exchange
  EXPECT_EQ(transport.receives(), 3);
}

TEST_F(ModuleLinkTest, FailedReceivesEndTheExchange) {
  const std::vector<std::vector<Arrival>> cases = {
      {},                                                         // time-out
      {Arrival::error(), Arrival::datagram(replyFrame(0x09, {}))},  // error, no second attempt
      {Arrival::datagram(replyFrame(0x09, Bytes(600, 0)))},       // longer than the buffer
  };
  for (const auto& arrivals : cases) {
    transport.responder = [arrivals](const Bytes&) { return arrivals; };
    ModuleVersionInfo v;
    v.switchByte = 0x42;
    EXPECT_FALSE(link.readSystemInfo(kMac, v));
    EXPECT_EQ(v.switchByte, 0x42);  // untouched
    EXPECT_EQ(status.pending(), texts::kReceiveFailed);
  }
}

TEST_F(ModuleLinkTest, ReplyWithWrongCheckByteOrHeaderIsAccepted) {
  transport.responder = [](const Bytes&) {
    Bytes reply = replyFrame(0x09, Bytes(13, 5));
    reply[0] = 0x00;
    reply.back() ^= 0xFF;
    return std::vector<Arrival>{Arrival::datagram(reply)};
  };
  ModuleVersionInfo v;
  EXPECT_TRUE(link.readSystemInfo(kMac, v));
  EXPECT_EQ(v.switchByte, 5);
}

TEST_F(ModuleLinkTest, WriteNeedsResultByteZero) {
  const std::pair<Bytes, bool> rows[] = {
      {replyFrame(0x0A, {0}), true},
      {replyFrame(0x0A, {1}), false},
      {Bytes{0xAA, 0x05, 0x00, 0x0A}, false},  // no result byte at all
  };
  for (const auto& row : rows) {
    const Bytes reply = row.first;
    transport.responder = [reply](const Bytes&) {
      return std::vector<Arrival>{Arrival::datagram(reply)};
    };
    EXPECT_EQ(link.writeRequest(CommandCode::RestoreFactorySettings, kMac, {}), row.second);
  }
}

TEST_F(ModuleLinkTest, SocketFailuresSetTheirTextThenTheReceiveText) {
  struct Row {
    bool FakeTransport::*fault;
    std::string_view text;
  };
  const Row rows[] = {{&FakeTransport::failOpen, texts::kSocketInitFailed},
                      {&FakeTransport::failBroadcast, texts::kBroadcastFailed},
                      {&FakeTransport::failTimeout, texts::kTimeoutFailed},
                      {&FakeTransport::failSend, texts::kSendFailed}};
  for (const auto& row : rows) {
    FakeTransport t;
    t.*row.fault = true;
    RecordingUi u;
    StatusText s(u, flags);
    u.status = &s;
    ModuleLink l(t, s, kTarget);
    Bytes reply(512);
    EXPECT_FALSE(l.exchangeFrame(readSystemInfoFrame(), reply, 100));
    EXPECT_EQ(u.shownTexts(), (std::vector<std::string>{std::string(row.text),
                                                        std::string(texts::kReceiveFailed)}));
    EXPECT_EQ(t.openSockets(), 0);
    EXPECT_EQ(t.cleanups(), 1);

    const auto result = l.broadcastDiscovery([](auto, auto) {});
    EXPECT_EQ(result.status, DiscoveryStatus::SocketFailed);
    EXPECT_EQ(result.failureText, row.text);
    EXPECT_EQ(s.pending(), texts::kReceiveFailed);
  }
}

TEST_F(ModuleLinkTest, SocketLayerThatDoesNotStart) {
  transport.failStartup = true;
  Bytes reply(512);
  EXPECT_FALSE(link.exchangeFrame(readSystemInfoFrame(), reply, 100));
  EXPECT_EQ(ui.shownTexts(), std::vector<std::string>{std::string(texts::kSocketStartFailed)});
  EXPECT_EQ(link.broadcastDiscovery([](auto, auto) {}).status, DiscoveryStatus::StartupFailed);
  EXPECT_TRUE(transport.sent().empty());
}

TEST_F(ModuleLinkTest, DiscoveryCollectsUntilTheFirstFailedReceive) {
  transport.responder = [](const Bytes&) {
    return std::vector<Arrival>{Arrival::datagram(Bytes(17, 1)), Arrival::datagram({}),
                                Arrival::datagram(Bytes(100, 3)),
                                Arrival::datagram(Bytes(101, 4)),  // over-long: ends it
                                Arrival::datagram(Bytes(17, 5))};
  };
  std::vector<Bytes> replies;
  const auto result = link.broadcastDiscovery(
      [&](std::span<const std::uint8_t> r, auto) { replies.emplace_back(r.begin(), r.end()); });
  EXPECT_EQ(result.status, DiscoveryStatus::Replies);
  EXPECT_EQ(result.replies, 3);
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_TRUE(replies[1].empty());
  EXPECT_EQ(replies[2].size(), 100u);
  EXPECT_EQ(transport.sentFrames(), std::vector<Bytes>{discoveryFrame()});
  EXPECT_EQ(transport.sent()[0].timeoutMs, 100);
  EXPECT_EQ(status.pending(), texts::kReady);
}

// Without a single destination the discovery leaves through each interface
// that can broadcast, or those the filter names; a loopback destination stays
// the one destination whatever the filter says.
TEST_F(ModuleLinkTest, DiscoveryGoesOutOfEachInterfaceWithoutASingleDestination) {
  const platform::Endpoint allOnes{0xFFFFFFFF, 58580};
  struct Row {
    platform::Endpoint to;
    std::vector<std::string> filter;
    std::vector<std::string> via;  // "" for the plain send to `to`
    DiscoveryStatus status;
  };
  const Row rows[] = {
      {allOnes, {}, {"eth0", "eth1"}, DiscoveryStatus::NoReply},
      {allOnes, {"eth1", "tun0"}, {"eth1"}, DiscoveryStatus::NoReply},
      {allOnes, {"wlan9"}, {}, DiscoveryStatus::SocketFailed},
      {kTarget, {"eth1"}, {""}, DiscoveryStatus::NoReply},
  };
  for (const auto& row : rows) {
    FakeTransport cards;
    cards.interfaces = {"eth0", "eth1"};
    ModuleLink l{cards, status, row.to};
    l.setInterfaceFilter(row.filter);
    EXPECT_EQ(l.broadcastDiscovery([](auto, auto) {}).status, row.status);
    std::vector<std::string> via;
    for (const auto& sent : cards.sent()) {
      EXPECT_EQ(sent.to, row.to);
      via.push_back(sent.interfaceName);
    }
    EXPECT_EQ(via, row.via) << row.to.text();
  }
}

TEST_F(ModuleLinkTest, RequestsLeaveThroughTheInterfaceTheModuleAnsweredOn) {
  transport.interfaces = {"eth0", "eth1"};
  link.setDestination({0xFFFFFFFF, 58580});
  FakeModule module;
  module.mac = kMac;
  transport.responder = [&](const Bytes& frame) {
    return frame == discoveryFrame() ? std::vector<Arrival>{Arrival::datagram(module.discoveryReply())}
                                     : std::vector<Arrival>{};
  };
  std::vector<std::string> answeredOn;
  link.broadcastDiscovery([&](auto, const std::string& name) { answeredOn.push_back(name); });
  EXPECT_EQ(answeredOn, (std::vector<std::string>{"eth0", "eth1"}));
  ModuleVersionInfo v;
  link.readSystemInfo(ModuleAddress(kMac, "eth1"), v);
  link.readSystemInfo(kMac, v);  // a bare MAC: the first interface it answered on
  const auto sent = transport.sent();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[2].interfaceName, "eth1");
  EXPECT_EQ(sent[3].interfaceName, "eth0");
}

TEST_F(ModuleLinkTest, DiscoveryWithoutReply) {
  const auto result = link.broadcastDiscovery([](auto, auto) { FAIL(); });
  EXPECT_EQ(result.status, DiscoveryStatus::NoReply);
  EXPECT_EQ(status.pending(), texts::kReceiveFailed);
}

}  // namespace
}  // namespace orvane
