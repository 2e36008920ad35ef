// The boot loader of a simulated module, driven the way the editor's upgrade
// drives it, on an injected clock.
#include <gtest/gtest.h>

#include <cstring>

#include "image_maker.h"
#include "sim_test_frames.h"
#include "simulator.h"

namespace trax_sim {
namespace {

using test::cat;
using test::le32;
using test::request;

constexpr Mac kMac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
constexpr int kEnter = 300, kErase = 500, kRestart = 1000;

Bytes image(std::uint8_t kind, std::size_t size, Version4 version = {5, 0, 2, 4}) {
  ImageSpec spec;
  spec.kind = kind;
  spec.size = size;
  spec.version = version;
  return makeImage(spec);
}

Bytes u16(std::uint16_t v) { return Bytes{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }

// The editor's side: requests at a given time, the one reply (or none) back.
struct Editor {
  Simulator& sim;
  std::int64_t now = 0;

  std::optional<Bytes> ask(std::uint8_t code, const Bytes& payload = {}) {
    const auto out = sim.handleDatagram(request(code, kMac, payload), now);
    if (out.empty()) return std::nullopt;
    EXPECT_EQ(out.size(), 1u);
    EXPECT_LE(out[0].dueMs - now, 2999) << "reply must come within the editor's time-out";
    now = std::max(now, out[0].dueMs);
    return out[0].bytes;
  }
  // The result byte of a write reply, or -1 without reply.
  int result(std::uint8_t code, const Bytes& payload) {
    const auto r = ask(code, payload);
    return r && r->size() > 4 ? (*r)[4] : -1;
  }
  // ReadBootInfo (or another read) every 100 ms until answered, at most 201 tries.
  int poll(std::uint8_t code) {
    for (int attempt = 1; attempt <= 201; ++attempt) {
      if (ask(code)) return attempt;
      now += 100;
    }
    return 0;
  }
  int block(std::uint8_t kind, std::uint16_t number, std::uint32_t offset, const Bytes& data) {
    return result(WriteFirmwareBlock, cat({Bytes{kind}, u16(number), le32(offset), u16(static_cast<std::uint16_t>(data.size())), data}));
  }
  // Erase, blocks padded with 0xFF, verify: the download as the editor does it.
  int download(std::uint8_t kind, const Bytes& file) {
    if (int r = result(EraseFirmware, Bytes{kind}); r != 0) return r;
    const std::size_t total = file.size() - 1;
    std::uint8_t x = 0;
    std::uint16_t number = 0;
    std::size_t sent = 0, pad = 0;
    for (std::size_t offset = 0; offset < total; offset += 512) {
      const std::size_t n = std::min<std::size_t>(512, total - offset);
      Bytes data(file.begin() + static_cast<std::ptrdiff_t>(offset), file.begin() + static_cast<std::ptrdiff_t>(offset + n));
      for (auto b : data) x ^= b;
      pad = (4 - n % 4) % 4;
      data.resize(n + pad, 0xFF);
      if (int r = block(kind, ++number, static_cast<std::uint32_t>(offset), data); r != 0) return r;
      sent = offset + n;
    }
    return result(VerifyFirmware, cat({Bytes{kind}, le32(static_cast<std::uint32_t>(sent + pad)), Bytes{x}}));
  }
};

Module runningModule() {
  Module m;
  m.mac = kMac;
  m.timing = Timing{kEnter, kErase, kRestart};
  return m;
}

std::uint8_t runModeOf(Simulator& sim, std::int64_t now) {
  const auto out = sim.handleDatagram(test::discovery(), now);
  return out.empty() ? 0 : out[0].bytes[14];
}

TEST(BootLoader, SystemUpgradeFromTheRunningProgram) {
  Simulator sim({runningModule()});
  Editor ed{sim};
  const Bytes file = image(2, 1001);
  EXPECT_EQ(ed.result(EnterBootLoader, {}), 0);
  EXPECT_FALSE(ed.ask(ReadBootInfo)) << "silent while it restarts";
  EXPECT_EQ(ed.poll(ReadBootInfo), kEnter / 100 + 1);
  EXPECT_EQ(runModeOf(sim, ed.now), kRunModeBootLoader);
  EXPECT_FALSE(ed.ask(ReadSystemInfo));

  const std::int64_t before = ed.now;
  ASSERT_EQ(ed.result(EraseFirmware, Bytes{2}), 0);
  EXPECT_EQ(ed.now - before, kErase);
  ed.now = before;
  ASSERT_EQ(ed.download(2, file), 0);
  EXPECT_EQ(sim.modules()[0].area(2).content, Bytes(file.begin(), file.end() - 1));

  EXPECT_EQ(ed.result(RestartModule, Bytes{2}), 0);
  EXPECT_EQ(ed.poll(ReadSystemInfo), kRestart / 100 + 1);
  const auto info = ed.ask(ReadSystemInfo);
  ASSERT_TRUE(info);
  EXPECT_EQ(hexText(std::span(*info).subspan(4, 4)), "05 00 02 04");
  EXPECT_EQ(runModeOf(sim, ed.now), kRunModeSystem);
}

TEST(BootLoader, PaddingFoundForEveryImageLength) {
  // L - 1 = 37 (one block of 40), 1000 (512 + 488), 1001 (512 + 492 with 3 bytes 0xFF), the largest.
  for (const std::size_t size : {38u, 39u, 40u, 41u, 1001u, 1002u, 393216u}) {
    Module m = runningModule();
    m.runMode = kRunModeBootLoader;
    Simulator sim({m});
    Editor ed{sim};
    const Bytes file = image(2, size);
    ASSERT_EQ(ed.download(2, file), 0) << size;
    EXPECT_EQ(sim.modules()[0].area(2).content, Bytes(file.begin(), file.end() - 1)) << size;
  }
}

TEST(BootLoader, BootLoaderUpgradeComesBackRunningTheSystemProgram) {
  Module m = runningModule();
  m.runMode = kRunModeBootLoader;
  Simulator sim({m});
  Editor ed{sim};
  ASSERT_EQ(ed.download(1, image(1, 700, {9, 0, 0, 2})), 0);
  EXPECT_EQ(ed.result(RestartModule, Bytes{1}), 0);
  EXPECT_GT(ed.poll(ReadBootInfo), 1);
  const auto info = ed.ask(ReadBootInfo);
  EXPECT_EQ(hexText(std::span(*info).subspan(4, 4)), "09 00 00 02");
  EXPECT_EQ(runModeOf(sim, ed.now), kRunModeSystem);
}

TEST(BootLoader, WithoutASystemProgramARestartStaysInTheBootLoader) {
  Module m = runningModule();
  m.runMode = kRunModeBootLoader;
  m.area(2).valid = false;
  Simulator sim({m});
  Editor ed{sim};
  ASSERT_EQ(ed.download(1, image(1, 100)), 0);
  ASSERT_EQ(ed.result(RestartModule, Bytes{1}), 0);
  ed.now += kRestart;
  EXPECT_EQ(runModeOf(sim, ed.now), kRunModeBootLoader);
}

TEST(BootLoader, RefusesBlocksAndVerificationsThatDoNotFit) {
  const Bytes block4{1, 2, 3, 4};
  const Bytes full(512, 7);
  struct Row {
    const char* what;
    std::function<int(Editor&)> steps;
    int expected;
  } rows[] = {
      {"block before erase", [&](Editor& e) { return e.block(2, 1, 0, block4); }, kRefusedNotErased},
      {"other kind than erased", [&](Editor& e) { e.result(EraseFirmware, {2}); return e.block(1, 1, 0, block4); }, kRefusedNotErased},
      {"first block not 1", [&](Editor& e) { e.result(EraseFirmware, {2}); return e.block(2, 2, 0, block4); }, kRefusedBlockNumber},
      {"offset not at the end", [&](Editor& e) { e.result(EraseFirmware, {2}); e.block(2, 1, 0, full); return e.block(2, 2, 510, block4); }, kRefusedBlockOffset},
      {"length not a multiple of 4", [&](Editor& e) { e.result(EraseFirmware, {2}); return e.block(2, 1, 0, Bytes(6, 1)); }, kRefusedBlockLength},
      {"length over 512", [&](Editor& e) { e.result(EraseFirmware, {2}); return e.block(2, 1, 0, Bytes(516, 1)); }, kRefusedBlockLength},
      {"block after a short one", [&](Editor& e) { e.result(EraseFirmware, {2}); e.block(2, 1, 0, block4); return e.block(2, 2, 4, block4); }, kRefusedBlockLength},
      {"n differs from the data", [&](Editor& e) { e.result(EraseFirmware, {2}); return e.result(WriteFirmwareBlock, cat({Bytes{2}, u16(1), le32(0), u16(8), block4})); }, kRefusedLength},
      {"erase of kind 3", [&](Editor& e) { return e.result(EraseFirmware, {3}); }, kRefusedKind},
      {"verify total", [&](Editor& e) { e.result(EraseFirmware, {2}); e.block(2, 1, 0, block4); return e.result(VerifyFirmware, cat({Bytes{2}, le32(8), Bytes{4}})); }, kRefusedTotal},
      {"verify check byte", [&](Editor& e) { e.result(EraseFirmware, {2}); e.block(2, 1, 0, block4); return e.result(VerifyFirmware, cat({Bytes{2}, le32(4), Bytes{5}})); }, kRefusedCheckByte},
      {"restart of kind 0", [&](Editor& e) { return e.result(RestartModule, {0}); }, kRefusedKind},
  };
  for (auto& row : rows) {
    Module m = runningModule();
    m.runMode = kRunModeBootLoader;
    Simulator sim({m});
    Editor ed{sim};
    EXPECT_EQ(row.steps(ed), row.expected) << row.what;
  }
  // The image check's own verdict: the magic of the other kind.
  Module m = runningModule();
  m.runMode = kRunModeBootLoader;
  Simulator sim({m});
  Editor ed{sim};
  EXPECT_EQ(ed.download(1, image(2, 100)), kRefusedMagic);
  EXPECT_FALSE(sim.modules()[0].area(1).valid);
}

struct FaultCase {
  const char* rule;
  int expected;  // the download's result, or -1 when the run stops without reply
};

TEST(BootLoader, FaultsStopTheUpgradeWhereTheEditorExpects) {
  Module base = runningModule();
  {
    Module m = base;
    m.faults.push_back(parseFaultText("neverEnterBootLoader"));
    Simulator sim({m});
    Editor ed{sim};
    EXPECT_FALSE(ed.ask(EnterBootLoader));
    EXPECT_EQ(runModeOf(sim, ed.now + 5000), kRunModeSystem);
  }
  {
    Module m = base;
    m.faults.push_back(parseFaultText("bootLoaderSilent"));
    Simulator sim({m});
    Editor ed{sim};
    EXPECT_TRUE(ed.ask(EnterBootLoader));
    EXPECT_EQ(ed.poll(ReadBootInfo), 0) << "201 attempts without reply";
  }
  const FaultCase rows[] = {{"eraseFails", 1}, {"failBlock,block=2,value=9", 9}, {"verifyFails,value=3", 3}};
  for (const auto& row : rows) {
    Module m = base;
    m.runMode = kRunModeBootLoader;
    m.faults.push_back(parseFaultText(std::string(row.rule) + ",times=1"));
    Simulator sim({m});
    Editor ed{sim};
    const Bytes file = image(2, 1500);
    EXPECT_EQ(ed.download(2, file), row.expected) << row.rule;
    // Spent after one use: the user's second try succeeds.
    EXPECT_EQ(ed.download(2, file), 0) << row.rule;
    EXPECT_EQ(sim.modules()[0].area(2).content, Bytes(file.begin(), file.end() - 1)) << row.rule;
  }
}

TEST(BootLoader, RestartFaults) {
  Module m = runningModule();
  m.runMode = kRunModeBootLoader;
  m.faults.push_back(parseFaultText("restartFails,times=1"));
  m.faults.push_back(parseFaultText("silentAfterRestart,ms=30000,times=1"));
  m.faults.push_back(parseFaultText("silentAfterRestart,value=2,times=1"));
  m.faults.push_back(parseFaultText("silentAfterRestart"));
  Simulator sim({m});
  Editor ed{sim};
  EXPECT_EQ(ed.result(RestartModule, {2}), 1);
  EXPECT_TRUE(ed.ask(ReadBootInfo)) << "no restart happened";
  EXPECT_EQ(ed.result(RestartModule, {2}), 0);
  EXPECT_EQ(ed.poll(ReadSystemInfo), 0) << "silent for 30 s, longer than 201 polls";
  ed.now += 10000;
  EXPECT_TRUE(ed.ask(ReadSystemInfo));
  EXPECT_EQ(ed.result(EnterBootLoader, {}), 0);
  ed.now += kEnter;
  EXPECT_EQ(ed.result(RestartModule, {2}), 0);
  ed.now += kRestart + 3600 * 1000;
  EXPECT_EQ(ed.poll(ReadSystemInfo), 3) << "two requests unanswered, however late";
  EXPECT_EQ(ed.result(EnterBootLoader, {}), 0);
  ed.now += kEnter;
  EXPECT_EQ(ed.result(RestartModule, {2}), 0);
  ed.now += 3600 * 1000;
  EXPECT_FALSE(ed.ask(ReadSystemInfo)) << "silent for good";
}

}  // namespace
}  // namespace trax_sim
