#include "orvane/protocol/status_text.h"

#include <gtest/gtest.h>

#include <thread>

#include "recording_ui.h"

namespace orvane {
namespace {

using orvane::testing::RecordingUi;

class StatusTextTest : public ::testing::Test {
 protected:
  StatusTextTest() { ui.status = &status; }
  RecordingUi ui;
  ProcessFlags flags;
  StatusText status{ui, flags};
};

TEST_F(StatusTextTest, EachTextIsPostedAndShown) {
  status.set("通信中...");
  status.set("就绪");
  EXPECT_EQ(ui.shownTexts(), (std::vector<std::string>{"通信中...", "就绪"}));
}

TEST_F(StatusTextTest, DisplayOffKeepsTheTextButShowsNothing) {
  status.setDisplayEnabled(false);
  status.set("以太网通信失败！接受数据失败！");
  EXPECT_TRUE(ui.shownTexts().empty());
  EXPECT_EQ(status.pending(), "以太网通信失败！接受数据失败！");
  status.setDisplayEnabled(true);
  status.set("就绪");
  EXPECT_EQ(ui.shownTexts(), std::vector<std::string>{"就绪"});
}

TEST_F(StatusTextTest, NothingIsStoredOnceClosing) {
  status.set("就绪");
  flags.closing = true;
  status.set("通信中...");
  EXPECT_EQ(status.pending(), "就绪");
  EXPECT_EQ(ui.shownTexts().size(), 1u);
}

// A text set before the previous was shown replaces it: the GUI shows the
// last one. Posted calls are modelled by a UI port that only counts them.
TEST(StatusTextQueued, LaterTextReplacesAPendingOne) {
  struct CountingUi : orvane::testing::RecordingUi {
    int posted = 0;
    void statusPosted() override { ++posted; }
  } ui;
  ProcessFlags flags;
  StatusText status(ui, flags);
  ui.status = &status;
  status.set("第一");
  status.set("第二");
  EXPECT_EQ(ui.posted, 2);
  status.onStatusPosted();
  status.onStatusPosted();
  EXPECT_EQ(ui.shownTexts(), (std::vector<std::string>{"第二", "第二"}));
}

TEST(StatusTextThreads, ReaderNeverSeesAHalfReplacedText) {
  struct QuietUi : orvane::testing::RecordingUi {
    void statusPosted() override {}
  } ui;
  ProcessFlags flags;
  StatusText status(ui, flags);
  const std::string a(300, 'a'), b(700, 'b');
  std::atomic<bool> stop{false};
  std::thread w1([&] { while (!stop) status.set(a); });
  std::thread w2([&] { while (!stop) status.set(b); });
  for (int i = 0; i < 20000; ++i) {
    const auto text = status.pending();
    ASSERT_TRUE(text.empty() || text == a || text == b);
  }
  stop = true;
  w1.join();
  w2.join();
}

}  // namespace
}  // namespace orvane
