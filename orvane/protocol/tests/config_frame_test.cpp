#include "orvane/protocol/config_frame.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
const MacAddress kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};

TEST(ConfigFrame, DiscoveryIsTheFixedFiveBytes) {
  EXPECT_EQ(discoveryFrame(), (Bytes{0xAA, 0x05, 0x00, 0x01, 0xAE}));
  // The MAC is never part of it, whatever the caller passes.
  EXPECT_EQ(*buildConfigFrame(CommandCode::DiscoverModules, kMac), discoveryFrame());
}

TEST(ConfigFrame, AddressOnlyReadBasicSettings) {
  EXPECT_EQ(*buildConfigFrame(CommandCode::ReadBasicSettings, kMac),
            (Bytes{0xAA, 0x0B, 0x00, 0x06, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0xB6}));
}

// Every code of the table: frame length for a payload of the right size,
// length field, code, MAC and check byte; the receive buffer, the time-out
// and whether the reply's result byte decides success.
TEST(ConfigFrame, EveryCommandOfTheTable) {
  struct Row {
    CommandCode code;
    std::size_t payload;
    std::size_t length;
    std::size_t capacity;
    int timeoutMs;
    bool resultByte;  // a reply with byte 4 not 0 fails
  };
  const Row rows[] = {
      {CommandCode::DiscoverModules, 0, 5, 100, 100, false},
      {CommandCode::WriteBasicSettings, 337, 348, 7, 100, true},
      {CommandCode::WriteAdvancedSettings, 17, 28, 7, 100, true},
      {CommandCode::WritePeerTable, 1, 12, 7, 100, true},
      {CommandCode::WritePeerTable, 1 + 12 * 30, 372, 7, 100, true},
      {CommandCode::ReadBasicSettings, 0, 11, 512, 100, false},
      {CommandCode::ReadAdvancedSettings, 0, 11, 512, 100, false},
      {CommandCode::ReadPeerTable, 0, 11, 512, 100, false},
      {CommandCode::ReadSystemInfo, 0, 11, 512, 100, false},
      {CommandCode::RestoreFactorySettings, 0, 11, 512, 100, true},
      {CommandCode::EnterBootLoader, 0, 11, 512, 100, false},
      {CommandCode::ReadBootInfo, 0, 11, 512, 100, false},
      {CommandCode::EraseFirmware, 1, 12, 512, 3000, true},
      {CommandCode::WriteFirmwareBlock, 9 + 40, 60, 512, 100, true},
      {CommandCode::WriteFirmwareBlock, 9 + 512, 532, 512, 100, true},
      {CommandCode::VerifyFirmware, 6, 17, 512, 100, true},
      {CommandCode::RestartModule, 1, 12, 512, 100, true},
  };
  for (const auto& row : rows) {
    const auto code = static_cast<std::uint8_t>(row.code);
    SCOPED_TRACE(::testing::Message() << "code 0x" << std::hex << int(code));
    Bytes payload(row.payload);
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i * 7 + 1);
    const auto frame = buildConfigFrame(row.code, kMac, payload);
    ASSERT_TRUE(frame);
    ASSERT_EQ(frame->size(), row.length);
    EXPECT_EQ((*frame)[0], 0xAA);
    EXPECT_EQ((*frame)[1] | ((*frame)[2] << 8), static_cast<int>(row.length));
    EXPECT_EQ((*frame)[3], code);
    EXPECT_EQ(xorCheck(std::span(*frame).first(frame->size() - 1)), frame->back());
    if (row.code != CommandCode::DiscoverModules) {
      EXPECT_TRUE(std::equal(kMac.begin(), kMac.end(), frame->begin() + 4));
      EXPECT_TRUE(std::equal(payload.begin(), payload.end(), frame->begin() + 10));
    }
    EXPECT_EQ(commandInfo(row.code).replyCapacity, row.capacity);
    EXPECT_EQ(commandInfo(row.code).timeoutMs, row.timeoutMs);
    EXPECT_EQ(replySucceeded(row.code, Bytes{0xAA, 0x06, 0x00, code, 1, 0x55}), !row.resultByte);
    EXPECT_EQ(replySucceeded(row.code, Bytes{0xAA, 0x04, 0x00, code}), !row.resultByte);
  }
}

TEST(ConfigFrame, PeerTableOfThirtyEntriesHasLengthBytes74_01) {
  const auto frame = buildConfigFrame(CommandCode::WritePeerTable, kMac, Bytes(1 + 12 * 30));
  ASSERT_TRUE(frame);
  EXPECT_EQ((*frame)[1], 0x74);
  EXPECT_EQ((*frame)[2], 0x01);
}

TEST(ConfigFrame, PayloadsThatDoNotFitTheCodeAreRefused) {
  const std::pair<CommandCode, std::size_t> rows[] = {
      {CommandCode::DiscoverModules, 1},    {CommandCode::ReadBasicSettings, 1},
      {CommandCode::WriteBasicSettings, 336}, {CommandCode::WriteAdvancedSettings, 18},
      {CommandCode::WritePeerTable, 0},     {CommandCode::WritePeerTable, 12},
      {CommandCode::WritePeerTable, 1 + 12 * 31}, {CommandCode::WriteFirmwareBlock, 8},
      {CommandCode::WriteFirmwareBlock, 9 + 513}, {CommandCode::EraseFirmware, 0},
      {CommandCode::VerifyFirmware, 5},
  };
  for (const auto& [code, size] : rows)
    EXPECT_FALSE(buildConfigFrame(code, kMac, Bytes(size)))
        << "code " << int(code) << " payload " << size;
}

TEST(ConfigFrame, CodesOutsideTheTableAreNeverSent) {
  for (const int code : {0x00, 0x05, 0x0B, 0x0D, 0xE2, 0xE7, 0xFF}) {
    EXPECT_EQ(commandInfo(static_cast<std::uint8_t>(code)), nullptr) << code;
    EXPECT_FALSE(buildConfigFrame(static_cast<CommandCode>(code), kMac)) << code;
  }
}

}  // namespace
}  // namespace orvane
