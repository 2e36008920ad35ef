// The polling worker against a scripted Quorra and a fake clock: cycles, counts,
// the stop rules, the final message, and what a reader on another thread sees.
#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

#include "fake_quorra.h"
#include "fake_request_view.h"
#include "recording_prompt.h"
#include "tessor/core/function_requests.h"
#include "tessor/core/polling_worker.h"

namespace tessor {
namespace {

using testing::FakeQuorra;
using testing::FakeRequestView;
using testing::RecordingPrompt;

class FakeClock : public PollClock {
 public:
  std::uint64_t tickMs() override { return now_.load(); }
  void sleepMs(int ms) override {
    now_ += static_cast<std::uint64_t>(ms);
    ++sleeps;
  }
  std::atomic<int> sleeps{0};

 private:
  std::atomic<std::uint64_t> now_{1000};
};

class RecordingPollingView : public PollingView {
 public:
  void pollStatus() override {
    lines.push_back(worker->statusLine());
    if (stopAfter > 0 && static_cast<int>(lines.size()) >= stopAfter) worker->Stop();
  }
  void stoppedPresentation() override { ++stoppedPresentations; }
  void workerEnded() override { ++endings; }
  PollingWorker* worker = nullptr;
  int stopAfter = 0;  // the user presses stop once this many cycles are shown
  std::vector<std::string> lines;
  int stoppedPresentations = 0;
  std::atomic<int> endings{0};
};

class TessorPollingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view.worker = &worker;
    ASSERT_TRUE(session.Connect({{127, 0, 0, 1}}));
    prompt.clear();
  }
  void fields(const std::string& start, const std::string& length) {
    session.setFields({start, length, 1});
    table.setStartAddress(start);
    table.setSelectedFormat(1);
    table.setPreviousFormat(1);
    table.Relayout(std::atoi(length.c_str()), false);
  }
  void run(PollingSettings settings) {
    ASSERT_TRUE(worker.Start(settings));
    worker.waitForWorker();
  }
  static PollingSettings settings(int code, bool ignoreError, int pollingMs = 0) {
    PollingSettings s;
    s.functionCode = code;
    s.ignoreError = ignoreError;
    s.pollingMs = pollingMs;
    return s;
  }

  DataTable table;
  RecordingPrompt prompt;
  FakeQuorra quorra;
  FakeRequestView requestView{table};
  ModbusSession session{quorra, table, prompt, requestView};
  FakeClock clock;
  RecordingPollingView view;
  PollingWorker worker{session, prompt, view, clock};
};

TEST_F(TessorPollingTest, WithIgnoreErrorFailuresAreCountedAndPollingGoesOn) {
  fields("R2000", "10");
  for (int i = 0; i < 4; ++i) quorra.script(1001);
  view.stopAfter = 6;
  run(settings(3, true));
  ASSERT_EQ(view.lines.size(), 6u);
  EXPECT_EQ(view.lines[0], "扫描次数 1,错误次数 1; PLC连接时间溢出");
  EXPECT_EQ(view.lines[3], "扫描次数 4,错误次数 4; PLC连接时间溢出");
  EXPECT_EQ(view.lines[4], "扫描次数 5,错误次数 4; 读保持寄存器");
  EXPECT_EQ(view.lines[5], "扫描次数 6,错误次数 4; 读保持寄存器");  // then the user stops
  EXPECT_EQ(worker.statusLine(), "停止");
  EXPECT_TRUE(prompt.messages().empty());
  EXPECT_EQ(view.stoppedPresentations, 0);
  EXPECT_EQ(session.snapshot().scanCount, 0);
}

TEST_F(TessorPollingTest, WithoutIgnoreErrorTheFirstFailureEndsWithOneMessage) {
  fields("R2000", "10");
  quorra.script(0);
  quorra.script(1001);
  run(settings(3, false));
  EXPECT_EQ(quorra.requestCount(), 2u);
  EXPECT_FALSE(worker.running());
  EXPECT_EQ(view.stoppedPresentations, 1);
  ASSERT_EQ(prompt.messages().size(), 1u);
  EXPECT_EQ(prompt.messages()[0].text, "PLC连接时间溢出");
  EXPECT_EQ(prompt.messages()[0].caption, "警告");
  EXPECT_EQ(worker.statusLine(), "停止");
}

TEST_F(TessorPollingTest, ThePollingTimeIsWaitedInOneMillisecondSleeps) {
  fields("R2000", "1");
  for (const auto& [pollingMs, perCycle] : {std::pair{0, 2}, std::pair{5, 6}, std::pair{40, 41}}) {
    view.lines.clear();
    view.stopAfter = 3;
    clock.sleeps = 0;
    run(settings(3, false, pollingMs));
    EXPECT_EQ(clock.sleeps, 3 * perCycle) << pollingMs;
  }
}

TEST_F(TessorPollingTest, OnlyTheFirstCycleValidatesTheTable) {
  fields("R2000", "2");
  table.setCell(1, 1, "5");
  table.setCell(1, 2, "6");
  view.stopAfter = 3;
  quorra.duringRequest = [&] { table.setCell(1, 1, ""); };  // an edit the later cycles ignore
  run(settings(16, false));
  const auto calls = quorra.calls();
  ASSERT_EQ(calls.size(), 4u);  // open + 3 writes
  for (std::size_t i = 1; i < calls.size(); ++i)
    EXPECT_EQ(calls[i].words, (std::vector<std::uint16_t>{5, 6}));
  EXPECT_TRUE(prompt.messages().empty());
}

TEST_F(TessorPollingTest, AnEmptyCellFailsTheFirstCycleThenTheStopRepeatsTheStatus) {
  fields("R2000", "2");
  table.setCell(1, 1, "");
  run(settings(16, false));
  const auto texts = prompt.texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("\n表格数据(1,1)错误！", 0), 0u);
  EXPECT_EQ(texts[1], "连接");  // the previous status text
  EXPECT_EQ(quorra.requestCount(), 0u);
}

TEST_F(TessorPollingTest, UncollectableOrRejectedInputsEndPollingEvenWithIgnoreError) {
  fields("R2000", "2");
  table.setCell(1, 1, "12X");
  table.setCell(1, 2, "1");
  run(settings(16, true));
  EXPECT_FALSE(worker.running());
  EXPECT_EQ(view.lines.size(), 1u);
  EXPECT_TRUE(prompt.messages().empty());

  session.setFields({"R2000", "200", 1});  // refused by the input check
  run(settings(3, true));
  EXPECT_EQ(view.lines.size(), 2u);
  EXPECT_EQ(prompt.messages().size(), 1u);  // the check's own message only
  EXPECT_EQ(quorra.requestCount(), 0u);
}

TEST_F(TessorPollingTest, OutOfRangeSettingsStartNothing) {
  fields("R2000", "1");
  const std::pair<int, int> rows[] = {{19, 5}, {50001, 5}, {20, 0}, {20, 256}};
  for (const auto& [interval, refresh] : rows) {
    PollingSettings s = settings(3, false);
    s.timeInterval = interval;
    s.statusRefresh = refresh;
    EXPECT_FALSE(worker.Start(s)) << interval << " " << refresh;
  }
  EXPECT_FALSE(worker.running());
  EXPECT_EQ(quorra.requestCount(), 0u);
}

TEST_F(TessorPollingTest, StopDuringARequestLetsItCompleteThenTheWorkerEnds) {
  fields("R2000", "1");
  std::mutex m;
  std::condition_variable cv;
  bool inRequest = false, release = false;
  quorra.duringRequest = [&] {
    if (quorra.requestCount() != 1) return;
    std::unique_lock lock(m);
    inRequest = true;
    cv.notify_all();
    cv.wait(lock, [&] { return release; });
  };
  ASSERT_TRUE(worker.Start(settings(3, false)));
  {
    std::unique_lock lock(m);
    ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(10), [&] { return inRequest; }));
  }
  worker.Stop();
  EXPECT_EQ(worker.statusLine(), "停止");
  EXPECT_FALSE(worker.Start(settings(3, false)));  // the old worker is still in its request
  {
    std::lock_guard lock(m);
    release = true;
  }
  cv.notify_all();
  worker.waitForWorker();
  EXPECT_EQ(quorra.requestCount(), 2u);
  EXPECT_EQ(session.snapshot().scanCount, 0);
  EXPECT_TRUE(prompt.messages().empty());
  quorra.duringRequest = nullptr;
  view.stopAfter = view.lines.size() + 1;
  run(settings(3, false));
}

// Stop, then FC3 at once: the button waits for the worker's last request
// instead of running beside it, and its own read is what the window shows.
TEST_F(TessorPollingTest, AButtonRightAfterStopWaitsForTheWorkersRequestAndIsShown) {
  fields("R2000", "2");
  quorra.readValue = [](std::size_t, std::size_t call) { return static_cast<std::uint16_t>(100 + call); };
  std::mutex m;
  std::condition_variable cv;
  int entered = 0, inside = 0, overlaps = 0;
  quorra.duringRequest = [&] {
    std::unique_lock lock(m);
    const int index = entered++;
    overlaps += inside++ > 0;
    cv.notify_all();
    // The worker's request lasts until the button's arrives, or long enough
    // for a button that does not wait to arrive.
    if (index == 0) cv.wait_for(lock, std::chrono::milliseconds(300), [&] { return entered > 1; });
    --inside;
  };
  ASSERT_TRUE(worker.Start(settings(3, false)));
  {
    std::unique_lock lock(m);
    ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(10), [&] { return entered > 0; }));
  }
  worker.Stop();
  EXPECT_TRUE(session.requestInFlight());  // so the stopped presentation keeps the buttons off
  EXPECT_EQ(pressFunctionButton(session, table, prompt, FunctionButton::FC3), kRequestOk);
  worker.waitForWorker();
  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(quorra.requestCount(), 2u);
  EXPECT_EQ(table.cell(1, 1), "101");
  EXPECT_EQ(session.snapshot().buffer[0], 101);
  EXPECT_EQ(session.snapshot().statusText, "读保持寄存器");
  EXPECT_FALSE(session.requestInFlight());
  EXPECT_EQ(view.endings, 1);
  EXPECT_TRUE(prompt.messages().empty());
}

// The reader stands for the window's refresh timer: whatever it reads belongs to
// one cycle (the buffer holds the cycle's number, equal to the scan count).
TEST_F(TessorPollingTest, AReaderNeverSeesHalfOfOneCycleAndHalfOfTheNext) {
  fields("R2000", "125");
  quorra.readValue = [](std::size_t, std::size_t call) { return static_cast<std::uint16_t>(call + 1); };
  view.stopAfter = 300;
  ASSERT_TRUE(worker.Start(settings(3, true)));
  int torn = 0, seen = 0;
  for (int i = 0; i < 200000 && worker.workerActive(); ++i) {
    const SharedState s = session.snapshot();
    if (s.scanCount == 0) continue;
    ++seen;
    for (int k = 0; k < 125; ++k) torn += s.buffer[static_cast<std::size_t>(k)] != s.scanCount;
  }
  worker.waitForWorker();
  EXPECT_EQ(torn, 0);
  EXPECT_GT(seen + static_cast<int>(view.lines.size()), 0);
}

}  // namespace
}  // namespace tessor
