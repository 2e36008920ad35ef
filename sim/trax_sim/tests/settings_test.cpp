// Settings writes, factory restore and the manual reset switch of a simulated module.
#include <gtest/gtest.h>

#include "platform/gbk.h"
#include "sim_test_frames.h"
#include "simulator.h"

namespace trax_sim {
namespace {

using test::cat;
using test::le32;
using test::request;

constexpr Mac kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};

Bytes field(const std::string& gbk, std::size_t size) {
  Bytes b(size, 0);
  std::copy_n(gbk.begin(), std::min(gbk.size(), size), b.begin());
  return b;
}

// The 337 bytes after the MAC of WriteBasicSettings.
Bytes basicPayload(std::uint32_t id, const Bytes& name, std::uint8_t mode, Ipv4 ip) {
  return cat({le32(id), name, field("", 256), Bytes{mode}, Bytes(ip.begin(), ip.end()), Bytes{255, 255, 0, 0},
              Bytes{10, 0, 0, 254}});
}

Bytes peers(std::size_t n, std::uint8_t seed = 0) {
  Bytes p{static_cast<std::uint8_t>(n)};
  for (std::size_t i = 0; i < n * 12; ++i) p.push_back(static_cast<std::uint8_t>(i * 7 + seed));
  return p;
}

std::uint8_t resultOf(const std::vector<Outgoing>& out) {
  EXPECT_EQ(out.size(), 1u);
  if (out.empty()) return 0xEE;
  EXPECT_EQ(out[0].bytes.size(), 6u);  // fits the editor's 7-byte buffer
  return out[0].bytes[4];
}

Bytes readReply(Simulator& sim, std::uint8_t code) {
  const auto out = sim.handleDatagram(request(code, kMac), 0);
  return out.size() == 1 ? out[0].bytes : Bytes{};
}

Module plainModule() {
  Module m;
  m.mac = kMac;
  m.currentIp = {192, 168, 10, 11};
  m.advanced = {0x11111111, 0x22222222, 0x33, 500, 30};
  return m;
}

TEST(Settings, BasicWriteIsKeptAndShownByReadsAndDiscovery) {
  Simulator sim({plainModule()});
  const std::string name = platform::utf8ToGbk("包装线");
  const Bytes frame = request(WriteBasicSettings, kMac, basicPayload(123456, field(name, 64), 1, {10, 0, 0, 7}));
  ASSERT_EQ(frame.size(), 348u);
  EXPECT_EQ(resultOf(sim.handleDatagram(frame, 0)), 0);

  const Bytes basic = readReply(sim, ReadBasicSettings);
  ASSERT_EQ(basic.size(), 355u);
  EXPECT_EQ(getU32(basic, 5), 123456u);
  EXPECT_EQ(platform::gbkToUtf8(std::string(reinterpret_cast<const char*>(&basic[9]))), "包装线");
  EXPECT_EQ(hexText(std::span(basic).subspan(330, 12)), "0A 00 00 07 FF FF 00 00 0A 00 00 FE");
  EXPECT_EQ(hexText(std::span(basic).subspan(342, 12)), "0A 00 00 07 FF FF 00 00 0A 00 00 FE");  // in use
  const auto found = sim.handleDatagram(test::discovery(), 0);
  EXPECT_EQ(hexText(std::span(found[0].bytes).subspan(10, 4)), "0A 00 00 07");
}

TEST(Settings, AutomaticAddressingKeepsTheAddressInUse) {
  Simulator sim({plainModule()});
  sim.handleDatagram(request(WriteBasicSettings, kMac, basicPayload(1, field("", 64), 0, {10, 0, 0, 7})), 0);
  const Bytes basic = readReply(sim, ReadBasicSettings);
  EXPECT_EQ(basic[329], 0);
  EXPECT_EQ(hexText(std::span(basic).subspan(330, 4)), "0A 00 00 07");
  EXPECT_EQ(hexText(std::span(basic).subspan(342, 4)), "C0 A8 0A 0B");
}

TEST(Settings, NameBytesComeBackExactly) {
  // 64 bytes without terminator, ending in the first half of a double-byte
  // character: the module keeps what it was given.
  Bytes name(64, 'A');
  name[63] = 0xD6;
  Simulator sim({plainModule()});
  sim.handleDatagram(request(WriteBasicSettings, kMac, basicPayload(1, name, 1, {10, 0, 0, 7})), 0);
  const Bytes basic = readReply(sim, ReadBasicSettings);
  EXPECT_EQ(Bytes(basic.begin() + 9, basic.begin() + 73), name);
  EXPECT_EQ(basic[73], 0);
}

TEST(Settings, AdvancedWriteKeepsTheWireOrder) {
  Simulator sim({plainModule()});
  const Bytes before = readReply(sim, ReadAdvancedSettings);
  ASSERT_EQ(before.size(), 22u);
  EXPECT_EQ(hexText(std::span(before).subspan(4, 17)), "11 11 11 11 22 22 22 22 33 F4 01 00 00 1E 00 00 00");
  // The editor sends back what it read with new time-outs: reservedByte between reservedB and the master time-out.
  Bytes payload(before.begin() + 4, before.begin() + 21);
  payload[9] = 0x10;
  payload[13] = 0x05;
  const Bytes frame = request(WriteAdvancedSettings, kMac, payload);
  ASSERT_EQ(frame.size(), 28u);
  EXPECT_EQ(resultOf(sim.handleDatagram(frame, 0)), 0);
  const Bytes after = readReply(sim, ReadAdvancedSettings);
  EXPECT_EQ(hexText(std::span(after).subspan(4, 17)), "11 11 11 11 22 22 22 22 33 10 01 00 00 05 00 00 00");
}

TEST(Settings, PeerTablesOfEverySize) {
  struct Row {
    std::size_t entries;
    std::uint8_t result;
  } rows[] = {{0, 0}, {1, 0}, {30, 0}, {31, kRefusedPeerCount}};
  for (const auto& row : rows) {
    Simulator sim({plainModule()});
    const Bytes frame = request(WritePeerTable, kMac, peers(row.entries, 3));
    EXPECT_EQ(frame.size(), 12 + 12 * row.entries);
    EXPECT_EQ(resultOf(sim.handleDatagram(frame, 0)), row.result) << row.entries;
    if (row.result != 0) {
      EXPECT_EQ(readReply(sim, ReadPeerTable).size(), 6u) << "table unchanged";
      continue;
    }
    const Bytes read = readReply(sim, ReadPeerTable);
    ASSERT_EQ(read.size(), 6 + 12 * row.entries);
    // Written back unchanged, the table makes the same request again.
    const Bytes again = request(WritePeerTable, kMac, Bytes(read.begin() + 4, read.end() - 1));
    EXPECT_EQ(again, frame) << row.entries;
  }
}

TEST(Settings, MalformedWritesAreRefusedAndChangeNothing) {
  const std::vector<std::pair<Bytes, std::uint8_t>> rows = {
      {request(WriteBasicSettings, kMac, Bytes(336, 0)), kRefusedLength},
      {request(WriteAdvancedSettings, kMac, Bytes(18, 0)), kRefusedLength},
      {request(WritePeerTable, kMac, Bytes{2, 1, 2, 3}), kRefusedLength},
      {request(WritePeerTable, kMac, Bytes{}), kRefusedLength},
      {request(RestoreFactorySettings, kMac, Bytes{0}), kRefusedLength},
  };
  for (const auto& [frame, result] : rows) {
    Simulator sim({plainModule()});
    const Bytes basic = readReply(sim, ReadBasicSettings);
    EXPECT_EQ(resultOf(sim.handleDatagram(frame, 0)), result) << hexText(std::span(frame).first(4));
    EXPECT_EQ(readReply(sim, ReadBasicSettings), basic);
  }
}

TEST(Settings, FactoryRestoreBringsBackTheDocumentedValues) {
  Module m = plainModule();
  m.fixedId = 9;
  m.basic.moduleId = 77;
  m.basic.name[0] = 'X';
  m.basic.addressMode = 0;
  m.peers.assign(3, PeerEntry{});
  Simulator sim({m});
  EXPECT_EQ(resultOf(sim.handleDatagram(request(RestoreFactorySettings, kMac), 0)), 0);
  const Bytes basic = readReply(sim, ReadBasicSettings);
  EXPECT_EQ(basic[4], 9);  // the fixed ID is the module's own
  EXPECT_EQ(getU32(basic, 5), 0u);
  EXPECT_EQ(basic[9], 0);
  EXPECT_EQ(basic[329], 1);
  EXPECT_EQ(hexText(std::span(basic).subspan(330, 24)),
            "7F 00 00 0A FF FF FF 00 7F 00 00 01 7F 00 00 0A FF FF FF 00 7F 00 00 01");
  const Bytes advanced = readReply(sim, ReadAdvancedSettings);
  EXPECT_EQ(hexText(std::span(advanced).subspan(4, 17)),
            "11 11 11 11 22 22 22 22 33 E8 03 00 00 3C 00 00 00");
  EXPECT_EQ(readReply(sim, ReadPeerTable).size(), 6u);
}

TEST(Settings, ManualResetSwitchRefusesEveryChange) {
  Module m = plainModule();
  m.statusFlags = kStatusManualReset;
  Simulator sim({m});
  const Bytes basic = readReply(sim, ReadBasicSettings);
  for (const Bytes& frame : {request(WriteBasicSettings, kMac, basicPayload(5, field("", 64), 1, {10, 0, 0, 7})),
                             request(WriteAdvancedSettings, kMac, Bytes(17, 1)),
                             request(WritePeerTable, kMac, peers(1)), request(RestoreFactorySettings, kMac)})
    EXPECT_EQ(resultOf(sim.handleDatagram(frame, 0)), kRefusedManualReset) << int(frame[3]);
  EXPECT_EQ(readReply(sim, ReadBasicSettings), basic);
  EXPECT_EQ(readReply(sim, ReadPeerTable).size(), 6u);
}

TEST(Settings, ResultFaultPerWriteCommand) {
  for (const std::uint8_t code : {WriteBasicSettings, WriteAdvancedSettings, WritePeerTable, RestoreFactorySettings}) {
    Module m = plainModule();
    m.faults.push_back(parseFaultText("result,value=5,codes=" + std::to_string(code)));
    Simulator sim({m});
    const std::vector<Bytes> frames = {
        request(WriteBasicSettings, kMac, basicPayload(5, field("", 64), 1, {10, 0, 0, 7})),
        request(WriteAdvancedSettings, kMac, Bytes(17, 1)), request(WritePeerTable, kMac, peers(1)),
        request(RestoreFactorySettings, kMac)};
    for (const auto& frame : frames) {
      const Bytes basic = readReply(sim, ReadBasicSettings);
      const Bytes advanced = readReply(sim, ReadAdvancedSettings);
      const auto result = resultOf(sim.handleDatagram(frame, 0));
      EXPECT_EQ(result, frame[3] == code ? 5 : 0) << int(code) << " on " << int(frame[3]);
      if (frame[3] == code) {
        EXPECT_EQ(readReply(sim, ReadBasicSettings), basic) << int(code);
        EXPECT_EQ(readReply(sim, ReadAdvancedSettings), advanced) << int(code);
      }
    }
  }
}

TEST(Settings, TakesTheWriteButMissesTheReRead) {
  Module m = plainModule();
  m.faults.push_back(parseFaultText("silentAfterWrite,codes=2"));
  Simulator sim({m});
  const auto frame = request(WriteBasicSettings, kMac, basicPayload(42, field("", 64), 1, {10, 0, 0, 7}));
  EXPECT_EQ(resultOf(sim.handleDatagram(frame, 0)), 0);
  EXPECT_TRUE(sim.handleDatagram(request(ReadBasicSettings, kMac), 3000).empty());
  const Bytes later = readReply(sim, ReadBasicSettings);
  ASSERT_EQ(later.size(), 355u);
  EXPECT_EQ(getU32(later, 5), 42u);
  // Another kind of write does not trigger it.
  EXPECT_EQ(resultOf(sim.handleDatagram(request(WritePeerTable, kMac, peers(0)), 0)), 0);
  EXPECT_EQ(readReply(sim, ReadPeerTable).size(), 6u);
}

}  // namespace
}  // namespace trax_sim
