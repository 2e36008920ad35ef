// The pieces of the settings subcommands: arguments, the peer table file,
// what is printed, the terminal's answers and the command line's dialogs.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "orvane/cli/cli_dialogs.h"
#include "orvane/cli/command_line_text.h"
#include "orvane/cli/mac_argument.h"
#include "orvane/cli/peers_file.h"
#include "orvane/cli/settings_output.h"
#include "orvane/cli/settings_session.h"
#include "orvane/protocol/tests/recording_ui.h"
#include "orvane/forms/form_texts.h"
#include "platform/gbk.h"

namespace orvane::cli {
namespace {

TEST(MacArgument, TheFormsUpgradeTakesToo) {
  const MacAddress mac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  for (const auto* ok : {"00-1A-2B-3C-4D-5E", "00.1a.2b.3c.4d.5e", "00:1A:2B:3C:4D:5E"})
    EXPECT_EQ(parseMacArgument(ok), mac) << ok;
  for (const auto* bad : {"", "00-1A-2B-3C-4D", "00-1A-2B-3C-4D-5E-6F", "00-1A-2B-3C-4D-5G",
                          "001A2B3C4D5E", "00-1A-2B-3C-4D-100"})
    EXPECT_FALSE(parseMacArgument(bad)) << bad;
}

TEST(SettingsArguments, Lines) {
  struct Row {
    std::vector<std::string> args;
    bool ok;
  };
  const Row rows[] = {
      {{"00-11-22-33-44-55"}, true},
      {{"00-11-22-33-44-55", "--name", "x", "--json"}, true},
      {{}, false},
      {{"--name", "x"}, false},
      {{"00-11-22-33-44-55", "--name"}, false},
      {{"00-11-22-33-44-55", "--colour", "red"}, false},
      {{"00-11-22-33-44-55", "extra"}, false},
  };
  for (const auto& row : rows) {
    const auto a = parseSettingsArguments(row.args, {"--name"}, {"--json"});
    EXPECT_EQ(a.error.empty(), row.ok) << ::testing::PrintToString(row.args);
  }
  const std::vector<std::string> args{"00.11.22.33.44.55", "--name", "a", "--name", "--json", "--json"};
  const auto a = parseSettingsArguments(args, {"--name"}, {"--json"});
  EXPECT_EQ(a.value("--name"), "--json");  // a value may look like an option; the last counts
  EXPECT_TRUE(a.flag("--json"));
  EXPECT_FALSE(a.value("--id"));
}

TEST(PeerFile, EntriesDefaultsAndKinds) {
  const auto file = readPeerFile(R"([
    {"device": 1, "kind": "TRAX", "ip": "192.168.10.12"},
    {"device": "2", "kind": "Modbus/TCP", "ip": "10.0.0.7", "port": 1502, "unit": 3},
    {"device": 3, "ip": "10.0.0.8"},
    {"device": 4, "kind": 2, "ip": "10.0.0.9"},
    {"device": 5, "kind": "Modbus", "ip": "10.0.0.10", "unit": "0"}
  ])");
  ASSERT_TRUE(file.ok()) << file.formatError;
  ASSERT_EQ(file.entries.size(), 5u);
  EXPECT_EQ(file.entries[0], (PeerEntry{1, kPeerKindTrax, {192, 168, 10, 12}, 502, 255, {}}));
  EXPECT_EQ(file.entries[1], (PeerEntry{2, kPeerKindModbusTcp, {10, 0, 0, 7}, 1502, 3, {}}));
  EXPECT_EQ(file.entries[2], (PeerEntry{3, kPeerKindModbusTcp, {10, 0, 0, 8}, 502, 255, {}}));
  EXPECT_EQ(file.entries[3].kind, kPeerKindTrax);
  EXPECT_EQ(file.entries[4].unit, 0);
  EXPECT_TRUE(readPeerFile("[]").ok());
}

TEST(PeerFile, RefusalsAndFormatErrors) {
  struct Row {
    std::string json;
    std::string_view refusal;  // empty: a format error
    int entry;
  };
  std::string thirtyOne = "[";
  for (int i = 0; i < 31; ++i) thirtyOne += std::string(i ? "," : "") + R"({"device":1,"ip":"10.0.0.1"})";
  thirtyOne += "]";
  const Row rows[] = {
      {thirtyOne, forms::texts::kTooManyPeers, 0},
      {R"([{"device":1,"ip":"10.0.0.1"},{"device":91,"ip":"10.0.0.1"}])", forms::texts::kDeviceNumber, 2},
      {R"([{"device":1,"ip":"192.168.0.255"}])", forms::texts::kIpInvalid, 1},
      {R"([{"device":1,"ip":"10.0.0.1","port":0}])", forms::texts::kPort, 1},
      {R"([{"device":1,"ip":"10.0.0.1","port":65536}])", forms::texts::kPort, 1},
      {R"([{"device":1,"ip":"10.0.0.1","unit":256}])", forms::texts::kUnitId, 1},
      {R"([{"device":1,"kind":"TRAX","ip":"10.0.0.1","port":0}])", forms::texts::kPort, 1},
      {"{}", "", 0},
      {"[", "", 0},
      {R"([{"ip":"10.0.0.1"}])", "", 0},
      {R"([{"device":1}])", "", 0},
      {R"([{"device":1,"ip":"10.0.0"}])", "", 0},
      {R"([{"device":1,"ip":"10.0.0.1","kind":"CAN"}])", "", 0},
      {R"([{"device":1,"ip":"10.0.0.1","prot":502}])", "", 0},
      {R"([{"device":1.5,"ip":"10.0.0.1"}])", "", 0},
      {R"([7])", "", 0},
  };
  for (const auto& row : rows) {
    const auto file = readPeerFile(row.json);
    EXPECT_FALSE(file.ok()) << row.json;
    EXPECT_EQ(file.refusal, row.refusal) << row.json;
    EXPECT_EQ(file.formatError.empty(), !row.refusal.empty()) << row.json;
    EXPECT_EQ(file.refusedEntry, row.entry) << row.json;
  }
}

TEST(PeerFile, WhatPeersPrintsReadsBack) {
  const std::vector<PeerEntry> entries{{1, kPeerKindTrax, {192, 168, 10, 12}, 0, 0, {}},
                                       {2, kPeerKindModbusTcp, {10, 0, 0, 7}, 1502, 3, {}}};
  const auto json = peerTableJson(entries);
  EXPECT_FALSE(nlohmann::json::parse(json)[0].contains("port"));
  const auto file = readPeerFile(json);
  ASSERT_TRUE(file.ok());
  EXPECT_EQ(file.entries[1], entries[1]);
  EXPECT_EQ(file.entries[0].ip, entries[0].ip);
  EXPECT_EQ(peerTableText(entries),
            "1\tTRAX\tIP = 192.168.10.12\n2\tModbus/TCP\tIP = 10.0.0.7, Port = 1502, Unit ID = 3\n");
}

ModuleRecord record() {
  ModuleRecord r;
  r.mac = {0, 0x11, 0x22, 0x33, 0x44, 0x55};
  r.moduleId = 3;
  setTextField(r.name, platform::utf8ToGbk("站"));
  r.ipAddress = {192, 168, 1, 10};
  r.currentIp = {10, 0, 0, 5};
  r.currentMask = {255, 0, 0, 0};
  return r;
}

TEST(CommandLineText, TextArgumentsComeInTheLocalesCharacterSet) {
  struct Row {
    std::string argument, charset;
    std::optional<std::string> utf8;  // nothing: refused
  };
  const Row rows[] = {
      {"\xD2\xBB\xBA\xC5", "GBK", "一号"},
      {"一号", "UTF-8", "一号"},
      {"一号", "ANSI_X3.4-1968", "一号"},  // no locale: taken as UTF-8
      {"\xD2", "GBK", std::nullopt},       // half a character
      {"\xE4\xB8", "UTF-8", std::nullopt},
  };
  for (const auto& row : rows) {
    const auto converted = textArgumentInUtf8(row.argument, row.charset);
    EXPECT_EQ(converted.utf8, row.utf8) << row.charset << converted.error;
  }
  EXPECT_EQ(textArgumentInUtf8("a\xD2", "GBK").error, "不是有效的 GBK 文本（第 2 个字节）");
}

TEST(CommandLineText, CharactersCodePage936CannotHoldAreNamed) {
  EXPECT_EQ(characterOutsideGbk("三号线 Ab-1"), std::nullopt);
  EXPECT_EQ(characterOutsideGbk("站\U0001F600x"), "“\U0001F600” (U+1F600)");
  EXPECT_EQ(characterOutsideGbk("站\xFF"), "字节 0xFF（不是有效的 UTF-8）");
}

TEST(SettingsOutput, AModulesTextCannotDriveTheTerminal) {
  auto r = record();
  const std::string forged = "站\x1b[2J\r\n模块ID: 99";
  setTextField(r.name, platform::utf8ToGbk(forged));
  setTextField(r.description, "a\tb\x07");
  const auto text = basicSettingsText(r);
  EXPECT_NE(text.find("名称: 站 [2J  模块ID: 99\n描述: a b \n"), std::string::npos) << text;
  EXPECT_EQ(text.find('\x1b'), std::string::npos);
  const auto json = nlohmann::json::parse(basicSettingsJson(r));
  EXPECT_EQ(json["name"], forged);
  EXPECT_EQ(json["description"], "a\tb\x07");
}

TEST(CliDialogs, BasicChangesGoThroughTheDialog) {
  testing::ScriptedPrompt prompt;
  std::ostringstream out;
  CliDialogs dialogs(prompt, out, false);
  auto r = record();
  EXPECT_FALSE(dialogs.editBasicSettings(r, kProtocolTcpIp));  // nothing to change: shown
  EXPECT_NE(out.str().find("名称: 站\n"), std::string::npos);
  EXPECT_FALSE(dialogs.refused());

  dialogs.basic.automatic = true;  // --dhcp: the addresses in use become the manual ones
  dialogs.basic.name = "新站";
  ASSERT_TRUE(dialogs.editBasicSettings(r, kProtocolTcpIp));
  EXPECT_EQ(r.addressMode, 0);
  EXPECT_EQ(r.ipAddress, (Ipv4Bytes{10, 0, 0, 5}));
  EXPECT_EQ(r.subnetMask, (Ipv4Bytes{255, 0, 0, 0}));
  EXPECT_EQ(nameUtf8(r), "新站");

  r.currentIp = {0, 0, 0, 0};  // the dialog checks what its control shows
  EXPECT_FALSE(dialogs.editBasicSettings(r, kProtocolTcpIp));
  EXPECT_TRUE(dialogs.refused());
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, forms::texts::kIpInvalid);
  EXPECT_EQ(prompt.boxes[0].caption, "错误");
}

TEST(CliDialogs, AFixedIdCannotBeChanged) {
  testing::ScriptedPrompt prompt;
  std::ostringstream out;
  CliDialogs dialogs(prompt, out, false);
  auto r = record();
  r.fixedId = 7;
  dialogs.basic.name = "x";
  ASSERT_TRUE(dialogs.editBasicSettings(r, kProtocolTcpIp));
  EXPECT_EQ(r.moduleId, 7u);  // as the editor stores the fixed ID shown
  dialogs.basic.id = "8";
  EXPECT_FALSE(dialogs.editBasicSettings(r, kProtocolTcpIp));
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, fixedIdRefusal(7));
}

TEST(CliDialogs, PeerFileReplacesTheRows) {
  testing::ScriptedPrompt prompt;
  std::ostringstream out;
  CliDialogs dialogs(prompt, out, false);
  PeerEntry opened{9, kPeerKindModbusTcp, {1, 1, 1, 1}, 1502, 4, {5, 6, 7}};
  std::vector<PeerEntry> entries{opened, opened};
  dialogs.peers = std::vector<PeerEntry>{{1, kPeerKindTrax, {10, 0, 0, 8}, 502, 255, {}}};
  ASSERT_TRUE(dialogs.editPeerTable(entries));
  // Row 1 onto the first entry the dialog held: port, unit and reserved bytes stay.
  EXPECT_EQ(entries, (std::vector<PeerEntry>{{1, kPeerKindTrax, {10, 0, 0, 8}, 1502, 4, {5, 6, 7}}}));
}

}  // namespace
}  // namespace orvane::cli
