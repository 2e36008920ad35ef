// Tessor's requests through the real Quorra against the pymodbus peer: what the
// server receives for each button, what the table and the status text show,
// and polling against a server that stops answering.
#include <gtest/gtest.h>

#include "fake_request_view.h"
#include "modbus_peer.h"
#include "recording_prompt.h"
#include "tessor/core/function_requests.h"
#include "tessor/core/polling_worker.h"

namespace tessor {
namespace {

using testing::FakeRequestView;
using testing::ModbusPeer;
using testing::RecordingPrompt;

class TessorPeerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(peer.ready()) << "the pymodbus peer did not start";
    ConnectionFields f;
    f.ip = {127, 0, 0, 1};
    f.port = peer.port();
    f.timeout = 1;  // 100 ms
    f.retries = 0;
    ASSERT_TRUE(session.Connect(f));
  }
  void fields(const std::string& start, const std::string& length, int format = 1) {
    session.setFields({start, length, format});
    table.setStartAddress(start);
    table.setSelectedFormat(format);
    table.setPreviousFormat(format);
    table.Relayout(std::atoi(length.c_str()), false);
  }
  void fillCells(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      table.setCell(static_cast<int>(i / 8 + 1), static_cast<int>(i % 8 + 1), values[i]);
  }
  int press(FunctionButton button) { return pressFunctionButton(session, table, prompt, button); }

  ModbusPeer peer;
  DataTable table;
  RecordingPrompt prompt;
  FakeRequestView view{table};
  ModbusSession session{linkedQuorra(), table, prompt, view};
};

TEST_F(TessorPeerTest, ReadHoldingRegistersFillsTheTable) {
  std::string values;
  for (int i = 0; i < 100; ++i) values += " " + std::to_string(i * 3);
  peer.command("set hr 1024" + values);
  fields("R2000", "100");
  ASSERT_EQ(press(FunctionButton::FC3), kRequestOk);
  EXPECT_EQ(peer.log(), std::vector<std::string>{"fc=3 unit=1 addr=1024 count=100"});
  EXPECT_EQ(table.rowCount(), 14);
  EXPECT_EQ(table.cell(1, 0), "R2000");
  EXPECT_EQ(table.cell(1, 2), "3");
  EXPECT_EQ(table.cell(13, 4), "297");  // value 99
  EXPECT_EQ(table.cell(13, 5), "----");
  EXPECT_EQ(session.snapshot().statusText, "读保持寄存器");
}

TEST_F(TessorPeerTest, TooLongARequestIsRefusedAndNothingSent) {
  fields("R2000", "200");
  EXPECT_EQ(press(FunctionButton::FC3), kRequestRejected);
  ASSERT_EQ(prompt.texts().size(), 1u);
  EXPECT_NE(prompt.texts()[0].find("(0 - 125)"), std::string::npos);
  EXPECT_TRUE(peer.log().empty());
}

TEST_F(TessorPeerTest, ForceMultipleCoilsWritesExactlyTheUsersCoils) {
  std::string ones;
  for (int i = 0; i < 40; ++i) ones += " 1";
  peer.command("set co 2048" + ones);
  fields("Q0", "20");
  std::vector<std::string> cells(20, "0");
  cells[3] = "1";
  fillCells(cells);
  ASSERT_EQ(press(FunctionButton::FC15), kRequestOk);
  EXPECT_EQ(peer.log(), std::vector<std::string>{
                            "fc=15 unit=1 addr=2048 count=20 values=0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"});
  const auto after = peer.command("get co 2068 12").at(0);
  EXPECT_EQ(after, "1 1 1 1 1 1 1 1 1 1 1 1");  // the coils past the 20 keep their state
  EXPECT_EQ(prompt.messages().back().caption, "成功");
}

TEST_F(TessorPeerTest, WriteCoilSetsOneCoilAndShortensTheLength) {
  fields("C0", "8");
  fillCells({"1", "0"});
  ASSERT_EQ(press(FunctionButton::FC5), kRequestOk);
  EXPECT_EQ(peer.log(), std::vector<std::string>{"fc=5 unit=1 addr=6400 count=1 values=1"});
  EXPECT_EQ(session.fields().length, "1");
  EXPECT_EQ(peer.command("get co 6400 1"), std::vector<std::string>{"1"});
}

TEST_F(TessorPeerTest, RegisterWritesSendWhatTheTableHolds) {
  fields("R2000", "3", 2);
  fillCells({"ab", "FFFF", "10"});
  ASSERT_EQ(press(FunctionButton::FC16), kRequestOk);
  ASSERT_EQ(press(FunctionButton::FC6), kRequestOk);
  EXPECT_EQ(peer.log(), (std::vector<std::string>{"fc=16 unit=1 addr=1024 count=3 values=171,65535,16",
                                                  "fc=6 unit=1 addr=1024 count=1 values=171"}));
  EXPECT_EQ(peer.command("get hr 1024 3"), std::vector<std::string>{"171 65535 16"});
}

TEST_F(TessorPeerTest, AServerThatStopsAnsweringTimesOut) {
  fields("R2000", "2");
  ASSERT_EQ(press(FunctionButton::FC3), kRequestOk);
  peer.command("mode silent");
  EXPECT_EQ(press(FunctionButton::FC3), kRequestFailed);
  EXPECT_EQ(session.snapshot().statusText, "PLC连接时间溢出");
  EXPECT_EQ(prompt.texts().back(), "PLC连接时间溢出");
}

TEST_F(TessorPeerTest, AnExceptionReplyShowsItsText) {
  fields("R2000", "2");
  peer.command("exception 2");
  EXPECT_EQ(press(FunctionButton::FC3), kRequestFailed);
  EXPECT_EQ(session.snapshot().statusText, "地址溢出");
}

class CountingView : public PollingView {
 public:
  void pollStatus() override {
    lines.push_back(worker->statusLine());
    if (static_cast<int>(lines.size()) >= stopAfter) worker->Stop();
  }
  void stoppedPresentation() override { ++stopped; }
  void workerEnded() override {}
  PollingWorker* worker = nullptr;
  int stopAfter = 3;
  std::vector<std::string> lines;
  int stopped = 0;
};

TEST_F(TessorPeerTest, PollingASilentServer) {
  fields("R2000", "10");
  peer.command("mode silent");
  for (const bool ignoreError : {true, false}) {
    CountingView pollView;
    PollingWorker worker(session, prompt, pollView, systemPollClock());
    pollView.worker = &worker;
    prompt.clear();
    PollingSettings s;
    s.functionCode = 3;
    s.ignoreError = ignoreError;
    ASSERT_TRUE(worker.Start(s));
    worker.waitForWorker();
    if (ignoreError) {
      ASSERT_EQ(pollView.lines.size(), 3u);
      EXPECT_EQ(pollView.lines[1], "扫描次数 2,错误次数 2; PLC连接时间溢出");
      EXPECT_TRUE(prompt.messages().empty());
    } else {
      EXPECT_EQ(pollView.lines.size(), 1u);
      EXPECT_EQ(pollView.stopped, 1);
      EXPECT_EQ(prompt.texts(), std::vector<std::string>{"PLC连接时间溢出"});
    }
  }
}

}  // namespace
}  // namespace tessor
