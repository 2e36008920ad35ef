#include "simulator.h"

#include <gtest/gtest.h>

#include "platform/gbk.h"
#include "sim_test_frames.h"

namespace trax_sim {
namespace {

using test::discovery;
using test::request;

constexpr Mac kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
constexpr Mac kOther{0x00, 0x11, 0x22, 0x33, 0x44, 0x56};

Module makeModule(const Mac& mac) {
  Module m;
  m.mac = mac;
  m.currentIp = {192, 168, 10, 11};
  m.statusFlags = 0x0011;
  m.fixedId = 7;
  m.basic.moduleId = 0x01020304;
  const std::string name = platform::utf8ToGbk("一号线主站");
  std::copy(name.begin(), name.end(), m.basic.name.begin());
  m.versions.firmware = {3, 0, 1, 4};
  m.versions.pwb = {2, 1};
  m.versions.pld = {0, 1};
  m.versions.boot = {2, 0, 0, 1};
  m.versions.switchByte = 0x81;
  return m;
}

std::vector<Outgoing> send(Simulator& sim, const Bytes& frame, std::int64_t now = 0) {
  return sim.handleDatagram(frame, now);
}

TEST(Simulator, DiscoveryAnsweredByEveryModule) {
  Simulator sim({makeModule(kMac), makeModule(kOther)});
  const auto out = send(sim, discovery());
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(hexText(out[0].bytes), "AA 12 00 01 00 11 22 33 44 55 C0 A8 0A 0B 02 11 00 " +
                                       hexText(std::span(out[0].bytes).last(1)));
  EXPECT_EQ(xorOf(std::span(out[0].bytes).first(17)), out[0].bytes[17]);
  EXPECT_EQ(out[1].bytes[9], 0x56);
}

TEST(Simulator, VersionRepliesAtTheirOffsets) {
  Simulator sim({makeModule(kMac)});
  auto out = send(sim, request(ReadSystemInfo, kMac));
  ASSERT_EQ(out.size(), 1u);
  const Bytes& sys = out[0].bytes;
  ASSERT_EQ(sys.size(), 18u);
  EXPECT_EQ(hexText(std::span(sys).subspan(4, 13)), "03 00 01 04 02 01 00 01 02 00 00 01 81");

  out = send(sim, request(ReadBootInfo, kMac));
  ASSERT_EQ(out.size(), 1u);
  ASSERT_EQ(out[0].bytes.size(), 12u);
  EXPECT_EQ(hexText(std::span(out[0].bytes).subspan(3, 8)), "E1 02 00 00 01 02 01 81");
}

TEST(Simulator, BasicSettingsReplyLayout) {
  Module m = makeModule(kMac);
  m.basic.addressMode = 0;
  m.basic.ipAddress = {10, 0, 0, 1};
  m.currentMask = {255, 255, 0, 0};
  m.currentGateway = {192, 168, 10, 254};
  Simulator sim({m});
  const auto out = send(sim, request(ReadBasicSettings, kMac));
  ASSERT_EQ(out.size(), 1u);
  const Bytes& r = out[0].bytes;
  ASSERT_EQ(r.size(), 355u);
  EXPECT_EQ(r[4], 7);                                 // fixedId
  EXPECT_EQ(getU32(r, 5), 0x01020304u);               // moduleId
  EXPECT_EQ(platform::gbkToUtf8(reinterpret_cast<const char*>(&r[9])), "一号线主站");
  EXPECT_EQ(r[329], 0);                               // addressMode
  EXPECT_EQ(hexText(std::span(r).subspan(330, 4)), "0A 00 00 01");
  EXPECT_EQ(hexText(std::span(r).subspan(342, 4)), "C0 A8 0A 0B");   // currentIp
  EXPECT_EQ(hexText(std::span(r).subspan(346, 4)), "FF FF 00 00");   // currentMask
  EXPECT_EQ(hexText(std::span(r).subspan(350, 4)), "C0 A8 0A FE");   // currentGateway
}

TEST(Simulator, WhatEachProgramAnswers) {
  // A module answers by what it runs: the boot loader knows no settings, the
  // system program no firmware download; unknown codes and other MACs get nothing.
  Module boot = makeModule(kMac);
  boot.runMode = kRunModeBootLoader;
  Simulator sim({boot, makeModule(kOther)});
  struct Row {
    Mac mac;
    std::uint8_t code;
    bool answered;
  } rows[] = {
      {kMac, ReadBootInfo, true},        {kMac, ReadSystemInfo, false}, {kMac, ReadBasicSettings, false},
      {kMac, RestoreFactorySettings, false}, {kOther, ReadSystemInfo, true}, {kOther, ReadBootInfo, true},
      {kOther, ReadBasicSettings, true},  {kOther, 0x05, false},          {kOther, 0x0B, false},
      {{1, 2, 3, 4, 5, 6}, ReadSystemInfo, false},
  };
  for (const auto& row : rows) {
    const auto out = send(sim, request(row.code, row.mac));
    EXPECT_EQ(out.size(), row.answered ? 1u : 0u) << macText(row.mac) << " code " << int(row.code);
  }
}

TEST(Simulator, AddressOnlyReadsWithAPayloadAreIgnored) {
  Simulator sim({makeModule(kMac)});
  EXPECT_TRUE(send(sim, request(ReadSystemInfo, kMac, Bytes{0})).empty());
  EXPECT_TRUE(send(sim, Bytes{0xAA, 0x0B, 0x00, 0x06, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x00}).empty());
}

TEST(Simulator, TwoModulesWithOneMacBothAnswer) {
  Simulator sim({makeModule(kMac), makeModule(kMac)});
  EXPECT_EQ(send(sim, request(ReadSystemInfo, kMac)).size(), 2u);
}

struct FaultRow {
  const char* rule;
  std::size_t datagrams;
  std::int64_t due;
  std::size_t firstSize;
  std::uint8_t firstCode;
};

TEST(Simulator, FaultsShapeTheReply) {
  const FaultRow rows[] = {
      {"silent", 0, 0, 0, 0},
      {"silent,codes=1", 1, 0, 18, ReadSystemInfo},  // only discovery is silent
      {"delay,ms=250", 1, 250, 18, ReadSystemInfo},
      {"otherCodeFirst", 2, 0, 18, ReadSystemInfo ^ 0x80},
      {"overlong", 1, 0, 600, ReadSystemInfo},
      {"overlong,size=513", 1, 0, 513, ReadSystemInfo},
      {"duplicate", 2, 0, 18, ReadSystemInfo},
      {"delay,ms=40,codes=6", 1, 0, 18, ReadSystemInfo},  // another command: not delayed
  };
  for (const auto& row : rows) {
    Module m = makeModule(kMac);
    m.faults.push_back(parseFaultText(row.rule));
    Simulator sim({m});
    const auto out = send(sim, request(ReadSystemInfo, kMac), 1000);
    ASSERT_EQ(out.size(), row.datagrams) << row.rule;
    if (out.empty()) continue;
    EXPECT_EQ(out[0].dueMs, 1000 + row.due) << row.rule;
    EXPECT_EQ(out[0].bytes.size(), row.firstSize) << row.rule;
    EXPECT_EQ(out[0].bytes[3], row.firstCode) << row.rule;
    EXPECT_EQ(getU16(out[0].bytes, 1), out[0].bytes.size()) << row.rule;
    EXPECT_EQ(xorOf(std::span(out[0].bytes).first(out[0].bytes.size() - 1)), out[0].bytes.back()) << row.rule;
    EXPECT_EQ(out.back().bytes[3], ReadSystemInfo) << row.rule;
  }
}

TEST(Simulator, FaultWithTimesWearsOff) {
  Module m = makeModule(kMac);
  m.faults.push_back(parseFaultText("silent,times=2"));
  Simulator sim({m});
  EXPECT_TRUE(send(sim, request(ReadSystemInfo, kMac)).empty());
  EXPECT_TRUE(send(sim, request(ReadSystemInfo, kMac)).empty());
  EXPECT_EQ(send(sim, request(ReadSystemInfo, kMac)).size(), 1u);
}

TEST(Simulator, MalformedDatagramsAreDroppedWithANote) {
  Simulator sim({makeModule(kMac)});
  std::vector<std::string> notes;
  sim.setNoteSink([&](const std::string& n) { notes.push_back(n); });
  Bytes bad = request(ReadSystemInfo, kMac);
  bad.back() ^= 1;
  EXPECT_TRUE(send(sim, bad).empty());
  EXPECT_TRUE(send(sim, Bytes{0xAA}).empty());
  EXPECT_EQ(notes.size(), 2u);
}

TEST(Simulator, ScanAnsweredByRunningModulesWithTheirLastOctetAt22) {
  Module boot = makeModule(kOther);
  boot.runMode = kRunModeBootLoader;
  Module running = makeModule(kMac);
  running.currentIp = {192, 168, 10, 99};
  Simulator sim({running, boot});
  const auto out = sim.handleScan(Bytes(std::begin(kScanRequest), std::end(kScanRequest)), 0);
  ASSERT_EQ(out.size(), 1u);
  ASSERT_GT(out[0].bytes.size(), 22u);
  EXPECT_EQ(out[0].bytes[22], 0x63);
  EXPECT_TRUE(sim.handleScan(Bytes{0x48, 0x41, 0x50}, 0).empty());
}

}  // namespace
}  // namespace trax_sim
