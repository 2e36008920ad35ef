// The apply file: what refuses it (naming the line and the column) and
// what it reads, in either encoding.
#include <gtest/gtest.h>

#include "orvane/cli/batch_file.h"
#include "orvane/forms/form_texts.h"
#include "platform/gbk.h"

namespace orvane::cli {
namespace {

TEST(BatchFile, ABadLineRefusesTheFileNamingLineAndColumn) {
  struct Row {
    std::string text;
    int line;
    std::string column;
    std::string refusal;  // the dialog's message, or a part of the file's
  };
  const std::string head = "mac,id,name,ip,master-timeout\n00-11-22-33-44-55,1,a,10.0.0.1,5\n";
  const Row rows[] = {
      {"mac,nom\n", 1, "nom", "未知的列"},
      {"name,mac\n", 1, "name", "第一列应为 mac"},
      {"mac,ip,IP\n", 1, "IP", "此列出现了两次"},
      {head + "00-11-22-33-44,,,,\n", 3, "mac", "无效的 MAC 地址"},
      {head + "00.11.22.33.44.55,,,,\n", 3, "mac", "已在第 2 行出现"},
      {head + "00-11-22-33-44-56,,,\n", 3, "", "有 4 个字段，标题行有 5 个"},
      {head + "00-11-22-33-44-56,12a,,,\n", 3, "id", "模块ID只能包含数字"},
      {head + "00-11-22-33-44-56,1000000000,,,\n", 3, "id", std::string(forms::texts::kModuleIdNetwork)},
      {head + "00-11-22-33-44-56,," + std::string(65, 'n') + ",,\n", 3, "name",
       std::string(forms::texts::kNameTooLong)},
      {head + "00-11-22-33-44-56,,\xF0\x9F\x98\x80,,\n", 3, "name", "无法以 GBK (代码页 936) 保存"},
      {head + "00-11-22-33-44-56,,,192.168.10.255,\n", 3, "ip", std::string(forms::texts::kIpInvalid)},
      {head + "00-11-22-33-44-56,,,10.0.0,\n", 3, "ip", "无效的IP地址"},
      {head + "00-11-22-33-44-56,,,,abc\n", 3, "master-timeout", std::string(forms::texts::kMasterTimeout)},
      {head + "00-11-22-33-44-56,,\"a\nb,,\n", 3, "", "引号没有结束"},
      {"mac,dhcp,ip\n00-11-22-33-44-55,yes,10.0.0.1\n", 2, "dhcp", "不能同时给出"},
      {"mac,dhcp\n00-11-22-33-44-55,maybe\n", 2, "dhcp", "应为 yes"},
  };
  for (const auto& row : rows) {
    const auto file = readBatchFile(row.text);
    EXPECT_FALSE(file.ok()) << row.text;
    EXPECT_EQ(file.refusedLine, row.line) << row.text;
    EXPECT_EQ(file.refusedColumn, row.column) << row.text;
    EXPECT_NE(file.refusal.find(row.refusal), std::string::npos) << file.refusal;
    EXPECT_TRUE(file.lines.empty());
  }
}

// The export's form (code page 936, CR LF, a quoted field with a comma, a
// doubled quote and a line break) and a spreadsheet's UTF-8 with its byte
// order mark read alike; empty cells give nothing, blank lines are skipped.
TEST(BatchFile, ReadsGbkAndUtf8WithQuotedFields) {
  const std::string utf8 =
      "MAC, Name ,description,dhcp,ip,slave-timeout\r\n"
      "00-11-22-33-44-55,一号线,\"机架 0, 槽 \"\"2\"\"\r\n第二行\",no,,30\r\n"
      "\r\n"
      "00:11:22:33:44:56,,,,192.168.10.20,\r\n";
  for (const auto& [bytes, encoding] : {std::pair{platform::utf8ToGbk(utf8), "GBK"},
                                        std::pair{"\xEF\xBB\xBF" + utf8, "UTF-8"}}) {
    const auto file = readBatchFile(bytes);
    ASSERT_TRUE(file.ok()) << file.refusal;
    EXPECT_EQ(file.encoding, encoding);
    ASSERT_EQ(file.lines.size(), 2u);
    const auto& first = file.lines[0];
    EXPECT_EQ(first.line, 2);
    EXPECT_EQ(first.basic.name, "一号线");
    EXPECT_EQ(first.basic.description, "机架 0, 槽 \"2\"\n第二行");
    EXPECT_TRUE(first.basic.manual);
    EXPECT_FALSE(first.basic.ip);
    EXPECT_EQ(first.advanced.slave, "30");
    const auto& second = file.lines[1];
    EXPECT_EQ(second.line, 5);
    EXPECT_EQ(second.mac, (MacAddress{0x00, 0x11, 0x22, 0x33, 0x44, 0x56}));
    EXPECT_FALSE(second.basic.name || second.basic.manual || second.advanced.any());
    EXPECT_EQ(second.basic.ip, (Ipv4Bytes{192, 168, 10, 20}));
  }
}

}  // namespace
}  // namespace orvane::cli
