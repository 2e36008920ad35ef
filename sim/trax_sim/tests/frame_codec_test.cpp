#include "frame_codec.h"

#include <gtest/gtest.h>

namespace trax_sim {
namespace {

Bytes hex(const std::string& text) {
  Bytes out;
  for (std::size_t i = 0; i + 1 < text.size(); i += 3) out.push_back(static_cast<std::uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
  return out;
}

TEST(FrameCodec, AcceptsTheRequestsTheEditorSends) {
  Request r;
  const Bytes discovery = hex("AA 05 00 01 AE");
  ASSERT_EQ(parseRequest(discovery, r), FrameError::None);
  EXPECT_EQ(r.code, DiscoverModules);
  EXPECT_FALSE(r.mac.has_value());

  const Bytes readBasic = hex("AA 0B 00 06 00 11 22 33 44 55 B6");
  ASSERT_EQ(parseRequest(readBasic, r), FrameError::None);
  EXPECT_EQ(r.code, ReadBasicSettings);
  EXPECT_EQ(*r.mac, (Mac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
  EXPECT_TRUE(r.payload.empty());
}

TEST(FrameCodec, RefusesMalformedDatagrams) {
  struct Row {
    const char* bytes;
    FrameError expected;
  } rows[] = {
      {"", FrameError::TooShort},
      {"AA 05 00 01", FrameError::TooShort},
      {"AB 05 00 01 AF", FrameError::BadHeader},
      {"AA 06 00 01 AE", FrameError::LengthMismatch},
      {"AA 05 00 01 AE 00", FrameError::LengthMismatch},
      {"AA 05 00 01 AF", FrameError::BadCheckByte},
      {"AA 0B 00 06 00 11 22 33 44 55 B7", FrameError::BadCheckByte},
      // An addressed command too short to hold a MAC.
      {"AA 06 00 06 00 AA", FrameError::TooShort},
  };
  for (const auto& row : rows) {
    Request r;
    EXPECT_EQ(parseRequest(hex(row.bytes), r), row.expected) << row.bytes;
  }
}

TEST(FrameCodec, RepliesCarryLengthAndCheckByte) {
  const std::uint8_t payload[] = {0x00};
  EXPECT_EQ(hexText(buildReply(WriteBasicSettings, payload)), "AA 06 00 02 00 AE");
  EXPECT_EQ(hexText(buildResultReply(EraseFirmware, 0x20)), "AA 06 00 E3 20 6F");
  Bytes longer = buildResultReply(WriteBasicSettings, 0);
  longer.resize(300, 0);
  sealFrame(longer);
  EXPECT_EQ(longer[1], 0x2C);
  EXPECT_EQ(longer[2], 0x01);
  EXPECT_EQ(xorOf(std::span(longer).first(longer.size() - 1)), longer.back());
}

TEST(FrameCodec, MacTexts) {
  const Mac mac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  EXPECT_EQ(macText(mac), "00-1A-2B-3C-4D-5E");
  for (const char* text : {"00-1A-2B-3C-4D-5E", "00.1a.2b.3c.4d.5e", "00:1A:2B:3C:4D:5E"})
    EXPECT_EQ(parseMac(text), mac) << text;
  for (const char* text : {"", "00-1A-2B-3C-4D", "00-1A-2B-3C-4D-5G", "00-1A.2B-3C-4D-5E", "001A2B3C4D5E00000"})
    EXPECT_FALSE(parseMac(text).has_value()) << text;
}

TEST(FrameCodec, LittleEndianReadsStayInBounds) {
  const Bytes b{0x34, 0x12, 0x78, 0x56};
  EXPECT_EQ(getU16(b, 0), 0x1234);
  EXPECT_EQ(getU32(b, 0), 0x56781234u);
  EXPECT_EQ(getU16(b, 3), 0);
  EXPECT_EQ(getU32(b, 1), 0u);
}

}  // namespace
}  // namespace trax_sim
