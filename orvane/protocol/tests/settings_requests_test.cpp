// The settings requests byte for byte, their reply buffers, time-outs and
// success rules.
#include <gtest/gtest.h>

#include "recording_ui.h"
#include "settings_fakes.h"
#include "orvane/protocol/destination.h"
#include "orvane/protocol/settings_requests.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class SettingsRequestsTest : public ::testing::Test {
 protected:
  SettingsRequestsTest() {
    ui.status = &status;
    fake.module.mac = mac;
    transport.responder = settingsResponder(fakes);
  }
  Bytes lastSent() const { return transport.sent().back().frame; }

  const MacAddress mac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  std::vector<SettingsFake> fakes{1};
  SettingsFake& fake = fakes[0];
  RecordingUi ui;
  ProcessFlags flags;
  StatusText status{ui, flags};
  FakeTransport transport;
  ModuleLink link{transport, status, defaultDestination()};
};

TEST_F(SettingsRequestsTest, WriteBasicSettingsFrame) {
  ModuleRecord r;
  r.mac = mac;
  r.fixedId = 0xEE;  // not sent
  r.moduleId = 0x01020304;
  for (std::size_t i = 0; i < r.name.size(); ++i) r.name[i] = static_cast<char>(0x40 + i % 60);
  for (std::size_t i = 0; i < r.description.size(); ++i) r.description[i] = static_cast<char>(i % 128);
  r.addressMode = 1;
  r.ipAddress = {192, 168, 10, 11};
  r.subnetMask = {255, 255, 255, 0};
  r.gateway = {192, 168, 10, 1};
  r.currentIp = r.currentMask = r.currentGateway = {0xEE, 0xEE, 0xEE, 0xEE};  // not sent

  ASSERT_TRUE(writeBasicSettings(link, r));
  Bytes expected{0xAA, 0x5C, 0x01, 0x02, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 4, 3, 2, 1};
  expected.insert(expected.end(), r.name.begin(), r.name.begin() + 64);
  expected.insert(expected.end(), r.description.begin(), r.description.begin() + 256);
  expected.insert(expected.end(), {1, 192, 168, 10, 11, 255, 255, 255, 0, 192, 168, 10, 1});
  expected.push_back(xorCheck(expected));
  EXPECT_EQ(lastSent(), expected);
  EXPECT_EQ(expected.size(), 348u);
  EXPECT_EQ(transport.sent().back().timeoutMs, 100);
  EXPECT_EQ(std::count(expected.begin(), expected.end() - 1, 0xEE), 0);
}

TEST_F(SettingsRequestsTest, WriteSuccessNeedsResultZeroInASevenByteReply) {
  struct Row {
    std::vector<Arrival> arrivals;
    bool success;
  };
  const Row rows[] = {
      {{Arrival::datagram(replyFrame(0x03, {0}))}, true},
      {{Arrival::datagram(replyFrame(0x03, {0, 0}))}, true},  // 7 bytes still fit
      {{Arrival::datagram(replyFrame(0x03, {1}))}, false},
      {{Arrival::datagram(replyFrame(0x03, {0, 0, 0}))}, false},  // 8 bytes: a failed receive
      {{Arrival::datagram(replyFrame(0x83, {0})), Arrival::datagram(replyFrame(0x03, {0}))}, true},
      {{Arrival::datagram({0xAA, 0x04, 0x00, 0x03})}, false},  // no result byte
      {{}, false},
  };
  for (const auto& row : rows) {
    transport.responder = [&row](const Bytes&) { return row.arrivals; };
    AdvancedSettings s;
    s.mac = mac;
    EXPECT_EQ(writeAdvancedSettings(link, s), row.success) << row.arrivals.size();
  }
  EXPECT_EQ(status.pending(), texts::kReceiveFailed);
}

TEST_F(SettingsRequestsTest, AdvancedSettingsKeepTheReservedValuesInTheirPlaces) {
  fake.advanced = {0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xB3, 0xB4, 0xC5,
                   0x10, 0x27, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00};
  AdvancedSettings s;
  s.mac = mac;
  ASSERT_TRUE(readAdvancedSettings(link, s));
  EXPECT_EQ(lastSent(), (Bytes{0xAA, 0x0B, 0x00, 0x07, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0xB7}));
  EXPECT_EQ(s.reservedA, 0xA4A3A2A1u);
  EXPECT_EQ(s.reservedB, 0xB4B3B2B1u);
  EXPECT_EQ(s.reservedByte, 0xC5);
  EXPECT_EQ(s.masterTimeoutMs, 10000u);
  EXPECT_EQ(s.slaveTimeoutSec, 60u);
  EXPECT_EQ(s.mac, mac);

  s.masterTimeoutMs = 0x01020304;
  ASSERT_TRUE(writeAdvancedSettings(link, s));
  Bytes expected{0xAA, 0x1C, 0x00, 0x03, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55,
                 0xA1, 0xA2, 0xA3, 0xA4, 0xB1, 0xB2, 0xB3, 0xB4, 0xC5,
                 0x04, 0x03, 0x02, 0x01, 0x3C, 0x00, 0x00, 0x00};
  expected.push_back(xorCheck(expected));
  EXPECT_EQ(lastSent(), expected);
}

TEST_F(SettingsRequestsTest, FailedReadsLeaveTheCallersData) {
  fake.silentFor = {0x07, 0x08};
  AdvancedSettings s;
  s.mac = mac;
  s.masterTimeoutMs = 77;
  EXPECT_FALSE(readAdvancedSettings(link, s));
  EXPECT_EQ(s.masterTimeoutMs, 77u);
  std::vector<PeerEntry> entries(2);
  EXPECT_FALSE(readPeerTable(link, mac, entries));
  EXPECT_EQ(entries.size(), 2u);
}

Bytes entryBytes(int i) {
  return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(1 + i % 2), 10, 0, 0,
          static_cast<std::uint8_t>(i), 0xF6, 0x01, 1, 0xAB, 0xCD, 0xEF};
}

TEST_F(SettingsRequestsTest, PeerTableReadAndWrittenBackIsByteIdentical) {
  for (int i = 0; i < 30; ++i) fake.peers.push_back(entryBytes(i));
  std::vector<PeerEntry> entries;
  ASSERT_TRUE(readPeerTable(link, mac, entries));
  ASSERT_EQ(entries.size(), 30u);
  EXPECT_EQ(entries[3], (PeerEntry{3, 2, {10, 0, 0, 3}, 502, 1, {0xAB, 0xCD, 0xEF}}));

  ASSERT_TRUE(writePeerTable(link, mac, entries));
  const auto frame = lastSent();
  ASSERT_EQ(frame.size(), 372u);
  EXPECT_EQ(frame[1], 0x74);
  EXPECT_EQ(frame[2], 0x01);
  EXPECT_EQ(frame[3], 0x04);
  EXPECT_EQ(frame[10], 30);
  for (int i = 0; i < 30; ++i)
    EXPECT_EQ(Bytes(frame.begin() + 11 + 12 * i, frame.begin() + 23 + 12 * i), entryBytes(i));
  EXPECT_EQ(frame.back(), xorCheck(std::span(frame).first(371)));
}

TEST_F(SettingsRequestsTest, EmptyPeerTableAndTooManyEntries) {
  ASSERT_TRUE(writePeerTable(link, mac, {}));
  Bytes expected{0xAA, 0x0C, 0x00, 0x04, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x00};
  expected.push_back(xorCheck(expected));
  EXPECT_EQ(lastSent(), expected);

  const auto sent = transport.sent().size();
  const std::vector<PeerEntry> many(31);
  EXPECT_FALSE(writePeerTable(link, mac, many));
  EXPECT_EQ(transport.sent().size(), sent);  // refused before anything is sent
}

TEST_F(SettingsRequestsTest, PeerReplyAnnouncingMoreThanThirtyStoresThirty) {
  struct Row {
    int present;
    std::uint8_t announced;
    std::size_t stored;
  };
  for (const auto& row : {Row{42, 42, 30}, Row{31, 31, 30}, Row{5, 255, 30}, Row{2, 5, 5}}) {
    fake.peers.clear();
    for (int i = 0; i < row.present; ++i) fake.peers.push_back(entryBytes(i));
    fake.announce = row.announced;
    std::vector<PeerEntry> entries;
    ASSERT_TRUE(readPeerTable(link, mac, entries));
    EXPECT_EQ(entries.size(), row.stored) << row.present;
    // Entries the reply does not hold read as zero bytes.
    if (row.present < static_cast<int>(row.stored)) {
      EXPECT_EQ(peerEntryBytes(entries.back()), (std::array<std::uint8_t, 12>{}));
    }
  }
}

TEST_F(SettingsRequestsTest, RestoreFactorySettings) {
  ASSERT_TRUE(restoreFactorySettings(link, mac));
  EXPECT_EQ(lastSent(), (Bytes{0xAA, 0x0B, 0x00, 0x0A, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0xBA}));
  fake.resultFor[0x0A] = 0x30;
  EXPECT_FALSE(restoreFactorySettings(link, mac));
}

}  // namespace
}  // namespace orvane
