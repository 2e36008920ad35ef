#include "scenario_loader.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "options.h"
#include "platform/gbk.h"

namespace trax_sim {
namespace {

using nlohmann::json;

std::string gbkText(const auto& field) {
  return platform::gbkToUtf8(std::string(reinterpret_cast<const char*>(field.data()),
                                         strnlen(reinterpret_cast<const char*>(field.data()), field.size())));
}

TEST(Scenario, ModuleWithEveryField) {
  const auto doc = json::parse(R"({
    "timing": {"eraseMs": 40},
    "modules": [{
      "mac": "00-11-22-33-44-55", "runMode": "bootloader", "statusFlags": "0x0011",
      "firmwareVersion": "4.1.0.3", "bootVersion": "1.0.0.2", "pwbVersion": "1.02", "pldVersion": "2.10",
      "switchByte": "10000001", "fixedId": 9, "moduleId": 4000000000,
      "name": "一号线主站", "description": "机架 0 槽 2",
      "addressMode": "auto", "ipAddress": "10.0.0.5", "subnetMask": "255.0.0.0", "gateway": "10.0.0.1",
      "currentIp": "192.168.10.105",
      "advanced": {"reservedA": 7, "reservedB": 8, "reservedByte": 9, "masterTimeoutMs": 500, "slaveTimeoutSec": 30},
      "peers": [{"device": 90, "kind": "Modbus", "ip": "192.168.10.50", "port": 5020, "unit": 3, "reserved": [1, 2, 3]}],
      "factory": {"name": "出厂", "ipAddress": "192.168.1.100"},
      "timing": {"restartMs": 5},
      "faults": [{"kind": "failBlock", "block": 3, "times": 1}],
      "systemProgramValid": true
    }]})");
  const auto modules = parseScenario(doc, TimingOverrides{});
  ASSERT_EQ(modules.size(), 1u);
  const Module& m = modules[0];
  EXPECT_EQ(m.mac, (Mac{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}));
  EXPECT_EQ(m.runMode, 1);
  EXPECT_EQ(m.statusFlags, 0x11);
  EXPECT_EQ(m.versions.firmware, (Version4{3, 0, 1, 4}));
  EXPECT_EQ(m.versions.pwb, (Version2{2, 1}));
  EXPECT_EQ(m.versions.pld, (Version2{10, 2}));
  EXPECT_EQ(m.versions.switchByte, 0x81);
  EXPECT_EQ(m.fixedId, 9);
  EXPECT_EQ(m.basic.moduleId, 4000000000u);
  EXPECT_EQ(gbkText(m.basic.name), "一号线主站");
  EXPECT_EQ(gbkText(m.basic.description), "机架 0 槽 2");
  EXPECT_EQ(m.basic.addressMode, 0);
  EXPECT_EQ(m.currentIp, (Ipv4{192, 168, 10, 105}));
  EXPECT_EQ(m.currentMask, (Ipv4{255, 0, 0, 0}));  // in use follows the manual value unless given
  EXPECT_EQ(m.advanced.reservedByte, 9);
  ASSERT_EQ(m.peers.size(), 1u);
  EXPECT_EQ(m.peers[0], (PeerEntry{90, 1, 192, 168, 10, 50, 0x9C, 0x13, 3, 1, 2, 3}));
  EXPECT_EQ(gbkText(m.factory.basic.name), "出厂");
  EXPECT_EQ(m.timing.eraseMs, 40);
  EXPECT_EQ(m.timing.restartMs, 5);
  ASSERT_EQ(m.faults.size(), 1u);
  EXPECT_EQ(m.faults[0].block, 3);
  EXPECT_TRUE(m.area(2).valid);
}

TEST(Scenario, MistakesAreNamed) {
  struct Row {
    const char* module;
    const char* mentions;
  } rows[] = {
      {R"({})", "\"mac\" is missing"},
      {R"({"mac": "00-11-22-33-44"})", "MAC address"},
      {R"({"mac": "00-11-22-33-44-55", "colour": 1})", "unknown key \"colour\""},
      {R"({"mac": "00-11-22-33-44-55", "firmwareVersion": "4.1.0"})", "four numbers"},
      {R"({"mac": "00-11-22-33-44-55", "ipAddress": "192.168.10.256"})", "ipAddress"},
      {R"({"mac": "00-11-22-33-44-55", "fixedId": 256})", "fixedId"},
      {R"({"mac": "00-11-22-33-44-55", "name": "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三"})",
       "longer than 64 bytes"},
      {R"({"mac": "00-11-22-33-44-55", "faults": [{"kind": "explode"}]})", "unknown kind"},
      {R"({"mac": "00-11-22-33-44-55", "faults": [{"kind": "result", "value": 0}]})", "non-zero"},
      {R"({"mac": "00-11-22-33-44-55", "faults": [{"kind": "failBlock"}]})", "block"},
      {R"({"mac": "00-11-22-33-44-55", "peers": [{"kind": "Modbus", "port": 70000}]})", "port"},
      {R"({"mac": "00-11-22-33-44-55", "modbus": {"address": "192.168.10.11"}})", "only 127.0.0.0/8"},
      {R"({"mac": "00-11-22-33-44-55", "modbus": {"address": "127.0.0.2", "tableSize": 4,
          "coils": [{"start": 2, "values": [1, 1, 1]}]}})", "modbus.coils[0].values"},
      {R"({"mac": "00-11-22-33-44-55", "modbus": {"address": "127.0.0.2", "faults": [{"kind": "duplicate"}]}})",
       "\"silent\", \"delay\" or \"exception\""},
      {R"({"mac": "00-11-22-33-44-55", "faults": [{"kind": "exception"}]})", "belongs in \"modbus\""},
  };
  for (const auto& row : rows) {
    try {
      parseModule(json::parse(row.module), Timing{}, 0);
      ADD_FAILURE() << "accepted " << row.module;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(row.mentions), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("module 1"), std::string::npos) << e.what();
    }
  }
}

TEST(Scenario, SixtyFourByteNameFillsTheField) {
  // 32 Chinese characters are exactly 64 bytes in code page 936: no terminator on the wire.
  const std::string name = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二";
  const auto m = parseModule(json{{"mac", "00-11-22-33-44-55"}, {"name", name}}, Timing{}, 0);
  EXPECT_NE(m.basic.name[63], 0);
}

TEST(Scenario, BootLoaderModuleHasNoSystemProgramUnlessTold) {
  const auto m = parseModule(json{{"mac", "00-11-22-33-44-55"}, {"runMode", 1}}, Timing{}, 0);
  EXPECT_FALSE(m.area(2).valid);
}

TEST(Scenario, TimingPrecedence) {
  // Module's own > command line > file > built in.
  const auto doc = json::parse(R"({"timing": {"enterBootLoaderMs": 1, "eraseMs": 2},
    "modules": [{"mac": "00-11-22-33-44-55", "timing": {"eraseMs": 3}}, {"mac": "00-11-22-33-44-56"}]})");
  TimingOverrides cli;
  cli.enterBootLoaderMs = 10;
  cli.eraseMs = 20;
  const auto modules = parseScenario(doc, cli);
  EXPECT_EQ(modules[0].timing.enterBootLoaderMs, 10);
  EXPECT_EQ(modules[0].timing.eraseMs, 3);
  EXPECT_EQ(modules[1].timing.eraseMs, 20);
  EXPECT_EQ(modules[1].timing.restartMs, Timing{}.restartMs);
}

TEST(Scenario, GeneratedModulesAreDistinct) {
  const auto modules = generateModules(256, Version4{0, 0, 2, 4}, TimingOverrides{});
  ASSERT_EQ(modules.size(), 256u);
  for (std::size_t i = 1; i < modules.size(); ++i) {
    EXPECT_NE(modules[i].mac, modules[i - 1].mac);
    EXPECT_NE(modules[i].currentIp, modules[i - 1].currentIp);
  }
  EXPECT_EQ(modules[255].versions.firmware[3], 4);
  EXPECT_EQ(gbkText(modules[0].basic.name), "模块 1");
}

TEST(Options, ParsesTheCommandLine) {
  const auto o = parseOptions({"--listen", "127.0.0.1:0", "--modules", "3", "--log", "--fault",
                               "02-54-52-58-00-02:delay,ms=5,codes=6+0x09", "--fault", "all:duplicate",
                               "--erase-delay", "7", "--keep-modbus-ports"});
  EXPECT_EQ(o.listen.port, 0);
  EXPECT_TRUE(o.keepModbusPorts);
  EXPECT_EQ(scanEndpoint(o).port, 0);  // a free scan port beside a free module port
  EXPECT_TRUE(o.log);
  const auto modules = buildModules(o);
  ASSERT_EQ(modules.size(), 3u);
  EXPECT_EQ(modules[0].faults.size(), 1u);
  ASSERT_EQ(modules[1].faults.size(), 2u);
  EXPECT_EQ(modules[1].faults[0].codes, (std::vector<std::uint8_t>{6, 9}));
  EXPECT_EQ(modules[2].timing.eraseMs, 7);
  EXPECT_EQ(scanEndpoint(parseOptions({})).port, kScanPort);
}

TEST(Options, RefusesBadInput) {
  struct Row {
    std::vector<std::string> args;
    std::string says;
  };
  const Row rows[] = {
      {{"--listen", "localhost:1"}, "--listen: \"localhost:1\" is not HOST:PORT"},
      {{"--listen", "127.0.0.1"}, "is not HOST:PORT"},
      {{"--modules"}, "--modules needs a value"},
      {{"--modules", "abc"}, "--modules: \"abc\" is not a number of modules (0 to 65535)"},
      {{"--modules", "65536"}, "is not a number of modules"},
      {{"--frobnicate"}, "unknown option --frobnicate"},
      {{"--frobnicate", "1"}, "unknown option --frobnicate"},
      {{"--fault", "00-11-22-33-44-55"}, "is not SELECTOR:RULE"},
      {{"--erase-delay", "-1"}, "--erase-delay: \"-1\" is not a number of milliseconds"},
  };
  for (const auto& row : rows) {
    try {
      parseOptions(row.args);
      ADD_FAILURE() << row.args[0] << " was taken";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(row.says), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(buildModules(parseOptions({"--modules", "1", "--fault", "00-11-22-33-44-55:silent"})),
               std::runtime_error);
  EXPECT_FALSE(isLoopback(*platform::parseEndpoint("0.0.0.0:1")));
  EXPECT_TRUE(isLoopback(*platform::parseEndpoint("127.0.0.2:1")));
}

}  // namespace
}  // namespace trax_sim
