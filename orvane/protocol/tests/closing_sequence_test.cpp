// Closing the main window: the question while communicating, the closing
// flag, and the wait for idle that never holds up the operation that ends
// the communication.
#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "recording_ui.h"
#include "orvane/protocol/closing_sequence.h"
#include "orvane/protocol/settings_texts.h"

namespace orvane {
namespace {

using namespace orvane::testing;
using namespace std::chrono_literals;

class ClosingSequenceTest : public ::testing::Test {
 protected:
  ScriptedPrompt prompt;
  ProcessFlags flags;
  ClosingSequence closing{prompt, flags};
};

TEST_F(ClosingSequenceTest, ClosesAtOnceWhenNothingCommunicates) {
  EXPECT_TRUE(closing.confirmClose());
  EXPECT_TRUE(prompt.boxes.empty());
  EXPECT_TRUE(flags.closing);
  EXPECT_TRUE(closing.waitIdle({}));
}

TEST_F(ClosingSequenceTest, AsksWhileCommunicating) {
  CommunicationScope busy(flags);
  EXPECT_TRUE(flags.communicationBusy);
  prompt.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
  EXPECT_FALSE(closing.confirmClose());
  EXPECT_FALSE(flags.closing);
  EXPECT_TRUE(closing.confirmClose());
  EXPECT_TRUE(flags.closing);
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[0].text, "正在通信中，退出软件吗？\r\n如果选择[确定]，请等待软件退出...");
  EXPECT_EQ(prompt.boxes[0].caption, "警告");
  EXPECT_EQ(prompt.boxes[0].icon, MessageIcon::Warning);
  EXPECT_EQ(prompt.boxes[0].buttons, MessageButtons::OkCancel);
}

// The operation on the worker needs the waiting thread to handle one queued
// call (a box, a sent message) before it can lower the flag.
TEST_F(ClosingSequenceTest, WaitHandlesQueuedCallsOfTheWorker) {
  std::atomic<bool> handled{false};
  std::promise<void> holding;
  std::thread worker([&] {
    CommunicationScope busy(flags);
    holding.set_value();
    const auto limit = std::chrono::steady_clock::now() + 10s;
    while (!handled && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(1ms);
  });
  holding.get_future().wait();
  EXPECT_TRUE(closing.waitIdle([&] { handled = true; }));
  EXPECT_FALSE(flags.communicationBusy);
  worker.join();
  EXPECT_TRUE(handled);
}

// A close requested from inside a dialog of the operation that holds the
// flag on this same thread: waiting could never end, so the close is put off
// until the operation lowers the flag.
TEST_F(ClosingSequenceTest, CloseFromInsideTheOperationIsDeferred) {
  int closes = 0;
  {
    CommunicationScope busy(flags);
    ASSERT_TRUE(closing.confirmClose());
    EXPECT_FALSE(closing.waitIdle([] { FAIL() << "must not wait"; }, [&] { ++closes; }));
    EXPECT_EQ(closes, 0);
  }
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(flags.communicationBusy);
  { CommunicationScope again(flags); }
  EXPECT_EQ(closes, 1);  // the deferred close runs once
}

}  // namespace
}  // namespace orvane
