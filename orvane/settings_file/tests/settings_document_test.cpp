#include <gtest/gtest.h>

#include "orvane/settings_file/settings_checks.h"
#include "orvane/settings_file/settings_document.h"
#include "orvane/forms/form_texts.h"

namespace orvane::settings_file {
namespace {

ModuleSettings sample() {
  ModuleSettings s;
  s.basic.mac = s.advanced.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  s.basic.moduleId = 12;
  setTextField(s.basic.name, "\xD2\xBB\xBA\xC5\xCF\xDF");  // 一号线 in GBK
  setTextField(s.basic.description, "raw \xFF byte");      // no GBK text: kept as hex
  s.basic.ipAddress = {192, 168, 10, 11};
  s.basic.subnetMask = {255, 255, 255, 0};
  s.basic.gateway = {192, 168, 10, 1};
  s.basic.currentIp = {192, 168, 10, 11};
  s.advanced = {s.basic.mac, 7, 300, 500, 30, 1};
  PeerEntry trax{3, kPeerKindTrax, {192, 168, 10, 12}, 502, 255, {1, 2, 3}};
  s.peers = {trax, PeerEntry{}};
  return s;
}

TEST(SettingsDocument, WrittenDocumentsReadBackExactly) {
  const auto s = sample();
  const auto text = writeSettingsDocument(s);
  EXPECT_NE(text.find("\"name\": \"一号线\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"descriptionGbk\": \"726177"), std::string::npos) << text;
  const auto reading = readSettingsDocument(text);
  ASSERT_TRUE(reading.settings) << reading.error;
  EXPECT_EQ(*reading.settings, s);
  EXPECT_EQ(writeSettingsDocument(*reading.settings), text);
}

TEST(SettingsDocument, MalformedDocumentsAreRefusedSayingWhere) {
  const auto good = writeSettingsDocument(sample());
  const auto edited = [&](std::string_view from, std::string_view to) {
    auto text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  const struct {
    std::string text;
    std::string error;
  } rows[] = {
      {"", "不是有效的 JSON 文档"},
      {good.substr(0, good.size() / 2), "不是有效的 JSON 文档"},
      {"[]", "应为对象"},
      {std::string(kMaxDocumentBytes + 1, ' '), "文件过大"},
      {edited("trax-module-settings", "other"), "\"format\""},
      {edited("\"version\": 1", "\"version\": 2"), "不支持的版本"},
      {edited("\"mac\": \"00-11", "\"mac\": \"00-1G"), "\"mac\""},
      {edited("\"moduleId\": 12", "\"moduleId\": 4294967296"), "\"basic.moduleId\": 应为 0 到 4294967295"},
      {edited("\"moduleId\": 12", "\"moduleId\": -1"), "\"basic.moduleId\""},
      {edited("\"moduleId\": 12", "\"moduleId\": \"12\""), "\"basic.moduleId\""},
      {edited("\"fixedId\": 0,", ""), "\"basic.fixedId\": 缺少此键"},
      {edited("\"fixedId\"", "\"fixedID\""), "\"basic.fixedID\": 未知的键"},
      {edited("\"name\": \"一号线\"", "\"name\": \"😀\""), "\"basic.name\": 含有"},
      {edited("\"name\": \"一号线\"", "\"name\": \"" + std::string(65, 'x') + "\""), "超出 64 字节"},
      {edited("\"descriptionGbk\": \"72", "\"descriptionGbk\": \"7"), "十六进制"},
      {edited("\"addressMode\": \"manual\"", "\"addressMode\": \"dhcp\""), "\"basic.addressMode\""},
      {edited("\"gateway\": \"192.168.10.1\"", "\"gateway\": \"192.168.10\""), "\"basic.gateway\""},
      {edited("\"slaveTimeoutSec\": 30", "\"slaveTimeoutSec\": 3.5"), "\"advanced.slaveTimeoutSec\""},
      {edited("\"port\": 502", "\"port\": 65536"), "\"peers[1].port\""},
      {edited("\"reserved\": [\n        1", "\"reserved\": [\n        256"), "\"peers[1].reserved\""},
      {edited("\"kind\": \"TRAX\"", "\"kind\": \"trax\""), "\"peers[1].kind\""},
      {edited("\"peers\": [", "\"peers\": {\"a\": ["), "不是有效的 JSON 文档"},
  };
  for (const auto& row : rows) {
    const auto reading = readSettingsDocument(row.text);
    EXPECT_FALSE(reading.settings) << row.error;
    EXPECT_NE(reading.error.find(row.error), std::string::npos) << reading.error;
  }
}

TEST(SettingsChecks, TheDialogsChecksRefuseInTheirOrder) {
  const struct {
    void (*edit)(ModuleSettings&);
    std::string_view message;
    int entry;
  } rows[] = {
      {[](ModuleSettings&) {}, {}, 0},
      {[](ModuleSettings& s) { s.basic.moduleId = 1000000000; }, forms::texts::kModuleIdNetwork, 0},
      {[](ModuleSettings& s) { s.basic.ipAddress = {10, 0, 0, 255}; }, forms::texts::kIpInvalid, 0},
      {[](ModuleSettings& s) { s.advanced.masterTimeoutMs = 0; }, forms::texts::kMasterTimeout, 0},
      {[](ModuleSettings& s) { s.advanced.slaveTimeoutSec = 0; }, forms::texts::kSlaveTimeout, 0},
      {[](ModuleSettings& s) { s.peers.resize(31); }, forms::texts::kTooManyPeers, 0},
      {[](ModuleSettings& s) { s.peers[1].device = 91; }, forms::texts::kDeviceNumber, 2},
      {[](ModuleSettings& s) { s.peers[1].port = 0; }, forms::texts::kPort, 2},
      {[](ModuleSettings& s) { s.peers[0].port = 0; }, {}, 0},  // a TRAX row shows no port
  };
  for (const auto& row : rows) {
    auto s = sample();
    row.edit(s);
    const auto refusal = checkModuleSettings(s);
    EXPECT_EQ(refusal.message, row.message);
    EXPECT_EQ(refusal.entry, row.entry);
  }
}

TEST(SettingsLoad, AnotherModuleKeepsWhatIdentifiesIt) {
  const auto file = sample();
  auto target = sample();
  target.basic.mac = target.advanced.mac = {0, 0x11, 0x22, 0x33, 0x44, 0x66};
  target.basic.moduleId = 13;
  setTextField(target.basic.name, "other");
  target.basic.ipAddress = {192, 168, 10, 12};
  target.basic.subnetMask = {255, 255, 0, 0};
  target.advanced.masterTimeoutMs = 900;
  target.advanced.reservedA = 99;
  target.peers.pop_back();

  const auto loaded = settingsAfterLoad(target, file, false);
  EXPECT_EQ(loaded.basic.moduleId, 13u);
  EXPECT_EQ(textField(loaded.basic.name), "other");
  EXPECT_EQ(loaded.basic.ipAddress, target.basic.ipAddress);
  EXPECT_EQ(loaded.basic.subnetMask, file.basic.subnetMask);
  EXPECT_EQ(loaded.advanced.reservedA, 99u);  // the module's own: no write changes it
  EXPECT_EQ(loaded.peers, file.peers);
  std::vector<std::string> fields;
  for (const auto& c : settingsChanges(target, loaded)) fields.push_back(c.field);
  EXPECT_EQ(fields, (std::vector<std::string>{"subnetMask", "masterTimeoutMs", "peers[2]"}));

  const auto copied = settingsAfterLoad(target, file, true);
  EXPECT_EQ(copied.basic.moduleId, 12u);
  EXPECT_EQ(copied.basic.ipAddress, file.basic.ipAddress);
  target.basic.fixedId = 5;  // the module fixes its ID: no file changes it
  EXPECT_EQ(settingsAfterLoad(target, file, true).basic.moduleId, 13u);
  EXPECT_TRUE(settingsChanges(file, settingsAfterLoad(file, file, false)).empty());
}

}  // namespace
}  // namespace orvane::settings_file
