// trax-sim as a program: ready lines, the wire log, scenario files, the module
// scan port, faults over real sockets, the image tool and loopback safety.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sys/wait.h>

#include "platform/gbk.h"
#include "sim_process.h"
#include "sim_test_frames.h"
#include "simulator.h"
#include "frame_codec.h"
#include "test_support/temp_dir.h"

namespace trax_sim::test {
namespace {

const std::string kDemo = std::string(TRAX_SOURCE_DIR) + "/sim/trax_sim/scenarios/demo.json";
constexpr Mac kFirst{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};

TEST(TraxSimProgram, LogsEveryFrameAsTheEditorSentIt) {
  auto sim = startSim({"--scenario", kDemo, "--log"});
  Peer peer;
  peer.send(sim.modulePort, discovery());
  const auto replies = peer.receiveAll();
  EXPECT_EQ(replies.size(), 5u);
  ASSERT_TRUE(peer.exchange(sim.modulePort, request(ReadBasicSettings, kFirst)));
  // The log line is printed before the reply is sent.
  EXPECT_EQ(sim.process->waitForLine("rx "), "AA 05 00 01 AE");
  EXPECT_EQ(sim.process->waitForLine("rx "), "AA 0B 00 06 00 11 22 33 44 55 B6");
}

TEST(TraxSimProgram, DemoScenarioHasTheModulesTheDemoNeeds) {
  auto sim = startSim({"--scenario", kDemo});
  Peer peer;
  peer.send(sim.modulePort, discovery());
  int bootLoaders = 0, flagged = 0;
  for (const auto& r : peer.receiveAll()) {
    ASSERT_EQ(r.size(), 18u);
    bootLoaders += r[14] == 1;
    flagged += (r[15] & 0x11) == 0x11;
  }
  EXPECT_EQ(bootLoaders, 1);
  EXPECT_EQ(flagged, 1);
  const auto info = peer.exchange(sim.modulePort, request(ReadSystemInfo, {0x00, 0x11, 0x22, 0x33, 0x44, 0x58}));
  ASSERT_TRUE(info);
  EXPECT_EQ((*info)[7], 3);  // firmware major differs from the demo image's 4
}

TEST(TraxSimProgram, ScanPortAnswersWithTheLastOctetAtByte22) {
  auto sim = startSim({"--module", R"({"mac":"00-11-22-33-44-55","ipAddress":"192.168.10.99"})"});
  ASSERT_TRUE(sim.scanPort);
  Peer peer;
  peer.send(*sim.scanPort, Bytes(std::begin(kScanRequest), std::end(kScanRequest)));
  const auto reply = peer.receive();
  ASSERT_TRUE(reply);
  ASSERT_GT(reply->size(), 22u);
  EXPECT_EQ((*reply)[22], 99);
}

TEST(TraxSimProgram, DelayedReplyArrivesLate) {
  auto sim = startSim({"--modules", "1", "--fault", "all:delay,ms=300,codes=9"});
  Peer peer;
  const Mac mac{0x02, 0x54, 0x52, 0x58, 0x00, 0x01};
  peer.send(sim.modulePort, request(ReadSystemInfo, mac));
  EXPECT_FALSE(peer.receive(100));  // not within the editor's 100 ms
  EXPECT_TRUE(peer.receive(2000));
}

TEST(TraxSimProgram, GeneratesManyModules) {
  auto sim = startSim({"--modules", "256"});
  Peer peer;
  peer.send(sim.modulePort, discovery());
  EXPECT_EQ(peer.receiveAll(300, 400).size(), 256u);
}

TEST(TraxSimProgram, WritesLastForTheRunAndShowInScans) {
  auto sim = startSim({"--scenario", kDemo});
  ASSERT_TRUE(sim.scanPort);
  Peer peer;
  const std::string name = platform::utf8ToGbk("新名称");
  Bytes payload = cat({le32(99), Bytes(name.begin(), name.end())});
  payload.resize(4 + 64 + 256, 0);
  payload = cat({payload, Bytes{1, 192, 168, 10, 77, 255, 255, 255, 0, 192, 168, 10, 1}});
  const auto written = peer.exchange(sim.modulePort, request(WriteBasicSettings, kFirst, payload));
  ASSERT_TRUE(written);
  EXPECT_EQ(hexText(*written), "AA 06 00 02 00 AE");

  const auto basic = peer.exchange(sim.modulePort, request(ReadBasicSettings, kFirst));
  ASSERT_TRUE(basic);
  ASSERT_EQ(basic->size(), 355u);
  EXPECT_EQ(getU32(*basic, 5), 99u);
  EXPECT_EQ(platform::gbkToUtf8(std::string(reinterpret_cast<const char*>(basic->data() + 9))), "新名称");

  peer.send(sim.modulePort, discovery());
  bool seen = false;
  for (const auto& r : peer.receiveAll())
    if (r[9] == 0x55) seen = hexText(std::span(r).subspan(10, 4)) == "C0 A8 0A 4D";
  EXPECT_TRUE(seen);

  // The scan reports where the module serves Modbus TCP (127.0.0.11 in the demo), which the write does not move.
  peer.send(*sim.scanPort, Bytes(std::begin(kScanRequest), std::end(kScanRequest)));
  int octet77 = 0, octet11 = 0;
  for (const auto& r : peer.receiveAll()) {
    octet77 += r.size() > 22 && r[22] == 77;
    octet11 += r.size() > 22 && r[9] == 0x55 && r[22] == 11;
  }
  EXPECT_EQ(octet77, 0);
  EXPECT_EQ(octet11, 1);

  const auto restored = peer.exchange(sim.modulePort, request(RestoreFactorySettings, kFirst));
  ASSERT_TRUE(restored);
  EXPECT_EQ((*restored)[4], 0);
  const auto again = peer.exchange(sim.modulePort, request(ReadBasicSettings, kFirst));
  ASSERT_TRUE(again);
  EXPECT_EQ(getU32(*again, 5), 0u);
  EXPECT_EQ(hexText(std::span(*again).subspan(342, 4)), "7F 00 00 0A");  // on loopback, like every default
}

int exitStatusOf(const std::vector<std::string>& args) {
  test_support::ChildProcess p(kProgram, args);
  while (p.readLine()) {
  }
  const int status = p.stop();
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(TraxSimProgram, RefusesToBindOutsideLoopbackAndBadScenarios) {
  EXPECT_EQ(exitStatusOf({"--listen", "0.0.0.0:0", "--modules", "1"}), 2);
  EXPECT_EQ(exitStatusOf({"--listen", "127.0.0.1:0", "--scan-listen", "0.0.0.0:0"}), 2);
  EXPECT_EQ(exitStatusOf({"--listen", "127.0.0.1:0", "--module", R"({"mac":"zz"})"}), 2);
  EXPECT_EQ(exitStatusOf({"--listen", "127.0.0.1:0", "--scenario", "/nonexistent.json"}), 2);
}

// A second simulator on a port the first one holds would never see a request.
TEST(TraxSimProgram, RefusesAPortAlreadyInUse) {
  auto first = startSim({});
  test_support::ChildProcess second(kProgram, {"--listen", first.modulePort.text(), "--no-scan"});
  EXPECT_EQ(second.readLine(), std::nullopt) << "the second simulator started";
  const int status = second.stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
}

Bytes u16(std::uint16_t v) { return Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }

// The result byte of a write reply, -1 without one.
int resultOf(const std::optional<Bytes>& reply) { return reply && reply->size() > 4 ? (*reply)[4] : -1; }

// Polls every `timeoutMs` like the editor, at most 201 times; true when answered.
bool pollUntilAnswered(Peer& peer, const platform::Endpoint& to, std::uint8_t code, const Mac& mac) {
  for (int attempt = 0; attempt < 201; ++attempt)
    if (peer.exchange(to, request(code, mac), 100)) return true;
  return false;
}

TEST(TraxSimProgram, FirmwareUpgradeOverTheWireLeavesTheImageInTheArea) {
  test_support::TempDir dir;
  const std::string imagePath = (dir.path() / "fw.bin").string();
  ASSERT_EQ(exitStatusOf({"make-image", "--kind", "system", "--version", "4.3.0.0", "--size", "1502", imagePath}), 0);
  std::ifstream in(imagePath, std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto sim = startSim({"--scenario", kDemo, "--enter-delay", "20", "--erase-delay", "30", "--restart-delay", "50",
                       "--dump-dir", dir.path().string(), "--fault", "00-11-22-33-44-55:failBlock,block=2,times=1"});
  Peer peer;
  ASSERT_EQ(resultOf(peer.exchange(sim.modulePort, request(EnterBootLoader, kFirst))), 0);
  ASSERT_TRUE(pollUntilAnswered(peer, sim.modulePort, ReadBootInfo, kFirst));
  for (int run = 0; run < 2; ++run) {  // the first run meets the failing block 2
    ASSERT_EQ(resultOf(peer.exchange(sim.modulePort, request(EraseFirmware, kFirst, Bytes{2}))), 0);
    std::uint8_t x = 0;
    std::size_t offset = 0, pad = 0;
    int failed = 0;
    for (std::uint16_t number = 1; offset < file.size() - 1; ++number) {
      const std::size_t n = std::min<std::size_t>(512, file.size() - 1 - offset);
      Bytes data(file.begin() + static_cast<std::ptrdiff_t>(offset), file.begin() + static_cast<std::ptrdiff_t>(offset + n));
      for (auto b : data) x ^= b;
      pad = (4 - n % 4) % 4;
      data.resize(n + pad, 0xFF);
      const Bytes payload = cat({Bytes{2}, u16(number), le32(static_cast<std::uint32_t>(offset)), u16(static_cast<std::uint16_t>(data.size())), data});
      failed = resultOf(peer.exchange(sim.modulePort, request(WriteFirmwareBlock, kFirst, payload)));
      if (failed != 0) break;
      offset += n;
    }
    if (run == 0) {
      EXPECT_EQ(failed, 1);
      continue;
    }
    ASSERT_EQ(failed, 0);
    const Bytes verify = cat({Bytes{2}, le32(static_cast<std::uint32_t>(offset + pad)), Bytes{x}});
    ASSERT_EQ(resultOf(peer.exchange(sim.modulePort, request(VerifyFirmware, kFirst, verify))), 0);
  }
  ASSERT_EQ(resultOf(peer.exchange(sim.modulePort, request(RestartModule, kFirst, Bytes{2}))), 0);
  ASSERT_TRUE(pollUntilAnswered(peer, sim.modulePort, ReadSystemInfo, kFirst));
  const auto info = peer.exchange(sim.modulePort, request(ReadSystemInfo, kFirst));
  ASSERT_TRUE(info);
  EXPECT_EQ(hexText(std::span(*info).subspan(4, 4)), "00 00 03 04");

  std::ifstream dumped(dir.path() / "00-11-22-33-44-55-system.bin", std::ios::binary);
  const Bytes area((std::istreambuf_iterator<char>(dumped)), std::istreambuf_iterator<char>());
  EXPECT_EQ(area, Bytes(file.begin(), file.end() - 1));
}

TEST(TraxSimProgram, MakeImageWritesACheckedImage) {
  test_support::TempDir dir;
  const auto path = (dir.path() / "fw.bin").string();
  EXPECT_EQ(exitStatusOf({"make-image", "--kind", "system", "--version", "4.1.0.5", "--size", "1001", path}), 0);
  std::ifstream file(path, std::ios::binary);
  const Bytes image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_EQ(image.size(), 1001u);
  EXPECT_EQ(std::string(image.begin(), image.begin() + 10), "M4-TRAX100");
  EXPECT_EQ(hexText(std::span(image).subspan(32, 4)), "05 00 01 04");
  EXPECT_EQ(xorOf(std::span(image).first(1000)), image.back());
  EXPECT_EQ(exitStatusOf({"make-image", "--kind", "system", "--version", "4.1.0.5", "--size", "37", path}), 2);
  EXPECT_EQ(exitStatusOf({"make-image", "--kind", "other", "--version", "4.1.0.5", "--size", "100", path}), 2);
}

}  // namespace
}  // namespace trax_sim::test
