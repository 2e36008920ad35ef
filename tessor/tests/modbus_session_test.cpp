// Connect, Disconnect, ReadRequest, WriteRequest and the function-code buttons
// against a scripted Quorra: what reaches the library, and what the user sees.
#include <gtest/gtest.h>

#include "fake_quorra.h"
#include "fake_request_view.h"
#include "recording_prompt.h"
#include "tessor/core/function_requests.h"
#include "tessor/core/modbus_session.h"

namespace tessor {
namespace {

using testing::FakeQuorra;
using testing::FakeRequestView;
using testing::QuorraCall;
using testing::RecordingPrompt;

ConnectionFields loopback() {
  ConnectionFields f;
  f.ip = {127, 0, 0, 1};
  return f;
}

class TessorSessionTest : public ::testing::Test {
 protected:
  void SetUp() override { table.setSelectedFormat(1); }
  void connect() {
    ASSERT_TRUE(session.Connect(loopback()));
    prompt.clear();
  }
  // The window's fields, with the table laid out as the window would.
  void fields(const std::string& start, const std::string& length, int format = 1) {
    session.setFields({start, length, format});
    table.setStartAddress(start);
    table.setSelectedFormat(format);
    table.setPreviousFormat(format);
    table.Relayout(std::min(std::atoi(length.c_str()), 2000), false);
  }
  void fillCells(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      table.setCell(static_cast<int>(i / 8 + 1), static_cast<int>(i % 8 + 1), values[i]);
  }

  DataTable table;
  RecordingPrompt prompt;
  FakeQuorra quorra;
  FakeRequestView view{table};
  ModbusSession session{quorra, table, prompt, view};
};

TEST_F(TessorSessionTest, ConnectFillsTheRecord) {
  ConnectionFields f = loopback();
  f.timeout = 3;
  f.retries = 10;
  f.station = 7;
  f.polling = 250;
  ASSERT_TRUE(session.Connect(f));
  const tagPPARAM& r = session.record();
  EXPECT_EQ(pparam::u16(r, pparam::kTimeoutMs), 300);
  EXPECT_EQ(pparam::u8(r, pparam::kRetries), 10);
  EXPECT_EQ(pparam::u16(r, pparam::kStation), 7);
  EXPECT_EQ(pparam::u16(r, pparam::kPollingMs), 250);
  EXPECT_EQ(pparam::u8(r, pparam::kMode72), 2);
  const unsigned char ip[4] = {127, 0, 0, 1};
  EXPECT_EQ(0, std::memcmp(r.raw + pparam::kServerAddress, ip, 4));
  EXPECT_EQ(r.raw[pparam::kTcpPort], 0xF6);  // 502, little-endian
  EXPECT_EQ(r.raw[pparam::kTcpPort + 1], 0x01);
  const unsigned char flags[5] = {0x40, 0x40, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(r.raw + pparam::kFlags176, flags, 5));
  EXPECT_NE(pparam::pointer(r, pparam::kBlockPointer), nullptr);
  EXPECT_TRUE(session.connected());
  EXPECT_EQ(session.snapshot().statusText, "连接");
}

TEST_F(TessorSessionTest, ConnectRefusesWithoutCallingQuorra) {
  ConnectionFields noIp;
  EXPECT_FALSE(session.Connect(noIp));
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"请输入IP地址!"});
  prompt.clear();
  const std::function<void(ConnectionFields&)> outOfRange[] = {
      [](auto& f) { f.station = 256; }, [](auto& f) { f.station = -1; },
      [](auto& f) { f.retries = 11; },  [](auto& f) { f.timeout = 0; },
      [](auto& f) { f.timeout = 256; }, [](auto& f) { f.polling = 3001; },
  };
  for (const auto& change : outOfRange) {
    ConnectionFields f = loopback();
    change(f);
    EXPECT_FALSE(session.Connect(f));
  }
  EXPECT_TRUE(prompt.messages().empty());
  EXPECT_TRUE(quorra.calls().empty());
}

TEST_F(TessorSessionTest, FailedOpenShowsTheErrorAndKeepsNoBlock) {
  quorra.script(1015);
  EXPECT_FALSE(session.Connect(loopback()));
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"打开错误\n%Device% 未找到设备"});
  EXPECT_FALSE(session.connected());
  EXPECT_FALSE(session.blockHeld());
}

TEST_F(TessorSessionTest, BlockIsFreedAtDisconnectNotWhenCloseFails) {
  connect();
  EXPECT_TRUE(session.blockHeld());
  quorra.script(1016);
  EXPECT_FALSE(session.Disconnect());
  EXPECT_EQ(prompt.texts(), std::vector<std::string>{"关闭错误\n数据字节通讯错误"});
  EXPECT_TRUE(session.connected());
  EXPECT_TRUE(session.blockHeld());
  EXPECT_TRUE(session.Disconnect());
  EXPECT_FALSE(session.blockHeld());
  EXPECT_EQ(pparam::pointer(session.record(), pparam::kBlockPointer), nullptr);
  EXPECT_EQ(session.snapshot().statusText, "断开");
}

TEST(TessorSessionExit, ClosesAnOpenConnection) {
  DataTable table;
  RecordingPrompt prompt;
  FakeQuorra quorra;
  FakeRequestView view{table};
  {
    ModbusSession session{quorra, table, prompt, view};
    ASSERT_TRUE(session.Connect(loopback()));
  }
  ASSERT_EQ(quorra.calls().size(), 2u);
  EXPECT_EQ(quorra.calls()[1].kind, "close");
}

TEST_F(TessorSessionTest, ReadsGoToTheParsedAddressWithTheClampedLength) {
  connect();
  const std::tuple<int, const char*, const char*, std::uint16_t, std::uint32_t, int, const char*>
      rows[] = {
          {3, "R2000", "100", 0x0103, 1024, 100, "读保持寄存器"},
          {4, "R41237", "1", 0x0102, 17055, 1, "读输入寄存器"},
          {1, "Q0", "20", 0x0200, 2048, 20, "读线圈"},
          {2, "GI3777", "1", 0x0201, 2047, 1, "读离散输入"},
          {1, "C0", "2000", 0x0200, 6400, 2000, "读线圈"},
      };
  for (const auto& [code, start, length, area, address, count, status] : rows) {
    fields(start, length);
    EXPECT_EQ(runFunctionCode(session, code, true), kRequestOk) << start;
    const QuorraCall call = quorra.calls().back();
    EXPECT_EQ(call.kind, "read");
    EXPECT_EQ(call.area, area) << start;
    EXPECT_EQ(call.address, address) << start;
    EXPECT_EQ(call.count, count) << start;
    EXPECT_EQ(session.snapshot().statusText, status);
    EXPECT_EQ(session.snapshot().lastCount, count);
  }
  EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(TessorSessionTest, RejectedInputsSendNothing) {
  connect();
  const std::string startRangeSP =
      "\n寄存器号错误！\n1.寄存器号不可以为空\n2.寄存器号必须为八进制数\n3.寄存器号必须在范围(0 - "
      "777)内\n\n请重新输入！";
  auto lengthRange = [](int max) {
    return "\n寄存器长度错误！\n1.寄存器号不可以为空\n2.寄存器长度为十进制数\n3.寄存器号必须在范围(0 - " +
           std::to_string(max) + ")内\n\n请重新输入！";
  };
  struct Row {
    int code;
    const char* start;
    const char* length;
    std::string message;
    bool lengthSelected;
  };
  const Row rows[] = {
      {3, "R2000", "200", lengthRange(125), true},
      {15, "Q0", "2001", lengthRange(2000), true},
      {3, "R2000", "1x", "\n无法识别的寄存器长度", true},
      {3, "R2000", "-1", lengthRange(125), true},
      {3, "R2000", "-", "\n无法识别的寄存器长度", true},
      {3, "R", "10", "\n无法识别的寄存器", false},
      {16, "SP", "10", startRangeSP, false},  // parses as SP0, the check wants a number
      {3, "X1", "10", kShortStartAddressMessage, false},
      {3, "R41240", "1", std::string("\n起始地址错误！\n1.起始地址不可以为空\n2.起始地址必须为八进制数\n3.起始地址必须在范围(0 - 41237)内\n\n请重新输入！"), false},
  };
  for (const auto& row : rows) {
    prompt.clear();
    view.startAddressSelections = 0;
    view.lengthSelections = 0;
    session.setFields({row.start, row.length, 1});
    EXPECT_EQ(runFunctionCode(session, row.code, true), kRequestRejected) << row.start;
    EXPECT_EQ(prompt.texts(), std::vector<std::string>{row.message}) << row.start << row.length;
    EXPECT_EQ(view.lengthSelections, row.lengthSelected ? 1 : 0);
    EXPECT_EQ(view.startAddressSelections, row.lengthSelected ? 0 : 1);
  }
  EXPECT_EQ(quorra.requestCount(), 0u);
}

TEST_F(TessorSessionTest, MultipleCoilsWriteExactlyTheUsersCount) {
  connect();
  fields("Q0", "20");
  std::vector<std::string> values;
  for (int i = 0; i < 20; ++i) values.push_back(i % 3 == 0 ? "1" : "0");
  fillCells(values);
  EXPECT_EQ(runFunctionCode(session, 15, true), kRequestOk);
  const QuorraCall call = quorra.calls().back();
  EXPECT_EQ(call.kind, "write");
  EXPECT_EQ(call.area, 0x0200);
  EXPECT_EQ(call.address, 2048u);
  EXPECT_EQ(call.count, 20);  // coils, not the 2 words that carry them
  EXPECT_EQ(call.words, (std::vector<std::uint16_t>{0x9249, 0x0004}));
  EXPECT_EQ(session.snapshot().statusText, "强制多点线圈");
}

TEST_F(TessorSessionTest, SingleCoilSetsOneBitAndTheLengthBecomesOne) {
  connect();
  fields("C0", "8");
  fillCells({"1", "0", "0"});
  EXPECT_EQ(runFunctionCode(session, 5, true), kRequestOk);
  const QuorraCall call = quorra.calls().back();
  EXPECT_EQ(call.kind, "setBit");
  EXPECT_EQ(call.address, 6400u);
  EXPECT_EQ(call.value, 1);
  EXPECT_EQ(view.lengthTexts, std::vector<std::string>{"1"});
  EXPECT_EQ(session.fields().length, "1");
  EXPECT_EQ(table.columnCount(), 2);
  EXPECT_EQ(session.snapshot().statusText, "写线圈");
}

TEST_F(TessorSessionTest, RegisterWritesTakeTheTableValues) {
  connect();
  fields("R2000", "3", 2);
  fillCells({"ab", "FFFF", "10"});
  EXPECT_EQ(runFunctionCode(session, 16, true), kRequestOk);
  QuorraCall call = quorra.calls().back();
  EXPECT_EQ(call.address, 1024u);
  EXPECT_EQ(call.count, 3);
  EXPECT_EQ(call.words, (std::vector<std::uint16_t>{171, 65535, 16}));
  EXPECT_EQ(session.snapshot().statusText, "写多个寄存器");
  EXPECT_EQ(runFunctionCode(session, 6, true), kRequestOk);
  call = quorra.calls().back();
  EXPECT_EQ(call.count, 1);
  EXPECT_EQ(call.words, std::vector<std::uint16_t>{171});
  EXPECT_EQ(session.snapshot().statusText, "写单一寄存器");
}

TEST_F(TessorSessionTest, LaterCyclesReuseTheValidatedRequest) {
  connect();
  fields("R2000", "2");
  fillCells({"5", "6"});
  ASSERT_EQ(session.WriteRequest(kAreaHoldingRegisters, false, true), kRequestOk);
  fillCells({"7", "8"});
  session.setFields({"R0", "2", 1});
  ASSERT_EQ(session.WriteRequest(kAreaHoldingRegisters, false, false), kRequestOk);
  const QuorraCall call = quorra.calls().back();
  EXPECT_EQ(call.address, 1024u);
  EXPECT_EQ(call.words, (std::vector<std::uint16_t>{5, 6}));
}

TEST_F(TessorSessionTest, UncollectableTableDropsTheWriteSilently) {
  connect();
  fields("R2000", "2");
  fillCells({"12X", "1"});
  EXPECT_EQ(runFunctionCode(session, 16, true), kRequestNotMade);
  EXPECT_EQ(quorra.requestCount(), 0u);
  EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(TessorSessionTest, AreasOutsideTheirOperation) {
  connect();
  fields("R2000", "2");
  EXPECT_EQ(session.ReadRequest(0x0300, false), kRequestNotMade);
  EXPECT_EQ(session.WriteRequest(kAreaDiscreteInputs, false, false), kRequestWrongArea);
  session.setFields({"R2000", "-1", 1});  // the inputs are checked before the area
  EXPECT_EQ(session.WriteRequest(kAreaDiscreteInputs, false, true), kRequestRejected);
  EXPECT_EQ(prompt.messages().size(), 1u);
  EXPECT_EQ(runFunctionCode(session, 7, false), kRequestNotMade);
  EXPECT_EQ(quorra.requestCount(), 0u);
}

TEST_F(TessorSessionTest, ButtonsReportFailuresAndSuccess) {
  connect();
  fields("R2000", "2");
  ASSERT_EQ(pressFunctionButton(session, table, prompt, FunctionButton::FC3), kRequestOk);
  EXPECT_EQ(table.cell(1, 2), "1");  // the fake reads 0, 1, ...
  const struct {
    std::uint16_t code;
    const char* text;
  } failures[] = {{1001, "PLC连接时间溢出"}, {4242, "未知错误"}};
  for (const auto& f : failures) {
    prompt.clear();
    quorra.script(f.code);
    quorra.readValue = [](std::size_t, std::size_t) { return std::uint16_t{99}; };
    EXPECT_EQ(pressFunctionButton(session, table, prompt, FunctionButton::FC3), kRequestFailed);
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0].text, f.text);
    EXPECT_EQ(prompt.messages()[0].caption, "警告");
    EXPECT_EQ(session.snapshot().statusText, f.text);
    EXPECT_EQ(table.cell(1, 2), "1");  // the table keeps its old contents
  }
  prompt.clear();
  fillCells({"1", "2"});
  EXPECT_EQ(pressFunctionButton(session, table, prompt, FunctionButton::FC16), kRequestOk);
  ASSERT_EQ(prompt.messages().size(), 1u);
  EXPECT_EQ(prompt.messages()[0].caption, "成功");
  EXPECT_EQ(prompt.messages()[0].text, "成功");
  EXPECT_EQ(session.snapshot().statusText, "写多个寄存器");
}

TEST(TessorFunctionList, HoldsTheSupportedFunctionsInButtonOrder) {
  EXPECT_EQ(supportedFunctionNames(5),
            (std::vector<std::string>{"01－读线圈", "05－写线圈", "15－强制多点线圈"}));
  EXPECT_EQ(supportedFunctionNames(0), (std::vector<std::string>{"03－读保持寄存器", "04－读输入寄存器",
                                                                 "06－写单一寄存器", "16－写多个寄存器"}));
}

}  // namespace
}  // namespace tessor
