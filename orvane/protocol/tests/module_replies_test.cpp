#include "orvane/protocol/module_replies.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes counting(std::size_t size) {
  Bytes b(size);
  std::iota(b.begin(), b.end(), std::uint8_t{0});
  return b;
}

TEST(ModuleReplies, DiscoveryReplyFillsOnlyItsFields) {
  ModuleRecord r;
  r.moduleId = 99;
  takeDiscoveryReply(counting(17), r);
  EXPECT_EQ(r.mac, (MacAddress{4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(r.currentIp, (Ipv4Bytes{10, 11, 12, 13}));
  EXPECT_EQ(r.runMode, 14);
  EXPECT_EQ(r.statusFlags, 0x100F);  // 15, 16 little-endian
  EXPECT_EQ(r.moduleId, 99u);
  EXPECT_EQ(r.addressMode, 1);
}

TEST(ModuleReplies, SystemInfoAndBootInfo) {
  ModuleVersionInfo v;
  v.pldVersion = {0x77, 0x88};
  takeSystemInfoReply(counting(17), v);
  EXPECT_EQ(v.firmwareVersion, (std::array<std::uint8_t, 4>{4, 5, 6, 7}));
  EXPECT_EQ(v.pwbVersion, (std::array<std::uint8_t, 2>{8, 9}));
  EXPECT_EQ(v.pldVersion, (std::array<std::uint8_t, 2>{10, 11}));
  EXPECT_EQ(v.bootVersion, (std::array<std::uint8_t, 4>{12, 13, 14, 15}));
  EXPECT_EQ(v.switchByte, 16);

  ModuleVersionInfo b;
  b.pldVersion = {0x77, 0x88};
  takeBootInfoReply(counting(11), b);
  EXPECT_EQ(b.firmwareVersion, (std::array<std::uint8_t, 4>{4, 5, 6, 7}));
  EXPECT_EQ(b.bootVersion, b.firmwareVersion);
  EXPECT_EQ(b.pwbVersion, (std::array<std::uint8_t, 2>{8, 9}));
  EXPECT_EQ(b.switchByte, 10);
  EXPECT_EQ(b.pldVersion, (std::array<std::uint8_t, 2>{0x77, 0x88}));  // kept
}

TEST(ModuleReplies, BasicSettingsOffsets) {
  Bytes reply(354, 0);
  reply[4] = 3;
  reply[5] = 0x78, reply[6] = 0x56, reply[7] = 0x34, reply[8] = 0x12;
  for (int i = 0; i < 64; ++i) reply[9 + i] = 'A' + i % 26;
  for (int i = 0; i < 256; ++i) reply[73 + i] = 'a' + i % 26;
  reply[329] = 0;
  for (int i = 0; i < 24; ++i) reply[330 + i] = static_cast<std::uint8_t>(100 + i);
  ModuleRecord r;
  r.name[64] = 'X';  // the terminator keeps its value
  takeBasicSettingsReply(reply, r);
  EXPECT_EQ(r.fixedId, 3);
  EXPECT_EQ(r.moduleId, 0x12345678u);
  EXPECT_EQ(r.name[0], 'A');
  EXPECT_EQ(r.name[63], 'A' + 63 % 26);
  EXPECT_EQ(r.name[64], 'X');
  EXPECT_EQ(r.description[255], 'a' + 255 % 26);
  EXPECT_EQ(r.description[256], '\0');
  EXPECT_EQ(r.addressMode, 0);
  EXPECT_EQ(r.ipAddress, (Ipv4Bytes{100, 101, 102, 103}));
  EXPECT_EQ(r.subnetMask, (Ipv4Bytes{104, 105, 106, 107}));
  EXPECT_EQ(r.gateway, (Ipv4Bytes{108, 109, 110, 111}));
  EXPECT_EQ(r.currentIp, (Ipv4Bytes{112, 113, 114, 115}));
  EXPECT_EQ(r.currentMask, (Ipv4Bytes{116, 117, 118, 119}));
  EXPECT_EQ(r.currentGateway, (Ipv4Bytes{120, 121, 122, 123}));
}

// Short replies are taken as they stand: what is missing reads as 0, and
// nothing is read past the received bytes (the sanitizer build checks that).
TEST(ModuleReplies, ShortRepliesReadZeroBeyondTheirEnd) {
  for (std::size_t size : {0u, 3u, 5u, 12u, 100u, 330u, 353u}) {
    SCOPED_TRACE(size);
    const Bytes reply(size, 0xFF);
    ModuleRecord r;
    takeBasicSettingsReply(reply, r);
    takeDiscoveryReply(reply, r);
    ModuleVersionInfo v;
    takeSystemInfoReply(reply, v);
    EXPECT_EQ(v.switchByte, size > 16 ? 0xFF : 0);
    EXPECT_EQ(r.currentGateway[3], size > 353 ? 0xFF : 0);
    EXPECT_EQ(r.mac[5], size > 9 ? 0xFF : 0);
  }
}

TEST(ModuleReplies, LongRepliesUseOnlyTheirFields) {
  Bytes reply(512, 0xEE);
  ModuleRecord r;
  takeBasicSettingsReply(reply, r);
  EXPECT_EQ(r.name[64], '\0');
  EXPECT_EQ(r.description[256], '\0');
  EXPECT_EQ(r.runMode, 0);
  EXPECT_EQ(r.versions, ModuleVersionInfo{});
}

}  // namespace
}  // namespace orvane
