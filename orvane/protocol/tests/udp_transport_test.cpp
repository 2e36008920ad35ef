// The real socket path on loopback: the same link over platform::UdpSocket.
#include <gtest/gtest.h>

#include "fake_modules.h"
#include "loopback_responder.h"
#include "recording_ui.h"
#include "orvane/protocol/module_link.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class UdpTransportTest : public ::testing::Test {
 protected:
  UdpTransportTest() { ui.status = &status; }
  RecordingUi ui;
  ProcessFlags flags;
  StatusText status{ui, flags};
  UdpTransport transport;
};

TEST_F(UdpTransportTest, ExchangeSkipsOtherCodesAndRefusesOverlongReplies) {
  FakeModule m;
  m.mac = macOf(1);
  LoopbackResponder peer([&](const Bytes& request) {
    if (request[3] == 0x09) return std::vector<Bytes>{replyFrame(0x06, {1}), m.systemInfoReply()};
    return std::vector<Bytes>{replyFrame(request[3], Bytes(600, 0))};
  });
  ModuleLink link(transport, status, peer.endpoint());
  ModuleVersionInfo v;
  EXPECT_TRUE(link.readSystemInfo(m.mac, v));
  EXPECT_EQ(v, m.versions);
  EXPECT_FALSE(link.readBootInfo(m.mac, v));  // 605 bytes do not fit 512
  EXPECT_EQ(status.pending(), texts::kReceiveFailed);
  EXPECT_EQ(peer.received().front(), *buildConfigFrame(CommandCode::ReadSystemInfo, m.mac));
}

TEST_F(UdpTransportTest, DiscoveryCollectsUntilAnOverlongReply) {
  LoopbackResponder peer([](const Bytes&) {
    return std::vector<Bytes>{Bytes(17, 1), Bytes(100, 2), Bytes(101, 3), Bytes(17, 4)};
  });
  ModuleLink link(transport, status, peer.endpoint());
  std::vector<std::size_t> sizes;
  const auto result = link.broadcastDiscovery([&](auto reply, auto) { sizes.push_back(reply.size()); });
  EXPECT_EQ(result.status, DiscoveryStatus::Replies);
  EXPECT_EQ(sizes, (std::vector<std::size_t>{17, 100}));
  EXPECT_EQ(peer.received(), std::vector<Bytes>{discoveryFrame()});
}

TEST_F(UdpTransportTest, NothingListening) {
  LoopbackResponder peer([](const Bytes&) { return std::vector<Bytes>{}; });
  ModuleLink link(transport, status, peer.endpoint());
  EXPECT_EQ(link.broadcastDiscovery([](auto, auto) {}).status, DiscoveryStatus::NoReply);
  EXPECT_EQ(status.pending(), texts::kReceiveFailed);
}

}  // namespace
}  // namespace orvane
