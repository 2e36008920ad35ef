// "恢复出厂设置": the command on the calling thread and operation 10 on the
// worker, against modules behind the fake transport.
#include <atomic>
#include <thread>

#include "settings_commands_fixture.h"
#include "orvane/protocol/settings_texts.h"
#include "orvane/protocol/user_texts.h"

namespace orvane {
namespace {

using namespace orvane::testing;

class FactoryRestoreTest : public SettingsCommandsTest {
 protected:
  SettingsOutcome restore(int row) {
    const auto started = commands.factoryRestore(row);
    core.worker().end(BackgroundOperation::kNoLimit);
    return started == SettingsOutcome::Started ? commands.lastRestoreOutcome() : started;
  }
};

TEST_F(FactoryRestoreTest, Outcomes) {
  struct Row {
    SettingsFake module;
    std::vector<MessageAnswer> answers;
    std::vector<std::string> boxes;
    std::vector<int> codes;
    SettingsOutcome outcome;
  };
  auto failing = fake(1);
  failing.resultFor[0x0A] = 0x30;
  const std::string question(texts::kRestoreQuestion);
  const Row rows[] = {
      {fake(1), {MessageAnswer::Ok}, {question}, {0x0A}, SettingsOutcome::Done},
      {fake(1), {MessageAnswer::Cancel}, {question}, {}, SettingsOutcome::Cancelled},
      {failing, {MessageAnswer::Ok}, {question, std::string(texts::kRestoreFailed)}, {0x0A},
       SettingsOutcome::WriteFailed},
      {fake(1, 4, 0, kRunModeBootLoader), {}, {}, {}, SettingsOutcome::BootLoader},
      {fake(1, 3), {}, {std::string(texts::kModuleTooOld)}, {}, SettingsOutcome::ModuleTooOld},
      {fake(1, 3, 0, kRunModeBootLoader), {}, {std::string(texts::kModuleTooOld)}, {},
       SettingsOutcome::ModuleTooOld},
      {fake(1, 5), {}, {std::string(texts::kToolTooOld)}, {}, SettingsOutcome::ToolTooOld},
  };
  for (const auto& row : rows) {
    scan({row.module});
    prompt.boxes.clear();
    prompt.answers.assign(row.answers.begin(), row.answers.end());
    const auto table = core.table().snapshot();
    EXPECT_EQ(restore(0), row.outcome);
    EXPECT_EQ(boxTexts(), row.boxes);
    EXPECT_EQ(codesSent(), row.codes);
    EXPECT_EQ(core.table().snapshot(), table);  // neither table nor list is refreshed
    EXPECT_EQ(ui.count("refreshList -1"), static_cast<int>(&row - rows) + 1);
    EXPECT_EQ(ui.shownTexts().back(), "就绪");
  }
}

TEST_F(FactoryRestoreTest, TheBoxes) {
  auto failing = fake(1);
  failing.resultFor[0x0A] = 1;
  scan({failing});
  EXPECT_EQ(restore(0), SettingsOutcome::WriteFailed);
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[0].caption, "警告");
  EXPECT_EQ(prompt.boxes[0].icon, MessageIcon::Warning);
  EXPECT_EQ(prompt.boxes[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(prompt.boxes[1].caption, "错误");
  EXPECT_EQ(prompt.boxes[1].icon, MessageIcon::Error);
  EXPECT_EQ(prompt.boxes[1].buttons, MessageButtons::Ok);
}

TEST_F(FactoryRestoreTest, ManualResetIsRefusedBeforeAnyOperationStarts) {
  scan({fake(1, 4, kFlagManualReset)});
  EXPECT_EQ(commands.factoryRestore(0), SettingsOutcome::ManualReset);
  EXPECT_FALSE(core.worker().recorded());
  EXPECT_EQ(boxTexts(), std::vector<std::string>{std::string(texts::kManualReset)});
  EXPECT_TRUE(codesSent().empty());
  EXPECT_EQ(commands.factoryRestore(-1), SettingsOutcome::NotRun);
  EXPECT_EQ(commands.factoryRestore(3), SettingsOutcome::NotRun);  // no such row
  EXPECT_FALSE(core.worker().recorded());
}

// The restore waits for the running operation without limit and keeps
// handling queued calls meanwhile: here the running operation can only end
// once the waiting thread has handled one.
TEST_F(FactoryRestoreTest, WaitsForTheRunningOperationWhileHandlingQueuedCalls) {
  scan({fake(1)});
  std::atomic<bool> handled{false};
  core.setOperationHandler(kOperationFirmwareDownload, kProtocolTcpIp, [&](int) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!handled && std::chrono::steady_clock::now() < limit)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  SettingsCommands pumping(core, dialogs, {}, [&] { handled = true; });
  ASSERT_TRUE(core.worker().start(kOperationFirmwareDownload, 0));
  EXPECT_EQ(pumping.factoryRestore(0), SettingsOutcome::Started);
  core.worker().end(BackgroundOperation::kNoLimit);
  EXPECT_TRUE(handled);
  EXPECT_EQ(pumping.lastRestoreOutcome(), SettingsOutcome::Done);
  EXPECT_EQ(codesSent(), std::vector<int>{0x0A});
}

// The list is rebuilt while the restore waits for the running operation, and
// the selected row now shows another module: that module is not restored.
TEST_F(FactoryRestoreTest, RestoresOnlyTheModuleTheCommandFound) {
  scan({fake(1), fake(2)});
  std::atomic<bool> released{false};
  core.setOperationHandler(kOperationFirmwareDownload, kProtocolTcpIp, [&](int) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!released && std::chrono::steady_clock::now() < limit)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  SettingsCommands pumping(core, dialogs, {}, [&] {
    ui.rows = {macText(macOf(2)), macText(macOf(1))};
    released = true;
  });
  ASSERT_TRUE(core.worker().start(kOperationFirmwareDownload, 0));
  EXPECT_EQ(pumping.factoryRestore(0), SettingsOutcome::Started);
  core.worker().end(BackgroundOperation::kNoLimit);
  EXPECT_EQ(pumping.lastRestoreOutcome(), SettingsOutcome::NotRun);
  EXPECT_TRUE(prompt.boxes.empty());
  EXPECT_TRUE(codesSent().empty());
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

using namespace orvane::testing;

// A worker that can only end once the user-interface thread serves it (as
// one blocked in a sent call): the restore's unlimited wait, the other
// starters and the commands' destruction all serve it through the view
// core's worker pump instead of waiting for ever.
TEST_F(FactoryRestoreTest, WaitsServeAWorkerBlockedOnTheUserInterfaceThread) {
  scan({fake(1)});
  std::atomic<bool> served{false};
  core.setWorkerPump([&] { served = true; });
  core.setOperationHandler(kOperationScan, kProtocolTcpIp, [&](int) {
    while (!served) std::this_thread::yield();
  });
  auto blockedWorker = [&] {
    served = false;
    ASSERT_TRUE(core.startInitialScan());
  };
  blockedWorker();
  prompt.answers = {MessageAnswer::Cancel};
  EXPECT_EQ(commands.factoryRestore(0), SettingsOutcome::Started);
  core.endWorker(BackgroundOperation::kNoLimit);
  blockedWorker();
  EXPECT_TRUE(core.findModules());
  core.endWorker(BackgroundOperation::kNoLimit);
  blockedWorker();
  {
    SettingsCommands another(core, dialogs);
  }  // its destructor ends the worker
  EXPECT_FALSE(core.worker().recorded());
}

}  // namespace
}  // namespace orvane
