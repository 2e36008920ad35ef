#include "orvane/protocol/background_operation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace orvane {
namespace {

using namespace std::chrono_literals;

// A body that waits until the test releases it.
struct Gate {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<int> runs{0};
  std::atomic<int> lastCode{0}, lastRow{0};
  BackgroundOperation::Body body() {
    return [this](int code, int row) {
      lastCode = code;
      lastRow = row;
      released.wait();
      ++runs;
    };
  }
};

TEST(BackgroundOperation, StatesFromStartToEnd) {
  Gate gate;
  BackgroundOperation op(gate.body());
  EXPECT_FALSE(op.recorded());
  EXPECT_TRUE(op.end(0ms));  // nothing recorded: nothing to wait for

  ASSERT_TRUE(op.start(9, 4));
  EXPECT_TRUE(op.recorded());
  EXPECT_FALSE(op.finished());
  EXPECT_FALSE(op.start(1, 0));  // refused while recorded and running
  EXPECT_FALSE(op.end(20ms));    // still running: stays recorded
  EXPECT_TRUE(op.recorded());

  gate.release.set_value();
  while (!op.finished()) std::this_thread::yield();
  EXPECT_TRUE(op.recorded());    // a finished worker stays recorded...
  EXPECT_FALSE(op.start(1, 0));  // ...and still refuses a start
  EXPECT_EQ(gate.runs, 1);
  EXPECT_EQ(gate.lastCode, 9);
  EXPECT_EQ(gate.lastRow, 4);

  EXPECT_TRUE(op.end(0ms));  // ended within the limit: released
  EXPECT_FALSE(op.recorded());
  ASSERT_TRUE(op.start(1, 0));
  EXPECT_TRUE(op.end(BackgroundOperation::kNoLimit));
  EXPECT_EQ(gate.runs, 2);
  EXPECT_EQ(gate.lastCode, 1);
}

TEST(BackgroundOperation, EndWithoutLimitKeepsPumping) {
  // The worker waits for something only the pump delivers, as a worker
  // waits for a blocking call onto the GUI thread.
  std::atomic<bool> delivered{false};
  BackgroundOperation op([&](int, int) {
    while (!delivered) std::this_thread::sleep_for(1ms);
  });
  int pumps = 0;
  ASSERT_TRUE(op.start(10, 0));
  EXPECT_TRUE(op.end(BackgroundOperation::kNoLimit, [&] {
    if (++pumps == 3) delivered = true;
  }));
  EXPECT_GE(pumps, 3);
  EXPECT_FALSE(op.recorded());
}

TEST(BackgroundOperation, EndWithALimitAlsoPumpsAndGivesUp) {
  Gate gate;
  BackgroundOperation op(gate.body());
  ASSERT_TRUE(op.start(1, 0));
  int pumps = 0;
  EXPECT_FALSE(op.end(30ms, [&] { ++pumps; }));
  EXPECT_GT(pumps, 0);
  gate.release.set_value();
}

TEST(BackgroundOperation, DestructionWaitsForTheWorker) {
  std::atomic<bool> done{false};
  {
    BackgroundOperation op([&](int, int) {
      std::this_thread::sleep_for(20ms);
      done = true;
    });
    op.start(1, 0);
  }
  EXPECT_TRUE(done);
}

}  // namespace
}  // namespace orvane
